#include "engine/driver/convert_drawing.h"

#include <algorithm>

#include "engine/passes.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

constexpr std::string_view kAbortedMessage = "CONVERSION PROCESS ABORTED.";
constexpr std::string_view kNoCodeMessage = "Code Generation Turned Off in Drawing";
// Said when the writer stored nothing although the conversion went through: the
// operator must never take a drawing without a program for a converted one.
constexpr std::string_view kNoProgramMessage = "No program written for this drawing.";

constexpr int kProgressStep = 5;
constexpr int kProgressFull = 100;
constexpr int kProgressStart = 1;  // a meter at 1 or more is animated by the progress timer

// Fixed entries 0..3 of the layer-kind list; route layers follow from entry 4.
constexpr std::string_view kFixedLayerKinds[] = {"BORDER", "VBORE DRILLING", "GROOVE", "HBORE"};
constexpr float kInitialCoincidenceTolerance = 0.008f;

using Pass = void (*)(EngineContext&);

bool Failed(const EngineContext& c) { return c.run.FileFailed != kFalse; }

// Runs the passes in order; stops after the first one that failed the drawing
// (an abort or a user stop) and then returns false.
bool RunInOrder(EngineContext& c, std::initializer_list<Pass> passes) {
  for (Pass pass : passes) {
    pass(c);
    if (Failed(c)) return false;
  }
  return true;
}

// Phase 1. Everything of the previous drawing goes; the store's registers too, so no
// note parameter or sequence number carries over.
void ResetConversion(EngineContext& c) {
  c.state = ConversionState{};
  c.run.FileFailed = kFalse;
  for (std::string_view kind : kFixedLayerKinds) c.state.LayerKinds.emplace_back(kind);
  c.state.CoincidenceTolerance = kInitialCoincidenceTolerance;
  c.state.DrawingScale = 1.0f;
  c.state.OutputPath = c.run.ProgramName;  // the caller's default name; NAME may replace it
  std::copy(c.settings.PtsFieldNames.begin(), c.settings.PtsFieldNames.end(), c.state.PtsFieldNames.begin());
  c.store.Current = EntityRegisters{};
}

// Phase 2: instructions only when the reader found the instruction title.
void ReadInstructions(EngineContext& c) {
  if (!c.store.InstructionLayer.empty()) ScanInstructions(c);
}

// Phase 3.
void StartProgress(EngineContext& c) {
  c.state.ProgressMeter = meter::kReadingInfo;
  c.run.ui->SetProgress(meter::kReadingInfo, kProgressStart);
  c.state.XFromRight = false;
  c.state.YFromTop = false;
}

// In a drawing with instructions the alias step has replaced the codes already, so
// this pass finds no LD left; it must not forget that the drawing uses one.
void SubstituteCodes(EngineContext& c) {
  const bool lead_code_seen = c.store.Current.LeadCodeSeen;
  SubstituteTwoLetterCodes(c.store);
  c.store.Current.LeadCodeSeen = c.store.Current.LeadCodeSeen || lead_code_seen;
}
void ClassifyLayers(EngineContext& c) { PrepareLayers(c.store); }

void CheckUserStop(EngineContext& c) { UserStopRequested(c); }

// After the route pass every entity lives in the machining lists; the records go.
// The texts stay until the next reading.
void ReleaseStore(EngineContext& c) {
  c.store.Entities.clear();
  c.store.Entities.shrink_to_fit();
}

// The reading is over: its meter is full, and the checks from here on count on
// "Processing".
void RestartProgress(EngineContext& c) {
  c.run.ui->SetProgress(meter::kReadingInfo, kProgressFull);
  c.run.ui->SetProgress(meter::kProcessing, kProgressStart);
  c.state.ProgressMeter = meter::kProcessing;
}

// Phase 15.
void ExpandCirclesWhenNoPaths(EngineContext& c) {
  if (c.state.PathList.empty() && !c.state.CircleList.empty()) ExpandLoneCircles(c);
}

// Phase 21 (and the end of a NOCODE drawing).
void ReleaseLists(ConversionState& s) {
  s.BoreList.clear();
  s.EdgeBoreList.clear();
  s.HBoreLineList.clear();
  s.GrooveList.clear();
  s.LineBoreList.clear();
  s.PathList.clear();
  s.CircleList.clear();
  s.Contours.clear();
  s.ContourOrder.clear();
}

// Phase 11: the drawing asked for no program; only its part-list line is written.
void EndWithoutCode(EngineContext& c) {
  if (c.output != nullptr) c.output->WritePartList(c);
  ReleaseLists(c.state);
  ReportMessage(c.run, 1, std::string(kNoCodeMessage));
}

// Phase 20, after the leads and the machine corner: the program, then the part list.
void WriteOutput(EngineContext& c) {
  // The writer stores under ProgramName; the drawing's NAME instruction or NAME text
  // changed OutputPath, which is therefore the one name in force from here on.
  c.run.ProgramName = c.state.OutputPath;
  if (c.output != nullptr) {
    c.output->WriteProgram(c);
    // A failed program leaves no part-list line either: the drawing is listed as
    // failed and will be converted again, which would enter the part twice.
    if (Failed(c)) return;
    c.output->WritePartList(c);
  }
  if (!Failed(c) && !c.state.ProgramWritten) ReportMessage(c.run, 1, std::string(kNoProgramMessage));
}

}  // namespace

bool UserStopRequested(EngineContext& c) {
  const int m = c.state.ProgressMeter;
  c.run.ui->SetProgress(m, std::min(kProgressFull, c.run.ui->Progress(m) + kProgressStep));
  c.run.ui->YieldToWindow();
  if (c.run.RunState != kRunStateStopRequested) return false;
  ReportMessage(c.run, 1, " USER ABORTED ");
  c.run.FileFailed = kTrue;
  return true;
}

void AbortConversion(EngineContext& c, std::initializer_list<std::string_view> reasons) {
  for (std::string_view reason : reasons) ReportMessage(c.run, 1, std::string(reason));
  ReportMessage(c.run, 1, std::string(kAbortedMessage));
  FailDrawing(c.run, c.run.DxfFileName);
}

bool ConvertThroughContourOrder(EngineContext& c) {
  ResetConversion(c);
  if (!RunInOrder(c, {ReadInstructions, StartProgress, SubstituteCodes, ReadBorderLayerCodes, ClassifyLayers,
                      CollectRouteLayersAndBorder, EvaluateBorder, MergeSettings, CollectBoresGroovesAndTexts,
                      CheckUserStop})) {
    return false;
  }
  if (c.state.NoCodeFlag) {
    EndWithoutCode(c);
    return false;
  }
  // The unmachined-entity report needs the store, so it runs before the store goes.
  return RunInOrder(
      c, {RoutePass, ReportUnmachinedEntities, ReleaseStore, RestartProgress, CheckUserStop, OrderGrooves,
          OrderEdgeBores, DeleteRemovedSegments, JoinContours, ExpandCirclesWhenNoPaths});
}

void ConvertDrawing(EngineContext& c) {
  if (!ConvertThroughContourOrder(c)) return;
  if (!RunInOrder(c, {CheckUserStop, ExcavatePockets, OrderBores, CheckUserStop,
                      // Phase 17 reads the "Optimizer" setting; nothing depends on it.
                      CompensateCorners, OscillateRoutes, RepeatDepthPasses, CheckUserStop, TranslateToBoxes,
                      SynthesizeLeads, TransformToMachineCorner})) {
    return;
  }
  WriteOutput(c);
  ReleaseLists(c.state);
}

}  // namespace mq
