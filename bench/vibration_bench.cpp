// Time of the floor vibration check of the sample floor (Vibration/sample):
// what the floor gives the walking-excitation chain (the beams' sections,
// slab, deck and loads) and the chain itself, for the bay of the side-1
// secondary beam and the primary beam. An analysis run makes it once, after
// every beam, never per candidate section of a design, so it adds this time
// once to a run and nothing to FullAnalysis.
#include <benchmark/benchmark.h>

#include "sample_fixture.h"

namespace {

void BM_VibrationSample(benchmark::State& state) {
  TSample& s = Sample();
  TVibration& vibration = s.project.Vibration;
  for (auto _ : state) {
    vibration.Calculate(s.project);
    benchmark::DoNotOptimize(vibration.PeakAcceleration);
  }
  if (!vibration.IsCalculated) state.SkipWithError(("the sample's floor is not checked: " + vibration.Message).c_str());
  state.counters["fn_Hz"] = vibration.Frequency;
}
BENCHMARK(BM_VibrationSample)->Name("Vibration/sample")->Unit(benchmark::kMicrosecond);

}  // namespace
