// trevalon import, run as a user runs it: the built program in a fresh
// working folder, then trevalon analyse of what it wrote.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "admin/xlsx_builder.h"
#include "app/cli_run.h"

namespace fs = std::filesystem;

using namespace cli_test;

namespace {

// A 9 m bay: 360UB44.7 secondary beams at 3 m centres on a 9 m 530UB82.0
// primary beam, 120 mm slab on a 55 mm deck, as an older project file.
std::string BayTvx(const std::string& SecondaryGradeFlag = "1") {
  const char* lines[] = {"Trevalon V2", "Level 3 office", "", "A. Engineer", "SB1", "PB1", "1", "3", "Y", "1.5",
                         "120", "10", "0", "500", "250", "0.7", "0.4", "9000", "3000", "Int", "9000", "", "Int",
                         "Re-entrant 55 mm x 1.00 mm", "32", "2400", "1500", "360UB44.7", SecondaryGradeFlag.c_str(),
                         "530UB82.0", "1"};
  std::string text;
  for (const char* l : lines) text += std::string(l) + "\r\n";
  return text;
}

class ImportCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("trv-import-cli-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  TRun Trevalon(const std::string& Args) { return RunIn(dir_, Quote(kProgram) + " " + Args); }

  std::string Write(const std::string& Name, const std::string& Bytes) {
    std::ofstream(dir_ / Name, std::ios::binary) << Bytes;
    return Name;
  }

  // The one line on standard error, which names the program; nothing written.
  void ExpectOneError(const TRun& r, const std::string& Containing) {
    EXPECT_EQ(r.code, 2) << r.err;
    const std::vector<std::string> lines = Lines(r.err);
    ASSERT_EQ(lines.size(), 1u) << r.err;
    EXPECT_EQ(lines[0].rfind("trevalon: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(Containing), std::string::npos) << lines[0];
    EXPECT_EQ(r.out, "");
  }

  fs::path dir_;
};

}  // namespace

TEST_F(ImportCli, AnOlderProjectFileBecomesAProjectThatAnalyses) {
  Write("bay.tvx", BayTvx());
  const TRun r = Trevalon("import bay.tvx");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Imported project written to bay.tva\n");
  EXPECT_EQ(r.err, "trevalon: Warning: Shear connector \"<Default>\" is not in the library: the first one, "
                   "\"15.9 mm headed stud\", is used\n");
  const std::string project = ReadText(dir_ / "bay.tva");
  EXPECT_NE(project.find("[Project]\r\nProject=Level 3 office\r\n"), std::string::npos);
  EXPECT_NE(project.find("Name=15.9 mm headed stud\r\n"), std::string::npos);

  const TRun analysis = Trevalon("analyse bay.tva");
  EXPECT_TRUE(analysis.code == 0 || analysis.code == 1) << analysis.err;  // it runs: pass or fail, no bad input
  EXPECT_EQ(analysis.err, "");
  EXPECT_NE(analysis.out.find("Sec: SB1  KESTREL  360UB44.7"), std::string::npos) << analysis.out;
  EXPECT_NE(analysis.out.find("Pri: PB1  KESTREL  530UB82.0"), std::string::npos) << analysis.out;
  EXPECT_TRUE(fs::exists(dir_ / "bay.csv"));
}

TEST_F(ImportCli, AWorkbookBecomesAProjectThatAnalyses) {
  xlsx_test::TWorkbookBuilder book;
  book.Text("General_Beam_Data", "C1", "Tower B")
      .Text("General_Beam_Data", "C2", "SB7")
      .Number("General_Beam_Data", "A5", 9000)
      .Number("General_Beam_Data", "B5", 32)
      .Number("General_Beam_Data", "C5", 2400)
      .Number("General_Beam_Data", "D5", 300)
      .Text("General_Beam_Data", "E5", "Re-entrant 55 mm x 1.00 mm")
      .Text("General_Beam_Data", "F5", "19 mm headed stud")
      .Number("General_Beam_Data", "G5", 7)
      .Text("Steel_X_Sections", "A2", "S1")
      .Text("Steel_X_Sections", "B2", "UB")
      .Text("Steel_X_Sections", "C2", "410UB53.7")
      .Text("Steel_X_Sections", "D2", "KESTREL")
      .Number("Concrete_X_Sections", "B2", 120)
      .Number("Concrete_X_Sections", "C2", 1500)
      .Number("Concrete_X_Sections", "D2", 1500)
      .Number("Concrete_X_Sections", "E2", 90)
      .Number("Concrete_X_Sections", "F2", 90)
      .Text("Composite_X_Sections", "A2", "1")
      .Number("Composite_X_Sections", "B2", 0)
      .Text("Composite_X_Sections", "C2", "S1")
      .Number("Distributed_Loads", "A2", 3)
      .Number("Distributed_Loads", "B2", 0)
      .Text("Distributed_Loads", "C2", "Span")
      .Number("Distributed_Loads", "D2", 9)
      .Number("Distributed_Loads", "E2", 9)
      .Text("Distributed_Loads", "F2", "Dead")
      .Number("Distributed_Loads", "A3", 7)
      .Number("Distributed_Loads", "B3", 0)
      .Text("Distributed_Loads", "C3", "Span")
      .Number("Distributed_Loads", "D3", 9)
      .Number("Distributed_Loads", "E3", 9)
      .Text("Distributed_Loads", "F3", "Live")
      .Sheet("Point_Loads")
      .Number("Deflection_Data", "A2", 250)
      .Number("Deflection_Data", "B2", 250)
      .Number("Deflection_Data", "C2", 500)
      .Number("Deflection_Data", "D2", 250)
      .Number("Deflection_Data", "E2", 0.4)
      .Text("Deflection_Data", "F2", "Stage 3");
  book.Write((dir_ / "beam.xlsx").string());
  const TRun r = Trevalon("import beam.xlsx --output designs/imported.tva");
  ASSERT_EQ(r.code, 2);  // the folder does not exist
  fs::create_directories(dir_ / "designs");
  const TRun ok = Trevalon("import beam.xlsx --output designs/imported.tva");
  EXPECT_EQ(ok.code, 0) << ok.err;
  EXPECT_EQ(ok.err, "");
  EXPECT_EQ(ok.out, "Imported project written to designs/imported.tva\n");
  EXPECT_FALSE(fs::exists(dir_ / "beam.tva"));

  const TRun analysis = Trevalon("analyse designs/imported.tva");
  EXPECT_TRUE(analysis.code == 0 || analysis.code == 1) << analysis.err;
  EXPECT_NE(analysis.out.find("Sec: SB7  KESTREL  410UB53.7"), std::string::npos) << analysis.out;
}

TEST_F(ImportCli, FilesThatCannotBeImportedGiveOneLineAndExit2) {
  Write("short.tvx", "Trevalon V2\r\nOnly two lines\r\n");
  Write("binary.xlsx", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "old binary workbook");
  xlsx_test::TWorkbookBuilder book;
  book.Text("General_Beam_Data", "B5", "thirty-two");
  for (const char* sheet : {"Deflection_Data", "Steel_X_Sections", "Concrete_X_Sections"}) book.Sheet(sheet);
  book.Write((dir_ / "text-in-number.xlsx").string());

  ExpectOneError(Trevalon("import missing.tvx"), "Cannot open file [missing.tvx]");
  ExpectOneError(Trevalon("import short.tvx"), "Trevalon import file not in correct format: [short.tvx] has 2 lines");
  ExpectOneError(Trevalon("import binary.xlsx"), "[binary.xlsx] is not a spreadsheet workbook (.xlsx)");
  ExpectOneError(Trevalon("import text-in-number.xlsx"),
                 "Cell B5 of sheet \"General_Beam_Data\" in [text-in-number.xlsx] holds \"thirty-two\", which is not "
                 "a number");
  ExpectOneError(Trevalon("import ."), "is a folder");
  for (const char* name : {"short.tva", "binary.tva", "text-in-number.tva", "missing.tva"})
    EXPECT_FALSE(fs::exists(dir_ / name)) << name;

  const TRun usage = Trevalon("import");
  EXPECT_EQ(usage.code, 2);
}

TEST_F(ImportCli, TheOutputHoldsTheImportedProjectAlone) {
  Write("bay.tvx", BayTvx());
  // An older project file of the same name is replaced, keys and all.
  Write("bay.tva", "[Project]\r\nProject=Old\r\n[Notes]\r\nStale=1\r\n");
  const TRun r = Trevalon("import bay.tvx");
  EXPECT_EQ(r.code, 0) << r.err;
  const std::string project = ReadText(dir_ / "bay.tva");
  EXPECT_EQ(project.find("Stale"), std::string::npos);
  EXPECT_NE(project.find("Project=Level 3 office"), std::string::npos);
}

// Nor over the library it reads.
TEST_F(ImportCli, AFileIsNeverImportedOverItself) {
  Write("bay.tva", BayTvx());
  Write("bay.tvx", BayTvx());
  fs::copy_file(std::string(TREVALON_BIN_DIR) + "/Trevalon.tvl", dir_ / "LIB.tvl");
  const std::string library = ReadText(dir_ / "LIB.tvl");
  ExpectOneError(Trevalon("import bay.tva"), "bay.tva is also an input (file being imported bay.tva)");
  ExpectOneError(Trevalon("import bay.tva --output ./bay.tva"),
                 "./bay.tva is also an input (file being imported bay.tva)");
  ExpectOneError(Trevalon("--library LIB.tvl import bay.tvx --output LIB.tvl"),
                 "LIB.tvl is also an input (library file LIB.tvl)");
  EXPECT_EQ(ReadText(dir_ / "bay.tva"), BayTvx());
  EXPECT_EQ(ReadText(dir_ / "LIB.tvl"), library);
}

TEST_F(ImportCli, WarningsGoToStandardErrorAndTheImportGoesOn) {
  Write("bay.tvx", BayTvx("0"));  // grade "Gr 350", which the library names otherwise
  const TRun r = Trevalon("import bay.tvx --output out.tva");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.err.find("trevalon: Warning: Secondary beam SB1: steel section \"360UB44.7\" (type UB, grade "
                       "\"Gr 350\") is not in the section library\n"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(fs::exists(dir_ / "out.tva"));
}

TEST_F(ImportCli, HelpSaysWhatItWritesAndWhere) {
  const TRun r = Trevalon("import --help");
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("write it as a project file (.tva), by default beside the input under the same name with "
                       "extension .tva"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("--output"), std::string::npos);
}
