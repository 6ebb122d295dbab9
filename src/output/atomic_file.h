#pragma once
// Whole-file reads and replacements for the files other programs read after us: the
// programs, INDEX.IND, PNAME.DAT, MQ.PNX and the .PTS list. A replacement is written
// to a temporary file beside the target and renamed over it, so a crash or a full
// disk leaves the old file whole.

#include <optional>
#include <string>
#include <string_view>

#include "input/run_context.h"

namespace mq {

// Replaces the file at `path` (either separator) with `bytes`. Returns the reason
// when it could not be written; the old file is then unchanged.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

// The whole file as bytes; empty when it does not exist or cannot be read.
std::string ReadWholeFile(const std::string& path);

// The report line of a failed write: "Cannot write " + path + ": " + reason.
std::string CannotWriteMessage(const std::string& path, const std::string& reason);

// WriteFileAtomically for a file of the drawing's results: a failure is reported,
// raises FileFailed and lists the file as failed. True when the file was written.
bool WriteResultFile(RunContext& run, const std::string& path, std::string_view bytes);

}  // namespace mq
