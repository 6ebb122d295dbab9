#pragma once
// The working state of one reading of an ENTITIES section: takes the section's group
// pairs one at a time and fills the entity store. Used by ReadDxf; the line reading,
// the operator and the failures stay there.

#include <cstdint>
#include <string>
#include <string_view>

#include "input/entity_store.h"

namespace mq {

class EntitySection {
 public:
  // Re-creates the store's tables and clears its instruction layer.
  explicit EntitySection(EntityStore& store);

  // One group pair (code from GroupCodeOf, value as read, the drawing's line of the
  // code). True when the pair was the section's ENDSEC: the reading is complete and
  // Finish may run.
  bool Group(int code, std::string_view value, int64_t line);

  // The end step: brings the drawing's lowest X and Y to 0 unless something forbids it.
  void Finish();

 private:
  enum class PolylineLayer { Empty, Awaiting, Set };

  DrawingEntity& Record(int index) { return store_.Entities[static_cast<std::size_t>(index)]; }
  int OpenRecord();  // appends a zero-filled record, returns its index

  bool Boundary(std::string_view value);
  void CloseRecord(int index);
  void FaceStep(DrawingEntity& e);
  void Apply(int index, int code, std::string_view value);
  void SetLayer(int index, std::string_view value);
  void AddText(DrawingEntity& e, std::string_view value);

  // LWPOLYLINE is read as POLYLINE, one VERTEX per vertex and SEQEND.
  void LwPolylineGroup(int code, std::string_view value);
  void FinishLwPolyline();

  EntityStore& store_;
  int current_ = 1;   // record being filled
  int32_t line_ = 0;  // the drawing's line of the group being read
  int32_t text_count_ = 0;
  float min_x_ = 0, min_y_ = 0;  // never positive
  float last_colour_ = 0;
  float extrusion_x_ = 0, extrusion_y_ = 0, extrusion_z_ = 0;
  bool extrusion_seen_ = false;
  PolylineLayer polyline_layer_state_ = PolylineLayer::Empty;
  std::string polyline_layer_;
  char polyline_face_ = '\0';
  bool inherit_face_ = false;
  int last_solid_ = 0;
  bool no_shift_ = false;
  bool instruction_seen_ = false;

  bool in_lw_polyline_ = false;
  int lw_polyline_ = 0;  // its POLYLINE record
  int lw_vertex_ = 0;    // its last VERTEX record, 0 before the first
};

}  // namespace mq
