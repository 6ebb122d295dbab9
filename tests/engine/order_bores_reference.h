#pragma once
// The ten bore walks written the plain way, as the drilling order is defined: every step
// scans all unvisited bores in index order and keeps a candidate only when it is strictly
// nearer. The fast pass must give exactly this order.

#include <cmath>
#include <limits>
#include <vector>

#include "engine/machining_records.h"

namespace mq::test {

// `bores` already sorted by SortBoresByY; returns them in drilling order.
inline std::vector<BoreRecord> ReferenceBoreOrder(const std::vector<BoreRecord>& bores, float width,
                                                  float height) {
  const std::size_t n = bores.size();
  const float half = height / 2;
  std::vector<std::size_t> best_order;
  float best_total = 0;
  for (int k = 1; k <= 10; ++k) {
    const auto factor = static_cast<float>(k * 0.2);
    float w = factor;
    float cx = width, cy = height, total = 0, last_examined_y = 0;
    std::vector<bool> visited(n, false);
    std::vector<std::size_t> order;
    for (std::size_t step = 0; step < n; ++step) {
      if (cy < half && last_examined_y < half) w = factor * 1.5f;
      // The design's cap first; a bore beyond it is still taken when nothing is under it.
      for (float cap : {width * w + height, std::numeric_limits<float>::infinity()}) {
        float best = cap;
        std::size_t candidate = n;
        float candidate_d = 0;
        for (std::size_t j = 0; j < n; ++j) {
          if (visited[j]) continue;
          const float dx = cx - bores[j].X;
          const float dy = cy - bores[j].Y;
          const float d = std::sqrt(dx * dx + dy * dy);
          const float wx = dx * w;
          float e = std::sqrt(wx * wx + dy * dy);
          if (cy < half && bores[j].Y < half) e *= 0.6f;
          if (e < best) {
            best = e;
            candidate = j;
            candidate_d = d;
          }
          last_examined_y = bores[j].Y;
        }
        if (candidate == n) continue;
        total += candidate_d;
        visited[candidate] = true;
        order.push_back(candidate);
        cx = bores[candidate].X;
        cy = bores[candidate].Y;
        break;
      }
    }
    if (k == 1 || total < best_total) {
      best_total = total;
      best_order = order;
    }
  }
  std::vector<BoreRecord> result;
  for (std::size_t j : best_order) result.push_back(bores[j]);
  return result;
}

}  // namespace mq::test
