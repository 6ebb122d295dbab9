#pragma once
// What a run takes from the machine it runs on.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/driver/settings.h"
#include "input/run_context.h"

namespace mq {

// The directory of the running executable; the current directory when the platform
// does not say.
std::filesystem::path ExecutableDirectory();

// Where the drilling head's Par.DAT is looked for, and what chose it.
enum class ParDatRule {
  kRootVariable,  // the environment variable ROOT
  kSettings,      // [Configuration] ParDatPath
  kDefault,       // neither: the control software's directory (C:\400V80\)
};
struct ParDatDirectory {
  std::optional<std::string> directory;  // unset for the default
  ParDatRule rule = ParDatRule::kDefault;
};

// ROOT when it is set (a shop that sets it for the control software keeps it), else
// the settings' ParDatPath when it is not blank, else the default.
ParDatDirectory ChooseParDatDirectory(const std::optional<std::string>& root_variable,
                                      const Settings& settings);

// The environment variable ROOT, when set.
std::optional<std::string> RootVariable();

// "environment variable ROOT", "settings key ParDatPath", "default".
std::string_view DescribeParDatRule(ParDatRule rule);

// The run's environment: the converter's directory (with its trailing separator) and
// the directory of Par.DAT as ChooseParDatDirectory gives it.
void SetRunEnvironment(RunContext& run, const Settings& settings);

}  // namespace mq
