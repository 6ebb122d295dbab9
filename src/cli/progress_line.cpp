#include "cli/progress_line.h"

#include <chrono>
#include <cstdio>
#include <ostream>
#include <string_view>

#include "input/operator.h"
#include "input/run_context.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace mq::cli {

namespace {

// The captions of the window's six meters, in meter order.
constexpr std::string_view kStages[] = {"Parsing",    "Reading Info", "Processing",
                                        "Sequencing", "Syn Leads",    "G Code"};
constexpr double kSingleDrawingDelay = 1.0;  // seconds before one drawing shows progress
// Kept within a plain terminal's width: a wrapped line could not be rewritten in place.
constexpr std::size_t kMaxWidth = 79;

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& err, bool shown, Clock clock)
    : err_(err), shown_(shown), clock_(clock ? std::move(clock) : Clock(SteadySeconds)) {}

void ProgressLine::StartDrawing(std::size_t number, std::size_t count, const std::string& name) {
  count_ = count;
  drawing_start_ = clock_();
  heading_ = "drawing " + std::to_string(number) + " of " + std::to_string(count) + ": " + FileNamePart(name);
  stage_ = "starting";
  stage_index_ = -1;
  Draw(true);
}

void ProgressLine::MeterMoved(int meter, int percent) {
  // Meters set back to 0 between drawings say nothing about the drawing's stage; an
  // earlier meter that the engine tops up later does not take the stage back.
  if (percent <= 0 || meter < stage_index_ || meter >= static_cast<int>(std::size(kStages))) return;
  const bool changed = meter != stage_index_;
  stage_index_ = meter;
  stage_ = kStages[meter];
  Draw(changed);
}

void ProgressLine::Draw(bool stage_changed) {
  text_ = heading_ + ": " + stage_;
  if (text_.size() > kMaxWidth) text_ = text_.substr(0, kMaxWidth - 3) + "...";
  if (!shown_) return;
  if (count_ <= 1 && clock_() - drawing_start_ < kSingleDrawingDelay) return;
  if (!stage_changed && drawn_width_ > 0) return;  // the terminal shows it already
  Clear();
  err_ << text_ << std::flush;
  drawn_width_ = text_.size();
}

void ProgressLine::Clear() {
  if (drawn_width_ == 0) return;
  err_ << '\r' << std::string(drawn_width_, ' ') << '\r' << std::flush;
  drawn_width_ = 0;
}

bool StandardErrorIsTerminal() {
#if defined(_WIN32)
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

}  // namespace mq::cli
