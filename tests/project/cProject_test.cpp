#include "project/cProject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "components/cStandard.h"
#include "project/cFloorUse.h"
#include "project/cProjectFile.h"
#include "project/cSession.h"
#include "project_fixtures.h"

using project_test::MakeValidProject;
using project_test::Messages;

namespace {

std::string Actual(TProject& p, const std::string& path, const std::string& expected, bool* is_expected = nullptr) {
  std::string actual;
  bool ok = false;
  p.CalcActualValue(path, expected, actual, ok);
  if (is_expected) *is_expected = ok;
  return actual;
}

size_t CountOf(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

}  // namespace

// ---------------------------------------------------------------------------
// State and lifecycle.

TEST(Project, ClearGivesTheDefaultsOfANewProject) {
  TProject p;
  p.SetLimitStateValues(nullptr);
  TEntityList restrictions = TEntityList::Of<TCWBRestriction>();
  restrictions.Add("300", std::make_unique<TCWBRestriction>());
  p.SetCWBRestrictions(&restrictions);
  // Dirty every part first, so Clear has something to reset.
  p.Project = "P";
  p.Designer = "D";
  p.Description = "Text";
  p.FloorArea = 900;
  p.Storeys = 4;
  p.Segments = 40;
  p.DesignCompositeStage = 5;
  p.Checksum = "12345678";
  p.DeflectionLimit.TotalRelLimit = 999;
  p.DeflectionLimit.Stage356DLRelLimit = 123;
  p.Geometry.Span = 9000;
  p.Geometry.HasPrimaryBeam = false;
  p.Geometry.Outstand = 300;
  p.ConcreteFloor.ConcreteStrength = 40;
  p.ConcreteFloor.Density = 1800;
  p.SteelDeck.Name = "Deck";
  p.ShearConnector.Name = "Stud";
  p.GetBeam(1)->Mark = "SB1";
  p.GetBeam(1)->CompositeSectionList.Clear();
  p.DesignTable.VersionID = 1;
  p.DesignTable.SpanList = {9000};
  p.TestGroupList.Add("G", std::make_unique<TTestGroup>());
  p.TestList.Add("T", std::make_unique<TTest>());

  p.Clear();

  EXPECT_EQ(p.SectionName, "Project");
  EXPECT_EQ(p.Project, "");
  EXPECT_EQ(p.Designer, "");
  EXPECT_EQ(p.Description, "");
  EXPECT_EQ(p.FloorArea, 0);
  EXPECT_EQ(p.Storeys, 0);
  EXPECT_EQ(p.Segments, 10);
  EXPECT_EQ(p.DesignCompositeStage, kInServiceStage);
  EXPECT_EQ(p.Checksum, "");
  // The deflection limits are back at their own defaults.
  EXPECT_EQ(p.DeflectionLimit.TotalRelLimit, 250);
  EXPECT_EQ(p.DeflectionLimit.Stage356DLRelLimit, 0);

  const TGeometry& g = p.Geometry;
  EXPECT_EQ(g.Span, 0);
  EXPECT_TRUE(g.HasPrimaryBeam);
  EXPECT_TRUE(g.IsSide2SameAsSide1);
  EXPECT_TRUE(g.WillAutocalcBeamLoading);
  EXPECT_FALSE(g.WillAutocalcSecondaryStartLocations);
  EXPECT_EQ(g.Outstand, 150);
  EXPECT_EQ(g.PondingAllowance, 10);
  EXPECT_TRUE(g.IsTemporaryLiveLoadReducible);
  EXPECT_EQ(p.ConcreteFloor.ConcreteStrength, 0);
  EXPECT_EQ(p.ConcreteFloor.Density, 2400);
  EXPECT_EQ(p.ConcreteFloor.WetDensity, 2400);
  EXPECT_EQ(p.ConcreteFloor.ShrinkageStrain, 300);
  EXPECT_EQ(p.SteelDeck.Name, "");
  EXPECT_EQ(p.ShearConnector.Name, "");

  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const TImportedBeam& beam = *p.GetBeam(i);
    EXPECT_EQ(beam.Mark, "");
    EXPECT_EQ(beam.IsPrimaryBeam, i == 0);
    EXPECT_EQ(beam.ConcreteFloor, &p.ConcreteFloor);
    EXPECT_EQ(beam.SteelDeck, &p.SteelDeck);
    EXPECT_EQ(beam.ShearConnector, &p.ShearConnector);
    EXPECT_EQ(beam.LimitStateList, &p.LimitStateList);
    EXPECT_EQ(beam.DeflectionLimit, &p.DeflectionLimit);
    ASSERT_EQ(beam.CompositeSectionList.Count(), 1);
    EXPECT_EQ(beam.CompositeSectionList.Key(0), "1");
    const TCompositeSection& cs = *beam.CompositeSection(0);
    EXPECT_EQ(cs.CompositeSectionLabel, "1");
    EXPECT_EQ(cs.StartPosition, 0);
    EXPECT_EQ(cs.SteelSectionLabel, "Base steel beam");
    // The cleared floor has no spacings and no edge beam: every maximum width is 0.
    EXPECT_EQ(cs.bcLeft, 0);
    EXPECT_EQ(cs.bcRight, 0);
  }
  EXPECT_FALSE(p.DesignTable.HasDesignTableProperties());
  EXPECT_TRUE(p.TestGroupList.Empty());
  EXPECT_TRUE(p.TestList.Empty());
  // The libraries' lists survive a new project.
  EXPECT_EQ(p.LimitStateList.Count(), 5);
  EXPECT_EQ(p.CWBRestrictionList.Count(), 1);
}

// ---------------------------------------------------------------------------
// Which beams exist.

TEST(Project, BeamsExistByTheGeometry) {
  struct Case {
    bool has_primary, is_edge, side2_same;
    bool has0, has2;
    int count;
  };
  const Case cases[] = {
      {true, false, false, true, true, 3},   {true, false, true, true, false, 2},
      {true, true, false, true, false, 2},   {true, true, true, true, false, 2},
      {false, false, false, false, false, 2}, {false, true, false, false, false, 2},
  };
  TProject p;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.has_primary << c.is_edge << c.side2_same);
    p.Geometry.HasPrimaryBeam = c.has_primary;
    p.Geometry.IsEdgeBeam = c.is_edge;
    p.Geometry.IsSide2SameAsSide1 = c.side2_same;
    EXPECT_EQ(p.GetHasBeam(0), c.has0);
    EXPECT_TRUE(p.GetHasBeam(1));
    EXPECT_EQ(p.GetHasBeam(2), c.has2);
    EXPECT_FALSE(p.GetHasBeam(3));
    EXPECT_FALSE(p.GetHasBeam(-1));
    EXPECT_EQ(p.BeamCount(), c.count);
  }
  EXPECT_EQ(p.GetBeam(-1), nullptr);
  EXPECT_EQ(p.GetBeam(3), nullptr);
  EXPECT_EQ(p.BeamSide(p.GetBeam(0)), 0);
  EXPECT_EQ(p.BeamSide(p.GetBeam(1)), 1);
  EXPECT_EQ(p.BeamSide(p.GetBeam(2)), 2);
  TImportedBeam stranger;
  EXPECT_EQ(p.BeamSide(&stranger), 0);
  EXPECT_EQ(p.BeamSide(nullptr), 0);
}

// ---------------------------------------------------------------------------
// Names.

TEST(Project, BeamPathNamesThePrimaryBeamOrElseTheFirstSecondary) {
  TProject p;
  p.GetBeam(0)->Mark = "PB1";
  p.GetBeam(1)->Mark = "SB1";
  p.GetBeam(2)->Mark = "SB2";
  EXPECT_EQ(Actual(p, "Beam.Mark", "?"), "PB1");
  EXPECT_EQ(Actual(p, "Beam1.Mark", "?"), "SB1");
  EXPECT_EQ(Actual(p, "beam2.mark", "?"), "SB2");
  EXPECT_EQ(Actual(p, "Beam3.Mark", "?"), "** UNKNOWN ENTITY **");
  p.Geometry.HasPrimaryBeam = false;
  EXPECT_EQ(Actual(p, "Beam.Mark", "?"), "SB1");
  EXPECT_EQ(p.EntityProperty("BEAM", -1), p.GetBeam(1));
  EXPECT_EQ(p.EntityProperty("Beam", 0), p.GetBeam(0));
  EXPECT_EQ(p.EntityProperty("Geometry", -1), &p.Geometry);
}

TEST(Project, IsOKAndErrorMsgAreReadThroughPaths) {
  TProject p;
  MakeValidProject(p);
  p.FloorArea = 50;
  bool expected = false;
  // Reading the verdict runs the whole validation.
  EXPECT_EQ(Actual(p, "IsOK", "False", &expected), "False");
  EXPECT_TRUE(expected);
  EXPECT_TRUE(p.Status.IsChecked);
  EXPECT_EQ(Actual(p, "ErrorMsg", "?"), "Single floor area should be between 100 and 5000 sq m.");

  p.FloorArea = 100;
  EXPECT_EQ(Actual(p, "ISOK", "True", &expected), "True");
  EXPECT_TRUE(expected);
  EXPECT_EQ(Actual(p, "ERRORMSG", "?"), "");
  // The names are matched as the path evaluation hands them over: upper case.
  EXPECT_EQ(p.StringValue("IsOK", "none", 0, 3), "none");
  EXPECT_EQ(p.StringValue("ISOK", "none", 0, 3), "True");
  EXPECT_EQ(Actual(p, "IsAssessmentOK", "?"), "True");
  EXPECT_EQ(Actual(p, "BeamCount", "?"), "2");
}

TEST(Project, PropertyListingEndsWithTheVerdictAndTheSecondaryBeam) {
  TProject p;
  std::vector<std::string> lines;
  p.GetProperties(lines, "", "", 4);
  auto at = [&](const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
  };
  const size_t is_ok = at("Project,IsOK,Boolean,O");
  const size_t error_msg = at("Project,ErrorMsg,String,O");
  ASSERT_LT(error_msg, lines.size());
  EXPECT_EQ(error_msg, is_ok + 1);
  EXPECT_LT(at("Project,FloorArea,Integer,IO"), is_ok);
  EXPECT_LT(at("Geometry,Span,Float,IO"), is_ok);
  // Beam lines follow, listed as outputs of "any beam".
  const size_t beam_mark = at("Beam*,Mark,String,O");
  ASSERT_LT(beam_mark, lines.size());
  EXPECT_GT(beam_mark, error_msg);
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind("Beam*,", 0) == 0) {
      EXPECT_GT(i, error_msg) << lines[i];
    }

  // The two verdict lines skip the duplicate test; the others do not repeat.
  p.GetProperties(lines, "", "", 4);
  EXPECT_EQ(CountOf(lines, "Project,IsOK,Boolean,O"), 2u);
  EXPECT_EQ(CountOf(lines, "Project,ErrorMsg,String,O"), 2u);
  EXPECT_EQ(CountOf(lines, "Project,FloorArea,Integer,IO"), 1u);

  std::vector<std::string> prefixed;
  p.GetProperties(prefixed, "X.", "", 4);
  EXPECT_EQ(CountOf(prefixed, "X.Project,IsOK,Boolean,O"), 1u);
  EXPECT_EQ(CountOf(prefixed, "X.Project,ErrorMsg,String,O"), 1u);
}

// ---------------------------------------------------------------------------
// Floor uses and libraries.

TEST(Project, AssignFromFloorUseCopiesTheUseAndItsLiveLoadFactors) {
  TProject p;
  p.SetLimitStateValues(nullptr);
  p.Geometry.IsTemporaryLiveLoadReducible = false;
  const auto use = TFloorUse::CreateNew("Retail", "RET", 130, 40, 4, true, 2, 600, 300, 0.6, 0.3, 7);
  p.AssignFromFloorUse(*use);
  EXPECT_EQ(p.Geometry.Ds, 130);
  EXPECT_EQ(p.ConcreteFloor.ConcreteStrength, 40);
  EXPECT_EQ(p.Geometry.NominalLiveLoad, 4);
  EXPECT_TRUE(p.Geometry.IsLiveLoadReducible);
  EXPECT_TRUE(p.Geometry.IsTemporaryLiveLoadReducible);
  EXPECT_EQ(p.Geometry.DeadLoad, 2);
  EXPECT_EQ(p.DeflectionLimit.IncrementalRelLimit, 600);
  EXPECT_EQ(p.DeflectionLimit.TotalRelLimit, 300);
  EXPECT_EQ(p.Geometry.FacadeLoad, 7);
  auto ls = [&](const char* key) { return p.LimitStateList.ItemAs<TLimitState>(p.LimitStateList.IndexOf(key)); };
  EXPECT_DOUBLE_EQ(ls("Short-term")->LFlive, 0.6);
  EXPECT_DOUBLE_EQ(ls("Long-term")->LFlive, 0.3);
  EXPECT_DOUBLE_EQ(ls("Strength")->LFlive, 1.5);
  EXPECT_DOUBLE_EQ(ls("Construc.Stress")->LFlive, 1.0);

  // Without limit states the factors have nowhere to go; the rest still applies.
  TProject bare;
  bare.AssignFromFloorUse(*use);
  EXPECT_TRUE(bare.LimitStateList.Empty());
  EXPECT_EQ(bare.Geometry.Ds, 130);
}

TEST(Project, SetLimitStateValuesCopiesTheListOrGivesTheFiveDefaults) {
  TProject p;
  p.SetLimitStateValues(nullptr);
  struct Row {
    const char* label;
    double dead, live;
    TStateType type;
  };
  const Row defaults[] = {{"Strength", 1.2, 1.5, stStrength},
                          {"Short-term", 1.0, 0.7, stShort},
                          {"Long-term", 1.0, 0.4, stLong},
                          {"Construc.Defl", 1.0, 0.0, stConstrucDefl},
                          {"Construc.Stress", 1.0, 1.0, stConstrucStress}};
  ASSERT_EQ(p.LimitStateList.Count(), 5);
  for (int i = 0; i < 5; ++i) {
    const auto* ls = p.LimitStateList.ItemAs<TLimitState>(i);
    EXPECT_EQ(p.LimitStateList.Key(i), defaults[i].label);
    EXPECT_EQ(ls->LimitStateLabel, defaults[i].label);
    EXPECT_DOUBLE_EQ(ls->LFdead, defaults[i].dead);
    EXPECT_DOUBLE_EQ(ls->LFlive, defaults[i].live);
    EXPECT_EQ(ls->StateType, defaults[i].type);
  }

  TEntityList source = TEntityList::Of<TLimitState>();
  auto add = [&](const std::string& label, double dead, double live) {
    auto ls = std::make_unique<TLimitState>();
    ls->SetLimitStateLabel(label);
    ls->LFdead = dead;
    ls->LFlive = live;
    source.Add("key of " + label, std::move(ls));
  };
  add("Ultimate strength", 1.35, 1.5);
  add("Long-term", 1.0, 0.3);
  p.SetLimitStateValues(&source);
  ASSERT_EQ(p.LimitStateList.Count(), 2);
  EXPECT_EQ(p.LimitStateList.Key(0), "Ultimate strength");  // keyed by label, not by the source's key
  EXPECT_NE(p.LimitStateList.Item(0), source.Item(0));     // a copy
  EXPECT_EQ(p.LimitStateList.ItemAs<TLimitState>(0)->StateType, stStrength);
  EXPECT_DOUBLE_EQ(p.LimitStateList.ItemAs<TLimitState>(0)->LFdead, 1.35);
  EXPECT_EQ(p.LimitStateList.Key(1), "Long-term");
  EXPECT_DOUBLE_EQ(p.LimitStateList.ItemAs<TLimitState>(1)->LFlive, 0.3);
}

TEST(Project, SetCWBRestrictionsKeysCopiesByMinimumDepth) {
  TEntityList source = TEntityList::Of<TCWBRestriction>();
  for (double depth : {0.0, 375.0, 412.5}) {
    auto r = std::make_unique<TCWBRestriction>();
    r->MinDepth = depth;
    r->bfMin = depth + 1;
    source.Add("x", std::move(r));
  }
  TProject p;
  p.SetCWBRestrictions(&source);
  ASSERT_EQ(p.CWBRestrictionList.Count(), 3);
  EXPECT_EQ(p.CWBRestrictionList.Key(0), "0");
  EXPECT_EQ(p.CWBRestrictionList.Key(1), "375");
  EXPECT_EQ(p.CWBRestrictionList.Key(2), "412.5");
  EXPECT_NE(p.CWBRestrictionList.Item(2), source.Item(2));
  EXPECT_EQ(p.CWBRestrictionList.ItemAs<TCWBRestriction>(2)->bfMin, 413.5);
  // Beams read the project's list.
  EXPECT_EQ(p.GetBeam(0)->CWBRestrictionList, &p.CWBRestrictionList);
  p.SetCWBRestrictions(nullptr);
  EXPECT_TRUE(p.CWBRestrictionList.Empty());
}

// ---------------------------------------------------------------------------
// Validation.

TEST(Project, NewProjectWarnsAboutFloorAreaAndStoreys) {
  TProject p;
  EXPECT_FALSE(p.IsOK());
  const auto messages = Messages(p.Status);
  ASSERT_GE(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Warning: Single floor area should be between 100 and 5000 sq m.");
  EXPECT_EQ(messages[1], "Warning: Number of storeys in building should be at least 2");
  // The empty deck and connector names follow, as errors.
  EXPECT_EQ(p.Status.ErrorLevel, elError);
}

TEST(Project, ValidProjectPassesInBothEditions) {
  for (int edition : {kStandard2003, kStandard2017}) {
    SCOPED_TRACE(edition);
    TStandardVersionScope guard(edition);
    TProject p;
    MakeValidProject(p);
    EXPECT_TRUE(p.IsOK()) << p.Status.ErrorText();
    EXPECT_TRUE(p.Status.ErrorList().empty());
    EXPECT_TRUE(p.Status.IsChecked);
  }
}

// Each case starts from the valid project, changes it and lists every message
// the project then reports, in order.
TEST(Project, IsOKRunsEveryCheckInOrder) {
  struct Case {
    const char* name;
    int edition;
    std::function<void(TProject&)> change;
    std::vector<std::string> messages;
    TErrorLevel level = elWarning;
  };
  const std::string kPB = "Primary beam PB1";
  const Case cases[] = {
      {"floor area and storeys", kStandard2017,
       [](TProject& p) {
         p.FloorArea = 5001;
         p.Storeys = 121;
       },
       {"Warning: Single floor area should be between 100 and 5000 sq m.",
        "Warning: Number of storeys in building should be less than 120"}},
      {"segments", kStandard2017, [](TProject& p) { p.Segments = 101; },
       {"Error: Must specify between 10 and 100 segments"}, elError},
      {"segments low", kStandard2017, [](TProject& p) { p.Segments = 9; },
       {"Error: Must specify between 10 and 100 segments"}, elError},
      // A failed project check skips the floor checks, not the components'.
      {"floor checks wait for the project checks", kStandard2017,
       [](TProject& p) {
         p.FloorArea = 50;
         p.Geometry.Ds = 95;
         p.ConcreteFloor.ConcreteStrength = 10;
       },
       {"Warning: Single floor area should be between 100 and 5000 sq m.",
        "Warning: Concrete strength grade should be at least 15 MPa"}},
      // Ds 95 on an 80 mm deck: hc = 15 < 50, and 4 x 15 = 60 < 95.
      {"2017 thin slab", kStandard2017, [](TProject& p) { p.Geometry.Ds = 95; },
       {"Warning: (Cl 2.2.1) Composite slab depth must be at least 100 mm",
        "Warning: (Cl 2.2.1) Thickness of the concrete above the sheeting must be at least 50 mm",
        "Warning: (Table 2.2.1 Note 1) Overall slab depth should not exceed 4*hc"}},
      // Ds 240 on a 185 mm deck: hc = 55 >= 50 but 4 x 55 = 220 < 240; studs 125 - 185 < 38.
      {"2017 deep ribs", kStandard2017,
       [](TProject& p) {
         p.Geometry.Ds = 240;
         p.SteelDeck.hr = 185;
       },
       {"Warning: (Table 2.2.1 Note 1) Overall slab depth should not exceed 4*hc",
        "Warning: (Cl 3.6.2.2.1, 3.6.2.7.3) Headed studs must extend at least 2xdbs above the top of the "
        "steel decking"}},
      // M20 bolts 100 high: 100 - 80 = 20 < 2 x 20; no trough rule for bolts.
      {"2017 bolts", kStandard2017,
       [](TProject& p) {
         p.ShearConnector.ConnectorType = 2;
         p.ShearConnector.dbs = 20;
         p.ShearConnector.hsc = 100;
         p.SteelDeck.sr = 40;
       },
       {"Warning: (Cl 3.6.2.2.2) Shear connectors must extend at least 2xdbs above the top of the steel decking"}},
      {"2017 narrow trough", kStandard2017, [](TProject& p) { p.SteelDeck.sr = 40; },
       {"Warning: (Cl 3.6.2.7.3) Steel deck trough width must be at least 50 mm when using headed studs"}},
      // A solid slab skips the deck rules (hr is left at 80 to show it).
      {"2017 solid slab", kStandard2017,
       [](TProject& p) {
         p.SteelDeck.DeckType = 0;
         p.SteelDeck.sr = 40;
         p.Geometry.Ds = 95;
       },
       {"Warning: (Cl 2.2.1) Composite slab depth must be at least 100 mm",
        "Warning: (Table 2.2.1 Note 1) Overall slab depth should not exceed 4*hc"}},
      // Ds 110: outside 120..500, and 110 - 80 = 30 < 65.
      {"2003 thin slab", kStandard2003, [](TProject& p) { p.Geometry.Ds = 110; },
       {"Warning: Slab depth must be between 120 and 500 mm",
        "Warning: (Old Cl 1.2.4e) Thickness of the concrete above the sheeting must be at least 65 mm"}},
      {"2003 short studs", kStandard2003, [](TProject& p) { p.ShearConnector.hsc = 115; },
       {"Warning: (Old Cl 8.2.2.1) Studs must extend at least 40 above the top of the steel decking"}},
      // The stud rule of 2003 holds for a solid slab too; the sheeting rule does not.
      {"2003 solid slab", kStandard2003,
       [](TProject& p) {
         p.SteelDeck.DeckType = 0;
         p.SteelDeck.hr = 100;
       },
       {"Warning: (Old Cl 8.2.2.1) Studs must extend at least 40 above the top of the steel decking"}},
      // 2003 has no rule for bolts (in 2017: 100 - 80 = 20 < 2 x 20).
      {"2003 bolts", kStandard2003,
       [](TProject& p) {
         p.ShearConnector.ConnectorType = 2;
         p.ShearConnector.dbs = 20;
         p.ShearConnector.hsc = 100;
       },
       {}},
      {"primary edge beam outstand", kStandard2017,
       [](TProject& p) {
         p.Geometry.IsEdgeBeam = true;
         p.Geometry.Outstand = 100;
         p.UpdateBeamGeometry();
       },
       {"Warning: Primary beam PB1 outstand distance (100) should be at least 150 mm"}},
      {"primary edge beam slab wider than outstand", kStandard2017,
       [](TProject& p) {
         p.Geometry.IsEdgeBeam = true;
         p.Geometry.Outstand = 100;
         p.UpdateBeamGeometry();
         p.GetBeam(0)->CompositeSection(0)->bcRight = 200;
       },
       {"Warning: Primary beam PB1 outstand distance (100) should be at least 150 mm",
        "Warning: Primary beam PB1 composite slab width side 2 (200) must be less than edge beam outstand (100)"}},
      {"primary side 1 slab width", kStandard2017,
       [](TProject& p) { p.GetBeam(0)->CompositeSection(0)->bcLeft = 4500.5; },
       {"Warning: Primary beam PB1 composite slab width side 1 (4500.5) must be less than half the beam spacing "
        "(9000/2)"}},
      // Side 2 of the primary beam is measured against half the side 2 spacing;
      // 4000 would pass against 9000 / 2. Beam 2 now exists and is checked
      // against its own secondary spacing.
      {"side 2 spacing differs", kStandard2017,
       [](TProject& p) {
         p.Geometry.IsSide2SameAsSide1 = false;
         p.Geometry.SpacingSide2 = 6000;
         p.Geometry.SecondarySpacingSide2 = 2000;
         p.UpdateBeamGeometry();
         p.GetBeam(0)->CompositeSection(0)->bcRight = 4000;
         p.GetBeam(2)->CompositeSection(0)->bcLeft = 1200;
       },
       {"Warning: Primary beam PB1 composite slab width side 2 (4000) must be less than half the beam spacing "
        "(6000/2)",
        "Warning: Secondary beam SB2 composite slab width side 1 (1200) must be less than half the beam spacing "
        "(2000/2)"}},
      {"secondary beam checks", kStandard2017,
       [](TProject& p) {
         p.GetBeam(1)->CompositeSection(0)->bcLeft = 1600;
         p.GetBeam(1)->CompositeSection(0)->bcRight = 1700;
       },
       {"Warning: Secondary beam SB1 composite slab width side 1 (1600) must be less than half the beam spacing "
        "(3000/2)",
        "Warning: Secondary beam SB1 composite slab width side 2 (1700) must be less than half the beam spacing "
        "(3000/2)"}},
      // Without a primary beam the first secondary beam is the edge beam.
      {"secondary edge beam", kStandard2017,
       [](TProject& p) {
         p.Geometry.HasPrimaryBeam = false;
         p.Geometry.IsEdgeBeam = true;
         p.Geometry.Outstand = 120;
         p.GetBeam(0)->CompositeSection(0)->bcLeft = 99999;  // not checked: no primary beam
         p.UpdateBeamGeometry();
         p.GetBeam(1)->CompositeSection(0)->bcRight = 130;
       },
       {"Warning: Secondary beam SB1 outstand distance (120) should be at least 150 mm",
        "Warning: Secondary beam SB1 composite slab width side 2 (130) must be less than edge beam outstand (120)"}},
      // Beams are validated last, and only when all else passed; beam 2 only when it exists.
      {"beam validation", kStandard2017,
       [](TProject& p) {
         p.GetBeam(1)->Mark = "";
         p.GetBeam(2)->Mark = "";
       },
       {"Warning: Secondary beam mark cannot be blank"}},
      {"beam validation waits", kStandard2017,
       [](TProject& p) {
         p.GetBeam(1)->Mark = "";
         p.ConcreteFloor.ConcreteStrength = 10;
       },
       {"Warning: Concrete strength grade should be at least 15 MPa"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TStandardVersionScope guard(c.edition);
    TProject p;
    MakeValidProject(p);
    c.change(p);
    EXPECT_EQ(p.IsOK(), c.messages.empty());
    EXPECT_EQ(Messages(p.Status), c.messages);
    if (!c.messages.empty()) {
      EXPECT_EQ(p.Status.ErrorLevel, c.level);
    }
    EXPECT_TRUE(p.Status.IsChecked);
  }
}

TEST(Project, GeometryWarningsMakeTheProjectNotOK) {
  TProject p;
  MakeValidProject(p);
  p.Geometry.ThetaSide1 = 95;
  EXPECT_FALSE(p.IsOK());
  EXPECT_EQ(Messages(p.Status), std::vector<std::string>{"Warning: Side 1 deck angle must be between 0 and 90"});
}

TEST(Project, LimitStatesCountInTheVerdict) {
  TProject p;
  MakeValidProject(p);
  // A limit state has no checks of its own; its status is taken as it stands.
  p.LimitStateList.Item(1)->Status.SetError(elWarning, "Short-term factors");
  EXPECT_FALSE(p.IsOK());
  EXPECT_EQ(Messages(p.Status), std::vector<std::string>{"Warning: Short-term factors"});
}

// ---------------------------------------------------------------------------
// Assessment.

TEST(Project, AssessmentCountsOnlyTheExistingBeams) {
  TProject p;
  MakeValidProject(p);
  EXPECT_TRUE(p.GetIsAssessmentOK());

  // Beam 2 is not designed while the sides are alike.
  p.GetBeam(2)->Min_spacing_violation = true;
  EXPECT_TRUE(p.GetIsAssessmentOK());
  p.Geometry.IsSide2SameAsSide1 = false;
  EXPECT_FALSE(p.GetIsAssessmentOK());
  p.GetBeam(2)->Min_spacing_violation = false;

  // The primary beam counts only when the floor has one.
  p.GetBeam(0)->Min_spacing_violation = true;
  EXPECT_FALSE(p.GetIsAssessmentOK());
  p.Geometry.HasPrimaryBeam = false;
  EXPECT_TRUE(p.GetIsAssessmentOK());

  // Beam 1 always counts.
  p.GetBeam(1)->Status.SetError(elWarning, "failed");
  EXPECT_FALSE(p.GetIsAssessmentOK());
  EXPECT_EQ(p.StringValue("IsAssessmentOK", "", 0, 3), "False");
}

// ---------------------------------------------------------------------------
// Report block.

TEST(Project, DumpWritesTheSettingsBlock) {
  TProject p;
  p.SetLimitStateValues(nullptr);
  p.Project = "Level 3 \"East\"";
  p.Description = "First line\r\nSecond, with comma\rThird";
  p.Designer = "J. Smith, Eng";
  TStringList txt = {"kept"};
  {
    TStandardVersionScope guard(kStandard2017);
    p.Dump(txt, true);
  }
  // Default deflection limits: 200, 250, -, 300, 250 (ratios); 55 mm at stage 3; 0.4 shrinkage.
  const TStringList expected = {
      "kept",
      "PROJECT SETTINGS",
      "",
      "Project,\"Level 3 \"\"East\"\"\"",  // inner quotes doubled: one cell
      ",\"First line\"",
      ",\"Second, with comma\"",
      ",\"Third\"",
      "Designer,\"J. Smith, Eng\"",  // quoted: the comma stays in the cell
      "Standard,AS/NZS2327:2017",
      "",
      "LOAD FACTORS",
      ",LF dead,LF live",
      "Strength,1.2,1.5",
      "Short-term,1.0,0.7",
      "Long-term,1.0,0.4",
      "Construc.Defl,1.0,0.0",
      "Construc.Stress,1.0,1.0",
      "",
      "DEFLECTION DATA",
      "Stage,3 (DL),5&6 (DL),3&5&6 (DL),InService (incremental),InService (total)",
      "\"Span/Defl (ratio)\",200,250,,300,250",
      "\"Absolute (mm)\",55,,,,",
      "",
      "\"Ratio of shrinkage prior to InService\",0.4",
      "",
      ""};
  EXPECT_EQ(txt, expected);

  // No description, no description lines; the edition names itself.
  p.Description.clear();
  TStringList old;
  TStandardVersionScope guard(kStandard2003);
  p.Dump(old, false);
  ASSERT_GE(old.size(), 5u);
  EXPECT_EQ(old[3], "Designer,\"J. Smith, Eng\"");
  EXPECT_EQ(old[4], "Standard,AS/NZS2327.1-2003");
}

TEST(Project, ValuesWithoutPhysicalMeaningAreWarnings) {
  // Negative factors and loads would lighten the beam's design actions and
  // let it pass: the project is not OK, so nothing runs.
  struct Case {
    const char* name;
    std::function<void(TProject&)> change;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"negative dead load factor", [](TProject& p) { p.LimitStateList.ItemAs<TLimitState>(0)->LFdead = -1.2; },
       {"Warning: Limit state Strength: dead load factor (-1.2) must not be negative"}},
      {"negative live load factor", [](TProject& p) { p.LimitStateList.ItemAs<TLimitState>(2)->LFlive = -0.4; },
       {"Warning: Limit state Long-term: live load factor (-0.4) must not be negative"}},
      {"negative floor loads",
       [](TProject& p) {
         p.Geometry.NominalLiveLoad = -3;
         p.Geometry.DeadLoad = -1.5;
         p.Geometry.FacadeLoad = -5;
         p.Geometry.PondingAllowance = -10;
       },
       {"Warning: Nominal live load (-3) must not be negative",
        "Warning: Superimposed dead load (-1.5) must not be negative",
        "Warning: Facade load (-5) must not be negative", "Warning: Ponding allowance (-10) must not be negative"}},
      {"negative wet density", [](TProject& p) { p.ConcreteFloor.WetDensity = -2400; },
       {"Warning: Wet concrete density (-2400) must not be negative"}},
      {"negative deck mass", [](TProject& p) { p.SteelDeck.Mass = -12; },
       {"Warning: Steel deck mass (-12) must not be negative"}},
      {"zero is a value", [](TProject& p) {
         p.LimitStateList.ItemAs<TLimitState>(3)->LFlive = 0;
         p.Geometry.DeadLoad = 0;
         p.Geometry.FacadeLoad = 0;
       }, {}},
      // Absurd numbers would leave no finite result ("INF%", "nan" in charts).
      {"a load factor of 1e308", [](TProject& p) { p.LimitStateList.ItemAs<TLimitState>(0)->LFdead = 1e308; },
       {"Warning: Limit state Strength: dead load factor (1E308) must be between 0 and 10"}},
      {"a live load factor of 11", [](TProject& p) { p.LimitStateList.ItemAs<TLimitState>(0)->LFlive = 11; },
       {"Warning: Limit state Strength: live load factor (11) must be between 0 and 10"}},
      {"floor loads beyond any floor's",
       [](TProject& p) {
         p.Geometry.NominalLiveLoad = 300;
         p.Geometry.PondingAllowance = 150;
       },
       {"Warning: Nominal live load (300) must be between 0 and 100 kPa",
        "Warning: Ponding allowance (150) must be between 0 and 100 mm"}},
      {"deflection limits",
       [](TProject& p) {
         p.DeflectionLimit.TotalRelLimit = -250;
         p.DeflectionLimit.Stage3DLAbsLimit = 1e9;
         p.DeflectionLimit.ShrinkageRatioPriorInservice = 1.5;
       },
       {"Warning: Deflection limit InService - total: span/deflection ratio (-250) must not be negative",
        "Warning: Deflection limit 3: absolute limit (1000000000) must be between 0 and 1000 mm",
        "Warning: Ratio of shrinkage prior to InService (1.5) must be between 0 and 1"}},
      // Every other number of the project too, also one no other check reads.
      {"a side-2 span while the sides are the same", [](TProject& p) { p.Geometry.SpacingSide2 = 1e300; },
       {"Warning: Geometry SpacingSide2 (1E300) is outside the range of any floor (-1000000 to 1000000)"}},
      {"a beam's camber", [](TProject& p) { p.GetBeam(0)->CamberAbsolute = 2e6; },
       {"Warning: Primary beam PB1 CamberAbsolute (2000000) is outside the range of any floor (-1000000 to "
        "1000000)"}},
      {"a plate of a steel section", [](TProject& p) { p.GetBeam(1)->SteelSection(2)->tp = -1e7; },
       {"Warning: Secondary beam SB1 steel section 3 tp (-10000000) is outside the range of any floor (-1000000 "
        "to 1000000)"}},
      {"a composite section's slab width",
       [](TProject& p) { p.GetBeam(0)->CompositeSection(0)->StartPosition = 5e6; },
       {"Warning: Primary beam PB1 composite section 1 StartPosition (5000000) is outside the range of any floor "
        "(-1000000 to 1000000)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TProject p;
    MakeValidProject(p);
    c.change(p);
    EXPECT_EQ(p.IsOK(), c.messages.empty());
    EXPECT_EQ(Messages(p.Status), c.messages);
  }
}

TEST(Project, UserLoadsThatCannotBeRealStopTheAnalysis) {
  // Every user load of every analysed beam: errors for loads that cannot be
  // real, warnings (which stop an analysis too) for implausible ones.
  auto add_distributed = [](TImportedBeam& b, double start_value, double finish_value, double finish) {
    auto l = std::make_unique<TDistributedLoad>();
    l->ConStage = 7;
    l->StartValue = start_value;
    l->FinishValue = finish_value;
    if (finish > 0) {
      l->IsFinishPositionAtEnd = false;
      l->IsFinishPositionProportional = false;
      l->FinishPosition = finish;
    }
    b.DistributedLoadList.AddLoad(std::move(l));
  };
  struct Case {
    const char* name;
    std::function<void(TProject&)> change;
    std::vector<std::string> messages;
    TErrorLevel level = elError;
  };
  const Case cases[] = {
      {"a full-span uplift on the primary beam",
       [&](TProject& p) { add_distributed(*p.GetBeam(0), -20, -20, 0); },
       {"Error: Primary beam PB1, distributed load 1: start value -20 kN/m is negative",
        "Error: Primary beam PB1, distributed load 1: finish value -20 kN/m is negative"}},
      {"a secondary beam's second load beyond its span",
       [&](TProject& p) {
         add_distributed(*p.GetBeam(1), 2, 2, 0);
         add_distributed(*p.GetBeam(1), 2, 2, 10500);
       },
       {"Error: Secondary beam SB1, distributed load 2: finish 10500 mm is beyond the span of 9000 mm"}},
      {"500 kN/m is heavy, not impossible", [&](TProject& p) { add_distributed(*p.GetBeam(0), 500, 500, 0); }, {},
       elNone},
      {"5000 kN/m is a slip of the units", [&](TProject& p) { add_distributed(*p.GetBeam(0), 5000, 0, 0); },
       {"Warning: Primary beam PB1, distributed load 1: start value 5000 kN/m is more than 1000 kN/m; check the "
        "units"},
       elWarning},
      {"a point load off the beam",
       [](TProject& p) {
         auto l = std::make_unique<TPointLoad>();
         l->ConStage = 5;
         l->Position = 12000;
         l->Value = 10;
         p.GetBeam(0)->PointLoadList.AddLoad(std::move(l));
       },
       {"Error: Primary beam PB1, point load 1: position 12000 mm is beyond the span of 9000 mm"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TProject p;
    MakeValidProject(p);
    c.change(p);
    EXPECT_EQ(p.IsOK(), c.messages.empty());
    EXPECT_EQ(Messages(p.Status), c.messages);
    EXPECT_EQ(p.Status.ErrorLevel, c.level);
  }
}

TEST(Project, AnEffectiveSpacingOtherThanTheSpanIsANoteOfTheValidation) {
  // The sample's 9 m bay made 10 m with the primary beam left at 9 m: the
  // analysis goes ahead, and the note travels with the validation's messages.
  TProject p;
  MakeValidProject(p);
  EXPECT_TRUE(p.AnalysisNotes().empty());
  p.Geometry.SpacingSide1 = p.Geometry.SpacingSide2 = 10000;
  p.UpdateBeamGeometry();
  const std::string note = "Primary beam effective spacing (9000 mm) differs from the secondary beam span (10000 mm)";
  EXPECT_EQ(p.AnalysisNotes(), std::vector<std::string>{note});
  EXPECT_TRUE(p.IsOK()) << p.Status.ErrorMsg;
  EXPECT_EQ(Actual(p, "ERRORMSG", "?"), "");  // not a message of the project's verdict

  TSession session;
  ASSERT_TRUE(session.LoadLibraries(std::string(TREVALON_BIN_DIR) + "/Trevalon.tvl").IsOK());
  const TStatus status = ValidateForAnalysis(session, p);
  EXPECT_TRUE(status.IsOK());  // a note does not count against the project
  ASSERT_EQ(status.ErrorList().size(), 1u);
  EXPECT_EQ(status.ErrorList()[0].Text, "Note: " + note);
  EXPECT_EQ(status.ErrorList()[0].Level, elHint);
}

TEST(Project, ProppingFollowsTheConstructionSequence) {
  // A secondary beam is never propped on an unpropped primary beam.
  const struct {
    const char* name;
    bool has_primary;
    bool props_before[3];
    int side;
    bool propped;
    bool props_after[3];
    const char* told;
  } cases[] = {
      {"primary unpropped: the secondaries follow", true, {true, true, false}, 0, false, {false, false, false},
       "Secondary beams will also be set to unpropped"},
      {"primary unpropped, secondaries were not", true, {true, false, false}, 0, false, {false, false, false}, ""},
      {"secondary propped: the primary follows", true, {false, false, false}, 1, true, {true, true, false},
       "Primary beam will also be set to propped"},
      {"secondary propped under a propped primary", true, {true, false, false}, 2, true, {true, false, true}, ""},
      {"primary propped alone", true, {false, false, false}, 0, true, {true, false, false}, ""},
      {"secondary unpropped alone", true, {true, true, true}, 1, false, {true, false, true}, ""},
      {"no primary beam to tell about", false, {false, false, false}, 1, true, {true, true, false}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TProject p;
    MakeValidProject(p);
    p.Geometry.HasPrimaryBeam = c.has_primary;
    for (int i = 0; i < 3; ++i) p.GetBeam(i)->IsPropped = c.props_before[i];
    EXPECT_EQ(p.SetBeamPropped(c.side, c.propped), c.told);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(p.GetBeam(i)->IsPropped, c.props_after[i]) << "beam " << i;
  }
}

TEST(Project, DesignTableLengthsMeetTheGeometrysLimits) {
  const struct {
    std::vector<double> spans, spacings;
    std::string problem;  // "" when they pass
  } cases[] = {
      {{6000, 9000}, {2500, 3000}, ""},
      {{1500, 25000}, {1000, 25000}, ""},
      {{}, {}, ""},
      {{-9000}, {3000}, "Design table span -9000 mm must be between 1500 and 25000 mm"},
      {{1e300}, {3000}, "Design table span 1E300 mm must be between 1500 and 25000 mm"},
      {{0}, {3000}, "Design table span 0 mm must be between 1500 and 25000 mm"},
      {{9000}, {999}, "Design table spacing 999 mm must be between 1000 and 25000 mm"},
      {{9000}, {25001}, "Design table spacing 25001 mm must be between 1000 and 25000 mm"},
  };
  for (const auto& c : cases) {
    const TResult checked = CheckDesignTableLengths(c.spans, c.spacings);
    EXPECT_EQ(checked.IsOK(), c.problem.empty()) << c.problem;
    if (!c.problem.empty()) {
      EXPECT_EQ(checked.Message(), c.problem);
    }
  }
}
