// A typical secondary beam of an office floor, built in code: 9 m span at
// 3 m centres, 120 mm slab on a 55 mm re-entrant deck, 32 MPa concrete,
// 19 mm studs through-deck welded, a 310UB40.4 in grade 300 (320 MPa for
// elements under 11 mm thick).
#pragma once

#include <memory>

#include "components/cStandard.h"
#include "components/floor_parts.h"
#include "engine/cBeam.h"

struct TBeamFixture {
  TConcreteFloor concrete;
  TSteelDeck deck;
  TShearConnector connector;
  TEntityList limit_states = TEntityList::Of<TLimitState>();
  TDeflectionLimit limits;
  TEntityList library = TEntityList::Of<TCustomSteelSection>();
  TBeam beam;

  TBeamFixture() {
    concrete.ConcreteStrength = 32;
    concrete.Density = 2400;
    concrete.WetDensity = 2400;
    concrete.ShrinkageStrain = 300;

    SetRE55Deck(deck);
    SetStud19(connector);

    AddDefaultLimitStates(limit_states);
    AddSection("310UB40.4", 304, 165, 10.2, 6.1, 320, 320);
    AddSection("360UB50.7", 356, 171, 11.5, 7.3, 300, 320);

    beam.SetFloorProperties(&concrete, &deck, &connector, &limit_states, &limits);
    beam.Mark = "SB1";
    beam.Span = 9000;
    beam.Ds = 120;
    beam.ThetaSide1 = 90;
    beam.ThetaSide2 = 90;
    auto cs = std::make_unique<TCompositeSection>();
    cs->CompositeSectionLabel = "1";
    cs->SteelSectionLabel = "Base steel beam";
    cs->bcLeft = 1500;
    cs->bcRight = 1500;
    beam.CompositeSectionList.Add("1", std::move(cs));
    beam.SetNominalWidthSide1(1500);
    beam.SetNominalWidthSide2(1500);
    SetSection("310UB40.4");
  }

  void AddSection(const char* name, double d, double b, double tf, double tw, double fyf, double fyw) {
    auto s = std::make_unique<TCustomSteelSection>();
    s->SetName(name);
    s->Grade = "KESTREL";
    s->d = d;
    s->b = b;
    s->tf = tf;
    s->tw = tw;
    s->fyf = fyf;
    s->fyw = fyw;
    const std::string key = s->FullName();
    library.Add(key, std::move(s));
  }

  // Every section of the beam takes the library section, as the input screens and the design do.
  void SetSection(const char* name) {
    for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
      beam.SteelSection(i)->Name = name;
      beam.SteelSection(i)->LoadFromLibrary(library);
    }
  }

  // Uniform load over the whole span (kN/m) first applied in a stage.
  void AddUniform(int stage, double w, bool live, const char* description = "load") {
    auto load = std::make_unique<TDistributedLoad>();
    load->ConStage = stage;
    load->StartValue = w;
    load->FinishValue = w;
    load->IsLiveLoad = live;
    load->Description = description;
    beam.DistributedLoadList.AddLoad(std::move(load));
  }

  void AddPoint(int stage, double x, double P, bool live) {
    auto load = std::make_unique<TPointLoad>();
    load->ConStage = stage;
    load->Position = x;
    load->Value = P;
    load->IsLiveLoad = live;
    beam.PointLoadList.AddLoad(std::move(load));
  }

  // The office floor's loads on a 3 m wide strip, unpropped.
  void AddOfficeLoads() {
    AddUniform(3, 0.404, false, "self-weight");     // 40.4 kg/m
    AddUniform(3, 9.21, false, "slab and deck");    // (120+10 mm) x 24 kN/m3 less voids, plus deck, x 3 m
    AddUniform(3, 3.0, true, "construction live");  // 1 kPa x 3 m
    AddUniform(6, 4.5, false, "superimposed dead"); // 1.5 kPa x 3 m
    AddUniform(7, 7.9, true, "office live");        // 3 kPa x 0.877 x 3 m
  }

  void Analyse(int segments = 10) { beam.FullAnalysis(library, segments); }
};
