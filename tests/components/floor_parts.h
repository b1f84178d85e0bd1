// The deck and the connector most tests build on: the shipped library's
// re-entrant deck 55 mm deep and 1.00 mm thick (RE55-100), and its 19 mm
// headed stud, 95 mm high, welded through the deck. A test that needs other
// values sets them after these, so its hand calculation shows only what
// differs.
#pragma once

#include "components/cShearConnector.h"
#include "components/cSteelDeck.h"

// Ribs 55 mm deep at 200 mm with 25 mm steel ribs (b0 = 175 mm), one stud
// per rib, 12 % voids, 13.56 kg/m2. The concrete below the ribs is ignored.
inline void SetRE55Deck(TSteelDeck& deck) {
  deck.Name = "Re-entrant 55 mm x 1.00 mm";
  deck.ShortCode = "RE55-100";
  deck.DeckType = 2;
  deck.hr = 55;
  deck.sr = 200;
  deck.bsr = 25;
  deck.t = 1.0;
  deck.StoredStudsPerRib = 1;
  deck.Beta = 1;
  deck.VoidRatio = 0.12;
  deck.Mass = 13.56;
  deck.WillIgnoreConcreteBelowRibs = true;
}

// f_uc 410 MPa.
inline void SetStud19(TShearConnector& connector) {
  connector.Name = "19 mm headed stud";
  connector.ConnectorType = ctHeadedStud;
  connector.dbs = 19;
  connector.hsc = 95;
  connector.fuc = 410;
  connector.IsThroughDeckWelded = true;
}
