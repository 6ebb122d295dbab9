#pragma once
// Whole-file reads and replacements for the files other programs read after us: the
// programs, INDEX.IND, PNAME.DAT, MQ.PNX and the .PTS list. Every change goes through
// the shared-file lock and a temporary file beside the target (shared_file.h), so a
// crash, a full disk or a second run at the same time leaves each file whole.

#include <optional>
#include <string>
#include <string_view>

#include "input/run_context.h"
#include "output/shared_file.h"

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
// A file the run reads (its drawing, Par.DAT, the settings) is never written over.
bool WriteResultFile(RunContext& run, const std::string& path, std::string_view bytes);

// UpdateSharedFile for a list the drawing adds to, reported as WriteResultFile does.
// True when the list was changed or `update` left it alone.
bool UpdateResultFile(RunContext& run, const std::string& path, const SharedFileUpdate& update);

// The reason a result must not go to `path`: it is one of the files the run reads.
std::optional<std::string> ReadByTheRun(const RunContext& run, const std::string& path);

}  // namespace mq
