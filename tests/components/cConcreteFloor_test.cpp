#include "components/cConcreteFloor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "components/cStandard.h"

namespace {

// 2400^1.5 x 0.043: the modulus of normal-weight concrete per sqrt(MPa).
constexpr double kK2400 = 5055.7468;

struct Concrete : TConcreteFloor {
  Concrete(double fc, double rho, bool table = false) {
    ConcreteStrength = fc;
    Density = rho;
    WillUseEcTable = table;
    ShrinkageStrain = 300;
    WetDensity = 2500;
  }
};

}  // namespace

TEST(ConcreteFloor, NewConcreteIsEmptyAndPublishesItsInputs) {
  TConcreteFloor c;
  EXPECT_EQ(c.SectionName, "ConcreteFloor");
  EXPECT_EQ(c.ConcreteStrength, 0);
  EXPECT_FALSE(c.WillUseEcTable);
  int published = 0;
  for (const TProperty& p : c.Properties().Items()) published += p.IsPublished;
  EXPECT_EQ(published, 5);
}

TEST(ConcreteFloor, fcmi) {
  // 0.9 x 32 x (1.2875 - 0.001875 x 32) = 28.8 x 1.2275
  EXPECT_NEAR(Concrete(32, 2400).fcmi(), 35.352, 1e-9);
}

TEST(ConcreteFloor, ModuliAt32MPaInBothEditions) {
  Concrete c(32, 2400);
  // 2017 without the table: both moduli from fcmi = 35.352 (< 40, first formula).
  EXPECT_NEAR(c.Ec(), kK2400 * std::sqrt(35.352), 0.1);  // 30060
  EXPECT_DOUBLE_EQ(c.EcForStuds(), c.Ec());
  TStandardVersionScope old(kStandard2003);
  // 2003: stiffness from fcm = 37.5, connectors from f'c itself.
  EXPECT_NEAR(c.Ec(), 30960.0, 0.1);
  EXPECT_NEAR(c.EcForStuds(), kK2400 * std::sqrt(32.0), 0.1);  // 28600
}

TEST(ConcreteFloor, SecondFormulaAbove40MPaIn2017Only) {
  Concrete c(45, 2400);
  // fcmi = 0.9 x 45 x 1.203125 = 48.727 > 40: 2400^1.5 x (0.024 sqrt(48.727) + 0.12)
  EXPECT_NEAR(c.Ec(), 117575.5 * (0.024 * std::sqrt(48.7265625) + 0.12), 0.5);  // 33807
  TStandardVersionScope old(kStandard2003);
  EXPECT_NEAR(c.EcForStuds(), kK2400 * std::sqrt(45.0), 0.1);  // one formula in 2003
}

TEST(ConcreteFloor, TableModulusIn2017) {
  struct Case {
    double fc, rho, Ec;
  };
  const Case cases[] = {
      {45, 2400, 33800},                         // halfway 32800..34800
      {45, 1800, 33800 * 0.649519},              // lightweight: x (1800/2400)^1.5
      {45, 2100, 33800 * std::pow(0.875, 1.5)},  // 2100 is still lightweight
      {45, 2101, 33800},                         // normal weight: no scaling
      {32, 2400, 30100},                         // on a table point
      {20, 2400, 24000},
      {100, 2400, 42200},
      {110, 2400, 42200},                   // beyond the table: last value
      {15, 2400, 24000 * std::sqrt(0.75)},  // below 20: 24000 sqrt(f'c/20)
      {0, 2400, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "f'c " << k.fc << " rho " << k.rho);
    Concrete c(k.fc, k.rho, true);
    EXPECT_NEAR(c.EcForStuds(), k.Ec, 0.05);
    EXPECT_DOUBLE_EQ(c.Ec(), c.EcForStuds());
  }
  // The 2003 edition has no table.
  TStandardVersionScope old(kStandard2003);
  EXPECT_NEAR(Concrete(45, 2400, true).EcForStuds(), kK2400 * std::sqrt(45.0), 0.1);
}

TEST(ConcreteFloor, MeanStrengthRulesOf2003) {
  TStandardVersionScope old(kStandard2003);
  struct Case {
    double fc, fcm;
  };
  // The standard grades are tabulated; other grades use 1.0833 f'c + 2.333.
  const Case cases[] = {{20, 24},     {25, 29.5},    {32, 37.5}, {40, 46},
                        {30, 34.832}, {41, 46.7483}, {-5, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.fc);
    EXPECT_NEAR(Concrete(k.fc, 2400).Ec(), kK2400 * std::sqrt(k.fcm), 0.1);
  }
}

TEST(ConcreteFloor, LightWeightAtOrBelow2100) {
  EXPECT_TRUE(Concrete(32, 2100).IsConcreteLightWeight());
  EXPECT_FALSE(Concrete(32, 2100.5).IsConcreteLightWeight());
}

TEST(ConcreteFloor, NegativeInputGivesNoNaN) {
  Concrete c(-10, -5);
  EXPECT_EQ(c.EcForStuds(), 0);
  c.WillUseEcTable = true;
  EXPECT_EQ(c.EcForStuds(), 0);
}

TEST(ConcreteFloor, Checks) {
  struct Case {
    int version;
    double fc, rho, shrinkage;
    TErrorLevel level;
    const char* message;
  };
  const Case cases[] = {
      {kStandard2017, 32, 2400, 300, elNone, ""},
      {kStandard2017, 55, 2400, 300, elWarning,
       "Warning: Concrete strength grade should not exceed 50 MPa for this version of Trevalon"},
      {kStandard2017, 50, 2400, 300, elNone, ""},
      {kStandard2003, 45, 2400, 300, elWarning,
       "Warning: Concrete strength grade should not exceed 40 MPa"},
      {kStandard2017, 12, 2400, 300, elWarning,
       "Warning: Concrete strength grade should be at least 15 MPa"},
      {kStandard2017, 32, 2900, 300, elWarning,
       "Warning: Concrete density must be between 1800 and 2800 kg/m3"},
      {kStandard2017, 32, 2400, 450, elError, "Error: Invalid shrinkage strain value"},
      {kStandard2017, 32, 2400, 150, elError, "Error: Invalid shrinkage strain value"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.message);
    TStandardVersionScope edition(k.version);
    Concrete c(k.fc, k.rho);
    c.ShrinkageStrain = k.shrinkage;
    c.Status.OKErrorLevel = elWarning;  // warnings do not stop an analysis
    EXPECT_EQ(c.IsOK(), k.level != elError);
    EXPECT_TRUE(c.Status.IsChecked);
    EXPECT_EQ(c.Status.ErrorLevel, k.level);
    if (k.level != elNone) {
      ASSERT_EQ(c.Status.ErrorList().size(), 1u);
      EXPECT_EQ(c.Status.ErrorList()[0].Text, k.message);
    }
  }
}
