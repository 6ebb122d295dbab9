// Section D of a program: the routed contours, with straight pieces, bulge arcs,
// three-point arcs and centre arcs.

#include <cmath>
#include <cstdlib>
#include <optional>

#include "engine/geometry/angles.h"
#include "input/plain_text.h"
#include "input/numeric_text.h"
#include "output/number_format.h"
#include "output/program_words.h"
#include "output/program_writer.h"
#include "output/tool_substitution.h"

namespace mq {

namespace {

// An arc of this radius or more (millimetres) is cut as a straight move.
constexpr float kLargestArcRadius = 9900.0f;
// Bearings this close put three points of an arc chain in line.
constexpr float kInLineBearings = 0.005f;
// A compensation code this short carries no side.
constexpr std::size_t kShortestCompensationCode = 3;
// The compensation value stands from the code's sixth character on ("G42 R5").
constexpr std::size_t kCompensationValueAt = 5;

struct Point {
  float X = 0, Y = 0;
};

class PathWriter {
 public:
  PathWriter(OneBasedList<PathSegment>& path, const WriterFrame& frame, const PathToolSource& tools,
             ProgramLines& lines)
      : path_(path), frame_(frame), tools_(tools), lines_(lines), p_(frame.Precision) {}

  void Write() {
    while (!path_.empty() && path_.back().SegmentType == segment::kRemoved) path_.raw().pop_back();
    count_ = path_.size();
    for (int i = 1; i <= count_; ++i) {
      ClearDeletionMark(i);
      PathSegment& r = path_[i];
      z_ = DepthOrZero(r.Z);
      if (r.Tool != 0) tool_word_ = " T" + SubstituteTool(tools_.ToolSettings, r.Tool);
      switch (std::abs(r.SegmentType)) {
        case segment::kLine:
        case segment::kPolyline:
          LineOrBulgePoint(i);
          break;
        case segment::kThreePoint:
          ThreePointArcPoint(i);
          break;
        case segment::kCentreArc:
          CentreArc(i);
          ++i;  // the arc's end record is consumed
          break;
        default:
          break;  // no output
      }
    }
    if (pending_) {
      PathSegment& m = path_[*pending_];
      Emit("G10" + Word('X', m.X) + Word('Y', m.Y) + Word('Z', z_), m);
    }
  }

 private:
  std::string Word(char letter, float& value) { return FormatCoordinateWord(letter, value, p_); }

  void Emit(std::string line, const PathSegment& at) {
    lines_.push_back(std::move(line));
    last_ = Point{at.X, at.Y};
  }

  // A record marked -4 (not among the last two) is dropped with the next one; the one
  // after them opens a new contour.
  void ClearDeletionMark(int i) {
    PathSegment& r = path_[i];
    if (r.SegmentType != -segment::kConstantWidth || i > count_ - 2) return;
    r.SegmentType = segment::kRemoved;
    r.ChainFlag = 0;
    path_[i + 1].SegmentType = segment::kRemoved;
    path_[i + 1].ChainFlag = 0;
    path_[i + 2].ChainFlag = -1;
  }

  bool ClosesContour(int i) const { return i == count_ || path_[i + 1].ChainFlag < 0; }

  std::string StartWords(PathSegment& r) {
    float z = z_;
    return Word('X', r.X) + Word('Y', r.Y) + Word('Z', z) + tool_word_ +
           CompensationWord(r.CompCode, r.Tool, tools_.Table, p_) + FeedWord(" VX", r.VX, p_) +
           FeedWord(" VZ", r.VZ, p_) + (r.VM > 0 ? " VM" + std::to_string(r.VM) : std::string());
  }

  void LineOrBulgePoint(int i) {
    PathSegment& r = path_[i];
    if (r.SegmentType < 0) {
      if (r.ChainFlag < 0) Emit("G10" + StartWords(r), r);
      return;
    }
    if (i > 1 && path_[i - 1].Bulge() != 0 && std::abs(path_[i - 1].SegmentType) == segment::kPolyline) {
      BulgeArc(i);
      return;
    }
    float z = z_;
    Emit((ClosesContour(i) ? "G00" : "G10") + Word('X', r.X) + Word('Y', r.Y) + Word('Z', z), r);
  }

  // The piece from the previous point P, leaving it with P's bulge, to this point Q.
  void BulgeArc(int i) {
    const PathSegment& from = path_[i - 1];
    PathSegment& to = path_[i];
    const float bulge = from.Bulge();
    const mq::BulgeArc arc = ArcFromBulge(from.X, from.Y, to.X, to.Y, bulge);
    const std::string prefix = (i < count_ && path_[i + 1].ChainFlag >= 0) ? "G1" : "G0";
    const float radius = std::isfinite(arc.Radius) ? RoundToPrecision(arc.Radius, p_) : arc.Radius;
    if (radius * frame_.MillimetresPerUnit >= kLargestArcRadius) {
      Emit(prefix + "0" + Word('X', to.X) + Word('Y', to.Y), to);
    } else if (radius > 0) {
      float i_value = radius;
      const char digit = bulge < 0 ? frame_.ClockwiseDigit : frame_.CounterClockwiseDigit;
      Emit(prefix + digit + "/" + Word('X', to.X) + Word('Y', to.Y) + Word('I', i_value), to);
    }
  }

  void ThreePointArcPoint(int i) {
    PathSegment& r = path_[i];
    if (r.ChainFlag < 0) {
      if (pending_) {
        PathSegment& m = path_[*pending_];
        float z = z_;
        Emit("G10" + Word('X', m.X) + Word('Y', m.Y) + Word('Z', z), m);
        pending_.reset();
      }
      Emit("G10" + StartWords(r), r);
      return;
    }
    if (!pending_) {
      pending_ = i;
      return;
    }
    PathSegment& m = path_[*pending_];
    const float a = Bearing(m.X, last_.X, m.Y, last_.Y);
    const float c = Bearing(r.X, last_.X, r.Y, last_.Y);
    if (std::fabs(a - c) < kInLineBearings) {
      float z = z_;
      lines_.push_back("G10" + Word('X', r.X) + Word('Y', r.Y) + Word('Z', z));
      last_ = Point{m.X, m.Y};
    } else {
      Emit(std::string("G1") + (a - c > 0 ? "3" : "2") + "/5" + Word('X', r.X) + Word('Y', r.Y) +
               Word('I', m.X) + Word('J', m.Y),
           r);
    }
    pending_.reset();
  }

  // From start record S (carrying the centre) to end record E (carrying its angle).
  void CentreArc(int i) {
    PathSegment& s = path_[i];
    if (s.ChainFlag < 0) Emit("G10" + StartWords(s), s);
    if (i == count_) return;  // an arc without its end record has nowhere to go
    const PathSegment& e = path_[i + 1];
    const double radius =
        std::hypot(static_cast<double>(e.X - s.CentreX), static_cast<double>(e.Y - s.CentreY));
    const double angle = static_cast<double>(e.CentreY) * static_cast<double>(RadiansPerDegree);
    float x = RoundToPrecision(static_cast<float>(s.CentreX + frame_.XSign * radius * std::cos(angle)), p_);
    float y = RoundToPrecision(static_cast<float>(s.CentreY + radius * std::sin(angle) * frame_.YSign), p_);
    const bool last_piece = i + 1 == count_ || path_[i + 2].ChainFlag < 0;
    const char digit = e.ChainFlag != 0 ? frame_.CounterClockwiseDigit : frame_.ClockwiseDigit;
    lines_.push_back(std::string(last_piece ? "G0" : "G1") + digit + Word('X', x) + Word('Y', y) +
                     Word('I', s.CentreX) + Word('J', s.CentreY));
    last_ = Point{x, y};
  }

  OneBasedList<PathSegment>& path_;
  const WriterFrame& frame_;
  const PathToolSource& tools_;
  ProgramLines& lines_;
  const int p_;
  int count_ = 0;
  float z_ = 0;
  std::string tool_word_;       // kept from contour to contour until a record names a tool
  std::optional<int> pending_;  // the middle point M of a three-point arc
  Point last_;                  // the last written point L
};

}  // namespace

std::string CompensationWord(const FixedText<10>& comp_code, int16_t tool, const ToolTable& table,
                             int precision) {
  std::string code(comp_code.view());
  for (char& ch : code) {
    if (static_cast<unsigned char>(ch) < ' ') ch = ' ';
  }
  code = TrimBlanks(code);
  if (code.size() < kShortestCompensationCode) return {};
  float value = code.size() > kCompensationValueAt - 1
                    ? static_cast<float>(ReadNumber(code.substr(kCompensationValueAt)))
                    : 0.0f;
  if (value == 0) value = table[tool].ToolDiameter / 2;
  std::string word;
  // "G41": the third character 1 is the left side.
  if (ReadNumber(code.substr(2, 1)) == 1) {
    value = -value;
    word = " R-";
  } else {
    word = value == 0 ? " R" : " R+";
  }
  value = RoundToPrecision(value, precision);
  if (value != 0) word += FormatCompensationValue(value);
  return word;
}

void AppendPathLines(OneBasedList<PathSegment>& path, const WriterFrame& frame, const PathToolSource& tools,
                     ProgramLines& lines) {
  PathWriter(path, frame, tools, lines).Write();
}

}  // namespace mq
