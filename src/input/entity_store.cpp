#include "input/entity_store.h"

#include <cmath>
#include <stdexcept>

#include "input/numeric_text.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// Heads of the layers whose name may carry the operation's sequence number.
constexpr std::string_view kSequencedHeads[] = {"ROUTE", "VBORE", "HBORE", "GROOV", "DRILL"};
// Sequence numbers above this are taken for something else (a tool, a size).
constexpr int32_t kHighestSequence = 1000;
// A placed note belongs to an end point closer than this in X and in Y.
constexpr float kNoteReach = 0.01f;
// LoadEntity drives the "Reading Info" meter up to this share.
constexpr int kLoadProgressMeter = 1;
constexpr double kLoadProgressShare = 30;

const std::string kNoText;

std::string_view TrimmedName(std::string_view name) {
  const std::size_t end = LastNotPadding(name);
  return end == std::string_view::npos ? std::string_view() : name.substr(0, end + 1);
}

bool HasSequencedHead(std::string_view layer) {
  if (layer.size() < 5) return false;
  std::string head(layer.substr(0, kLayerKeywordLength));
  for (char& c : head) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  for (std::string_view known : kSequencedHeads) {
    if (head == known) return true;
  }
  return false;
}

// The face mapping: an entity drawn on a side face is moved into that face's plane,
// its depth taken from the coordinate across the face.
void MapToFace(EntityRegisters& r) {
  const float old_x1 = std::fabs(r.EntX1);
  const float old_y1 = std::fabs(r.EntY1);
  switch (r.EntFace) {
    case face::kTopEdge:
    case face::kBottomEdge:
      r.EntX1 = old_x1;
      r.EntY1 = std::fabs(r.EntZ1);
      r.EntElevation = old_y1;
      break;
    case face::kLeftEdge:
    case face::kRightEdge:
      r.EntX1 = std::fabs(r.EntZ1);
      r.EntY1 = old_x1;
      r.EntElevation = old_y1;
      break;
    case face::kSurface:
      r.EntX1 = old_x1;  // Y1 keeps its sign
      r.EntElevation = std::fabs(r.EntZ1);
      break;
    default:
      r.EntFace = face::kSurface;
      return;
  }
  r.EntX2 = std::fabs(r.EntX2);
  r.EntY2 = std::fabs(r.EntY2);
}

int16_t SequenceFromName(std::string_view layer) {
  if (!HasSequencedHead(layer)) return 0;
  const int32_t n = RoundToInt32(ReadCodeNumber(layer.substr(5)));
  if (n > kHighestSequence) return 0;
  if (n != 0) return RoundToInt16(n);
  return SequenceFromLayerSuffix(layer);
}

bool Near(float a, float b) { return std::fabs(a - b) < kNoteReach; }

// A note placed on the start or end point of an operation's first entity supplies
// that operation's parameters, or names an OP text by its number.
void MatchPlacedNotes(EntityRegisters& r, const NoteSources& notes) {
  if (notes.CurrentLayerKind.empty() || TrimmedName(r.EntLayer.view()) != TrimmedName(notes.CurrentLayerKind))
    return;
  if (r.EntRadiusAsRead != r.EntWidth41) return;
  if (!r.NoteMatchPending || notes.PlacedNotes == nullptr || notes.PlacedNotes->empty()) return;
  r.ParamOverride.clear();
  for (const PlacedNote& note : *notes.PlacedNotes) {
    if (note.Text.empty()) continue;
    if (Near(r.EntY1, note.Y) && Near(r.EntX1, note.X)) {
      r.ParamOverride = note.Text;
    } else if (Near(r.EntY2, note.Y) && Near(r.EntX2, note.X)) {
      r.ParamOverride = note.Text;
    }
    const int16_t op = RoundToInt16(ReadCodeNumber(r.ParamOverride));
    if (notes.OperationTexts != nullptr && op >= 1 && op < static_cast<int>(notes.OperationTexts->size()) &&
        !IsBlankText((*notes.OperationTexts)[static_cast<std::size_t>(op)])) {
      r.ParamOverride = (*notes.OperationTexts)[static_cast<std::size_t>(op)];
    }
  }
  if (!r.ParamOverride.empty()) r.EntSequence = RoundToInt16(ReadCodeNumber(r.ParamOverride));
  r.NoteMatchPending = false;
}

void AdvanceLoadProgress(int index, int last_index, Operator& ui) {
  if (index % 10 != 0 || last_index <= 0) return;
  const int percent = RoundToInt16(static_cast<double>(index) / last_index * kLoadProgressShare);
  if (ui.Progress(kLoadProgressMeter) < percent) ui.SetProgress(kLoadProgressMeter, percent);
}

}  // namespace

bool DrawingEntity::IsBlank() const { return IsBlankText(EntityType.view()); }

void EntityStore::Reset() {
  Entities.assign(2, DrawingEntity{});
  EntityTexts.assign(2, std::string());
}

const std::string& EntityStore::TextOf(const DrawingEntity& entity) const {
  const int32_t number = entity.TextNumber > 0 ? entity.TextNumber : entity.TextIndex;
  if (number <= 0 || number >= static_cast<int32_t>(EntityTexts.size())) return kNoText;
  return EntityTexts[static_cast<std::size_t>(number)];
}

void LoadEntity(EntityStore& store, int& index, const NoteSources& notes, Operator& ui) {
  if (index < 0 || index > store.LastIndex()) {
    throw std::out_of_range("LoadEntity: no record " + std::to_string(index) + " in the drawing");
  }
  const DrawingEntity& e = store.Entities[static_cast<std::size_t>(index)];
  EntityRegisters& r = store.Current;
  const float scale = notes.DrawingScale;

  r.EntSequence = 0;
  r.EntType = e.EntityType;
  r.EntLine = e.Line;
  r.EntText = store.TextOf(e);
  r.EntLayer = e.Layer;
  r.EntX1 = e.X1 * scale;
  r.EntY1 = e.Y1 * scale;
  r.EntX2 = e.X2 * scale;
  r.EntY2 = e.Y2 * scale;
  r.EntZ1 = e.Z1;
  r.EntZ2 = e.Z2;
  r.EntElevation = e.Elevation;
  r.EntThickness = std::fabs(e.Thickness) * scale;
  r.EntThicknessAsRead = r.EntThickness;
  r.EntRadius = e.Radius * scale;
  r.EntRadiusAsRead = r.EntRadius;
  r.EntWidth41 = e.Width41;
  r.EntBulge = e.Bulge;
  r.EntStartAngle = e.StartAngle;
  r.EntEndAngle = e.EndAngle;
  r.EntColor = e.Color;
  r.EntFlags = e.Flags;
  r.EntJustify = e.Justify;
  r.EntFollowFlag = e.FollowFlag;

  const char face = e.Face[0] == '\0' ? ' ' : e.Face[0];
  r.EntFace = RoundToInt16(ReadNumber(std::string_view(&face, 1)));
  MapToFace(r);
  r.EntThickness = std::fabs(r.EntThickness);

  // A route polyline drawn on the top face gives its depth as the vertex thickness.
  if (r.EntLayer.view().substr(0, 2) == "RO" && r.EntType == "VERTEX    " && r.EntFace == face::kSurface) {
    r.EntElevation = r.EntThickness;
    r.EntThickness = 0;
  }

  r.EntSequence = SequenceFromName(r.EntLayer.view());
  MatchPlacedNotes(r, notes);
  if (r.EntSequence > r.MaxSequence) r.MaxSequence = r.EntSequence;

  ++index;
  AdvanceLoadProgress(index, store.LastIndex(), ui);
}

std::string CleanText(std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\0') clean += c;
  }
  return clean;
}

bool IsBlankText(std::string_view text) {
  return FirstNotPadding(text) == std::string_view::npos;
}

int16_t SequenceFromLayerSuffix(std::string_view layer) {
  std::string_view rest = layer.size() > 5 ? layer.substr(5) : std::string_view();
  while (!rest.empty() && (rest.front() == '_' || rest.front() == ' ')) rest.remove_prefix(1);
  const int32_t n = RoundToInt32(ReadCodeNumber(rest));
  return n > kHighestSequence ? 0 : RoundToInt16(n);
}

}  // namespace mq
