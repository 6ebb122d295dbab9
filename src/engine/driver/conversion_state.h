#pragma once
// Everything one conversion builds and shares between its passes and the writers.
// Reset at the start of every conversion; the lists are released at its end.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/driver/machining_records.h"
#include "input/entity_store.h"
#include "input/one_based_list.h"

namespace mq {

// Drawing-instruction switches: 0 not stated, 1 ON, -1 OFF.
using TriState = int16_t;
constexpr TriState kNotStated = 0;
constexpr TriState kStatedOn = 1;
constexpr TriState kStatedOff = -1;

constexpr int kPanelBox = 5;

// Entries 0..3 of the layer-kind list are fixed; route layer n is entry n + 3.
constexpr int kFirstRouteLayerKind = 4;

struct BorderPoint {
  float X = 0, Y = 0;
};

struct ProgramOffset {
  bool Given = false;
  float X = 0, Y = 0, Z = 0;
};

// One row of the contour table of contour joining.
struct ContourRow {
  int First = 0, Last = 0;  // indices into PathList
  int16_t Kind = 0;         // |SegmentType| of the first entry: 1 line, 3 arc, 4 or 5 polyline
  float EntryDirection = 0, ExitDirection = 0;
  bool Used = false;
  int16_t Tool = 0, Sequence = 0;
  float Depth = 0, ToolDiameter = 0;
  FixedText<10> CompCode;
  int16_t Speed = 0;
};

struct ConversionState {
  // --- Lists (1-based) -------------------------------------------------------------
  // Entries 0..3 are "BORDER", "VBORE DRILLING", "GROOVE", "HBORE"; from 4 on, the route
  // layer names in order of first appearance. (Numbered from 0: the fixed entries come first.)
  std::vector<std::string> LayerKinds;

  OneBasedList<BoreRecord> BoreList;
  OneBasedList<EdgeBoreRecord> EdgeBoreList;
  OneBasedList<HBoreLine> HBoreLineList;
  OneBasedList<GrooveLine> GrooveList;
  OneBasedList<LineBoreRecord> LineBoreList;  // saw passes in machining order
  OneBasedList<PathSegment> PathList;         // PathCount is PathList.size()
  OneBasedList<CircleRecord> CircleList;
  OneBasedList<ContourRow> Contours;  // contour table of contour joining
  OneBasedList<int> ContourOrder;     // contour numbers in machining order

  // --- Drawing instructions ---------------------------------------------------------
  bool ArcSubstitution = true;  // NOARCSUB turns it off
  bool NoCodeFlag = false;      // NOCODE, NO CODE, BORDER...NO
  uint16_t FlagMask = 0;        // FLAG=n (kept, not used by the output)
  std::string PartDescription;
  std::string OutputPath;                   // the program name for this drawing (NAME replaces it)
  std::vector<std::string> OperationTexts;  // OP=n texts, index 0..n
  float DrawingScale = 1.0f;
  TriState LeadStatement = kNotStated;
  float LeadLengthStated = 0;  // 0 = not stated
  float RampHeightStated = 0;  // 0 = not stated
  TriState RampInStatement = kNotStated;
  TriState RampOutStatement = kNotStated;
  TriState RemoveBorderStatement = kNotStated;
  TriState CornerCompMode = kNotStated;
  ProgramOffset OffsetStatement;                                       // OFFSET instruction
  OneBasedList<std::pair<std::string, std::string>> ProgramVariables;  // (name, value)
  bool VariablesPresent = false;
  std::array<std::string, 51> PtsValues{};  // index 0 is the part-list control value
  // The part-list column names in force for this drawing: the configured names (reset
  // from Settings::PtsFieldNames), plus "FIELD"n for an unnamed column n that a PTS
  // instruction filled by number. The part-list writer reads these.
  std::array<std::string, 51> PtsFieldNames{};
  OneBasedList<std::pair<std::string, std::string>> LayerAliases;  // (from, to)
  OneBasedList<std::pair<std::string, std::string>> ColorAliases;  // (colour text, layer)
  OneBasedList<PlacedNote> PlacedNotes;
  OneBasedList<std::string> CncNotTexts, GCode1Texts, GCode2Texts, GCode3Texts;
  std::string PartNameMessage;  // "USING "..." FOR THE PART NAME", shown at the end of the second pass

  // --- Part border ------------------------------------------------------------------
  std::array<ExtentBox, 6> PartExtents{};  // boxes 1..5; index 0 unused
  OneBasedList<BorderPoint> BorderPoints;
  std::array<int16_t, 5> EdgeViewCounters{};  // 1..4, each stops at 6
  float EdgeMarginX = 0, EdgeMarginY = 0;
  float PartOriginX = 0, PartOriginY = 0;
  float PartThickness = 0;
  bool PanelFound = false;  // a PANEL SOLID defined the panel
  bool DrawingInInches = false;
  float UnitFactor = 1.0f;  // 25.4 for an inch drawing
  float CoincidenceTolerance = 0.008f;
  bool XFromRight = false;  // machine corner: X measured from the right edge
  bool YFromTop = false;    // machine corner: Y measured from the top edge

  // --- Values merged from the settings and the instructions -------------------------
  float EffectiveLeadLength = 0;
  float EffectiveRampHeight = 0;
  bool LeadsOn = false;
  bool RampIn = false;
  bool RampOut = false;
  bool RemoveBorderRoute = false;
  ProgramOffset Offset;

  // The progress meter (meter:: numbers) that each user-abort check advances by 5: the
  // driver starts "Reading Info" and moves on to "Processing" after the route pass; a
  // pass that drives another meter may point this at it.
  int ProgressMeter = 1;

  float PanelWidth() const { return PartExtents[kPanelBox].Width; }
  float PanelHeight() const { return PartExtents[kPanelBox].Height; }
  int PathCount() const { return PathList.size(); }
};

}  // namespace mq
