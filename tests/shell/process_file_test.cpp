#include "shell/process_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/dxf_builder.h"
#include "support/recording_operator.h"

namespace mq {
namespace {

namespace fs = std::filesystem;

class ProcessFileTest : public ::testing::Test {
 protected:
  // The scratch directory written with backslashes, as an operator on Windows types it.
  std::string Dir() const { return scratch.path().string() + "\\"; }
  void Process(std::string request) {
    run.PendingMessage.clear();
    ProcessFile(request, run, Settings(), nullptr);
    trimmed_request = request;
  }

  test::ScratchDirectory scratch{"process"};
  test::RecordingOperator person;
  RunContext run{person};
  std::string trimmed_request;
};

TEST_F(ProcessFileTest, RequestGivesDrawingAndProgramName) {
  struct Case {
    const char* file;     // drawing created in the directory; nullptr: none
    const char* request;  // after the directory
    const char* drawing;  // DxfFileName after the directory
    const char* program;
    const char* title;  // first pending line; for a missing drawing the whole message
  };
  const Case cases[] = {
      {"A.DXF", "A", "A.DXF", "A", "A"},
      {"B.dxf", "B.dxf", "B.dxf", "B", "B"},  // the extension test is case-blind
      {"C.DXF", "C.DXF   P12  ", "C.DXF", "P12", "P12"},
      {"D.DXF.OLD", "D.DXF.OLD", "D.DXF.OLD", "D", "D"},
      {nullptr, "E.TXT", "E.TXT.DXF", "E.TXT", "E.TXT.DXF  NOT FOUND"},
      {"F.DXF", "F.DXF C:\\OUT\\P7.DXF", "F.DXF", "C:\\OUT\\P7", "P7"},  // no directory in the title
  };
  int failures = 0;
  for (const Case& c : cases) {
    if (c.file) test::DxfBuilder().Rectangle("BORDER", 0, 0, 600, 400).Save(scratch / c.file);
    Process("  " + Dir() + c.request);
    std::string request = c.request;
    request.erase(request.find_last_not_of(' ') + 1);
    EXPECT_EQ(trimmed_request, Dir() + request) << "the request is trimmed in place";
    EXPECT_EQ(run.ProgramName, c.program) << c.request;
    if (c.file) {
      EXPECT_FALSE(run.FileFailed) << c.request << ": " << run.PendingMessage;
      EXPECT_EQ(fs::path(run.DxfFileName), scratch / c.drawing) << c.request;
      EXPECT_EQ(fs::path(run.DxfDirectory), scratch.path() / "") << c.request;
      EXPECT_EQ(run.PendingMessage.substr(0, std::string(c.title).size() + 1), std::string(c.title) + "\r");
    } else {
      ++failures;
      EXPECT_TRUE(run.FileFailed) << c.request;
      EXPECT_EQ(run.DxfFileName, Dir() + c.drawing);
      EXPECT_EQ(run.DxfDirectory, Dir());
      EXPECT_EQ(run.PendingMessage, Dir() + c.title + "\r");
    }
    ASSERT_EQ(run.FailedFiles.size(), failures) << "a failure never carries over";
  }
  EXPECT_EQ(run.FailedFiles[1], Dir() + "E.TXT.DXF");
}

TEST_F(ProcessFileTest, RequestWithoutSeparatorHasNoDirectory) {
  test::DxfBuilder().Rectangle("BORDER", 0, 0, 600, 400).Save(scratch / "LOCAL.DXF");
  const fs::path before = fs::current_path();
  fs::current_path(scratch.path());
  Process("LOCAL");
  fs::current_path(before);
  EXPECT_FALSE(run.FileFailed);
  EXPECT_EQ(run.DxfDirectory, "");
  EXPECT_EQ(run.DxfFileName, "LOCAL.DXF");
}

TEST_F(ProcessFileTest, ReaderFailureSkipsTheEngine) {
  std::ofstream(scratch / "CUT.DXF") << "0\nSECTION\n2\nENTITIES\n0\nLINE\n";
  std::ofstream(scratch / "EMPTY.DXF") << "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n";
  const std::string cut = (scratch / "CUT.DXF").string(), empty = (scratch / "EMPTY.DXF").string();
  Process(Dir() + "CUT");
  EXPECT_EQ(run.PendingMessage, "CUT\rDXF file ends before the end of its ENTITIES section: " + cut + "\r")
      << "nothing after the reader's message";
  Process(Dir() + "EMPTY");
  EXPECT_TRUE(run.FileFailed);
  EXPECT_EQ(run.DxfFileName, "~");
  EXPECT_EQ(person.messages, std::vector<std::string>{"ENTITIES Section not found in  " + empty + "    "});
  ASSERT_EQ(run.FailedFiles.size(), 2);
  EXPECT_EQ(run.FailedFiles[1], cut);
  EXPECT_EQ(run.FailedFiles[2], empty) << "under its own name";
}

}  // namespace
}  // namespace mq
