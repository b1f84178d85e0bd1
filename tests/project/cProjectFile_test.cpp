#include "project/cProjectFile.h"

#include <gtest/gtest.h>

#include <random>

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "project_fixtures.h"

using project_test::Libraries;
using project_test::MakeValidProject;
using project_test::ReadBytes;
using project_test::SamplePath;

namespace {

// The project as a file's text, saved into an empty in-memory file.
std::string SavedText(TProject& p) {
  auto ini = TVEXIniFile::FromBytes("");
  p.SaveToIniFile(ini, "", "");
  return ini.ToBytes();
}

void LoadText(TProject& p, const std::string& text) {
  auto ini = TVEXIniFile::FromBytes(text);
  p.LoadFromIniFile(ini, "", "");
}

TProject& LoadedSample(TProject& p) {
  const TResult loaded = LoadProjectFile(p, Libraries(), SamplePath());
  EXPECT_TRUE(loaded.IsOK()) << loaded.Message();
  return p;
}

std::unique_ptr<TTest> MakeTest(const std::string& group, const std::string& name) {
  auto t = std::make_unique<TTest>();
  t->Group = group;
  t->Name = name;
  return t;
}

}  // namespace

// ---------------------------------------------------------------------------
// Layout.

TEST(ProjectFile, SampleLoadsValidAndSavesTheSameFileTwice) {
  TProject p;
  LoadedSample(p);
  EXPECT_EQ(p.Project, "Sample office floor");
  EXPECT_TRUE(p.IsOK()) << p.Status.ErrorText();

  TempDir dir;
  ASSERT_TRUE(SaveProjectFile(p, dir.File("first.tva")).IsOK());
  TProject again;
  ASSERT_TRUE(LoadProjectFile(again, Libraries(), dir.File("first.tva")).IsOK());
  ASSERT_TRUE(SaveProjectFile(again, dir.File("second.tva")).IsOK());
  const std::string first = ReadBytes(dir.File("first.tva"));
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(first, ReadBytes(dir.File("second.tva")));
}

TEST(ProjectFile, SectionsFollowTheProjectTableAndTheExistingBeams) {
  TProject p;
  MakeValidProject(p);
  p.Geometry.IsSide2SameAsSide1 = false;
  p.DesignTable.VersionID = 1;
  p.TestGroupList.Add("G", std::make_unique<TTestGroup>());
  p.TestGroupList.ItemAs<TTestGroup>(0)->Group = "G";
  p.TestList.Add("T", MakeTest("G", "T"));
  auto ini = TVEXIniFile::FromBytes(SavedText(p));
  const std::vector<std::string> expected = {
      "Project", "DeflectionLimit", "Geometry", "ConcreteFloor", "SteelDeck", "ShearConnector", "DesignTable",
      "Vibration", "LimitState", "Beam", "SteelSection", "CompositeSection", "DistributedLoad", "PointLoad",
      "Secondary1Beam", "Secondary1SteelSection", "Secondary1CompositeSection", "Secondary1DistributedLoad",
      "Secondary1PointLoad", "Secondary2Beam", "Secondary2SteelSection", "Secondary2CompositeSection",
      "Secondary2DistributedLoad", "Secondary2PointLoad", "TestGroups", "Tests"};
  EXPECT_EQ(ini.ReadSections(), expected);
  const std::vector<std::string> project_keys = {"Project", "Designer",  "Description",          "FloorArea",
                                                 "Storeys", "Segments", "DesignCompositeStage", "Checksum"};
  EXPECT_EQ(ini.ReadSection("Project"), project_keys);
  EXPECT_EQ(ini.ReadString("Project", "Checksum", ""), p.CalcNewChecksum());
  EXPECT_EQ(ini.ReadString("LimitState", "Count", ""), "5");
  EXPECT_EQ(ini.ReadString("LimitState", "LimitStateLabel3", ""), "Long-term");
}

TEST(ProjectFile, FloorWithoutPrimaryBeamKeepsOnlyBeamOne) {
  TProject p;
  MakeValidProject(p);
  p.Geometry.HasPrimaryBeam = false;
  const std::string text = SavedText(p);
  auto ini = TVEXIniFile::FromBytes(text);
  EXPECT_FALSE(ini.SectionExists("Beam"));
  EXPECT_FALSE(ini.SectionExists("SteelSection"));
  EXPECT_TRUE(ini.SectionExists("Secondary1Beam"));
  EXPECT_TRUE(ini.SectionExists("Secondary1SteelSection"));
  EXPECT_FALSE(ini.SectionExists("Secondary2Beam"));
  EXPECT_EQ(ini.ReadString("Secondary1Beam", "Mark", ""), "SB1");

  // A primary beam written into the file anyway is not read.
  auto with_primary = TVEXIniFile::FromBytes(text);
  with_primary.WriteString("Beam", "Mark", "PB-X");
  TProject loaded;
  loaded.LoadFromIniFile(with_primary, "", "");
  EXPECT_EQ(loaded.GetBeam(0)->Mark, "");
  EXPECT_EQ(loaded.GetBeam(1)->Mark, "SB1");
  EXPECT_EQ(loaded.BeamCount(), 2);
}

TEST(ProjectFile, IdenticalSidesNeitherSaveNorLoadBeamTwo) {
  TProject p;
  MakeValidProject(p);
  auto ini = TVEXIniFile::FromBytes(SavedText(p));
  EXPECT_TRUE(ini.SectionExists("Beam"));
  EXPECT_TRUE(ini.SectionExists("Secondary1Beam"));
  EXPECT_FALSE(ini.SectionExists("Secondary2Beam"));

  ini.WriteString("Secondary2Beam", "Mark", "SB2-X");
  TProject loaded;
  loaded.LoadFromIniFile(ini, "", "");
  EXPECT_EQ(loaded.GetBeam(0)->Mark, "PB1");
  EXPECT_EQ(loaded.GetBeam(2)->Mark, "");

  ini.WriteString("Geometry", "IsSide2SameAsSide1", "0");
  loaded.LoadFromIniFile(ini, "", "");
  EXPECT_EQ(loaded.GetBeam(2)->Mark, "SB2-X");
  EXPECT_EQ(loaded.BeamCount(), 3);
}

TEST(ProjectFile, LoadingGivesTheBeamsTheirGeometry) {
  TProject p;
  MakeValidProject(p);
  p.Geometry.SpacingSide1 = 7000;
  p.DesignCompositeStage = 6;
  TProject loaded;
  LoadText(loaded, SavedText(p));
  EXPECT_EQ(loaded.GetBeam(0)->Span, 9000);
  EXPECT_EQ(loaded.GetBeam(1)->Span, 7000);
  EXPECT_EQ(loaded.GetBeam(1)->Ds, 150);
  EXPECT_EQ(loaded.GetBeam(1)->DesignCompositeStage, 6);
  EXPECT_FALSE(loaded.IsChanged);
}

// ---------------------------------------------------------------------------
// Limit states, checksum, defaults.

TEST(ProjectFile, LimitStatesInAFileOnlyChangeFactorsOfKnownLabels) {
  TProject p;
  p.SetLimitStateValues(nullptr);
  LoadText(p,
           "[Project]\r\nSegments=10\r\n[LimitState]\r\nCount=2\r\n"
           "LimitStateLabel1=Ultimate\r\nLFdead1=9\r\nLFlive1=9\r\n"
           "LimitStateLabel2=Strength\r\nLFdead2=1.35\r\nLFlive2=1.5\r\n");
  ASSERT_EQ(p.LimitStateList.Count(), 5);
  EXPECT_EQ(p.LimitStateList.IndexOf("Ultimate"), -1);
  EXPECT_EQ(p.LimitStateList.Key(0), "Strength");
  EXPECT_DOUBLE_EQ(p.LimitStateList.ItemAs<TLimitState>(0)->LFdead, 1.35);
  EXPECT_EQ(p.GetBeam(0)->LimitStateList, &p.LimitStateList);

  // A file with an unknown label only leaves every factor as it was.
  TProject q;
  q.SetLimitStateValues(nullptr);
  LoadText(q, "[Project]\r\n[LimitState]\r\nCount=1\r\nLimitStateLabel1=Ultimate\r\nLFdead1=9\r\nLFlive1=9\r\n");
  TProject defaults;
  defaults.SetLimitStateValues(nullptr);
  ASSERT_EQ(q.LimitStateList.Count(), 5);
  for (int i = 0; i < 5; ++i) {
    const auto* a = q.LimitStateList.ItemAs<TLimitState>(i);
    const auto* b = defaults.LimitStateList.ItemAs<TLimitState>(i);
    EXPECT_EQ(a->LimitStateLabel, b->LimitStateLabel);
    EXPECT_EQ(a->LFdead, b->LFdead);
    EXPECT_EQ(a->LFlive, b->LFlive);
  }
}

TEST(ProjectFile, ChecksumIsStableAndFollowsTheSections) {
  TProject p;
  LoadedSample(p);
  // By hand from the sample: 1200 m2, 8 storeys, 3 kPa reducible / 1.5 kPa,
  // 9 m primary and secondary spans, 120 mm slab, deck RE55-100, 19 x 95 studs;
  // sections 530UB82.0 and 360UB44.7, then the user's code.
  EXPECT_EQ(p.DesignInputSummary(), "1200,8,3R/1.5,9000,9000,120,RE55-100,19x95");
  const std::string output = p.DesignOutputSummary();
  ASSERT_EQ(CurrentUserCode().size(), 8u);
  EXPECT_EQ(output, "530UB82.0/KESTREL,360UB44.7/KESTREL," + CurrentUserCode());

  const std::string sum = p.CalcNewChecksum();
  ASSERT_EQ(sum.size(), 8u);
  EXPECT_EQ(sum.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_EQ(sum, HashText(p.DesignInputSummary() + output).substr(0, 8));
  auto first = TVEXIniFile::FromBytes("");
  auto second = TVEXIniFile::FromBytes("");
  p.SaveToIniFile(first, "", "");
  p.SaveToIniFile(second, "", "");
  EXPECT_EQ(first.ReadString("Project", "Checksum", ""), sum);
  EXPECT_EQ(second.ReadString("Project", "Checksum", ""), sum);
  EXPECT_EQ(p.Checksum, sum);

  TSteelSection& base = *p.GetBeam(0)->SteelSection(0);
  base.Name = "610UB101";
  base.LoadFromLibrary(Libraries().SteelSectionLibrary);
  EXPECT_NE(p.CalcNewChecksum(), sum);
  // Without a primary beam its section no longer counts.
  p.Geometry.HasPrimaryBeam = false;
  EXPECT_EQ(p.DesignOutputSummary().rfind("NONE,", 0), 0u);
  EXPECT_EQ(p.DesignInputSummary(), "1200,8,3R/1.5,0,9000,120,RE55-100,19x95");
}

TEST(ProjectFile, MissingKeysGiveTheFileDefaults) {
  TProject p;
  MakeValidProject(p);
  LoadText(p, "[Project]\r\nProject=Bare\r\n");
  EXPECT_EQ(p.Project, "Bare");
  EXPECT_EQ(p.FloorArea, 0);
  EXPECT_EQ(p.Segments, 0);
  EXPECT_EQ(p.Geometry.Span, 0);
  EXPECT_FALSE(p.Geometry.HasPrimaryBeam);
  EXPECT_FALSE(p.Geometry.WillAutocalcBeamLoading);
  EXPECT_EQ(p.Geometry.Outstand, 0);
  EXPECT_EQ(p.ConcreteFloor.Density, 0);
  EXPECT_EQ(p.SteelDeck.Name, "");
  EXPECT_EQ(p.GetBeam(1)->Mark, "");
  EXPECT_EQ(p.BeamCount(), 2);
  // The stage number is the exception: no stage 0 exists, so the in-service stage stays.
  EXPECT_EQ(p.DesignCompositeStage, kInServiceStage);
  EXPECT_EQ(p.GetBeam(1)->DesignCompositeStage, kInServiceStage);
  LoadText(p, "[Project]\r\nDesignCompositeStage=12\r\n");
  EXPECT_EQ(p.DesignCompositeStage, kInServiceStage);
  LoadText(p, "[Project]\r\nDesignCompositeStage=5\r\n");
  EXPECT_EQ(p.DesignCompositeStage, 5);
}

// ---------------------------------------------------------------------------
// Tests and design tables.

TEST(ProjectFile, TestsAndDesignTableRoundTrip) {
  TProject p;
  MakeValidProject(p);
  // Custom components keep their values in the file, so the whole text can be compared.
  p.SteelDeck.IsCustom = p.ShearConnector.IsCustom = true;
  p.SteelDeck.ShortCode = "XX";
  p.DesignTable.VersionID = 1;
  p.DesignTable.FloorUseIndex = 3;
  p.DesignTable.WillIterateAllFloors = true;
  p.DesignTable.SpanList = {6000, 7500.5};
  p.DesignTable.SpacingList = {2400};
  auto group = std::make_unique<TTestGroup>();
  group->Group = "Spans";
  p.TestGroupList.Add("Spans", std::move(group));
  auto t1 = MakeTest("Spans", "Long span");
  t1->Description = "Two lines\r\nof text <b>";
  t1->VersionID = 0;
  t1->InputList = {"Geometry.Span=12000", "Project.Description=a<b"};
  t1->OutputList = {{"Beam.Mark", "?", "PB1", ""},
                    {"Description", "?", "line 1\r\nline 2", ""},
                    {"Beam.SuggestedCamber", "12 (+/-5%)", "15", "<<<<<< does not match"}};
  t1->Status.SetError(elWarning, "");
  p.TestList.Add("Long span", std::move(t1));
  auto t2 = MakeTest("Orphans", "Passed");  // its group is not listed
  t2->VersionID = 1;
  t2->OutputList = {{"IsOK", "True", "True", ""}};
  t2->Status.SetError(elHint, "");
  p.TestList.Add("Passed", std::move(t2));
  p.TestList.Add("New", MakeTest("Spans", "New"));

  const std::string text = SavedText(p);
  TProject q;
  q.SetLimitStateValues(nullptr);
  LoadText(q, text);
  EXPECT_EQ(q.DesignInputSummary(), p.DesignInputSummary());
  EXPECT_EQ(q.DesignOutputSummary(), p.DesignOutputSummary());
  const TDesignTable& d = q.DesignTable;
  EXPECT_EQ(d.VersionID, 1);
  EXPECT_EQ(d.FloorUseIndex, 3);
  EXPECT_TRUE(d.WillIterateAllFloors);
  EXPECT_EQ(d.SpanList, (std::vector<double>{6000, 7500.5}));
  EXPECT_EQ(d.SpacingList, std::vector<double>{2400});

  ASSERT_EQ(q.TestGroupList.Count(), 2);
  EXPECT_EQ(q.TestGroupList.Key(0), "Spans");
  EXPECT_EQ(q.TestGroupList.Key(1), "Orphans");
  EXPECT_EQ(q.TestGroupList.ItemAs<TTestGroup>(1)->Group, "Orphans");
  ASSERT_EQ(q.TestList.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const auto& a = *p.TestList.ItemAs<TTest>(i);
    const auto& b = *q.TestList.ItemAs<TTest>(i);
    EXPECT_EQ(q.TestList.Key(i), a.Name);
    EXPECT_EQ(b.Name, a.Name);
    EXPECT_EQ(b.Group, a.Group);
    EXPECT_EQ(b.Description, a.Description);
    EXPECT_EQ(b.VersionID, a.VersionID);
    EXPECT_EQ(b.InputList, a.InputList);
    ASSERT_EQ(b.OutputList.size(), a.OutputList.size());
    for (size_t k = 0; k < a.OutputList.size(); ++k) {
      EXPECT_EQ(b.OutputList[k].Name, a.OutputList[k].Name);
      EXPECT_EQ(b.OutputList[k].ExpectedValue, a.OutputList[k].ExpectedValue);
      EXPECT_EQ(b.OutputList[k].CalculatedValue, a.OutputList[k].CalculatedValue);
      EXPECT_EQ(b.OutputList[k].Comment, a.OutputList[k].Comment);
    }
    EXPECT_EQ(b.Status.ErrorLevel, a.Status.ErrorLevel);
  }
  // A second save gives the same text, the added group included.
  p.TestGroupList.Add("Orphans", std::make_unique<TTestGroup>());
  p.TestGroupList.ItemAs<TTestGroup>(1)->Group = "Orphans";
  EXPECT_EQ(SavedText(q), SavedText(p));

  // The keys of one test, as administrators read them.
  auto ini = TVEXIniFile::FromBytes(text);
  EXPECT_EQ(ini.ReadString("Tests", "Output1-3", ""), "Beam.SuggestedCamber=12 (+/-5%)");
  EXPECT_EQ(ini.ReadString("Tests", "Status1", ""), "2");
  EXPECT_EQ(ini.ReadString("Tests", "Status2", ""), "1");
  EXPECT_FALSE(ini.ValueExists("Tests", "Status3"));
  EXPECT_FALSE(ini.ValueExists("Tests", "Comment1-1"));
  EXPECT_EQ(ini.ReadString("DesignTable", "Span2", ""), "7500.5");
}

TEST(ProjectFile, EmptyTestsAndDesignTableRemoveTheirSections) {
  TProject p;
  MakeValidProject(p);
  auto ini = TVEXIniFile::FromBytes(
      "[DesignTable]\r\nVersionID=1\r\n[TestGroups]\r\nCount=1\r\n[Tests]\r\nCount=0\r\n");
  p.SaveToIniFile(ini, "", "");
  EXPECT_FALSE(ini.SectionExists("DesignTable"));
  EXPECT_FALSE(ini.SectionExists("TestGroups"));
  EXPECT_FALSE(ini.SectionExists("Tests"));

  // Saving without tests removes them even when the project has some.
  p.TestList.Add("T", MakeTest("G", "T"));
  auto without = TVEXIniFile::FromBytes("[Tests]\r\nCount=4\r\n");
  p.SaveExceptTestsToIniFile(without, "", "");
  EXPECT_FALSE(without.SectionExists("Tests"));
  EXPECT_TRUE(without.SectionExists("Secondary1Beam"));
}

TEST(ProjectFile, OlderTestLayoutIsReadAndRewritten) {
  TProject p;
  MakeValidProject(p);
  auto ini = TVEXIniFile::FromBytes(SavedText(p));
  ini.WriteString("Tests", "Count", "1");
  ini.WriteString("Tests", "Name1", "Old");
  ini.WriteString("Tests", "Group1", "Legacy");
  ini.WriteString("Tests", "VersionID1", "1");
  ini.WriteString("Tests", "Status1", "1");
  ini.WriteString("Old-Input", "Geometry.Span", "12000");
  ini.WriteString("Old-Input", "Project.Storeys", "9");
  ini.WriteString("Old-Output", "Beam.Mark", "PB1");
  ini.WriteString("Old-Output", "Beam.SuggestedCamber", "12 (+/-1)");

  TProject q;
  q.LoadFromIniFile(ini, "", "");
  ASSERT_EQ(q.TestList.Count(), 1);
  const TTest& t = *q.TestList.ItemAs<TTest>(0);
  EXPECT_EQ(t.InputList, (std::vector<std::string>{"Geometry.Span=12000", "Project.Storeys=9"}));
  ASSERT_EQ(t.OutputList.size(), 2u);
  EXPECT_EQ(t.OutputList[1].Name, "Beam.SuggestedCamber");
  EXPECT_EQ(t.OutputList[1].ExpectedValue, "12 (+/-1)");
  EXPECT_EQ(t.Status.ErrorLevel, elHint);
  EXPECT_EQ(q.TestGroupList.Key(0), "Legacy");

  q.SaveToIniFile(ini, "", "");
  EXPECT_FALSE(ini.SectionExists("Old-Input"));
  EXPECT_FALSE(ini.SectionExists("Old-Output"));
  EXPECT_EQ(ini.ReadString("Tests", "InputCount1", ""), "2");
  EXPECT_EQ(ini.ReadString("Tests", "Input1-1", ""), "Geometry.Span=12000");
  EXPECT_EQ(ini.ReadString("Tests", "Output1-2", ""), "Beam.SuggestedCamber=12 (+/-1)");
}

// ---------------------------------------------------------------------------
// Files on disk.

TEST(ProjectFile, SaveKeepsKeysOfTheOlderFileAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string file = dir.Write("old.tva", ReadBytes(SamplePath()) + "[Legacy]\r\nFoo=1\r\n\r\n");
  {
    auto ini = TVEXIniFile(file);
    ini.WriteString("Project", "OldKey", "kept");
  }
  TProject p;
  ASSERT_TRUE(LoadProjectFile(p, Libraries(), file).IsOK());
  p.Designer = "New designer";
  ASSERT_TRUE(SaveProjectFile(p, file).IsOK());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"old.tva"});

  TVEXIniFile saved(file, true);
  EXPECT_EQ(saved.ReadString("Legacy", "Foo", ""), "1");
  EXPECT_EQ(saved.ReadString("Project", "OldKey", ""), "kept");
  EXPECT_EQ(saved.ReadString("Project", "Designer", ""), "New designer");
}

// Save keeps what the project's own file holds beyond the project; Save As to
// any other existing file replaces it whole (the user agreed to overwrite it),
// whatever it held. Files are compared, not names.
TEST(ProjectFile, SaveAsReplacesAnotherFileWhole) {
  TempDir dir;
  const std::string legacy = ReadBytes(SamplePath()) + "[Legacy]\r\nFoo=1\r\n\r\n";
  const std::string own = dir.Write("own.tva", legacy);
  std::filesystem::create_symlink(own, dir.File("own-link.tva"));
  struct Case {
    const char* what;
    std::string target;
    bool keeps_legacy;
  } cases[] = {
      {"the project's own file", own, true},
      {"its own file through a link", dir.File("own-link.tva"), true},
      {"another project file", dir.Write("other.tva", legacy), false},
      {"a file that is no project", dir.Write("notes.txt", "my notes\r\n[Legacy]\r\nFoo=1\r\n"), false},
      {"a new file", dir.File("new.tva"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TProject p;
    ASSERT_TRUE(LoadProjectFile(p, Libraries(), own).IsOK());
    p.Designer = "New designer";
    const TResult saved = SaveProjectFileAs(p, c.target, own);
    ASSERT_TRUE(saved.IsOK()) << saved.Message();
    const std::string text = ReadBytes(c.target);
    EXPECT_EQ(text.find("my notes"), std::string::npos);
    EXPECT_EQ(text.find("[Legacy]") != std::string::npos, c.keeps_legacy);
    TProject q;
    ASSERT_TRUE(LoadProjectFile(q, Libraries(), c.target).IsOK());
    EXPECT_EQ(q.Designer, "New designer");
  }
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("own-link.tva")));

  // A read-only file is refused and kept as it was.
  const std::string locked = dir.Write("locked.tva", legacy);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
  TProject p;
  ASSERT_TRUE(LoadProjectFile(p, Libraries(), own).IsOK());
  for (const std::string& opened : {own, locked}) {
    const TResult saved = SaveProjectFileAs(p, locked, opened);
    EXPECT_EQ(saved.Message(), "Cannot write file [" + locked + "]: it is read-only");
    EXPECT_EQ(ReadBytes(locked), legacy);
  }
}

TEST(ProjectFile, DamagedFilesGiveAnErrorOrDefaults) {
  TempDir dir;
  std::mt19937 random(2327);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  const std::string sample = ReadBytes(SamplePath());
  struct Case {
    const char* name;
    std::string file;
    bool loads;
  };
  std::filesystem::create_directories(dir.File("folder.tva"));
  const Case cases[] = {
      {"random bytes", dir.Write("noise.tva", noise), false},
      {"empty", dir.Write("empty.tva", ""), false},
      {"missing", dir.File("missing.tva"), false},
      {"folder", dir.File("folder.tva"), false},
      // A file cut short lacks the sections of its beams: it is incomplete.
      {"truncated", dir.Write("cut.tva", sample.substr(0, sample.size() / 3)), false},
      {"truncated mid-line", dir.Write("cut2.tva", sample.substr(0, sample.find("SpacingSide1=") + 15)), false},
      {"noise after a header", dir.Write("header.tva", "[Project]\r\n" + noise), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TProject p;
    LoadedSample(p);
    const TResult loaded = LoadProjectFile(p, Libraries(), c.file);
    EXPECT_EQ(loaded.IsOK(), c.loads);
    if (!loaded) {
      EXPECT_FALSE(loaded.Message().empty());
      EXPECT_EQ(p.Project, "");  // cleared, not half-read
    }
    // Whatever was read can be checked, summarised and saved again.
    (void)p.IsOK();
    EXPECT_EQ(p.CalcNewChecksum().size(), 8u);
    EXPECT_FALSE(SavedText(p).empty());
  }
  TProject p;
  EXPECT_EQ(LoadProjectFile(p, Libraries(), dir.File("missing.tva")).Message(),
            "Project file [" + dir.File("missing.tva") + "] not found");
  EXPECT_EQ(LoadProjectFile(p, Libraries(), dir.File("folder.tva")).Message(),
            "[" + dir.File("folder.tva") + "] is a folder, not a file");
}

TEST(ProjectFile, TextsThatAreNotNumbersAndIncompleteFilesAreLoadErrors) {
  // Each case edits the sample; a load error names the file and what is wrong
  // in it, and leaves the project cleared.
  const std::string sample = ReadBytes(SamplePath());
  auto edited = [&](std::vector<std::pair<std::string, std::string>> edits) {
    std::string text = sample;
    for (const auto& [from, to] : edits) {
      const size_t at = text.find(from);
      EXPECT_NE(at, std::string::npos) << from;
      if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    return text;
  };
  auto without = [&](const std::string& first, const std::string& next) {
    const size_t from = sample.find(first), to = next.empty() ? sample.size() : sample.find(next);
    EXPECT_NE(from, std::string::npos);
    EXPECT_NE(to, std::string::npos);
    return sample.substr(0, from) + sample.substr(to);
  };
  struct Case {
    const char* name;
    std::string text;
    std::string problem;  // after "Project file [file]"; empty when it loads
  };
  const Case cases[] = {
      {"decimal comma", edited({{"DeadLoad=1.5", "DeadLoad=1,5"}}),
       ", section [Geometry], key DeadLoad: \"1,5\" is not a number"},
      {"word for a load factor", edited({{"LFdead1=1.2", "LFdead1=abc"}}),
       ", section [LimitState], key LFdead1: \"abc\" is not a number"},
      {"nan", edited({{"Span=9000", "Span=nan"}}), ", section [Geometry], key Span: \"nan\" is not a number"},
      {"fraction for a whole number", edited({{"Segments=10", "Segments=10.5"}}),
       ", section [Project], key Segments: \"10.5\" is not a whole number"},
      {"word for a Boolean", edited({{"IsPropped=0\r\nPondingAllowance", "IsPropped=no\r\nPondingAllowance"}}),
       ", section [Geometry], key IsPropped: \"no\" is not a whole number"},
      {"secondary beam key", edited({{"Mark=SB1\r\n", "Mark=SB1\r\nUserBeta=0.5.1\r\n"}}),
       ", section [Secondary1Beam], key UserBeta: \"0.5.1\" is not a number"},
      {"a billion point loads", edited({{"[PointLoad]\r\nCount=0", "[PointLoad]\r\nCount=1000000000"}}),
       ", section [PointLoad], key Count: \"1000000000\" is more than 10000 items"},
      {"negative count", edited({{"[Secondary1DistributedLoad]\r\nCount=0", "[Secondary1DistributedLoad]\r\nCount=-1"}}),
       ", section [Secondary1DistributedLoad], key Count: \"-1\" is not a count"},
      {"secondary beam cut off", without("[Secondary1Beam]", ""),
       " is incomplete: section [Secondary1Beam] is missing"},
      {"primary beam missing", without("[Beam]", "[SteelSection]"), " is incomplete: section [Beam] is missing"},
      {"secondary list missing", without("[Secondary1PointLoad]", ""),
       " is incomplete: section [Secondary1PointLoad] is missing"},
      // Without its steel sections a beam would be analysed with one the user never chose.
      {"primary beam's steel sections missing", without("[SteelSection]", "[CompositeSection]"),
       " is incomplete: section [SteelSection] is missing"},
      {"secondary beam's steel sections missing", without("[Secondary1SteelSection]", "[Secondary1CompositeSection]"),
       " is incomplete: section [Secondary1SteelSection] is missing"},
      // Line breaks travel escaped; a raw control character is no text a user wrote.
      {"NUL in a text", edited({{"Designer=Trevalon sample", std::string("Designer=Trevalon\0sample", 24)}}),
       ", section [Project], key Designer: a control character in the text"},
      {"escape in a beam's mark", edited({{"Mark=SB1", "Mark=SB\x1B[31m1"}}),
       ", section [Secondary1Beam], key Mark: a control character in the text"},
      {"delete in a description", edited({{"Description=Internal", "Description=\x7FInternal"}}),
       ", section [Project], key Description: a control character in the text"},
      {"tab in a text is text", edited({{"Designer=Trevalon sample", "Designer=Trevalon\tsample"}}), ""},
      {"unchanged", sample, ""},
      {"empty value keeps the default", edited({{"FacadeLoad=0", "FacadeLoad="}}), ""},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir.Write("p.tva", c.text);
    TProject p;
    const TResult loaded = LoadProjectFile(p, Libraries(), file);
    if (c.problem.empty()) {
      EXPECT_TRUE(loaded.IsOK()) << loaded.Message();
      EXPECT_EQ(p.Project, "Sample office floor");
    } else {
      EXPECT_EQ(loaded.Message(), "Project file [" + file + "]" + c.problem);
      EXPECT_EQ(p.Project, "");  // cleared, not half-read
    }
  }
}

// A file saved without prefixes can be read under one: the only beam of a
// floor without primary beam reads the unprefixed sections, which belong to
// no other beam of the floor.
TEST(ProjectFile, AFloorWithoutPrimaryBeamReadsItsOnlyBeamFromTheUnprefixedSections) {
  std::string text = ReadBytes(SamplePath());
  text = text.substr(0, text.find("[Secondary1Beam]"));
  text.replace(text.find("HasPrimaryBeam=1"), 16, "HasPrimaryBeam=0");
  TempDir dir;
  TProject p;
  ASSERT_TRUE(LoadProjectFile(p, Libraries(), dir.Write("one.tva", text)).IsOK());
  EXPECT_EQ(p.GetBeam(1)->Mark, "PB1");
  EXPECT_EQ(p.GetBeam(1)->SteelSection(0)->Name, "530UB82.0");
}
