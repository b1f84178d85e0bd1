// Time of one full beam analysis of the sample floor's beams: the secondary
// beam (five distributed loads) at 10, 100 and 1000 segments, and the primary
// beam (eight point loads from the secondary beams) at 10 and 100 segments.
// The cost should grow linearly with the number of positions.
//
// Statics/secondary/10 times the design actions alone: the moment and shear
// of every load combination the analysis uses, at every position of the
// secondary beam at 10 segments. It is the floor under FullAnalysis.
#include <benchmark/benchmark.h>

#include "sample_fixture.h"

namespace {

template <int Side>
void BM_FullAnalysis(benchmark::State& state) {
  TSample& s = Sample();
  TBeam& beam = *s.project.GetBeam(Side);
  const int segments = static_cast<int>(state.range(0));
  for (auto _ : state) {
    beam.FullAnalysis(s.session.SteelSectionLibrary, segments);
    benchmark::DoNotOptimize(beam.TotalShearConnectors);
  }
  if (!beam.IsAssessmentOK()) state.SkipWithError("the sample beam no longer passes");
  state.counters["positions"] = beam.PCCList.Count();
}

BENCHMARK(BM_FullAnalysis<1>)->Name("FullAnalysis/secondary")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullAnalysis<0>)->Name("FullAnalysis/primary")->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_Statics(benchmark::State& state) {
  TSample& s = Sample();
  TBeam& beam = *s.project.GetBeam(1);
  beam.FullAnalysis(s.session.SteelSectionLibrary, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    beam.AnalyseCompositeStageLoads();
    beam.AnalyseConstructionLoads();
    benchmark::DoNotOptimize(beam.PCCList.PCC(0));
  }
  state.counters["positions"] = beam.PCCList.Count();
}
BENCHMARK(BM_Statics)->Name("Statics/secondary")->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace
