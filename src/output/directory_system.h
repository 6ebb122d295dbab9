#pragma once
// The PTP400 control's own directory system: a root holding INDEX.IND, one directory
// per initial letter of the program names, and one ".SRG" file per program. Also the
// part list MQ.PNX beside the drawings, kept whether or not the directory system is used.

#include <optional>
#include <string>

#include "output/writer_context.h"

namespace mq {

constexpr std::size_t kIndexRecordSize = 50;
constexpr std::size_t kProgramNameWidth = 8;
constexpr std::size_t kIndexDescriptionWidth = 30;

// The directory part of the program name when it has one, else the destination path;
// always ending in a separator.
std::string DirectoryRoot(const std::string& program_name, const Settings& settings);

// The index file of a root, as the file system holds it; empty when there is none.
std::optional<std::string> FindIndexFile(const std::string& root);

// The program name for the index: the file-name part of `name_source`, blank-padded
// and cut to 8 characters, upper case; the drawing's short name when that is blank.
std::string DirectoryProgramName(const std::string& name_source, const std::string& dxf_short_name);

// A legal program name: at most 8 characters, beginning with a letter. An illegal one
// is asked for again with the prompt box; no answer reports "NO PROGRAM NAME ENTERED."
// and "Conversion Aborted." and gives nothing.
std::optional<std::string> CheckProgramName(RunContext& run, std::string name);

// --- INDEX.IND -----------------------------------------------------------------------

// "MM-DD-YYYY".
std::string IndexDateText(const CalendarDate& date);
// One 50-byte record: name (8, upper case), description (30), date (10), CR LF.
std::string IndexRecordText(const std::string& name, const std::string& description,
                            const CalendarDate& date);
// Record 1: the entry count with a leading blank, blank-padded to 48, CR LF.
std::string IndexHeaderText(long count);

enum class IndexOutcome { Replaced, Inserted, Appended, Damaged, WriteFailed };

// The index after entering `record`: an entry of the same name is replaced in place,
// a new one goes before the first entry whose name sorts after it (and the count in
// record 1 goes up by one). Empty when the index is damaged (length not a multiple of 50).
struct IndexImage {
  std::string Bytes;
  IndexOutcome Outcome = IndexOutcome::Appended;
};
std::optional<IndexImage> UpdatedIndex(const std::string& index_bytes, const std::string& record);

// Enters the program in the index file at `index_path`. A damaged index is reported
// ("!!! PROBLEM DETECTED WITH INDEX.IND FILE !!!", shown at once, then a 5 s pause)
// and left unchanged.
IndexOutcome UpdateIndexFile(RunContext& run, const std::string& index_path, const std::string& name,
                             const std::string& description, const CalendarDate& date);

// --- Storing ----------------------------------------------------------------------------

// Name check, index entry, letter directory, "PNAME.DAT"; returns the program file's
// path (letter directory, name without blanks, ".SRG") and adds the name to
// the ledger's ConvertedNames. Nothing when the operator gave no legal name.
struct DirectoryEntry {
  std::string Name;  // as stored, blanks removed
  std::string Path;  // the ".SRG" file
};
std::optional<DirectoryEntry> StoreInDirectorySystem(WriterContext& w, const std::string& root,
                                                     const std::string& index_path,
                                                     const std::string& name_source,
                                                     const std::string& description);

// --- MQ.PNX -------------------------------------------------------------------------

// "PANEL1,1,MAT,600,400": the drawing's short name and the panel's length and width.
std::string PartListLine(const std::string& dxf_short_name, float length, float width, int precision);

// Appends the drawing's line to MQ.PNX in the drawing's directory; with "/A" on the
// command line the list is started anew for the first drawing of the run.
void AppendPartList(WriterContext& w);

}  // namespace mq
