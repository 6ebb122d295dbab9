#include "gui/screenshots.h"

#include <QDir>
#include <QEventLoop>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "gui/main_window.h"

namespace mq::gui {

namespace {

constexpr int kSettleMs = 250;
// The window's size on a first start on an ordinary screen (the screenless platform's
// screen is smaller).
const QSize kWindowSize(1120, 780);

// Lets the window lay itself out and paint.
void Settle(int ms = kSettleMs) {
  QEventLoop wait;
  QTimer::singleShot(ms, &wait, &QEventLoop::quit);
  wait.exec();
}

class Camera {
 public:
  explicit Camera(const QString& directory) : directory_(directory) { QDir().mkpath(directory); }

  void Take(QWidget* widget, const QString& name) {
    const QString path = QDir(directory_).filePath(name + QStringLiteral(".png"));
    if (widget != nullptr && widget->grab().save(path)) {
      std::printf("%s\n", path.toLocal8Bit().constData());
    } else {
      std::fprintf(stderr, "cannot save %s\n", path.toLocal8Bit().constData());
      failed_ = true;
    }
  }
  bool Failed() const { return failed_; }

 private:
  QString directory_;
  bool failed_ = false;
};

template <class Widget = QWidget>
Widget* Find(QObject* root, const char* name) {
  return root->findChild<Widget*>(QString::fromLatin1(name));
}

// Opens a modal dialog with `button` and pictures it while it is open, then leaves it
// with `close_button`.
void TakeDialog(MainWindow& window, const char* button, const char* dialog_name, const char* close_button,
                const std::function<void(QWidget*)>& pictures) {
  QTimer::singleShot(kSettleMs, &window, [&window, dialog_name, close_button, pictures] {
    QWidget* dialog = Find(&window, dialog_name);
    Settle();
    pictures(dialog);
    Find<QPushButton>(dialog, close_button)->click();
  });
  Find<QPushButton>(&window, button)->click();
}

}  // namespace

int TakeScreenshots(MainWindow& window, const QString& directory) {
  Camera camera(directory);
  window.resize(kWindowSize);
  window.show();
  Settle();
  auto* defaults = Find<QPushButton>(&window, "CmdDF");
  if (!Find(&window, "Frame2")->isVisible()) defaults->click();
  Settle();
  camera.Take(&window, QStringLiteral("main-window"));
  defaults->click();
  Settle();
  camera.Take(&window, QStringLiteral("main-defaults-hidden"));
  defaults->click();
  Settle();

  // During the run: once the second drawing has its report row.
  auto* report = Find<QTableWidget>(&window, "List2");
  bool during_taken = false;
  QTimer during;
  QObject::connect(&during, &QTimer::timeout, &window, [&] {
    if (!during_taken && window.Running() && report->rowCount() >= 2) {
      during_taken = true;
      camera.Take(&window, QStringLiteral("main-during-run"));
    }
  });
  during.start(20);
  Find<QTableWidget>(&window, "list1")->selectAll();
  Find<QPushButton>(&window, "Start")->click();
  during.stop();
  Settle();
  camera.Take(&window, QStringLiteral("main-after-run"));

  TakeDialog(window, "SetB", "Setup", "PrefCan", [&camera](QWidget* setup) {
    auto* tabs = Find<QTabWidget>(setup, "SetupTabs");
    const char* names[] = {"setup-paths", "setup-auto-action", "setup-preferences", "setup-pts-file"};
    for (int tab = 0; tab < tabs->count(); ++tab) {
      tabs->setCurrentIndex(tab);
      Settle(100);
      camera.Take(setup, QString::fromLatin1(names[tab]));
    }
  });
  TakeDialog(window, "TSetB", "ToolSub", "BtnCan",
             [&camera](QWidget* tool_sub) { camera.Take(tool_sub, QStringLiteral("tool-sub")); });

  window.close();
  return camera.Failed() || !during_taken ? 1 : 0;
}

}  // namespace mq::gui
