#pragma once
// A picture of a read program as the machine will run it: the panel of the header with
// its four edge views, the holes, saw passes and edge bores, the routed contours piece by
// piece, and the rapid moves between operations. Everything lies in the panel's frame as
// the drawing shows it from above (X to the right, Y up, the lower-left corner at 0 0):
// the mirroring that the origin word announces is undone. The SVG writer and the
// desktop window draw the same list of items, so both show the same picture.

#include <optional>
#include <string>
#include <vector>

#include "output/program_paths.h"
#include "output/program_reader.h"
#include "output/tool_table.h"

namespace mq {

enum class PreviewKind {
  Panel,        // the panel's outline: four corners
  EdgeView,     // one edge of the panel seen from outside, drawn beside it: four corners
  Stroke,       // one stroke of the drilling head: the holes it drills, in a row
  Hole,         // a vertical bore: its centre; Diameter
  SawPass,      // a saw groove: start and end
  EdgeBore,     // a horizontal bore seen from above: where it enters the edge, its bottom
  EdgeBoreEnd,  // the same bore in its edge view: its centre; Diameter
  Cut,          // a routed piece at one depth: the points it passes
  Ramp,         // a routed piece whose depth changes along it
  LeadIn,       // the piece that brings the cutter onto its contour
  LeadOut,      // the piece that takes it off again
  Arrow,        // the direction of cut: where, and the unit direction
  Rapid,        // a move between operations: from, to; Number is the operation it leads to
};

// How one kind of work is drawn and listed in the legend: a router at one depth with its
// feeds, the holes of one tool and depth, a saw, an edge drill.
struct PreviewPen {
  PreviewKind Work = PreviewKind::Cut;  // Cut, Hole, SawPass or EdgeBore
  std::string Tool;                     // the T word's text, empty when none is in force
  double Depth = 0;
  std::optional<double> Feed, Plunge;  // VX and VZ in force, program units per minute
  double Diameter = 0;                 // holes: 0 where Par.DAT does not tell
  std::vector<std::string> Tools;      // holes: every T word that drills them
  std::string Colour;                  // "#rrggbb": a hue per tool, darker for deeper passes
  double Weight = 1;                   // line weight: deeper passes of a tool wider, drawn beneath
  int Uses = 0;                        // pieces, holes, passes or bores drawn with it
};

struct PreviewItem {
  PreviewKind Kind = PreviewKind::Cut;
  std::vector<ProgramPoint> Points;
  double Diameter = 0;        // holes and edge bores; 0 where the tool table does not tell
  int Pen = -1;               // index into PreviewModel::Pens; -1 for outlines and rapids
  int Number = 0;             // rapids: the operation they lead to, in machining order
  int Portion = 1, Line = 0;  // the program line that makes the item
  bool LeadOutside = false;   // a lead of a contour whose lead leaves the cut-out: drawn red
};

// What a program does, for the operator and for scripts. Lengths and speeds are in the
// program's units (millimetres, or inches in an inch program).
struct PreviewSummary {
  double CuttingLength = 0;  // routed and sawn, along ramps in three dimensions
  double RapidLength = 0;    // straight moves between operations
  int ToolChanges = 0;
  double CycleSeconds = 0;  // estimated from the feeds; see PreviewSpeeds
  int Operations = 0, Contours = 0, Holes = 0, Strokes = 0, SawPasses = 0, EdgeBores = 0;
  // The contours (by the line that starts them) whose lead-in starts, lead-out ends or a
  // lead arc runs outside the cut-out they lead into: in a cut-out drawn the wrong way
  // round, or with the wrong compensation code, the lead cuts into the panel.
  std::vector<int> LeadsOutside;
};

// The speeds a program does not state, in millimetres per minute. Feeds and plunge
// speeds stay in force from the line that gives them to the end of the program file.
struct PreviewSpeeds {
  double Rapid = 30000;
  double Feed = 5000;    // a cut or saw pass before any VX
  double Plunge = 2000;  // plunges and drilling strokes before any VZ
  double ToolChangeSeconds = 8;
};

struct PreviewOptions {
  bool OriginLowerLeft = false;  // the machine's origin setting: how the origin word mirrors
  PreviewSpeeds Speeds;
};

struct PreviewModel {
  ProgramHeader Header;
  std::vector<PreviewItem> Items;  // outlines first, then the work in machining order
  std::vector<PreviewPen> Pens;
  std::vector<PreviewSummary> Portions;  // one per program file
  PreviewSummary Total;
  PreviewSpeeds Speeds;
  bool SpindlesKnown = false;  // Par.DAT was read: hole spacing and diameters are the head's
  double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;  // everything drawn
};

PreviewModel BuildPreview(const ProgramReading& program, const ToolTable& table,
                          const PreviewOptions& options);

}  // namespace mq
