#include "shell/process_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/dxf_builder.h"
#include "support/recording_operator.h"

namespace mq {
namespace {

namespace fs = std::filesystem;

class ProcessFileTest : public ::testing::Test {
 protected:
  // Creates a drawing in the scratch directory.
  std::string Drawing(const std::string& name) {
    test::DxfBuilder().Rectangle("BORDER", 0, 0, 600, 400).Save(scratch / name);
    return (scratch / name).string();
  }
  // The scratch directory written with backslashes, as an operator on Windows types it.
  std::string Dir() const { return scratch.path().string() + "\\"; }
  void Process(std::string request) {
    run.PendingMessage.clear();
    ProcessFile(request, run, settings, nullptr);
    trimmed_request = request;
  }

  test::ScratchDirectory scratch{"process"};
  test::RecordingOperator person;
  RunContext run{person};
  Settings settings;
  std::string trimmed_request;
};

TEST_F(ProcessFileTest, RequestWithoutExtensionConvertsTheDxf) {
  Drawing("A.DXF");
  Process(Dir() + "A");
  EXPECT_EQ(run.FileFailed, kFalse);
  EXPECT_EQ(run.ProgramName, "A");
  EXPECT_EQ(run.DxfShortName, "A");
  EXPECT_EQ(fs::path(run.DxfFileName), scratch / "A.DXF");
  EXPECT_EQ(fs::path(run.DxfDirectory), scratch.path() / "");
  EXPECT_EQ(run.PendingMessage.substr(0, 2), "A\r") << "the title line";
}

TEST_F(ProcessFileTest, ExtensionIsRecognisedWithoutRegardToCase) {
  Drawing("A.dxf");
  Process(Dir() + "A.dxf");
  EXPECT_EQ(run.FileFailed, kFalse);
  EXPECT_EQ(run.ProgramName, "A");
  EXPECT_EQ(fs::path(run.DxfFileName).filename(), "A.dxf") << "no second extension";
}

TEST_F(ProcessFileTest, SecondWordIsTheProgramName) {
  Drawing("A.DXF");
  Process("  " + Dir() + "A.DXF   P12  ");
  EXPECT_EQ(run.ProgramName, "P12");
  EXPECT_EQ(trimmed_request, Dir() + "A.DXF   P12") << "the request is trimmed in place";
}

TEST_F(ProcessFileTest, ProgramNameKeepsItsDirectoryButTheTitleDoesNot) {
  Drawing("A.DXF");
  Process(Dir() + "A.DXF C:\\OUT\\P7.DXF");
  EXPECT_EQ(run.ProgramName, "C:\\OUT\\P7");
  EXPECT_EQ(run.PendingMessage.substr(0, 3), "P7\r");
}

TEST_F(ProcessFileTest, PathContainingDxfIsUsedUnchanged) {
  Drawing("A.DXF.OLD");
  Process(Dir() + "A.DXF.OLD");
  EXPECT_EQ(run.FileFailed, kFalse);
  EXPECT_EQ(fs::path(run.DxfFileName).filename(), "A.DXF.OLD");
  EXPECT_EQ(run.ProgramName, "A");
}

TEST_F(ProcessFileTest, OtherExtensionGetsDxfAppended) {
  Process(Dir() + "A.TXT");
  EXPECT_EQ(run.DxfFileName, Dir() + "A.TXT.DXF");
  EXPECT_EQ(run.ProgramName, "A.TXT");
  EXPECT_NE(run.FileFailed, kFalse);
}

TEST_F(ProcessFileTest, RequestWithoutSeparatorHasNoDirectory) {
  Drawing("LOCAL.DXF");
  const fs::path before = fs::current_path();
  fs::current_path(scratch.path());
  Process("LOCAL");
  fs::current_path(before);
  EXPECT_EQ(run.FileFailed, kFalse);
  EXPECT_EQ(run.DxfDirectory, "");
  EXPECT_EQ(run.DxfFileName, "LOCAL.DXF");
}

TEST_F(ProcessFileTest, MissingDrawingFailsAndTheNextOneGoesOn) {
  Drawing("B.DXF");
  Process(Dir() + "MISSING");
  EXPECT_NE(run.FileFailed, kFalse);
  EXPECT_EQ(run.PendingMessage, Dir() + "MISSING.DXF  NOT FOUND\r");
  ASSERT_EQ(run.FailedFiles.size(), 1);
  EXPECT_EQ(run.FailedFiles[1], Dir() + "MISSING.DXF");

  Process(Dir() + "B");
  EXPECT_EQ(run.FileFailed, kFalse) << "a failure never carries over";
  EXPECT_EQ(run.FailedFiles.size(), 1);
}

TEST_F(ProcessFileTest, ReaderFailureSkipsTheEngine) {
  std::ofstream(scratch / "CUT.DXF") << "0\nSECTION\n2\nENTITIES\n0\nLINE\n";
  Process(Dir() + "CUT");
  EXPECT_NE(run.FileFailed, kFalse);
  const std::string path = (scratch / "CUT.DXF").string();
  EXPECT_EQ(run.PendingMessage, "CUT\rDXF file ends before the end of its ENTITIES section: " + path + "\r")
      << "nothing after the reader's message";
  ASSERT_EQ(run.FailedFiles.size(), 1);
  EXPECT_EQ(run.FailedFiles[1], path);
}

TEST_F(ProcessFileTest, DrawingWithoutEntitiesFailsUnderItsName) {
  std::ofstream(scratch / "EMPTY.DXF") << "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n";
  Process(Dir() + "EMPTY");
  EXPECT_NE(run.FileFailed, kFalse);
  EXPECT_EQ(run.DxfFileName, "~");
  ASSERT_EQ(run.FailedFiles.size(), 1);
  EXPECT_EQ(run.FailedFiles[1], (scratch / "EMPTY.DXF").string());
  ASSERT_EQ(person.messages.size(), 1u);
  EXPECT_EQ(person.messages[0], "ENTITIES Section not found in  " + (scratch / "EMPTY.DXF").string() + "    ");
}

}  // namespace
}  // namespace mq
