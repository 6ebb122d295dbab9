// The BATCH.LST parser on arbitrary bytes: every entry it gives makes a request whose
// parts are all in the text or the paths it was given, and no line gives two entries.

#include <algorithm>
#include <cstdlib>

#include "fuzz_input.h"
#include "shell/batch_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = mq::fuzz::Text(data, size);
  const std::vector<mq::BatchListEntry> entries = mq::ParseBatchList(text, "C:\\DXF\\", "/out/");
  const auto line_ends = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') +
                                                  std::count(text.begin(), text.end(), '\r'));
  if (entries.size() > line_ends + 1) std::abort();
  for (const mq::BatchListEntry& entry : entries) {
    if (entry.Request().empty()) std::abort();
  }
  return 0;
}
