// Drawings converted side by side (convert --jobs) come out exactly as converted one
// after another: the same report rows, message boxes, questions and failed names, and
// byte for byte the same files, among them the shared ones every drawing adds to
// (INDEX.IND, MQ.PNX, the .PTS list, PNAME.DAT, the written-programs list). The run is
// strict, so that a drawing's warnings must reach its writing to fail it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/batch_run.h"
#include "shell/ini_file.h"
#include "shell/settings_store.h"
#include "support/dxf_builder.h"
#include "support/golden_cases.h"
#include "support/recording_operator.h"

namespace mq {
namespace {

namespace fs = std::filesystem;

struct Batch {
  explicit Batch(const std::string& name) : dir(name) {
    LoadStartupSettings(IniFile::Parse(test::ReadBytes(test::kSourceDirectory / "examples" / "MQ400.INI")),
                        settings);
    settings.DirectorySystem = 1;
    settings.LineLimit = "40";  // long programs are split into portions
    settings.DestinationPath = (dir / "root").string() + "/";
    settings.PTSPath = (dir / "pts").string() + "/";
    for (const char* d : {"root", "pts", "dxf"}) fs::create_directories(dir / d);
    std::ofstream(dir / "root" / "INDEX.IND");
    run.ProgramDirectory = dir.path().string() + "/";
    run.RootDirectory = (test::kSourceDirectory / "examples").string();
    run.Today = CalendarDate{2026, 12, 7};
    run.Strict = true;
    const char* examples[] = {"SIDE", "DOOR", "SHELF", "BACK"};
    for (int k = 1; k <= 50; ++k) {
      const std::string file = (dir / "dxf" / ("D" + std::to_string(k))).string();
      if (k % 9 == 0) {
        std::ofstream(file + ".DXF") << "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n";  // no entities
      } else if (k % 5 == 0) {  // a warning: in a strict run the drawing fails
        test::DxfBuilder()
            .Rectangle("BORDER", 0, 0, 600, 400)
            .Entity("SPLINE", "ROUTE T5")
            .Save(file + ".DXF");
      } else if (k % 7 != 0) {  // else: missing
        fs::copy_file(test::kSourceDirectory / "examples" / (std::string(examples[k % 4]) + ".DXF"),
                      file + ".DXF");
      }
      // Illegal program names are asked for; names given twice replace their index entry.
      requests.push_back(file + (k % 11 == 0 ? " 9BAD" : k % 6 == 0 ? " SAME" : ""));
    }
    person.answers = {"", "FIXED1", "", "FIXED2"};
  }

  void Run(int jobs) {
    BatchSteps steps;
    steps.jobs = jobs;
    RunBatch(requests, run, settings, ledger, steps);
  }

  test::ScratchDirectory dir;
  test::RecordingOperator person;
  RunContext run{person};
  Settings settings;
  OutputLedger ledger;
  std::vector<std::string> requests;
};

TEST(RunBatch, SideBySideEqualsOneAfterAnother) {
  Batch serial("batch-serial"), parallel("batch-parallel");
  serial.Run(1);
  parallel.Run(4);
  auto relative = [](const std::vector<std::string>& texts, const Batch& b) {
    std::string all;
    for (const std::string& t : texts) all += t + "\n";
    for (std::size_t at; (at = all.find(b.dir.path().string())) != std::string::npos;)
      all.replace(at, b.dir.path().string().size(), "%");
    return all;
  };
  EXPECT_GT(serial.person.rows.size(), 50u);
  EXPECT_GE(serial.person.questions.size(), 3u) << "illegal names are asked for";
  EXPECT_NE(relative(serial.person.rows, serial).find("warnings fail the drawing"), std::string::npos);
  EXPECT_EQ(relative(parallel.person.rows, parallel), relative(serial.person.rows, serial));
  EXPECT_EQ(relative(parallel.person.messages, parallel), relative(serial.person.messages, serial));
  EXPECT_EQ(relative(parallel.person.questions, parallel), relative(serial.person.questions, serial));
  EXPECT_EQ(relative(parallel.run.FailedFiles.raw(), parallel),
            relative(serial.run.FailedFiles.raw(), serial));
  EXPECT_EQ(relative(parallel.ledger.WrittenPrograms.raw(), parallel),
            relative(serial.ledger.WrittenPrograms.raw(), serial));
  EXPECT_EQ(parallel.ledger.ConvertedNames, serial.ledger.ConvertedNames);
  const auto serial_files = test::FilesUnder(serial.dir.path()),
             parallel_files = test::FilesUnder(parallel.dir.path());
  EXPECT_GT(serial_files.size(), 60u);
  for (const auto& [name, bytes] : serial_files) {
    ASSERT_TRUE(parallel_files.count(name)) << name;
    EXPECT_EQ(relative({parallel_files.at(name)}, parallel), relative({bytes}, serial)) << name;
  }
  EXPECT_EQ(parallel_files.size(), serial_files.size());
}

}  // namespace
}  // namespace mq
