#include "shell/settings_store.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "input/file_paths.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"

namespace mq {

namespace fs = std::filesystem;

namespace {

// ---- value texts ----

// Every reader of the format stops a value at a NUL.
std::string CutAtNul(std::string value) {
  value.resize(std::min(value.find('\0'), value.size()));
  return value;
}

// The value, or nullopt when the key is missing or holds the sentinel.
std::optional<std::string> ReadPresentValue(const IniFile& file, std::string_view section,
                                            std::string_view key) {
  std::optional<std::string> value = file.Get(section, key);
  if (!value) return std::nullopt;
  std::string cut = CutAtNul(std::move(*value));
  if (cut == kMissingValueSentinel) return std::nullopt;
  return cut;
}

std::string Numbered(std::string_view key, int n) { return std::string(key) + std::to_string(n); }

// The ordinary text-to-number rule (empty or non-numeric text gives 0) taken to a
// 16-bit integer, as a check box or a boolean receives it.
int IntegerOf(const std::string& text) { return RoundToInt16(ReadNumber(text)); }

// A number turned back into settings text: whole values without a point.
std::string NumberText(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    return std::to_string(static_cast<long long>(value));
  }
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return ec == std::errc() ? std::string(buffer.data(), end) : "0";
}

// ---- the main configuration ----

enum class ConfigKind {
  kFormState,  // 16-bit boolean: "-1" or "0"
  kFlag,       // check box: "1" or "0"
  kOption,     // auto-start option: "True" or "False"
  kText,       // text or number as typed
};

struct ConfigKey {
  std::string_view key;
  ConfigKind kind;
  int Settings::*integer = nullptr;
  bool Settings::*option = nullptr;
  std::string Settings::*text = nullptr;
};

constexpr ConfigKey FormStateKey(std::string_view key, int Settings::*field) {
  return {key, ConfigKind::kFormState, field, nullptr, nullptr};
}
constexpr ConfigKey FlagKey(std::string_view key, int Settings::*field) {
  return {key, ConfigKind::kFlag, field, nullptr, nullptr};
}
constexpr ConfigKey OptionKey(std::string_view key, bool Settings::*field) {
  return {key, ConfigKind::kOption, nullptr, field, nullptr};
}
constexpr ConfigKey TextKey(std::string_view key, std::string Settings::*field) {
  return {key, ConfigKind::kText, nullptr, nullptr, field};
}

// In the order the keys are loaded and saved (and so added to a new file).
constexpr std::array kConfigKeys = {
    FormStateKey("FormState", &Settings::FormState),
    TextKey("DXFPath", &Settings::DXFPath),
    TextKey("DestinationPath", &Settings::DestinationPath),
    FlagKey("DirectorySystem", &Settings::DirectorySystem),
    FlagKey("LeadS", &Settings::LeadS),
    FlagKey("LeadRampIn", &Settings::LeadRampIn),
    FlagKey("LeadRampOut", &Settings::LeadRampOut),
    FlagKey("RemoveBorderRoute", &Settings::RemoveBorderRoute),
    FlagKey("CornerComp", &Settings::CornerComp),
    TextKey("LeadLength", &Settings::LeadLength),
    TextKey("LeadRampHeight", &Settings::LeadRampHeight),
    TextKey("PrecisionMetric", &Settings::PrecisionMetric),
    TextKey("PrecisionInch", &Settings::PrecisionInch),
    TextKey("Metric", &Settings::Metric),
    TextKey("OffsetX", &Settings::OffsetX),
    TextKey("OffsetY", &Settings::OffsetY),
    TextKey("OffsetZ", &Settings::OffsetZ),
    OptionKey("AutoStartTemp", &Settings::AutoStartTemp),
    OptionKey("AutoStartBatch", &Settings::AutoStartBatch),
    FlagKey("GraphicAfterAuto", &Settings::GraphicAfterAuto),
    FlagKey("GraphicAfterMan", &Settings::GraphicAfterMan),
    FlagKey("PauseForMessages", &Settings::PauseForMessages),
    FlagKey("TipsEnable", &Settings::TipsEnable),
    TextKey("SawKerf", &Settings::SawKerf),
    FlagKey("MakeBinaries", &Settings::MakeBinaries),
    TextKey("LineLimit", &Settings::LineLimit),
    TextKey("RadiusLimit", &Settings::RadiusLimit),
    FlagKey("RapidoInchMode", &Settings::RapidoInchMode),
    TextKey("GraphicDelay", &Settings::GraphicDelay),
};

// Read by the engine for compatibility only; no control holds it, so it is never saved.
constexpr std::string_view kOptimizerKey = "Optimizer";

// Load rules: values that would stop the program from working are replaced by the
// defaults a first start shows.
constexpr std::string_view kDefaultPrecisionMetric = "2";
constexpr std::string_view kDefaultPrecisionInch = "3";
constexpr std::string_view kDefaultGraphicDelay = ".5";  // seconds, for a delay of 0
constexpr double kSawKerfMin = 3;                        // millimetres
constexpr double kSawKerfMax = 20;
constexpr double kLineLimitMin = 200;  // lines; below it the default applies
constexpr std::string_view kDefaultLineLimit = "600";

void LoadConfigKey(const IniFile& file, const ConfigKey& key, Settings& settings) {
  const std::string value = ReadConfigValue(file, key.key);
  switch (key.kind) {
    // A 16-bit boolean is -1 or 0 and a check box 1 or 0: any other number read
    // counts as set, so that toggling and testing the value keep working.
    case ConfigKind::kFormState:
      settings.*key.integer = IntegerOf(value) != 0 ? -1 : 0;
      break;
    case ConfigKind::kFlag:
      settings.*key.integer = IntegerOf(value) != 0 ? 1 : 0;
      break;
    case ConfigKind::kOption:
      settings.*key.option = value == "True";
      break;
    case ConfigKind::kText:
      settings.*key.text = value;
      break;
  }
}

std::string StoredText(const ConfigKey& key, const Settings& settings) {
  switch (key.kind) {
    case ConfigKind::kFormState:
    case ConfigKind::kFlag:
      return std::to_string(settings.*key.integer);
    case ConfigKind::kOption:
      return settings.*key.option ? "True" : "False";
    case ConfigKind::kText:
      return settings.*key.text;
  }
  return {};
}

void ApplyLoadRules(Settings& settings) {
  if (settings.PrecisionMetric.empty()) settings.PrecisionMetric = kDefaultPrecisionMetric;
  if (settings.PrecisionInch.empty()) settings.PrecisionInch = kDefaultPrecisionInch;
  // (The cursor help follows TipsEnable in the windows that show it.)
  if (ReadNumber(settings.GraphicDelay) == 0) settings.GraphicDelay = kDefaultGraphicDelay;
  if (ReadNumber(settings.SawKerf) < kSawKerfMin) settings.SawKerf = NumberText(kSawKerfMin);
  if (ReadNumber(settings.SawKerf) > kSawKerfMax) settings.SawKerf = NumberText(kSawKerfMax);
  if (ReadNumber(settings.LineLimit) < kLineLimitMin) settings.LineLimit = kDefaultLineLimit;
}

void LoadConfiguration(const IniFile& file, Settings& settings) {
  for (const ConfigKey& key : kConfigKeys) LoadConfigKey(file, key, settings);
  ApplyLoadRules(settings);
  settings.Optimizer = ReadConfigValue(file, kOptimizerKey);
  settings.ParDatPath = ReadConfigValue(file, kParDatPathKey);
}

void SaveConfiguration(IniFile& file, const Settings& settings) {
  for (const SettingsValue& value : ConfigurationValues(settings))
    WriteConfigValue(file, value.key, value.value);
}

// ---- the tool table ----

constexpr std::string_view kToolEnabledKey = "Enabled";
constexpr std::string_view kToolKey = "Tool";
constexpr std::string_view kToolSubstituteKey = "ToolSub";
// The stored form of an entry that is off.
constexpr std::string_view kToolEntryOff = "0";

std::string ToolCellText(const IniFile& file, std::string_view key, int row) {
  return NumberText(ReadNumber(ReadIniValue(file, kToolSubSection, Numbered(key, row))));
}

// ---- the part list ----

constexpr std::string_view kPtsFieldKey = "Field";
constexpr std::string_view kPtsPathKey = "Path";
constexpr std::string_view kPtsNameKey = "Name";
constexpr std::string_view kPtsUnitKey = "Unit";
constexpr char kPtsQuotedMark = '~';

void ReadPtsField(const IniFile& file, int column, Settings& settings) {
  std::string& name = settings.PtsFieldNames[static_cast<std::size_t>(column)];
  bool quoted = false;
  name.clear();
  if (std::optional<std::string> value =
          ReadPresentValue(file, kPtsSection, Numbered(kPtsFieldKey, column))) {
    std::erase(*value, ' ');
    name = UpperCase(std::move(*value));
    if (!name.empty() && name.front() == kPtsQuotedMark) {
      name.erase(0, 1);
      quoted = true;
    }
  }
  settings.PtsFieldQuoted[static_cast<std::size_t>(column)] = quoted;
}

// ---- column widths ----

constexpr std::string_view kListColumnWidthKey = "ListColumnWidth";

// ---- location ----

fs::path SettingsFileIn(const fs::path& directory) {
  const fs::path path = directory / std::string(kSettingsFileName);
  if (std::optional<std::string> existing = FindExistingFile(path.string())) return fs::path(*existing);
  return path;
}

std::optional<fs::path> UserConfigurationDirectory(const SettingsLocationInputs& inputs) {
  fs::path base;
  if (inputs.windows) {
    base = inputs.appdata;
  } else if (!inputs.xdg_config_home.empty() && fs::path(inputs.xdg_config_home).is_absolute()) {
    base = inputs.xdg_config_home;  // a relative value is invalid and ignored
  } else if (!inputs.home.empty()) {
    base = fs::path(inputs.home) / ".config";
  }
  if (base.empty()) return std::nullopt;
  return base / std::string(kUserSettingsDirectory);
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

std::string ReadIniValue(const IniFile& file, std::string_view section, std::string_view key) {
  return ReadPresentValue(file, section, key).value_or("");
}

std::string ReadConfigValue(const IniFile& file, std::string_view key) {
  return ReadIniValue(file, kConfigSection, key);
}

void WriteConfigValue(IniFile& file, std::string_view key, std::string_view value) {
  file.Set(kConfigSectionAsWritten, key, value);
}

std::vector<SettingsValue> ConfigurationValues(const Settings& settings) {
  std::vector<SettingsValue> values;
  values.reserve(kConfigKeys.size());
  for (const ConfigKey& key : kConfigKeys)
    values.push_back({std::string(key.key), StoredText(key, settings)});
  return values;
}

void LoadOrSaveSettings(int mode, IniFile& file, Settings& settings) {
  if (mode == kLoadSettings) {
    LoadConfiguration(file, settings);
  } else {
    SaveConfiguration(file, settings);
  }
}

// The grid's "Enable" column is a yes/no column and the lookup takes any text in it
// for "on"; so an entry stored as 0 (or empty, or not a number) loads as the empty
// text, and any other number as its number text.
void LoadToolSubstitution(const IniFile& file, Settings& settings) {
  for (int row = 1; row <= kToolSubstitutionRows; ++row) {
    ToolSubstitutionRow& entry = settings.ToolSubstitution[static_cast<std::size_t>(row - 1)];
    const std::string enabled = ToolCellText(file, kToolEnabledKey, row);
    entry.Enabled = enabled == kToolEntryOff ? "" : enabled;
    entry.Tool = ToolCellText(file, kToolKey, row);
    entry.Substitute = ToolCellText(file, kToolSubstituteKey, row);
  }
}

void SaveToolSubstitution(IniFile& file, const Settings& settings) {
  for (int row = 1; row <= kToolSubstitutionRows; ++row) {
    const ToolSubstitutionRow& entry = settings.ToolSubstitution[static_cast<std::size_t>(row - 1)];
    file.Set(kToolSubSection, Numbered(kToolEnabledKey, row),
             entry.Enabled.empty() ? kToolEntryOff : std::string_view(entry.Enabled));
    file.Set(kToolSubSection, Numbered(kToolKey, row), entry.Tool);
    file.Set(kToolSubSection, Numbered(kToolSubstituteKey, row), entry.Substitute);
  }
}

void ReadPtsSettings(const IniFile& file, Settings& settings) {
  for (int column = 0; column < kPtsColumns; ++column) ReadPtsField(file, column, settings);
  if (std::optional<std::string> path = ReadPresentValue(file, kPtsSection, kPtsPathKey)) {
    settings.PTSPath = std::move(*path);
  }
  if (std::optional<std::string> name = ReadPresentValue(file, kPtsSection, kPtsNameKey)) {
    settings.PTSName = std::move(*name);
  }
  if (std::optional<std::string> unit = ReadPresentValue(file, kPtsSection, kPtsUnitKey)) {
    settings.PTSMetric = UpperCase(*unit).find('M') != std::string::npos;
  }
}

void LoadOriginSetting(const IniFile& file, Settings& settings) {
  settings.Origin = ReadIniValue(file, kOriginSection, "Origin");
}

void LoadListColumnWidths(const IniFile& file, Settings& settings) {
  for (int column = kFirstRestoredListColumn; column <= kFileListColumns; ++column) {
    settings.ListColumnWidth[static_cast<std::size_t>(column)] =
        static_cast<float>(ReadNumber(ReadConfigValue(file, Numbered(kListColumnWidthKey, column))));
  }
}

void WriteListColumnWidth(IniFile& file, int column, float width) {
  WriteConfigValue(file, Numbered(kListColumnWidthKey, column), FormatSingle(width));
}

void LoadStartupSettings(const IniFile& file, Settings& settings) {
  LoadConfiguration(file, settings);
  ReadPtsSettings(file, settings);
  LoadListColumnWidths(file, settings);
  LoadToolSubstitution(file, settings);
  LoadOriginSetting(file, settings);
}

void SaveSetupSettings(IniFile& file, const Settings& settings) {
  SaveConfiguration(file, settings);
  file.Set(kOriginSection, "Origin", settings.Origin != "0" ? "1" : "0");
  file.Set(kPtsSection, kPtsPathKey, settings.PTSPath);
  file.Set(kPtsSection, kPtsNameKey, settings.PTSName);
  file.Set(kPtsSection, kPtsUnitKey, settings.PTSMetric ? "M" : "I");
}

SettingsLocation ResolveSettingsLocation(const SettingsLocationInputs& inputs) {
  if (!inputs.command_line_file.empty()) {
    return {fs::path(NativePath(inputs.command_line_file)), SettingsLocationRule::kCommandLine};
  }
  if (!inputs.portable_install) {
    if (const std::optional<fs::path> directory = UserConfigurationDirectory(inputs)) {
      return {SettingsFileIn(*directory), SettingsLocationRule::kUserConfiguration};
    }
  }
  return {SettingsFileIn(inputs.program_directory), SettingsLocationRule::kBesideProgram};
}

SettingsLocationInputs CurrentSettingsLocationInputs(const std::string& command_line_file,
                                                     const fs::path& program_directory) {
  SettingsLocationInputs inputs;
  inputs.command_line_file = command_line_file;
  inputs.program_directory = program_directory;
  inputs.portable_install = IsPortableInstall(program_directory);
#if defined(_WIN32)
  inputs.windows = true;
#endif
  inputs.appdata = Environment("APPDATA");
  inputs.xdg_config_home = Environment("XDG_CONFIG_HOME");
  inputs.home = Environment("HOME");
  return inputs;
}

bool IsWritableDirectory(const fs::path& directory) {
  std::error_code ec;
  if (!fs::is_directory(directory, ec)) return false;
  const fs::path probe = directory / ".marquill400-write-probe";
  bool writable = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    writable = static_cast<bool>(out);
  }
  fs::remove(probe, ec);
  return writable;
}

std::string_view DescribeLocationRule(SettingsLocationRule rule) {
  switch (rule) {
    case SettingsLocationRule::kCommandLine:
      return "--settings";
    case SettingsLocationRule::kBesideProgram:
      return "beside the program (portable install)";
    case SettingsLocationRule::kUserConfiguration:
      return "user configuration directory";
  }
  return "";
}

bool IsPortableInstall(const fs::path& directory) {
  for (std::string_view name : {kPortableMarkerName, kSettingsFileName}) {
    if (FindExistingFile((directory / std::string(name)).string())) return true;
  }
  return false;
}

IniFile FirstStartSettingsFile() {
  Settings settings;
  LoadStartupSettings(IniFile{}, settings);
  IniFile file;
  SaveSetupSettings(file, settings);
  WriteConfigValue(file, kParDatPathKey, "");
  SaveToolSubstitution(file, settings);
  return file;
}

std::string CreateSettingsFileAtFirstStart(const SettingsLocation& location) {
  if (location.rule == SettingsLocationRule::kCommandLine) return {};
  std::error_code ec;
  if (fs::exists(location.path, ec) || FindExistingFile(location.path.string())) return {};
  return WriteIniFile(location.path, FirstStartSettingsFile());
}

}  // namespace mq
