#pragma once
// Runs marquill400-cli in-process with its standard output and error captured.

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_values.h"

namespace mq::cli::test {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun RunCli(std::vector<std::string> args) {
  args.insert(args.begin(), "marquill400-cli");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  const int status = Main(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace mq::cli::test
