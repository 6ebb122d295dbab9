#pragma once
// How each kind of preview item looks, and the texts beside the picture: the legend of
// tools, depths and feeds, and the summary. Shared by every renderer of a preview, so
// that the SVG file and the window look alike.

#include <string>
#include <vector>

#include "output/preview/program_preview.h"

namespace mq {

// "cut", "lead-in", "rapid", ...: the kind's name in an SVG class and in JSON.
const char* KindName(PreviewKind kind);

// A line's look on screen, in pixels: width (times the pen's weight for routed pieces),
// dash pattern (empty: solid), opacity.
struct PreviewLineStyle {
  double Width = 1;
  std::vector<double> Dashes;
  double Opacity = 1;
};
PreviewLineStyle LineStyleOf(PreviewKind kind);

constexpr const char* kPanelFill = "#f3e7cd";
constexpr const char* kPanelEdge = "#8a6d3b";
constexpr const char* kEdgeViewFill = "#eadbb8";
constexpr const char* kRapidColour = "#555555";
// Leads have colours of their own, so that an operator sees where the cutter enters and
// leaves; a lead outside its cut-out is red.
constexpr const char* kLeadInColour = "#00b8f0";
constexpr const char* kLeadOutColour = "#f0a000";
constexpr const char* kLeadOutsideColour = "#ff0000";

// The colour of an item drawn with a pen of its own (leads), or empty for the pen's.
std::string OwnColourOf(const PreviewItem& item);

// One line of the legend: a sample drawn in the pen's colour and the kind's style, and
// its text. A heading has no sample (Kind is Panel).
struct LegendRow {
  PreviewKind Kind = PreviewKind::Panel;
  std::string Colour;
  double Weight = 1;
  std::string Text;
};
std::vector<LegendRow> LegendRows(const PreviewModel& model);

// "Cutting length 2384.5 mm", ... and one line per program file when there are several.
std::vector<std::string> SummaryLines(const PreviewModel& model);

// "Lead outside its cut-out: contour at line 3" (or "Leads outside their cut-outs:
// contours at lines 3, 17"), or empty when every lead is inside.
std::string LeadsOutsideLine(const PreviewSummary& summary);

// The number with at most `decimals` places, trailing zeros dropped: 12.5, 1000, 0.25.
std::string PreviewNumber(double value, int decimals);

}  // namespace mq
