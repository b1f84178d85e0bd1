#include "project/cFloorUse.h"

#include <gtest/gtest.h>

#include "entity/cEntityList.h"

TEST(FloorUse, LongNameNamesEverySetting) {
  const struct {
    const char* name;
    double Ds, fc, live;
    bool reducible;
    double dead, incremental, total, short_term, long_term;
    const char* long_name;
  } cases[] = {
      {"Office", 120, 32, 3, true, 1, 500, 250, 0.7, 0.4,
       "Office, 120Slab G32, 3LL Reduc, 1SDL, [Def:500,250,0.7,0.4]"},
      // Load factors always show one decimal, loads only when they have one.
      {"Storage", 150, 40, 5, false, 0.5, 300, 250, 1, 0.6,
       "Storage, 150Slab G40, 5LL NoRed, 0.5SDL, [Def:300,250,1.0,0.6]"},
      {"Car park", 150, 40, 2.5, false, 1.5, 300, 250, 0.75, 0.4,
       "Car park, 150Slab G40, 2.5LL NoRed, 1.5SDL, [Def:300,250,0.75,0.4]"},
  };
  for (const auto& c : cases) {
    auto use = TFloorUse::CreateNew(c.name, "X", c.Ds, c.fc, c.live, c.reducible, c.dead, c.incremental, c.total,
                                    c.short_term, c.long_term, 5);
    EXPECT_EQ(use->LongName(), c.long_name);
    EXPECT_EQ(use->TextValue("LongName"), c.long_name);  // the library key is read by name
  }
}

TEST(FloorUse, CreateNewSetsEveryProperty) {
  auto use = TFloorUse::CreateNew("Retail", "RET", 130, 40, 4, true, 2, 400, 300, 0.7, 0.4, 6);
  EXPECT_EQ(use->SectionName, "FloorUse");
  EXPECT_EQ(use->Name, "Retail");
  EXPECT_EQ(use->ShortCode, "RET");
  EXPECT_EQ(use->Ds, 130);
  EXPECT_EQ(use->ConcreteStrength, 40);
  EXPECT_EQ(use->NominalLiveLoad, 4);
  EXPECT_TRUE(use->IsLiveLoadReducible);
  EXPECT_EQ(use->DeadLoad, 2);
  EXPECT_EQ(use->IncrementalRelLimit, 400);
  EXPECT_EQ(use->TotalRelLimit, 300);
  EXPECT_EQ(use->LFliveShort, 0.7);
  EXPECT_EQ(use->LFliveLong, 0.4);
  EXPECT_EQ(use->FacadeLoad, 6);
}

TEST(FloorUse, LibraryFieldsInFileOrder) {
  const std::vector<std::string> expected = {"Name",
                                             "ShortCode",
                                             "Ds",
                                             "ConcreteStrength",
                                             "NominalLiveLoad",
                                             "IsLiveLoadReducible",
                                             "DeadLoad",
                                             "IncrementalRelLimit",
                                             "TotalRelLimit",
                                             "LFliveShort",
                                             "LFliveLong",
                                             "FacadeLoad"};
  EXPECT_EQ(TEntityList::Of<TFloorUse>().FieldNames(), expected);
}
