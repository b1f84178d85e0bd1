// TBeam: lifecycle, links, names, the test-property listing, input checks and
// persistence.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "components/steel_test_sections.h"
#include "engine/beam_fixture.h"
#include "entity/cIniFiles.h"

namespace {

const char* const kLabels[4] = {"Base steel beam", "Notched (End 1)", "Plated", "Notched (End 2)"};

std::vector<std::string> Lines(const TStatus& status) {
  std::vector<std::string> lines;
  for (const TStatusLine& line : status.ErrorList()) lines.push_back(line.Text);
  return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

// ---------------------------------------------------------------------------
// Lifecycle

TEST(BeamTest, NewBeamHasFourAutoSelectSectionsAndFourStages) {
  TBeam b;
  EXPECT_EQ(b.SectionName, "Beam");
  ASSERT_EQ(b.SteelSectionList.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    const TSteelSection& s = *b.SteelSection(i);
    EXPECT_EQ(s.SteelSectionLabel, kLabels[i]);
    EXPECT_EQ(b.SteelSectionList.SteelSectionByLabel(kLabels[i]), &s);
    EXPECT_EQ(s.SectionType, "UB");
    EXPECT_EQ(s.Grade, "KESTREL");
    EXPECT_EQ(s.Name, "<Auto-select>");
  }
  ASSERT_EQ(b.ConstructionStageList.Count(), 4);
  const int stages[] = {3, 5, 6, 7};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(b.StageObject(stages[i])->Stage, stages[i]);
    EXPECT_EQ(b.ConstructionStageList.Find(std::to_string(stages[i])), b.StageObject(stages[i]));
  }
  EXPECT_EQ(b.StageObject(4), nullptr);
  EXPECT_EQ(b.DesignCompositeStage, 7);
  EXPECT_TRUE(b.CompositeSectionList.Empty());
  EXPECT_TRUE(b.PCCList.Empty());
  EXPECT_EQ(b.ConcreteFloor, nullptr);
  EXPECT_EQ(b.LimitStateList, nullptr);
  EXPECT_EQ(b.AllStages(), TConstructionStageSet::Of(3, 5, 6, 7));
}

TEST(BeamTest, ClearRestoresInputsAndKeepsLinks) {
  TBeamFixture f;
  f.AddOfficeLoads();
  f.beam.IsPropped = true;
  f.beam.DesignCompositeStage = 6;
  f.beam.SteelSection(2)->fyp = 300;
  auto u = std::make_unique<TUserPCC>();
  f.beam.UserPCCList.Add("0", std::move(u));
  f.Analyse();
  f.beam.Clear();
  TBeam& b = f.beam;
  EXPECT_EQ(b.Mark, "");
  EXPECT_FALSE(b.IsPropped);
  EXPECT_EQ(b.DesignCompositeStage, 7);
  EXPECT_TRUE(b.CompositeSectionList.Empty());
  EXPECT_TRUE(b.UserPCCList.Empty());
  EXPECT_TRUE(b.DistributedLoadList.Empty());
  EXPECT_TRUE(b.PCCList.Empty());
  EXPECT_EQ(b.SteelSection(2)->fyp, 0);
  EXPECT_EQ(b.SteelSection(0)->Name, "<Auto-select>");
  EXPECT_EQ(b.ConstructionStageList.Count(), 4);
  EXPECT_EQ(b.ConcreteFloor, &f.concrete);  // links and geometry belong to the project
  EXPECT_EQ(b.DeflectionLimit, &f.limits);
  EXPECT_EQ(b.Span, 9000);
}

TEST(BeamTest, DesignCompositeStageLimitsTheStages) {
  TBeam b;
  b.DesignCompositeStage = 6;
  EXPECT_EQ(b.AllStages(), TConstructionStageSet::Of(3, 5, 6));
  b.DesignCompositeStage = 3;
  EXPECT_EQ(b.AllStages(), TConstructionStageSet::Of(3));
}

TEST(BeamTest, NominalWidthsFollowIntoTheSlabWidthsWhenAsked) {
  TBeamFixture f;
  TBeam& b = f.beam;
  auto cs = std::make_unique<TCompositeSection>();
  cs->CompositeSectionLabel = "2";
  cs->bcLeft = 0.5;  // below 1 mm: follows the nominal width
  cs->bcRight = 800;
  b.CompositeSectionList.Add("2", std::move(cs));
  b.IsChanged = false;
  b.SetNominalWidthSide1(1200);
  b.SetNominalWidthSide2(1300);
  EXPECT_EQ(b.NominalWidthSide1, 1200);
  EXPECT_EQ(b.CompositeSection(0)->bcLeft, 1500);  // set by the user, kept
  EXPECT_EQ(b.CompositeSection(1)->bcLeft, 1200);
  EXPECT_EQ(b.CompositeSection(1)->bcRight, 800);
  EXPECT_FALSE(b.IsChanged);  // geometry from the floor does not mark the beam changed
  b.WillAutosizeSlabWidths = true;
  b.SetNominalWidthSide2(1400);
  EXPECT_EQ(b.CompositeSection(0)->bcRight, 1400);
  EXPECT_EQ(b.CompositeSection(1)->bcRight, 1400);
  b.SetNamedPropertyValue("Mark", "B7");  // an input does
  EXPECT_TRUE(b.IsChanged);
}

// ---------------------------------------------------------------------------
// Names

TEST(BeamTest, LongNameSaysWhichBeam) {
  TBeam b;
  EXPECT_EQ(b.LongName(), "Secondary beam");
  b.Mark = "SB1";
  EXPECT_EQ(b.LongName(), "Secondary beam SB1");
  b.IsPrimaryBeam = true;
  EXPECT_EQ(b.LongName(), "Primary beam SB1");
  EXPECT_EQ(b.StringValue("LongName", "", 0, 0), "Primary beam SB1");
}

TEST(BeamTest, PCCAtNamesAPositionAlongTheBeam) {
  // Midspan of the office beam: 11 + (4500 - 4175) / 400 = 11.81 connectors,
  // beta = 11.81 x 82.142 / 1467.64 = 0.661.
  TBeamFixture f;
  f.AddOfficeLoads();
  f.Analyse();
  EXPECT_EQ(f.beam.EntityProperty("PCCAT", 4500), f.beam.GetPCCAt(4500));
  EXPECT_EQ(f.beam.EntityProperty("PCCAt", -20), f.beam.GetPCCAt(0));
  EXPECT_EQ(f.beam.EntityProperty("PCCAT", 4000), nullptr);
  std::string actual;
  bool ok = false;
  f.beam.CalcActualValue("PCCAt4500.beta_actual", "0.661 (+/-0.002)", actual, ok);
  EXPECT_TRUE(ok) << actual;
  f.beam.CalcActualValue("PCCAt4500.beta_actual", "0.5 (+/-0.002)", actual, ok);
  EXPECT_FALSE(ok);
  f.beam.CalcActualValue("PCCAt4500.MDes0,7", "291.47 (+/-0.01)", actual, ok);
  EXPECT_TRUE(ok) << actual;
  f.beam.CalcActualValue("PCCAt4000.beta_actual", "0", actual, ok);
  EXPECT_EQ(actual, "** UNKNOWN ENTITY **");
}

TEST(BeamTest, KtNamesTheConnectorReductionFactor) {
  // Thin open ribs across the beam: 0.85 for one stud per rib, 0.7 for two, 0 for three.
  TBeamFixture f;
  f.deck.DeckType = 1;
  TBeam& b = f.beam;
  EXPECT_EQ(b.StringValue("KT", "", 0, 3), "0.85");
  EXPECT_EQ(b.StringValue("kt", "", 0, 3), "0.85");
  EXPECT_EQ(b.StringValue("KT1", "", 0, 3), "0.85");
  EXPECT_EQ(b.StringValue("KT2", "", 0, 3), "0.7");
  EXPECT_EQ(b.StringValue("KT3", "", 0, 3), "0");
  b.UserNr = 2;  // no number: the user's count per group
  EXPECT_EQ(b.StringValue("KT", "", 0, 3), "0.7");
  EXPECT_EQ(b.StringValue("KT1", "", 0, 3), "0.85");
  EXPECT_EQ(b.StringValue("KTX", "none", 0, 3), "none");  // not a kt name
  TStandardVersionScope edition2003(kStandard2003);
  EXPECT_EQ(b.StringValue("KT3", "", 0, 3), "1");
}

TEST(BeamTest, PropertyListingUsesPlaceholdersAndRemovesThem) {
  TBeamFixture f;
  f.AddOfficeLoads();
  f.Analyse();
  TBeam& b = f.beam;
  const int cs = b.CompositeSectionList.Count(), pcc = b.PCCList.Count();
  std::vector<std::string> lines;
  b.GetProperties(lines, "Beam", "", 1);
  EXPECT_EQ(b.CompositeSectionList.Count(), cs);
  EXPECT_EQ(b.PCCList.Count(), pcc);
  EXPECT_EQ(b.UserPCCList.Count(), 0);
  EXPECT_EQ(b.SteelSectionList.Count(), 4);
  EXPECT_EQ(b.DistributedLoadList.Count(), 5);
  EXPECT_EQ(b.PointLoadList.Count(), 0);
  EXPECT_EQ(b.CompositeSectionList.Find("<DUMMY>"), nullptr);
  EXPECT_EQ(b.PCCList.Find("<DUMMY>"), nullptr);
  EXPECT_TRUE(b.PCCList.Sorted);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "Beam,kt,Float,O");
  EXPECT_TRUE(Contains(lines, "Beam,Mark,String,IO"));
  EXPECT_TRUE(Contains(lines, "<Beam>,Mark,String,I"));
  EXPECT_TRUE(Contains(lines, "Beam.PCCAt*,beta_actual,Float,O"));
  EXPECT_TRUE(Contains(lines, "<Beam>UserPCC,x<N>,Float,I"));
  // The list counts in their order.
  std::vector<std::string> counts;
  for (const std::string& line : lines)
    if (line.find(",Count,Integer,I") != std::string::npos) counts.push_back(line);
  const std::vector<std::string> expected = {
      "<Beam>UserPCC,Count,Integer,I", "<Beam>SteelSection,Count,Integer,I",
      "<Beam>CompositeSection,Count,Integer,I", "<Beam>DistributedLoad,Count,Integer,I",
      "<Beam>PointLoad,Count,Integer,I"};
  EXPECT_EQ(counts, expected);
  // Without depth no PCC is listed; before an analysis the placeholder stands in.
  lines.clear();
  b.GetProperties(lines, "Beam", "", 0);
  EXPECT_FALSE(Contains(lines, "Beam.PCCAt*,beta_actual,Float,O"));
  TBeam fresh;
  lines.clear();
  fresh.GetProperties(lines, "Beam", "", 1);
  EXPECT_TRUE(Contains(lines, "Beam.PCCAt*,beta_actual,Float,O"));
  EXPECT_TRUE(fresh.PCCList.Empty());
  EXPECT_TRUE(fresh.CompositeSectionList.Empty());
}

// ---------------------------------------------------------------------------
// Input checks

TEST(BeamTest, TheOfficeBeamIsValid) {
  TBeamFixture f;
  f.AddOfficeLoads();
  EXPECT_TRUE(f.beam.IsOK()) << f.beam.Status.ErrorText();
  EXPECT_TRUE(f.beam.Status.IsChecked);
}

TEST(BeamTest, InputChecksWithTheirBounds) {
  struct Case {
    const char* what;
    void (*setup)(TBeam&);
    const char* line;
  } cases[] = {
      {"mark", [](TBeam& b) { b.Mark = ""; }, "Warning: Secondary beam mark cannot be blank"},
      {"limits", [](TBeam& b) { b.DeflectionLimit = nullptr; },
       "Error: Secondary beam SB1 deflection limits not defined"},
      {"absolute camber",
       [](TBeam& b) {
         b.CamberType = 2;
         b.CamberAbsolute = 120;
       },
       "Warning: Secondary beam SB1 specified camber must be between 0 and 100"},
      {"relative camber",
       [](TBeam& b) {
         b.CamberType = 3;
         b.CamberRelative = 50;
       },
       "Warning: Secondary beam SB1 specified camber must be between Span/100 and Span/2000"},
      {"mark with a percent sign",
       [](TBeam& b) {
         b.Mark = "50%";
         b.CamberType = 3;
         b.CamberRelative = 50;
       },
       "Warning: Secondary beam 50% specified camber must be between Span/100 and Span/2000"},
      {"shear connection ratio",
       [](TBeam& b) {
         b.StudCountBasis = 1;
         b.UserBeta = 0.3;
       },
       "Warning: Secondary beam SB1 specified shear connection ratio must be between 0.40 and 1.0"},
      {"total connectors",
       [](TBeam& b) {
         b.StudCountBasis = 2;
         b.UserStudCount = 201;
       },
       "Warning: Secondary beam SB1 specified total number of shear connectors must be between 1 "
       "and 200"},
      {"steel sections", [](TBeam& b) { b.SteelSectionList.Delete(3); },
       "Error: Secondary beam SB1 must have 4 steel sections defined"},
      {"no composite sections", [](TBeam& b) { b.CompositeSectionList.Clear(); },
       "Error: Secondary beam SB1 no composite sections defined"},
      {"eleven composite sections",
       [](TBeam& b) {
         for (int i = 2; i <= 11; ++i) {
           auto cs = std::make_unique<TCompositeSection>();
           cs->Assign(b.CompositeSection(0));
           cs->CompositeSectionLabel = std::to_string(i);
           b.CompositeSectionList.Add(std::to_string(i), std::move(cs));
         }
       },
       "Warning: Secondary beam SB1 maximum of 10 composite sections should be defined"},
      {"a composite section's own check", [](TBeam& b) { b.CompositeSection(0)->bcLeft = 0; },
       "Error: Invalid side 1 slab width for composite section [1]"},
  };
  for (const Case& c : cases) {
    TBeamFixture f;
    f.AddOfficeLoads();
    c.setup(f.beam);
    EXPECT_FALSE(f.beam.IsOK()) << c.what;
    EXPECT_TRUE(Contains(Lines(f.beam.Status), c.line)) << c.what << "\n"
                                                        << f.beam.Status.ErrorText();
  }
  // Values at their bounds pass (the real checks allow the status tolerance).
  TBeamFixture f;
  f.beam.CamberType = 3;
  f.beam.CamberRelative = 2000;
  f.beam.StudCountBasis = 1;
  f.beam.UserBeta = 0.4;
  EXPECT_TRUE(f.beam.IsOK()) << f.beam.Status.ErrorText();
}

TEST(BeamTest, WeldedBeamRestrictionsForAUserDefinedSection) {
  // A 500 mm deep Custom_I with 150 x 10 flanges and a 5 mm web against the
  // restriction for 400 mm and deeper: flanges 180 x 12, web 6.
  TBeamFixture f;
  TEntityList restrictions = TEntityList::Of<TCWBRestriction>();
  auto add = [&](double min_depth, double max_depth, double bf, double tf, double tw) {
    auto r = std::make_unique<TCWBRestriction>();
    r->MinDepth = min_depth;
    r->MaxDepth = max_depth;
    r->bfMin = bf;
    r->tfMin = tf;
    r->twMin = tw;
    restrictions.Add(std::to_string(restrictions.Count()), std::move(r));
  };
  add(0, 400, 100, 8, 4);
  add(400, -1, 180, 12, 6.5);
  f.beam.SetCWBLimits(&restrictions);
  SetCustomI(*f.beam.SteelSection(0), 500, 150, 10, 300, 5, 300, 150, 10, 300);
  EXPECT_FALSE(f.beam.IsOK());
  const std::vector<std::string> lines = Lines(f.beam.Status);
  for (const char* line :
       {"Warning: Secondary beam SB1 top flange width must be at least 180 for this depth CWB",
        "Warning: Secondary beam SB1 bottom flange width must be at least 180 for this depth CWB",
        "Warning: Secondary beam SB1 top flange thickness must be at least 12 for this depth CWB",
        "Warning: Secondary beam SB1 bottom flange thickness must be at least 12 for this depth "
        "CWB",
        "Warning: Secondary beam SB1 web thickness must be at least 6.5 for this depth CWB"})
    EXPECT_TRUE(Contains(lines, line)) << line << "\n" << f.beam.Status.ErrorText();

  // Within the first band, or a standard section, nothing is restricted.
  SetCustomI(*f.beam.SteelSection(0), 350, 150, 10, 300, 5, 300, 150, 10, 300);
  f.beam.IsOK();
  EXPECT_EQ(f.beam.Status.ErrorText().find("for this depth CWB"), std::string::npos);
  f.SetSection("310UB40.4");
  f.beam.SteelSection(0)->SetSectionType("UB");
  f.beam.SteelSection(0)->BaseSteelSection.tw = 5;
  f.beam.IsOK();
  EXPECT_EQ(f.beam.Status.ErrorText().find("for this depth CWB"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Persistence

namespace {

// The office beam with every saved input away from its default.
void FillInputs(TBeamFixture& f) {
  TBeam& b = f.beam;
  f.AddOfficeLoads();
  f.AddPoint(5, 3000, 12.5, true);
  b.DistributedLoadList.AddLoad(
      TDistributedLoad::CreateNewAutoCalc(3, 2.0, false, "(Auto) Facade"));
  b.PointLoadList.AddLoad(
      TPointLoad::CreateNewAutoCalc(3, 4500, 30, false, "(Auto) Secondary beam"));
  b.Description = "Office, level 2";
  b.CamberType = 3;
  b.CamberAbsolute = 12;
  b.CamberRelative = 300;
  b.WillAutosizeSlabWidths = true;
  b.WillIgnoreHighStressEffectOnStuds = true;
  b.UserNr = 2;
  b.StudCountBasis = 1;
  b.UserBeta = 0.6;
  b.UserStudCount = 30;
  b.IsPropped = true;
  TSteelSection& plated = *b.SteelSectionList.SteelSectionByLabel("Plated");
  plated.bp = 200;
  plated.tp = 12;
  plated.fyp = 300;
  auto cs = std::make_unique<TCompositeSection>();
  cs->CompositeSectionLabel = "Plated length";
  cs->SteelSectionLabel = "Plated";
  cs->StartPosition = 3000;
  cs->bcLeft = 1200;
  cs->bcRight = 1100;
  b.CompositeSectionList.Add("Plated length", std::move(cs));
  auto u = std::make_unique<TUserPCC>();
  u->x = 2000;
  u->ni = 5;
  b.UserPCCList.Add("0", std::move(u));
}

}  // namespace

TEST(BeamTest, SaveAndLoadRoundTrip) {
  TBeamFixture f;
  FillInputs(f);
  TVEXIniFile ini = TVEXIniFile::FromBytes("");
  f.beam.SaveToIniFile(ini, "Secondary1", "");

  // Published keys, in the beam's own section.
  EXPECT_EQ(ini.ReadString("Secondary1Beam", "Mark", ""), "SB1");
  EXPECT_TRUE(ini.ReadBool("Secondary1Beam", "IsPropped", false));
  EXPECT_EQ(ini.ReadInteger("Secondary1Beam", "UserNr", 0), 2);
  EXPECT_FALSE(ini.ValueExists("Secondary1Beam", "Span"));
  EXPECT_FALSE(ini.ValueExists("Secondary1Beam", "Ds"));
  // Manual loads only.
  EXPECT_EQ(ini.ReadInteger("Secondary1DistributedLoad", "Count", -1), 5);
  EXPECT_EQ(ini.ReadInteger("Secondary1PointLoad", "Count", -1), 1);
  EXPECT_EQ(ini.ReadInteger("Secondary1UserPCC", "Count", -1), 1);

  TBeam loaded;
  loaded.IsChanged = true;
  loaded.LoadFromIniFile(ini, "Secondary1", "");
  EXPECT_FALSE(loaded.IsChanged);
  EXPECT_EQ(loaded.Mark, "SB1");
  EXPECT_EQ(loaded.Description, "Office, level 2");
  EXPECT_EQ(loaded.CamberType, 3);
  EXPECT_EQ(loaded.CamberAbsolute, 12);
  EXPECT_EQ(loaded.CamberRelative, 300);
  EXPECT_TRUE(loaded.WillAutosizeSlabWidths);
  EXPECT_TRUE(loaded.WillIgnoreHighStressEffectOnStuds);
  EXPECT_EQ(loaded.UserNr, 2);
  EXPECT_EQ(loaded.StudCountBasis, 1);
  EXPECT_EQ(loaded.UserBeta, 0.6);
  EXPECT_EQ(loaded.UserStudCount, 30);
  EXPECT_TRUE(loaded.IsPropped);  // a propped beam stays propped
  EXPECT_EQ(loaded.Span, 0);      // the project sets the geometry

  ASSERT_EQ(loaded.SteelSectionList.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(loaded.SteelSection(i)->SteelSectionLabel, kLabels[i]);
    EXPECT_EQ(loaded.SteelSection(i)->Name, "310UB40.4");
  }
  EXPECT_EQ(loaded.SteelSectionList.SteelSectionByLabel("Plated")->fyp, 300);
  EXPECT_EQ(loaded.SteelSectionList.SteelSectionByLabel("Plated")->tp, 12);

  ASSERT_EQ(loaded.CompositeSectionList.Count(), 2);
  const TCompositeSection& plated = *loaded.CompositeSection(1);
  EXPECT_EQ(plated.CompositeSectionLabel, "Plated length");
  EXPECT_EQ(plated.SteelSectionLabel, "Plated");
  EXPECT_EQ(plated.StartPosition, 3000);
  EXPECT_EQ(plated.bcLeft, 1200);
  EXPECT_EQ(plated.bcRight, 1100);

  ASSERT_EQ(loaded.DistributedLoadList.Count(), 5);
  EXPECT_EQ(loaded.DistributedLoadList.AutoLoadCount(), 0);
  const auto& live7 = static_cast<const TDistributedLoad&>(*loaded.DistributedLoadList.Load(4));
  EXPECT_EQ(live7.StartValue, 7.9);
  EXPECT_EQ(live7.ConStage, 7);
  EXPECT_TRUE(live7.IsLiveLoad);
  ASSERT_EQ(loaded.PointLoadList.Count(), 1);
  const auto& point = static_cast<const TPointLoad&>(*loaded.PointLoadList.Load(0));
  EXPECT_EQ(point.Position, 3000);
  EXPECT_EQ(point.Value, 12.5);
  EXPECT_EQ(point.ConStage, 5);

  ASSERT_EQ(loaded.UserPCCList.Count(), 1);
  EXPECT_EQ(loaded.UserPCCList.ItemAs<TUserPCC>(0)->x, 2000);
  EXPECT_EQ(loaded.UserPCCList.ItemAs<TUserPCC>(0)->ni, 5);
}

TEST(BeamTest, OlderFilesWithoutThePropFlagReadUnpropped) {
  TBeamFixture f;
  FillInputs(f);
  TVEXIniFile ini = TVEXIniFile::FromBytes("");
  f.beam.SaveToIniFile(ini, "Secondary1", "");
  ini.DeleteKey("Secondary1Beam", "IsPropped");
  TBeam loaded;
  loaded.IsPropped = true;
  loaded.LoadFromIniFile(ini, "Secondary1", "");
  EXPECT_FALSE(loaded.IsPropped);
  EXPECT_EQ(loaded.Mark, "SB1");
}

TEST(BeamTest, LoadingMatchesSteelSectionsByLabelAndCreatesNoOthers) {
  TVEXIniFile ini = TVEXIniFile::FromBytes(
      "[Primary Beam]\nMark=PB1\n"
      "[Primary SteelSection]\nCount=2\n"
      "SteelSectionLabel1=Plated\nName1=530UB82.0\nfyp1=320\n"
      "SteelSectionLabel2=Haunch\nName2=610UB101\n");
  TBeam b;
  b.LoadFromIniFile(ini, "Primary ", "");
  EXPECT_EQ(b.Mark, "PB1");
  ASSERT_EQ(b.SteelSectionList.Count(), 4);
  EXPECT_EQ(b.SteelSectionList.SteelSectionByLabel("Plated")->Name, "530UB82.0");
  EXPECT_EQ(b.SteelSectionList.SteelSectionByLabel("Plated")->fyp, 320);
  EXPECT_EQ(b.SteelSectionList.SteelSectionByLabel("Base steel beam")->Name, "<Auto-select>");
  EXPECT_EQ(b.SteelSectionList.SteelSectionByLabel("Haunch"), nullptr);
}

TEST(BeamTest, AnEmptyUserPCCListErasesItsSection) {
  TBeamFixture f;
  FillInputs(f);
  TVEXIniFile ini = TVEXIniFile::FromBytes("");
  f.beam.SaveToIniFile(ini, "Secondary1", "");
  ASSERT_TRUE(ini.SectionExists("Secondary1UserPCC"));
  f.beam.UserPCCList.Clear();
  f.beam.SaveToIniFile(ini, "Secondary1", "");
  EXPECT_FALSE(ini.SectionExists("Secondary1UserPCC"));
  TBeam loaded;
  loaded.LoadFromIniFile(ini, "Secondary1", "");
  EXPECT_TRUE(loaded.UserPCCList.Empty());
}

// Each analysis selects the standard of its own thread once and keeps to it:
// two beams analysed at once on two threads under the two editions give what
// each gives alone. The bisection and the spacing passes read the standard
// many times, so a mix-up would show in the results.
TEST(BeamTest, AnalysesUnderBothEditionsOnTwoThreadsAtOnce) {
  struct TResults {
    double strength, deflection, camber, beta;
    int connectors;
    bool operator==(const TResults&) const = default;
  };
  auto analyse = [](int version) {
    TStandardVersionScope edition(version);
    TBeamFixture f;
    f.AddOfficeLoads();
    f.Analyse();
    return TResults{f.beam.MaxStrengthRatio(), f.beam.MaxDeflectionRatio(), f.beam.SuggestedCamber(),
                    f.beam.MaxBetaActual, f.beam.TotalShearConnectors};
  };
  const TResults alone2003 = analyse(kStandard2003);
  const TResults alone2017 = analyse(kStandard2017);
  ASSERT_FALSE(alone2003 == alone2017) << "the editions should differ for this beam";
  for (int round = 0; round < 20; ++round) {
    TResults at_once2003{}, at_once2017{};
    std::thread old_edition([&] { at_once2003 = analyse(kStandard2003); });
    std::thread new_edition([&] { at_once2017 = analyse(kStandard2017); });
    old_edition.join();
    new_edition.join();
    EXPECT_TRUE(at_once2003 == alone2003);
    EXPECT_TRUE(at_once2017 == alone2017);
  }
}
