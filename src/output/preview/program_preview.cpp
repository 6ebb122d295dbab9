#include "output/preview/program_preview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "engine/geometry/closed_outline.h"

namespace mq {

namespace {

constexpr double kSecondsPerMinute = 60;
// An arrow on every routed piece longer than this share of the panel's diagonal.
constexpr double kArrowFromShare = 1.0 / 150;
// Edge views stand this share of the panel's larger side away from it, at least their thickness.
constexpr double kEdgeViewGapShare = 0.03;
// A tool of the drilling head: the spindles, and T0 where Par.DAT names none.
constexpr int kLastSpindle = kDrillingHeadSpindles;

// Router colours by tool, in order of first use; deeper passes of a tool are darker.
constexpr const char* kToolColours[] = {"#1b9e77", "#d95f02", "#7570b3", "#e7298a", "#66a61e", "#b8860b",
                                        "#1f78b4", "#a6761d", "#8e44ad", "#00838f", "#c0392b", "#5d6d7e"};
constexpr const char* kHoleColour = "#1f4e9c";
constexpr const char* kSawColour = "#b03a2e";
constexpr const char* kEdgeBoreColour = "#6a3d9a";
constexpr double kDeepestDarkening = 0.5;

std::string Darkened(const std::string& hex, double share) {
  const long rgb = std::strtol(hex.c_str() + 1, nullptr, 16);
  char text[8];
  const auto part = [&](int shift) {
    return static_cast<int>(std::lround(((rgb >> shift) & 0xff) * (1 - share)));
  };
  std::snprintf(text, sizeof text, "#%02x%02x%02x", part(16), part(8), part(0));
  return text;
}

double Length(const std::vector<ProgramPoint>& points) {
  double length = 0;
  for (std::size_t k = 1; k < points.size(); ++k) length += Distance(points[k - 1], points[k]);
  return length;
}

struct Operation {
  ProgramPoint Entry, Exit;
  std::string ToolKey;  // a change of it is a tool change
  int Portion = 1;
};

// The feeds and the router in force: each program file starts without them.
struct ModalWords {
  int Portion = 0;
  std::string Tool;
  std::optional<double> Feed, Plunge;
  double Z = 0;
};

class PreviewBuilder {
 public:
  PreviewBuilder(const ProgramReading& program, const ToolTable& table, const PreviewOptions& options)
      : program_(program), table_(table), options_(options) {
    model_.Header = program.Header;
    model_.Speeds = options.Speeds;
    model_.SpindlesKnown = table.Loaded;
    axes_ = AxesOf(program, options.OriginLowerLeft);
    mm_ = program.Header.Inch ? 25.4 : 1;
    tolerance_ = program.Header.Inch ? 0.0011 : 0.011;
    diagonal_ = std::hypot(program.Header.Length, program.Header.Width);
    int portions = 1;
    for (const ProgramLine& line : program.Lines) portions = std::max(portions, line.Portion);
    model_.Portions.resize(static_cast<std::size_t>(portions));
  }

  PreviewModel Build() {
    const std::vector<ProgramContour> contours = ContoursOf(program_);
    std::map<const ProgramLine*, const ProgramContour*> contour_at;
    for (const ProgramContour& contour : contours) contour_at[contour.front()] = &contour;
    for (const ProgramLine& line : program_.Lines) {
      Enter(line.Portion);
      const auto contour = contour_at.find(&line);
      if (contour != contour_at.end()) {
        Contour(*contour->second);
      } else if (line.Kind == LineKind::Bore || line.Kind == LineKind::BoreRow) {
        Stroke(line);
      } else if (line.Kind == LineKind::SawPass) {
        SawPass(line);
      } else if (line.Kind == LineKind::EdgeBore) {
        EdgeBore(line);
      }
    }
    Rapids();
    Outlines();
    ColourPens();
    Totals();
    Bounds();
    return std::move(model_);
  }

 private:
  PreviewSummary& Summary() { return model_.Portions[static_cast<std::size_t>(modal_.Portion - 1)]; }

  void Enter(int portion) {
    if (portion == modal_.Portion) return;
    modal_ = ModalWords();
    modal_.Portion = portion;
  }

  // The panel's frame: the corner the origin word names becomes the lower-left again.
  ProgramPoint OnPanel(ProgramPoint p) const {
    return {axes_.MirrorX ? program_.Header.Length - p.X : p.X,
            axes_.MirrorY ? program_.Header.Width - p.Y : p.Y};
  }

  double PerMinute(std::optional<double> given, double default_mm) const {
    return given && *given > 0 ? *given : default_mm / mm_;
  }
  double Minutes(double length, std::optional<double> given, double default_mm) const {
    return length / PerMinute(given, default_mm);
  }
  void AddMinutes(double minutes) { Summary().CycleSeconds += minutes * kSecondsPerMinute; }

  int Pen(PreviewKind work, const std::string& tool, double depth, std::optional<double> feed,
          std::optional<double> plunge) {
    for (std::size_t k = 0; k < model_.Pens.size(); ++k) {
      const PreviewPen& pen = model_.Pens[k];
      if (pen.Work == work && pen.Tool == tool && pen.Depth == depth && pen.Feed == feed &&
          pen.Plunge == plunge) {
        ++model_.Pens[k].Uses;
        return static_cast<int>(k);
      }
    }
    PreviewPen pen;
    pen.Work = work;
    pen.Tool = tool;
    pen.Depth = depth;
    pen.Feed = feed;
    pen.Plunge = plunge;
    pen.Uses = 1;
    model_.Pens.push_back(pen);
    return static_cast<int>(model_.Pens.size()) - 1;
  }

  // Holes are listed by diameter and depth, with the tools that drill them.
  int HolePen(const std::string& word, double diameter, double depth) {
    for (std::size_t k = 0; k < model_.Pens.size(); ++k) {
      PreviewPen& pen = model_.Pens[k];
      if (pen.Work != PreviewKind::Hole || pen.Diameter != diameter || pen.Depth != depth) continue;
      ++pen.Uses;
      if (std::find(pen.Tools.begin(), pen.Tools.end(), word) == pen.Tools.end()) pen.Tools.push_back(word);
      return static_cast<int>(k);
    }
    PreviewPen pen;
    pen.Work = PreviewKind::Hole;
    pen.Tool = word;
    pen.Depth = depth;
    pen.Diameter = diameter;
    pen.Tools = {word};
    pen.Uses = 1;
    model_.Pens.push_back(pen);
    return static_cast<int>(model_.Pens.size()) - 1;
  }

  void Add(PreviewKind kind, std::vector<ProgramPoint> points, const ProgramLine& line, int pen = -1,
           double diameter = 0) {
    model_.Items.push_back({kind, std::move(points), diameter, pen, 0, line.Portion, line.Number});
  }

  void AddOperation(ProgramPoint entry, ProgramPoint exit, std::string tool_key) {
    operations_.push_back({entry, exit, std::move(tool_key), modal_.Portion});
    ++Summary().Operations;
  }

  // A tool the drilling head holds changes nothing; any other tool is loaded for its work.
  static bool OnDrillingHead(const std::string& word) {
    const int n = std::atoi(word.c_str());
    return word.empty() ||
           (n >= 0 && n <= kLastSpindle && word.find_first_not_of("0123456789") == std::string::npos);
  }
  std::string DrillKey(const std::string& word) const { return OnDrillingHead(word) ? "head" : "T" + word; }

  // The diameter of the tool a T word names, where Par.DAT tells it.
  double DiameterOf(const std::string& word) const {
    const int n = std::atoi(word.c_str());
    if (!table_.Loaded || n < 1 || n > kToolTableEntries) return 0;
    return table_[n].ToolDiameter / mm_;
  }

  void Stroke(const ProgramLine& line) {
    std::vector<ProgramPoint> holes;
    for (const HolePoint& hole : line.Holes) holes.push_back(OnPanel({hole.X, hole.Y}));
    if (holes.empty()) return;
    const double depth = line.Z.value_or(0);
    if (holes.size() > 1) Add(PreviewKind::Stroke, holes, line);
    for (std::size_t k = 0; k < holes.size(); ++k) {
      const std::string& word = line.Tools[k];
      const double diameter = DiameterOf(word);
      Add(PreviewKind::Hole, {holes[k]}, line, HolePen(word, diameter, depth), diameter);
    }
    Summary().Holes += static_cast<int>(holes.size());
    ++Summary().Strokes;
    AddMinutes(Minutes(std::max(depth, 0.0), modal_.Plunge, options_.Speeds.Plunge));
    AddOperation(holes.front(), holes.front(), DrillKey(line.Tools.front()));
  }

  void SawPass(const ProgramLine& line) {
    const ProgramPoint start{*line.X, *line.Y};
    const ProgramPoint end{line.EndX.value_or(start.X), line.EndY.value_or(start.Y)};
    if (line.VX) modal_.Feed = line.VX;
    if (line.VZ) modal_.Plunge = line.VZ;
    const std::string tool = line.Tools.empty() ? std::string() : line.Tools.front();
    const double depth = line.Z.value_or(0), length = Distance(start, end);
    Add(PreviewKind::SawPass, {OnPanel(start), OnPanel(end)}, line,
        Pen(PreviewKind::SawPass, tool, depth, modal_.Feed, modal_.Plunge));
    Summary().CuttingLength += length;
    ++Summary().SawPasses;
    AddMinutes(Minutes(length, modal_.Feed, options_.Speeds.Feed) +
               Minutes(std::max(depth, 0.0), modal_.Plunge, options_.Speeds.Plunge));
    AddOperation(OnPanel(start), OnPanel(end), tool.empty() ? "saw" : "T" + tool);
  }

  // G09 top, G08 bottom: X along the edge, Y the depth; G06 left, G07 right: X the depth,
  // Y along the edge. Z is the height of the bore in the edge.
  void EdgeBore(const ProgramLine& line) {
    const double length = program_.Header.Length, width = program_.Header.Width;
    const bool top = line.Code == "G09", bottom = line.Code == "G08", left = line.Code == "G06";
    const bool across_x = top || bottom;
    const double depth = across_x ? *line.Y : *line.X;
    const ProgramPoint on = OnPanel({*line.X, *line.Y});
    const double along = across_x ? on.X : on.Y;
    ProgramPoint entry, bottom_of_bore;
    if (across_x) {
      entry = {along, top ? width : 0};
      bottom_of_bore = {along, top ? width - depth : depth};
    } else {
      entry = {left ? 0 : length, along};
      bottom_of_bore = {left ? depth : length - depth, along};
    }
    if (line.VX) modal_.Feed = line.VX;
    const std::string tool = line.Tools.empty() ? std::string() : line.Tools.front();
    const int pen = Pen(PreviewKind::EdgeBore, tool, depth, line.VX, {});
    Add(PreviewKind::EdgeBore, {entry, bottom_of_bore}, line, pen, DiameterOf(tool));
    edge_bores_.push_back({line.Code, along, line.Z.value_or(0), model_.Items.size() - 1});
    ++Summary().EdgeBores;
    AddMinutes(Minutes(std::max(depth, 0.0), line.VX, options_.Speeds.Plunge));
    AddOperation(entry, entry, DrillKey(tool));
  }

  // A contour with a lead-in starts its closed part at its second point; one with a
  // lead-out ends that part at its last point but one.
  void Leads(const std::vector<ProgramPoint>& p, bool& lead_in, bool& lead_out) const {
    const std::size_t n = p.size() - 1;
    const auto near = [&](std::size_t a, std::size_t b) { return Distance(p[a], p[b]) < tolerance_; };
    lead_in = lead_out = false;
    if (n < 2) return;
    // Leads at both ends: the lead-out may end where the lead-in began.
    if (n >= 3 && near(1, n - 1) && !near(0, 1)) {
      lead_in = lead_out = true;
      return;
    }
    if (near(0, n)) return;
    lead_in = near(1, n);
    lead_out = near(0, n - 1);
  }

  // A contour with leads is a cut-out: the first point of its lead-in, the last of its
  // lead-out and the middle of each lead arc lie inside the rest of it.
  bool LeadsOutside(const ProgramContour& contour, const std::vector<ProgramPoint>& ends, bool lead_in,
                    bool lead_out) const {
    const std::size_t first = lead_in ? 2 : 1, last = contour.size() - (lead_out ? 2 : 1);
    if (!lead_in && !lead_out) return false;
    std::vector<ProgramPoint> outline{ends[first - 1]};
    for (std::size_t k = first; k <= last; ++k) {
      const std::vector<ProgramPoint> traced = TracePiece(ends[k - 1], *contour[k], axes_, tolerance_);
      outline.insert(outline.end(), traced.begin(), traced.end());
    }
    if (outline.size() < 3) return false;
    std::vector<ProgramPoint> checked;
    const auto lead = [&](std::size_t k, ProgramPoint end_point) {
      checked.push_back(end_point);
      const std::vector<ProgramPoint> traced = TracePiece(ends[k - 1], *contour[k], axes_, tolerance_);
      if (traced.size() > 1) checked.push_back(traced[traced.size() / 2]);  // an arc: its middle
    };
    if (lead_in) lead(1, ends.front());
    if (lead_out) lead(contour.size() - 1, ends.back());
    const double on_outline = tolerance_ * 10;  // the chord of a traced arc strays a little
    return std::any_of(checked.begin(), checked.end(),
                       [&](ProgramPoint p) { return !InsideOutline(outline, p, on_outline); });
  }

  void Contour(const ProgramContour& contour) {
    const ProgramLine& start = *contour.front();
    if (!start.Tools.empty()) modal_.Tool = start.Tools.front();
    if (start.VX) modal_.Feed = start.VX;
    if (start.VZ) modal_.Plunge = start.VZ;
    modal_.Z = start.Z.value_or(modal_.Z);
    std::vector<ProgramPoint> ends;
    for (const ProgramLine* line : contour) ends.push_back(EndOf(*line));
    bool lead_in = false, lead_out = false;
    Leads(ends, lead_in, lead_out);
    const bool leads_outside = LeadsOutside(contour, ends, lead_in, lead_out);
    if (leads_outside) Summary().LeadsOutside.push_back(start.Number);
    AddMinutes(Minutes(std::max(modal_.Z, 0.0), modal_.Plunge, options_.Speeds.Plunge));
    ++Summary().Contours;
    for (std::size_t k = 1; k < contour.size(); ++k) {
      const ProgramLine& line = *contour[k];
      const double z0 = modal_.Z, z1 = line.Z.value_or(z0);
      modal_.Z = z1;
      std::vector<ProgramPoint> points{ends[k - 1]};
      const std::vector<ProgramPoint> traced = TracePiece(ends[k - 1], line, axes_, tolerance_);
      points.insert(points.end(), traced.begin(), traced.end());
      for (ProgramPoint& p : points) p = OnPanel(p);
      const double flat = Length(points), length = std::hypot(flat, z1 - z0);
      PreviewKind kind = std::fabs(z1 - z0) > tolerance_ ? PreviewKind::Ramp : PreviewKind::Cut;
      if (k == 1 && lead_in) kind = PreviewKind::LeadIn;
      if (k + 1 == contour.size() && lead_out) kind = PreviewKind::LeadOut;
      const int pen = Pen(PreviewKind::Cut, modal_.Tool, z1, modal_.Feed, modal_.Plunge);
      if (flat >= diagonal_ * kArrowFromShare) ArrowAt(points, flat / 2, line, pen);
      Add(kind, std::move(points), line, pen);
      const bool is_lead = kind == PreviewKind::LeadIn || kind == PreviewKind::LeadOut;
      model_.Items.back().LeadOutside = is_lead && leads_outside;
      Summary().CuttingLength += length;
      AddMinutes(Minutes(length, modal_.Feed, options_.Speeds.Feed));
    }
    AddOperation(OnPanel(ends.front()), OnPanel(ends.back()), "T" + modal_.Tool);
  }

  void ArrowAt(const std::vector<ProgramPoint>& points, double at, const ProgramLine& line, int pen) {
    for (std::size_t k = 1; k < points.size(); ++k) {
      const double step = Distance(points[k - 1], points[k]);
      if (step < at || step == 0) {
        at -= step;
        continue;
      }
      const double t = at / step;
      const ProgramPoint a = points[k - 1], b = points[k];
      Add(PreviewKind::Arrow,
          {{a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t}, {(b.X - a.X) / step, (b.Y - a.Y) / step}}, line,
          pen);
      return;
    }
  }

  void Rapids() {
    for (std::size_t k = 1; k < operations_.size(); ++k) {
      const Operation &from = operations_[k - 1], &to = operations_[k];
      if (from.Portion != to.Portion) continue;  // each program file starts afresh
      PreviewSummary& summary = model_.Portions[static_cast<std::size_t>(to.Portion - 1)];
      const double length = Distance(from.Exit, to.Entry);
      summary.RapidLength += length;
      summary.CycleSeconds += length / (options_.Speeds.Rapid / mm_) * kSecondsPerMinute;
      if (from.ToolKey != to.ToolKey) {
        ++summary.ToolChanges;
        summary.CycleSeconds += options_.Speeds.ToolChangeSeconds;
      }
      if (length < tolerance_) continue;
      PreviewItem rapid{PreviewKind::Rapid, {from.Exit, to.Entry}};
      rapid.Number = static_cast<int>(k) + 1;
      rapid.Portion = to.Portion;
      model_.Items.push_back(rapid);
    }
  }

  // The panel and, around it, the edges seen from outside as the drawing shows them;
  // an edge bore's end sits in its view at its height, measured from the panel's side.
  void Outlines() {
    const double l = program_.Header.Length, w = program_.Header.Width;
    double thickness = program_.Header.Thickness;
    for (const EdgeBoreAt& bore : edge_bores_) thickness = std::max(thickness, bore.Height * 2);
    const auto box = [](double x0, double y0, double x1, double y1) {
      return std::vector<ProgramPoint>{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    };
    std::vector<PreviewItem> outlines{{PreviewKind::Panel, box(0, 0, l, w)}};
    if (thickness > 0) {
      const double g = std::max(thickness, kEdgeViewGapShare * std::max(l, w)), t = thickness;
      for (const auto& view : {box(0, w + g, l, w + g + t), box(0, -g - t, l, -g), box(-g - t, 0, -g, w),
                               box(l + g, 0, l + g + t, w)})
        outlines.push_back({PreviewKind::EdgeView, view});
      for (const EdgeBoreAt& bore : edge_bores_) {
        PreviewItem end = model_.Items[bore.Item];
        end.Kind = PreviewKind::EdgeBoreEnd;
        const double h = bore.Height;
        if (bore.Code == "G09") end.Points = {{bore.Along, w + g + h}};
        if (bore.Code == "G08") end.Points = {{bore.Along, -g - h}};
        if (bore.Code == "G06") end.Points = {{-g - h, bore.Along}};
        if (bore.Code == "G07") end.Points = {{l + g + h, bore.Along}};
        model_.Items.push_back(end);
      }
    }
    model_.Items.insert(model_.Items.begin(), outlines.begin(), outlines.end());
  }

  void ColourPens() {
    std::vector<std::string> tools;
    std::map<std::string, std::vector<double>> depths;
    for (const PreviewPen& pen : model_.Pens) {
      if (pen.Work != PreviewKind::Cut) continue;
      if (std::find(tools.begin(), tools.end(), pen.Tool) == tools.end()) tools.push_back(pen.Tool);
      std::vector<double>& d = depths[pen.Tool];
      if (std::find(d.begin(), d.end(), pen.Depth) == d.end()) d.push_back(pen.Depth);
    }
    for (auto& [tool, d] : depths) std::sort(d.begin(), d.end());
    for (PreviewPen& pen : model_.Pens) {
      if (pen.Work == PreviewKind::Hole) pen.Colour = kHoleColour;
      if (pen.Work == PreviewKind::SawPass) pen.Colour = kSawColour;
      if (pen.Work == PreviewKind::EdgeBore) pen.Colour = kEdgeBoreColour;
      if (pen.Work != PreviewKind::Cut) continue;
      const std::size_t hue =
          static_cast<std::size_t>(std::find(tools.begin(), tools.end(), pen.Tool) - tools.begin());
      const std::vector<double>& d = depths[pen.Tool];
      const double rank = static_cast<double>(std::find(d.begin(), d.end(), pen.Depth) - d.begin());
      pen.Colour = Darkened(kToolColours[hue % std::size(kToolColours)],
                            d.size() > 1 ? kDeepestDarkening * rank / static_cast<double>(d.size() - 1) : 0);
      pen.Weight = 1 + rank;
    }
  }

  void Totals() {
    PreviewSummary& t = model_.Total;
    for (const PreviewSummary& s : model_.Portions) {
      t.CuttingLength += s.CuttingLength;
      t.RapidLength += s.RapidLength;
      t.ToolChanges += s.ToolChanges;
      t.CycleSeconds += s.CycleSeconds;
      t.Operations += s.Operations;
      t.Contours += s.Contours;
      t.Holes += s.Holes;
      t.Strokes += s.Strokes;
      t.SawPasses += s.SawPasses;
      t.EdgeBores += s.EdgeBores;
      t.LeadsOutside.insert(t.LeadsOutside.end(), s.LeadsOutside.begin(), s.LeadsOutside.end());
    }
  }

  void Bounds() {
    model_.MinX = model_.MinY = 0;
    model_.MaxX = program_.Header.Length;
    model_.MaxY = program_.Header.Width;
    for (const PreviewItem& item : model_.Items) {
      if (item.Kind == PreviewKind::Arrow) continue;
      for (const ProgramPoint& p : item.Points) {
        const double r = item.Diameter / 2;
        model_.MinX = std::min(model_.MinX, p.X - r);
        model_.MinY = std::min(model_.MinY, p.Y - r);
        model_.MaxX = std::max(model_.MaxX, p.X + r);
        model_.MaxY = std::max(model_.MaxY, p.Y + r);
      }
    }
  }

  struct EdgeBoreAt {
    std::string Code;
    double Along = 0, Height = 0;
    std::size_t Item = 0;
  };

  const ProgramReading& program_;
  const ToolTable& table_;
  const PreviewOptions& options_;
  PreviewModel model_;
  ProgramAxes axes_;
  double mm_ = 1, tolerance_ = 0.011, diagonal_ = 0;
  ModalWords modal_;
  std::vector<Operation> operations_;
  std::vector<EdgeBoreAt> edge_bores_;
};

}  // namespace

PreviewModel BuildPreview(const ProgramReading& program, const ToolTable& table,
                          const PreviewOptions& options) {
  return PreviewBuilder(program, table, options).Build();
}

}  // namespace mq
