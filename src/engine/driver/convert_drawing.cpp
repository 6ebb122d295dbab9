#include "engine/driver/convert_drawing.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "engine/passes.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

constexpr std::string_view kAbortedMessage = "CONVERSION PROCESS ABORTED.";

constexpr int kProgressStep = 5;
constexpr int kProgressFull = 100;
constexpr int kProgressStart = 1;  // a meter at 1 or more is animated by the progress timer

// Fixed entries 0..3 of the layer-kind list; route layers follow from entry 4.
constexpr std::string_view kFixedLayerKinds[] = {"BORDER", "VBORE DRILLING", "GROOVE", "HBORE"};
constexpr float kInitialCoincidenceTolerance = 0.008f;

using Pass = void (*)(EngineContext&);

// Everything of the previous drawing goes; the store's registers too, so no note
// parameter or sequence number carries over.
void ResetConversion(EngineContext& c) {
  c.state = ConversionState{};
  c.run.FileFailed = false;
  for (std::string_view kind : kFixedLayerKinds) c.state.LayerKinds.emplace_back(kind);
  c.state.CoincidenceTolerance = kInitialCoincidenceTolerance;
  c.state.DrawingScale = 1.0f;
  c.state.OutputPath = c.run.ProgramName;  // the caller's default name; NAME may replace it
  std::copy(c.settings.PtsFieldNames.begin(), c.settings.PtsFieldNames.end(), c.state.PtsFieldNames.begin());
  c.store.Current = EntityRegisters{};
}

// Instructions only when the reader found the instruction title.
void ReadInstructions(EngineContext& c) {
  if (!c.store.InstructionLayer.empty()) ScanInstructions(c);
}

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

// A drawing of circles only: contour joining left them for this step.
void ExpandCirclesWhenNoPaths(EngineContext& c) {
  if (c.state.PathList.empty() && !c.state.CircleList.empty()) ExpandLoneCircles(c);
}

// One step of the driver. Unnamed steps (user-stop checks) cannot be stopped after; the
// step without a pass is where a drawing without code ends with its part list.
struct Step {
  std::string_view name;
  Pass run;
};

constexpr Step kSteps[] = {
    {"ReadInstructions", ReadInstructions},
    {"StartProgress", StartProgress},
    {"SubstituteCodes", SubstituteCodes},
    {"ReadBorderLayerCodes", ReadBorderLayerCodes},
    {"ClassifyLayers", ClassifyLayers},
    {"CollectRouteLayersAndBorder", CollectRouteLayersAndBorder},
    {"EvaluateBorder", EvaluateBorder},
    {"MergeSettings", MergeSettings},
    {"CheckDrawnValues", CheckDrawnValues},
    {"CollectBoresGroovesAndTexts", CollectBoresGroovesAndTexts},
    {"", CheckUserStop},
    {"EndWhenNoCode", nullptr},
    {"RoutePass", RoutePass},
    // The unmachined-entity report needs the store, so it runs before the store goes.
    {"ReportUnmachinedEntities", ReportUnmachinedEntities},
    {"ReleaseStore", ReleaseStore},
    {"RestartProgress", RestartProgress},
    {"", CheckUserStop},
    {"OrderGrooves", OrderGrooves},
    {"OrderEdgeBores", OrderEdgeBores},
    {"DeleteRemovedSegments", DeleteRemovedSegments},
    {"JoinContours", JoinContours},
    {"ExpandCirclesWhenNoPaths", ExpandCirclesWhenNoPaths},
    {"", CheckUserStop},
    {"ExcavatePockets", ExcavatePockets},
    {"OrderBores", OrderBores},
    {"", CheckUserStop},
    {"CompensateCorners", CompensateCorners},
    {"OscillateRoutes", OscillateRoutes},
    {"RepeatDepthPasses", RepeatDepthPasses},
    {"", CheckUserStop},
    {"TranslateToBoxes", TranslateToBoxes},
    {"SynthesizeLeads", SynthesizeLeads},
    {"CheckLeadSides", CheckLeadSides},
    {"TransformToMachineCorner", TransformToMachineCorner},
    {"WarnAboutMovesOffThePanel", WarnAboutMovesOffThePanel},
};

bool IsKnownStep(std::string_view name) {
  return !name.empty() &&
         std::any_of(std::begin(kSteps), std::end(kSteps), [&](const Step& s) { return s.name == name; });
}

// Runs the steps in order up to and including `last` (all of them when empty); stops
// after the first one that failed the drawing (an abort or a user stop).
ConversionOutcome RunSteps(EngineContext& c, std::string_view last, const StepObserver* observer = nullptr) {
  ResetConversion(c);
  for (const Step& step : kSteps) {
    if (step.run == nullptr) {
      if (c.state.NoCodeFlag) return ConversionOutcome::PartListOnly;
    } else {
      step.run(c);
      if (observer != nullptr && !step.name.empty()) (*observer)(step.name);
      if (c.run.FileFailed) return ConversionOutcome::Failed;
    }
    if (!last.empty() && step.name == last) break;
  }
  return ConversionOutcome::Finished;
}

}  // namespace

bool UserStopRequested(EngineContext& c) {
  const int m = c.state.ProgressMeter;
  c.run.ui->SetProgress(m, std::min(kProgressFull, c.run.ui->Progress(m) + kProgressStep));
  c.run.ui->YieldToWindow();
  if (c.run.RunState != kRunStateStopRequested) return false;
  AddReportLine(c.run, " USER ABORTED ");
  c.run.FileFailed = true;
  return true;
}

void AbortConversion(EngineContext& c, std::initializer_list<std::string_view> reasons) {
  for (std::string_view reason : reasons) AddReportLine(c.run, std::string(reason));
  AddReportLine(c.run, std::string(kAbortedMessage));
  FailDrawing(c.run, c.run.DxfFileName);
}

ConversionOutcome ConvertDrawing(EngineContext& c) { return RunSteps(c, {}); }

ConversionOutcome ConvertDrawingObserved(EngineContext& c, const StepObserver& after_step) {
  return RunSteps(c, {}, &after_step);
}

ConversionOutcome ConvertDrawingThrough(EngineContext& c, std::string_view last_pass) {
  if (!IsKnownStep(last_pass)) throw std::invalid_argument("no pass named " + std::string(last_pass));
  return RunSteps(c, last_pass);
}

std::vector<std::string_view> PassNames() {
  std::vector<std::string_view> names;
  for (const Step& step : kSteps) {
    if (!step.name.empty()) names.push_back(step.name);
  }
  return names;
}

}  // namespace mq
