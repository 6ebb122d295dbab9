#pragma once
// Walking the entity store the way every scan of a conversion does.

#include <string>
#include <string_view>

#include "input/entity_store.h"

namespace mq {

// The first record a scan of the store visits (index 0 is never filled).
constexpr int kFirstScanIndex = 1;

// True when a scan of the store stops before record `index`: past the last record, or
// at an entity of type "EOF", which ends every scan early should a drawing hold one.
bool ScanEnded(const EntityStore& store, int index);

// The record's entity type without its padding ("LINE", "POLYLINE", ...).
std::string EntityTypeName(const DrawingEntity& entity);
// The record's layer name, NULs read as blanks, blanks trimmed from both ends.
std::string TrimmedLayerName(const DrawingEntity& entity);
// The current entity's layer name, likewise.
std::string TrimmedLayerName(const EntityRegisters& current);

}  // namespace mq
