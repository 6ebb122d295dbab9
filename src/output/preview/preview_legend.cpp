#include "output/preview/preview_legend.h"

#include <charconv>
#include <cmath>

namespace mq {

namespace {

std::string Unit(const PreviewModel& model) { return model.Header.Inch ? " in" : " mm"; }

std::string Length(const PreviewModel& model, double value) {
  return PreviewNumber(value, model.Header.Inch ? 2 : 1) + Unit(model);
}

std::string Duration(double seconds) {
  const long whole = std::lround(seconds);
  const long hours = whole / 3600, minutes = whole / 60 % 60, rest = whole % 60;
  std::string text = hours > 0 ? std::to_string(hours) + " h " : "";
  if (hours > 0 || minutes > 0) text += std::to_string(minutes) + " min ";
  return text + std::to_string(rest) + " s";
}

std::string Feeds(const PreviewPen& pen) {
  std::string text;
  if (pen.Feed) text += "  VX" + PreviewNumber(*pen.Feed, 3);
  if (pen.Plunge) text += "  VZ" + PreviewNumber(*pen.Plunge, 3);
  return text;
}

std::string Counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "T1 T2 T3 ..." with at most a few of them.
std::string ToolList(const std::vector<std::string>& tools) {
  constexpr std::size_t kShown = 6;
  std::string text;
  for (std::size_t k = 0; k < tools.size() && k < kShown; ++k) text += (k ? " T" : "T") + tools[k];
  return tools.size() > kShown ? text + " ..." : text;
}

std::string PenText(const PreviewModel& model, const PreviewPen& pen) {
  const std::string tool = pen.Tool.empty() ? "no T" : "T" + pen.Tool;
  switch (pen.Work) {
    case PreviewKind::Hole:
      return (pen.Diameter > 0 ? "\u2300" + PreviewNumber(pen.Diameter, 3) : std::string("\u2300?")) + "  Z" +
             PreviewNumber(pen.Depth, 3) + "  " + Counted(pen.Uses, "hole", "holes") + "  " +
             ToolList(pen.Tools);
    case PreviewKind::SawPass:
      return tool + "  Z" + PreviewNumber(pen.Depth, 3) + Feeds(pen) + "  " +
             Counted(pen.Uses, "pass", "passes");
    case PreviewKind::EdgeBore:
      return tool + "  " + PreviewNumber(pen.Depth, 3) + " deep" + Feeds(pen);
    default:
      return tool + "  Z" + PreviewNumber(pen.Depth, 3) + Feeds(pen);
  }
}

void AddPens(const PreviewModel& model, PreviewKind work, const char* heading, std::vector<LegendRow>& rows) {
  bool any = false;
  for (const PreviewPen& pen : model.Pens) {
    if (pen.Work != work) continue;
    if (!any) rows.push_back({PreviewKind::Panel, {}, 1, heading});
    any = true;
    rows.push_back({work, pen.Colour, pen.Weight, PenText(model, pen)});
  }
}

bool Has(const PreviewModel& model, PreviewKind kind) {
  for (const PreviewItem& item : model.Items) {
    if (item.Kind == kind) return true;
  }
  return false;
}

std::string SummaryOf(const PreviewModel& model, const PreviewSummary& s) {
  return Length(model, s.CuttingLength) + " cut, " + Length(model, s.RapidLength) + " rapid, " +
         Counted(s.ToolChanges, "tool change", "tool changes") + ", " + Duration(s.CycleSeconds);
}

}  // namespace

const char* KindName(PreviewKind kind) {
  switch (kind) {
    case PreviewKind::Panel:
      return "panel";
    case PreviewKind::EdgeView:
      return "edge-view";
    case PreviewKind::Stroke:
      return "stroke";
    case PreviewKind::Hole:
      return "hole";
    case PreviewKind::SawPass:
      return "saw-pass";
    case PreviewKind::EdgeBore:
      return "edge-bore";
    case PreviewKind::EdgeBoreEnd:
      return "edge-bore-end";
    case PreviewKind::Cut:
      return "cut";
    case PreviewKind::Ramp:
      return "ramp";
    case PreviewKind::LeadIn:
      return "lead-in";
    case PreviewKind::LeadOut:
      return "lead-out";
    case PreviewKind::Arrow:
      return "arrow";
    case PreviewKind::Rapid:
      return "rapid";
  }
  return "";
}

PreviewLineStyle LineStyleOf(PreviewKind kind) {
  switch (kind) {
    case PreviewKind::Ramp:
      return {1.6, {7, 3, 1.5, 3}};
    case PreviewKind::LeadIn:
    case PreviewKind::LeadOut:
      return {2.2, {3, 2}};
    case PreviewKind::Rapid:
      return {0.8, {5, 3}, 0.8};
    case PreviewKind::SawPass:
      return {4, {}, 0.7};
    case PreviewKind::EdgeBore:
      return {3, {}, 0.8};
    case PreviewKind::Stroke:
      return {1, {}, 0.5};
    case PreviewKind::Panel:
    case PreviewKind::EdgeView:
      return {1.2, {}, 1};
    default:
      return {1.6, {}, 1};
  }
}

std::vector<LegendRow> LegendRows(const PreviewModel& model) {
  std::vector<LegendRow> rows;
  AddPens(model, PreviewKind::Cut, "Routing: a colour per tool, deeper passes darker", rows);
  if (Has(model, PreviewKind::Ramp))
    rows.push_back({PreviewKind::Ramp, "#333333", 1, "ramp: depth changes along it"});
  if (Has(model, PreviewKind::LeadIn)) rows.push_back({PreviewKind::LeadIn, kLeadInColour, 1, "lead-in"});
  if (Has(model, PreviewKind::LeadOut)) rows.push_back({PreviewKind::LeadOut, kLeadOutColour, 1, "lead-out"});
  if (!model.Total.LeadsOutside.empty())
    rows.push_back({PreviewKind::LeadIn, kLeadOutsideColour, 1, "lead outside its cut-out"});
  AddPens(model, PreviewKind::Hole, "Drilling", rows);
  AddPens(model, PreviewKind::SawPass, "Sawing", rows);
  AddPens(model, PreviewKind::EdgeBore, "Edge boring", rows);
  rows.push_back({PreviewKind::Rapid, kRapidColour, 1, "rapid move, numbered in machining order"});
  return rows;
}

std::vector<std::string> SummaryLines(const PreviewModel& model) {
  const PreviewSummary& t = model.Total;
  const PreviewSpeeds& speeds = model.Speeds;
  std::vector<std::string> lines{
      "Cutting length " + Length(model, t.CuttingLength),
      "Rapid length " + Length(model, t.RapidLength) + " at " + PreviewNumber(speeds.Rapid / 1000, 2) +
          " m/min",
      "Tool changes " + std::to_string(t.ToolChanges) + " (" + PreviewNumber(speeds.ToolChangeSeconds, 1) +
          " s each)",
      "Estimated cycle time " + Duration(t.CycleSeconds),
      Counted(t.Contours, "contour", "contours") + ", " + Counted(t.Holes, "hole", "holes") + " in " +
          Counted(t.Strokes, "stroke", "strokes") + ", " + Counted(t.SawPasses, "saw pass", "saw passes") +
          ", " + Counted(t.EdgeBores, "edge bore", "edge bores")};
  if (model.Portions.size() > 1) {
    for (std::size_t k = 0; k < model.Portions.size(); ++k)
      lines.push_back("Portion " + std::to_string(k + 1) + ": " + SummaryOf(model, model.Portions[k]));
  }
  if (!t.LeadsOutside.empty()) lines.push_back(LeadsOutsideLine(t));
  if (!model.SpindlesKnown && t.Holes > 0) lines.push_back("No Par.DAT: holes of a stroke drawn 32 mm apart");
  lines.push_back("Unstated feeds: VX" + PreviewNumber(speeds.Feed, 0) + ", VZ" +
                  PreviewNumber(speeds.Plunge, 0) + " mm/min");
  return lines;
}

std::string OwnColourOf(const PreviewItem& item) {
  if (item.LeadOutside) return kLeadOutsideColour;
  if (item.Kind == PreviewKind::LeadIn) return kLeadInColour;
  if (item.Kind == PreviewKind::LeadOut) return kLeadOutColour;
  return {};
}

std::string LeadsOutsideLine(const PreviewSummary& summary) {
  if (summary.LeadsOutside.empty()) return {};
  std::string line = summary.LeadsOutside.size() == 1 ? "Lead outside its cut-out: contour at line"
                                                      : "Leads outside their cut-outs: contours at lines";
  for (std::size_t k = 0; k < summary.LeadsOutside.size(); ++k)
    line += (k == 0 ? " " : ", ") + std::to_string(summary.LeadsOutside[k]);
  return line;
}

std::string PreviewNumber(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  if (rounded == 0) rounded = 0;  // no "-0"
  char text[64];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, decimals);
  std::string result(text, error == std::errc() ? end : text);
  if (result.find('.') != std::string::npos) {
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
  }
  return result;
}

}  // namespace mq
