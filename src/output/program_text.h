#pragma once
// The text of a converted drawing's program without storing it: what a preview reads.

#include <string>
#include <vector>

#include "engine/driver/conversion_state.h"
#include "engine/driver/settings.h"
#include "output/tool_table.h"

namespace mq {

// The machine's origin setting ([PTP400] Origin): anything but "0" is the lower-left corner.
bool OriginIsLowerLeft(const Settings& settings);

// The finished program of a converted drawing, line for line as WritePtp400Program
// writes it, nothing stored or reported. `table` is Par.DAT; as in the writer, it is
// consulted only when the drawing has bores.
std::vector<std::string> ComposeProgram(const Settings& settings, const ConversionState& state,
                                        const ToolTable& table);

// The file texts of that program's portions, cut by the line limit as they would be
// stored: what a preview reads without writing a file.
std::vector<std::string> ProgramPortionTexts(const Settings& settings, const ConversionState& state,
                                             const ToolTable& table);

}  // namespace mq
