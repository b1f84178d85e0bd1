#include "engine/cAppliedLoad.h"

#include <gtest/gtest.h>

#include "entity/cIniFiles.h"

namespace {

std::unique_ptr<TPointLoad> Manual(const std::string& description, double value) {
  auto p = std::make_unique<TPointLoad>();
  p->ConStage = 7;
  p->Value = value;
  p->Description = description;
  return p;
}

std::unique_ptr<TPointLoad> Auto(const std::string& description, double value) {
  return TPointLoad::CreateNewAutoCalc(7, 1000, value, false, description);
}

std::string Descriptions(const TAppliedLoadList& list) {
  std::string s;
  for (int i = 0; i < list.Count(); ++i) s += list.Key(i) + ":" + list.Load(i)->Description + " ";
  return s;
}

}  // namespace

TEST(DistributedLoad, DefaultsCoverTheWholeSpan) {
  TDistributedLoad d;
  EXPECT_EQ(d.SectionName, "DistributedLoad");
  EXPECT_FALSE(d.IsPointLoad());
  EXPECT_EQ(d.StartPosition, 0);
  EXPECT_FALSE(d.IsStartPositionProportional);
  EXPECT_EQ(d.FinishPosition, 1.0);
  EXPECT_TRUE(d.IsFinishPositionProportional);
  EXPECT_TRUE(d.IsFinishPositionAtEnd);
  for (double span : {6000.0, 12500.0}) {
    EXPECT_EQ(d.StartPositionMm(span), 0);
    EXPECT_EQ(d.FinishPositionMm(span), span);
  }
  // Clear restores the same defaults.
  d.FinishPosition = 3000;
  d.IsFinishPositionProportional = false;
  d.IsFinishPositionAtEnd = false;
  d.StartValue = 4;
  d.Clear();
  EXPECT_EQ(d.FinishPosition, 1.0);
  EXPECT_TRUE(d.IsFinishPositionProportional);
  EXPECT_TRUE(d.IsFinishPositionAtEnd);
  EXPECT_EQ(d.StartValue, 0);
}

TEST(DistributedLoad, Positions) {
  TDistributedLoad d;
  d.SetStartPosition(-250);
  EXPECT_EQ(d.StartPosition, 0);
  d.SetNamedPropertyValue("StartPosition", -1.0);  // through the table as well
  EXPECT_EQ(d.StartPosition, 0);
  d.SetStartPosition(0.25);
  d.IsStartPositionProportional = true;
  // Finish beyond the span is stored as typed.
  d.IsFinishPositionAtEnd = false;
  d.IsFinishPositionProportional = false;
  d.FinishPosition = 15000;
  EXPECT_EQ(d.FinishPosition, 15000);
  EXPECT_DOUBLE_EQ(d.StartPositionMm(8000), 2000);  // 0.25 x 8000
  EXPECT_DOUBLE_EQ(d.FinishPositionMm(8000), 15000);
  d.IsFinishPositionProportional = true;
  d.FinishPosition = 0.75;
  EXPECT_DOUBLE_EQ(d.FinishPositionMm(8000), 6000);
}

TEST(AppliedLoad, CreateNewAutoCalc) {
  auto d = TDistributedLoad::CreateNewAutoCalc(5, 2.4, true, "(Auto) Slab");
  EXPECT_EQ(d->ConStage, 5);
  EXPECT_EQ(d->StartValue, 2.4);
  EXPECT_EQ(d->FinishValue, 2.4);
  EXPECT_TRUE(d->IsLiveLoad);
  EXPECT_TRUE(d->IsAutoCalced);
  EXPECT_EQ(d->Description, "(Auto) Slab");
  EXPECT_TRUE(d->IsFinishPositionAtEnd);
  EXPECT_EQ(d->StartPosition, 0);
  EXPECT_FALSE(d->IsChanged);

  auto p = TPointLoad::CreateNewAutoCalc(3, 2750, 18.5, false, "Reaction");
  EXPECT_EQ(p->SectionName, "PointLoad");
  EXPECT_TRUE(p->IsPointLoad());
  EXPECT_EQ(p->ConStage, 3);
  EXPECT_EQ(p->Position, 2750);
  EXPECT_FALSE(p->IsPositionProportional);
  EXPECT_EQ(p->Value, 18.5);
  EXPECT_FALSE(p->IsLiveLoad);
  EXPECT_TRUE(p->IsAutoCalced);
  EXPECT_FALSE(p->IsChanged);
  EXPECT_DOUBLE_EQ(p->PositionMm(9000), 2750);
}

TEST(AppliedLoad, PublishedOrderOwnBeforeBase) {
  auto published = [](const TEntity& e) {
    std::vector<std::string> names;
    for (const TProperty& p : e.Properties().Items())
      if (p.IsPublished) names.push_back(p.Name);
    return names;
  };
  EXPECT_EQ(published(TDistributedLoad()),
            (std::vector<std::string>{"StartPosition", "IsStartPositionProportional",
                                      "FinishPosition", "IsFinishPositionProportional",
                                      "IsFinishPositionAtEnd", "StartValue", "FinishValue",
                                      "IsLiveLoad", "Description", "ConStage", "IsAutoCalced"}));
  EXPECT_EQ(published(TPointLoad()),
            (std::vector<std::string>{"Position", "IsPositionProportional", "Value", "IsLiveLoad",
                                      "Description", "ConStage", "IsAutoCalced"}));
}

TEST(AppliedLoad, WhichLoadsActForAStageSet) {
  using S = TConstructionStageSet;
  const struct {
    int stage;
    bool live;
    S set;
    bool acts;
  } cases[] = {
      {3, true, S{3}, true},
      {3, true, S{3, 5}, false},
      {3, true, S{3, 6}, false},
      {3, true, S{3, 7}, false},
      {5, true, S{5}, true},
      {5, true, S{3, 5}, true},
      {5, true, S{5, 6}, false},
      {5, true, S{5, 7}, false},
      {6, true, S{5, 6}, true},
      {6, true, S{6, 7}, false},
      {7, true, S{7}, true},
      {7, true, S{3, 5, 6, 7}, true},
      {7, true, S{3, 5, 6}, false},  // not in the set
      {3, false, S{3, 5, 6, 7}, true},
      {5, false, S{5, 6, 7}, true},
      {6, false, S{6, 7}, true},
      {5, false, S{3}, false},  // dead load of a stage outside the set
      {4, false, S{3, 5, 6, 7}, false},
      {4, false, S::Range(3, 7), true},  // 4 is in range, merely unused
      {2, false, S::Range(0, 7), false},
      {8, true, S::Range(3, 7), false},
      {0, false, S::Range(3, 7), false},
      {-3, false, S::Range(3, 7), false},
      {1000, true, S::Range(3, 7), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LoadActsFor(c.stage, c.live, c.set), c.acts)
        << "stage " << c.stage << (c.live ? " live" : " dead") << " set bits " << int(c.set.Bits());
  }
  TPointLoad p;
  p.ConStage = 5;
  p.IsLiveLoad = true;
  EXPECT_TRUE(LoadActsFor(p, S{3, 5}));
  EXPECT_FALSE(LoadActsFor(p, S{5, 6}));
}

TEST(AppliedLoadList, AddLoadKeepsAutomaticLoadsFirst) {
  TAppliedLoadList list = TAppliedLoadList::Of<TPointLoad>();
  EXPECT_EQ(list.SectionName(), "PointLoad");
  list.AddLoad(Manual("m1", 1));
  list.AddLoad(Auto("a1", 2));
  list.AddLoad(Manual("m2", 3));
  list.AddLoad(Auto("a2", 4));
  // Keys are the count before each insertion.
  EXPECT_EQ(Descriptions(list), "1:a1 3:a2 0:m1 2:m2 ");
  EXPECT_EQ(list.AutoLoadCount(), 2);

  TAppliedLoadList autos = TAppliedLoadList::Of<TPointLoad>();
  autos.AddLoad(Auto("a1", 1));
  autos.AddLoad(Auto("a2", 1));
  EXPECT_EQ(Descriptions(autos), "0:a1 1:a2 ");
  EXPECT_EQ(autos.AddLoad(nullptr), nullptr);
  EXPECT_EQ(autos.Count(), 2);
}

TEST(AppliedLoadList, ClearLoads) {
  const struct {
    bool clear_auto, clear_manual;
    const char* left;
  } cases[] = {{false, false, "1:a1 3:a2 0:m1 2:m2 "},
               {true, false, "0:m1 2:m2 "},
               {false, true, "1:a1 3:a2 "},
               {true, true, ""}};
  for (const auto& c : cases) {
    TAppliedLoadList list = TAppliedLoadList::Of<TPointLoad>();
    list.AddLoad(Manual("m1", 1));
    list.AddLoad(Auto("a1", 2));
    list.AddLoad(Manual("m2", 3));
    list.AddLoad(Auto("a2", 4));
    list.ClearLoads(c.clear_auto, c.clear_manual);
    EXPECT_EQ(Descriptions(list), c.left) << c.clear_auto << c.clear_manual;
  }
}

TEST(AppliedLoadList, SetAllAutoStatePrefixesOnce) {
  TAppliedLoadList list = TAppliedLoadList::Of<TDistributedLoad>();
  list.AddLoad(TDistributedLoad::CreateNewAutoCalc(7, 1.5, false, "(Auto) Facade (dead) load"));
  auto manual = std::make_unique<TDistributedLoad>();
  manual->Description = "Plant";
  list.AddLoad(std::move(manual));

  list.SetAllAutoState(false);
  EXPECT_EQ(list.Load(0)->Description, "Facade (dead) load");
  EXPECT_EQ(list.Load(1)->Description, "Plant");
  EXPECT_EQ(list.AutoLoadCount(), 0);

  list.SetAllAutoState(true);
  list.SetAllAutoState(true);
  EXPECT_EQ(list.Load(0)->Description, "(Auto) Facade (dead) load");
  EXPECT_EQ(list.Load(1)->Description, "(Auto) Plant");
  EXPECT_EQ(list.AutoLoadCount(), 2);

  // The mask ignores letter case; a bare prefix empties the description.
  list.Load(0)->Description = "(AUTO) x";
  list.Load(1)->Description = "(Auto) ";
  list.SetAllAutoState(false);
  EXPECT_EQ(list.Load(0)->Description, "x");
  EXPECT_EQ(list.Load(1)->Description, "");
}

TEST(AppliedLoadList, SavesOnlyManualLoads) {
  TAppliedLoadList autos = TAppliedLoadList::Of<TPointLoad>();
  autos.AddLoad(Auto("a1", 2));
  autos.AddLoad(Auto("a2", 3));
  auto empty = TVEXIniFile::FromBytes("");
  autos.SaveToIniFile(empty, "Beam1");
  EXPECT_EQ(empty.ReadSectionValues("Beam1PointLoad"), std::vector<std::string>{"Count=0"});

  TAppliedLoadList list = TAppliedLoadList::Of<TPointLoad>();
  list.AddLoad(Manual("m1", 11));
  list.AddLoad(Auto("a1", 2));
  list.AddLoad(Manual("m2", 12.5));
  list.Load(2)->IsLiveLoad = true;
  auto ini = TVEXIniFile::FromBytes("");
  list.SaveToIniFile(ini, "Beam1");
  const std::vector<std::string> keys = ini.ReadSection("Beam1PointLoad");
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(keys.front(), "Count");
  EXPECT_EQ(ini.ReadInteger("Beam1PointLoad", "Count", -1), 2);
  EXPECT_EQ(ini.ReadString("Beam1PointLoad", "Description1", ""), "m1");
  EXPECT_EQ(ini.ReadString("Beam1PointLoad", "Description2", ""), "m2");
  EXPECT_FALSE(ini.ValueExists("Beam1PointLoad", "Description3"));
  EXPECT_EQ(keys.size(), 1u + 2 * 7);

  // Round trip through text with the generic list loader.
  auto reread = TVEXIniFile::FromBytes(ini.ToBytes());
  TAppliedLoadList back = TAppliedLoadList::Of<TPointLoad>();
  back.LoadFromIniFile(reread, "", true, "Beam1");
  ASSERT_EQ(back.Count(), 2);
  auto* m2 = static_cast<TPointLoad*>(back.Load(1));
  EXPECT_EQ(m2->Description, "m2");
  EXPECT_DOUBLE_EQ(m2->Value, 12.5);
  EXPECT_EQ(m2->ConStage, 7);
  EXPECT_TRUE(m2->IsLiveLoad);
  EXPECT_FALSE(m2->IsAutoCalced);
  EXPECT_FALSE(back.Load(0)->IsLiveLoad);
}

TEST(AppliedLoadList, DistributedLoadRoundTripKeepsFlags) {
  TAppliedLoadList list = TAppliedLoadList::Of<TDistributedLoad>();
  auto d = std::make_unique<TDistributedLoad>();
  d->SetStartPosition(0.1);
  d->IsStartPositionProportional = true;
  d->IsFinishPositionAtEnd = false;
  d->FinishPosition = 4500;
  d->IsFinishPositionProportional = false;
  d->StartValue = 1.25;
  d->FinishValue = 3.5;
  d->ConStage = 6;
  d->Description = "Ramp, \"wedge\"";
  list.AddLoad(std::move(d));
  auto ini = TVEXIniFile::FromBytes("");
  list.SaveToIniFile(ini, "");
  auto reread = TVEXIniFile::FromBytes(ini.ToBytes());
  TAppliedLoadList back = TAppliedLoadList::Of<TDistributedLoad>();
  back.LoadFromIniFile(reread, "", true, "");
  ASSERT_EQ(back.Count(), 1);
  auto* r = static_cast<TDistributedLoad*>(back.Load(0));
  EXPECT_DOUBLE_EQ(r->StartPosition, 0.1);
  EXPECT_TRUE(r->IsStartPositionProportional);
  EXPECT_FALSE(r->IsFinishPositionAtEnd);
  EXPECT_DOUBLE_EQ(r->FinishPosition, 4500);
  EXPECT_FALSE(r->IsFinishPositionProportional);
  EXPECT_DOUBLE_EQ(r->StartValue, 1.25);
  EXPECT_DOUBLE_EQ(r->FinishValue, 3.5);
  EXPECT_EQ(r->ConStage, 6);
  EXPECT_EQ(r->Description, "Ramp, \"wedge\"");
}
