#pragma once
// A preview as an SVG document: plain text, one element per preview item, classed by
// its kind ("cut", "hole", "rapid", ...) and titled with the program line that makes it,
// beside the legend and the summary. Opens in any browser.

#include <string>

#include "output/preview/program_preview.h"

namespace mq {

std::string PreviewSvg(const PreviewModel& model);

}  // namespace mq
