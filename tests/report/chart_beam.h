// The beam the chart tests draw, analysed once for a suite.
#pragma once

#include <gtest/gtest.h>

#include "engine/beam_fixture.h"
#include "report/cResultsGraphics.h"

// A 9 m secondary beam with 10 kN/m of dead load from stage 3 and 5 kN/m of
// live load in service, analysed with the default limit states (strength
// 1.2 G + 1.5 Q; 1.0 G for construction deflections): in service
// M* = 19.5 x 9^2 / 8 = 197.4375 kNm.
struct TChartBeam : TBeamFixture {
  TChartBeam() {
    SetSection("360UB50.7");  // stiff enough to pass every check
    AddUniform(3, 10, false, "slab");
    AddUniform(7, 5, true, "office");
    Analyse();
  }
};

// A suite whose tests share one analysed TChartBeam.
class TChartBeamSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { beam_ = new TChartBeam(); }
  static void TearDownTestSuite() {
    delete beam_;
    beam_ = nullptr;
  }
  static const TBeam& Beam() { return beam_->beam; }
  // The largest value the chart of kind Dt scales its axis to.
  static double Largest(TDrawingType Dt) {
    TResultsGraphics g;
    g.Beam = &Beam();
    return g.LargestValue(Dt);
  }

 private:
  static inline TChartBeam* beam_ = nullptr;
};
