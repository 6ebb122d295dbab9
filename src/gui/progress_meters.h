#pragma once
// `StatusFrame`: six meters, one under each word of the caption, that show the
// stages of the drawing being converted. The reader and the engine set them; the
// progress timer `PBTimer` keeps the later stages creeping while they work. The
// conversion sets and reads the meters from its own thread.

#include <QFrame>
#include <QTimer>
#include <array>
#include <atomic>

class QProgressBar;

namespace mq::gui {

inline constexpr int kMeterCount = 6;

class ProgressMeters : public QFrame {
 public:
  explicit ProgressMeters(QWidget* parent = nullptr);

  // 0..100, from any thread. Reading (meter 0) starts the timer fast; once it is
  // read, the timer slows to a creep of the meters that have started. All meters at 0
  // stop it.
  void Set(int meter, int percent);
  int Value(int meter) const;

 private:
  void Follow(int meter, int percent);  // on the window's thread
  void Tick();
  void Show(int meter);

  std::array<std::atomic<int>, kMeterCount> values_{};
  std::array<QProgressBar*, kMeterCount> bars_{};
  QTimer timer_;
};

}  // namespace mq::gui
