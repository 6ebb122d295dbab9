#pragma once
// The drawing entity store: one fixed-layout record per entity of the ENTITIES
// section, the texts of the TEXT entities, the instruction layer, and the
// current-entity registers that LoadEntity fills for the engine and the layer-code
// readers.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input/fixed_text.h"
#include "input/one_based_list.h"
#include "input/operator.h"

namespace mq {

constexpr std::size_t kEntityTypeWidth = 10;
constexpr std::size_t kLayerWidth = 114;
// The length of the operation keyword at the head of a layer name (ROUTE, VBORE, ...).
constexpr std::size_t kLayerKeywordLength = 5;

// The machining faces of an entity (EntFace): the four edges of the panel, numbered as
// the edge bores and the edge views number them, and the panel's top surface.
namespace face {
constexpr int16_t kTopEdge = 1;     // Y maximum
constexpr int16_t kBottomEdge = 2;  // Y minimum
constexpr int16_t kLeftEdge = 3;    // X minimum
constexpr int16_t kRightEdge = 4;   // X maximum
constexpr int16_t kSurface = 5;     // the top surface, drawn in plan
}  // namespace face

// One DXF entity as read. Group codes in the comments.
struct DrawingEntity {
  FixedText<kEntityTypeWidth> EntityType;  // 0: upper case, cut or padded to 10
  int16_t TextIndex = 0;                   // 1: index into EntityTexts, 0 = no text
  FixedText<kLayerWidth> Layer;            // 8: upper case; VERTEX/SEQEND take their POLYLINE's
  float X1 = 0, Y1 = 0;                    // 10, 20
  float X2 = 0, Y2 = 0;                    // 11, 21
  float Z1 = 0;                            // 30
  float Z2 = 0;                            // 31
  float Elevation = 0;                     // 38
  float Thickness = 0;                     // 39
  float Radius = 0;                        // 40, or 12 (X of a SOLID's third corner)
  float Width41 = 0;                       // 41, or 13 (X of a SOLID's fourth corner)
  float Bulge = 0;                         // 42
  float StartAngle = 0;                    // 50, or 22 (Y of a SOLID's third corner)
  float EndAngle = 0;                      // 51, or 23 (Y of a SOLID's fourth corner)
  int16_t Color = 0;                       // 62; a SEQEND takes the last colour read before it
  int16_t Flags = 0;                       // 70
  int16_t Justify = 0;                     // 72 + 73, or 75
  int16_t FollowFlag = 0;                  // 66
  FixedText<1> Face;                       // 210/220/230: "1".."5" or blank/NUL
  // 1: the full index into EntityTexts. TextIndex keeps its 16 bits and
  // stops at 32767; this one goes on, so every text of a large drawing stays found.
  int32_t TextNumber = 0;
  // The drawing's line that starts the entity (its group 0), for messages that say
  // where in the drawing a problem is; 0 for records the reader made up.
  int32_t Line = 0;

  // True for records that carry no entity (index 1 and the record opened at ENDSEC).
  bool IsBlank() const;
};

// A free note on the instruction layer: its text supplies the parameters or the
// sequence number of the operation whose first entity starts or ends on its point.
struct PlacedNote {
  float X = 0;
  float Y = 0;
  std::string Text;
};

// The current-entity registers, written by LoadEntity (the engine may change them
// afterwards) and read by the layer-code readers.
struct EntityRegisters {
  FixedText<kEntityTypeWidth> EntType;
  std::string EntText;
  FixedText<kLayerWidth> EntLayer;
  float EntX1 = 0, EntY1 = 0, EntX2 = 0, EntY2 = 0;  // scaled, then mapped by face
  float EntZ1 = 0, EntZ2 = 0;                        // unscaled
  float EntElevation = 0;
  float EntThickness = 0;        // absolute, scaled; 0 on a RO-layer VERTEX of face 5
  float EntThicknessAsRead = 0;  // absolute, scaled; never changed by the VERTEX rule
  float EntRadius = 0, EntRadiusAsRead = 0;
  float EntWidth41 = 0;
  float EntBulge = 0, EntStartAngle = 0, EntEndAngle = 0;
  int16_t EntColor = 0, EntFlags = 0, EntJustify = 0, EntFollowFlag = 0;
  int16_t EntFace = 0;
  int16_t EntSequence = 0;
  int16_t MaxSequence = 0;
  int32_t EntLine = 0;  // the drawing's line that starts the entity

  std::string ParamOverride;      // parameter text of a matched placed note
  bool NoteMatchPending = false;  // raised by the engine before each operation

  bool LeadCodeSeen = false;  // some layer name uses the LD code
  bool ZCodeAbsent = false;   // the last CodeZ found no Z
};

struct EntityStore {
  // Index 0 and 1 are never filled; the first entity is at index 2; the last record
  // is the blank one opened at ENDSEC.
  std::vector<DrawingEntity> Entities;
  // Index 0 stays empty; the first TEXT value is at 1.
  std::vector<std::string> EntityTexts;
  // Layer of the TEXT carrying the instruction title, through CleanText; empty if none.
  std::string InstructionLayer;

  EntityRegisters Current;

  int LastIndex() const { return static_cast<int>(Entities.size()) - 1; }
  // The text of a record (its EntityTexts entry); empty when it has none.
  const std::string& TextOf(const DrawingEntity& entity) const;
  // Empties both tables and re-creates them with their two blank records / entries.
  void Reset();
};

// What LoadEntity reads from the engine: the scale and the notes of the drawing
// instructions, and the layer the engine is processing.
struct NoteSources {
  float DrawingScale = 1.0f;
  const OneBasedList<PlacedNote>* PlacedNotes = nullptr;     // may be null: no notes
  const std::vector<std::string>* OperationTexts = nullptr;  // index 0..n; may be null
  std::string_view CurrentLayerKind;                         // entry of the layer-kind list
};

// Copies record `index` into store.Current (scale, face mapping, sequence number,
// placed notes) and advances `index` by one. Moves progress meter 1 up to 30.
void LoadEntity(EntityStore& store, int& index, const NoteSources& notes, Operator& ui);

// Every NUL becomes a blank, then every blank is removed.
std::string CleanText(std::string_view text);
// True when the text, NULs read as blanks, is empty after removing leading blanks.
bool IsBlankText(std::string_view text);
// The layer name after its first 5 characters, leading '_' and blanks dropped, read
// as a number; 0 when not a number or 1001 and above.
int16_t SequenceFromLayerSuffix(std::string_view layer);

}  // namespace mq
