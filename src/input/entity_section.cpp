#include "input/entity_section.h"

#include <algorithm>
#include <cmath>

#include "input/drawing_text.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// A TEXT with one of these values marks its layer as the instruction layer.
constexpr std::string_view kInstructionTitles[] = {"MARQUILL400 INSTRUCTIONS", "POST INSTRUCTIONS"};
// TextIndex is a 16-bit field; larger text numbers stay in TextNumber.
constexpr int32_t kLargestTextIndex = 32767;

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// The field holds the text upper-cased as drawing names are (see UpperCaseDrawingText).
template <std::size_t N>
void AssignUpperCase(FixedText<N>& field, std::string_view text) {
  if (!IsAscii(text)) {
    field = UpperCaseDrawingText(text);
    return;
  }
  field = text;
  for (std::size_t i = 0; i < N && i < text.size(); ++i) {
    if (field[i] >= 'a' && field[i] <= 'z') field[i] = static_cast<char>(field[i] - 'a' + 'A');
  }
}

// The text with its blanks and NULs left out equals `word`.
bool EqualsWithoutBlanks(std::string_view text, std::string_view word) {
  std::size_t matched = 0;
  for (char c : text) {
    if (c == ' ' || c == '\0') continue;
    if (matched == word.size() || c != word[matched]) return false;
    ++matched;
  }
  return matched == word.size();
}

// X and Y coordinates also keep the drawing's lowest value, for the shift to 0.
void ReadCoordinate(float& field, float& lowest, std::string_view value) {
  field = ReadSingle(value);
  lowest = std::min(lowest, field);
}

// The machining face of an extrusion direction: the dominant axis, the earlier axis
// winning a tie; '\0' when all three are 0.
char FaceOfExtrusion(float x, float y, float z) {
  float largest = 0;
  char face = '\0';
  if (std::fabs(x) > largest) {
    largest = std::fabs(x);
    face = x < 0 ? '4' : '3';
  }
  if (std::fabs(y) > largest) {
    largest = std::fabs(y);
    face = y < 0 ? '2' : '1';
  }
  if (std::fabs(z) > largest) face = '5';
  return face;
}

}  // namespace

EntitySection::EntitySection(EntityStore& store) : store_(store) {
  store_.Reset();
  store_.InstructionLayer.clear();
}

int EntitySection::OpenRecord() {
  store_.Entities.emplace_back().Line = line_;
  return store_.LastIndex();
}

bool EntitySection::Group(int code, std::string_view value, int64_t line) {
  line_ = static_cast<int32_t>(std::min<int64_t>(line, INT32_MAX));
  if (code == 0) return Boundary(value);
  // Groups before the section's first entity belong to no record.
  if (current_ <= 1) return false;
  if (in_lw_polyline_) {
    LwPolylineGroup(code, value);
  } else {
    Apply(current_, code, value);
  }
  return false;
}

void EntitySection::Apply(int index, int code, std::string_view value) {
  DrawingEntity& e = Record(index);
  switch (code) {
    case 1:
      if (Contains(e.EntityType.view(), "TEXT")) AddText(e, value);
      break;
    case 8:
      SetLayer(index, value);
      break;
    case 10:
      ReadCoordinate(e.X1, min_x_, value);
      break;
    case 20:
      ReadCoordinate(e.Y1, min_y_, value);
      break;
    case 11:
      ReadCoordinate(e.X2, min_x_, value);
      break;
    case 21:
      ReadCoordinate(e.Y2, min_y_, value);
      break;
    case 30:
      e.Z1 = ReadSingle(value);
      break;
    case 31:
      e.Z2 = ReadSingle(value);
      break;
    case 38:
      e.Elevation = ReadSingle(value);
      break;
    case 39:
      e.Thickness = ReadSingle(value);
      break;
    case 40:
    case 12:
      e.Radius = ReadSingle(value);
      break;
    case 41:
    case 13:
      e.Width41 = ReadSingle(value);
      break;
    case 42:
      e.Bulge = ReadSingle(value);
      break;
    case 50:
    case 22:
      e.StartAngle = ReadSingle(value);
      break;
    case 51:
    case 23:
      e.EndAngle = ReadSingle(value);
      break;
    case 62:
      last_colour_ = ReadSingle(value);
      e.Color = RoundToInt16(last_colour_);
      break;
    case 70:
      e.Flags = RoundToInt16(ReadSingle(value));
      break;
    case 72:
    case 73:
      e.Justify = RoundToInt16(static_cast<float>(e.Justify) + ReadSingle(value));
      break;
    case 75:
      e.Justify = RoundToInt16(ReadSingle(value));
      break;
    case 66:
      e.FollowFlag = RoundToInt16(ReadSingle(value));
      break;
    case 210:
    case 220:
    case 230: {
      const float component = ReadSingle(value);
      (code == 210 ? extrusion_x_ : code == 220 ? extrusion_y_ : extrusion_z_) = component;
      extrusion_seen_ = true;
      no_shift_ = true;
      break;
    }
    default:
      break;  // every other group is skipped
  }
}

void EntitySection::AddText(DrawingEntity& e, std::string_view value) {
  ++text_count_;
  if (store_.EntityTexts.size() <= static_cast<std::size_t>(text_count_)) {
    store_.EntityTexts.resize(static_cast<std::size_t>(text_count_) + 1);
  }
  store_.EntityTexts[static_cast<std::size_t>(text_count_)] = std::string(value);
  e.TextIndex = static_cast<int16_t>(std::min(text_count_, kLargestTextIndex));
  e.TextNumber = text_count_;
  for (std::string_view title : kInstructionTitles) {
    if (EqualsIgnoringCase(value, title)) instruction_seen_ = true;
  }
}

void EntitySection::SetLayer(int index, std::string_view value) {
  if (polyline_layer_state_ == PolylineLayer::Awaiting) {
    polyline_layer_ = UpperCaseDrawingText(value);
    polyline_layer_state_ = PolylineLayer::Set;
  }
  // VERTEX and SEQEND records carry their POLYLINE's layer, whatever they say.
  const bool from_polyline = polyline_layer_state_ == PolylineLayer::Set && !polyline_layer_.empty();
  DrawingEntity& e = Record(index);
  if (from_polyline) {
    e.Layer = TrimSpaces(polyline_layer_);
  } else {
    AssignUpperCase(e.Layer, TrimSpaces(value));
  }
  if (index == last_solid_ && e.Layer.view().substr(0, 6) == "PANEL ") no_shift_ = true;
}

void EntitySection::FaceStep(DrawingEntity& e) {
  if (e.EntityType == "SEQEND    ") inherit_face_ = false;
  if (inherit_face_) {
    e.Face[0] = polyline_face_;
    return;
  }
  const char face = FaceOfExtrusion(extrusion_x_, extrusion_y_, extrusion_z_);
  if (face != '\0') e.Face = std::string_view(&face, 1);
  extrusion_seen_ = false;
  extrusion_x_ = extrusion_y_ = extrusion_z_ = 0;
  if (e.EntityType == "POLYLINE  ") {
    polyline_face_ = e.Face[0];
    inherit_face_ = true;
  }
}

// What the entity boundary does for the record it ends.
void EntitySection::CloseRecord(int index) {
  DrawingEntity& e = Record(index);
  if (Contains(e.EntityType.view(), "SEQEND")) e.Color = RoundToInt16(last_colour_);
  if (extrusion_seen_ || inherit_face_) FaceStep(e);
  if (instruction_seen_) {
    store_.InstructionLayer = CleanText(e.Layer.view());
    instruction_seen_ = false;
  }
}

bool EntitySection::Boundary(std::string_view value) {
  if (in_lw_polyline_) FinishLwPolyline();
  CloseRecord(current_);
  current_ = OpenRecord();
  if (Contains(value, "ENDSEC")) return true;  // the new record stays blank

  if (Contains(value, "POLYLINE")) polyline_layer_state_ = PolylineLayer::Awaiting;
  if (Contains(value, "SEQEND") || Contains(value, "LWPOLYLINE")) {
    polyline_layer_state_ = PolylineLayer::Empty;
    polyline_layer_.clear();
  }
  DrawingEntity& e = Record(current_);
  AssignUpperCase(e.EntityType, value);
  if (EqualsWithoutBlanks(e.EntityType.view(), "SOLID")) last_solid_ = current_;
  if (e.EntityType == "LWPOLYLINE") {
    e.EntityType = "POLYLINE";
    e.FollowFlag = 1;  // vertices follow, as an R12 POLYLINE says
    in_lw_polyline_ = true;
    lw_polyline_ = current_;
    lw_vertex_ = 0;
  }
  return false;
}

void EntitySection::LwPolylineGroup(int code, std::string_view value) {
  switch (code) {
    case 10: {
      const int vertex = OpenRecord();
      Record(vertex).EntityType = "VERTEX";
      lw_vertex_ = vertex;
      Apply(vertex, code, value);
      return;
    }
    case 20:
    case 40:
    case 41:
    case 42:
      Apply(lw_vertex_ != 0 ? lw_vertex_ : lw_polyline_, code, value);
      return;
    case 43: {  // constant width: start and end width of the whole polyline
      DrawingEntity& polyline = Record(lw_polyline_);
      polyline.Radius = polyline.Width41 = ReadSingle(value);
      return;
    }
    default:
      Apply(lw_polyline_, code, value);
  }
}

void EntitySection::FinishLwPolyline() {
  in_lw_polyline_ = false;
  CloseRecord(lw_polyline_);
  const int last_vertex = store_.LastIndex();
  for (int v = lw_polyline_ + 1; v <= last_vertex; ++v) {
    const DrawingEntity& polyline = Record(lw_polyline_);
    DrawingEntity& vertex = Record(v);
    vertex.Layer = polyline.Layer;
    vertex.Z1 = polyline.Elevation;
    CloseRecord(v);
  }
  const int seqend = OpenRecord();
  Record(seqend).EntityType = "SEQEND";
  Record(seqend).Layer = Record(lw_polyline_).Layer;
  current_ = seqend;
}

void EntitySection::Finish() {
  const bool below_zero = RoundToInt16(min_x_) != 0 || RoundToInt16(min_y_) != 0;
  if (!below_zero || no_shift_) return;
  for (std::size_t i = 1; i < store_.Entities.size(); ++i) {
    DrawingEntity& e = store_.Entities[i];
    e.X1 -= min_x_;
    e.X2 -= min_x_;
    e.Y1 -= min_y_;
    e.Y2 -= min_y_;
  }
}

}  // namespace mq
