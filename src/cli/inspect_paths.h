#pragma once
// `marquill400-cli inspect --paths DRAWING`: what the engine made of a drawing's routes.

#include <string>

#include "cli/commands.h"

namespace mq::cli {

// Converts the drawing up to the contour order (nothing is written) and prints PathList,
// CircleList, the contour table and the contour order as JSON, with the drawing's report
// lines. Returns the exit status: 0, or 1 when the drawing failed (the reasons go to
// standard error), 2 when the settings cannot be read.
int InspectPaths(const std::string& drawing, CommandIo& io);

}  // namespace mq::cli
