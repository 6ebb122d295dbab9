#pragma once
// What the fuzz targets share: a scratch directory of their own for the files a target
// must hand over by path, removed by the operating system's temporary-file cleaning.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace mq::fuzz {

// One directory per fuzzing process, made on first use.
inline const std::filesystem::path& ScratchDirectory() {
  static const std::filesystem::path directory = [] {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("marquill-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path / "out");
    return path;
  }();
  return directory;
}

// Writes the input to a file of the scratch directory; its path.
inline std::string InputFile(const char* name, const uint8_t* data, size_t size) {
  const std::filesystem::path path = ScratchDirectory() / name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path.string();
}

inline std::string_view Text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace mq::fuzz
