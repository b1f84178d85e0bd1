// Timing of the design-table generator on the bundled sample project with the
// shipped design library: one floor use, 4 spans x 4 spacings (4 secondary-beam
// and 16 primary-beam cases, each a full section search over the library).
//   BM_DesignTable/1  the cases one after another (--jobs 1)
//   BM_DesignTable/2  two worker threads (--jobs 2)
// Wall-clock time: the point is the speed-up of the threads. The table is
// written into a scratch folder, as the command writes it beside the project.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "admin/cDesignTableRunner.h"
#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "project/cProjectFile.h"

namespace {

struct TTableSample {
  TSession session;
  TProject project;
  std::filesystem::path folder;

  TTableSample() {
    UsePlainRegionalSettings();
    const TResult libraries = session.LoadLibraries(GetProgramFolder() + "/Trevalon.tvl");
    const TResult sample =
        session.IsOK() ? LoadProjectFile(project, session, std::string(TREVALON_TEST_DATA_DIR) + "/SampleAnalysis.tva")
                       : TResult::Failure(session.Status.ErrorMsg);
    if (!sample) {
      std::cerr << "Cannot load the sample: " << libraries.Message() << sample.Message() << '\n';
      std::exit(1);
    }
    folder = std::filesystem::temp_directory_path() / ("trv-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
  }
  ~TTableSample() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

TTableSample& Sample() {
  static TTableSample sample;
  return sample;
}

void BM_DesignTable(benchmark::State& state) {
  TTableSample& s = Sample();
  TDesignTableOptions options;
  options.ProjectFileName = (s.folder / "Bench.tva").string();
  options.Jobs = static_cast<int>(state.range(0));
  options.Settings.VersionID = kStandard2017;
  options.Settings.FloorUseIndex = 0;
  options.Settings.SpanList = {6000, 7500, 9000, 10500};
  options.Settings.SpacingList = {2400, 2700, 3000, 3300};
  TDesignTableObserver quiet;
  int cases = 0;
  for (auto _ : state) {
    TDesignTableRunner runner(s.project, s.session, quiet);
    const TDesignTableOutcome outcome = runner.Run(options);
    if (!outcome.Result) {
      state.SkipWithError(outcome.Result.Message().c_str());
      return;
    }
    cases = outcome.Cases;
  }
  state.counters["cases"] = cases;
  state.counters["cases/s"] = benchmark::Counter(static_cast<double>(cases) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DesignTable)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
