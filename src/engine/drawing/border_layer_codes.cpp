#include "engine/drawing/border_layer_codes.h"

#include <string>

#include "engine/driver/store_scan.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// A border layer name carries the machine corner after its head: BORDERUR, BORDER LR...
constexpr std::string_view kBorderHead = "BORDER";
constexpr std::size_t kCodesFrom = 5;  // the codes are looked for from the name's sixth character
constexpr std::string_view kNoCodeMark = "NO";

struct CornerCode {
  std::string_view code;
  bool x_from_right;
  bool y_from_top;
};
// Looked for in this order; a later code found in the name overrides an earlier one.
constexpr CornerCode kCornerCodes[] = {
    {"LL", false, false},  // lower left
    {"UL", false, true},   // upper left
    {"UR", true, true},    // upper right
    {"LR", true, false},   // lower right
};

}  // namespace

void ReadBorderLayerCodes(EngineContext& c) {
  ConversionState& s = c.state;
  for (int index = kFirstScanIndex; !ScanEnded(c.store, index); ++index) {
    const std::string layer = TrimmedLayerName(c.store.Entities[static_cast<std::size_t>(index)]);
    if (!StartsWith(layer, kBorderHead)) continue;
    const std::string_view codes = std::string_view(layer).substr(kCodesFrom);
    for (const CornerCode& corner : kCornerCodes) {
      if (!Contains(codes, corner.code)) continue;
      s.XFromRight = corner.x_from_right;
      s.YFromTop = corner.y_from_top;
    }
    if (Contains(codes, kNoCodeMark)) s.NoCodeFlag = true;
  }
}

}  // namespace mq
