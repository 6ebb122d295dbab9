#include "cli/command_help.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <ostream>
#include <sstream>

namespace mq::cli {

const char* const kRootHelp =
    "ROOT  the directory of the drilling head's Par.DAT; wins over the settings key "
    "[Configuration] ParDatPath";
const char* const kSettingsFileHelp =
    "MQ400.INI  the settings: --settings FILE, else beside the program in a portable install, else "
    "$XDG_CONFIG_HOME/Marquill400/MQ400.INI (%APPDATA%\\Marquill400 on Windows); "
    "`marquill400-cli settings` shows which";
const char* const kParDatHelp =
    "Par.DAT  the drilling head's spindles and tool diameters, in ROOT, else ParDatPath, else C:\\400V80\\";
const char* const kUsageExitHelp =
    "2  wrong command line (unknown option, missing file or folder): nothing done";

namespace {

struct Section {
  const char* heading;
  const std::vector<std::string>& lines;
};

std::vector<Section> SectionsOf(const CommandHelp& help) {
  return {{"Environment", help.environment},
          {"Files", help.files},
          {"Exit status", help.exit_status},
          {"Example", help.examples}};
}

// ---- troff ----

// The text as troff prints it: backslashes and hyphens escaped, and a line that would
// start with a control character guarded.
std::string Troff(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\') {
      escaped += "\\e";
    } else if (c == '-') {
      escaped += "\\-";
    } else {
      escaped += c;
    }
    if (c == '\n') escaped += "\\&";
  }
  return "\\&" + escaped;
}

std::string OptionNames(const CLI::Option& option) {
  std::string names = option.get_name(false, true);
  if (option.get_type_size() != 0 && !option.get_positional() && !option.get_type_name().empty())
    names += " " + option.get_type_name();
  return names;
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool Shown(const CLI::Option& option) { return !option.get_group().empty(); }

std::string Usage(const CLI::App& command) {
  const std::string usage = command.get_name();
  bool has_options = false;
  std::string positionals;
  for (const CLI::Option* option : command.get_options()) {
    if (!Shown(*option)) continue;
    if (!option->get_positional()) {
      has_options = true;
      continue;
    }
    std::string name = option->get_name();
    if (option->get_items_expected_max() > 1) name += "...";
    positionals += " " + (option->get_required() ? name : "[" + name + "]");
  }
  return usage + (has_options ? " [OPTIONS]" : "") + positionals;
}

void WriteOptions(std::ostream& out, const CLI::App& command) {
  for (const CLI::Option* option : command.get_options()) {
    if (!Shown(*option)) continue;
    out << ".TP\n.B " << Troff(OptionNames(*option)) << "\n" << Troff(option->get_description()) << "\n";
  }
}

// The footer's sections: at the top of the page as sections of their own, under a
// command as paragraphs. An entry "NAME  meaning" becomes a tagged paragraph; an
// example stays a line of its own.
void WriteFooter(std::ostream& out, const std::string& footer, bool top_level) {
  std::istringstream lines(footer);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    if (line[0] != ' ') {
      const std::string heading = line.substr(0, line.find(':'));
      out << (top_level ? ".SH " + Troff(UpperCase(heading)) : ".PP\n.I " + Troff(heading)) << "\n";
      continue;
    }
    const std::string entry = line.substr(line.find_first_not_of(' '));
    const std::size_t gap = entry.find("  ");
    if (gap == std::string::npos) {
      out << ".RS 4\n.nf\n" << Troff(entry) << "\n.fi\n.RE\n";
    } else {
      out << ".TP\n.B " << Troff(entry.substr(0, gap)) << "\n" << Troff(entry.substr(gap + 2)) << "\n";
    }
  }
}

}  // namespace

void SetCommandHelp(CLI::App& command, const CommandHelp& help) {
  std::string footer;
  for (const Section& section : SectionsOf(help)) {
    if (section.lines.empty()) continue;
    footer += std::string("\n") + section.heading + ":\n";
    for (const std::string& line : section.lines) footer += "  " + line + "\n";
  }
  command.footer(footer);
}

void WriteManPage(std::ostream& out, const CLI::App& app, const std::string& version) {
  const std::string name = app.get_name();
  out << ".\\\" The help texts of " << name << ", written by `" << name << " help-man`.\n";
  out << ".TH " << Troff(UpperCase(name)) << " 1 \"\" \"Marquill400 " << version << "\" \"User Commands\"\n";
  out << ".SH NAME\n" << Troff(name) << " \\- " << Troff(app.get_description()) << "\n";
  out << ".SH SYNOPSIS\n.B " << Troff(name) << "\n"
      << Troff("[--settings FILE] COMMAND [OPTIONS] ...") << "\n";
  out << ".br\n.B " << Troff(name) << "\n" << Troff("COMMAND --help") << "\n";
  out << ".SH OPTIONS\n";
  WriteOptions(out, app);
  out << ".SH COMMANDS\n";
  for (const CLI::App* command :
       app.get_subcommands([](const CLI::App* c) { return !c->get_group().empty(); })) {
    out << ".SS " << Troff(command->get_name()) << "\n";
    out << ".B " << Troff(name + " " + Usage(*command)) << "\n.PP\n"
        << Troff(command->get_description()) << "\n";
    WriteOptions(out, *command);
    WriteFooter(out, command->get_footer(), false);
  }
  WriteFooter(out, app.get_footer(), true);
  out << ".SH SEE ALSO\n"
      << Troff("The desktop window marquill400 and the operator's guide") << "\n.I "
      << Troff("/usr/share/doc/marquill400/README.md") << "\n";
}

}  // namespace mq::cli
