#pragma once
// Tool numbers of the drawings replaced by the numbers used on the machine.

#include <cstdint>
#include <string>

#include "engine/driver/settings.h"

namespace mq {

// The tool number to write, as text without blanks. The first enabled row whose tool
// equals `tool` gives its substitute (an empty cell gives 0).
std::string SubstituteTool(const Settings& settings, int16_t tool);

}  // namespace mq
