#pragma once
// What a run takes from the machine it runs on.

#include <filesystem>

#include "input/run_context.h"

namespace mq {

// The directory of the running executable; the current directory when the platform
// does not say.
std::filesystem::path ExecutableDirectory();

// The run's environment: the converter's directory (with its trailing separator) and
// the environment variable ROOT that locates the machine's tool table.
void SetRunEnvironment(RunContext& run);

}  // namespace mq
