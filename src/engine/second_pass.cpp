#include "engine/passes.h"
#include "engine/plain_text.h"
#include "engine/store_scan.h"

namespace mq {

namespace {

bool IsDrillingOrSawingEntity(const std::string& type) {
  return type == "POINT" || type == "CIRCLE" || type == "LINE" || type == "POLYLINE";
}

}  // namespace

void SecondPass(EngineContext& c) {
  int index = kFirstScanIndex;
  while (!ScanEnded(c.store, index) && !c.state.NoCodeFlag) {
    c.Load(index);
    const std::string type = c.store.Current.EntType.trimmed();
    if (type == "TEXT") {
      HandleTextLayerEntity(c);
    } else if (IsDrillingOrSawingEntity(type)) {
      CollectBoresAndGrooves(c, index);
    }
  }
  if (!c.state.PartNameMessage.empty()) ReportMessage(c.run, 1, c.state.PartNameMessage);
  if (!IsBlankText(c.state.PartDescription)) ReportMessage(c.run, 1, c.state.PartDescription);
}

}  // namespace mq
