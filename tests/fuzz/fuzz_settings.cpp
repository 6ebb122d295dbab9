// The settings file reader on arbitrary bytes: parsed, loaded with the load rules, and
// written back unchanged where nothing was set.

#include <cstdlib>

#include "engine/driver/settings.h"
#include "fuzz_input.h"
#include "shell/ini_file.h"
#include "shell/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = mq::fuzz::Text(data, size);
  mq::IniFile file = mq::IniFile::Parse(text);
  mq::Settings settings;
  mq::LoadStartupSettings(file, settings);
  mq::LoadListColumnWidths(file, settings);
  if (file.Text() != text) std::abort();  // reading alone never changes the file
  file.Set("Configuration", "LineLimit", "600");
  (void)mq::IniFile::Parse(file.Text()).Get("Configuration", "LineLimit");
  return 0;
}
