#include "engine/collect/bores_grooves_and_texts.h"

#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/driver/store_scan.h"
#include "input/plain_text.h"

namespace mq {

namespace {

bool IsDrillingOrSawingEntity(const std::string& type) {
  return type == "POINT" || type == "CIRCLE" || type == "LINE" || type == "POLYLINE";
}

}  // namespace

void CollectBoresGroovesAndTexts(EngineContext& c) {
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
  if (!c.state.PartNameMessage.empty()) AddReportLine(c.run, c.state.PartNameMessage);
  if (!IsBlankText(c.state.PartDescription)) AddReportLine(c.run, c.state.PartDescription);
}

}  // namespace mq
