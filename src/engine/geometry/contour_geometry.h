#pragma once
// Small geometry of routed contours shared by the passes that reshape PathList: the
// contours as their start marks delimit them, direction angles, points along a
// direction, and the compensation side of a contour.

#include <cstdint>
#include <vector>

#include "engine/driver/machining_records.h"
#include "engine/driver/units.h"
#include "input/one_based_list.h"

namespace mq {

struct PlanePoint {
  float X = 0, Y = 0;
};

inline PlanePoint PointOf(const PathSegment& s) { return {s.X, s.Y}; }
inline PlanePoint CentreOf(const PathSegment& arcStart) { return {arcStart.CentreX, arcStart.CentreY}; }

// One contour of PathList: its first and last record (inclusive, 1-based).
struct ContourSpan {
  int First = 0;
  int Last = 0;
  int Size() const { return Last - First + 1; }
};

// The contours as the ChainFlag -8 marks delimit them: each runs from a marked record to
// the record before the next mark, or to the end of the list. Records in front of the
// first mark belong to no contour.
std::vector<ContourSpan> MarkedContours(const OneBasedList<PathSegment>& path);

float Distance(PlanePoint a, PlanePoint b);

// Direction of the vector from `from` to `to` as a direction angle: counter-clockwise from
// +X, degrees in [0, 360). It is the bearing with X and Y exchanged, normalised.
float DirectionAngle(PlanePoint from, PlanePoint to);

// `from` + length * (cos a, sin a), with a in degrees converted by the stored pi.
PlanePoint AlongDirection(PlanePoint from, float length, float angle);

// An angle brought once into [0, 360), returned instead of changed in place.
float Normalized(float angle);

// The included angle of a bulge piece in degrees: 4 atan(bulge), positive for a piece
// that turns counter-clockwise.
float BulgeIncludedAngle(float bulge);

// +1 for a "G41" compensation code, -1 for "G42", 0 for none.
int CompensationSide(const FixedText<10>& compCode);

// The arc that ends at this type-3 record runs counter-clockwise: the writer reads any
// non-zero ChainFlag on an arc end so.
inline bool RunsCounterClockwise(const PathSegment& arcEnd) { return arcEnd.ChainFlag != 0; }
// The ChainFlag an arc end carries for its direction.
inline int16_t ArcDirectionFlag(bool counterClockwise) { return counterClockwise ? int16_t{-1} : int16_t{0}; }

}  // namespace mq
