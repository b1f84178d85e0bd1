// Slabs, decks and composite sections shared by the composite section and PCC
// tests: a 310UB40.4 (Grade 300, fy 320 MPa) under a 120 mm slab of f'c 32 MPa.
#pragma once

#include "components/cConcreteFloor.h"
#include "components/cSteelDeck.h"
#include "components/floor_parts.h"
#include "components/steel_test_sections.h"
#include "engine/cCompositeSection.h"

// 55 mm re-entrant deck, ribs at 200 mm with 25 mm steel ribs.
inline void SetReentrantDeck(TSteelDeck& deck, bool WillIgnoreConcreteBelowRibs) {
  SetRE55Deck(deck);
  deck.WillIgnoreConcreteBelowRibs = WillIgnoreConcreteBelowRibs;
}

inline void SetSolidSlab(TSteelDeck& deck) {
  deck.Name = "Solid";
  deck.DeckType = 0;
  deck.hr = 0;
}

// Normal-weight f'c 32 MPa; in the 2017 edition Ec = 30100 MPa from the table.
inline void SetConcrete32(TConcreteFloor& c) {
  c.ConcreteStrength = 32;
  c.Density = 2400;
  c.WetDensity = 2450;
  c.ShrinkageStrain = 600;
  c.WillUseEcTable = true;
}

// The parts of a composite section: a 310UB40.4, a deck whose rib concrete is
// ignored unless told otherwise, f'c 32 concrete.
struct TCompositeRig {
  TSteelSection steel;
  TSteelDeck deck;
  TConcreteFloor concrete;

  explicit TCompositeRig(bool WillIgnoreConcreteBelowRibs = true) {
    Set310UB404(steel);
    steel.CalcEffectiveProperties();
    SetReentrantDeck(deck, WillIgnoreConcreteBelowRibs);
    SetConcrete32(concrete);
  }

  // A 120 mm slab with nominal widths b1 = b2 = 1200 mm and available widths
  // bcLeft = bcRight = bc, ribs square to the beam on both sides.
  void Link(TCompositeSection& cs, double bc = 1200, double Dc = 120) {
    cs.CompositeSectionLabel = "Base composite section";
    cs.SteelSectionLabel = steel.SteelSectionLabel;
    cs.SetLinksToLibraryData(&steel, &deck, &concrete);
    cs.Dc = Dc;
    cs.b1 = cs.b2 = 1200;
    cs.bcLeft = cs.bcRight = bc;
    cs.thetaLeft = cs.thetaRight = 0;
  }
};
