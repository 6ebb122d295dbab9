#include "output/program_writer.h"

#include "input/plain_text.h"
#include "output/number_format.h"
#include "output/program_storage.h"

namespace mq {

bool OriginIsLowerLeft(const Settings& settings) { return TrimBlanks(settings.Origin) != "0"; }

WriterFrame PrepareFrame(const Settings& settings, const ConversionState& state) {
  WriterFrame frame;
  frame.OriginLowerLeft = OriginIsLowerLeft(settings);
  frame.OriginRight = state.XFromRight;
  frame.OriginTop = state.YFromTop;
  frame.XSign = frame.OriginRight ? -1.0f : 1.0f;
  frame.YSign = frame.OriginTop ? -1.0f : 1.0f;
  // A machine whose origin is the lower-left corner counts Y the other way round.
  if (frame.OriginLowerLeft) frame.OriginTop = !frame.OriginTop;
  if (frame.OriginTop) {
    frame.OriginWord = frame.OriginRight ? " O2" : " O0";
  } else {
    frame.OriginWord = frame.OriginRight ? " O3" : " O1";
  }
  frame.ClockwiseDigit = frame.OriginLowerLeft ? '3' : '2';
  frame.CounterClockwiseDigit = frame.OriginLowerLeft ? '2' : '3';
  frame.Inch = state.DrawingInInches;
  frame.MillimetresPerUnit = MillimetresPerUnit(frame.Inch);
  frame.Precision = ProgramPrecision(settings, frame.Inch);
  return frame;
}

std::string ProgramHeader(float length, float width, float thickness, bool inch,
                          const std::string& description) {
  return DecimalText(length * 10.0f) + "," + DecimalText(width * 10.0f) + "," +
         DecimalText(thickness * 10.0f) + (inch ? ",\"I\"," : ",\"M\",") + "\"" + description + "\"";
}

void FinishProgram(ProgramLines& lines, const std::string& header, const std::string& origin_word) {
  if (lines.empty()) lines.emplace_back();
  lines.push_back(kProgramEndLine);
  lines[0] = header;
  const std::size_t end_line = lines.size() - 1;
  // The origin word belongs to the first machining line; a program without any has none.
  if (end_line > 1) lines[1] += origin_word;
  for (std::size_t k = 1; k < end_line; ++k) lines[k] = "\" " + lines[k] + "\"";
}

std::string ProgramFileText(const ProgramLines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string ProgramDescription(const ConversionState& state) {
  return IsBlankText(state.PartDescription) ? std::string(kDefaultPartDescription) : state.PartDescription;
}

namespace {

ProgramLines ComposeWithTable(const Settings& settings, const ConversionState& state, const ToolTable& table,
                              Operator* progress) {
  const WriterFrame frame = PrepareFrame(settings, state);
  const OneBasedList<BoreGroup> groups =
      GroupBores(state.BoreList, table, BoreGroupingFrame{frame.MillimetresPerUnit, frame.OriginLowerLeft});
  if (progress) progress->SetProgress(meter::kGCode, 25);

  ProgramLines lines(1);  // line 0: the header, filled when finishing
  AppendBoreGroupLines(groups, frame, lines);
  AppendGrooveLines(state.LineBoreList, frame, lines);
  AppendEdgeBoreLines(state.EdgeBoreList, frame, lines);
  OneBasedList<PathSegment> path = state.PathList;
  AppendPathLines(path, frame, PathToolSource{table, settings}, lines);
  if (progress) progress->SetProgress(meter::kGCode, 50);

  FinishProgram(lines,
                ProgramHeader(state.PanelWidth(), state.PanelHeight(), state.PartThickness, frame.Inch,
                              ProgramDescription(state)),
                frame.OriginWord);
  if (progress) progress->SetProgress(meter::kGCode, 75);
  return lines;
}

}  // namespace

ProgramLines ComposeProgram(const Settings& settings, const ConversionState& state, const ToolTable& table) {
  // Par.DAT is only read to group bores: a drawing without bores has no tool diameters.
  return ComposeWithTable(settings, state, state.BoreList.empty() ? ToolTable{} : table, nullptr);
}

std::vector<std::string> ProgramPortionTexts(const Settings& settings, const ConversionState& state,
                                             const ToolTable& table) {
  std::vector<std::string> texts;
  for (const ProgramPortion& portion :
       SplitProgram(ComposeProgram(settings, state, table), LineLimitOf(settings)))
    texts.push_back(ProgramFileText(portion.Lines));
  return texts;
}

StoredProgram WritePtp400Program(WriterContext& w) {
  const ConversionState& state = w.state;
  RunContext& run = w.run;
  // Par.DAT is only needed to group bores.
  const ToolTable table =
      state.BoreList.empty() ? ToolTable{} : ReadToolTable(run);
  const ProgramLines lines = ComposeWithTable(w.settings, state, table, run.ui);
  const StoredProgram stored = StoreProgram(w, lines, ProgramDescription(state));
  run.ui->SetProgress(meter::kGCode, 100);
  return stored;
}

}  // namespace mq
