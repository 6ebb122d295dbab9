#pragma once
// The progress line a person at a terminal sees on standard error while drawings are
// converted: "drawing 3 of 120: SIDE.DXF: Processing". It is rewritten in place and
// erased before anything else is printed, so the report and the messages stay clean.
// It is shown for a run of several drawings, and for a single drawing only once that
// drawing has taken a second; never when standard error is not a terminal.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>

namespace mq::cli {

class ProgressLine {
 public:
  using Clock = std::function<double()>;  // seconds, steadily rising

  // `shown`: standard error is a terminal. The clock is the steady clock by default.
  ProgressLine(std::ostream& err, bool shown, Clock clock = {});

  // Drawing `number` (from 1) of `count` begins; `name` is its request.
  void StartDrawing(std::size_t number, std::size_t count, const std::string& name);
  // A meter of the conversion moved (mq::meter): its caption becomes the stage, unless
  // a later meter has moved already.
  void MeterMoved(int meter, int percent);
  // Erases the line, before something else is written to the terminal. The next stage
  // draws it again.
  void Clear();

  // The text of the line as it is now (empty before the first drawing).
  const std::string& Text() const { return text_; }

 private:
  void Draw(bool stage_changed);

  std::ostream& err_;
  bool shown_;
  Clock clock_;
  std::size_t count_ = 0;
  double drawing_start_ = 0;
  std::string heading_;  // "drawing 3 of 120: SIDE.DXF"
  std::string stage_;
  int stage_index_ = -1;  // the meter of the stage shown; -1 before the first
  std::string text_;
  std::size_t drawn_width_ = 0;  // characters on the terminal now
};

// True when standard error is a terminal.
bool StandardErrorIsTerminal();

}  // namespace mq::cli
