#include "entity/cEntityList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "entity/test_entities.h"
#include "temp_dir.h"

namespace {


std::unique_ptr<TWidget> Widget(const std::string& label, double length) {
  auto w = std::make_unique<TWidget>();
  w->Label = label;
  w->Length = length;
  return w;
}

}  // namespace

TEST(EntityList, KeysAndLookup) {
  TEntityList list = TEntityList::Of<TWidget>();
  EXPECT_EQ(list.SectionName(), "Widget");
  EXPECT_TRUE(list.AddOrReplace(Widget("Beam", 1), "Label", true));
  EXPECT_TRUE(list.AddOrReplace(Widget("beam", 2), "Label", true));  // same key, any case: replaces
  EXPECT_EQ(list.Count(), 1);
  EXPECT_DOUBLE_EQ(list.ItemAs<TWidget>(0)->Length, 2);
  EXPECT_FALSE(list.AddOrReplace(Widget("Other", 3), "Label", false));  // not allowed new
  EXPECT_EQ(list.Count(), 1);
  list.AddOrReplace(Widget("x", 4), "", true);  // no index field: keyed by position
  EXPECT_EQ(list.Key(1), "2");
  EXPECT_EQ(list.IndexOf("BEAM"), 0);
  EXPECT_EQ(list.IndexOf("none"), -1);
}

TEST(EntityList, FloatKeysUseFewestDecimals) {
  TEntityList list = TEntityList::Of<TWidget>();
  for (double v : {9000.0, 2.5, 0.125, 1.23456}) list.AddOrReplace(Widget("w", v), "Length", true);
  EXPECT_EQ(list.Key(0), "9000");
  EXPECT_EQ(list.Key(1), "2.5");
  EXPECT_EQ(list.Key(2), "0.125");
  EXPECT_EQ(list.Key(3), "1.235");
}

TEST(EntityList, CloseIndexOf) {
  TEntityList list = TEntityList::Of<TWidget>();
  for (const char* k : {"Strength", "Short-term", "Long-term", "Construc.Defl"}) list.Add(k, Widget(k, 0));
  EXPECT_EQ(list.CloseIndexOf("*Short*"), 1);
  EXPECT_EQ(list.CloseIndexOf("long - TERM"), 2);  // blanks and case ignored
  EXPECT_EQ(list.CloseIndexOf("Constr"), 3);       // prefix
  EXPECT_EQ(list.CloseIndexOf("*Shrink*"), -1);
  TWidget target;
  list.AssignPropsTo(&target, "long-term");
  EXPECT_EQ(target.Label, "Long-term");
}

TEST(EntityList, SortedInsertion) {
  TEntityList list = TEntityList::Of<TWidget>();
  list.Sorted = true;
  for (const char* k : {"0000004500", "0000000000", "0000009000", "0000002250"}) list.Add(k, Widget(k, 0));
  EXPECT_EQ(list.Key(0), "0000000000");
  EXPECT_EQ(list.Key(1), "0000002250");
  EXPECT_EQ(list.Key(3), "0000009000");
}

TEST(Persistence, IniRoundTripWithPrefixesAndSuffixes) {
  TempDir dir;
  const std::string file = dir.File("a.tva");
  TAssembly a;
  a.Name = "Line one\r\nline <two>";
  a.Weight = 23.5;
  a.Main.Label = "  padded";
  a.Main.IsActive = true;
  a.Main.Colour = TColour::Green;
  a.Spare.Count = 7;
  a.AddPart("p1", 0.001);
  a.AddPart("p2", 9000);
  {
    TVEXIniFile ini(file);
    a.SaveToIniFile(ini, "Secondary1", "");
    ASSERT_TRUE(ini.UpdateFile().IsOK());
  }
  TVEXIniFile ini(file, true);
  EXPECT_EQ(ini.ReadString("Secondary1Assembly", "Name", ""), "Line one<CRLF>line <<two>");
  EXPECT_EQ(ini.ReadString("Secondary1Widget", "IsActive", ""), "1");
  EXPECT_EQ(ini.ReadString("Secondary1Widget", "Length1", ""), "0.001");
  EXPECT_EQ(ini.ReadString("Secondary1FancyWidget", "Count", ""), "7");
  TAssembly b;
  b.LoadFromIniFile(ini, "Secondary1", "");
  EXPECT_EQ(b.Name, a.Name);
  EXPECT_DOUBLE_EQ(b.Weight, 23.5);
  EXPECT_EQ(b.Main.Label, "padded");  // leading blanks are lost in INI files
  EXPECT_EQ(b.Main.Colour, TColour::Green);
  ASSERT_EQ(b.Parts.Count(), 2);
  EXPECT_EQ(b.Parts.Key(1), "p2");
  EXPECT_DOUBLE_EQ(b.Parts.ItemAs<TWidget>(0)->Length, 0.001);
  EXPECT_FALSE(b.IsChanged);
}

TEST(Persistence, UnprefixedSectionIsTheFallback) {
  auto ini = TVEXIniFile::FromBytes("[Assembly]\r\nName=plain\r\nWeight=2\r\n[Side2Assembly]\r\nWeight=5\r\n");
  TAssembly a;
  a.LoadFromIniFile(ini, "Side2", "");
  EXPECT_EQ(a.Name, "plain");
  EXPECT_DOUBLE_EQ(a.Weight, 5);
}

TEST(Persistence, MissingAndMalformedValuesGiveDefaults) {
  auto ini = TVEXIniFile::FromBytes("[Widget]\r\nCount=abc\r\nLength=1,5\r\nIsActive=yes\r\nColour=$2\r\n");
  TWidget w;
  w.Label = "x";
  w.LoadFromIniFile(ini, "", "");
  EXPECT_EQ(w.Count, 0);
  EXPECT_DOUBLE_EQ(w.Length, 0);
  EXPECT_FALSE(w.IsActive);
  EXPECT_EQ(w.Colour, TColour::Blue);  // hexadecimal
  EXPECT_EQ(w.Label, "");
}

TEST(Persistence, ShrunkListLeavesStaleKeysThatAreNotRead) {
  TempDir dir;
  const std::string file = dir.File("p.tva");
  TAssembly a;
  a.AddPart("p1", 1);
  a.AddPart("p2", 2);
  a.AddPart("p3", 3);
  ASSERT_TRUE(a.SaveToFile(file).IsOK());
  a.Parts.Delete(2);
  ASSERT_TRUE(a.SaveToFile(file).IsOK());
  TVEXIniFile ini(file, true);
  EXPECT_EQ(ini.ReadString("Widget", "Label3", ""), "p3");
  TAssembly b;
  ASSERT_TRUE(b.LoadFromFile(file).IsOK());
  EXPECT_EQ(b.Parts.Count(), 2);
}

TEST(Persistence, ListLoadWithoutNewEntitiesOnlyUpdates) {
  auto ini = TVEXIniFile::FromBytes("[Widget]\r\nCount=2\r\nLabel1=a\r\nLength1=5\r\nLabel2=b\r\nLength2=6\r\n");
  TEntityList list = TEntityList::Of<TWidget>();
  list.LoadFromIniFile(ini, "Label", false, "");
  EXPECT_EQ(list.Count(), 0);
  list.Add("b", Widget("b", 1));
  list.LoadFromIniFile(ini, "Label", false, "");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_DOUBLE_EQ(list.ItemAs<TWidget>(0)->Length, 6);
}

TEST(Persistence, ListCountsBeyondAnyRealListAreALoadProblem) {
  // The cap is far above any real list; a count past it, or one that is not
  // a count, loads nothing and is noted on the file, naming the section read.
  struct Case {
    std::string text;
    int items;
    std::string problem;
  };
  std::string full = "[Side2Widget]\r\nCount=" + std::to_string(kMaxIniListCount) + "\r\n";
  for (int i = 1; i <= kMaxIniListCount; ++i) full += "Label" + std::to_string(i) + "=w" + std::to_string(i) + "\r\n";
  const std::string over = std::to_string(kMaxIniListCount + 1);
  const Case cases[] = {
      {full, kMaxIniListCount, ""},
      {"[Side2Widget]\r\nCount=2000000000\r\n", 0,
       "section [Side2Widget], key Count: \"2000000000\" is more than " + std::to_string(kMaxIniListCount) + " items"},
      {"[Widget]\r\nCount=" + over + "\r\n", 0,
       "section [Widget], key Count: \"" + over + "\" is more than " + std::to_string(kMaxIniListCount) + " items"},
      {"[Side2Widget]\r\nCount=-3\r\n", 0, "section [Side2Widget], key Count: \"-3\" is not a count"},
      {"[Side2Widget]\r\nCount=two\r\n", 0, "section [Side2Widget], key Count: \"two\" is not a whole number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem);
    auto ini = TVEXIniFile::FromBytes(c.text);
    TEntityList list = TEntityList::Of<TWidget>();
    list.LoadFromIniFile(ini, "Label", true, "Side2");
    EXPECT_EQ(list.Count(), c.items);
    EXPECT_EQ(ini.ReadProblem().Message(), c.problem);
    EXPECT_FALSE(list.IsIndexed());  // indexed only while it loads
  }
}

TEST(Persistence, CsvRoundTrip) {
  TempDir dir;
  TEntityList list = TEntityList::Of<TWidget>();
  auto w = Widget("Base steel beam", 2.5);
  w->IsActive = true;
  w->Count = 3;
  list.Add("Base steel beam", std::move(w));
  list.Add("q", Widget("say \"x\", y", 0.000001));
  const std::string file = dir.File("w.csv");
  ASSERT_TRUE(list.SaveToCsv(file));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(file, bytes));
  EXPECT_EQ(bytes.substr(0, bytes.find('\r')), "Label,Count,Length,IsActive,Colour");
  EXPECT_NE(bytes.find("\"Base steel beam\",3,2.5,-1,0"), std::string::npos);
  TEntityList back = TEntityList::Of<TWidget>();
  ASSERT_TRUE(back.LoadFromCsv(file, "Label"));
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.ItemAs<TWidget>(1)->Label, "say \"x\", y");
  EXPECT_DOUBLE_EQ(back.ItemAs<TWidget>(1)->Length, 0.000001);
  EXPECT_TRUE(back.ItemAs<TWidget>(0)->IsActive);
  EXPECT_FALSE(back.LoadFromCsv(dir.File("missing.csv"), "Label"));
}

TEST(Persistence, CsvReadingStopsAtAnEmptyFirstField) {
  TEntityList list = TEntityList::Of<TWidget>();
  list.LoadFromCsvLines({"Label,Length,,", "a,1", ",2", "c,3"}, "Label");
  EXPECT_EQ(list.Count(), 1);
}

TEST(Stream, RoundTripWithAppendedBlocks) {
  TempDir dir;
  const std::string file = dir.File("lib.tvl");
  TEntityList widgets = TEntityList::Of<TWidget>();
  widgets.Add("a", Widget("a \xE2\x82\xAC", 1.5));
  widgets.Add("b", Widget("b", 2));
  TEntityList fancy = TEntityList::Of<TFancyWidget>();
  auto f = std::make_unique<TFancyWidget>();
  f->Label = "f";
  f->Finish = "gloss";
  fancy.Add("f", std::move(f));
  ASSERT_TRUE(widgets.SaveToStream(file, false).IsOK());
  ASSERT_TRUE(fancy.SaveToStream(file, true).IsOK());
  ASSERT_TRUE(TEntityList::WriteStringToStream(file, "").IsOK());

  std::string name;
  ASSERT_TRUE(TEntityList::PeekStringFromStream(file, 0, name).IsOK());
  EXPECT_EQ(name, "Widget");
  TEntityList w2 = TEntityList::Of<TWidget>();
  int64_t next = 0;
  ASSERT_TRUE(w2.LoadFromStream(file, "Label", 0, &next).IsOK());
  ASSERT_EQ(w2.Count(), 2);
  EXPECT_EQ(w2.ItemAs<TWidget>(0)->Label, "a \xE2\x82\xAC");
  ASSERT_TRUE(TEntityList::PeekStringFromStream(file, next, name).IsOK());
  EXPECT_EQ(name, "FancyWidget");
  TEntityList f2 = TEntityList::Of<TFancyWidget>();
  ASSERT_TRUE(f2.LoadFromStream(file, "Label", next, &next).IsOK());
  EXPECT_EQ(f2.ItemAs<TFancyWidget>(0)->Finish, "gloss");
  ASSERT_TRUE(TEntityList::PeekStringFromStream(file, next, name).IsOK());
  EXPECT_EQ(name, "");  // the end marker
}

TEST(Stream, DamagedFilesGiveClearErrors) {
  TempDir dir;
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(dir.File(name), std::ios::binary) << bytes;
    return dir.File(name);
  };
  auto i32 = [](int32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto str = [&](const std::string& s) {
    std::string out = i32(static_cast<int32_t>(s.size()));
    for (char c : s) out += std::string{c, '\0'};
    return out;
  };
  const std::string header = i32(0) + str("Saved x");
  struct Case {
    std::string name, bytes, error;
  } cases[] = {
      {"no-items", header + str("Widget") + i32(0) + i32(1) + str("Label"), "No library items read"},
      {"no-fields", header + str("Widget") + i32(1) + i32(0), "Fields not properly defined"},
      {"cut-count", header + str("Widget") + "\x01\x00", "Library file ends unexpectedly at position 38"},
      {"cut-string", header + str("Widget") + i32(1) + i32(1) + i32(1000), "Library file ends unexpectedly"},
      {"huge-count", header + str("Widget") + i32(2000000000) + i32(2000000000), "Library file ends unexpectedly"},
      {"empty", "", "Library file ends unexpectedly at position 0"},
  };
  for (const auto& c : cases) {
    TEntityList list = TEntityList::Of<TWidget>();
    int64_t next = -7;
    const TResult loaded = list.LoadFromStream(write(c.name, c.bytes), "Label", 0, &next);
    EXPECT_FALSE(loaded.IsOK()) << c.name << " loaded without error";
    EXPECT_NE(loaded.Message().find(c.error), std::string::npos) << c.name << ": " << loaded.Message();
    EXPECT_EQ(next, -7) << c.name << ": no position behind a damaged block";
  }
  std::string name = "unchanged";
  const TResult missing = TEntityList::PeekStringFromStream(dir.File("missing.tvl"), 0, name);
  EXPECT_EQ(missing.Message(), "Cannot open file [" + dir.File("missing.tvl") + "]");
  EXPECT_EQ(name, "unchanged");
}

// The sanitized builds check the asserts whatever their build type.
#if (defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)) && defined(NDEBUG)
#error "the sanitized build must keep asserts on"
#endif

#ifndef NDEBUG
// An index out of range, or an item that is not there, is a bug of the
// caller: the program stops where it happens instead of going on.
TEST(EntityListDeathTest, CallersMustKeepToTheList) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TEntityList list = TEntityList::Of<TWidget>();
  list.Add("a", Widget("a", 1));
  EXPECT_DEATH((void)list.Item(1), "IsValidIndex");
  EXPECT_DEATH((void)list.Key(-1), "IsValidIndex");
  EXPECT_DEATH(list.Delete(1), "IsValidIndex");
  EXPECT_DEATH(list.Add("b", nullptr), "Entity");
  EXPECT_EQ(list.Count(), 1);
}
#endif
