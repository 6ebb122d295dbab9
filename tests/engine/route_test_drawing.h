#pragma once
// A drawing read by the DXF reader and taken through the phases of a conversion up to
// the route pass, as the driver runs them; then the route pass and the deletion of the
// entries it removed.

#include <string>
#include <vector>

#include "driver_harness.h"
#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"
#include "input/layer_codes.h"

namespace mq::test {

struct RoutedDrawing : Drawing {
  explicit RoutedDrawing(const DxfBuilder& dxf, bool remove_border_route = false) : Drawing(dxf) {
    settings.RemoveBorderRoute = remove_border_route ? 1 : 0;
    state.LayerKinds = {"BORDER", "VBORE DRILLING", "GROOVE", "HBORE"};
    state.CoincidenceTolerance = 0.008f;
    if (!store.InstructionLayer.empty()) ScanInstructions(c);
    SubstituteTwoLetterCodes(store);
    PrepareLayers(store);
    CollectRouteLayersAndBorder(c);
    EvaluateBorder(c);
    MergeSettings(c);
    EXPECT_FALSE(run.FileFailed) << run.PendingMessage;
    RoutePass(c);
    DeleteRemovedSegments(c);
  }
  const PathSegment& At(int i) const { return state.PathList[i]; }
  std::vector<int> Types() const {
    std::vector<int> types;
    for (const PathSegment& p : state.PathList) types.push_back(p.SegmentType);
    return types;
  }
};

}  // namespace mq::test
