#include "gui/progress_meters.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>

namespace mq::gui {

namespace {

// The frame's caption: the meters' words, spaced to stand over the meters.
const char* const kStatusCaption =
    "    Parsing         Reading Info    Processing       Sequencing      Syn Leads          G Code     ";

constexpr int kReadingInterval = 25;  // ms: meter 0 follows the reader closely
constexpr int kCreepInterval = 1000;  // ms: meters 1 to 5 creep by 1 while their stage works
constexpr int kFastIntervalLimit = 100;

QStringList CaptionWords() {
  return QString::fromLatin1(kStatusCaption)
      .split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts);
}

}  // namespace

ProgressMeters::ProgressMeters(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("StatusFrame"));
  setAccessibleName(QString::fromLatin1(kStatusCaption).simplified());
  setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(10, 6, 10, 8);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(3);
  const QStringList words = CaptionWords();
  for (int meter = 0; meter < kMeterCount; ++meter) {
    auto* word = new QLabel(words.value(meter));
    word->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    auto* bar = new QProgressBar;
    bar->setObjectName(QStringLiteral("ProgressBar%1").arg(meter));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setFixedHeight(word->sizeHint().height() - 2);
    bar->setAccessibleName(words.value(meter));
    grid->addWidget(word, 0, meter);
    grid->addWidget(bar, 1, meter);
    grid->setColumnStretch(meter, 1);
    bars_[static_cast<std::size_t>(meter)] = bar;
  }
  timer_.setObjectName(QStringLiteral("PBTimer"));
  connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

void ProgressMeters::Set(int meter, int percent) {
  if (meter < 0 || meter >= kMeterCount) return;
  percent = std::clamp(percent, 0, 100);
  values_[static_cast<std::size_t>(meter)] = percent;
  if (QThread::currentThread() == thread()) {
    Follow(meter, percent);
  } else {
    QMetaObject::invokeMethod(
        this, [this, meter, percent] { Follow(meter, percent); }, Qt::QueuedConnection);
  }
}

void ProgressMeters::Follow(int meter, int percent) {
  Show(meter);
  if (std::all_of(values_.begin(), values_.end(), [](const std::atomic<int>& v) { return v == 0; })) {
    timer_.stop();
  } else if (meter == 0 && percent > 0) {
    const int interval = percent >= 100 ? kCreepInterval : kReadingInterval;
    if (!timer_.isActive() || timer_.interval() != interval) timer_.start(interval);
  }
}

int ProgressMeters::Value(int meter) const {
  return meter >= 0 && meter < kMeterCount ? values_[static_cast<std::size_t>(meter)].load() : 0;
}

void ProgressMeters::Tick() {
  if (timer_.interval() < kFastIntervalLimit) return;  // meter 0 is shown as it is set
  for (int meter = 1; meter < kMeterCount; ++meter) {
    std::atomic<int>& value = values_[static_cast<std::size_t>(meter)];
    int now = value;
    // The conversion may set the meter meanwhile: its value wins.
    if (now >= 1 && now < 100 && value.compare_exchange_strong(now, now + 1)) Show(meter);
  }
}

void ProgressMeters::Show(int meter) {
  bars_[static_cast<std::size_t>(meter)]->setValue(values_[static_cast<std::size_t>(meter)]);
}

}  // namespace mq::gui
