#include "input/entity_store.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace mq {
namespace {

using namespace std::string_literals;
using Floats = std::vector<float>;

// Record: X1 = -10, Y1 = -4, X2 = -3, Y2 = -2, Z1 = -7, elevation 9, thickness -8. X and
// Y are scaled, Z, the elevation and the value taken from Z1 are not; the thickness is
// scaled and taken without sign. On face 5 Y1 keeps its sign; no face or an unknown one:
// no change. A route VERTEX on the top face takes its thickness as depth, a bore's does
// not. A load past the last record throws; NULs in texts read as blanks.
TEST(LoadEntity, MapsSideFacesIntoFaceCoordinates) {
  EntityStore store;
  SilentOperator nobody;
  // The records placed from index 2 on, as a reading leaves them, the blank ENDSEC
  // record after them; the registers of the first.
  const auto load = [&](const std::vector<DrawingEntity>& records, float scale) {
    store.Reset();
    store.Entities.insert(store.Entities.end(), records.begin(), records.end());
    store.Entities.emplace_back();
    int index = 2;
    LoadEntity(store, index, NoteSources{scale, nullptr, nullptr, {}}, nobody);
    return store.Current;
  };
  // clang-format off
  const std::tuple<const char*, float, int16_t, Floats> cases[] = {
      {"1", 1, 1, {10, 7, 3, 2, 4, 8}}, {"2", 1, 2, {10, 7, 3, 2, 4, 8}}, {"3", 1, 3, {7, 10, 3, 2, 4, 8}},
      {"4", 1, 4, {7, 10, 3, 2, 4, 8}}, {"5", 1, 5, {10, -4, 3, 2, 7, 8}}, {"3", 2, 3, {7, 20, 6, 4, 8, 16}},
      {"", 1, 5, {-10, -4, -3, -2, 9, 8}}, {"7", 1, 5, {-10, -4, -3, -2, 9, 8}}};
  // clang-format on
  for (const auto& [face, scale, ent_face, mapped] : cases) {
    DrawingEntity e;
    e.EntityType = "LINE", e.Layer = "A", e.X1 = -10, e.Y1 = -4, e.X2 = -3, e.Y2 = -2, e.Z1 = -7,
    e.Elevation = 9;
    e.Thickness = -8;
    if (*face) e.Face = face;
    const EntityRegisters r = load({e}, scale);
    EXPECT_EQ(r.EntFace, ent_face) << face;
    EXPECT_EQ((Floats{r.EntX1, r.EntY1, r.EntX2, r.EntY2, r.EntElevation, r.EntThickness}), mapped)
        << face << " scale " << scale;
  }
  DrawingEntity vertex, bore;
  vertex.EntityType = bore.EntityType = "VERTEX", vertex.Layer = "ROUTE D10", bore.Layer = "VBORE";
  vertex.Thickness = bore.Thickness = 5, vertex.Face = bore.Face = "5";
  const EntityRegisters r = load({vertex}, 1);
  EXPECT_EQ((Floats{r.EntElevation, r.EntThickness, r.EntThicknessAsRead, load({bore}, 1).EntThickness}),
            (Floats{5, 0, 5, 5}));
  int past = store.LastIndex() + 1;
  EXPECT_THROW(LoadEntity(store, past, NoteSources{}, nobody), std::out_of_range);
  EXPECT_EQ(CleanText(" inst\0t5 "s) + (IsBlankText(" \0\0 \0"s) ? "|blank" : "") +
                (IsBlankText("\0x"s) ? "" : "|x"),
            "instt5|blank|x");
}

}  // namespace
}  // namespace mq
