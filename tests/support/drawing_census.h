#pragma once
// What a drawing asks to be machined, read with the project's DXF reader and layer-name
// language alone, independently of the engine: the border points, the vertical bores,
// the count of edge bores, and the routed pieces grouped into contours, with the closed
// outlines among them. Used to check written programs against their drawings.
//
// Taken as drawn: LAYER and COLOR aliases of the instruction layer are applied, the
// two-letter codes substituted and "$" names split as the engine does; a drawing scale
// is not applied.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "input/dxf_reader.h"
#include "input/entity_store.h"
#include "input/layer_codes.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"
#include "output/program_paths.h"
#include "support/recording_operator.h"

namespace mq::test {

using Point2 = ProgramPoint;

struct DrawnBore {
  Point2 At;
  double DiameterMm = 0;
  std::string ToolText;  // the layer's T words as the engine keeps them ("05", "0512"), or empty
};

// A closed outline of a route layer: a polygon of its vertices, or a circle.
struct DrawnOutline {
  std::string Layer;
  std::vector<Point2> Vertices;  // a circle has one: its centre
  double Radius = 0;             // circles only
};

struct DrawingCensus {
  bool Read = false;
  std::vector<Point2> BorderPoints;
  std::vector<DrawnBore> VerticalBores;
  int EdgeFaceBores = 0;      // circles on bore layers extruded towards an edge
  int EdgeViewBoreItems = 0;  // circles and line pieces on HBORE layers: at most one edge bore each
  int ContourGroups = 0;      // routed pieces that touch, per layer: the least number of contours
  std::vector<DrawnOutline> ClosedOutlines;  // on ROUTE layers (pockets are rebuilt, so not here)
  double LargestToolDiameter = 0;            // D of the route and pocket layers
};

namespace census {

constexpr double kTouching = 0.1;  // millimetres: pieces whose ends lie this close are chained
constexpr double kOnCircle = 0.05;
constexpr double kPolylineClosed = 0.03;

inline std::string Upper(std::string_view text) { return UpperCase(TrimSpaces(text)); }
inline std::string Trim(std::string_view text) { return std::string(TrimSpaces(text)); }
inline std::string TypeOf(const DrawingEntity& e) { return e.EntityType.trimmed(); }
inline std::string LayerOf(const DrawingEntity& e) { return Trim(e.Layer.trimmed()); }
inline bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}
inline bool OnSideFace(const DrawingEntity& e) { return e.Face[0] >= '1' && e.Face[0] <= '4'; }

// The layer name with its two-letter codes written back, for messages.
inline std::string Readable(std::string layer) {
  constexpr std::pair<char, const char*> kCodes[] = {
      {code_char::FA, "FA"}, {code_char::FD, "FD"}, {code_char::FR, "FR"},
      {code_char::LD, "LD"}, {code_char::RO, "RO"}, {code_char::RI, "RI"},
      {code_char::PD, "PD"}, {code_char::ES, "ES"}, {code_char::OZ, "OZ"}};
  for (const auto& [mark, code] : kCodes) {
    for (std::size_t at; (at = layer.find(std::string(" ") + mark)) != std::string::npos;)
      layer.replace(at, 2, code);
  }
  return layer;
}

// LAYER from=to and COLOR n=layer (or COLOR layer, in the text's colour) statements.
inline void ApplyAliases(EntityStore& store) {
  std::vector<std::pair<std::string, std::string>> layers, colours;
  for (const DrawingEntity& e : store.Entities) {
    if (store.InstructionLayer.empty() || TypeOf(e) != "TEXT" ||
        CleanText(e.Layer.view()).find(store.InstructionLayer) == std::string::npos)
      continue;
    const std::string text = Trim(store.TextOf(e));
    const std::string keyword = Upper(text.substr(0, text.find_first_of(" =")));
    const std::string rest = text.size() > keyword.size() ? text.substr(keyword.size() + 1) : "";
    const std::size_t equals = rest.find('=');
    if (keyword == "LAYER" && equals != std::string::npos && !Trim(rest.substr(0, equals)).empty())
      layers.push_back({Upper(rest.substr(0, equals)), Upper(rest.substr(equals + 1))});
    if (keyword == "COLOR" && !rest.empty())
      colours.push_back(equals == std::string::npos
                            ? std::pair{std::to_string(e.Color), Upper(rest)}
                            : std::pair{Trim(rest.substr(0, equals)), Upper(rest.substr(equals + 1))});
  }
  std::string polyline_layer;
  for (DrawingEntity& e : store.Entities) {
    for (const auto& [from, to] : layers) {
      if (LayerOf(e) == from) {
        e.Layer = to;
        break;
      }
    }
    if (!polyline_layer.empty() && TypeOf(e) == "VERTEX") {
      e.Layer = polyline_layer;
      continue;
    }
    polyline_layer.clear();
    for (const auto& [colour, layer] : colours) {
      if (e.Color != ReadNumber(colour)) continue;
      e.Layer = layer;
      if (TypeOf(e) == "POLYLINE") polyline_layer = layer;
      break;
    }
  }
}

// Groups of touching pieces: a piece is its end points; circles join a piece that ends on them.
struct Piece {
  std::string Layer;
  Point2 A, B;
  bool Circle = false;
  double Radius = 0;
  std::vector<Point2> Vertices;  // polylines: every vertex (they are not chained with others)
  bool Closed = false;
};

inline bool Touch(const Piece& p, const Piece& q, double tolerance) {
  if (p.Layer != q.Layer || !p.Vertices.empty() || !q.Vertices.empty()) return false;
  if (p.Circle && q.Circle) return false;
  if (p.Circle || q.Circle) {
    const Piece& c = p.Circle ? p : q;
    const Piece& o = p.Circle ? q : p;
    return std::fabs(Distance(c.A, o.A) - c.Radius) < kOnCircle ||
           std::fabs(Distance(c.A, o.B) - c.Radius) < kOnCircle;
  }
  return Distance(p.A, q.A) < tolerance || Distance(p.A, q.B) < tolerance || Distance(p.B, q.A) < tolerance ||
         Distance(p.B, q.B) < tolerance;
}

// Counts the contour groups and finds the closed outlines of line and arc loops.
inline void GroupPieces(const std::vector<Piece>& pieces, double tolerance, DrawingCensus& census) {
  std::vector<std::size_t> group(pieces.size());
  std::iota(group.begin(), group.end(), 0);
  const auto root = [&](std::size_t k) {
    while (group[k] != k) k = group[k] = group[group[k]];
    return k;
  };
  for (std::size_t i = 0; i < pieces.size(); ++i)
    for (std::size_t j = i + 1; j < pieces.size(); ++j)
      if (Touch(pieces[i], pieces[j], tolerance)) group[root(i)] = root(j);
  for (std::size_t g = 0; g < pieces.size(); ++g) {
    if (root(g) != g) continue;
    ++census.ContourGroups;
    std::vector<const Piece*> members;
    for (std::size_t k = 0; k < pieces.size(); ++k)
      if (root(k) == g) members.push_back(&pieces[k]);
    const Piece& first = *members.front();
    if (Contains(first.Layer, "EXCAV")) continue;
    if (members.size() == 1 && (first.Circle || first.Closed)) {
      census.ClosedOutlines.push_back(
          {first.Layer, first.Circle ? std::vector{first.A} : first.Vertices, first.Radius});
      continue;
    }
    // A loop of lines and arcs: every end meets exactly one other end.
    std::vector<Point2> ends;
    bool loop = true;
    for (const Piece* p : members) {
      loop = loop && !p->Circle && p->Vertices.empty();
      ends.push_back(p->A);
      ends.push_back(p->B);
    }
    for (const Point2& end : ends) {
      const auto meeting =
          std::count_if(ends.begin(), ends.end(), [&](Point2 o) { return Distance(o, end) < tolerance; });
      loop = loop && meeting == 2;
    }
    if (loop) census.ClosedOutlines.push_back({first.Layer, ends, 0});
  }
}

}  // namespace census

// `millimetres_per_unit` (25.4 for an inch drawing) scales the chaining tolerance.
inline DrawingCensus TakeCensus(const std::string& drawing, double millimetres_per_unit) {
  using namespace census;
  DrawingCensus census;
  RecordingOperator person;
  RunContext run(person);
  EntityStore store;
  std::string name = drawing;
  ReadDxf(name, store, run);
  if (run.FileFailed) return census;
  census.Read = true;
  ApplyAliases(store);
  SubstituteTwoLetterCodes(store);
  PrepareLayers(store);

  std::vector<Piece> pieces;
  std::optional<std::size_t> polyline;  // the piece of the POLYLINE whose vertices follow
  bool border_polyline = false;
  for (const DrawingEntity& e : store.Entities) {
    if (e.IsBlank()) continue;
    const std::string type = TypeOf(e), layer = LayerOf(e);
    if (type == "EOF") break;
    EntityRegisters r;
    r.EntLayer = e.Layer;
    const Point2 p1{e.X1, e.Y1}, p2{e.X2, e.Y2};
    const bool route = Contains(layer, "ROUT") || Contains(layer, "ROTAR") || Contains(layer, "EXCAV");
    const bool bore_layer =
        layer.size() >= 5 && std::string_view("VBORE DRILLING").find(layer.substr(0, 5)) != std::string::npos;
    const bool edge_view_layer = layer.substr(0, 5) == "HBORE";
    if (type != "VERTEX") polyline.reset();
    if (type != "VERTEX" && type != "SEQEND") border_polyline = false;
    if (Contains(layer, "BORDER") && type == "LINE")
      census.BorderPoints.insert(census.BorderPoints.end(), {p1, p2});
    if (Contains(layer, "BORDER") && type == "POLYLINE") border_polyline = e.Flags != 4;
    if (border_polyline && type == "VERTEX") census.BorderPoints.push_back(p1);
    if (Contains(layer, "PANEL") && type == "SOLID")  // corners 1, 2 and 3: X of 1 and 2, Y of 1 and 3
      census.BorderPoints.insert(census.BorderPoints.end(),
                                 {p1, {e.X2, e.Y1}, {e.X1, e.StartAngle}, {e.X2, e.StartAngle}});
    const std::string tools = WithoutBlanks(ToolList(r));  // as the engine keeps them
    if (bore_layer && type == "POINT") census.VerticalBores.push_back({p1, CodeD(r), tools});
    if (bore_layer && type == "CIRCLE" && OnSideFace(e)) ++census.EdgeFaceBores;
    if (bore_layer && type == "CIRCLE" && !OnSideFace(e))
      census.VerticalBores.push_back({p1, CodeD(r) > 0 ? CodeD(r) : 2.0 * e.Radius, tools});
    if ((edge_view_layer && type == "CIRCLE") ||
        (Contains(layer, "HBORE") && (type == "LINE" || type == "VERTEX")))
      ++census.EdgeViewBoreItems;
    if (!route || OnSideFace(e)) continue;
    census.LargestToolDiameter = std::max<double>(census.LargestToolDiameter, CodeD(r));
    if (type == "LINE") pieces.push_back({layer, p1, p2, false, 0, {}, false});
    if (type == "ARC") {
      const auto at = [&](double degrees) {
        return Point2{e.X1 + e.Radius * std::cos(degrees * std::numbers::pi / 180),
                      e.Y1 + e.Radius * std::sin(degrees * std::numbers::pi / 180)};
      };
      pieces.push_back({layer, at(e.StartAngle), at(e.EndAngle), false, 0, {}, false});
    }
    if (type == "CIRCLE") pieces.push_back({layer, p1, p1, true, e.Radius, {}, false});
    if (type == "POLYLINE") {
      // A polyline of constant width loses its first piece in the writer: not an outline.
      pieces.push_back(
          {layer, {}, {}, false, 0, {}, e.Flags != 0 && !(e.Radius > 0 && e.Radius == e.Width41)});
      polyline = pieces.size() - 1;
    }
    if (type == "VERTEX" && polyline) pieces[*polyline].Vertices.push_back(p1);
  }
  for (Piece& p : pieces) {
    if (p.Vertices.empty()) continue;
    p.A = p.Vertices.front();
    p.B = p.Vertices.back();
    p.Closed = p.Closed || (p.Vertices.size() > 2 && Distance(p.A, p.B) < kPolylineClosed);
  }
  GroupPieces(pieces, kTouching / millimetres_per_unit, census);
  return census;
}

}  // namespace mq::test
