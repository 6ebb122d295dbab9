#include "engine/driver/store_scan.h"

#include "input/plain_text.h"

namespace mq {

bool ScanEnded(const EntityStore& store, int index) {
  if (index > store.LastIndex()) return true;
  return EntityTypeName(store.Entities[static_cast<std::size_t>(index)]) == "EOF";
}

std::string EntityTypeName(const DrawingEntity& entity) { return entity.EntityType.trimmed(); }

std::string TrimmedLayerName(const DrawingEntity& entity) { return TrimBlanks(entity.Layer.view()); }

std::string TrimmedLayerName(const EntityRegisters& current) { return TrimBlanks(current.EntLayer.view()); }

}  // namespace mq
