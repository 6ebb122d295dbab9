// Time to put 5,000 bores into drilling order (OrderBores: the sort by Y and the ten
// weighted walks) on a nested sheet: bores drawn 20 times over on 250 places (every
// step then has ties to break), bores scattered over the sheet, and bores in 32 mm rows
// as cabinet sides carry them.

#include <chrono>
#include <cstdio>
#include <random>

#include "engine/driver/engine_context.h"
#include "engine/passes.h"

namespace {

constexpr int kBores = 5000;
constexpr float kSheetWidth = 2800;
constexpr float kSheetHeight = 2070;

struct Sheet {
  mq::SilentOperator person;
  mq::RunContext run{person};
  mq::EntityStore store;
  mq::Settings settings;
  mq::ConversionState state;
  mq::EngineContext c{run, store, settings, state};

  Sheet() {
    mq::ExtentBox& panel = state.PartExtents[mq::kPanelBox];
    panel.MinX = 0;
    panel.MinY = 0;
    panel.MaxX = kSheetWidth;
    panel.MaxY = kSheetHeight;
    panel.Width = kSheetWidth;
    panel.Height = kSheetHeight;
    panel.Present = true;
  }
  void Add(float x, float y) {
    mq::BoreRecord b;
    b.X = x;
    b.Y = y;
    b.Diameter = 5;
    state.BoreList.push_back(b);
  }
};

double MillisecondsToOrder(Sheet& sheet) {
  const auto start = std::chrono::steady_clock::now();
  mq::OrderBores(sheet.c);
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main() {
  std::mt19937 random(2024);
  Sheet scattered;
  std::uniform_real_distribution<float> x(0, kSheetWidth), y(0, kSheetHeight);
  for (int i = 0; i < kBores; ++i) scattered.Add(x(random), y(random));

  Sheet rows;
  for (int i = 0; i < kBores; ++i) {
    const int column = i % 80, row = i / 80;  // 80 bores a row, 63 rows of cabinet sides
    rows.Add(37.0f + 32.0f * static_cast<float>(column), 40.0f + 32.0f * static_cast<float>(row));
  }

  Sheet repeated;
  for (int i = 0; i < kBores; ++i) {
    repeated.Add(100.0f + 10.0f * static_cast<float>(i % 250), 100.0f + static_cast<float>(i % 7));
  }
  std::printf("OrderBores, %d bores on 250 places: %.1f ms\n", kBores, MillisecondsToOrder(repeated));
  std::printf("OrderBores, %d scattered bores: %.1f ms\n", kBores, MillisecondsToOrder(scattered));
  std::printf("OrderBores, %d bores in 32 mm rows: %.1f ms\n", kBores, MillisecondsToOrder(rows));
  return 0;
}
