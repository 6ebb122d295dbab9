// `marquill400-cli settings`: which settings file a run uses, how it was chosen, and
// every value loaded from it (after the load rules), as INI text or as JSON.

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>

#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli/json_values.h"
#include "input/file_paths.h"
#include "output/tool_table.h"
#include "shell/ini_file.h"
#include "shell/run_environment.h"
#include "shell/settings_store.h"

namespace mq::cli {

namespace {

struct LoadedSettings {
  SettingsLocation location;
  IniFileRead read;
  Settings settings;
  ParDatDirectory par_dat;
  std::string par_dat_file;  // the path a conversion reads
  bool par_dat_found = false;
};

// Where a conversion with these settings and this environment looks for Par.DAT.
void LocateParDat(LoadedSettings& loaded) {
  loaded.par_dat = ChooseParDatDirectory(RootVariable(), loaded.settings);
  SilentOperator nobody;
  RunContext run(nobody);
  run.RootDirectory = loaded.par_dat.directory;
  const std::string path = ParameterFilePath(run);
  const std::optional<std::string> existing = FindExistingFile(path);
  loaded.par_dat_found = existing.has_value();
  loaded.par_dat_file = existing ? *existing : NativePath(path);
}

std::string FileState(const LoadedSettings& loaded) {
  if (!loaded.read.problem.empty()) return "unreadable";
  return loaded.read.found ? "read" : "not found";
}

// ---- INI text ----

void PrintIni(std::ostream& out, const LoadedSettings& loaded) {
  const Settings& s = loaded.settings;
  out << "; Settings file: " << loaded.location.path.string() << "\n";
  out << "; Chosen by: " << DescribeLocationRule(loaded.location.rule) << "\n";
  if (!loaded.read.found) {
    out << "; Not found: the values below are those of a first start";
    out << (loaded.location.rule == SettingsLocationRule::kCommandLine
                ? ".\n"
                : "; convert, watch and the window create the file with them.\n");
  }
  if (!loaded.read.problem.empty()) out << "; " << loaded.read.problem << "\n";
  out << "; Par.DAT: " << loaded.par_dat_file << (loaded.par_dat_found ? "" : " (not found)") << "\n";
  out << "; Par.DAT chosen by: " << DescribeParDatRule(loaded.par_dat.rule) << "\n";

  out << "\n[" << kConfigSection << "]\n";
  for (const SettingsValue& value : ConfigurationValues(s)) out << value.key << "=" << value.value << "\n";
  for (int column = kFirstRestoredListColumn; column <= kFileListColumns; ++column) {
    out << "ListColumnWidth" << column << "=" << s.ListColumnWidth[static_cast<std::size_t>(column)] << "\n";
  }
  out << "Optimizer=" << s.Optimizer << "\n";
  out << kParDatPathKey << "=" << s.ParDatPath << "\n";

  out << "\n[" << kOriginSection << "]\n";
  out << "Origin=" << s.Origin << "\n";
  out << "; machine origin lower left: " << (s.Origin != "0" ? "yes" : "no") << "\n";

  out << "\n[" << kPtsSection << "]\n";
  out << "Path=" << s.PTSPath << "\n";
  out << "Name=" << s.PTSName << "\n";
  out << "Unit=" << (s.PTSMetric ? "M" : "I") << "\n";
  for (int column = 0; column < kPtsColumns; ++column) {
    const std::string& name = s.PtsFieldNames[static_cast<std::size_t>(column)];
    if (name.empty()) continue;
    out << "Field" << column << "=" << (s.PtsFieldQuoted[static_cast<std::size_t>(column)] ? "~" : "") << name
        << "\n";
  }

  out << "\n[" << kToolSubSection << "]\n";
  for (int row = 1; row <= kToolSubstitutionRows; ++row) {
    const ToolSubstitutionRow& entry = s.ToolSubstitution[static_cast<std::size_t>(row - 1)];
    out << "Enabled" << row << "=" << entry.Enabled << "\n";
    out << "Tool" << row << "=" << entry.Tool << "\n";
    out << "ToolSub" << row << "=" << entry.Substitute << "\n";
  }
}

// ---- JSON ----

Json SettingsJson(const LoadedSettings& loaded) {
  const Settings& s = loaded.settings;
  Json json;
  json["file"] = JsonText(loaded.location.path.string());
  json["chosenBy"] = JsonText(DescribeLocationRule(loaded.location.rule));
  json["state"] = FileState(loaded);
  json["parDat"] = Json{{"file", JsonText(loaded.par_dat_file)},
                        {"chosenBy", DescribeParDatRule(loaded.par_dat.rule)},
                        {"found", loaded.par_dat_found}};

  Json& configuration = json["configuration"] = Json::object();
  for (const SettingsValue& value : ConfigurationValues(s)) configuration[value.key] = JsonText(value.value);
  configuration["Optimizer"] = JsonText(s.Optimizer);
  configuration[std::string(kParDatPathKey)] = JsonText(s.ParDatPath);

  Json& widths = json["listColumnWidths"] = Json::object();
  for (int column = kFirstRestoredListColumn; column <= kFileListColumns; ++column) {
    widths[std::to_string(column)] = JsonFloat(s.ListColumnWidth[static_cast<std::size_t>(column)]);
  }

  json["origin"] = JsonText(s.Origin);

  Json& pts = json["pts"] = Json::object();
  pts["path"] = JsonText(s.PTSPath);
  pts["name"] = JsonText(s.PTSName);
  pts["metric"] = s.PTSMetric;
  pts["fields"] = Json::array();
  for (int column = 0; column < kPtsColumns; ++column) {
    const std::string& name = s.PtsFieldNames[static_cast<std::size_t>(column)];
    if (name.empty()) continue;
    pts["fields"].push_back(Json{{"column", column},
                                 {"name", JsonText(name)},
                                 {"quoted", s.PtsFieldQuoted[static_cast<std::size_t>(column)]}});
  }

  json["toolSubstitution"] = Json::array();
  for (int row = 1; row <= kToolSubstitutionRows; ++row) {
    const ToolSubstitutionRow& entry = s.ToolSubstitution[static_cast<std::size_t>(row - 1)];
    json["toolSubstitution"].push_back(Json{{"row", row},
                                            {"enabled", JsonText(entry.Enabled)},
                                            {"tool", JsonText(entry.Tool)},
                                            {"substitute", JsonText(entry.Substitute)}});
  }
  return json;
}

int RunSettingsCommand(CommandIo& io, bool json) {
  LoadedSettings loaded;
  loaded.location = LocateSettings(io);
  loaded.read = ReadIniFile(loaded.location.path);
  LoadStartupSettings(loaded.read.file, loaded.settings);
  LocateParDat(loaded);
  if (json) {
    PrintJson(io.out, SettingsJson(loaded));
  } else {
    PrintIni(io.out, loaded);
  }
  if (!loaded.read.problem.empty()) {
    io.err << "marquill400-cli: " << loaded.read.problem << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

std::filesystem::path SettingsFileOf(const CommandIo& io) { return LocateSettings(io).path; }

SettingsLocation LocateSettings(const CommandIo& io) {
  return ResolveSettingsLocation(CurrentSettingsLocationInputs(io.settings_file, ExecutableDirectory()));
}

void RegisterSettingsCommand(CLI::App& app, CommandIo& io) {
  auto json = std::make_shared<bool>(false);
  CLI::App* command = app.add_subcommand(
      "settings", "Show the settings file (MQ400.INI) this run uses and every value loaded from it");
  command->add_option("--settings", io.settings_file, "Settings file (MQ400.INI) to use");
  command->add_flag("--json", *json, "Print the values as JSON");
  SetCommandHelp(*command, {{kRootHelp},
                            {kSettingsFileHelp, kParDatHelp},
                            {"0  shown", "1  the settings file exists but cannot be read", kUsageExitHelp},
                            {"marquill400-cli settings", "ROOT=/srv/head marquill400-cli settings --json"}});
  command->callback([&io, json] { io.exit_status = RunSettingsCommand(io, *json); });
}

}  // namespace mq::cli
