// The README's layer-name reference, the table CAD operators work from: every example
// in it is run through `marquill400-cli layer` and must read as the table says.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "inspect_cli_harness.h"

namespace mq::cli {
namespace {

// The rows of the table under "### Layer-name reference": the example and the
// `Key=value` items of its last column.
struct ReferenceRow {
  std::string example;
  std::vector<std::string> expectations;
};

std::vector<std::string> BacktickedIn(const std::string& cell) {
  std::vector<std::string> items;
  const std::regex item("`([^`]+)`");
  for (auto it = std::sregex_iterator(cell.begin(), cell.end(), item); it != std::sregex_iterator(); ++it)
    items.push_back((*it)[1]);
  return items;
}

std::vector<ReferenceRow> ReferenceRows() {
  std::ifstream readme(std::string(MARQUILL_SOURCE_DIR) + "/README.md");
  std::vector<ReferenceRow> rows;
  bool inside = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.rfind("### ", 0) == 0) inside = line == "### Layer-name reference";
    if (!inside || line.rfind("| ", 0) != 0) continue;
    std::vector<std::string> cells;
    std::string cell;
    for (std::size_t i = 1; i < line.size(); ++i) {
      if (line[i] == '|' && line[i - 1] != '\\') {
        cells.push_back(cell), cell.clear();
      } else if (line[i] != '\\' || line[i + 1] != '|') {
        cell += line[i];
      }
    }
    const std::vector<std::string> example =
        cells.size() == 6 ? BacktickedIn(cells[4]) : std::vector<std::string>{};
    if (example.size() == 1) rows.push_back({example[0], BacktickedIn(cells[5])});
  }
  return rows;
}

// The value the layer command shows for `key`: "prepared" joins the prepared names with
// "|", "2:Key" is a field of the second operation.
Json Shown(const Json& layer, const std::string& key) {
  if (key == "prepared") {
    std::string names;
    for (const Json& name : layer["prepared"]) names += (names.empty() ? "" : "|") + name.get<std::string>();
    return names;
  }
  if (key.rfind("2:", 0) == 0) return layer["operations"][1][key.substr(2)];
  return layer["operations"][0][key];
}

TEST(ReadmeLayerReference, EveryExampleReadsAsTheTableSays) {
  const std::vector<ReferenceRow> rows = ReferenceRows();
  ASSERT_GE(rows.size(), 30u) << "the reference table was not found in README.md";
  std::set<std::string> codes_shown;
  for (const ReferenceRow& row : rows) {
    const test::CliRun run = test::RunCli({"layer", row.example});
    ASSERT_EQ(run.status, kExitOk) << row.example << ": " << run.err;
    const Json layer = Json::parse(run.out)[0];
    EXPECT_FALSE(row.expectations.empty()) << row.example;
    for (const std::string& expectation : row.expectations) {
      const std::size_t equals = expectation.find('=');
      ASSERT_NE(equals, std::string::npos) << row.example << ": " << expectation;
      const std::string key = expectation.substr(0, equals), text = expectation.substr(equals + 1);
      const Json expected = Json::parse(text, nullptr, false).is_discarded() ? Json(text) : Json::parse(text);
      EXPECT_EQ(Shown(layer, key), expected) << row.example << ": " << key;
      codes_shown.insert(key.substr(key.rfind(':') + 1));
    }
  }
  // Every parameter reader has a worked example.
  const Json readers = Json::parse(test::RunCli({"layer", "ROUTE"}).out)[0]["operations"][0];
  for (const auto& field : readers.items())
    EXPECT_TRUE(codes_shown.count(field.key())) << field.key() << " has no example in the reference";
}

}  // namespace
}  // namespace mq::cli
