// Time of the sample's calculation report (CalculationReport/sample): the
// document built from the analysed sample (both beams formula by formula, the
// floor vibration chain) and laid out and written as PDF pages, as
// `trevalon analyse --calculation sample.pdf` makes it after its run. The
// analysis itself is timed by the run's own benchmarks and made once here.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <ctime>

#include "project/cAnalysisRun.h"
#include "project/cCalculationReport.h"
#include "report/qt/cCalcRender.h"
#include "report/qt/cHeadlessGui.h"
#include "sample_fixture.h"

namespace {

void BM_CalculationReportSample(benchmark::State& state) {
  TSample& s = Sample();
  TAnalysisObserver quiet;
  TAnalysisRun run(s.project, s.session, quiet);
  run.RunAnalysis(TAnalysisRunOptions());
  TGuiApplicationScope gui;  // the fonts
  TCalcReportOptions options;
  options.ProjectFileName = "SampleAnalysis.tva";
  options.Date = std::time(nullptr);
  options.FloorUse = FloorUseNameOf(s.session, s.project);
  int pages = 0;
  QByteArray pdf;
  for (auto _ : state) {
    const TCalcDocument document = BuildCalculationReport(s.project, options);
    const TPrintOutcome written = CalculationPdf(document, pdf);
    if (!written.Result) {
      state.SkipWithError(written.Result.Message().c_str());
      break;
    }
    pages = written.PageCount;
    benchmark::DoNotOptimize(pdf.size());
  }
  state.counters["pages"] = pages;
  state.counters["pdf_kB"] = static_cast<double>(pdf.size()) / 1024;
}
BENCHMARK(BM_CalculationReportSample)->Name("CalculationReport/sample")->Unit(benchmark::kMillisecond);

}  // namespace
