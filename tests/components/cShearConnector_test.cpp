#include "components/cShearConnector.h"

#include <gtest/gtest.h>

#include <cmath>

#include "components/cConcreteFloor.h"
#include "components/cStandard.h"
#include "components/floor_parts.h"
#include "entity/cEntityList.h"
#include "entity/cIniFiles.h"

namespace {

TConcreteFloor& Concrete(TConcreteFloor& c, double fc, double rho, bool table = false) {
  c.ConcreteStrength = fc;
  c.Density = rho;
  c.WillUseEcTable = table;
  return c;
}

// The library's 19 mm stud, of the given diameter and strength, 4 dbs + 5 high.
void MakeStud(TShearConnector& s, double dbs = 19, double fuc = 450) {
  SetStud19(s);
  s.dbs = dbs;
  s.hsc = 4 * dbs + 5;
  s.fuc = fuc;
}

}  // namespace

TEST(ShearConnector, ClearEmptiesTheIdentityOnly) {
  TShearConnector s;
  EXPECT_EQ(s.SectionName, "ShearConnector");
  EXPECT_FALSE(s.IsCustom);
  MakeStud(s);
  s.ConnectorType = ctHighStrengthBolt;
  s.IsCustom = true;
  s.Clear();
  EXPECT_EQ(s.Name, "");
  EXPECT_FALSE(s.IsCustom);
  EXPECT_EQ(s.ConnectorType, ctHighStrengthBolt);  // taken from the library, kept
  EXPECT_EQ(s.dbs, 19);
}

TEST(ShearConnector, StudIn2017ConcreteFailureGoverns) {
  // EcForStuds = 30000 MPa at f'c 32: 2017 formula from fcmi 35.352, so
  // rho^1.5 = 30000 / (0.043 sqrt(35.352)) and rho = 2396.793 kg/m3.
  TConcreteFloor c;
  Concrete(c, 32, 2396.79304934488);
  ASSERT_NEAR(c.EcForStuds(), 30000, 1e-6);
  TShearConnector s;
  MakeStud(s);
  // steel 0.7 x 361 x 450 / 1000 = 113.7; concrete 0.29 x 361 x sqrt(30000 x 32) / 1000 = 102.57
  EXPECT_NEAR(s.CalcPRk(c, 500), 102.575, 0.001);
  EXPECT_NEAR(s.PRk, 102.575, 0.001);
  EXPECT_NEAR(s.NumericValue("PRk"), 102.575, 0.001);
  EXPECT_TRUE(s.Status.ErrorList().empty());
}

TEST(ShearConnector, CapsOf2017) {
  TConcreteFloor c;
  Concrete(c, 110, 2400, true);  // table: 42200 MPa beyond 100
  TShearConnector s;
  MakeStud(s, 19, 520);
  // fuc capped at 500: 0.7 x 361 x 500 / 1000 = 126.35 (concrete 215.06)
  EXPECT_NEAR(s.CalcPRk(c, 500), 126.35, 1e-9);
  // With steel out of the way: f'c capped at 100, 0.29 x 361 x sqrt(42200 x 100) / 1000
  // = 215.06 (f'c 110 would give 225.56).
  s.fuc = 1000;
  EXPECT_NEAR(s.CalcPRk(c, 1000), 215.061, 0.001);
  // The bolt coefficient: 0.5 x 400 x 800 / 1000 = 160.
  s.ConnectorType = ctHighStrengthBolt;
  s.dbs = 20;
  s.fuc = 800;
  EXPECT_NEAR(s.CalcPRk(c, 800), 160, 1e-9);
}

TEST(ShearConnector, DiameterOutsideTheRuleGivesNothingIn2017) {
  TConcreteFloor c;
  Concrete(c, 32, 2400);
  TShearConnector s;
  MakeStud(s, 12);
  EXPECT_EQ(s.CalcPRk(c, 500), 0);
  EXPECT_TRUE(s.Status.ErrorList().empty());  // the input check reports the diameter
  s.ConnectorType = ctChannel;
  s.dbs = 19;
  EXPECT_EQ(s.CalcPRk(c, 500), 0);
  EXPECT_EQ(s.Status.ErrorLevel, elError);
  EXPECT_EQ(s.Status.ErrorMsg, "Shear connector type not recognised");
}

TEST(ShearConnector, StudIn2003) {
  TStandardVersionScope old(kStandard2003);
  TConcreteFloor c;
  TShearConnector s;
  // f'c 25, rho 2400: Ec = 5055.75 x 5 = 25278.7; concrete 0.31 x 361 x sqrt(25 x 25278.7) / 1000
  // = 88.96 < steel 0.63 x 361 x 410 / 1000 = 93.25
  MakeStud(s, 19, 410);
  EXPECT_NEAR(s.CalcPRk(Concrete(c, 25, 2400), 500), 88.964, 0.001);
  // No cap on fuc: f'c 40 concrete 126.56 > steel 0.63 x 361 x 520 / 1000 = 118.26
  s.fuc = 520;
  EXPECT_NEAR(s.CalcPRk(Concrete(c, 40, 2400), 450), 118.2636, 1e-6);
}

TEST(ShearConnector, BoltsAndChannelsIn2003) {
  TStandardVersionScope old(kStandard2003);
  struct Case {
    int type;
    double fc, rho, PRk;
  };
  const Case cases[] = {
      {ctHighStrengthBolt, 28, 2400, 98 + 3 * 20 / 7.0},          // 106.57
      {ctHighStrengthBolt, 28, 2000, (98 + 3 * 20 / 7.0) * 0.8},  // lightweight 85.26
      {ctHighStrengthBolt, 15, 2400, 67},
      {ctHighStrengthBolt, 20, 2400, 83},
      {ctHighStrengthBolt, 39.999, 2400, 118 + 7.999 * 8 / 8},
      {ctHighStrengthBolt, 40, 2400, 126},
      {ctChannel, 45, 2400, 125},
      {ctChannel, 17.5, 2400, 85.5},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "type " << k.type << " f'c " << k.fc << " rho " << k.rho);
    TConcreteFloor c;
    TShearConnector s;
    s.ConnectorType = k.type;
    EXPECT_NEAR(s.CalcPRk(Concrete(c, k.fc, k.rho), 500), k.PRk, 1e-9);
    EXPECT_TRUE(s.Status.ErrorList().empty());
  }
}

TEST(ShearConnector, CapacityMessagesOf2003) {
  TStandardVersionScope old(kStandard2003);
  TConcreteFloor c;
  TShearConnector s;
  s.ConnectorType = ctChannel;
  EXPECT_EQ(s.CalcPRk(Concrete(c, 12, 2400), 500), 0);
  EXPECT_EQ(s.Status.ErrorLevel, elWarning);
  EXPECT_EQ(s.Status.ErrorMsg, "f'cj too low to calculate shear connector capacity");
  s.Status.Reset();
  s.ConnectorType = 5;
  EXPECT_EQ(s.CalcPRk(Concrete(c, 32, 2400), 500), 0);
  EXPECT_EQ(s.Status.ErrorLevel, elWarning);
  EXPECT_EQ(s.Status.ErrorMsg, "Shear connector type not recognised");
}

TEST(ShearConnector, Spacing) {
  TShearConnector s;
  MakeStud(s);
  EXPECT_DOUBLE_EQ(s.MinSpacing(), 95);
  s.ConnectorType = ctChannel;
  EXPECT_DOUBLE_EQ(s.MinSpacing(), 150);
  EXPECT_DOUBLE_EQ(TShearConnector::MaxSpacing(120), 480);
  EXPECT_DOUBLE_EQ(TShearConnector::MaxSpacing(200), 600);
}

TEST(ShearConnector, Checks) {
  struct Case {
    int version;
    int type;
    double dbs, hsc, fuc;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {kStandard2017, ctHeadedStud, 19, 100, 450, {}},
      {kStandard2017, ctHeadedStud, 22.2, 100, 500, {}},
      {kStandard2017,
       ctHeadedStud,
       25,
       100,
       520,
       {"Warning: (Cl 3.6.2.2.1) Headed shear stud diameter must be between 15.9 and 22.2 mm",
        "Warning: (Cl 3.6.2.3) Shear connector fuc must be less than 500"}},
      {kStandard2003,
       ctHeadedStud,
       22.2,
       100,
       450,
       {"Warning: Headed shear stud diameter must be between 15.9 and 19.0 mm for "
        "AS/NZS2327.1-2003"}},
      {kStandard2017,
       ctHeadedStud,
       19,
       75,
       450,
       {"Warning: (Cl 3.6.2.2.1) Height of shear connector must be at least 4 x nominal shank "
        "diameter"}},
      {kStandard2017, ctHighStrengthBolt, 20, 100, 450, {}},
      {kStandard2017,
       ctHighStrengthBolt,
       24,
       90,
       450,
       {"Warning: (Cl 3.6.2.2.2) High-strength bolts used as shear connectors must be M20",
        "Warning: (Cl 3.6.2.2.2) Height of shear connector bolt be at least 100"}},
      {kStandard2017, ctChannel, 0, 0, 0, {"Error: Channel shear connector not permitted"}},
      {kStandard2003, ctChannel, 0, 0, 0, {}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message()
                 << "edition " << k.version << " type " << k.type << " dbs " << k.dbs);
    TStandardVersionScope edition(k.version);
    TShearConnector s;
    s.Name = "Connector";
    s.ConnectorType = k.type;
    s.dbs = k.dbs;
    s.hsc = k.hsc;
    s.fuc = k.fuc;
    s.IsOK();
    EXPECT_TRUE(s.Status.IsChecked);
    std::vector<std::string> got;
    for (const auto& line : s.Status.ErrorList()) got.push_back(line.Text);
    EXPECT_EQ(got, k.messages);
  }
  TShearConnector unnamed;
  MakeStud(unnamed);
  unnamed.Name = "";
  EXPECT_FALSE(unnamed.IsOK());
  EXPECT_EQ(unnamed.Status.ErrorMsg, "Invalid shear connector");
}

TEST(ShearConnector, CustomConnectorSavesItsDimensions) {
  TShearConnector s;
  MakeStud(s, 22.2, 420);
  s.IsCustom = true;
  s.IsThroughDeckWelded = true;
  TVEXIniFile ini = TVEXIniFile::FromBytes("");
  s.SaveToIniFile(ini, "Beam", "2");
  EXPECT_EQ(ini.ReadSection("BeamShearConnector"),
            (std::vector<std::string>{"Name2", "IsCustom2", "dbs2", "hsc2", "fuc2",
                                      "IsThroughDeckWelded2"}));

  // The type is not saved: it is the one the connector already has.
  TShearConnector t;
  t.ConnectorType = ctHighStrengthBolt;
  t.LoadFromIniFile(ini, "Beam", "2");
  EXPECT_EQ(t.Name, "19 mm headed stud");
  EXPECT_TRUE(t.IsCustom);
  EXPECT_EQ(t.ConnectorType, ctHighStrengthBolt);
  EXPECT_DOUBLE_EQ(t.dbs, 22.2);
  EXPECT_DOUBLE_EQ(t.hsc, 4 * 22.2 + 5);
  EXPECT_DOUBLE_EQ(t.fuc, 420);
  EXPECT_TRUE(t.IsThroughDeckWelded);
}

TEST(ShearConnector, LoadKeepsCurrentValuesForMissingKeys) {
  TVEXIniFile ini = TVEXIniFile::FromBytes("[ShearConnector]\nName=Mine\nIsCustom=1\ndbs=16\n");
  TShearConnector s;
  MakeStud(s);
  s.IsThroughDeckWelded = true;
  s.LoadFromIniFile(ini, "", "");
  EXPECT_DOUBLE_EQ(s.dbs, 16);
  EXPECT_DOUBLE_EQ(s.fuc, 450);
  EXPECT_TRUE(s.IsThroughDeckWelded);
}

TEST(ShearConnector, LibraryConnectorSavesOnlyItsName) {
  TShearConnector s;
  MakeStud(s);
  TVEXIniFile ini = TVEXIniFile::FromBytes("");
  s.SaveToIniFile(ini, "", "");
  EXPECT_EQ(ini.ReadSection("ShearConnector"), (std::vector<std::string>{"Name", "IsCustom"}));
}

TEST(ShearConnectorLibraryItem, FieldsOfTheLibraryFile) {
  EXPECT_EQ(TEntityList::Of<TShearConnectorLibraryItem>().FieldNames(),
            (std::vector<std::string>{"ConnectorType", "dbs", "hsc", "fuc", "IsThroughDeckWelded",
                                      "Name", "IsCustom"}));
}
