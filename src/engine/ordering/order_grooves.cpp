// The saw passes of the grooves. A groove wider than the saw's kerf is cut in several
// passes side by side across its width, the outer passes flush with the groove's sides.

#include "engine/ordering/order_grooves.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "engine/driver/report_lines.h"
#include "engine/geometry/point_buckets.h"
#include "input/run_context.h"

namespace mq {

namespace {

// A direction marker (a groove of negative width) reverses the grooves that end where it
// ends, within this distance in X and in Y.
constexpr float kMarkerTolerance = 0.01f;

constexpr char kSkippedDiagonal[] = "Groove not parallel to an axis skipped: ";

bool EndsAt(const GrooveLine& g, const GrooveLine& marker) {
  return std::fabs(g.X2 - marker.X2) < kMarkerTolerance && std::fabs(g.Y2 - marker.Y2) < kMarkerTolerance;
}

// Every marker in list order reverses the grooves that then end where it ends. A groove
// depends only on the markers, so each is taken alone through the markers near its end
// point: the first later marker there turns it round, and the search goes on from that
// marker at its other end.
void ApplyDirectionMarkers(OneBasedList<GrooveLine>& grooves) {
  PointBuckets markers(4 * kMarkerTolerance);
  bool any = false;
  for (int m = 1; m <= grooves.size(); ++m) {
    if (grooves[m].Width < 0) markers.Add(0, grooves[m].X2, grooves[m].Y2, m), any = true;
  }
  if (!any) return;
  markers.Seal();
  const double reach = 2 * kMarkerTolerance;
  for (GrooveLine& g : grooves) {
    if (g.Width < 0) continue;
    for (int after = 0;;) {
      int next = 0;
      markers.AnyInBox(0, g.X2 - reach, g.X2 + reach, g.Y2 - reach, g.Y2 + reach, [&](int m) {
        if (m > after && (next == 0 || m < next) && EndsAt(g, grooves[m])) next = m;
        return false;
      });
      if (next == 0) break;
      std::swap(g.X1, g.X2);
      std::swap(g.Y1, g.Y2);
      after = next;
    }
  }
}

// One saw pass of `g`, its kerf field cleared.
GrooveLine Pass(const GrooveLine& g) {
  GrooveLine pass = g;
  pass.Kerf = 0;
  return pass;
}

// Passes of kerf k across width w of a groove whose centre line lies at c: the first and
// the last flush with the groove's sides, the others spread evenly between them.
void AddPassesAcross(OneBasedList<LineBoreRecord>& passes, const GrooveLine& g, bool vertical) {
  const float c = vertical ? g.X1 : g.Y1;
  const float w = g.Width;
  const float k = g.Kerf;
  auto add_at = [&](float position) {
    GrooveLine pass = Pass(g);
    if (vertical) {
      pass.X1 = pass.X2 = position;
    } else {
      pass.Y1 = pass.Y2 = position;
    }
    passes.push_back(pass);
  };
  // Without a kerf no spacing exists: the saw cuts once on the centre line.
  if (w <= k || !(k > 0)) {
    add_at(c);
    return;
  }
  const float first = c - w / 2 + k / 2;
  const float last = c + w / 2 - k / 2;
  const float m = (last - first) / k;
  const float whole = std::floor(m);
  const auto count = static_cast<int64_t>(whole) + (m != whole ? 2 : 1);
  const float step = k - (k * static_cast<float>(count) - w) / static_cast<float>(count);
  float position = first;
  for (int64_t p = 1; p <= count; ++p) {
    if (p == count) position = last;
    add_at(position);
    position += step;
  }
}

}  // namespace

void OrderGrooves(EngineContext& c) {
  OneBasedList<GrooveLine>& grooves = c.state.GrooveList;
  OneBasedList<LineBoreRecord>& passes = c.state.LineBoreList;
  ApplyDirectionMarkers(grooves);
  const bool one_pass_each = c.settings.RapidoInchMode != 0;  // the inch machine saws every groove once
  for (const GrooveLine& g : grooves) {
    if (g.Width < 0) continue;  // a direction marker, not a groove
    if (g.Width == 0 || one_pass_each) {
      passes.push_back(Pass(g));
    } else if (g.X1 == g.X2) {
      AddPassesAcross(passes, g, true);
    } else if (g.Y1 == g.Y2) {
      AddPassesAcross(passes, g, false);
    } else {
      AddWarningLine(c.run, SkippedLineMessage(kSkippedDiagonal, g.X1, g.Y1, g.X2, g.Y2, g.DrawingLine));
    }
  }
}

}  // namespace mq
