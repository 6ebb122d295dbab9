#pragma once
// Route pieces and circles for the tests of route ordering, contour joining and circle
// leads, laid down as the route pass lays them; and the conventions every finished
// PathList must keep, checked record by record.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/angles.h"
#include "engine/conversion_state.h"

namespace mq::test {

struct PieceData {
  int16_t layer = 1;
  int16_t tool = 1;
  int16_t sequence = 0;
  float depth = 10;
  std::string comp;  // CompCode
  int16_t speed = 18000;
  float diameter = 8;

  PieceData& OnLayer(int16_t v) {
    layer = v;
    return *this;
  }
  PieceData& WithTool(int16_t v) {
    tool = v;
    return *this;
  }
  PieceData& WithSequence(int16_t v) {
    sequence = v;
    return *this;
  }
  PieceData& WithDepth(float v) {
    depth = v;
    return *this;
  }
  PieceData& WithComp(std::string v) {
    comp = std::move(v);
    return *this;
  }
  PieceData& WithSpeed(int16_t v) {
    speed = v;
    return *this;
  }
  PieceData& WithDiameter(float v) {
    diameter = v;
    return *this;
  }
};

inline PathSegment PieceRecord(const PieceData& d, int16_t type, float x, float y) {
  PathSegment s;
  s.LayerNumber = d.layer;
  s.Tool = d.tool;
  s.Sequence = d.sequence;
  s.Z = d.depth;
  s.CompCode = d.comp;
  s.VM = d.speed;
  s.ToolDiameter = d.diameter;
  s.VX = 3000;
  s.SegmentType = type;
  s.X = x;
  s.Y = y;
  return s;
}

inline void AddLine(ConversionState& s, float x1, float y1, float x2, float y2, const PieceData& d = {}) {
  s.PathList.push_back(PieceRecord(d, -1, x1, y1));
  s.PathList.push_back(PieceRecord(d, 1, x2, y2));
}

// A DXF arc (counter-clockwise from `start` to `end` degrees), cut from its end to its
// start as the route pass lays it down.
inline void AddArc(ConversionState& s, float cx, float cy, float r, float start, float end,
                   const PieceData& d = {}) {
  const float rad = RadiansPerDegree;
  PathSegment a = PieceRecord(d, -3, cx + r * std::cos(end * rad), cy + r * std::sin(end * rad));
  a.CentreX = cx;
  a.CentreY = cy;
  PathSegment b = PieceRecord(d, 3, cx + r * std::cos(start * rad), cy + r * std::sin(start * rad));
  b.CentreX = end;
  b.CentreY = start;
  s.PathList.push_back(a);
  s.PathList.push_back(b);
}

struct Vertex {
  float x, y, bulge = 0;
};

inline void AddPolyline(ConversionState& s, const std::vector<Vertex>& vertices, bool closed,
                        const PieceData& d = {}) {
  for (std::size_t k = 0; k < vertices.size(); ++k) {
    PathSegment p = PieceRecord(d, k == 0 ? -5 : 5, vertices[k].x, vertices[k].y);
    p.CentreX = vertices[k].bulge != 0 ? -1.0f : 0.0f;
    p.CentreY = vertices[k].bulge;
    s.PathList.push_back(p);
  }
  if (closed) {
    PathSegment p = s.PathList[s.PathList.size() - static_cast<int>(vertices.size()) + 1];
    p.SegmentType = 5;
    s.PathList.push_back(p);
  }
}

inline CircleRecord MakeCircle(float cx, float cy, float r, const PieceData& d = {}) {
  CircleRecord c;
  c.CentreX = cx;
  c.CentreY = cy;
  c.Radius = r;
  c.LayerNumber = d.layer;
  c.Tool = d.tool;
  c.Sequence = d.sequence;
  c.Depth = d.depth;
  c.CompCode = d.comp;
  c.Speed = d.speed;
  c.ToolDiameter = d.diameter;
  c.FA = 2000;
  return c;
}

inline void AddCircle(ConversionState& s, float cx, float cy, float r, const PieceData& d = {}) {
  s.CircleList.push_back(MakeCircle(cx, cy, r, d));
}

inline float DistanceBetween(float x1, float y1, float x2, float y2) { return std::hypot(x2 - x1, y2 - y1); }

// The point an arc end record stands for: centre + radius at its CentreY angle.
inline void ExpectArcEndAtItsAngle(const PathSegment& start, const PathSegment& end, int index) {
  const float r = DistanceBetween(start.CentreX, start.CentreY, end.X, end.Y);
  const float a = end.CentreY * RadiansPerDegree;
  EXPECT_NEAR(start.CentreX + r * std::cos(a), end.X, 1e-3) << "arc end " << index;
  EXPECT_NEAR(start.CentreY + r * std::sin(a), end.Y, 1e-3) << "arc end " << index;
  EXPECT_NEAR(DistanceBetween(start.CentreX, start.CentreY, start.X, start.Y), r, 1e-3)
      << "arc start " << index - 1 << " is not on the arc's circle";
}

// The conventions of a finished PathList (see contour_joining.cpp): contours as the
// table says, each opened by ChainFlag -8 on its first record and no other, no other
// negative ChainFlag but an arc end's -1, uniform tool data, arcs whose records agree,
// and contours that run on without gaps.
inline void ExpectFinishedPathConventions(const ConversionState& s) {
  const OneBasedList<PathSegment>& path = s.PathList;
  if (path.empty()) return;
  ASSERT_FALSE(s.Contours.empty());
  EXPECT_EQ(s.Contours[1].First, 1);
  EXPECT_EQ(s.Contours[s.Contours.size()].Last, path.size());
  for (int k = 1; k <= s.Contours.size(); ++k) {
    const ContourRow& row = s.Contours[k];
    if (k > 1) {
      EXPECT_EQ(row.First, s.Contours[k - 1].Last + 1) << "contour " << k;
    }
    const PathSegment& first = path[row.First];
    EXPECT_EQ(first.ChainFlag, kContourStart) << "contour " << k << " is not marked at its start";
    EXPECT_LT(first.SegmentType, 0) << "contour " << k << " starts with a continuing record";
    for (int i = row.First; i <= row.Last; ++i) {
      const PathSegment& p = path[i];
      if (i > row.First) {
        EXPECT_NE(p.ChainFlag, kContourStart) << "record " << i << " opens a contour inside contour " << k;
        if (p.ChainFlag < 0) {
          EXPECT_EQ(p.SegmentType, 3) << "record " << i;
          EXPECT_EQ(p.ChainFlag, -1) << "record " << i;
        }
        if (p.SegmentType < 0) {
          const PathSegment& before = path[i - 1];
          EXPECT_LT(DistanceBetween(before.X, before.Y, p.X, p.Y), s.CoincidenceTolerance + 1e-3f)
              << "contour " << k << " jumps at record " << i;
        }
      }
      EXPECT_EQ(p.Tool, first.Tool) << "record " << i;
      EXPECT_EQ(p.ToolDiameter, first.ToolDiameter) << "record " << i;
      EXPECT_EQ(p.CompCode, first.CompCode) << "record " << i;
      EXPECT_EQ(p.VM, first.VM) << "record " << i;
      if (p.SegmentType == -3) {
        ASSERT_LT(i, row.Last) << "arc start " << i << " ends its contour";
        EXPECT_EQ(path[i + 1].SegmentType, 3) << "record " << i + 1;
        ExpectArcEndAtItsAngle(p, path[i + 1], i + 1);
      }
      if (p.SegmentType == 3) {
        EXPECT_EQ(path[i - 1].SegmentType, -3) << "record " << i;
      }
    }
  }
}

// The points of the contour `k` of the finished list, in cutting order.
inline std::vector<std::pair<float, float>> ContourPoints(const ConversionState& s, int k) {
  std::vector<std::pair<float, float>> points;
  for (int i = s.Contours[k].First; i <= s.Contours[k].Last; ++i)
    points.emplace_back(s.PathList[i].X, s.PathList[i].Y);
  return points;
}

}  // namespace mq::test
