// The design-table generator on the bundled sample and the shipped design
// library: the table's layout, the same bytes whatever the number of threads
// or parts, the edition of each worker, case files, cancel, and the user's
// project left as it was.
#include "admin/cDesignTableRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include "admin/cDesignTableParts.h"
#include "components/cStandard.h"
#include "entity/cIniFiles.h"
#include "project/cFloorUse.h"
#include "project/sample_fixture.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string kDesignLibrary = std::string(TREVALON_BIN_DIR) + "/Trevalon-Design.tvl";
const char* kHeader = "\"Span (mm)\",\"Spacing (mm)\",\"Beam (KESTREL)\",\"Camber (mm)\",\"Studs/beam\"";

std::string ReadText(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class TRecorder : public TDesignTableObserver {
 public:
  void LogLine(const std::string& Line) override { log.push_back(Line); }
  void Message(const std::string& Text) override { messages.push_back(Text); }
  void CasesDone(int Done, int Count) override {
    progress.push_back(Done);
    count = Count;
    if (runner && cancel_after >= 0 && Done >= cancel_after) runner->RequestCancel();
  }
  std::vector<std::string> log, messages;
  std::vector<int> progress;
  int count = 0;
  TDesignTableRunner* runner = nullptr;
  int cancel_after = -1;
};

class DesignTableTest : public SampleTest {
 protected:
  void SetUp() override {
    SampleTest::SetUp();
    options.ProjectFileName = scratch.File("Job.tva");
    options.DesignLibraryFile = kDesignLibrary;
    options.Clock = RunDate;
    options.Settings.VersionID = kStandard2017;
    options.Settings.SpanList = {6000, 9000};
    options.Settings.SpacingList = {2500, 3000};
  }

  TDesignTableOutcome Run(int Jobs, int Part = 1, int Parts = 1) {
    options.Jobs = Jobs;
    options.Part = Part;
    options.Parts = Parts;
    TDesignTableRunner runner(project, session, recorder);
    return runner.Run(options);
  }

  // The project file text, the way a save would write it.
  std::string Saved() {
    auto ini = TVEXIniFile::FromBytes("");
    project.SaveToIniFile(ini, "", "");
    return ini.ToBytes();
  }

  TempDir scratch;
  TDesignTableOptions options;
  TRecorder recorder;
};

}  // namespace

TEST_F(DesignTableTest, LayoutOfOneFloorUse) {
  const std::string before = Saved();
  const TDesignTableOutcome outcome = Run(2);
  ASSERT_TRUE(outcome.Result.IsOK()) << outcome.Result.Message();
  EXPECT_EQ(outcome.TableFile, scratch.File("Job-Design.csv"));
  EXPECT_EQ(outcome.Cases, 6);  // two secondary beams, four primary beams
  EXPECT_EQ(outcome.Unsolved, 0);

  const std::vector<std::string>& l = outcome.Lines;
  ASSERT_EQ(l.size(), 20u) << ReadText(outcome.TableFile);
  const std::vector<std::string> fixed = {"Trevalon/V" + GetAppVersionShort(),
                                          "Design table input file," + options.ProjectFileName,
                                          "Tables created," + FormatShortDate(RunDate()),
                                          "Standard,AS/NZS2327:2017",
                                          ""};
  EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + 5), fixed);
  EXPECT_EQ(l[5].rfind("Floor Use,\"", 0), 0u) << l[5];
  EXPECT_EQ(l[6], "");
  EXPECT_EQ(l[7], "Secondary beam: SB1");
  EXPECT_EQ(l[8], kHeader);
  // A secondary beam spans the spacing of the table and sits at the project's 3 m centres.
  EXPECT_EQ(l[9].rfind("2500,3000,", 0), 0u) << l[9];
  EXPECT_EQ(l[10].rfind("3000,3000,", 0), 0u) << l[10];
  EXPECT_EQ(l[11], "");
  EXPECT_EQ(l[12], "Primary beam: PB1");
  EXPECT_EQ(l[13], kHeader);
  // Primary beams: span, then the spacing of the secondary beams' spans.
  EXPECT_EQ(l[14].rfind("6000,2500,", 0), 0u) << l[14];
  EXPECT_EQ(l[15].rfind("6000,3000,", 0), 0u) << l[15];
  EXPECT_EQ(l[16], "");
  EXPECT_EQ(l[17].rfind("9000,2500,", 0), 0u) << l[17];
  EXPECT_EQ(l[18].rfind("9000,3000,", 0), 0u) << l[18];
  // The sample's own bay, 9 m by 9 m with secondary beams at 3 m, designs to its own sections.
  EXPECT_EQ(l[18].substr(0, 20), "9000,3000,360UB44.7,");
  EXPECT_EQ(l[19], "");  // after each span

  std::string table;
  for (const std::string& line : l) table += line + "\r\n";
  EXPECT_EQ(ReadText(outcome.TableFile), table);
  EXPECT_EQ(recorder.log.front(), "Creating design tables...");
  EXPECT_EQ(recorder.log.back(), "Completed design table creation");
  EXPECT_EQ(recorder.messages, (std::vector<std::string>{"Design table saved to " + outcome.TableFile}));
  EXPECT_EQ(recorder.progress.back(), 6);

  // The user's project and the caller's edition are as they were.
  EXPECT_EQ(Saved(), before);
  EXPECT_TRUE(project.OutputList.empty());
  EXPECT_EQ(StandardVersion(), kStandard2017);
  EXPECT_EQ(outcome.CaseFiles.size(), 0u);
}

TEST_F(DesignTableTest, SameBytesForAnyNumberOfThreadsOrParts) {
  options.Settings.WillIterateAllFloors = true;
  options.Settings.SpanList = {6000, 9000, 12000};
  const TDesignTableOutcome one = Run(1);
  ASSERT_TRUE(one.Result.IsOK()) << one.Result.Message();
  const std::string single = ReadText(one.TableFile);
  // Every floor use of the library repeats the block, in library order.
  EXPECT_EQ(std::count(one.Lines.begin(), one.Lines.end(), "Primary beam: PB1"), 7);
  EXPECT_NE(std::find(recorder.log.begin(), recorder.log.end(), "    Floor use index 6..."), recorder.log.end());

  EXPECT_EQ(ReadText(Run(3).TableFile), single);

  // Three parts, joined in any order, give the table one run writes.
  std::vector<std::string> parts;
  int cases_run = 0;
  for (int k : {3, 1, 2}) {
    const TDesignTableOutcome part = Run(2, k, 3);
    ASSERT_TRUE(part.Result.IsOK()) << part.Result.Message();
    EXPECT_EQ(part.TableFile, scratch.File("Job-Design-" + std::to_string(k) + "of3.csv"));
    cases_run += part.CasesRun;
    parts.push_back(part.TableFile);
  }
  EXPECT_EQ(cases_run, one.Cases);
  fs::remove(one.TableFile);
  const TResult merged = MergeDesignTableParts(parts);
  ASSERT_TRUE(merged.IsOK()) << merged.Message();
  EXPECT_EQ(merged.Message(), one.TableFile);
  EXPECT_EQ(ReadText(one.TableFile), single);

  // A part missing or given twice, or a part of another table, joins nothing.
  EXPECT_NE(MergeDesignTableParts({parts[0], parts[1]}).Message().find("Part 2 of 3 is missing"), std::string::npos);
  EXPECT_NE(MergeDesignTableParts({parts[0], parts[1], parts[1]}).Message().find("given twice"), std::string::npos);
  options.Settings.SpacingList = {2500};
  const std::string other = Run(1, 2, 3).TableFile;
  EXPECT_FALSE(MergeDesignTableParts({parts[0], parts[1], other}).IsOK());
  EXPECT_FALSE(MergeDesignTableParts({options.ProjectFileName}).IsOK());
}

TEST_F(DesignTableTest, EveryWorkerRunsUnderTheTablesEdition) {
  // The program-wide edition stays the current one; the workers set the
  // table's. Were a worker to use the program-wide value, both tables would
  // hold the same rows.
  options.Settings.VersionID = kStandard2003;
  const std::vector<std::string> old_rows = Run(2).Lines;
  options.Settings.VersionID = kStandard2017;
  const std::vector<std::string> new_rows = Run(2).Lines;
  ASSERT_EQ(old_rows.size(), new_rows.size());
  EXPECT_EQ(old_rows[3], "Standard,AS/NZS2327.1-2003");
  EXPECT_NE(std::vector<std::string>(old_rows.begin() + 4, old_rows.end()),
            std::vector<std::string>(new_rows.begin() + 4, new_rows.end()));
  options.Settings.VersionID = kStandard2003;
  EXPECT_EQ(Run(1).Lines, old_rows);
}

TEST_F(DesignTableTest, EmptyListsGiveEmptyTables) {
  options.Settings.SpanList.clear();
  TDesignTableOutcome outcome = Run(2);
  ASSERT_TRUE(outcome.Result.IsOK());
  // The secondary-beam table has its rows; the primary-beam table only its header.
  ASSERT_EQ(outcome.Lines.size(), 14u);
  EXPECT_EQ(std::vector<std::string>(outcome.Lines.end() - 3, outcome.Lines.end()),
            (std::vector<std::string>{"", "Primary beam: PB1", kHeader}));

  options.Settings.SpacingList.clear();
  options.Settings.SpanList = {9000};
  outcome = Run(2);
  ASSERT_TRUE(outcome.Result.IsOK());
  EXPECT_EQ(outcome.Cases, 0);
  EXPECT_EQ(std::vector<std::string>(outcome.Lines.begin() + 6, outcome.Lines.end()),
            (std::vector<std::string>{"", "Secondary beam: SB1", kHeader, "", "Primary beam: PB1", kHeader, ""}));
}

TEST_F(DesignTableTest, CaseFilesAreNamedByFloorUseEditionSpanAndSpacing) {
  options.Settings.FloorUseIndex = 2;
  options.Settings.SpanList = {9000};
  options.Settings.SpacingList = {3000};
  options.Settings.WillSaveInputs = true;
  options.Settings.WillSaveReports = true;
  const TDesignTableOutcome outcome = Run(2);
  ASSERT_TRUE(outcome.Result.IsOK()) << outcome.Result.Message();
  const std::string stem = scratch.File("Job-F2S1(9000,3000)");
  EXPECT_EQ(outcome.CaseFiles, (std::vector<std::string>{stem + ".tva", stem + ".csv"}));

  // The input file holds the case: the floor use, span and spacing, the
  // secondary beams fixed where the centring put them, sections to select.
  TProject saved;
  ASSERT_TRUE(LoadProjectFile(saved, session, stem + ".tva").IsOK());
  EXPECT_EQ(saved.Geometry.FloorUseIndex, 2);
  EXPECT_EQ(saved.Geometry.Span, 9000);
  EXPECT_EQ(saved.Geometry.SpacingSide1, 3000);
  EXPECT_FALSE(saved.Geometry.WillAutocalcSecondaryStartLocations);
  EXPECT_EQ(saved.Geometry.SecondaryStartSide1, 3000);  // two beams at 3 m centres, centred on 9 m: (9000 - 3000) / 2
  EXPECT_EQ(saved.GetBeam(0)->SteelSection(0)->Name, kAutoSelect);
  // The report is the full results report of the case, naming the project file.
  const std::string report = ReadText(stem + ".csv");
  EXPECT_NE(report.find("\r\nInput file," + options.ProjectFileName + "\r\n"), std::string::npos);
  EXPECT_NE(report.find("FULL RESULTS,Primary beam: PB1"), std::string::npos);
}

TEST_F(DesignTableTest, CancelWritesNoTable) {
  options.Settings.WillIterateAllFloors = true;
  TDesignTableRunner runner(project, session, recorder);
  recorder.runner = &runner;
  recorder.cancel_after = 2;
  options.Jobs = 2;
  const std::string before = Saved();
  const TDesignTableOutcome outcome = runner.Run(options);
  EXPECT_TRUE(outcome.Result.IsCancelled());
  EXPECT_EQ(outcome.Result.Message(), "Design table cancelled");
  EXPECT_FALSE(fs::exists(scratch.File("Job-Design.csv")));
  EXPECT_LT(recorder.progress.back(), recorder.count);
  EXPECT_EQ(recorder.log.back(), "Design table cancelled");
  EXPECT_EQ(Saved(), before);
  // The request does not outlive the run.
  recorder.cancel_after = -1;
  EXPECT_TRUE(runner.Run(options).Result.IsOK());
}

TEST_F(DesignTableTest, BadSettingsRunNothing) {
  options.Settings.FloorUseIndex = 7;
  TDesignTableOutcome outcome = Run(2);
  EXPECT_EQ(outcome.Result.Message(), "Floor use 7 is not in the design library [" + kDesignLibrary +
                                          "], which holds floor uses 0 to 6");
  options.Settings.FloorUseIndex = 0;
  options.DesignLibraryFile = scratch.File("none.tvl");
  EXPECT_FALSE(Run(2).Result.IsOK());
  options.DesignLibraryFile = kDesignLibrary;
  EXPECT_FALSE(Run(2, 4, 3).Result.IsOK());
  EXPECT_FALSE(fs::exists(scratch.File("Job-Design.csv")));

  // A small project may ask for a grid no run could finish: 316 spacings x
  // (317 spans + 1) is 100488 cases, more than a table may have. Refused at
  // once, before the table is laid out.
  options.Settings.SpanList.assign(317, 9000);
  options.Settings.SpacingList.assign(316, 3000);
  recorder.log.clear();
  outcome = Run(2);
  EXPECT_EQ(outcome.Result.Message(),
            "The design table would have 100488 cases (316 spacings x (317 spans + 1) x 1 floor use), more than "
            "the 100000 a table may have: give fewer spans, spacings or floor uses");
  EXPECT_EQ(outcome.Cases, 0);
  EXPECT_EQ(recorder.log.back(), "    " + outcome.Result.Message());
  options.Settings.SpanList.assign(10000, 9000);
  options.Settings.SpacingList.assign(10000, 3000);
  options.Settings.WillIterateAllFloors = true;
  EXPECT_NE(Run(2).Result.Message().find("would have 700070000 cases"), std::string::npos);
  EXPECT_FALSE(fs::exists(scratch.File("Job-Design.csv")));
}

// Every file a run is to write (the table or part, the case files) against
// every file it reads and against each other, before anything runs.
TEST_F(DesignTableTest, NoFileItWritesIsAnInputOrNamedTwice) {
  const std::string copy = scratch.File("copy.tvl");
  fs::copy_file(kDesignLibrary, copy);
  struct Case {
    const char* what;
    std::function<void()> set;
    std::string message;
  } cases[] = {
      {"the design library at the table's name",
       [&] {
         fs::copy_file(kDesignLibrary, scratch.File("Job-Design.csv"));
         options.DesignLibraryFile = scratch.File("Job-Design.csv");
       },
       scratch.File("Job-Design.csv") + " is also an input (design library file " + scratch.File("Job-Design.csv") +
           ")"},
      {"the library at the table's name",
       [&] {
         fs::copy_file(kLibraryFile, scratch.File("Job-Design.csv"));
         options.LibraryFile = scratch.File("Job-Design.csv");
       },
       scratch.File("Job-Design.csv") + " is also an input (library file " + scratch.File("Job-Design.csv") + ")"},
      {"a link to the library at a case file's name",
       [&] {
         options.Settings.WillSaveInputs = true;
         fs::create_symlink(copy, scratch.File("Job-F0S1(9000,3000).tva"));
         options.LibraryFile = copy;
       },
       scratch.File("Job-F0S1(9000,3000).tva") + " is also an input (library file " + copy + ")"},
      {"a span given twice, with case files",
       [&] {
         options.Settings.WillSaveReports = true;
         options.Settings.SpanList = {9000, 9000};
       },
       scratch.File("Job-F0S1(9000,2500).csv") + " is named twice"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    options = TDesignTableOptions();
    SetUp();
    for (const std::string& name : scratch.Names())
      if (name != "copy.tvl") fs::remove(scratch.File(name));
    c.set();
    const std::vector<std::string> before = scratch.Names();
    const TDesignTableOutcome outcome = Run(2);
    EXPECT_EQ(outcome.Result.Message(), c.message);
    EXPECT_EQ(outcome.CasesRun, 0);
    EXPECT_EQ(scratch.Names(), before);  // nothing written
  }
}

// Parts join only when they were cut from one table: the first thing that
// differs is named, and nothing is written.
TEST_F(DesignTableTest, PartsOfDifferentTablesAreNotJoined) {
  options.Settings.SpanList = {6000, 9000};
  options.Settings.SpacingList = {3000};
  const TDesignTableOptions same = options;
  std::vector<std::string> parts;
  for (int k : {1, 2, 3}) {
    // Kept apart from the parts of other tables, which take the same names.
    parts.push_back(scratch.File("kept-" + std::to_string(k) + ".csv"));
    fs::rename(Run(2, k, 3).TableFile, parts.back());
  }
  const std::string joined = scratch.File("joined.csv");
  ASSERT_TRUE(MergeDesignTableParts(parts, joined).IsOK());
  fs::remove(joined);

  const std::string other_library = scratch.File("other.tvl");
  {
    TSession design;
    ASSERT_TRUE(design.LoadLibraries(kDesignLibrary).IsOK());
    design.FloorUseLibrary.ItemAs<TFloorUse>(0)->DeadLoad += 1;
    ASSERT_TRUE(design.SaveLibraries(other_library).IsOK());
  }
  struct Case {
    const char* what;
    std::function<void()> change;
    std::string difference;
  } cases[] = {
      {"another project", [&] { options.ProjectFileName = scratch.File("t.tva"); },
       "Project t.tva in the one, Job.tva in the other"},
      {"another edition", [&] { options.Settings.VersionID = kStandard2003; }, "Edition 0 in the one, 1 in the other"},
      {"another floor use", [&] { options.Settings.FloorUseIndex = 1; }, "Floor uses 1,1 in the one, 0,0 in the other"},
      {"another span in the grid", [&] { options.Settings.SpanList = {6000, 12000}; },
       "Spans 6000,12000 in the one, 6000,9000 in the other"},
      {"another spacing", [&] { options.Settings.SpacingList = {2500}; },
       "Spacings 2500 in the one, 3000 in the other"},
      {"another slab", [&] { project.Geometry.Ds += 10; }, "Project fingerprint "},
      {"another design library", [&] { options.DesignLibraryFile = other_library; }, "Design library fingerprint "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    options = same;
    SetUp();
    options = same;
    c.change();
    const std::string odd = scratch.File("odd-Design-2of3.csv");
    fs::remove(odd);
    fs::rename(Run(2, 2, 3).TableFile, odd);
    const TResult merged = MergeDesignTableParts({parts[0], odd, parts[2]}, joined);
    EXPECT_EQ(merged.Message().rfind("[" + odd + "] and [" + parts[0] + "] are parts of different tables: " +
                                         c.difference, 0),
              0u)
        << merged.Message();
    EXPECT_FALSE(fs::exists(joined));
  }

  // The output is never a part, nor the project the parts name.
  EXPECT_EQ(MergeDesignTableParts(parts, parts[1]).Message(),
            parts[1] + " is also an input (design table part " + parts[1] + ")");
  EXPECT_EQ(MergeDesignTableParts(parts, options.ProjectFileName).Message(),
            options.ProjectFileName + " is also an input (project file " + options.ProjectFileName + ")");
  // A part of an older version, which does not say what it was cut from.
  const std::string text = std::regex_replace(ReadText(parts[1]), std::regex("#,[^\r]*\r\n"), "");
  const std::string old_part = scratch.File("old-Design-2of3.csv");
  std::ofstream(old_part, std::ios::binary) << text;
  EXPECT_NE(MergeDesignTableParts({parts[0], old_part, parts[2]}, joined).Message().find(
                "does not say what table it was cut from"),
            std::string::npos);
}

// The table is a CSV file opened in spreadsheets: floor use names come from a
// design library that may be foreign, marks from the project; each stays one
// cell and never runs as a formula. Two workers save case files side by side
// (each making a project checksum, which reads the user's name).
TEST_F(DesignTableTest, TextsOfTheLibraryAndTheProjectAreSafeCells) {
  const std::string foreign = scratch.File("foreign.tvl");
  {
    TSession design;
    ASSERT_TRUE(design.LoadLibraries(kDesignLibrary).IsOK());
    design.FloorUseLibrary.ItemAs<TFloorUse>(0)->Name = "=HYPERLINK(\"http://x\")";
    ASSERT_TRUE(design.SaveLibraries(foreign).IsOK());
  }
  options.DesignLibraryFile = foreign;
  options.Settings.SpanList = {6000, 9000};
  options.Settings.SpacingList = {3000};
  options.Settings.WillSaveInputs = true;
  project.GetBeam(1)->Mark = "SB1,=cmd|' /C calc'!A0";
  project.GetBeam(0)->Mark = "-1+1";
  const TDesignTableOutcome outcome = Run(2);
  ASSERT_TRUE(outcome.Result.IsOK()) << outcome.Result.Message();
  const std::vector<std::string>& l = outcome.Lines;
  EXPECT_EQ(l[5].rfind("Floor Use,\"'=HYPERLINK(\"\"http://x\"\"), ", 0), 0u) << l[5];
  EXPECT_EQ(l[7], "\"Secondary beam: SB1,=cmd|' /C calc'!A0\"");
  EXPECT_EQ(l[11], "Primary beam: -1+1");
  EXPECT_EQ(outcome.CaseFiles.size(), 2u);
  for (const std::string& file : outcome.CaseFiles) {
    TProject saved;
    EXPECT_TRUE(LoadProjectFile(saved, session, file).IsOK()) << file;
  }
}

TEST(DesignTableFiles, NamesDeriveFromTheProjectFile) {
  const struct {
    const char* base;
    const char* suffix;
    const char* extension;
    const char* derived;
  } cases[] = {
      {"/jobs/a.b/Floor 3.tva", "-Design", ".csv", "/jobs/a.b/Floor 3-Design.csv"},  // other dots stay
      {"/jobs/a.b/Floor", "-Test", ".csv", "/jobs/a.b/Floor-Test.csv"},              // no extension
      {"Job.tva", "-F2S1(9000,3000)", ".tva", "Job-F2S1(9000,3000).tva"},
      {"Job.v2.tva", "-Moment", ".tva", "Job.v2-Moment.tva"},
  };
  for (const auto& c : cases) EXPECT_EQ(DeriveFileName(c.base, c.suffix, c.extension), c.derived) << c.base;
  EXPECT_EQ(DeriveFileName("", "-TestPropertyList", ".csv"),
            DeriveFileName(GetProgramFile(), "-TestPropertyList", ".csv"));
  EXPECT_EQ(DesignTablePartFileName("/jobs/Job.tva", 2, 4), "/jobs/Job-Design-2of4.csv");
}
