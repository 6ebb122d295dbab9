// Entering a program in INDEX.IND pinned against the rule written plainly: every record's
// name copied and upper-cased, compared as a std::string.

#include <gtest/gtest.h>

#include <random>

#include "input/plain_text.h"
#include "output/directory_system.h"

namespace mq {
namespace {

std::string PlainUpdated(const std::string& bytes, const std::string& record) {
  const std::string name = UpperCase(record.substr(0, 8));
  const std::size_t records = bytes.size() / 50;
  std::size_t at = records + 1;
  for (std::size_t k = 2; k <= records && at > records; ++k) {
    const std::string entry = UpperCase(bytes.substr((k - 1) * 50, 8));
    if (entry == name) return std::string(bytes).replace((k - 1) * 50, 50, record);
    if (name < entry) at = k;
  }
  const long count = std::stol(bytes.substr(0, 8));
  return IndexHeaderText(count + 1) + std::string(bytes).insert((at - 1) * 50, record).substr(50);
}

// Indexes of names in mixed case, out of order and doubled, with bytes above 127.
TEST(UpdatedIndex, MatchesThePlainWalk) {
  std::mt19937 random(5);
  const char letters[] = "aBbCz\xe9_9";
  auto name = [&] {
    std::string n;
    for (int k = std::uniform_int_distribution<int>(1, 8)(random); k > 0; --k) n += letters[random() % 8];
    return n;
  };
  for (int run = 0; run < 300; ++run) {
    const int entries = static_cast<int>(random() % 12);
    std::string bytes = IndexHeaderText(entries);
    for (int k = 0; k < entries; ++k) {
      std::string n = name(), entry = IndexRecordText(n, "PART", CalendarDate{});
      bytes += entry.replace(0, n.size(), n);  // as another program may have written it
    }
    const std::string record = IndexRecordText(name(), "NEW", CalendarDate{2026, 12, 7});
    EXPECT_EQ(UpdatedIndex(bytes, record)->Bytes, PlainUpdated(bytes, record)) << "run " << run;
  }
}

}  // namespace
}  // namespace mq
