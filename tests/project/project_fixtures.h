// Shared set-ups of the project tests: a floor that passes every project
// check in both editions, the session's libraries, and a temporary folder.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "components/floor_parts.h"
#include "entity/cStatus.h"
#include "project/cProject.h"
#include "project/cSession.h"
#include "temp_dir.h"

namespace project_test {

// A 9 m internal primary beam carrying 9 m secondary beams at 3 m centres on
// both sides (alike), 150 mm slab on an 80 mm deck, 19 mm studs 125 mm high.
// Every project, floor and slab-width check passes in both editions:
//   2017: Ds 150 >= 100; Ds - hr = 70 >= 50; 4 x 70 = 280 >= 150;
//         hsc - hr = 45 >= 2 x 19 = 38; sr 200 >= 50.
//   2003: 120 <= 150 <= 500; 70 >= 65; 45 >= 40; deck hr 80 >= 80, b0 160 >= 150.
inline void MakeValidProject(TProject& p) {
  p.Clear();
  p.SetLimitStateValues(nullptr);
  p.Project = "Test floor";
  p.FloorArea = 1000;
  p.Storeys = 5;
  TGeometry& g = p.Geometry;
  g.Span = 9000;
  g.PrimaryEffectiveSpacing = 9000;
  g.SpacingSide1 = g.SpacingSide2 = 9000;
  g.SecondarySpacingSide1 = g.SecondarySpacingSide2 = 3000;
  g.SecondaryStartSide1 = g.SecondaryStartSide2 = 3000;
  g.Ds = 150;
  p.ConcreteFloor.ConcreteStrength = 32;
  // The shared deck made 80 mm deep with 40 mm steel ribs, and a taller stud.
  TSteelDeck& d = p.SteelDeck;
  SetRE55Deck(d);
  d.Name = "Test deck 80 mm";
  d.ShortCode = "TD80";
  d.hr = 80;
  d.bsr = 40;
  d.VoidRatio = 0.1;
  d.Mass = 12;
  TShearConnector& c = p.ShearConnector;
  SetStud19(c);
  c.hsc = 125;
  p.GetBeam(0)->Mark = "PB1";
  p.GetBeam(1)->Mark = "SB1";
  p.GetBeam(2)->Mark = "SB2";
  // Slab widths follow the floor, so a case can change the floor and update.
  for (int i = 0; i < 3; ++i) p.GetBeam(i)->WillAutosizeSlabWidths = true;
  p.UpdateBeamGeometry();
}

inline std::vector<std::string> Messages(const TStatus& status) {
  std::vector<std::string> out;
  for (const auto& line : status.ErrorList()) out.push_back(line.Text);
  return out;
}

inline std::string SamplePath() { return std::string(TREVALON_TEST_DATA_DIR) + "/SampleAnalysis.tva"; }

// The libraries the build makes from the bundled CSV files.
inline const TSession& Libraries() {
  static TSession* session = [] {
    auto* s = new TSession;
    (void)s->LoadLibraries(std::string(TREVALON_BIN_DIR) + "/Trevalon.tvl");  // the tests check the libraries
    return s;
  }();
  return *session;
}

inline std::string ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}


}  // namespace project_test
