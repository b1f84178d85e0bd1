#include "components/cStandard.h"

#include <gtest/gtest.h>

#include <thread>

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
    EXPECT_EQ(&CurrentStandard(), &Standard2003());
    EXPECT_EQ(CurrentStandardName(), "AS/NZS2327.1-2003");
    {
      TStandardVersionScope inner(kStandard2017);
      EXPECT_EQ(&CurrentStandard(), &Standard2017());
    }
    EXPECT_EQ(StandardVersion(), kStandard2003);
  }
  EXPECT_EQ(StandardVersion(), kStandard2017);
}

// A regression test under the 2003 edition and a design table under the 2017
// edition on two threads at once: each sees its own edition throughout, and
// neither changes the program-wide one.
TEST(Standard, GuardsOnTwoThreadsDoNotMeet) {
  auto run = [](int version, int& mismatches) {
    TStandardVersionScope edition(version);
    const double phi = CapacityFactorFor(cfBendingConcrete, version);
    const TStandard* standard = &StandardFor(version);
    for (int i = 0; i < 20000; ++i)
      if (StandardVersion() != version || CapacityFactor(cfBendingConcrete) != phi || &CurrentStandard() != standard)
        ++mismatches;
  };
  int old_mismatches = 0, new_mismatches = 0;
  std::thread old_edition(run, kStandard2003, std::ref(old_mismatches));
  std::thread new_edition(run, kStandard2017, std::ref(new_mismatches));
  old_edition.join();
  new_edition.join();
  EXPECT_EQ(old_mismatches, 0);
  EXPECT_EQ(new_mismatches, 0);
  EXPECT_EQ(StandardVersion(), kStandard2017);
}

// A worker starts with the program-wide edition, not with its creator's guard;
// the program-wide edition reaches every thread without a guard of its own.
TEST(Standard, WorkersStartWithTheProgramWideEdition) {
  TStandardVersionScope creator(kStandard2003);
  int seen = -1;
  std::thread([&] { seen = StandardVersion(); }).join();
  EXPECT_EQ(seen, kStandard2017);

  SetStandardVersion(kStandard2003);
  std::thread([&] { seen = StandardVersion(); }).join();
  SetStandardVersion(kStandard2017);
  EXPECT_EQ(seen, kStandard2003);
  EXPECT_EQ(StandardVersion(), kStandard2003) << "the guard still holds on this thread";
}

// Any code other than 0 gives the 2017 edition, as the program-wide setting does.
TEST(Standard, EditionsByCode) {
  EXPECT_EQ(&StandardFor(kStandard2003), &Standard2003());
  EXPECT_EQ(&StandardFor(kStandard2017), &Standard2017());
  EXPECT_EQ(&StandardFor(7), &Standard2017());
  EXPECT_EQ(StandardFor(kStandard2003).Version(), kStandard2003);
  EXPECT_EQ(StandardName(7), "AS/NZS2327:2017");
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
