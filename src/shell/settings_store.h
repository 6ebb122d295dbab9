#pragma once
// The settings file "MQ400.INI": which file a run uses, and the transfer of its keys
// into the `Settings` the windows, the engine and the writers work with, and back.
//
// Sections and keys:
//   [Configuration]  the main window's defaults and the Setup values (written under
//                    the name "ConFiguration", the same section), "ListColumnWidth"n,
//                    "Optimizer" and "ParDatPath" (read only);
//   [PTP400]         "Origin";
//   [PTSDATA]        "Field"n (n 0..50), "Path", "Name", "Unit";
//   [ToolSubData]    "Enabled"n, "Tool"n, "ToolSub"n for the rows of the tool table.
// Keys that no setting uses are left as they are in the file.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/driver/settings.h"
#include "shell/ini_file.h"

namespace mq {

inline constexpr std::string_view kSettingsFileName = "MQ400.INI";
// The directory under the user's configuration directory that holds the file, unless
// the program is a portable install.
inline constexpr std::string_view kUserSettingsDirectory = "Marquill400";
// A file of this name beside the program makes it a portable install (so does a
// settings file there): its settings live beside it.
inline constexpr std::string_view kPortableMarkerName = "portable";
// "ParDatPath" in [Configuration]: the directory of the drilling head's Par.DAT when the
// environment variable ROOT is not set.
inline constexpr std::string_view kParDatPathKey = "ParDatPath";

inline constexpr std::string_view kConfigSection = "Configuration";
inline constexpr std::string_view kConfigSectionAsWritten = "ConFiguration";
inline constexpr std::string_view kOriginSection = "PTP400";
inline constexpr std::string_view kPtsSection = "PTSDATA";
inline constexpr std::string_view kToolSubSection = "ToolSubData";

// The default text a key is read with; a value equal to it counts as missing.
inline constexpr std::string_view kMissingValueSentinel = "END.-";

// Modes of `LoadOrSaveSettings`: 0 loads, any other value saves.
constexpr int kLoadSettings = 0;
constexpr int kSaveSettings = 1;

// ---- one key ----

// The key's value; the empty text when the key is missing or holds "END.-".
// Values of any length are returned whole.
std::string ReadIniValue(const IniFile& file, std::string_view section, std::string_view key);
// `ReadIniValue` on section "Configuration".
std::string ReadConfigValue(const IniFile& file, std::string_view key);
// Writes key=value into section "ConFiguration".
void WriteConfigValue(IniFile& file, std::string_view key, std::string_view value);

// ---- groups of keys ----

// Mode 0: every key of the main configuration into `settings`, then the load rules
// (precision defaults, cursor help, graphic delay, saw kerf and line limit clamps).
// Other modes: every key from `settings` into the file, in the same order.
void LoadOrSaveSettings(int mode, IniFile& file, Settings& settings);

struct SettingsValue {
  std::string key;
  std::string value;
};
// The main configuration in its stored form ("1"/"0" check boxes, "-1"/"0" for
// FormState, "True"/"False" options), in the order in which saving writes it.
std::vector<SettingsValue> ConfigurationValues(const Settings& settings);

// The tool substitution table, rows 1..kToolSubstitutionRows. Each cell loads as the
// number text of its stored value (empty or not a number gives "0"), except that an
// "Enabled" value of 0 loads as the empty text: the entry is off. Saving writes the
// cells as held, an entry that is off as "Enabled"n=0.
void LoadToolSubstitution(const IniFile& file, Settings& settings);
void SaveToolSubstitution(IniFile& file, const Settings& settings);

// The part-list configuration of [PTSDATA]: column names and quoting, and the
// Setup's list path, name and unit. Missing keys keep the values `settings` holds.
void ReadPtsSettings(const IniFile& file, Settings& settings);

// [PTP400] "Origin" as read (missing gives the empty text, which is not "0").
void LoadOriginSetting(const IniFile& file, Settings& settings);

// The file list's column widths the main window restores at start-up (columns 3..6;
// the first columns keep their layout widths).
constexpr int kFirstRestoredListColumn = 3;
void LoadListColumnWidths(const IniFile& file, Settings& settings);
// A column of the file list was resized: its width is kept at once.
void WriteListColumnWidth(IniFile& file, int column, float width);

// Everything the program reads at start-up: the main configuration, the part-list
// settings, the column widths, the tool table and the origin.
void LoadStartupSettings(const IniFile& file, Settings& settings);

// Setup OK: the main configuration, then [PTP400] "Origin" (as the check box's "1"
// or "0") and [PTSDATA] "Path", "Name", "Unit".
void SaveSetupSettings(IniFile& file, const Settings& settings);

// ---- where the file is ----

enum class SettingsLocationRule {
  kCommandLine,        // --settings FILE
  kBesideProgram,      // the program's directory (a portable install)
  kUserConfiguration,  // %APPDATA%\Marquill400 or $XDG_CONFIG_HOME/Marquill400
};

// What the location depends on, gathered by `CurrentSettingsLocationInputs` and
// given by tests directly.
struct SettingsLocationInputs {
  std::string command_line_file;  // --settings, empty when not given
  std::filesystem::path program_directory;
  bool portable_install = false;  // a "portable" file or a settings file beside the program
  bool windows = false;
  std::string appdata;          // %APPDATA%
  std::string xdg_config_home;  // $XDG_CONFIG_HOME
  std::string home;             // $HOME
};

struct SettingsLocation {
  std::filesystem::path path;
  SettingsLocationRule rule = SettingsLocationRule::kBesideProgram;
};

// --settings wins; otherwise "MQ400.INI" beside the program in a portable install;
// otherwise the user's configuration directory. An existing file whose name differs
// only in case is used as it is. Without a user configuration directory the program's
// directory is used anyway.
SettingsLocation ResolveSettingsLocation(const SettingsLocationInputs& inputs);

// The inputs of the running program: the environment, the platform and whether
// `program_directory` holds a portable install.
SettingsLocationInputs CurrentSettingsLocationInputs(const std::string& command_line_file,
                                                     const std::filesystem::path& program_directory);

// True when a file can be created in `directory`.
bool IsWritableDirectory(const std::filesystem::path& directory);

// "--settings", "beside the program (portable install)", "user configuration directory".
std::string_view DescribeLocationRule(SettingsLocationRule rule);

// True when `directory` holds a file "portable" or "MQ400.INI" (in any case).
bool IsPortableInstall(const std::filesystem::path& directory);

// The first start: a settings file the location rule chose (not one named by
// --settings) that does not exist yet is created with the values of a first start, so
// that the operator finds every key to edit. Returns the reason when it could not be
// created, else the empty text; an existing file is left alone.
std::string CreateSettingsFileAtFirstStart(const SettingsLocation& location);

// The text of a settings file holding the values of a first start.
IniFile FirstStartSettingsFile();

}  // namespace mq
