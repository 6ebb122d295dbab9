#include "output/preview/preview_svg.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "output/preview/preview_legend.h"

namespace mq {

namespace {

// The picture fits this many pixels; the legend stands to its right.
constexpr double kDrawingWidth = 880, kDrawingHeight = 620;
constexpr double kLeft = 24, kTop = 60, kLegendGap = 36, kLegendWidth = 450, kRowHeight = 19;
constexpr double kUnknownHoleRadius = 3;  // pixels: a hole whose diameter Par.DAT does not tell
constexpr double kLeastHoleRadius = 1.5;

// Valid UTF-8 passes; any other byte is taken as Latin-1. Markup characters are escaped.
std::string Escaped(const std::string& text) {
  std::string out;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const unsigned char c = static_cast<unsigned char>(text[k]);
    std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    for (std::size_t j = 1; j < length; ++j) {
      if (k + j >= text.size() || (static_cast<unsigned char>(text[k + j]) >> 6) != 2) length = 0;
    }
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else if (c < 0x20)
      out += ' ';
    else if (length == 0)
      out += {static_cast<char>(0xc0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3f))};
    else {
      out += text.substr(k, length);
      k += length - 1;
    }
  }
  return out;
}

std::string N(double value) { return PreviewNumber(value, 2); }

std::string Dashes(const PreviewLineStyle& style) {
  if (style.Dashes.empty()) return "";
  std::string text = " stroke-dasharray=\"";
  for (std::size_t k = 0; k < style.Dashes.size(); ++k) text += (k ? " " : "") + N(style.Dashes[k]);
  return text + "\"";
}

std::string Stroke(const std::string& colour, const PreviewLineStyle& style, double weight = 1) {
  std::string text = " fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + N(style.Width * weight) +
                     "\"" + Dashes(style);
  if (style.Opacity < 1) text += " stroke-opacity=\"" + N(style.Opacity) + "\"";
  return text + " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
}

class SvgWriter {
 public:
  explicit SvgWriter(const PreviewModel& model) : model_(model) {
    const double w = std::max(model.MaxX - model.MinX, 1e-6), h = std::max(model.MaxY - model.MinY, 1e-6);
    scale_ = std::min(kDrawingWidth / w, kDrawingHeight / h);
    width_ = w * scale_;
    height_ = h * scale_;
  }

  std::string Write() {
    Outlines();
    Group("saw-passes", [&](const PreviewItem& item) { return item.Kind == PreviewKind::SawPass; });
    Group("edge-bores", [&](const PreviewItem& item) {
      return item.Kind == PreviewKind::EdgeBore || item.Kind == PreviewKind::EdgeBoreEnd;
    });
    Group("holes", [&](const PreviewItem& item) {
      return item.Kind == PreviewKind::Stroke || item.Kind == PreviewKind::Hole;
    });
    Cuts();
    Group("arrows", [&](const PreviewItem& item) { return item.Kind == PreviewKind::Arrow; });
    Rapids();
    const double bottom = Legend();
    const double total_width = kLeft + width_ + kLegendGap + kLegendWidth;
    const double total_height = std::max(kTop + height_ + kLeft, bottom + kLeft);
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << N(total_width) << "\" height=\""
        << N(total_height) << "\" viewBox=\"0 0 " << N(total_width) << " " << N(total_height)
        << "\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"12\">\n"
        << "<title>" << Escaped(model_.Header.Description) << "</title>\n"
        << "<rect class=\"background\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
        << Heading() << body_.str() << "</svg>\n";
    return svg.str();
  }

 private:
  double X(const ProgramPoint& p) const { return kLeft + (p.X - model_.MinX) * scale_; }
  double Y(const ProgramPoint& p) const { return kTop + (model_.MaxY - p.Y) * scale_; }
  std::string At(const ProgramPoint& p) const { return N(X(p)) + "," + N(Y(p)); }

  std::string Points(const std::vector<ProgramPoint>& points) const {
    std::string text;
    for (const ProgramPoint& p : points) text += (text.empty() ? "" : " ") + At(p);
    return text;
  }

  static std::string Title(const PreviewItem& item) {
    const std::string where = item.Portion > 1 ? "portion " + std::to_string(item.Portion) + ", " : "";
    return "<title>" + where + "line " + std::to_string(item.Line) + "</title>";
  }

  const PreviewPen* PenOf(const PreviewItem& item) const {
    return item.Pen >= 0 ? &model_.Pens[static_cast<std::size_t>(item.Pen)] : nullptr;
  }
  std::string ColourOf(const PreviewItem& item) const {
    const std::string own = OwnColourOf(item);
    if (!own.empty()) return own;
    const PreviewPen* pen = PenOf(item);
    return pen ? pen->Colour : std::string(kRapidColour);
  }

  std::string Heading() const {
    const ProgramHeader& h = model_.Header;
    const std::string unit = h.Inch ? " in" : " mm";
    return "<text class=\"heading\" x=\"" + N(kLeft) + "\" y=\"28\" font-size=\"17\" font-weight=\"bold\">" +
           Escaped(h.Description) + "</text>\n<text class=\"heading\" x=\"" + N(kLeft) +
           "\" y=\"47\" fill=\"#555555\">" + PreviewNumber(h.Length, 3) + " x " + PreviewNumber(h.Width, 3) +
           " x " + PreviewNumber(h.Thickness, 3) + unit + "</text>\n";
  }

  void Outlines() {
    body_ << "<g class=\"outlines\">\n";
    for (const PreviewItem& item : model_.Items) {
      if (item.Kind != PreviewKind::Panel && item.Kind != PreviewKind::EdgeView) continue;
      body_ << "<polygon class=\"" << KindName(item.Kind) << "\" points=\"" << Points(item.Points)
            << "\" fill=\"" << (item.Kind == PreviewKind::Panel ? kPanelFill : kEdgeViewFill)
            << "\" stroke=\"" << kPanelEdge << "\" stroke-width=\"" << N(LineStyleOf(item.Kind).Width)
            << "\"/>\n";
    }
    body_ << "</g>\n";
  }

  template <class Wanted>
  void Group(const char* name, Wanted wanted) {
    body_ << "<g class=\"" << name << "\">\n";
    for (const PreviewItem& item : model_.Items) {
      if (wanted(item)) Item(item);
    }
    body_ << "</g>\n";
  }

  // Deeper passes are wider and lie beneath, so stacked depth passes show as bands.
  void Cuts() {
    std::vector<const PreviewItem*> cuts;
    for (const PreviewItem& item : model_.Items) {
      const PreviewKind k = item.Kind;
      if (k == PreviewKind::Cut || k == PreviewKind::Ramp || k == PreviewKind::LeadIn ||
          k == PreviewKind::LeadOut)
        cuts.push_back(&item);
    }
    std::stable_sort(cuts.begin(), cuts.end(), [&](const PreviewItem* a, const PreviewItem* b) {
      return PenOf(*a)->Weight > PenOf(*b)->Weight;
    });
    body_ << "<g class=\"cuts\">\n";
    for (const PreviewItem* item : cuts) Item(*item);
    body_ << "</g>\n";
  }

  void Rapids() {
    body_ << "<g class=\"rapids\">\n";
    std::ostringstream numbers;
    for (const PreviewItem& item : model_.Items) {
      if (item.Kind != PreviewKind::Rapid) continue;
      Item(item);
      const ProgramPoint middle{(item.Points[0].X + item.Points[1].X) / 2,
                                (item.Points[0].Y + item.Points[1].Y) / 2};
      numbers << "<text class=\"rapid-number\" x=\"" << N(X(middle)) << "\" y=\"" << N(Y(middle) + 3)
              << "\" font-size=\"9\" text-anchor=\"middle\" fill=\"#222222\" stroke=\"#ffffff\" "
                 "stroke-width=\"2.5\" paint-order=\"stroke\">"
              << item.Number << "</text>\n";
    }
    body_ << numbers.str() << "</g>\n";
  }

  void Item(const PreviewItem& item) {
    const std::string cls = KindName(item.Kind), colour = ColourOf(item);
    const PreviewPen* pen = PenOf(item);
    switch (item.Kind) {
      case PreviewKind::Hole:
      case PreviewKind::EdgeBoreEnd: {
        const bool known = item.Diameter > 0;
        const double r = known ? std::max(item.Diameter * scale_ / 2, kLeastHoleRadius) : kUnknownHoleRadius;
        body_ << "<circle class=\"" << cls << (known ? "" : " unknown-diameter") << "\" cx=\""
              << N(X(item.Points[0])) << "\" cy=\"" << N(Y(item.Points[0])) << "\" r=\"" << N(r)
              << "\" fill=\"#ffffff\" fill-opacity=\"0.85\" stroke=\"" << colour << "\" stroke-width=\"1.2\""
              << (known ? "" : " stroke-dasharray=\"1.5 1.5\"") << ">" << Title(item) << "</circle>\n";
        return;
      }
      case PreviewKind::Arrow: {
        const ProgramPoint at = item.Points[0], d = item.Points[1];
        const double x = X(at), y = Y(at), dx = d.X, dy = -d.Y, s = 1 + 0.3 * (pen ? pen->Weight : 1);
        const auto point = [&](double along, double across) {
          return N(x + (dx * along - dy * across) * s) + "," + N(y + (dy * along + dx * across) * s);
        };
        body_ << "<path class=\"arrow\" d=\"M" << point(4.5, 0) << " L" << point(-3.5, 3.5) << " L"
              << point(-1.5, 0) << " L" << point(-3.5, -3.5) << " Z\" fill=\"" << colour << "\"/>\n";
        return;
      }
      default:
        body_ << "<polyline class=\"" << cls << "\" points=\"" << Points(item.Points) << "\""
              << Stroke(colour, LineStyleOf(item.Kind), pen ? pen->Weight : 1) << ">" << Title(item)
              << "</polyline>\n";
    }
  }

  // The sample of a legend row: a short line in the row's style, a circle for holes.
  std::string Sample(const LegendRow& row, double x, double y) const {
    if (row.Kind == PreviewKind::Hole)
      return "<circle cx=\"" + N(x + 14) + "\" cy=\"" + N(y) + "\" r=\"5\" fill=\"#ffffff\" stroke=\"" +
             row.Colour + "\" stroke-width=\"1.2\"/>";
    return "<line x1=\"" + N(x) + "\" y1=\"" + N(y) + "\" x2=\"" + N(x + 28) + "\" y2=\"" + N(y) + "\"" +
           Stroke(row.Colour, LineStyleOf(row.Kind), row.Weight) + "/>";
  }

  double Legend() {
    const double x = kLeft + width_ + kLegendGap;
    double y = kTop + 4;
    body_ << "<g class=\"legend\">\n<text x=\"" << N(x) << "\" y=\"" << N(y) << "\" font-size=\"14\" "
          << "font-weight=\"bold\">Legend</text>\n";
    for (const LegendRow& row : LegendRows(model_)) {
      y += kRowHeight;
      const bool heading = row.Kind == PreviewKind::Panel;
      if (!heading) body_ << Sample(row, x, y - 4) << "\n";
      body_ << "<text x=\"" << N(heading ? x : x + 36) << "\" y=\"" << N(y) << "\""
            << (heading ? " font-weight=\"bold\"" : "") << ">" << Escaped(row.Text) << "</text>\n";
    }
    y += kRowHeight * 1.6;
    body_ << "<text x=\"" << N(x) << "\" y=\"" << N(y)
          << "\" font-size=\"14\" font-weight=\"bold\">Summary</text>\n";
    for (const std::string& line : SummaryLines(model_)) {
      y += kRowHeight;
      body_ << "<text class=\"summary\" x=\"" << N(x) << "\" y=\"" << N(y) << "\">" << Escaped(line)
            << "</text>\n";
    }
    body_ << "</g>\n";
    return y;
  }

  const PreviewModel& model_;
  double scale_ = 1, width_ = 0, height_ = 0;
  std::ostringstream body_;
};

}  // namespace

std::string PreviewSvg(const PreviewModel& model) { return SvgWriter(model).Write(); }

}  // namespace mq
