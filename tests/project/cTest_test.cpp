#include "project/cTest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "entity/cEntityList.h"
#include "entity/cIniFiles.h"
#include "project/cDesignTable.h"
#include "temp_dir.h"

namespace {

std::unique_ptr<TTest> MakeTest() {
  auto t = std::make_unique<TTest>();
  t->Name = "T1";
  t->Group = "Secondary";
  t->Description = "Office beam, 9 m";
  t->VersionID = 1;
  t->InputList = {"Geometry.SpacingSide1=9000", "Project.Segments=20"};
  t->OutputList = {{"Beam.MaxStrengthRatio", "0.95(+/-1%)", "0.951", ""},
                   {"Beam.TotalShearConnectors", "24", "26", "<<<<<< does not match"},
                   {"Beam.Mark", "?", "", ""}};
  t->Status.SetError(elWarning, "");
  return t;
}

}  // namespace

TEST(RegressionTest, ProjectFileLayoutRoundTrip) {
  TEntityList tests = TEntityList::Of<TTest>();
  tests.Add("T1", MakeTest());
  auto ini = TVEXIniFile::FromBytes("[T1-Input]\r\nGeometry.Span=1\r\n");
  tests.SaveToIniFile(ini, "");
  EXPECT_FALSE(ini.SectionExists("T1-Input"));  // the older layout is erased
  EXPECT_EQ(ini.ReadString("Tests", "Output1-1", ""), "Beam.MaxStrengthRatio=0.95(+/-1%)");
  EXPECT_EQ(ini.ReadString("Tests", "Input1-2", ""), "Project.Segments=20");
  EXPECT_EQ(ini.ReadString("Tests", "Result1-2", ""), "26");
  EXPECT_FALSE(ini.ValueExists("Tests", "Comment1-1"));  // empty values are not kept
  EXPECT_FALSE(ini.ValueExists("Tests", "Result1-3"));
  EXPECT_EQ(ini.ReadInteger("Tests", "Status1", 0), elWarning);

  TEntityList back = TEntityList::Of<TTest>();
  back.LoadFromIniFile(ini, "Name", true, "");
  ASSERT_EQ(back.Count(), 1);
  const TTest& t = *back.ItemAs<TTest>(0);
  EXPECT_EQ(back.Key(0), "T1");
  EXPECT_EQ(t.Group, "Secondary");
  EXPECT_EQ(t.VersionID, 1);
  EXPECT_EQ(t.InputList, MakeTest()->InputList);
  ASSERT_EQ(t.OutputList.size(), 3u);
  EXPECT_EQ(t.OutputList[0].ExpectedValue, "0.95(+/-1%)");
  EXPECT_EQ(t.OutputList[1].Comment, "<<<<<< does not match");
  EXPECT_EQ(t.Status.ErrorLevel, elWarning);
}

TEST(RegressionTest, OlderLayoutIsRead) {
  auto ini = TVEXIniFile::FromBytes(
      "[Tests]\r\nCount=1\r\nName1=Old\r\nGroup1=G\r\nStatus1=1\r\n"
      "[Old-Input]\r\nGeometry.Span=9000\r\n[Old-Output]\r\nBeam.Span=9000=x\r\n");
  TTest t;
  t.LoadFromIniFile(ini, "", "1");
  EXPECT_EQ(t.InputList, (std::vector<std::string>{"Geometry.Span=9000"}));
  ASSERT_EQ(t.OutputList.size(), 1u);
  EXPECT_EQ(t.OutputList[0].Name, "Beam.Span");
  EXPECT_EQ(t.OutputList[0].ExpectedValue, "9000=x");  // split at the first "="
  EXPECT_EQ(t.Status.ErrorLevel, elHint);
}

TEST(RegressionTest, InputsAndOutputsWriteIntoAProjectFile) {
  auto t = MakeTest();
  auto ini = TVEXIniFile::FromBytes("[Geometry]\r\nSpacingSide1=6000\r\n");
  t->AppendInputValuesToIniFile(ini);
  t->AppendOutputValuesToIniFile(ini);
  EXPECT_EQ(ini.ReadString("Geometry", "SpacingSide1", ""), "9000");
  EXPECT_EQ(ini.ReadString("Project", "Segments", ""), "20");
  EXPECT_EQ(ini.ReadString("Output", "Beam.Mark", ""), "?");
  t->ClearResults();
  EXPECT_EQ(t->Status.ErrorLevel, elNone);
  EXPECT_EQ(t->OutputList[1].CalculatedValue, "");
  TTest copy;
  copy.Assign(t.get());
  EXPECT_EQ(copy.OutputList.size(), 3u);
  EXPECT_EQ(copy.Name, "T1");
}

TEST(DesignTableSettings, WrittenOnlyWhenThereIsSomethingToKeep) {
  TDesignTable table;
  auto ini = TVEXIniFile::FromBytes("[DesignTable]\r\nVersionID=1\r\n");
  table.SaveToIniFile(ini, "", "");
  EXPECT_FALSE(ini.SectionExists("DesignTable"));
  table.SpanList = {9000, 12000};
  table.SpacingList = {2500.5};
  table.FloorUseIndex = 2;
  table.WillIterateAllFloors = true;
  table.SaveToIniFile(ini, "", "");
  EXPECT_EQ(ini.ReadString("DesignTable", "Span2", ""), "12000");
  TDesignTable back;
  back.LoadFromIniFile(ini, "", "");
  EXPECT_EQ(back.SpanList, table.SpanList);
  EXPECT_EQ(back.SpacingList, table.SpacingList);
  EXPECT_EQ(back.FloorUseIndex, 2);
  EXPECT_TRUE(back.WillIterateAllFloors);
  EXPECT_TRUE(back.HasDesignTableProperties());
}

// The results file is a CSV file opened in spreadsheets: each cell of a
// test's own text (group, name, description, path, value, expected value)
// goes through the results report's cell writer, so it stays one cell and
// never runs as a formula.
TEST(RegressionTest, ResultsFileCellsAreSafeInASpreadsheet) {
  struct Case {
    const char* what;
    std::function<void(TTest&)> set;
    std::string line;
  } cases[] = {
      {"plain words stay bare", [](TTest&) {}, "Secondary-T1,\"Office beam, 9 m\""},
      {"a description that is a formula", [](TTest& t) { t.Description = "=1+1"; }, "Secondary-T1,'=1+1"},
      {"a group that is a command", [](TTest& t) { t.Group = "-2+3+cmd|' /C calc'!A0"; },
       "'-2+3+cmd|' /C calc'!A0-T1,\"Office beam, 9 m\""},
      {"a value that is a negative number", [](TTest& t) { t.OutputList[2].CalculatedValue = "-12.5"; },
       "Beam.Mark,-12.5"},
      {"a value that is a formula", [](TTest& t) { t.OutputList[2].CalculatedValue = "@SUM(A1)"; },
       "Beam.Mark,'@SUM(A1)"},
      {"a value holding a line break", [](TTest& t) { t.OutputList[2].CalculatedValue = "a\r\nb"; },
       "Beam.Mark,\"a\r\nb\""},
      {"a value holding a double quote", [](TTest& t) { t.OutputList[2].CalculatedValue = "8\" slab"; },
       "Beam.Mark,\"8\"\" slab\""},
      {"a path that is a formula", [](TTest& t) { t.OutputList[2].Name = "+Beam.Mark"; }, "'+Beam.Mark,"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<TTest> t = MakeTest();
    c.set(*t);
    const std::string file = dir.File("Job-Test.csv");
    ASSERT_TRUE(t->DumpResults(file, false, 0));
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("\r\n" + c.line), std::string::npos) << text;
  }
}
