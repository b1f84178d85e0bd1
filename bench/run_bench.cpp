// Timings of the analysis run on the bundled sample floor (a 9 m primary beam
// carrying 9 m secondary beams at 3 m centres), and of loading the library:
//   BM_RunAnalyse  Analyse: every beam analysed once, with the results report.
//   DesignSample   Design: every standard section marked "<Auto-select>", then
//                  the run tries the library's sections of each beam's type and
//                  grade in library order until one passes (no report).
//   LoadLibrary/k  Loading a library file into a fresh session: the shipped
//                  library (k = 1), and one holding every steel section k
//                  times under new names (k = 16). Loading should take time
//                  in proportion to the library's size.
// The library and the project are read once, outside the timed loops; Design
// re-marks the sections in each iteration, so every iteration searches anew
// without touching a file. The "candidates" counter is the number of library
// sections tried per run.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "components/cSteelSection.h"
#include "project/cAnalysisRun.h"
#include "sample_fixture.h"

namespace {

// Counts the candidates the automatic selection tries.
class TCandidateCounter : public TAnalysisObserver {
 public:
  int Tried = 0;
  void CandidateTried(int, int, int, const TCustomSteelSection&, bool) override { ++Tried; }
};

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

void BM_DesignSample(benchmark::State& state) {
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
BENCHMARK(BM_DesignSample)->Name("DesignSample")->Unit(benchmark::kMillisecond);

// The shipped library with every steel section repeated Copies times, the
// copies named by a suffix ("310UB40.4 #2"), written once into the temporary folder.
std::string LibraryWithCopies(int Copies) {
  if (Copies <= 1) return TSample::LibraryFile();
  const std::string file = (std::filesystem::temp_directory_path() /
                            ("trevalon-bench-library-" + std::to_string(Copies) + ".tvl"))
                               .string();
  TSession session;
  if (!session.LoadLibraries(TSample::LibraryFile())) std::exit(1);
  TEntityList& sections = session.SteelSectionLibrary;
  const int original = sections.Count();
  for (int copy = 2; copy <= Copies; ++copy)
    for (int i = 0; i < original; ++i) {
      auto section = std::make_unique<TCustomSteelSection>();
      section->Assign(sections.Item(i));
      section->SetName(section->Name + " #" + std::to_string(copy));
      section->SetSectionType(sections.ItemAs<TCustomSteelSection>(i)->SectionType);
      const std::string key = section->FullName();
      sections.Add(key, std::move(section));
    }
  if (const TResult saved = session.SaveLibraries(file); !saved) {
    std::cerr << saved.Message() << '\n';
    std::exit(1);
  }
  return file;
}

void BM_LoadLibrary(benchmark::State& state) {
  Sample();  // the regional settings the library is read under
  const int copies = static_cast<int>(state.range(0));
  const std::string file = LibraryWithCopies(copies);
  int sections = 0;
  for (auto _ : state) {
    TSession session;
    if (!session.LoadLibraries(file)) state.SkipWithError("the library does not load");
    sections = session.SteelSectionLibrary.Count();
    benchmark::DoNotOptimize(sections);
  }
  if (copies > 1) std::filesystem::remove(file);
  state.counters["sections"] = sections;
}
BENCHMARK(BM_LoadLibrary)->Name("LoadLibrary")->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
