// Round trip: every drawing of every golden case is converted in memory, its program text
// composed without storing it (the text must be one of the case's expected programs) and
// read back; what the reader gives must be what the engine's finished lists hold, within
// one unit of the last decimal written:
//   - the holes, as a set, are the bores of BoreList (rows resolved through Par.DAT);
//   - the saw passes and the edge bores are LineBoreList and EdgeBoreList, in order;
//   - the routed points are PathList's points in order, each at its record's depth, every
//     record point lies on the traced path, and every arc passes through the middle of
//     the engine's arc (bulge arcs by their bulge, centre arcs by their centre and turn).
// So the preview, which draws the read program, shows what the machine will do.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <sstream>

#include "engine/driver/convert_drawing.h"
#include "engine/driver/units.h"
#include "input/dxf_reader.h"
#include "output/program_paths.h"
#include "output/program_reader.h"
#include "output/program_text.h"
#include "shell/ini_file.h"
#include "shell/settings_store.h"
#include "support/golden_cases.h"
#include "support/recording_operator.h"

namespace mq::test {
namespace {

namespace fs = std::filesystem;

std::ostream& operator<<(std::ostream& out, ProgramPoint p) {
  return out << "(" << p.X << ", " << p.Y << ")";
}

struct Trip {
  std::string Name;
  Settings S;
  ConversionState State;
  ToolTable Table;
  ProgramReading Read;
  double Tol = 0.011;
  std::vector<std::string> Failures;

  template <class... Parts>
  void Fail(const Parts&... what) {
    std::ostringstream out;
    out << Name << ": ";
    (out << ... << what);
    Failures.push_back(out.str());
  }
};

double DepthOf(float z) { return z >= kNoDepthFrom ? 0 : z; }

void CheckHoles(Trip& t) {
  std::vector<ProgramPoint> holes;
  for (const ProgramLine& line : t.Read.Lines) {
    for (const HolePoint& h : line.Holes) holes.push_back({h.X, h.Y});
  }
  if (holes.size() != static_cast<std::size_t>(t.State.BoreList.size()))
    t.Fail(holes.size(), " holes read, BoreList has ", t.State.BoreList.size());
  for (const BoreRecord& bore : t.State.BoreList) {
    const ProgramPoint at{bore.X, bore.Y};
    const auto hole =
        std::find_if(holes.begin(), holes.end(), [&](ProgramPoint h) { return Distance(h, at) < t.Tol; });
    if (hole == holes.end())
      t.Fail("no hole at the bore ", at);
    else
      holes.erase(hole);
  }
}

void CheckSawAndEdgeBores(Trip& t) {
  std::vector<const ProgramLine*> saws, edges;
  for (const ProgramLine& line : t.Read.Lines) {
    if (line.Kind == LineKind::SawPass) saws.push_back(&line);
    if (line.Kind == LineKind::EdgeBore) edges.push_back(&line);
  }
  const auto near = [&](double a, double b) { return std::fabs(a - b) < t.Tol; };
  const int grooves = t.State.LineBoreList.size(), edge_bores = t.State.EdgeBoreList.size();
  if (static_cast<int>(saws.size()) != grooves) t.Fail("saw passes differ in number");
  for (int k = 0; k < static_cast<int>(saws.size()) && k < grooves; ++k) {
    const LineBoreRecord& g = t.State.LineBoreList[k + 1];
    const ProgramLine& s = *saws[k];
    const bool end = s.Code == "G16" ? near(s.EndX.value_or(1e9), g.X2) : near(s.EndY.value_or(1e9), g.Y2);
    if (!near(*s.X, g.X1) || !near(*s.Y, g.Y1) || !near(*s.Z, DepthOf(g.Z)) || !end)
      t.Fail("saw pass of line ", s.Number, " is not groove ", k + 1);
  }
  static const char* kCodes[] = {"", "G09", "G08", "G06", "G07"};
  if (static_cast<int>(edges.size()) != edge_bores) t.Fail("edge bores differ in number");
  for (int k = 0; k < static_cast<int>(edges.size()) && k < edge_bores; ++k) {
    const EdgeBoreRecord& b = t.State.EdgeBoreList[k + 1];
    const ProgramLine& e = *edges[k];
    if (e.Code != kCodes[b.Side] || !near(*e.X, b.X) || !near(*e.Y, b.Y) || !near(*e.Z, DepthOf(b.Z)))
      t.Fail("edge bore of line ", e.Number, " is not edge bore ", k + 1);
  }
}

double SegmentDistance(ProgramPoint p, ProgramPoint a, ProgramPoint b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y, length = dx * dx + dy * dy;
  const double u = length > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length, 0.0, 1.0) : 0;
  return Distance(p, {a.X + u * dx, a.Y + u * dy});
}

double PathDistance(const std::vector<ProgramPoint>& path, ProgramPoint p) {
  double best = path.empty() ? 1e9 : Distance(path[0], p);
  for (std::size_t k = 1; k < path.size(); ++k)
    best = std::min(best, SegmentDistance(p, path[k - 1], path[k]));
  return best;
}

// The middle of the engine's arc from `from` around `centre` to `to`, turning one way.
ProgramPoint ArcMiddle(ProgramPoint from, ProgramPoint to, ProgramPoint centre, bool ccw) {
  const double a0 = std::atan2(from.Y - centre.Y, from.X - centre.X);
  double sweep = std::atan2(to.Y - centre.Y, to.X - centre.X) - a0;
  if (ccw && sweep <= 1e-9) sweep += 2 * std::numbers::pi;
  if (!ccw && sweep >= -1e-9) sweep -= 2 * std::numbers::pi;
  const double r = Distance(from, centre), a = a0 + sweep / 2;
  return {centre.X + r * std::cos(a), centre.Y + r * std::sin(a)};
}

void CheckPath(Trip& t, const ProgramAxes& axes) {
  const OneBasedList<PathSegment>& path = t.State.PathList;
  std::vector<ProgramPoint> traced;  // every contour traced, one after the other
  int at = 1;                        // the record the last program point matched
  // The first record from the last match on at the line's point and, where it says, depth.
  const auto match = [&](ProgramPoint p, const ProgramLine& line) {
    for (int k = at; k <= path.size(); ++k) {
      const PathSegment& r = path[k];
      if (r.SegmentType == segment::kRemoved || Distance({r.X, r.Y}, p) >= t.Tol) continue;
      if (line.Z && std::fabs(*line.Z - DepthOf(r.Z)) >= t.Tol) continue;
      at = k;
      return;
    }
    t.Fail("line ", line.Number, " reaches ", p, line.Z ? " Z" + std::to_string(*line.Z) : "",
           ", no later point of PathList");
  };
  for (const ProgramContour& contour : ContoursOf(t.Read)) {
    ProgramPoint from = EndOf(*contour[0]);
    match(from, *contour[0]);
    traced.push_back(from);
    for (std::size_t k = 1; k < contour.size(); ++k) {
      const ProgramLine& line = *contour[k];
      if (line.Kind == LineKind::ThreePointArc) match({*line.I, *line.J}, line);
      match(EndOf(line), line);
      for (const ProgramPoint& p : TracePiece(from, line, axes, t.Tol)) traced.push_back(p);
      from = EndOf(line);
    }
  }
  // One axis mirrored turns every arc of the lists the other way round on the machine.
  const bool turned = t.State.XFromRight != t.State.YFromTop;
  for (int k = 1; k <= path.size(); ++k) {
    const PathSegment& r = path[k];
    const int type = std::abs(r.SegmentType);
    if (type == segment::kRemoved || type == segment::kConstantWidth) continue;
    const ProgramPoint p{r.X, r.Y};
    if (PathDistance(traced, p) >= t.Tol) t.Fail("record ", k, " ", p, " is not cut");
    if (k == path.size()) continue;
    const ProgramPoint q{path[k + 1].X, path[k + 1].Y};
    std::optional<ProgramPoint> middle;
    if (type == segment::kPolyline && r.Bulge() != 0 && path[k + 1].SegmentType > 0 && Distance(p, q) > 0) {
      const double chord = Distance(p, q), s = r.Bulge() * chord / 2;
      middle = {(p.X + q.X) / 2 + s * (q.Y - p.Y) / chord, (p.Y + q.Y) / 2 - s * (q.X - p.X) / chord};
      // A bulge arc flatter than the control's largest radius is cut straight.
      if (chord / 2 / std::sin(2 * std::atan(std::fabs(r.Bulge()))) >= 9900) middle.reset();
    } else if (r.SegmentType == -segment::kCentreArc) {
      middle = ArcMiddle(p, q, {r.CentreX, r.CentreY}, (path[k + 1].ChainFlag != 0) != turned);
    }
    if (middle && PathDistance(traced, *middle) >= 2 * t.Tol)
      t.Fail("the arc from record ", k, " ", p, " misses its middle ", *middle);
  }
}

Settings SettingsOf(const fs::path& ini) {
  Settings settings;
  LoadStartupSettings(ReadIniFile(ini).file, settings);
  return settings;
}

TEST(RoundTrip, EveryGoldenDrawingReadsBackAsTheEngineListsIt) {
  int drawings = 0;
  for (const GoldenCase& golden : GoldenCases()) {
    std::set<std::string> expected;
    for (const auto& entry : fs::recursive_directory_iterator(golden.Expected() / "out"))
      if (entry.is_regular_file()) expected.insert(ReadBytes(entry.path()));
    for (const fs::path& drawing : golden.Drawings) {
      Trip t;
      t.Name = golden.Name + "/" + drawing.filename().string();
      t.S = SettingsOf(golden.Settings);
      RecordingOperator person;
      RunContext run(person);
      run.DxfFileName = drawing.string();
      run.DxfShortName = run.ProgramName = drawing.stem().string();
      EntityStore store;
      ReadDxf(run.DxfFileName, store, run);
      EngineContext engine{run, store, t.S, t.State};
      if (run.FileFailed || ConvertDrawing(engine) != ConversionOutcome::Finished) continue;
      ++drawings;
      if (!golden.Head.empty()) t.Table = ParseToolTable(ReadBytes(golden.Head));
      const std::vector<std::string> texts = ProgramPortionTexts(t.S, t.State, t.Table);
      for (const std::string& text : texts) {
        if (!expected.count(text)) t.Fail("the program composed in memory is not the one written");
      }
      t.Read = ReadProgramPortions(texts, t.State.BoreList.empty() ? ToolTable{} : t.Table);
      for (const ReadError& error : t.Read.Errors) t.Fail(Describe(error));
      if (t.Read.Header.Inch) t.Tol = 0.0011;
      CheckHoles(t);
      CheckSawAndEdgeBores(t);
      CheckPath(t, AxesOf(t.Read, OriginIsLowerLeft(t.S)));
      for (const std::string& failure : t.Failures) ADD_FAILURE() << failure;
    }
  }
  EXPECT_GE(drawings, 20);
}

}  // namespace
}  // namespace mq::test
