#pragma once
// The golden cases under tests/golden/<case>/: what each run is given and where its
// expected results lie. A case names its inputs in `case.txt`, one per line, paths
// from the repository's top, so the example drawings, the drilling head and the
// settings exist once:
//
//   settings examples/MQ400.INI      the settings file of the run (required)
//   head examples/Par.DAT            the drilling head; without it ROOT names no Par.DAT
//   drawing examples/SIDE.DXF        a drawing (repeatable); drawings kept in the case's
//                                    own directory are inputs as well
//   request SIDE.DXF P0017           a request instead of the drawings' names (repeatable)

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace mq::test {

inline const std::filesystem::path kSourceDirectory = MARQUILL_SOURCE_DIR;
inline const std::filesystem::path kGoldenDirectory = kSourceDirectory / "tests" / "golden";

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The files under `root` with their bytes, by their path relative to it ('/' separators).
inline std::map<std::string, std::string> FilesUnder(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  if (!std::filesystem::is_directory(root)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), root).generic_string()] = ReadBytes(entry.path());
  }
  return files;
}

// Their paths, blank-separated, in name order.
inline std::string NamesOf(const std::map<std::string, std::string>& files) {
  std::string names;
  for (const auto& [name, bytes] : files) names += (names.empty() ? "" : " ") + name;
  return names;
}

inline bool IsDrawingFile(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), ::toupper);
  return extension == ".DXF";
}

struct GoldenCase {
  std::string Name;
  std::filesystem::path Directory;
  std::filesystem::path Settings;
  std::filesystem::path Head;                   // empty: no Par.DAT
  std::vector<std::filesystem::path> Drawings;  // in name order
  std::vector<std::string> Requests;            // the drawings' file names unless given

  std::filesystem::path Expected() const { return Directory / "expected"; }
};

// ctest lists a case by its folder's name rather than by its bytes.
inline void PrintTo(const GoldenCase& c, std::ostream* out) { *out << c.Name; }

inline GoldenCase ReadGoldenCase(const std::filesystem::path& directory) {
  GoldenCase c;
  c.Name = directory.filename().string();
  c.Directory = directory;
  std::istringstream lines(ReadBytes(directory / "case.txt"));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t blank = line.find(' ');
    if (line.empty() || line[0] == '#' || blank == std::string::npos) continue;
    const std::string key = line.substr(0, blank), value = line.substr(blank + 1);
    if (key == "settings") c.Settings = kSourceDirectory / value;
    if (key == "head") c.Head = kSourceDirectory / value;
    if (key == "drawing") c.Drawings.push_back(kSourceDirectory / value);
    if (key == "request") c.Requests.push_back(value);
  }
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    if (IsDrawingFile(entry.path())) c.Drawings.push_back(entry.path());
  }
  std::sort(c.Drawings.begin(), c.Drawings.end(),
            [](const auto& a, const auto& b) { return a.filename() < b.filename(); });
  if (c.Requests.empty()) {
    for (const auto& d : c.Drawings) c.Requests.push_back(d.filename().string());
  }
  return c;
}

inline std::vector<GoldenCase> GoldenCases() {
  std::vector<GoldenCase> cases;
  for (const auto& entry : std::filesystem::directory_iterator(kGoldenDirectory)) {
    if (std::filesystem::exists(entry.path() / "case.txt")) cases.push_back(ReadGoldenCase(entry.path()));
  }
  std::sort(cases.begin(), cases.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
  return cases;
}

}  // namespace mq::test
