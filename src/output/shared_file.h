#pragma once
// Files that several converters change at once: the window, the folder watcher and the
// command line run side by side on the same folders, and each appends its line to
// MQ.PNX, the .PTS list, INDEX.IND and PNAME.DAT, or writes a program of the same name.
//
// Every change holds an advisory lock on the file from before it is read until the new
// text is in place, so no run reads a list another run is about to replace. The new
// text goes to a uniquely named temporary file beside the target and is renamed over
// it, so a crash or a full disk leaves the old file whole and a reader never sees half
// a file. The lock is taken on the file itself on POSIX systems (flock; a waiter that
// finds the file replaced meanwhile locks the new one) and on "<file>.lock" beside it
// on Windows (LockFileEx), where a file that is locked cannot be replaced.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mq {

// Writes the bytes of a new file at a native path; the reason when it could not. The
// file system's own writer unless a test stands in for a full disk.
using FileWriter =
    std::function<std::optional<std::string>(const std::string& native_path, std::string_view bytes)>;

// Turns the file's text (empty when the file does not exist) into its new text in
// place; false leaves the file as it is.
using SharedFileUpdate = std::function<bool(std::string& text)>;

// How long a change waits for another run's lock before it gives up.
inline constexpr std::chrono::milliseconds kSharedFileWait{30000};

struct SharedFileOptions {
  FileWriter writer;  // empty: the file system's writer
  std::chrono::milliseconds wait = kSharedFileWait;
};

// Locks `path` (either separator), reads it, lets `update` change the text and puts
// the new text in place. Returns the reason when the file could not be changed; the
// old file is then unchanged.
std::optional<std::string> UpdateSharedFile(const std::string& path, const SharedFileUpdate& update,
                                            const SharedFileOptions& options = {});

// Replaces the file with `bytes` under the same lock, without reading it first: a
// second run writing the same file waits until the first has finished.
std::optional<std::string> ReplaceSharedFile(const std::string& path, std::string_view bytes,
                                             const SharedFileOptions& options = {});

}  // namespace mq
