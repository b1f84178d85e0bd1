// The regression test runner on the bundled sample: tests whose expected
// values are worked out by hand, one wrong on purpose, one with a tolerance,
// one whose evaluation raises an engine error; the results file line by line;
// stored results reused; the user's project given back as it was.
#include "admin/cTestRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "components/cStandard.h"
#include "entity/cIniFiles.h"
#include "project/sample_fixture.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FileLines(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The secondary beam SB1 (360UB44.7, 9 m span) carrying nothing but one
// uniform 10 kN/m dead load from stage 3 on: the floor's automatic loads,
// self-weight included, are switched off.
const std::vector<std::string> kTenKNPerMetre = {
    "Geometry.WillAutocalcBeamLoading=0",
    "Secondary1DistributedLoad.Count=1",
    "Secondary1DistributedLoad.Description1=Hand load",
    "Secondary1DistributedLoad.StartPosition1=0",
    "Secondary1DistributedLoad.FinishPosition1=0",
    "Secondary1DistributedLoad.IsFinishPositionAtEnd1=1",
    "Secondary1DistributedLoad.StartValue1=10",
    "Secondary1DistributedLoad.FinishValue1=10",
    "Secondary1DistributedLoad.IsLiveLoad1=0",
    "Secondary1DistributedLoad.ConStage1=3",
};

std::vector<std::string> With(std::vector<std::string> Lines, const std::string& Extra) {
  Lines.push_back(Extra);
  return Lines;
}

// Collects what a run tells, and can cancel it after a given test.
class TRecorder : public TTestRunObserver {
 public:
  void LogLine(const std::string& Line) override { log.push_back(Line); }
  void Message(const std::string& Text) override { messages.push_back(Text); }
  void TestFinished(const TTest& Test, int Done, int Count, int Passed) override {
    finished.push_back(Test.Name + " " + std::to_string(Done) + "/" + std::to_string(Count) + " passed " +
                       std::to_string(Passed));
    if (runner && Done == cancel_after) runner->RequestCancel();
  }
  std::vector<std::string> log, messages, finished;
  TTestRunner* runner = nullptr;
  int cancel_after = -1;
};

class TestRunnerTest : public SampleTest {
 protected:
  void SetUp() override {
    SampleTest::SetUp();
    options.ProjectFileName = scratch.File("Job.tva");
    options.WorkFolder = scratch.File("work");
    fs::create_directories(options.WorkFolder);
    options.Clock = RunDate;
  }

  TTest& AddTest(const std::string& Name, const std::string& Description, std::vector<std::string> Inputs,
                 std::vector<TOutput> Outputs, int VersionID = kStandard2017) {
    if (project.TestGroupList.IndexOf("Hand") < 0) {
      auto group = std::make_unique<TTestGroup>();
      group->Group = "Hand";
      project.TestGroupList.Add("Hand", std::move(group));
    }
    auto test = std::make_unique<TTest>();
    test->Group = "Hand";
    test->Name = Name;
    test->Description = Description;
    test->VersionID = VersionID;
    test->InputList = std::move(Inputs);
    test->OutputList = std::move(Outputs);
    TTest& added = *test;
    project.TestList.Add(Name, std::move(test));
    return added;
  }

  // The three tests of the hand-worked group.
  void AddHandTests() {
    // M* at midspan, strength, stage 3: 1.2 x 10 kN/m x 9^2 / 8 = 121.5 kNm.
    AddTest("Moment", "Secondary beam, 10 kN/m dead: M* = 1.2 x 10 x 9^2/8", kTenKNPerMetre,
            {{"Beam1.PCCAt4500.MDes0,3", "121.5", "", ""}, {"Project.Description", "?", "", ""}});
    // Stage 3 deflection of the bare steel beam, 5 w L^4 / (384 E I), with the
    // full section: I = 171 x 352^3/12 - 164.1 x 332.6^3/12 = 118.36e6 mm4,
    // 5 x 10 x 9000^4 / (384 x 200000 x 118.36e6) = 36.09 mm. The conjugate
    // beam's straight lines between cross-sections run a little under the
    // parabola of curvature (0.8 % for 900 mm steps), hence the tolerance.
    AddTest("Deflection", "Stage 3 deflection 5wL^4/384EI",
            With(kTenKNPerMetre, "Secondary1SteelSection.WillUseFullSectionForServiceability1=1"),
            {{"Beam1.PCCAt4500.Deflection3,3", "36.1(+/-1%)", "", ""}});
    // 121.5 kNm is not 120 kNm.
    AddTest("WrongOnPurpose", "Expects 120 kNm", kTenKNPerMetre, {{"Beam1.PCCAt4500.MDes0,3", "120", "", ""}});
  }

  const TTest& Test(const std::string& Name) { return *project.TestList.ItemAs<TTest>(project.TestList.IndexOf(Name)); }

  TempDir scratch;
  TTestRunOptions options;
  TRecorder recorder;
};

}  // namespace

TEST_F(TestRunnerTest, HandWorkedGroupPassesAndFailsAsExpected) {
  AddHandTests();
  const int edition = StandardVersion();
  const int loads = project.GetBeam(1)->DistributedLoadList.Count();  // the floor's automatic loads
  TTestRunner runner(project, session, recorder);
  const TTestRunOutcome outcome = runner.RunAllTests(options);
  ASSERT_TRUE(outcome.Result.IsOK()) << outcome.Result.Message();
  EXPECT_EQ(outcome.Count, 3);
  EXPECT_EQ(outcome.Done, 3);
  EXPECT_EQ(outcome.Passed, 2);
  EXPECT_EQ(outcome.ResultsFile, scratch.File("Job-Test.csv"));

  EXPECT_EQ(Test("Moment").Status.ErrorLevel, elHint);
  EXPECT_EQ(Test("Deflection").Status.ErrorLevel, elHint);
  EXPECT_EQ(Test("WrongOnPurpose").Status.ErrorLevel, elWarning);
  const TOutput& wrong = Test("WrongOnPurpose").OutputList[0];
  EXPECT_EQ(wrong.CalculatedValue, "121.5");
  EXPECT_EQ(wrong.Comment, "<<<<<< does not match");
  const double deflection = std::stod(Test("Deflection").OutputList[0].CalculatedValue);
  EXPECT_NEAR(deflection, 36.09, 0.36);

  const std::string today = FormatShortDate(RunDate());
  EXPECT_EQ(FileLines(outcome.ResultsFile),
            (std::vector<std::string>{
                "Trevalon/V" + GetAppVersionShort(),
                "Test run " + today,
                "",
                "Hand-Moment,\"Secondary beam, 10 kN/m dead: M* = 1.2 x 10 x 9^2/8\",OK",
                "Project.Description,Internal primary beam carrying secondary beams at 3 m centres",
                "",
                "Hand-Deflection,Stage 3 deflection 5wL^4/384EI,OK",
                "",
                "Hand-WrongOnPurpose,Expects 120 kNm",
                "\"Beam1.PCCAt4500.MDes0,3\",121.5,Expected 120,<<<<<< does not match",
            }));
  EXPECT_EQ(recorder.log, (std::vector<std::string>{
                              "Running all tests...",
                              "    Writing results to " + outcome.ResultsFile,
                              "    Start test run @ " + FormatDateTime(RunDate()),
                              "    Tests run: 3/3, Passed: 2/3",
                              "    Test results saved to " + outcome.ResultsFile,
                              "    End test run @ " + FormatDateTime(RunDate()),
                              "Tests complete",
                          }));
  EXPECT_EQ(recorder.messages, (std::vector<std::string>{"Test results saved to " + outcome.ResultsFile}));
  EXPECT_EQ(recorder.finished, (std::vector<std::string>{"Moment 1/3 passed 1", "Deflection 2/3 passed 2",
                                                         "WrongOnPurpose 3/3 passed 2"}));

  // The user's project comes back without the tests' inputs, and the work
  // folder without the run's folder; the edition is the caller's again.
  EXPECT_TRUE(project.Geometry.WillAutocalcBeamLoading);
  EXPECT_EQ(project.GetBeam(1)->DistributedLoadList.Count(), loads);
  EXPECT_TRUE(fs::is_empty(options.WorkFolder));
  EXPECT_EQ(StandardVersion(), edition);
}

TEST_F(TestRunnerTest, SecondRunReusesStoredResults) {
  AddHandTests();
  TTestRunner runner(project, session, recorder);
  ASSERT_TRUE(runner.RunAllTests(options).Result.IsOK());
  const std::vector<std::string> first = FileLines(scratch.File("Job-Test.csv"));

  // A change the window would have cleared the results for: a second run that
  // analysed again would show the new description.
  project.Description = "Changed";
  TTestRunOutcome again = runner.RunAllTests(options);
  EXPECT_EQ(again.Passed, 2);
  EXPECT_EQ(FileLines(again.ResultsFile), first);
  EXPECT_EQ(Test("Moment").OutputList[1].CalculatedValue, "Internal primary beam carrying secondary beams at 3 m centres");
  EXPECT_TRUE(fs::is_empty(options.WorkFolder));

  options.WillRerunAll = true;
  again = runner.RunAllTests(options);
  EXPECT_EQ(Test("Moment").OutputList[1].CalculatedValue, "Changed");
}

TEST_F(TestRunnerTest, EachTestRunsUnderItsOwnEdition) {
  AddTest("Old", "", {}, {{"Beam1.MaxStrengthRatio", "?", "", ""}}, kStandard2003);
  AddTest("New", "", {}, {{"Beam1.MaxStrengthRatio", "?", "", ""}}, kStandard2017);
  auto ratio_under = [&](int edition) {
    TStandardVersionScope scope(edition);
    TAnalysisObserver quiet;
    TAnalysisRun(project, session, quiet).RunAnalysis({});
    return EvaluatePath(project, "Beam1.MaxStrengthRatio").ActualValue;
  };
  const std::string old_ratio = ratio_under(kStandard2003), new_ratio = ratio_under(kStandard2017);
  ASSERT_NE(old_ratio, new_ratio);  // the editions' capacity factors differ

  TTestRunner runner(project, session, recorder);
  const TTestRunOutcome outcome = runner.RunAllTests(options);
  EXPECT_EQ(outcome.Passed, 2);  // "?" judges nothing
  EXPECT_EQ(Test("Old").OutputList[0].CalculatedValue, old_ratio);
  EXPECT_EQ(Test("New").OutputList[0].CalculatedValue, new_ratio);

  // One edition for all: both run again under it.
  options.Edition = kStandard2003;
  runner.RunAllTests(options);
  EXPECT_EQ(Test("New").OutputList[0].CalculatedValue, old_ratio);
}

namespace {

// A project whose engine fails on one value, as a broken calculation would.
class TFailingProject : public TProject {
 public:
  std::string StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                          int MaxDPIncrease) override {
    if (PropertyName == "BROKEN") throw std::runtime_error("no capacity");
    return TProject::StringValue(PropertyName, Default, DP, MaxDPIncrease);
  }
};

}  // namespace

TEST_F(TestRunnerTest, CalculationErrorJudgesOnlyTheStatusFromThereOn) {
  TFailingProject failing;
  ASSERT_TRUE(LoadProjectFile(failing, session, kSampleFile).IsOK());
  auto group = std::make_unique<TTestGroup>();
  group->Group = "Hand";
  failing.TestGroupList.Add("Hand", std::move(group));
  auto test = std::make_unique<TTest>();
  test->Group = "Hand";
  test->Name = "Broken";
  test->VersionID = kStandard2017;
  test->OutputList = {{"Beam1.Span", "9000", "", ""},  // before the error: judged as usual
                      {"Project.Broken", "1", "", ""},
                      {"Beam1.Span", "9000", "", ""},  // after it: only "?" passes
                      {"Beam1.Span", "?", "", ""},
                      {"IsOK", "True", "", ""},
                      {"ErrorMsg", "", "", ""}};
  failing.TestList.Add("Broken", std::move(test));

  TTestRunner runner(failing, session, recorder);
  const TTestRunOutcome outcome = runner.RunAllTests(options);
  EXPECT_EQ(outcome.Passed, 0);
  const TTest& t = *failing.TestList.ItemAs<TTest>(0);
  EXPECT_EQ(t.Status.ErrorLevel, elWarning);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"9000", ""},
      {"?", "<<<<<< calculation error"},
      {"?", "<<<<<< calculation error"},
      {"?", ""},
      {"True", ""},
      {"", ""},
  };
  ASSERT_EQ(t.OutputList.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(t.OutputList[i].CalculatedValue, expected[i].first);
    EXPECT_EQ(t.OutputList[i].Comment, expected[i].second);
  }
  const std::vector<std::string> lines = FileLines(outcome.ResultsFile);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.end()),
            (std::vector<std::string>{"Hand-Broken,",
                                      "Project.Broken,?,Expected 1,<<<<<< calculation error",
                                      "Beam1.Span,?,Expected 9000,<<<<<< calculation error",
                                      "Beam1.Span,?"}));
}

TEST_F(TestRunnerTest, CancelStopsAfterTheCurrentTest) {
  AddHandTests();
  TTestRunner runner(project, session, recorder);
  recorder.runner = &runner;
  recorder.cancel_after = 1;
  const TTestRunOutcome outcome = runner.RunAllTests(options);
  EXPECT_TRUE(outcome.Result.IsCancelled());
  EXPECT_EQ(outcome.Result.Message(), "Tests cancelled");
  EXPECT_EQ(outcome.Done, 1);
  EXPECT_EQ(Test("Deflection").Status.ErrorLevel, elNone);
  EXPECT_TRUE(std::find(recorder.log.begin(), recorder.log.end(), "    Tests run: 1/3, Passed: 1/1") !=
              recorder.log.end());
  // The log ends by saying the run was cut short, never that it completed.
  EXPECT_EQ(recorder.log.back(), "Tests cancelled");
  EXPECT_EQ(std::count(recorder.log.begin(), recorder.log.end(), "Tests complete"), 0);
  // The request does not outlive the run.
  recorder.cancel_after = -1;
  EXPECT_EQ(runner.RunAllTests(options).Done, 3);
}

// The results file is never a file the run reads: the run is refused before
// any test runs, and the file is kept. One that is a link stays a link, the
// file it names gets the results.
TEST_F(TestRunnerTest, ResultsFileIsNoInputAndFollowsALink) {
  AddHandTests();
  const std::string results = scratch.File("Job-Test.csv");
  struct Case {
    const char* what;
    std::function<void()> make;
    std::string message;  // "" when the run goes
  } cases[] = {
      {"the library's name",
       [&] {
         std::ofstream(results) << "library";
         options.LibraryFile = results;
       },
       results + " is also an input (library file " + results + ")"},
      {"a link to the project file",
       [&] {
         std::ofstream(options.ProjectFileName) << "project";
         fs::create_symlink("Job.tva", results);
       },
       results + " is also an input (project file " + options.ProjectFileName + ")"},
      {"a link to a results file elsewhere",
       [&] {
         fs::create_directories(scratch.File("results"));
         fs::create_symlink("results/Job-Test.csv", results);
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(results);
    fs::remove(options.ProjectFileName);
    options.LibraryFile.clear();
    c.make();
    const bool is_link = fs::is_symlink(results);
    const std::string before = FileLines(results).empty() ? "" : FileLines(results)[0];
    TTestRunner runner(project, session, recorder);
    const TTestRunOutcome outcome = runner.RunAllTests(options);
    EXPECT_EQ(outcome.Result.Message(), c.message);
    EXPECT_EQ(fs::is_symlink(results), is_link);
    if (c.message.empty()) {
      EXPECT_EQ(outcome.Done, 3);
      EXPECT_EQ(FileLines(scratch.File("results/Job-Test.csv")).at(3),
                "Hand-Moment,\"Secondary beam, 10 kN/m dead: M* = 1.2 x 10 x 9^2/8\",OK");
    } else {
      EXPECT_EQ(outcome.Done, 0);
      EXPECT_EQ(Test("Moment").Status.ErrorLevel, elNone);  // nothing ran
      EXPECT_EQ(FileLines(results).at(0), before);
    }
  }
}

TEST_F(TestRunnerTest, SingleTestAndDataCheck) {
  AddHandTests();
  AddTest("BadSegments", "", {"Project.Segments=5"}, {{"Segments", "5", "", ""}});
  TTestRunner runner(project, session, recorder);
  TTestRunOutcome one = runner.RunTest("WrongOnPurpose", options);
  EXPECT_EQ(one.Count, 1);
  EXPECT_EQ(one.Passed, 0);
  EXPECT_EQ(Test("Moment").Status.ErrorLevel, elNone);
  EXPECT_EQ(recorder.log.front(), "Running single test...");
  EXPECT_EQ(recorder.log.back(), "Test complete");
  // An unknown name runs the first test.
  one = runner.RunTest("Nope", options);
  EXPECT_EQ(Test("Moment").Status.ErrorLevel, elHint);

  recorder.messages.clear();
  TTestDataCheck check = runner.CheckTestData("Moment", options);
  EXPECT_TRUE(check.Validation.IsOK());
  EXPECT_EQ(recorder.messages, (std::vector<std::string>{"Input data check OK"}));
  check = runner.CheckTestData("BadSegments", options);
  EXPECT_FALSE(check.Validation.IsOK());
  EXPECT_NE(check.Validation.ErrorMsg.find("segments"), std::string::npos) << check.Validation.ErrorMsg;
  EXPECT_EQ(project.Segments, 10);  // restored
  EXPECT_TRUE(fs::is_empty(options.WorkFolder));
}

TEST_F(TestRunnerTest, SaveAsDataFileWritesTheTestsProjectWithoutTests) {
  AddHandTests();
  TTestRunner runner(project, session, recorder);
  const std::string file = scratch.File("Job-Moment.tva");
  std::vector<std::string> asked;
  auto answer = [&](bool yes) {
    return [&asked, yes](const std::string& q) {
      asked.push_back(q);
      return yes;
    };
  };
  TResult saved = runner.SaveAsDataFile("Moment", options.ProjectFileName, answer(true));
  ASSERT_TRUE(saved.IsOK()) << saved.Message();
  EXPECT_EQ(saved.Message(), file);
  EXPECT_TRUE(asked.empty());
  TProject back;
  ASSERT_TRUE(LoadProjectFile(back, session, file).IsOK());
  EXPECT_FALSE(back.Geometry.WillAutocalcBeamLoading);
  EXPECT_EQ(back.GetBeam(1)->DistributedLoadList.Count(), 1);
  EXPECT_TRUE(back.TestList.Empty());

  // An existing file is replaced only when the user says so.
  std::ofstream(file) << "mine";
  EXPECT_TRUE(runner.SaveAsDataFile("Moment", options.ProjectFileName, answer(false)).IsCancelled());
  EXPECT_EQ(FileLines(file), (std::vector<std::string>{"mine"}));
  EXPECT_EQ(asked, (std::vector<std::string>{file + " already exists.\nDo you want to replace it?"}));
  EXPECT_TRUE(runner.SaveAsDataFile("Moment", options.ProjectFileName, answer(true)).IsOK());
  EXPECT_TRUE(LoadProjectFile(back, session, file).IsOK());
  EXPECT_FALSE(runner.SaveAsDataFile("Nope", options.ProjectFileName, answer(true)).IsOK());
}

TEST_F(TestRunnerTest, PropertyListStartsWithItsExplanations) {
  const std::string file = scratch.File("List.csv");
  ASSERT_TRUE(WriteTestPropertyList(project, file, recorder, RunDate()).IsOK());
  const std::vector<std::string> lines = FileLines(file);
  const std::vector<std::string> head = {
      "Trevalon/V" + GetAppVersionShort(),
      "\"Properties for test input/output, " + FormatShortDate(RunDate()) + "\"",
      "",
      "Construct property name for test input/output using Entity.Property from following table",
      "\"Use: I = test input, O = test output\"",
      "",
      "Default entity is Project",
      "    e.g. Description is equivalent to Project.Description",
      "\"* is a numeric wildcard (0-based for arrays, default 0)\"",
      "\"    e.g. Beam*.PCCAt*.VDes*,* -> Beam.PCCAt4500.VDes0,7\"",
      "<Beam> is a beam indicator prefix that is either empty (for primary beam) or Secondary1",
      "    e.g. <Beam>CompositeSection.Count -> Secondary1CompositeSection.Count",
      "<N> is a 1-based array index",
      "    e.g. <Beam>CompositeSection.bcLeft<N> -> CompositeSection.bcLeft3",
      "",
      "Numeric output expected values can optionally be specified with a tolerance in the form:",
      "<NumericValue>[\"(+/-\"<rel>\"%)\"][\"(+/-\"<abs>\")\"]",
      "",
      "Entity,Property,Type,Use",
  };
  ASSERT_GT(lines.size(), head.size() + 100);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);
  const std::vector<std::string> properties(lines.begin() + head.size(), lines.end());
  EXPECT_TRUE(std::is_sorted(properties.begin(), properties.end(), [](const std::string& a, const std::string& b) {
    return UpperCase(a) < UpperCase(b);
  }));
  for (const char* line : {"Geometry,Span,Float,IO", "Beam*.PCCAt*,\"MDes*,*\",Float,O"})
    EXPECT_NE(std::find(properties.begin(), properties.end(), line), properties.end()) << line;
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"Creating list of test properties...",
                                                    "List of test properties saved to " + file}));
  // The window's command writes it beside the program.
  EXPECT_EQ(TestPropertyListFileName(), DeriveFileName(GetProgramFile(), "-TestPropertyList", ".csv"));
}

TEST_F(TestRunnerTest, ATestRunsOnlyWhatAnalyseRunsAndNamesWhatItCannotRead) {
  // A test passes only on results Analyse would have given: input that does
  // not validate is analysed by nobody, and a path that names nothing is no
  // value. Only the verdict of such input (IsOK, ErrorMsg) can be tested.
  const std::string invalid = "ConcreteFloor.ConcreteStrength=-32";
  const std::string strength = "Warning: Concrete strength grade should be at least 15 MPa";
  const struct {
    const char* name;
    std::vector<std::string> inputs;
    TOutput output;
    bool passes;
    const char* calculated;
    const char* comment;
  } cases[] = {
      {"Valid", {}, {"Beam.Span", "9000", "", ""}, true, "9000", ""},
      {"Invalid", {invalid}, {"Beam.Span", "9000", "", ""}, false, strength.c_str(),
       "<<<<<< input does not validate"},
      {"InvalidWhateverExpected", {invalid}, {"Beam.Span", "?", "", ""}, false, strength.c_str(),
       "<<<<<< input does not validate"},
      {"InvalidVerdict", {invalid}, {"IsOK", "False", "", ""}, true, "False", ""},
      {"InvalidMessage", {invalid}, {"ErrorMsg", strength, "", ""}, true, strength.c_str(), ""},
      {"NoSuchStateType", {}, {"Beam.PCCAt4500.MDes99,3", "0", "", ""}, false, "** UNKNOWN PROPERTY **",
       "<<<<<< unknown property path"},
      {"NoSuchStage", {}, {"Beam.PCCAt4500.MDes0,8", "0", "", ""}, false, "** UNKNOWN PROPERTY **",
       "<<<<<< unknown property path"},
      {"NoIndex", {}, {"Beam.PCCAt4500.MDes", "0", "", ""}, false, "** UNKNOWN PROPERTY **",
       "<<<<<< unknown property path"},
      {"ExtraIndex", {}, {"Beam.PCCAt4500.MDes0,7,9", "734.85", "", ""}, false, "** UNKNOWN PROPERTY **",
       "<<<<<< unknown property path"},
      {"NoSuchCrossSection", {}, {"Beam.PCCAt99999999999999999999.MDes0,7", "0", "", ""}, false,
       "** UNKNOWN ENTITY **", "<<<<<< unknown property path"},
      {"UnknownWhateverExpected", {}, {"Beam.PCCAt4500.MDes99,3", "?", "", ""}, false, "** UNKNOWN PROPERTY **",
       "<<<<<< unknown property path"},
  };
  for (const auto& c : cases) AddTest(c.name, "", c.inputs, {c.output});
  TTestRunner runner(project, session, recorder);
  const TTestRunOutcome outcome = runner.RunAllTests(options);
  ASSERT_TRUE(outcome.Result.IsOK()) << outcome.Result.Message();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TTest& t = Test(c.name);
    EXPECT_EQ(t.Status.ErrorLevel, c.passes ? elHint : elWarning);
    ASSERT_EQ(t.OutputList.size(), 1u);
    EXPECT_EQ(t.OutputList[0].CalculatedValue, c.calculated);
    EXPECT_EQ(t.OutputList[0].Comment, c.comment);
  }
  // The user's project is given back as it was.
  EXPECT_EQ(project.ConcreteFloor.ConcreteStrength, 32);
}
