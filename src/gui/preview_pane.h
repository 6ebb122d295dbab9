#pragma once
// The preview pane: the picture of a program (see output/preview/program_preview.h)
// painted as the SVG preview draws it, with the legend and the summary beneath. The
// wheel zooms about the pointer, dragging pans, a double-click fits the panel again.

#include <QLabel>
#include <QPointF>
#include <QWidget>

#include "output/preview/program_preview.h"

namespace mq::gui {

class PreviewCanvas : public QWidget {
 public:
  explicit PreviewCanvas(QWidget* parent = nullptr);
  void SetModel(const PreviewModel& model);
  const PreviewModel& Model() const { return model_; }
  double Zoom() const { return zoom_; }
  void Fit();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  double Scale() const;  // pixels per program unit at zoom 1
  QPointF ToScreen(const ProgramPoint& p) const;
  void PaintItem(class QPainter& painter, const PreviewItem& item) const;

  PreviewModel model_;
  bool shown_ = false;
  double zoom_ = 1;
  QPointF pan_;  // pixels
  QPointF drag_from_;
};

class PreviewPane : public QWidget {
 public:
  explicit PreviewPane(QWidget* parent = nullptr);
  // The picture of `model`, read from `source` (shown as the pane's caption).
  void Show(const PreviewModel& model, const QString& source);
  // Nothing to show, and why.
  void ShowNothing(const QString& why);
  PreviewCanvas* Canvas() const { return canvas_; }
  QString Caption() const { return caption_->text(); }

 private:
  QLabel* caption_;
  PreviewCanvas* canvas_;
  QLabel* legend_;
};

}  // namespace mq::gui
