#include "shell/machine_software.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "input/file_paths.h"
#include "input/plain_text.h"

namespace mq {

namespace {

constexpr int kMw208 = 3;
constexpr int kMw704 = 4;
constexpr int kMw7Family = 5;
constexpr std::array<std::string_view, 7> kIdFiles = {"PLANCIA.EXE",
                                                      "WINMESS.EXE",
                                                      "MW208.EXE",
                                                      "MW704.EXE",
                                                      "",  // MW7*.EXE, matched by pattern
                                                      "UFORA.EXE",
                                                      "AUTO.EXE"};

bool HasMw7File(const std::string& directory) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(std::filesystem::path(NativePath(directory)), ec), end;
       !ec && it != end; it.increment(ec)) {
    const std::string name = UpperCase(it->path().filename().string());
    if (name.size() >= 7 && name.starts_with("MW7") && name.ends_with(".EXE")) return true;
  }
  return false;
}

}  // namespace

int IdentifyMachineSoftware(const std::string& program_directory) {
  for (std::size_t i = 0; i < kIdFiles.size(); ++i) {
    const int id = static_cast<int>(i) + 1;
    const bool found = id == kMw7Family
                           ? HasMw7File(program_directory)
                           : FindExistingFile(program_directory + std::string(kIdFiles[i])).has_value();
    if (found) return id;
  }
  return 0;
}

bool HasLeadSynthesis(int machine_software) {
  return machine_software != kMw208 && machine_software != kMw704;
}

bool OffersMakeBinaries(const std::string& executable_path) {
  return UpperCase(executable_path).find("VADADAV") == std::string::npos;
}

}  // namespace mq
