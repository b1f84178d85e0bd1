// Time of one full beam analysis: the office secondary beam of the engine
// tests, and a primary beam carrying secondary beams from both sides at its
// third points, each at 10 and 100 segments.
#include <benchmark/benchmark.h>

// GCC 12 at -O3 misreads the short string assignments of the fixture once
// they are inlined here (a false -Wrestrict in libstdc++'s char_traits).
#pragma GCC diagnostic ignored "-Wrestrict"
#include "../tests/engine/beam_fixture.h"

namespace {

void SecondaryBeam(TBeamFixture& f) {
  f.AddOfficeLoads();
}

// 9 m primary beam, 530UB82.0, secondary beams of 9 m span on both sides at
// 3 m and 6 m: each point takes two secondary reactions per stage.
void PrimaryBeam(TBeamFixture& f) {
  f.AddSection("530UB82.0", 528.2, 209, 13.2, 9.6, 300, 320);
  f.SetSection("530UB82.0");
  f.beam.IsPrimaryBeam = true;
  f.beam.Mark = "PB1";
  f.beam.ThetaSide1 = f.beam.ThetaSide2 = 0;  // ribs along the primary beam
  f.AddUniform(3, 0.82, false, "self-weight");
  for (double x : {3000.0, 6000.0}) {
    f.AddPoint(3, x, 2 * 9.614 * 9 / 2, false);  // steel, slab and deck
    f.AddPoint(3, x, 2 * 3.0 * 9 / 2, true);     // construction live
    f.AddPoint(6, x, 2 * 4.5 * 9 / 2, false);    // superimposed dead
    f.AddPoint(7, x, 2 * 7.9 * 9 / 2, true);     // office live
  }
}

template <void (*Setup)(TBeamFixture&)>
void BM_FullAnalysis(benchmark::State& state) {
  TBeamFixture f;
  Setup(f);
  const int segments = static_cast<int>(state.range(0));
  for (auto _ : state) {
    f.Analyse(segments);
    benchmark::DoNotOptimize(f.beam.TotalShearConnectors);
  }
  if (!f.beam.Status.IsOK() && f.beam.Status.ErrorLevel == elError)
    state.SkipWithError(f.beam.Status.ErrorMsg.c_str());
  state.counters["positions"] = f.beam.PCCList.Count();
}

}  // namespace

BENCHMARK(BM_FullAnalysis<SecondaryBeam>)
    ->Name("FullAnalysis/Secondary")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullAnalysis<PrimaryBeam>)
    ->Name("FullAnalysis/Primary")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
