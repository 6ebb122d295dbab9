#pragma once
// A k-d tree over the bores of one panel that finds, for the greedy bore walk, the
// unvisited bore of smallest weighted distance from the current position: exactly the
// bore a plain scan in index order with a strict "nearer" test would pick (the smallest
// distance, and of equal distances the lowest index). Subtrees are skipped only when a
// lower bound of their distance, with a margin for single-precision rounding, exceeds the
// best distance found; so the result does not depend on the tree's shape.

#include <vector>

namespace mq {

// The walk's distance from the current position (X, Y) to a bore at (x, y), in singles:
// sqrt((dx * weight)^2 + dy^2), times `lower_half_scale` when both the position and the
// bore lie below `half_height`.
struct WalkMetric {
  float X = 0, Y = 0;
  float Weight = 1;
  float HalfHeight = 0;
  float LowerHalfScale = 1;

  float Distance(float x, float y) const;
};

class BoreSearchTree {
 public:
  struct Box {
    float MinX, MaxX, MinY, MaxY;
  };

  // The bore positions, indexed from 0 as the walk numbers them.
  BoreSearchTree(std::vector<float> xs, std::vector<float> ys);

  // Marks every bore unvisited.
  void Reset();
  void Visit(int bore);
  bool Visited(int bore) const { return visited_[static_cast<std::size_t>(bore)] != 0; }

  // The unvisited bore nearest under `metric` (lowest index among equals); -1 when all
  // bores are visited.
  int Nearest(const WalkMetric& metric) const;

 private:
  struct Node {
    Box All;         // every member
    Box Unvisited_;  // the members not visited yet: the bound tightens as the walk goes on
    int Begin, End;  // range of members_ (leaves only)
    int Left = -1, Right = -1;
    int Parent = -1;
    int Unvisited = 0;
  };
  struct Best {
    float Distance;
    int Bore;
  };

  int Build(int begin, int end, int parent);
  // The box of the unvisited members of `node`, from its members or its children.
  void Shrink(Node& node);
  double LowerBound(const Node& node, const WalkMetric& metric) const;
  // Searches below `node`, whose lower bound is `bound`.
  void Search(int node, double bound, const WalkMetric& metric, Best& best) const;

  std::vector<float> xs_, ys_;
  std::vector<int> members_;                  // bore indices, grouped by leaf
  std::vector<float> member_xs_, member_ys_;  // their positions, side by side for the leaf scans
  std::vector<int> leaf_of_;                  // leaf node of each bore
  std::vector<char> visited_;
  std::vector<Node> nodes_;
};

}  // namespace mq
