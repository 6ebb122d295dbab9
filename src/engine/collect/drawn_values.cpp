#include "engine/collect/drawn_values.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <set>
#include <string>

#include "engine/collect/layer_roles.h"
#include "engine/driver/report_lines.h"
#include "engine/driver/store_scan.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

struct NamedValue {
  const char* name;
  float value;
};

std::string ValueText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// Not finite, or larger than any panel: the reason, else nothing.
std::optional<std::string> Implausible(const NamedValue& v, float limit, bool magnitude_counts) {
  if (!std::isfinite(v.value)) return std::string(v.name) + " is not a number (" + ValueText(v.value) + ")";
  if (magnitude_counts && std::fabs(v.value) > limit) {
    return std::string(v.name) + " = " + ValueText(v.value) + " is beyond " +
           ValueText(kLargestMeantMillimetres) + " mm";
  }
  return std::nullopt;
}

std::optional<std::string> CheckGeometry(const DrawingEntity& e, const std::string& type,
                                         const LayerRoles& roles, float limit) {
  const bool solid = type == "SOLID";  // its 40/41/50/51 fields hold corner coordinates
  const NamedValue measured[] = {{"X", e.X1},
                                 {"Y", e.Y1},
                                 {"X2", e.X2},
                                 {"Y2", e.Y2},
                                 {"Z", e.Z1},
                                 {"Z2", e.Z2},
                                 {"elevation", e.Elevation},
                                 {"thickness", e.Thickness},
                                 {"radius", e.Radius},
                                 {"width", e.Width41}};
  for (const NamedValue& v : measured) {
    if (auto reason = Implausible(v, limit, true)) return reason;
  }
  const NamedValue angles[] = {{"bulge", e.Bulge}, {"start angle", e.StartAngle}, {"end angle", e.EndAngle}};
  for (const NamedValue& v : angles) {
    if (auto reason = Implausible(v, limit, solid)) return reason;
  }
  if (type == "CIRCLE" && roles.route && e.Radius == 0) return std::string("a routed circle has radius 0");
  return std::nullopt;
}

// The codes of the layer name that become lengths on the machine.
std::optional<std::string> CheckLayerCodes(const DrawingEntity& e, float limit) {
  EntityRegisters r;
  r.EntLayer = e.Layer;
  const NamedValue codes[] = {{"D", CodeD(r)},   {"Z", CodeZ(r)}, {"LD", CodeLD(r)}, {"RI", CodeRI(r)},
                              {"RO", CodeRO(r)}, {"K", CodeK(r)}, {"OZ", CodeOZ(r)}, {"PD", CodePD(r)}};
  for (const NamedValue& v : codes) {
    if (auto reason = Implausible(v, limit, true)) return reason;
  }
  return std::nullopt;
}

bool CheckedEntity(const std::string& type, const LayerRoles& roles) {
  return Machined(type == "VERTEX" ? "POLYLINE" : type, roles);
}

}  // namespace

void CheckDrawnValues(EngineContext& c) {
  const float limit = kLargestMeantMillimetres / (c.state.UnitFactor > 0 ? c.state.UnitFactor : 1.0f);
  std::set<std::string> layers_checked;
  for (int index = kFirstScanIndex; !ScanEnded(c.store, index); ++index) {
    const DrawingEntity& e = c.store.Entities[static_cast<std::size_t>(index)];
    if (e.IsBlank()) continue;
    const std::string type = EntityTypeName(e);
    const std::string layer = TrimmedLayerName(e);
    const LayerRoles roles = RolesOf(layer);
    if (!roles.Any() || !CheckedEntity(type, roles)) continue;
    auto reason = CheckGeometry(e, type, roles, limit);
    if (!reason && layers_checked.insert(layer).second) reason = CheckLayerCodes(e, limit);
    if (!reason) continue;
    const std::string message = "Value that cannot be meant on layer " + LayerAsDrawn(layer) +
                                DrawingLineText(e.Line) + ": " + *reason;
    AbortConversion(c, {message});
    return;
  }
}

}  // namespace mq
