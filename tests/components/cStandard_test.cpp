#include "components/cStandard.h"

#include <gtest/gtest.h>

#include "components/cCapacityFactor.h"

TEST(Standard, NamesOfTheEditions) {
  EXPECT_EQ(StandardName(kStandard2003), "AS/NZS2327.1-2003");
  EXPECT_EQ(StandardName(kStandard2017), "AS/NZS2327:2017");
}

TEST(Standard, ScopeSetsTheEditionAndRestoresThePreviousOne) {
  ASSERT_EQ(StandardVersion(), kStandard2017);  // the edition at start
  EXPECT_EQ(CurrentStandardName(), "AS/NZS2327:2017");
  {
    TStandardVersionScope outer(kStandard2003);
    EXPECT_FALSE(Is2017Edition());
    EXPECT_EQ(CurrentStandardName(), "AS/NZS2327.1-2003");
    {
      TStandardVersionScope inner(kStandard2017);
      EXPECT_TRUE(Is2017Edition());
    }
    EXPECT_EQ(StandardVersion(), kStandard2003);
  }
  EXPECT_EQ(StandardVersion(), kStandard2017);
}

TEST(CapacityFactor, TableOfBothEditions) {
  struct Row {
    TCapacityFactorType kind;
    const char* label;
    double phi2017, phi2003;
  };
  const Row rows[] = {
      {cfBendingSteel, "Bending - steel", 0.9, 0.9},
      {cfBendingConcrete, "Bending - concrete", 0.8, 0.9},
      {cfVerticalShearSteel, "Vertical shear - steel", 0.9, 0.9},
      {cfVerticalShearConcrete, "Vertical shear - concrete", 0.6,
       0.0},  // no slab contribution in 2003
      {cfLongitudinalShearComposite, "Longitudinal shear - composite", 0.63, 0.7},
      {cfLongitudinalShearStuds, "Longitudinal shear - shear studs", 0.8, 0.85},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.label);
    EXPECT_EQ(CapacityFactorLabel(r.kind), r.label);
    EXPECT_DOUBLE_EQ(CapacityFactor(r.kind), r.phi2017);
    EXPECT_DOUBLE_EQ(CapacityFactorFor(r.kind, kStandard2003), r.phi2003);
    TStandardVersionScope old(kStandard2003);
    EXPECT_DOUBLE_EQ(CapacityFactor(r.kind), r.phi2003);
  }
}
