// Read-back invariants: every golden program, and the program of every corpus drawing that
// converts, is read back from its text and checked against its drawing:
//   (a) a closed outline of a ROUTE layer is cut by a contour that closes: it ends where it
//       started, or, after a lead-out, where its lead-in ended (second point = last but one);
//   (b) every point of a contour (arcs traced), bore hole and saw pass lies on the panel of
//       the header grown by the largest tool radius: the largest D of the drawing's route
//       layers or R word of the program, halved for D;
//   (c) a pocket (a contour that comes back to its first point and goes on) stays inside the
//       outline it ran first;
//   (d) each hole lies on a bore of the drawing and is drilled by the bore's own tool, or by
//       a spindle 1..27 of Par.DAT of the bore's diameter (within 0.2 mm), or by T0 where
//       Par.DAT has none or is missing;
//   (e) the holes are as many as the drawing's vertical bores (POINTs, and CIRCLEs not
//       extruded towards an edge, on VBORE/DRILL layers), each bore is drilled, a G20 row's
//       last spindle reaches the row's end, the edge bores number at least the circles
//       extruded towards an edge and at most those plus the HBORE circles and lines, and no
//       group of touching routed pieces is left without a contour.
// Closures and bounds hold within one unit of the last decimal written (0.011 mm, 0.0011");
// drawing points match program points within the engine's 0.1 mm coincidence tolerance.
// Negative cases corrupt a golden program in memory, so each invariant is known to bite.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "output/program_paths.h"
#include "output/program_reader.h"
#include "support/drawing_census.h"
#include "support/dxf_builder.h"
#include "support/golden_cases.h"

namespace mq::test {
namespace {

namespace fs = std::filesystem;

std::ostream& operator<<(std::ostream& out, Point2 p) { return out << "(" << p.X << ", " << p.Y << ")"; }

// The program's frame in drawing terms: the panel's size and its lower-left corner in
// the drawing, the mirrored axes.
struct Frame {
  double W = 0, H = 0, Tolerance = 0.011, Match = 0.1;
  ProgramAxes Axes;
  std::optional<Point2> Corner;

  Point2 ToProgram(Point2 p) const {
    const double x = p.X - Corner->X, y = p.Y - Corner->Y;
    return {Axes.MirrorX ? W - x : x, Axes.MirrorY ? H - y : y};
  }
  bool OnPanel(Point2 p, double grown) const {
    return p.X >= -grown && p.X <= W + grown && p.Y >= -grown && p.Y <= H + grown;
  }
};

Frame FrameOf(const ProgramReading& program, const DrawingCensus& census, const std::string& settings) {
  const bool inch = program.Header.Inch;
  Frame f;
  f.W = program.Header.Length, f.H = program.Header.Width;
  f.Tolerance = inch ? 0.0011 : 0.011, f.Match = inch ? 0.1 / 25.4 : 0.1;
  const std::size_t origin = settings.find("\nOrigin=");  // any setting but 0: a lower-left origin
  f.Axes = AxesOf(program, origin != std::string::npos && settings.compare(origin + 8, 1, "0") != 0);
  // The panel is the rectangle of the header's size whose corners are all border points.
  const auto has = [&](Point2 p) {
    const auto near = [&](Point2 b) { return Distance(b, p) < f.Match; };
    return std::any_of(census.BorderPoints.begin(), census.BorderPoints.end(), near);
  };
  for (const Point2& p : census.BorderPoints)
    if (!f.Corner && has({p.X + f.W, p.Y}) && has({p.X, p.Y + f.H}) && has({p.X + f.W, p.Y + f.H}))
      f.Corner = p;
  return f;
}

// ---- the checks

struct Failure {
  char Invariant;
  std::string Text;
};

struct Subject {
  std::string Name;
  ProgramReading Program;
  DrawingCensus Drawing;
  ToolTable Table;
  Frame F;
  std::vector<Failure> Failures;

  // The failure told by its parts, after the invariant, the program and the line.
  template <class... Parts>
  void Fail(char invariant, const ProgramLine* line, const Parts&... why) {
    std::ostringstream out;
    out << "(" << invariant << ") " << Name;
    if (line && line->Portion > 1) out << " portion " << line->Portion;
    if (line) out << " line " << line->Number;
    out << ": ";
    (out << ... << why);
    Failures.push_back({invariant, out.str()});
  }
  std::vector<Point2> Trace(Point2 from, const ProgramLine& line) const {
    return TracePiece(from, line, F.Axes, F.Tolerance);
  }
};

// The contour cuts the outline: a circle by an arc about its centre with its radius, a
// polygon through every vertex.
bool CutsOutline(const Frame& f, const ProgramContour& contour, const DrawnOutline& outline,
                 const std::vector<Point2>& vertices) {
  const auto through = [&](Point2 v) {
    return std::any_of(contour.begin(), contour.end(),
                       [&](const ProgramLine* line) { return Distance(EndOf(*line), v) < f.Match; });
  };
  if (outline.Radius == 0) return std::all_of(vertices.begin(), vertices.end(), through);
  return std::any_of(contour.begin(), contour.end(), [&](const ProgramLine* line) {
    const Point2 centre{line->I.value_or(0), line->J.value_or(0)};
    return line->Kind == LineKind::CentreArc && Distance(centre, vertices[0]) < f.Match &&
           std::fabs(Distance(EndOf(*line), centre) - outline.Radius) < f.Match;
  });
}

void CheckClosedOutlines(Subject& s) {
  for (const DrawnOutline& outline : s.Drawing.ClosedOutlines) {
    std::vector<Point2> vertices;
    for (const Point2& v : outline.Vertices) vertices.push_back(s.F.ToProgram(v));
    if (!std::all_of(vertices.begin(), vertices.end(), [&](Point2 v) { return s.F.OnPanel(v, s.F.Match); }))
      continue;
    bool cut = false;
    for (const ProgramContour& c : ContoursOf(s.Program)) {
      if (!CutsOutline(s.F, c, outline, vertices)) continue;
      cut = true;
      const std::size_t n = c.size() - 1;
      if (Distance(EndOf(*c[0]), EndOf(*c[n])) >= s.F.Tolerance &&
          (n < 3 || Distance(EndOf(*c[1]), EndOf(*c[n - 1])) >= s.F.Tolerance))
        s.Fail('a', c.back(), "the contour from line ", c[0]->Number, " cutting the closed outline of ",
               census::Readable(outline.Layer), " starts at ", EndOf(*c[0]), " but ends at ", EndOf(*c[n]));
    }
    if (!cut)
      s.Fail('a', nullptr, "no contour cuts the closed outline of ", census::Readable(outline.Layer),
             " through ", vertices[0]);
  }
}

void CheckPanelBounds(Subject& s) {
  double radius = s.Drawing.LargestToolDiameter / 2;
  for (const ProgramLine& line : s.Program.Lines) radius = std::max(radius, line.CompensationValue);
  const auto check = [&](const ProgramLine& line, Point2 p) {
    const bool on = s.F.OnPanel(p, radius + s.F.Tolerance);
    if (!on)
      s.Fail('b', &line, p, " lies off the ", s.F.W, " x ", s.F.H, " panel grown by the tool radius ",
             radius);
    return on;
  };
  for (const ProgramContour& contour : ContoursOf(s.Program)) {
    Point2 at = EndOf(*contour[0]);
    bool on = check(*contour[0], at);
    for (std::size_t k = 1; k < contour.size() && on; ++k) {
      for (const Point2& p : s.Trace(at, *contour[k])) on = on && check(*contour[k], p);
      at = EndOf(*contour[k]);
    }
  }
  for (const ProgramLine& line : s.Program.Lines) {
    for (const HolePoint& hole : line.Holes) check(line, {hole.X, hole.Y});
    if (line.Kind == LineKind::SawPass)
      check(line, EndOf(line)) && check(line, {line.EndX.value_or(*line.X), line.EndY.value_or(*line.Y)});
  }
}

// Inside the polygon, or on its outline within `tolerance`.
bool Inside(const std::vector<Point2>& polygon, Point2 p, double tolerance) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point2 a = polygon[i], b = polygon[j];
    const double dx = b.X - a.X, dy = b.Y - a.Y, length = dx * dx + dy * dy;
    const double t = length > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length, 0.0, 1.0) : 0;
    if (Distance(p, {a.X + t * dx, a.Y + t * dy}) < tolerance) return true;
    if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < dx * (p.Y - a.Y) / dy + a.X) inside = !inside;
  }
  return inside;
}

void CheckPockets(Subject& s) {
  for (const ProgramContour& contour : ContoursOf(s.Program)) {
    const Point2 start = EndOf(*contour[0]);
    std::size_t end = 1;  // the outline's last line: back at the start
    while (end + 1 < contour.size() && Distance(EndOf(*contour[end]), start) >= s.F.Tolerance) ++end;
    if (end + 1 >= contour.size()) continue;  // not a pocket: it does not come back before its end
    std::vector<Point2> outline{start};
    for (std::size_t k = 1; k <= end; ++k) {
      const std::vector<Point2> piece = s.Trace(outline.back(), *contour[k]);
      outline.insert(outline.end(), piece.begin(), piece.end());
    }
    for (std::size_t k = end + 1; k < contour.size(); ++k) {
      const std::vector<Point2> piece = s.Trace(EndOf(*contour[k - 1]), *contour[k]);
      const auto out = std::find_if(piece.begin(), piece.end(),
                                    [&](Point2 p) { return !Inside(outline, p, s.F.Tolerance); });
      if (out == piece.end()) continue;
      s.Fail('c', contour[k], "the pocket pass reaches ", *out, ", outside the outline of lines ",
             contour[0]->Number, "..", contour[end]->Number);
      break;
    }
  }
}

void CheckSpindles(Subject& s, double mm) {
  for (const ProgramLine& line : s.Program.Lines) {
    for (std::size_t k = 0; k < line.Holes.size(); ++k) {
      const Point2 hole{line.Holes[k].X, line.Holes[k].Y};
      const auto bore =
          std::find_if(s.Drawing.VerticalBores.begin(), s.Drawing.VerticalBores.end(),
                       [&](const DrawnBore& b) { return Distance(s.F.ToProgram(b.At), hole) < s.F.Match; });
      if (bore == s.Drawing.VerticalBores.end()) {
        s.Fail('d', &line, "the hole ", hole, " lies on no bore of the drawing");
        continue;
      }
      const double d = bore->DiameterMm * mm;
      const auto fits = [&](int n) {
        return s.Table.Loaded && n >= 1 && n <= kDrillingHeadSpindles &&
               std::fabs(s.Table[n].ToolDiameter - d) <= 0.2;
      };
      bool any_spindle = false;
      for (int n = 1; n <= kDrillingHeadSpindles; ++n) any_spindle = any_spindle || fits(n);
      const std::string& word = line.Tools[k];
      const bool own = !bore->ToolText.empty();
      if (own ? word == bore->ToolText : any_spindle ? fits(std::atoi(word.c_str())) : word == "0") continue;
      s.Fail('d', &line, "T", word, " drills the ", d, " mm bore at ", hole, ", which asks for ",
             own           ? "T" + bore->ToolText
             : any_spindle ? "a spindle of its diameter"
                           : "T0");
    }
  }
}

void CheckCounts(Subject& s) {
  std::vector<Point2> holes;
  int edge_bores = 0;
  for (const ProgramLine& line : s.Program.Lines) {
    for (const HolePoint& hole : line.Holes) holes.push_back({hole.X, hole.Y});
    edge_bores += line.Kind == LineKind::EdgeBore;
    if (line.Kind == LineKind::BoreRow && line.EndX &&
        std::fabs(line.Holes.back().X - *line.EndX) > s.F.Tolerance)
      s.Fail('e', &line, "the row's last spindle drills at X", line.Holes.back().X, " but the row ends at X",
             *line.EndX);
  }
  const std::vector<DrawnBore>& bores = s.Drawing.VerticalBores;
  if (holes.size() != bores.size())
    s.Fail('e', nullptr, holes.size(), " holes drilled, the drawing has ", bores.size(), " vertical bores");
  for (const DrawnBore& bore : bores) {
    const Point2 at = s.F.ToProgram(bore.At);
    if (std::none_of(holes.begin(), holes.end(), [&](Point2 h) { return Distance(h, at) < s.F.Match; }))
      s.Fail('e', nullptr, "the bore at ", at, " is not drilled");
  }
  const int least = s.Drawing.EdgeFaceBores, most = least + s.Drawing.EdgeViewBoreItems;
  if (edge_bores < least || edge_bores > most)
    s.Fail('e', nullptr, edge_bores, " edge bores, the drawing asks for ", least, "..", most);
  const int contours = static_cast<int>(ContoursOf(s.Program).size());
  if (contours < s.Drawing.ContourGroups)
    s.Fail('e', nullptr, contours, " contours cut, the drawing routes ", s.Drawing.ContourGroups,
           " groups of pieces");
}

// ---- the programs and their drawings

struct ProgramSource {
  std::string Name;
  fs::path Drawing, Settings, ToolTableFile;
  std::vector<std::string> Texts;  // the portions in order
};

// Every line holding `holding` replaced by `replacement` (nullptr drops it).
struct Corruption {
  const char* Holding = nullptr;
  const char* Replacement = nullptr;
};

std::vector<Failure> Check(const ProgramSource& source, const Corruption& corruption = {}) {
  Subject s;
  s.Name = source.Name;
  if (!source.ToolTableFile.empty()) s.Table = ParseToolTable(ReadBytes(source.ToolTableFile));
  std::vector<std::string> texts = source.Texts;
  for (std::string& text : texts) {
    for (std::size_t at; corruption.Holding && (at = text.find(corruption.Holding)) != std::string::npos;) {
      const std::size_t begin = text.rfind('\n', at) + 1, end = text.find('\n', at) + 1;
      text.replace(begin, end - begin,
                   corruption.Replacement ? std::string(corruption.Replacement) + "\r\n" : "");
    }
  }
  s.Program = ReadProgramPortions(texts, s.Table);
  for (const ReadError& error : s.Program.Errors)
    s.Failures.push_back({'r', s.Name + ": " + Describe(error)});
  const double mm = s.Program.Header.Inch ? 25.4 : 1;
  s.Drawing = TakeCensus(source.Drawing.string(), mm);
  s.F = FrameOf(s.Program, s.Drawing, ReadBytes(source.Settings));
  if (s.Failures.empty() && (!s.Drawing.Read || !s.F.Corner))
    s.Fail('r', nullptr, "the panel of the header is not among the drawing's border points");
  if (!s.Failures.empty()) return s.Failures;
  CheckClosedOutlines(s);
  CheckPanelBounds(s);
  CheckPockets(s);
  CheckSpindles(s, mm);
  CheckCounts(s);
  return s.Failures;
}

// Program files of one drawing in portion order; part lists and index files left out.
std::vector<std::string> ProgramTexts(const fs::path& directory) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(directory))
    if (entry.is_regular_file() && entry.path().extension() != ".PTS") files.push_back(entry.path());
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
    const std::string x = a.filename().string(), y = b.filename().string();
    return x.size() != y.size() ? x.size() < y.size() : x < y;
  });
  std::vector<std::string> texts;
  for (const fs::path& file : files) texts.push_back(ReadBytes(file));
  return texts;
}

const fs::path kHead = kSourceDirectory / "examples" / "Par.DAT";
const fs::path kPlainSettings = kSourceDirectory / "tests" / "data" / "MQ400-plain.INI";

// The program of a case's one drawing; a case of several drawings is checked drawing by
// drawing, each against the program named after it.
std::vector<ProgramSource> GoldenSources(const std::string& name) {
  const GoldenCase golden = ReadGoldenCase(kGoldenDirectory / name);
  const fs::path out = golden.Expected() / "out";
  if (golden.Drawings.size() == 1)
    return {{name, golden.Drawings[0], golden.Settings, golden.Head, ProgramTexts(out)}};
  std::vector<ProgramSource> sources;
  for (const fs::path& drawing : golden.Drawings) {  // a drawing that fails has no program
    const std::string program = drawing.stem().string();
    if (fs::exists(out / program))
      sources.push_back(
          {name + "/" + program, drawing, golden.Settings, golden.Head, {ReadBytes(out / program)}});
  }
  return sources;
}

TEST(ReadbackInvariants, HoldOnEveryGoldenProgramAndBiteOnCorruptedOnes) {
  struct Case {
    std::string Name;
    Corruption Corrupt;
    char Expected;  // the invariant that must fail, or 0 for none
  };
  std::vector<Case> cases;
  for (const GoldenCase& golden : GoldenCases()) cases.push_back({golden.Name, {}, 0});
  ASSERT_GE(cases.size(), 7u);
  // clang-format off
  const Case corrupted[] = {
      {"door", {"G00 X298 Y0 Z19", nullptr}, 'a'},                         // the outer profile stays open
      {"back_instructions", {"J420", nullptr}, 'a'},                       // the circle itself is lost
      {"all_passes", {"X550 Y350 Z4", "\" G10 X650 Y350 Z4\""}, 'b'},      // a corner moved off the panel
      {"all_passes", {"X140 Y330 Z8", "\" G10 X160 Y330 Z8\""}, 'c'},      // a pocket pass beyond its outline
      {"side_panel", {"T22", "\" G00 X280 Y360 Z10 T5\""}, 'd'},           // a 5 mm spindle for the 8 mm bore
      {"side_panel", {"G00 X37 Y384", nullptr}, 'e'},                      // a stroke of eight holes dropped
      {"inch_panel", {"Y8 Z0.375", nullptr}, 'e'},                         // the slot is not routed
  };
  // clang-format on
  cases.insert(cases.end(), std::begin(corrupted), std::end(corrupted));
  for (const Case& c : cases) {
    std::string report;
    bool bitten = false;
    for (const ProgramSource& source : GoldenSources(c.Name)) {
      for (const Failure& failure : Check(source, c.Corrupt)) {
        report += "\n  " + failure.Text;
        bitten = bitten || failure.Invariant == c.Expected;
      }
    }
    if (c.Expected == 0)
      EXPECT_EQ(report, "") << c.Name;
    else
      EXPECT_TRUE(bitten) << c.Name << " with \"" << c.Corrupt.Holding << "\" corrupted should fail ("
                          << c.Expected << "):" << report;
  }
}

fs::path Scratch(const std::string& name) {
  return fs::temp_directory_path() / ("marquill-readback-" + std::to_string(::getpid())) / name;
}

// Converts a drawing with `marquill400-cli convert` in a scratch directory of its own
// (the drawing copied there, so nothing is written beside the original), ROOT at the
// golden drilling head, and checks its program; `portions` counts its files, none when
// it does not convert.
std::vector<Failure> ConvertAndCheck(const fs::path& drawing, const fs::path& settings,
                                     std::size_t& portions) {
  const fs::path dir = Scratch(drawing.stem().string() + "-run"), copy = dir / drawing.filename();
  fs::create_directories(dir / "out");
  fs::copy_file(drawing, copy, fs::copy_options::overwrite_existing);
  const std::string command = "cd '" + dir.string() + "' && ROOT='" + kHead.parent_path().string() + "' '" +
                              MARQUILL_CLI_PATH + "' convert --settings '" + settings.string() +
                              "' --dest out/ '" + drawing.filename().string() + "' >/dev/null 2>&1";
  const std::vector<std::string> texts =
      std::system(command.c_str()) == 0 ? ProgramTexts(dir / "out") : std::vector<std::string>{};
  portions = texts.size();
  return texts.empty() ? std::vector<Failure>{}
                       : Check({drawing.filename().string(), copy, settings, kHead, texts});
}

TEST(ReadbackInvariants, HoldOnEveryCorpusDrawingThatConverts) {
  const fs::path corpus(MARQUILL_CORPUS_DIR);
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  int drawings = 0, converted = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    if (entry.path().extension() != ".dxf" && entry.path().extension() != ".DXF") continue;
    ++drawings;
    std::size_t portions = 0;
    for (const Failure& failure : ConvertAndCheck(entry.path(), kPlainSettings, portions))
      ADD_FAILURE() << failure.Text;
    converted += portions > 0;
  }
  fs::remove_all(Scratch(""));
  EXPECT_GT(drawings, 0);
  std::cout << converted << " of " << drawings << " corpus drawings converted and were checked\n";
}

// 225 bores are more than the line limit of 200: the program is stored in portions, read
// back as one, and its saw passes and bores are counted across them.
TEST(ReadbackInvariants, HoldOnAProgramStoredInPortions) {
  const fs::path dir = Scratch("portions");
  fs::create_directories(dir);
  DxfBuilder drawing;
  drawing.Rectangle("BORDER Z19", 0, 0, 1200, 500).Circle("ROUTE Z10 T5 D10 L LD15", 1100, 250, 50);
  for (int k = 0; k < 225; ++k)
    drawing.Point("VBORE D8 Z10", 50 + 40 * (k / 9), 60 + 40 * (k % 9));  // no row
  for (int k = 0; k < 6; ++k) drawing.Line("GROOVE Z8 T61", 0, 20 + 8 * k, 1200, 20 + 8 * k);
  drawing.Save(dir / "MANY.DXF");
  std::string settings = ReadBytes(kPlainSettings);
  settings.replace(settings.find("LineLimit=600"), 13, "LineLimit=200");
  std::ofstream(dir / "MQ400.INI", std::ios::binary) << settings;
  std::size_t portions = 0;
  for (const Failure& failure : ConvertAndCheck(dir / "MANY.DXF", dir / "MQ400.INI", portions))
    ADD_FAILURE() << failure.Text;
  fs::remove_all(Scratch(""));
  EXPECT_EQ(portions, 2u);
}

}  // namespace
}  // namespace mq::test
