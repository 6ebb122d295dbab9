#include "gui/preview_pane.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "gui/qt_text.h"
#include "output/preview/preview_legend.h"

namespace mq::gui {

namespace {

constexpr double kMargin = 16;  // pixels around the fitted picture
constexpr double kZoomStep = 1.2, kLeastZoom = 0.2, kMostZoom = 200;
constexpr double kUnknownHoleRadius = 3, kLeastHoleRadius = 1.5;

QColor ColourOf(const PreviewModel& model, const PreviewItem& item) {
  const std::string own = OwnColourOf(item);
  if (!own.empty()) return QColor(QString::fromStdString(own));
  return QColor(QString::fromStdString(item.Pen >= 0 ? model.Pens[static_cast<std::size_t>(item.Pen)].Colour
                                                     : std::string(kRapidColour)));
}

QPen LinePen(const QColor& colour, PreviewKind kind, double weight) {
  const PreviewLineStyle style = LineStyleOf(kind);
  QColor c = colour;
  c.setAlphaF(style.Opacity);
  QPen pen(c, style.Width * weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  if (!style.Dashes.empty()) {
    QList<qreal> dashes;  // Qt counts dashes in pen widths
    for (double d : style.Dashes) dashes << d / (style.Width * weight);
    pen.setDashPattern(dashes);
  }
  return pen;
}

// The order the SVG draws in: outlines, saws, edge bores, holes, cuts (deeper beneath),
// arrows, rapids.
int Layer(PreviewKind kind) {
  switch (kind) {
    case PreviewKind::Panel:
    case PreviewKind::EdgeView:
      return 0;
    case PreviewKind::SawPass:
      return 1;
    case PreviewKind::EdgeBore:
    case PreviewKind::EdgeBoreEnd:
      return 2;
    case PreviewKind::Stroke:
    case PreviewKind::Hole:
      return 3;
    case PreviewKind::Arrow:
      return 5;
    case PreviewKind::Rapid:
      return 6;
    default:
      return 4;
  }
}

QString LegendHtml(const PreviewModel& model) {
  QString html;
  for (const LegendRow& row : LegendRows(model)) {
    if (row.Kind == PreviewKind::Panel) {
      html += "<b>" + ToQt(row.Text).toHtmlEscaped() + "</b><br>";
      continue;
    }
    html += "<span style=\"color:" + QString::fromStdString(row.Colour) + "\">&#9632;</span> " +
            QString::fromUtf8(row.Text.c_str()).toHtmlEscaped() + "<br>";
  }
  for (const std::string& line : SummaryLines(model))
    html += QString::fromUtf8(line.c_str()).toHtmlEscaped() + "<br>";
  return html;
}

}  // namespace

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PreviewCanvas"));
  setMinimumSize(240, 180);
  setMouseTracking(false);
}

void PreviewCanvas::SetModel(const PreviewModel& model) {
  model_ = model;
  shown_ = true;
  Fit();
}

void PreviewCanvas::Fit() {
  zoom_ = 1;
  pan_ = {};
  update();
}

double PreviewCanvas::Scale() const {
  const double w = std::max(model_.MaxX - model_.MinX, 1e-6), h = std::max(model_.MaxY - model_.MinY, 1e-6);
  return std::max(1e-6, std::min((width() - 2 * kMargin) / w, (height() - 2 * kMargin) / h));
}

QPointF PreviewCanvas::ToScreen(const ProgramPoint& p) const {
  const double s = Scale() * zoom_;
  const double cx = (model_.MinX + model_.MaxX) / 2, cy = (model_.MinY + model_.MaxY) / 2;
  return {width() / 2.0 + (p.X - cx) * s + pan_.x(), height() / 2.0 - (p.Y - cy) * s + pan_.y()};
}

void PreviewCanvas::PaintItem(QPainter& painter, const PreviewItem& item) const {
  const QColor colour = ColourOf(model_, item);
  const double weight = item.Pen >= 0 ? model_.Pens[static_cast<std::size_t>(item.Pen)].Weight : 1;
  QPolygonF points;
  for (const ProgramPoint& p : item.Points) points << ToScreen(p);
  switch (item.Kind) {
    case PreviewKind::Panel:
    case PreviewKind::EdgeView:
      painter.setPen(QPen(QColor(kPanelEdge), LineStyleOf(item.Kind).Width));
      painter.setBrush(QColor(item.Kind == PreviewKind::Panel ? kPanelFill : kEdgeViewFill));
      painter.drawPolygon(points);
      return;
    case PreviewKind::Hole:
    case PreviewKind::EdgeBoreEnd: {
      const double r = item.Diameter > 0 ? std::max(item.Diameter * Scale() * zoom_ / 2, kLeastHoleRadius)
                                         : kUnknownHoleRadius;
      QPen pen(colour, 1.2);
      if (item.Diameter <= 0) pen.setStyle(Qt::DotLine);
      painter.setPen(pen);
      painter.setBrush(QColor(255, 255, 255, 217));
      painter.drawEllipse(points[0], r, r);
      return;
    }
    case PreviewKind::Arrow: {
      const double dx = item.Points[1].X, dy = -item.Points[1].Y, s = 1 + 0.3 * weight;
      const QPointF at = points[0];
      const auto point = [&](double along, double across) {
        return at + QPointF((dx * along - dy * across) * s, (dy * along + dx * across) * s);
      };
      painter.setPen(Qt::NoPen);
      painter.setBrush(colour);
      painter.drawPolygon(QPolygonF{point(4.5, 0), point(-3.5, 3.5), point(-1.5, 0), point(-3.5, -3.5)});
      return;
    }
    default:
      painter.setPen(LinePen(colour, item.Kind, weight));
      painter.setBrush(Qt::NoBrush);
      painter.drawPolyline(points);
      if (item.Kind == PreviewKind::Rapid) {
        const QPointF middle = (points[0] + points[1]) / 2;
        QPainterPath number;
        number.addText(middle + QPointF(-3, 3), painter.font(), QString::number(item.Number));
        painter.strokePath(number, QPen(Qt::white, 2.5));
        painter.fillPath(number, QColor(0x22, 0x22, 0x22));
      }
  }
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!shown_) return;
  painter.setRenderHint(QPainter::Antialiasing);
  QFont small = painter.font();
  small.setPointSizeF(7);
  painter.setFont(small);
  std::vector<const PreviewItem*> items;
  for (const PreviewItem& item : model_.Items) items.push_back(&item);
  const auto weight = [&](const PreviewItem* i) {
    return i->Pen >= 0 && Layer(i->Kind) == 4 ? model_.Pens[static_cast<std::size_t>(i->Pen)].Weight : 0;
  };
  std::stable_sort(items.begin(), items.end(), [&](const PreviewItem* a, const PreviewItem* b) {
    return Layer(a->Kind) != Layer(b->Kind) ? Layer(a->Kind) < Layer(b->Kind) : weight(a) > weight(b);
  });
  for (const PreviewItem* item : items) PaintItem(painter, *item);
}

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
  const double factor = event->angleDelta().y() > 0 ? kZoomStep : 1 / kZoomStep;
  const double zoom = std::clamp(zoom_ * factor, kLeastZoom, kMostZoom);
  // The point under the pointer stays where it is.
  const QPointF centre(width() / 2.0, height() / 2.0), at = event->position();
  pan_ = at - centre - (at - centre - pan_) * (zoom / zoom_);
  zoom_ = zoom;
  update();
  event->accept();
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) { drag_from_ = event->position(); }

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  pan_ += event->position() - drag_from_;
  drag_from_ = event->position();
  update();
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent*) { Fit(); }

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PreviewPane"));
  caption_ = new QLabel(tr("Select a converted drawing to see its program."));
  caption_->setWordWrap(true);
  canvas_ = new PreviewCanvas;
  legend_ = new QLabel;
  legend_->setTextFormat(Qt::RichText);
  legend_->setWordWrap(true);
  legend_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(caption_);
  layout->addWidget(canvas_, 1);
  layout->addWidget(legend_);
}

void PreviewPane::Show(const PreviewModel& model, const QString& source) {
  caption_->setText(source);
  canvas_->SetModel(model);
  legend_->setText(LegendHtml(model));
}

void PreviewPane::ShowNothing(const QString& why) {
  caption_->setText(why);
  canvas_->SetModel({});
  legend_->clear();
}

}  // namespace mq::gui
