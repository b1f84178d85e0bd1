#include "admin/cTestRunner.h"

#include <algorithm>
#include <cassert>
#include <filesystem>
#include <memory>

#include "admin/cProjectSnapshot.h"
#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "project/cAnalysisRun.h"
#include "project/cProjectFile.h"

namespace {

constexpr const char* kTestFileName = "TVTest.tva";

// A test readied for running or checking: the user's project kept in a
// snapshot, the project read back from the test file with the test's inputs,
// and the test found again in it.
struct TPreparedTest {
  std::unique_ptr<TProjectSnapshot> snapshot;
  TRunFolder folder;
  TTest* test = nullptr;
  // The test as it was, used should the inputs have changed the test itself
  // so that its name no longer finds it.
  std::unique_ptr<TTest> detached;
};

TResult Prepare(TProject& Project, const TSession& Session, int Index, const std::string& WorkFolder,
                TPreparedTest& Prepared) {
  TTest& original = *Project.TestList.ItemAs<TTest>(Index);
  Prepared.detached = std::make_unique<TTest>();
  Prepared.detached->Assign(&original);
  Prepared.detached->Status = original.Status;
  const std::string name = original.Name;
  Prepared.snapshot = std::make_unique<TProjectSnapshot>(Project);
  if (TResult made = Prepared.folder.Make(WorkFolder); !made) return made;

  // The whole project with its tests, then the test's inputs over its keys
  // and its outputs in the section "Output".
  const std::string file = Prepared.folder.File(kTestFileName);
  TVEXIniFile ini(file);
  Project.SaveToIniFile(ini, "", "");
  original.AppendInputValuesToIniFile(ini);
  original.AppendOutputValuesToIniFile(ini);
  if (TResult written = ini.UpdateFile(); !written) return written;

  if (TResult loaded = LoadProjectFile(Project, Session, file); !loaded) {
    Prepared.snapshot->Restore(Project, Session);
    return loaded;
  }
  // A project just read has not been validated: nothing of the user's last
  // check may decide the test.
  Project.Status.Reset();
  const int found = Project.TestList.IndexOf(name);
  Prepared.test = found >= 0 ? Project.TestList.ItemAs<TTest>(found) : Prepared.detached.get();
  return {};
}

// The test file goes first, then the project comes back from the snapshot.
void Finish(TProject& Project, const TSession& Session, TPreparedTest& Prepared) {
  std::error_code ec;
  std::filesystem::remove(Prepared.folder.File(kTestFileName), ec);
  Prepared.snapshot->Restore(Project, Session);
}

std::string ResultsFileName(const TTestRunOptions& Options) {
  return DeriveFileName(Options.ProjectFileName, "-Test", ".csv");
}

}  // namespace

bool EvaluateTestOutputs(TProject& Project, TTest& Test, bool IsCalculationError, const std::string& InvalidInput) {
  Test.ClearResults();
  bool is_calc_error = IsCalculationError;
  bool all_passed = true;
  for (TOutput& o : Test.OutputList) {
    std::string path = UpperCase(o.Name);
    if (path.rfind("PROJECT.", 0) == 0) path = path.substr(8);
    std::string actual;
    bool expected = false;
    const bool is_verdict = path == "ISOK" || path == "ERRORMSG";
    if (!InvalidInput.empty() && !is_verdict) {
      // Nothing was analysed: no value of the results is a result.
      o.CalculatedValue = InvalidInput;
      o.Comment = "<<<<<< input does not validate";
      all_passed = false;
      continue;
    }
    if (!is_calc_error) {
      const TPathEvaluation value = EvaluatePath(Project, path, o.ExpectedValue);
      if (value.IsCalculationError) {
        is_calc_error = true;
      } else if (value.IsUnknownPath) {
        // A path that names nothing is a mistake in the test, never a pass.
        o.CalculatedValue = value.ActualValue;
        o.Comment = "<<<<<< unknown property path";
        all_passed = false;
        continue;
      } else {
        actual = value.ActualValue;
        expected = value.IsExpected;
      }
    }
    if (is_calc_error) {
      // Only what the status says can still be judged.
      expected = o.ExpectedValue == "?";
      if (path == "ISOK") {
        actual = Project.Status.IsOK() ? "True" : "False";
        expected = expected || actual == o.ExpectedValue;
      } else if (path == "ERRORMSG") {
        actual = Project.Status.ErrorMsg;
        expected = expected || actual == o.ExpectedValue;
      } else {
        actual = "?";
      }
    }
    o.CalculatedValue = actual;
    if (!expected) o.Comment = is_calc_error ? "<<<<<< calculation error" : "<<<<<< does not match";
    all_passed = all_passed && expected;
  }
  Test.Status.Reset();
  Test.Status.SetError(all_passed ? elHint : elWarning, "");
  return all_passed;
}

// ---------------------------------------------------------------------------
// Running.

TTestRunner::TTestRunner(TProject& Project, TSession& Session, TTestRunObserver& Observer)
    : project_(Project), session_(Session), observer_(Observer) {}

std::time_t TTestRunner::Now(const TTestRunOptions& Options) const {
  return Options.Clock ? Options.Clock() : std::time(nullptr);
}

TTestRunOutcome TTestRunner::RunAllTests(const TTestRunOptions& Options) {
  observer_.LogLine("Running all tests...");
  TTestRunOutcome outcome = Run(-1, Options);
  // A run stopped part way says so: its results file holds only the tests run.
  observer_.LogLine(outcome.Result.IsCancelled() ? kTestsCancelled : "Tests complete");
  return outcome;
}

TTestRunOutcome TTestRunner::RunTest(const std::string& Name, const TTestRunOptions& Options) {
  observer_.LogLine("Running single test...");
  const int found = project_.TestList.IndexOf(Name);
  TTestRunOutcome outcome = Run(found >= 0 ? found : 0, Options);
  observer_.LogLine("Test complete");
  return outcome;
}

TTestRunOutcome TTestRunner::Run(int Only, const TTestRunOptions& Options) {
  TTestRunOutcome outcome;
  outcome.ResultsFile = ResultsFileName(Options);
  const std::string& results = outcome.ResultsFile;
  observer_.LogLine("    Writing results to " + results);
  observer_.LogLine("    Start test run @ " + FormatDateTime(Now(Options)));
  // The results file is never one the run reads, and it is begun afresh
  // through the one writer (a link to it is followed, not replaced).
  TFileUses uses;
  uses.AddInput(Options.ProjectFileName, "project file");
  uses.AddInput(Options.LibraryFile, "library file");
  uses.AddOutput(results);
  outcome.Result = uses.Check();
  if (outcome.Result) outcome.Result = WriteFileAtomic(results, "");

  std::vector<int> indexes;
  if (Only >= 0) {
    if (Only < project_.TestList.Count()) indexes.push_back(Only);
  } else {
    for (int i = 0; i < project_.TestList.Count(); ++i) indexes.push_back(i);
  }
  outcome.Count = Only >= 0 ? 1 : static_cast<int>(indexes.size());
  const bool rerun = Options.WillRerunAll || Options.Edition >= 0;

  if (!outcome.Result) indexes.clear();
  bool is_cancelled = false;
  for (int index : indexes) {
    if (IsCancelRequested()) {
      is_cancelled = true;
      break;
    }
    TTest& test = *project_.TestList.ItemAs<TTest>(index);
    if (rerun) test.ClearResults();
    const std::string name = test.Name;
    observer_.TestStarted(name, outcome.Done + 1, outcome.Count);
    bool passed = false;
    TResult result;
    if (test.Status.ErrorLevel != elNone) {
      // Its inputs and the project have not changed since it ran.
      passed = test.Status.ErrorLevel == elHint;
      result = test.DumpResults(results, true, Now(Options));
    } else {
      result = RunOne(index, Options, results, passed);
    }
    if (!result) {
      outcome.Result = result;
      break;
    }
    ++outcome.Done;
    if (passed) ++outcome.Passed;
    observer_.TestFinished(*project_.TestList.ItemAs<TTest>(index), outcome.Done, outcome.Count, outcome.Passed);
  }
  cancel_requested_.store(false);

  observer_.LogLine(Format("    Tests run: %d/%d, Passed: %d/%d",
                           {outcome.Done, outcome.Count, outcome.Passed, outcome.Done}));
  if (outcome.Result) {
    observer_.LogLine("    Test results saved to " + results);
    observer_.Message("Test results saved to " + results);
  } else {
    observer_.LogLine("    " + outcome.Result.Message());
    observer_.Message(outcome.Result.Message());
  }
  observer_.LogLine("    End test run @ " + FormatDateTime(Now(Options)));
  if (is_cancelled && outcome.Result) outcome.Result = TResult::Cancelled(kTestsCancelled);
  return outcome;
}

TResult TTestRunner::RunOne(int Index, const TTestRunOptions& Options, const std::string& ResultsFile,
                            bool& IsPassed) {
  assert(Index >= 0 && Index < project_.TestList.Count());
  IsPassed = false;
  TPreparedTest prepared;
  if (TResult ready = Prepare(project_, session_, Index, Options.WorkFolder, prepared); !ready) {
    if (prepared.snapshot) prepared.snapshot->Restore(project_, session_);
    return ready;
  }
  TTest& test = *prepared.test;
  {
    // Values read from the results may depend on the edition too.
    TStandardVersionScope edition(Options.Edition >= 0 ? Options.Edition : test.VersionID);
    bool is_calc_error = false;
    // A test runs what Analyse would run, and nothing Analyse would refuse.
    const TStatus validation = ValidateForAnalysis(session_, project_);
    const bool is_valid = validation.IsOK();
    const std::string invalid_input = is_valid ? "" : validation.ErrorMsg;
    if (is_valid) {
      try {
        TAnalysisObserver quiet;
        TAnalysisRun run(project_, session_, quiet);
        run.RunAnalysis(TAnalysisRunOptions());
      } catch (const std::exception& e) {
        if (project_.Status.IsOK())
          project_.Status.SetError(elError, std::string("** Calculation error: ") + e.what() + " **");
        is_calc_error = true;
      }
    }
    IsPassed = EvaluateTestOutputs(project_, test, is_calc_error, invalid_input);
  }
  const TResult dumped = test.DumpResults(ResultsFile, true, Now(Options));
  prepared.snapshot->SaveTest(test, Index + 1);
  Finish(project_, session_, prepared);
  return dumped;
}

TTestDataCheck TTestRunner::CheckTestData(const std::string& Name, const TTestRunOptions& Options) {
  observer_.LogLine("Checking test data...");
  TTestDataCheck check;
  const int found = project_.TestList.IndexOf(Name);
  if (project_.TestList.Empty()) {
    check.Result = TResult::Failure("The project has no tests");
    return check;
  }
  TPreparedTest prepared;
  if (TResult ready = Prepare(project_, session_, found >= 0 ? found : 0, Options.WorkFolder, prepared); !ready) {
    if (prepared.snapshot) prepared.snapshot->Restore(project_, session_);
    check.Result = ready;
    return check;
  }
  {
    TStandardVersionScope edition(Options.Edition >= 0 ? Options.Edition : prepared.test->VersionID);
    check.Validation = ValidateForAnalysis(session_, project_);
  }
  if (check.Validation.IsOK()) observer_.Message("Input data check OK");
  for (const TStatusLine& line : check.Validation.ErrorList()) observer_.LogLine(line.Text);
  Finish(project_, session_, prepared);
  return check;
}

TResult TTestRunner::SaveAsDataFile(const std::string& Name, const std::string& ProjectFileName,
                                    const TConfirmFunction& Confirm) {
  observer_.LogLine("Saving current test data as input file...");
  const int found = project_.TestList.IndexOf(Name);
  if (found < 0) return TResult::Failure("Test " + Name + " not found");
  const TTest& test = *project_.TestList.ItemAs<TTest>(found);
  const std::string file = DeriveFileName(ProjectFileName, "-" + test.Name, ".tva");
  TFileUses uses;
  uses.AddInput(ProjectFileName, "project file");
  uses.AddOutput(file);
  if (TResult checked = uses.Check(); !checked) return checked;
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) {
    if (!Confirm || !Confirm(file + " already exists.\nDo you want to replace it?")) return TResult::Cancelled();
    std::filesystem::remove(file, ec);
    if (ec) return TResult::Failure("Cannot replace file [" + file + "]");
  }
  auto ini = TVEXIniFile::FromBytes("");
  project_.SaveExceptTestsToIniFile(ini, "", "");
  test.AppendInputValuesToIniFile(ini);
  if (TResult written = WriteFileAtomic(file, ini.ToBytes()); !written) return written;
  observer_.LogLine("    Test data saved as input file " + file);
  observer_.Message("Test data saved as input file " + file);
  return TResult::Success(file);
}

// ---------------------------------------------------------------------------
// The test property list.

std::string TestPropertyListFileName() { return DeriveFileName("", "-TestPropertyList", ".csv"); }

std::vector<std::string> TestPropertyList(TProject& Project, std::time_t Today) {
  std::vector<std::string> properties;
  Project.GetProperties(properties, "", "", 4);
  // Sorted as a person reads a list: letter case aside, then by case so the order is fixed.
  std::sort(properties.begin(), properties.end(), [](const std::string& a, const std::string& b) {
    const std::string ua = UpperCase(a), ub = UpperCase(b);
    return ua != ub ? ua < ub : a < b;
  });
  properties.erase(std::unique(properties.begin(), properties.end()), properties.end());

  std::vector<std::string> lines = {
      GetAppName() + "/V" + GetAppVersionShort(),
      QuotedText("Properties for test input/output, " + FormatShortDate(Today), '"'),
      "",
      "Construct property name for test input/output using Entity.Property from following table",
      QuotedText("Use: I = test input, O = test output", '"'),
      "",
      "Default entity is Project",
      "    e.g. Description is equivalent to Project.Description",
      QuotedText("* is a numeric wildcard (0-based for arrays, default 0)", '"'),
      QuotedText("    e.g. Beam*.PCCAt*.VDes*,* -> Beam.PCCAt4500.VDes0,7", '"'),
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
  lines.insert(lines.end(), properties.begin(), properties.end());
  return lines;
}

TResult WriteTestPropertyList(TProject& Project, const std::string& File, TTestRunObserver& Observer,
                              std::time_t Today) {
  Observer.LogLine("Creating list of test properties...");
  std::string text;
  for (const std::string& line : TestPropertyList(Project, Today)) text += line + "\r\n";
  if (TResult written = WriteFileAtomic(File, text); !written) return written;
  Observer.LogLine("List of test properties saved to " + File);
  Observer.Message("List of test properties saved to " + File);
  return {};
}
