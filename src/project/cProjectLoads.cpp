// TProject: the beams' geometry from the floor layout, and the loads the
// floor puts on each beam: self-weight, slab, a temporary construction live
// load, superimposed dead and live load, facade load; the primary beam takes
// the floor through point loads at the secondary beams. Every such load is
// automatic: described "(Auto) ...", never saved, replaced on each update.
#include <cmath>

#include "entity/VEXUtility.h"
#include "project/cProject.h"

void TProject::UpdateBeamGeometry() {
  for (int id = 0; id < BeamCount(); ++id) {
    beams_[id].Ds = Geometry.Ds;
    beams_[id].DesignCompositeStage = DesignCompositeStage;
  }
  TImportedBeam& primary = beams_[0];
  primary.Span = Geometry.Span;
  primary.IsEdgeBeam = Geometry.HasPrimaryBeam && Geometry.IsEdgeBeam;
  primary.ThetaSide1 = Geometry.ThetaSide1;
  primary.ThetaSide2 = Geometry.ThetaSide2;
  primary.SetNominalWidthSide1(Geometry.GetMaxSlabWidth(0, 1));
  primary.SetNominalWidthSide2(Geometry.GetMaxSlabWidth(0, 2));
  for (int n = 1; n < BeamCount(); ++n) {
    TImportedBeam& secondary = beams_[n];
    secondary.Span = Geometry.GetSpacing(n);
    secondary.IsEdgeBeam = !Geometry.HasPrimaryBeam && Geometry.IsEdgeBeam && n == 1;
    // The deck angles are measured against the primary beam; a secondary
    // beam, at right angles to it, sees 90 degrees minus that on both sides.
    secondary.ThetaSide1 = 90 - Geometry.GetTheta(n);
    secondary.ThetaSide2 = secondary.ThetaSide1;
    secondary.SetNominalWidthSide1(Geometry.GetMaxSlabWidth(n, 1));
    secondary.SetNominalWidthSide2(Geometry.GetMaxSlabWidth(n, 2));
  }
}

double SlabWeight(const TGeometry& Geometry, const TSteelDeck& Deck, double Rho) {
  // Full slab depth, ponding allowance of the same concrete, 8 kg/m2 of
  // reinforcement net of the concrete it displaces, less the rib voids. kPa.
  return KgToKN(Rho) * Geometry.Ds / 1000 + KgToKN(Rho) * Geometry.PondingAllowance / 1000 +
         KgToKN(8) * (1 - Rho / 7850) - KgToKN(Rho) * Deck.VoidRatio * Deck.hr / 1000;
}

void TProject::UpdateAutoLoads() {
  for (int id = 0; id < 3; ++id) UpdateAutoLoadsForBeam(beams_[id]);
}

namespace {

double BaseSectionMass(const TBeam& beam) {
  const TSteelSection* s = beam.SteelSectionList.SteelSectionByLabel("Base steel beam");
  return s ? s->Mass() : 0;
}

}  // namespace

void TProject::UpdateAutoLoadsForBeam(TImportedBeam& ABeam) {
  ABeam.DistributedLoadList.ClearLoads(true, false);
  ABeam.PointLoadList.ClearLoads(true, false);
  if (!Geometry.WillAutocalcBeamLoading) return;

  const TGeometry& g = Geometry;
  const bool secondary = !ABeam.IsPrimaryBeam;
  const bool primary_with_secondaries = ABeam.IsPrimaryBeam && g.HasPrimaryBeam;
  const bool propped = ABeam.IsPropped;
  const int side = BeamSide(&ABeam);

  // Tributary width of the beam, mm.
  double q;
  if (ABeam.IsPrimaryBeam) q = ABeam.IsEdgeBeam ? g.PrimaryEffectiveSpacing / 2 + g.Outstand : g.PrimaryEffectiveSpacing;
  else if (side == 2) q = g.SecondarySpacingSide2;
  else q = ABeam.IsEdgeBeam ? g.SecondarySpacingSide1 / 2 + g.Outstand : g.SecondarySpacingSide1;

  auto slab_weight = [&](double rho) { return SlabWeight(g, SteelDeck, rho); };
  const double deckW = KgToKN(SteelDeck.Mass);
  const double slabW = slab_weight(propped ? ConcreteFloor.Density : ConcreteFloor.WetDensity);
  const int slab_stage = propped ? 6 : 3;
  const double dW = ConcreteFloor.WetDensity - ConcreteFloor.Density;
  const int NB = BeamCount() - 1;
  const bool wet_correction = !propped && dW > 0.5;

  auto distributed = [&](int stage, double value, bool live, const char* description) {
    ABeam.DistributedLoadList.AddLoad(TDistributedLoad::CreateNewAutoCalc(stage, value, live, description));
  };
  auto point = [&](int stage, double position, double value, bool live, const char* description) {
    ABeam.PointLoadList.AddLoad(TPointLoad::CreateNewAutoCalc(stage, position, value, live, description));
  };
  // The line load (kN/m) a secondary beam of side n carries for a floor load p (kPa).
  auto line_load = [&](int n, double p) { return NB == 1 ? p * q / 1000 : g.GetSpacing(n) * p / 2 / 1000; };
  // One point load per secondary beam position, side by side, in position order.
  auto via_secondaries = [&](auto&& make) {
    for (int n = 1; n <= NB; ++n)
      for (int i = 0; i < g.GetSecondaryBeamCount(n); ++i) make(n, g.GetSecondaryBeamLocation(n, i));
  };

  // Tributary areas, m2.
  const double area_secondary = q * ABeam.Span / 1e6;
  double area_primary;
  if (NB == 1) {
    area_primary = g.GetSecondaryBeamCount(1) * q * g.SecondarySpacingSide1 / 1e6;
  } else {
    area_primary = g.GetSecondaryBeamCount(1) * g.SpacingSide1 * g.SecondarySpacingSide1 / 1e6 / 2 +
                   g.GetSecondaryBeamCount(2) * g.SpacingSide2 * g.SecondarySpacingSide2 / 1e6 / 2;
  }

  // 1. Self-weight.
  distributed(3, KgToKN(BaseSectionMass(ABeam)), false, "(Auto) Steel beam self-weight");
  // 2. Secondary beams' self-weight on the primary beam: already a force.
  if (primary_with_secondaries)
    via_secondaries([&](int n, double x) {
      const double w = KgToKN(BaseSectionMass(beams_[n]));
      const double force = NB == 1 ? w * q / 1000 : g.GetSpacing(n) * w / 2 / 1000;
      point(3, x, force, false, "(Auto) Secondary beam self-weight applied to PB");
    });
  // 3, 4. Slab, and the lighter concrete once it has hardened.
  if (secondary) {
    distributed(slab_stage, (deckW + slabW) * q / 1000, false,
                "(Auto) Floor slab, including allowance for ponding, reo, and steel deck");
    if (wet_correction)
      distributed(6, -slab_weight(dW) * q / 1000, false,
                  "(Auto) Floor slab, allow for difference between wet and dry concrete density");
  }
  // 5, 6. The same through the secondary beams, alternating per position.
  if (primary_with_secondaries)
    via_secondaries([&](int n, double x) {
      const double v = line_load(n, deckW + slabW);
      point(slab_stage, x, g.GetSecondarySpacing(n) * v / 1000, false, "(Auto) Floor slab weight applied via SB");
      // The line load is proportional to the floor load, so the correction's
      // share v / (deckW + slabW) is the line load of a unit floor load; taking
      // it that way needs no division by the slab weight.
      if (wet_correction)
        point(6, x, -g.GetSecondarySpacing(n) * slab_weight(dW) * line_load(n, 1) / 1000, false,
              "(Auto) Floor slab, allow for difference between wet and dry concrete density");
    });
  // 7, 8. Temporary construction live load.
  if (secondary && !propped)
    distributed(3, g.GetTemporaryLiveLoad(area_secondary) * q / 1000, true, "(Auto) Temporary 1kPa live load");
  if (primary_with_secondaries && !propped)
    via_secondaries([&](int n, double x) {
      const double v = line_load(n, g.GetTemporaryLiveLoad(area_primary));
      point(3, x, g.GetSecondarySpacing(n) * v / 1000, true, "(Auto) Temporary live load applied via SB");
    });
  // 9, 10. Superimposed dead load.
  if (secondary) distributed(6, g.DeadLoad * q / 1000, false, "(Auto) Superimposed dead load");
  if (primary_with_secondaries)
    via_secondaries([&](int n, double x) {
      point(6, x, g.GetSecondarySpacing(n) * line_load(n, g.DeadLoad) / 1000, false,
            "(Auto) Superimposed dead load applied via SB");
    });
  // 11. Facade.
  if (ABeam.IsEdgeBeam) distributed(6, g.FacadeLoad, false, "(Auto) Facade (dead) load");
  // 12, 13. Superimposed live load, reduced by tributary area.
  if (secondary) {
    const double psi = g.GetLiveReductionFactor(area_secondary, g.NominalLiveLoad, g.IsLiveLoadReducible);
    distributed(7, psi * g.NominalLiveLoad * q / 1000, true, "(Auto) Superimposed live load");
  }
  if (primary_with_secondaries) {
    const double psi = g.GetLiveReductionFactor(area_primary, g.NominalLiveLoad, g.IsLiveLoadReducible);
    via_secondaries([&](int n, double x) {
      point(7, x, psi * g.GetSecondarySpacing(n) * line_load(n, g.NominalLiveLoad) / 1000, true,
            "(Auto) Superimposed live load applied via SB");
    });
  }
}
