// The window's preview pane: after a run it shows the last drawing's program, selecting
// a drawing's row shows that one, the wheel zooms, a double-click fits, and the pane
// can be hidden.

#include "gui/preview_pane.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QWheelEvent>

#include "output/preview/preview_legend.h"
#include "window_harness.h"

namespace mq::gui::test {
namespace {

int Count(const PreviewModel& model, PreviewKind kind) {
  return static_cast<int>(std::count_if(model.Items.begin(), model.Items.end(),
                                        [&](const PreviewItem& item) { return item.Kind == kind; }));
}

TEST_F(WindowTest, PreviewShowsTheSelectedDrawingsProgramZoomsAndHides) {
  WriteSettings();
  for (const char* name : {"A.DXF", "B.DXF"}) Drawing(name);
  Open();
  Find<QTableWidget>("list1")->selectAll();
  Click("Start");
  auto* pane = Find<PreviewPane>("PreviewPane");
  PreviewCanvas* canvas = pane->Canvas();
  EXPECT_EQ(pane->Caption(), "B") << "the last program of the run";
  EXPECT_EQ(Count(canvas->Model(), PreviewKind::Panel), 1);
  EXPECT_EQ(Count(canvas->Model(), PreviewKind::Cut), 1) << "the drawing's one route";
  auto* report = Find<QTableWidget>("List2");
  report->setCurrentCell(0, 0);
  EXPECT_EQ(pane->Caption(), "A");

  const QImage picture = canvas->grab().toImage();
  const QPointF middle(picture.width() / 2.0, picture.height() / 2.0);
  EXPECT_EQ(picture.pixelColor(picture.width() / 4, picture.height() / 2), QColor(kPanelFill)) << "the panel";
  QWheelEvent wheel(middle, canvas->mapToGlobal(middle), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas, &wheel);
  EXPECT_GT(canvas->Zoom(), 1);
  canvas->Fit();
  EXPECT_EQ(canvas->Zoom(), 1);

  Click("PreviewBtn");
  EXPECT_TRUE(pane->isHidden());
  EXPECT_EQ(Find<QPushButton>("PreviewBtn")->text(), "Show Preview");
}

}  // namespace
}  // namespace mq::gui::test
