#include "entity/cEntity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "entity/VEXUtility.h"
#include "entity/test_entities.h"

TEST(PropertyTable, OwnPropertiesComeBeforeTheBaseClasses) {
  const auto& items = TFancyWidget::Table().Items();
  ASSERT_GE(items.size(), 2u);
  EXPECT_EQ(items[0].Name, "Finish");
  EXPECT_EQ(items[1].Name, "Label");
  EXPECT_EQ(TFancyWidget::Table().Find("LABEL"), &items[1]);
  EXPECT_EQ(TFancyWidget::Table().Find("nothing"), nullptr);
}

TEST(Entity, SettersTrackChanges) {
  TWidget w;
  EXPECT_FALSE(w.IsChanged);
  w.SetNamedPropertyValue("length", 0.0);  // same value: no change
  EXPECT_FALSE(w.IsChanged);
  w.SetNamedPropertyValue("length", 2.5);
  EXPECT_TRUE(w.IsChanged);
  EXPECT_DOUBLE_EQ(w.Length, 2.5);
  w.IsChanged = false;
  w.SetNamedPropertyValue("Label", "A");
  EXPECT_TRUE(w.IsChanged);
  // Kinds must agree: a string into a float, an int into a Boolean are ignored.
  w.SetNamedPropertyValue("Length", "7");
  w.SetNamedPropertyValue("IsActive", 1);
  w.SetNamedPropertyValue("Unknown", 3.0);
  EXPECT_DOUBLE_EQ(w.Length, 2.5);
  EXPECT_FALSE(w.IsActive);
  w.SetNamedPropertyValue("IsActive", true);
  w.SetNamedPropertyValue("Count", 4);
  EXPECT_TRUE(w.IsActive);
  EXPECT_EQ(w.Count, 4);
}

TEST(Entity, ClearResetsPublishedPropertiesOnly) {
  TAssembly a;
  a.Name = "x";
  a.Weight = 3;
  a.Main.Length = 4;
  a.Spare.Length = 5;
  a.Main.Scratch = 6;
  a.AddPart("p1", 1);
  a.Clear();
  EXPECT_EQ(a.Name, "");
  EXPECT_EQ(a.Weight, 0);
  EXPECT_DOUBLE_EQ(a.Main.Length, 4);  // read-only sub-entity: left to the class's own Clear
  EXPECT_DOUBLE_EQ(a.Spare.Length, 0);  // writable sub-entity cleared in place
  EXPECT_EQ(a.Parts.Count(), 1);        // a public list is not touched
  TWidget w;
  w.Scratch = 1;
  w.Colour = TColour::Blue;
  w.Clear();
  EXPECT_DOUBLE_EQ(w.Scratch, 1);
  EXPECT_EQ(w.Colour, TColour::Red);
}

TEST(Entity, AssignCopiesWritablePropertiesAndSubEntities) {
  TAssembly a, b;
  a.Name = "src";
  a.Spare.Label = "spare";
  a.Main.Label = "main";
  a.Spare.Scratch = 9;
  b.Assign(&a);
  EXPECT_EQ(b.Name, "src");
  EXPECT_EQ(b.Spare.Label, "spare");
  EXPECT_DOUBLE_EQ(b.Spare.Scratch, 9);  // public writable scalars are copied too
  EXPECT_EQ(b.Main.Label, "");           // read-only sub-entity is not
  b.Assign(nullptr);
  EXPECT_EQ(b.Name, "src");
}

TEST(Entity, ValuesByName) {
  TWidget w;
  w.Length = 2.5;
  w.Count = -3;
  w.IsActive = true;
  w.Colour = TColour::Blue;
  w.Label = "abc";
  EXPECT_TRUE(w.IsNumeric("length"));
  EXPECT_TRUE(w.IsNumeric("Count"));
  EXPECT_TRUE(w.IsNumeric("DoubleLength"));
  EXPECT_FALSE(w.IsNumeric("Label"));
  EXPECT_FALSE(w.IsNumeric("IsActive"));
  EXPECT_DOUBLE_EQ(w.NumericValue("DoubleLength"), 5);
  EXPECT_DOUBLE_EQ(w.NumericValue("Label"), 0);
  EXPECT_EQ(w.StringValue("Count", "?", 0, 0), "-3");
  EXPECT_EQ(w.StringValue("IsActive", "?", 0, 0), "True");
  EXPECT_EQ(w.StringValue("Colour", "?", 0, 0), "2");
  EXPECT_EQ(w.StringValue("Length", "?", 2, 0), "2.50");
  EXPECT_EQ(w.StringValue("Length", "?", 0, 3), "2.5");
  EXPECT_EQ(w.StringValue("Nope", "dflt", 0, 0), "dflt");
  TAssembly a;
  EXPECT_EQ(a.StringValue("Main", "?", 0, 0), "** Unable to evaluate property **");
  EXPECT_TRUE(w.IsSameValueAsString("Length", "3", 0));
  EXPECT_FALSE(w.IsSameValueAsString("Length", "2.5", 0));
}

TEST(Entity, EntityPropertyAndIndexes) {
  TAssembly a;
  a.AddPart("p1", 1);
  a.AddPart("p2", 2);
  EXPECT_EQ(a.EntityProperty("MAIN", -1), &a.Main);
  EXPECT_EQ(a.EntityProperty("Main", 0), nullptr);
  EXPECT_EQ(a.EntityProperty("Parts", 1), a.Parts.Item(1));
  EXPECT_EQ(a.EntityProperty("Parts", 2), nullptr);
  EXPECT_EQ(a.EntityProperty("Parts", -1), nullptr);
  EXPECT_EQ(a.EntityProperty("Name", -1), nullptr);
  EXPECT_EQ(a.EntityProperty("Unknown", -1), nullptr);
}

struct PathCase {
  const char* path;
  const char* expected;
  const char* actual;
  bool is_expected;
};

// What a failure prints of a case.
void PrintTo(const PathCase& c, std::ostream* os) {
  *os << c.path << "=" << c.expected << " gives " << c.actual << (c.is_expected ? ", as expected" : ", not expected");
}

class PathTest : public ::testing::TestWithParam<PathCase> {};

// "Weight_is_12_6_within_1pct": the path and the expected value in the letters
// and digits a test name may hold.
std::string PathCaseName(const ::testing::TestParamInfo<PathCase>& info) {
  const std::string text =
      std::string(info.param.path) + " is " + ReplaceAll(info.param.expected, "(+/-", " within ");
  std::string name;
  for (char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    else if (c == '?') name += "Anything";
    else if (c == '%') name += "pct";
    else if (!name.empty() && name.back() != '_') name += '_';
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name;
}

TEST_P(PathTest, CalcActualValue) {
  TAssembly a;
  a.Name = "Frame";
  a.Weight = 12.5;
  a.Main.Length = 9000;
  a.AddPart("p1", 1.5);
  a.AddPart("p2", 12.54);
  const PathCase& c = GetParam();
  std::string actual;
  bool ok = false;
  a.CalcActualValue(c.path, c.expected, actual, ok);
  EXPECT_EQ(actual, c.actual);
  EXPECT_EQ(ok, c.is_expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathTest,
    ::testing::Values(PathCase{"Main.Length", "?", "9000", true}, PathCase{"Name", "?", "Frame", true},
                      PathCase{"name", "Frame", "Frame", true}, PathCase{"Name", "frame", "Frame", false},
                      PathCase{"Parts5.Label", "p1", "** UNKNOWN ENTITY **", false},
                      PathCase{"Parts5.Label", "?", "** UNKNOWN ENTITY **", true},
                      PathCase{"Parts1.Label", "p2", "p2", true}, PathCase{"Main.Nope", "1", "** UNKNOWN PROPERTY **", false},
                      PathCase{"Main.Nope", "?", "** UNKNOWN PROPERTY **", true},
                      PathCase{"Weight", "12.50", "12.50", true}, PathCase{"Parts1.Length", "12.5", "12.54", true},
                      PathCase{"Weight", "12.6 (+/-1%)", "12.5", true},
                      PathCase{"Weight", "12.6(+/-0.05)", "12.5", false},
                      PathCase{"Weight", "12.6 (+/-1%)(+/-0.05)", "12.5", false},
                      PathCase{"Parts0.Length", "1.5", "1.5", true}, PathCase{"Main.Length", "9000.0", "9000.0", true},
                      PathCase{"Main.IsActive", "False", "False", true}),
    PathCaseName);

TEST(Path, TextToleranceAndRoundingEdges) {
  TWidget w;
  std::string actual;
  bool ok;
  w.Length = 12.56;
  w.CalcActualValue("Length", "12.5", actual, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(actual, "12.56");
  w.Length = 0;
  w.CalcActualValue("Length", "0 (+/-5%)", actual, ok);
  EXPECT_TRUE(ok);
  w.Length = 9000;
  w.CalcActualValue("Length", "?", actual, ok);
  EXPECT_EQ(actual, "9000");
}

TEST(ExpectedValue, Parsing) {
  double v, rel, abs;
  int dp;
  ParseExpectedValue("1234.5 (+/-1%)(+/-0.2)", v, rel, abs, dp);
  EXPECT_DOUBLE_EQ(v, 1234.5);
  EXPECT_DOUBLE_EQ(rel, 0.01);
  EXPECT_DOUBLE_EQ(abs, 0.2);
  EXPECT_EQ(dp, 1);
  ParseExpectedValue(" 7 (+/-0.5)(+/-2%) ", v, rel, abs, dp);
  EXPECT_DOUBLE_EQ(v, 7);
  EXPECT_DOUBLE_EQ(rel, 0.02);
  EXPECT_DOUBLE_EQ(abs, 0.5);
  EXPECT_EQ(dp, 0);
  ParseExpectedValue("abc (+/-x%)", v, rel, abs, dp);
  EXPECT_DOUBLE_EQ(v, 0);
  EXPECT_DOUBLE_EQ(rel, 0);
  ParseExpectedValue("(+/-", v, rel, abs, dp);  // no closing part: stop, the rest is the number
  EXPECT_DOUBLE_EQ(v, 0);
  ParseExpectedValue("0.0000000000", v, rel, abs, dp);
  EXPECT_EQ(dp, 10);
}

TEST(Entity, LoadFromCsvString) {
  TWidget w;
  w.Scratch = 3;
  w.Label = "old";
  w.LoadFromCsvString("label,Length,Length,IsActive,Colour,Unknown,Count", "\"a b\",2.5,9,True,2,x");
  EXPECT_EQ(w.Label, "a b");
  EXPECT_DOUBLE_EQ(w.Length, 2.5);  // a repeated header takes the first column
  EXPECT_TRUE(w.IsActive);
  EXPECT_EQ(w.Colour, TColour::Blue);
  EXPECT_EQ(w.Count, 0);  // fewer values than names
  EXPECT_FALSE(w.IsChanged);
  struct {
    const char* text;
    bool value;
  } bools[] = {{"-1", true}, {"0", false}, {"true", true}, {"FALSE", false}, {"yes", false}, {"2", true}};
  for (const auto& b : bools) {
    w.LoadFromCsvString("IsActive", b.text);
    EXPECT_EQ(w.IsActive, b.value) << b.text;
  }
}

TEST(Entity, GetPropertiesListing) {
  TAssembly a;
  a.AddPart("p1", 1);
  std::vector<std::string> lines;
  a.GetProperties(lines, "", "", 4);
  auto has = [&](const std::string& l) { return std::find(lines.begin(), lines.end(), l) != lines.end(); };
  EXPECT_TRUE(has("Assembly,Name,String,IO"));
  EXPECT_TRUE(has("Assembly,Weight,Float,IO"));
  EXPECT_TRUE(has("Main,Length,Float,IO"));  // a sub-entity lists under its property name
  EXPECT_TRUE(has("Main,DoubleLength,Float,O"));
  EXPECT_TRUE(has("Parts*,Label,String,O"));            // list item 0 as output
  EXPECT_TRUE(has("Widget,Label<N>,String,I"));         // list item as input with <N>
  EXPECT_TRUE(has("Widget,Colour<N>,Integer,I") == false);  // a plain enumeration is left out
  EXPECT_FALSE(has("Widget,Scratch<N>,Float,I"));       // public: neither I nor O
  size_t before = lines.size();
  a.GetProperties(lines, "", "", 4);
  EXPECT_EQ(lines.size(), before);  // no duplicates
}
