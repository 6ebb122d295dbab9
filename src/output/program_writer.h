#pragma once
// The PTP400 program text of one drawing: the frame fixed before the first line, the
// machining lines of each section, the finished program and its portions. Only this
// part of the system knows the program syntax; every line is built by a function a
// test can call and compare exactly.

#include <string>
#include <vector>

#include "engine/driver/conversion_state.h"
#include "engine/driver/settings.h"
#include "input/one_based_list.h"
#include "output/bore_grouping.h"
#include "output/program_text.h"
#include "output/tool_table.h"
#include "output/writer_context.h"

namespace mq {

// Index 0 is the header, 1..n-1 the machining lines, n the end line.
using ProgramLines = std::vector<std::string>;

constexpr const char* kProgramEndLine = "\"end\"";
constexpr const char* kDefaultPartDescription = "MARQUILL DXF IMPORT";

// What the origin corner, the machine's origin setting and the drawing's units fix
// for the whole program.
struct WriterFrame {
  bool OriginLowerLeft = false;  // setting [PTP400] Origin: anything but "0"
  bool OriginTop = false;        // after the inversion for a lower-left machine origin
  bool OriginRight = false;
  float XSign = 1;  // -1 when X is measured from the right edge
  float YSign = 1;  // -1 when Y is measured from the top edge
  std::string OriginWord = " O1";
  char ClockwiseDigit = '2';
  char CounterClockwiseDigit = '3';
  bool Inch = false;
  float MillimetresPerUnit = 1;
  int Precision = 2;
};

WriterFrame PrepareFrame(const Settings& settings, const ConversionState& state);

// Sections of machining lines, appended in this order (lines without quotes yet).
void AppendBoreGroupLines(const OneBasedList<BoreGroup>& groups, const WriterFrame& frame,
                          ProgramLines& lines);
void AppendGrooveLines(const OneBasedList<LineBoreRecord>& grooves, const WriterFrame& frame,
                       ProgramLines& lines);
void AppendEdgeBoreLines(const OneBasedList<EdgeBoreRecord>& edge_bores, const WriterFrame& frame,
                         ProgramLines& lines);

// What the path section needs besides the path: the tool table for the R word and the
// tool substitution of the settings.
struct PathToolSource {
  const ToolTable& Table;
  const Settings& ToolSettings;
};
// The routed contours, from the writer's own copy of the path: its records are rounded
// in place as their words are written, and entries marked for deletion are cleared, as
// the later lines of a contour rely on.
void AppendPathLines(OneBasedList<PathSegment>& path, const WriterFrame& frame, const PathToolSource& tools,
                     ProgramLines& lines);

// The R word of a contour's start: " R-", " R" or " R+" and the compensation value.
std::string CompensationWord(const FixedText<10>& comp_code, int16_t tool, const ToolTable& table,
                             int precision);

// Header: length, width and thickness times 10, the unit letter and the description.
std::string ProgramHeader(float length, float width, float thickness, bool inch,
                          const std::string& description);

// End line, header, origin word on line 1, quotes around lines 1..n-1.
void FinishProgram(ProgramLines& lines, const std::string& header, const std::string& origin_word);

// A stored piece of a program: its lines as written to the file.
struct ProgramPortion {
  ProgramLines Lines;
  bool StartsInsideContour = false;  // the window before it held no tool lift: it begins cutting
  bool CutInsideContour = false;     // it ends where the tool is still down
};

// The finished program cut by the line limit: each portion ends at a line that lifts
// the tool ("G00", "G16", "G17") where the window is full, carries the origin word on
// its first line, and has the header and the end line.
std::vector<ProgramPortion> SplitProgram(const ProgramLines& lines, int line_limit);

// The name of portion k of base name B: B followed by k, or, when B's file name has 8
// characters or more, B with its last characters replaced by k.
std::string PortionName(const std::string& base, int k);

// The names of `count` portions: PortionName for each, except that a name an earlier
// portion already has (as the control tells names apart: the first `name_width`
// characters of the file name, blanks removed, in any case) gets the next free one,
// numbered on past the last portion.
std::vector<std::string> PortionNames(const std::string& base, int count, std::size_t name_width);

// The file's text: every line followed by CR LF.
std::string ProgramFileText(const ProgramLines& lines);

// The line limit setting as a number; a text that is not a positive number gives 600.
int LineLimitOf(const Settings& settings);

// The description in the header and the index: the drawing's, else the default.
std::string ProgramDescription(const ConversionState& state);

// What the writer stored for one drawing.
struct StoredProgram {
  bool Written = false;  // at least one program (or portion) is on disk
  std::string LastPath;  // the last file written
};

// The whole writer for one converted drawing: frame, bore rows, machining lines,
// finishing, splitting and storing, with its report lines. A failure to store is
// reported and fails the drawing (run.FileFailed).
StoredProgram WritePtp400Program(WriterContext& w);

}  // namespace mq
