#include "components/cSteelDeck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "components/cStandard.h"
#include "entity/cEntityList.h"
#include "entity/cIniFiles.h"

namespace {

// A re-entrant deck: 300 mm pitch, 100 mm steel ribs, so b0 = 200 mm.
void MakeDeck(TSteelDeck& d) {
  d.Name = "Deck 55";
  d.DeckType = 2;
  d.sr = 300;
  d.bsr = 100;
  d.hr = 55;
  d.Mass = 11.5;
  d.VoidRatio = 0.1;
  d.Beta = 0.85;
  d.t = 1.0;
  d.SetStudsPerRib(2);
  d.ShortCode = "D55";
  d.WillIgnoreConcreteBelowRibs = false;
}

double Cos2(double degrees) {
  const double c = std::cos(degrees * std::numbers::pi / 180);
  return c * c;
}

}  // namespace

TEST(SteelDeck, NewDeckIsCleared) {
  TSteelDeck d;
  EXPECT_EQ(d.SectionName, "SteelDeck");
  EXPECT_FALSE(d.IsCustom);
  EXPECT_TRUE(d.WillIgnoreConcreteBelowRibs);
  EXPECT_TRUE(d.IsSolidSlab());
  EXPECT_FALSE(d.IsChanged);
  MakeDeck(d);
  d.IsCustom = true;
  d.Clear();
  EXPECT_EQ(d.Name, "");
  EXPECT_EQ(d.ShortCode, "");
  EXPECT_EQ(d.sr, 0);
  EXPECT_EQ(d.Beta, 0);
  EXPECT_EQ(d.StoredStudsPerRib, 0);
  EXPECT_FALSE(d.IsCustom);
  EXPECT_TRUE(d.WillIgnoreConcreteBelowRibs);
}

TEST(SteelDeck, DerivedValues) {
  TSteelDeck d;
  MakeDeck(d);
  EXPECT_DOUBLE_EQ(d.b0(), 200);
  EXPECT_EQ(d.StudsPerRib(), 2);
  d.SetStudsPerRib(0);
  EXPECT_EQ(d.StudsPerRib(), 1);  // a rib takes at least one stud
  EXPECT_EQ(d.NumericValue("StudsPerRib"), 1);
}

TEST(SteelDeck, LambdaByEditionAndAngle) {
  struct Case {
    int version;
    int deck_type;
    bool ignore;
    double theta;
    double lambda;
  };
  const double b0_sr = 200.0 / 300.0;
  const Case cases[] = {
      {kStandard2017, 2, false, 15, 1},
      {kStandard2017, 2, false, 15.1, 0},
      {kStandard2017, 2, false, 61, 0},
      {kStandard2017, 2, true, 0, 0},   // ignored at any angle in 2017
      {kStandard2017, 1, false, 0, 0},  // open trapezoidal ribs never count
      {kStandard2017, 0, true, 90, 1},  // solid slab
      {kStandard2003, 2, false, 15, 1},
      {kStandard2003, 2, false, 15.1, Cos2(15.1) * b0_sr},  // 0.6214
      {kStandard2003, 2, false, 30, 0.75 * b0_sr},          // cos^2 30 = 3/4: 0.5
      {kStandard2003, 2, false, 61, 0},
      {kStandard2003, 2, true, 0, 1},  // the flag is a 2017 rule
      {kStandard2003, 1, false, 0, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message()
                 << "edition " << k.version << " type " << k.deck_type << " theta " << k.theta);
    TStandardVersionScope edition(k.version);
    TSteelDeck d;
    MakeDeck(d);
    d.DeckType = k.deck_type;
    d.WillIgnoreConcreteBelowRibs = k.ignore;
    EXPECT_NEAR(d.lambda(k.theta), k.lambda, 1e-12);
  }
}

TEST(SteelDeck, LambdaOfDegenerateGeometryStaysInRange) {
  TStandardVersionScope old(kStandard2003);
  TSteelDeck d;
  MakeDeck(d);
  d.sr = 0;  // no pitch: nothing to count, and no division by zero
  EXPECT_EQ(d.lambda(30), 0);
  d.sr = 100;
  d.bsr = 150;  // steel wider than the pitch
  EXPECT_EQ(d.lambda(30), 0);
}

TEST(SteelDeck, Checks) {
  struct Case {
    int version;
    void (*change)(TSteelDeck&);
    TErrorLevel level;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {kStandard2017, [](TSteelDeck&) {}, elNone, {}},
      {kStandard2017,
       [](TSteelDeck& d) { d.Name = ""; },
       elError,
       {"Error: Invalid steel deck type"}},
      // The 2003 geometry rules do not apply in 2017.
      {kStandard2017,
       [](TSteelDeck& d) {
         d.VoidRatio = 0.3;
         d.hr = 50;
         d.bsr = 200;
       },
       elNone,
       {}},
      // Ribs up to 80 mm high and 150 mm of concrete between steel ribs are within the rules.
      {kStandard2003, [](TSteelDeck& d) { d.hr = 80; }, elNone, {}},
      {kStandard2003,
       [](TSteelDeck& d) {
         d.hr = 40;
         d.bsr = 150;  // b0 = 150
       },
       elNone,
       {}},
      {kStandard2003,
       [](TSteelDeck& d) {
         d.VoidRatio = 0.25;
         d.hr = 81;
         d.bsr = 160;  // b0 = 140
       },
       elWarning,
       {"Warning: (Old Cl 1.2.4c) Void ratio within the steel deck should be less than 0.2",
        "Warning: (Old Cl 1.2.4a) Height of steel deck should not exceed 80 mm",
        "Warning: (Old Cl 1.2.4d) Width of concrete between the mid-height of adjacent steel ribs "
        "(bcr) should be "
        "at least 150 mm"}},
      // A solid slab has no ribs to check.
      {kStandard2003,
       [](TSteelDeck& d) {
         d.DeckType = 0;
         d.VoidRatio = 0.25;
       },
       elNone,
       {}},
  };
  for (const Case& k : cases) {
    TStandardVersionScope edition(k.version);
    TSteelDeck d;
    MakeDeck(d);
    d.hr = 80;
    k.change(d);
    EXPECT_EQ(d.IsOK(), k.level == elNone);
    EXPECT_TRUE(d.Status.IsChecked);
    EXPECT_EQ(d.Status.ErrorLevel, k.level);
    std::vector<std::string> got;
    for (const auto& line : d.Status.ErrorList()) got.push_back(line.Text);
    EXPECT_EQ(got, k.messages);
  }
}

// The shipped decks under the 2003 rib rules: every rib is at most 80 mm high,
// and only the 80 mm trapezoidal decks (300 mm pitch, 160 mm steel ribs) leave
// less than 150 mm of concrete between ribs (b0 = 140 mm).
TEST(SteelDeck, LibraryDecksUnderTheRibRulesOf2003) {
  TEntityList decks = TEntityList::Of<TSteelDeckLibraryItem>();
  const TResult loaded = decks.LoadFromCsv(std::string(TREVALON_TEST_DATA_DIR) + "/library/SteelDecks.csv", "Name");
  ASSERT_TRUE(loaded.IsOK()) << loaded.Message();
  TStandardVersionScope old(kStandard2003);
  std::set<int> types;
  int narrow_decks = 0;
  for (int i = 0; i < decks.Count(); ++i) {
    auto& d = *decks.ItemAs<TSteelDeckLibraryItem>(i);
    SCOPED_TRACE(d.Name);
    types.insert(d.DeckType);
    d.IsOK();
    std::vector<std::string> rib_messages;
    for (const auto& line : d.Status.ErrorList()) {
      const std::string& text = line.Text;
      if (text.find("1.2.4a") != std::string::npos || text.find("1.2.4d") != std::string::npos)
        rib_messages.push_back(text);
    }
    const bool narrow = d.Name.rfind("Trapezoidal 80 mm", 0) == 0;
    narrow_decks += narrow;
    std::vector<std::string> expected;
    if (narrow)
      expected.push_back(
          "Warning: (Old Cl 1.2.4d) Width of concrete between the mid-height of adjacent steel "
          "ribs (bcr) should be at least 150 mm");
    EXPECT_EQ(rib_messages, expected);
  }
  EXPECT_EQ(types, (std::set<int>{0, 1, 2, 3}));  // solid, trapezoidal, re-entrant, closed rib
  EXPECT_GT(narrow_decks, 0);
}

TEST(SteelDeck, CustomDeckSavesItsGeometry) {
  TSteelDeck d;
  MakeDeck(d);
  d.IsCustom = true;
  TVEXIniFile ini = TVEXIniFile::FromBytes("");
  d.SaveToIniFile(ini, "Beam", "1");
  EXPECT_EQ(ini.ReadSection("BeamSteelDeck"),
            (std::vector<std::string>{"Name1", "WillIgnoreConcreteBelowRibs1", "IsCustom1", "sr1",
                                      "bsr1", "hr1", "Mass1", "StudsPerRib1", "VoidRatio1", "Beta1",
                                      "DeckType1"}));

  TSteelDeck e;
  e.LoadFromIniFile(ini, "Beam", "1");
  EXPECT_EQ(e.Name, "Deck 55");
  EXPECT_TRUE(e.IsCustom);
  EXPECT_FALSE(e.WillIgnoreConcreteBelowRibs);
  EXPECT_EQ(e.ShortCode, "XX");
  EXPECT_DOUBLE_EQ(e.sr, 300);
  EXPECT_DOUBLE_EQ(e.bsr, 100);
  EXPECT_DOUBLE_EQ(e.hr, 55);
  EXPECT_DOUBLE_EQ(e.Mass, 11.5);
  EXPECT_DOUBLE_EQ(e.VoidRatio, 0.1);
  EXPECT_DOUBLE_EQ(e.Beta, 0.85);
  EXPECT_EQ(e.StoredStudsPerRib, 2);
  EXPECT_EQ(e.DeckType, 2);
  EXPECT_EQ(e.t, 0);  // the sheet thickness is not saved
}

TEST(SteelDeck, CustomDeckRoundsItsIntegersAndDefaultsMissingKeys) {
  TVEXIniFile ini = TVEXIniFile::FromBytes(
      "[SteelDeck]\nName=Mine\nIsCustom=1\nStudsPerRib=2.6\nDeckType=1.4\nsr=abc\nBeta=nan\n");
  TSteelDeck d;
  d.LoadFromIniFile(ini, "", "");
  EXPECT_EQ(d.StoredStudsPerRib, 3);
  EXPECT_EQ(d.DeckType, 1);
  EXPECT_EQ(d.sr, 0);  // unreadable: the (cleared) current value
  EXPECT_EQ(d.hr, 0);  // missing
}

TEST(SteelDeck, LibraryDeckSavesOnlyItsNameAndFlags) {
  TSteelDeck d;
  MakeDeck(d);
  TVEXIniFile ini = TVEXIniFile::FromBytes("");
  d.SaveToIniFile(ini, "", "");
  EXPECT_EQ(ini.ReadSection("SteelDeck"),
            (std::vector<std::string>{"Name", "WillIgnoreConcreteBelowRibs", "IsCustom"}));
  TSteelDeck e;
  MakeDeck(e);
  e.LoadFromIniFile(ini, "", "");
  EXPECT_EQ(e.Name, "Deck 55");
  EXPECT_EQ(e.sr, 0);  // geometry comes from the library
  EXPECT_EQ(e.ShortCode, "");
}

TEST(SteelDeckLibraryItem, FieldsOfTheLibraryFile) {
  EXPECT_EQ(TEntityList::Of<TSteelDeckLibraryItem>().FieldNames(),
            (std::vector<std::string>{"ShortCode", "Mass", "sr", "bsr", "hr", "t", "StudsPerRib",
                                      "VoidRatio", "Beta", "DeckType", "Name",
                                      "WillIgnoreConcreteBelowRibs", "IsCustom"}));
  TSteelDeckLibraryItem item;
  EXPECT_EQ(item.SectionName, "SteelDeck");
  item.LoadFromCsvString("Name,ShortCode,sr,StudsPerRib,DeckType", "\"Deck 55\",D55,300,2,3");
  EXPECT_EQ(item.Name, "Deck 55");
  EXPECT_EQ(item.ShortCode, "D55");
  EXPECT_DOUBLE_EQ(item.sr, 300);
  EXPECT_EQ(item.StudsPerRib(), 2);
  EXPECT_EQ(item.DeckType, 3);
}
