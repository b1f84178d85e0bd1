// Timings of the analysis run on the bundled sample floor (a 9 m primary beam
// carrying 9 m secondary beams at 3 m centres):
//   BM_RunAnalyse  Analyse: every beam analysed once, with the results report.
//   BM_RunDesign   Design: every standard section marked "<Auto-select>", then
//                  the run tries the library's sections of each beam's type and
//                  grade in library order until one passes (no report).
// The library and the project are read once, outside the timed loops; Design
// re-marks the sections in each iteration, so every iteration searches anew
// without touching a file. The "candidates" counter is the number of library
// sections tried per run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

#include "entity/VEXUtility.h"
#include "project/cAnalysisRun.h"
#include "project/cProjectFile.h"

namespace {

// Counts the candidates the automatic selection tries.
class TCandidateCounter : public TAnalysisObserver {
 public:
  int Tried = 0;
  void CandidateTried(int, int, int, const TCustomSteelSection&, bool) override { ++Tried; }
};

// The session and the sample project, loaded once for all benchmarks.
struct TSample {
  TSession session;
  TProject project;

  TSample() {
    UsePlainRegionalSettings();
    const std::string library = GetProgramFolder() + "/Trevalon.tvl";
    const TResult libraries = session.LoadLibraries(library);
    const TResult sample =
        session.IsOK() ? LoadProjectFile(project, session, std::string(TREVALON_TEST_DATA_DIR) + "/SampleAnalysis.tva")
                       : TResult::Failure(session.Status.ErrorMsg);
    if (!sample) {
      std::cerr << "Cannot load the sample: " << libraries.Message() << sample.Message() << '\n';
      std::exit(1);
    }
  }
};

TSample& Sample() {
  static TSample sample;
  return sample;
}

void BM_RunAnalyse(benchmark::State& state) {
  TSample& s = Sample();
  TCandidateCounter observer;
  TAnalysisRun run(s.project, s.session, observer);
  for (auto _ : state) {
    TStringList report;
    TAnalysisRunOptions options;
    options.Report = &report;
    options.WillDumpReport = true;
    options.ProjectFileName = "SampleAnalysis.tva";
    run.RunAnalysis(options);
    benchmark::DoNotOptimize(report.data());
  }
  if (!s.project.GetIsAssessmentOK()) state.SkipWithError("the sample no longer passes");
  state.counters["candidates"] = observer.Tried;  // none: the sections are given
}
BENCHMARK(BM_RunAnalyse)->Unit(benchmark::kMillisecond);

void BM_RunDesign(benchmark::State& state) {
  TSample& s = Sample();
  TCandidateCounter observer;
  TAnalysisRun run(s.project, s.session, observer);
  int tried = 0;
  for (auto _ : state) {
    observer.Tried = 0;
    run.MarkStandardSectionsForSelection();
    run.RunAnalysis(TAnalysisRunOptions{});
    tried = observer.Tried;
  }
  if (!s.project.GetIsAssessmentOK()) state.SkipWithError("the design does not pass");
  state.counters["candidates"] = tried;
  state.counters["per_candidate"] =
      benchmark::Counter(static_cast<double>(tried) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RunDesign)->Unit(benchmark::kMillisecond);

}  // namespace
