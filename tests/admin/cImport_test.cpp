// Import of older project files and beam design workbooks, checked against
// the files' layouts: every value lands where the layout says, and the
// floor-derived slab widths are worked out by hand from the spacings.
#include "admin/cImport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "admin/cExcelDirect.h"
#include "admin/xlsx_builder.h"
#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/project_fixtures.h"
#include "temp_dir.h"

using xlsx_test::TWorkbookBuilder;

namespace {

// Noon of 5 December 2026: the date the descriptions carry.
std::time_t ImportDate() {
  std::tm tm{};
  tm.tm_year = 2026 - 1900;
  tm.tm_mon = 11;
  tm.tm_mday = 5;
  tm.tm_hour = 12;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// An older project file, line by line (line n at index n - 1).
std::vector<std::string> BayLines() {
  return {"Trevalon V2 project",         // 1 not read
          "Level 3 office",              // 2 project
          "Typical bay",                 // 3 description
          "A. Engineer",                 // 4 designer
          "SB1",                         // 5 secondary mark
          "PB1",                         // 6 primary mark
          "2",                           // 7 floor use number
          "3",                           // 8 live load, kPa
          "Y",                           // 9 reducible
          "1.5",                         // 10 dead load, kPa
          "130",                         // 11 slab, mm
          "15",                          // 12 ponding, mm
          "2.5",                         // 13 facade load
          "400",                         // 14 incremental limit
          "300",                         // 15 total limit
          "0.6",                         // 16 short-term live factor
          "0.35",                        // 17 long-term live factor
          "8400",                        // 18 secondary span
          "2800",                        // 19 secondary spacing
          "Int",                         // 20 secondary position
          "9600",                        // 21 primary span
          "not read",                    // 22
          "Ext",                         // 23 primary position
          "Re-entrant 55 mm x 1.00 mm",  // 24 deck
          "40",                          // 25 f'c
          "2450",                        // 26 density
          "1400",                        // 27 first secondary beam
          "360UB44.7",                   // 28 secondary section
          "1",                           // 29 secondary grade flag
          "530UB82.0",                   // 30 primary section
          "1",                           // 31 primary grade flag
          "lines after 31 are ignored"};
}

std::string Joined(const std::vector<std::string>& Lines, const std::string& End = "\r\n") {
  std::string text;
  for (const std::string& l : Lines) text += l + End;
  return text;
}

// Property paths of a project and the values they must hold.
using TPathTable = std::vector<std::pair<std::string, std::string>>;

// Evaluates each path on the project as a regression test evaluates an
// output: a number meets its expected value at the decimals written there.
void ExpectPaths(TProject& Project, const TPathTable& Table) {
  for (const auto& [path, expected] : Table) {
    const TPathEvaluation value = EvaluatePath(Project, path, expected);
    EXPECT_TRUE(value.IsExpected) << path << " is " << value.ActualValue << ", expected " << expected;
  }
}

class TvxImport : public ::testing::Test {
 protected:
  void SetUp() override {
    UsePlainRegionalSettings();
    project.SetLimitStateValues(nullptr);
  }

  // Imports the bay with line n (from 1) replaced.
  TResult ImportWith(std::initializer_list<std::pair<int, std::string>> Changes) {
    std::vector<std::string> lines = BayLines();
    for (const auto& [n, text] : Changes) lines[n - 1] = text;
    project.SetLimitStateValues(nullptr);  // the factors a line may leave as they are
    return ImportFromTvxText(project, Joined(lines), "bay.tvx", ImportDate());
  }

  std::vector<std::string> Warnings() const { return project_test::Messages(project.Status); }

  TProject project;
};

}  // namespace

TEST_F(TvxImport, EveryLineGoesWhereTheLayoutSays) {
  ASSERT_TRUE(ImportWith({}).IsOK());
  EXPECT_TRUE(Warnings().empty());
  ExpectPaths(project, {
      {"Project", "Level 3 office"},
      {"Description", "Typical bay\r\nImported from bay.tvx, 5/12/2026"},
      {"Designer", "A. Engineer"},
      {"FloorArea", "1000"},
      {"Storeys", "5"},
      {"Segments", "10"},
      {"DesignCompositeStage", "7"},

      {"Geometry.WillAutocalcBeamLoading", "True"},
      {"Geometry.FloorUseIndex", "1"},
      {"Geometry.NominalLiveLoad", "3"},
      {"Geometry.IsLiveLoadReducible", "True"},
      {"Geometry.IsTemporaryLiveLoadReducible", "True"},
      {"Geometry.DeadLoad", "1.5"},
      {"Geometry.Ds", "130"},
      {"Geometry.PondingAllowance", "15"},
      {"Geometry.FacadeLoad", "2.5"},
      {"Geometry.IsSide2SameAsSide1", "True"},
      {"Geometry.HasPrimaryBeam", "True"},
      {"Geometry.ThetaSide1", "0"},
      {"Geometry.ThetaSide2", "0"},
      {"Geometry.PrimaryEffectiveSpacing", "8400"},
      {"Geometry.SpacingSide1", "8400"},
      {"Geometry.SpacingSide2", "8400"},
      {"Geometry.Outstand", "150"},
      {"Geometry.SecondarySpacingSide1", "2800"},
      {"Geometry.SecondarySpacingSide2", "2800"},
      {"Geometry.Span", "9600"},
      {"Geometry.IsEdgeBeam", "True"},
      {"Geometry.SecondaryStartSide1", "1400"},
      {"Geometry.SecondaryStartSide2", "1400"},

      {"DeflectionLimit.Stage3DLRelLimit", "200"},
      {"DeflectionLimit.Stage56DLRelLimit", "250"},
      {"DeflectionLimit.Stage356DLRelLimit", "0"},
      {"DeflectionLimit.IncrementalRelLimit", "400"},
      {"DeflectionLimit.TotalRelLimit", "300"},
      {"DeflectionLimit.ShrinkageRatioPriorInservice", "0.4"},
      {"DeflectionLimit.Stage3DLAbsLimit", "55"},  // the cleared project's absolute limits stay
      {"LimitStateList1.LFlive", "0.6"},
      {"LimitStateList2.LFlive", "0.35"},
      {"LimitStateList0.LFlive", "1.5"},  // strength: not in the file

      {"SteelDeck.Name", "Re-entrant 55 mm x 1.00 mm"},
      {"ConcreteFloor.ConcreteStrength", "40"},
      {"ConcreteFloor.Density", "2450"},
      {"ConcreteFloor.WetDensity", "2450"},
      {"ConcreteFloor.ShrinkageStrain", "300"},
      {"ShearConnector.Name", "<Default>"},
  });

  // Slab widths from the floor: the primary beam (an edge beam) has half the
  // 8400 mm secondary span on side 1 and the 150 mm outstand on side 2; the
  // secondary beam half its 2800 mm spacing on both sides.
  struct {
    int Id;
    const char* Mark;
    const char* Section;
    const char* bcLeft;
    const char* bcRight;
  } beams[] = {{1, "SB1", "360UB44.7", "1400", "1400"}, {0, "PB1", "530UB82.0", "4200", "150"}};
  for (const auto& b : beams) {
    const std::string beam = "Beam" + std::to_string(b.Id);
    SCOPED_TRACE(beam);
    ASSERT_EQ(project.GetBeam(b.Id)->SteelSectionList.Count(), 4);
    ASSERT_EQ(project.GetBeam(b.Id)->CompositeSectionList.Count(), 1);
    EXPECT_EQ(project.GetBeam(b.Id)->CompositeSectionList.Key(0), "1");
    TPathTable table = {
        {beam + ".Mark", b.Mark},
        {beam + ".CamberType", "0"},
        {beam + ".CompositeSectionList0.CompositeSectionLabel", "1"},
        {beam + ".CompositeSectionList0.StartPosition", "0"},
        {beam + ".CompositeSectionList0.SteelSectionLabel", "Base steel beam"},
        {beam + ".CompositeSectionList0.bcLeft", b.bcLeft},
        {beam + ".CompositeSectionList0.bcRight", b.bcRight},
    };
    for (int i = 0; i < 4; ++i) {
      const std::string section = beam + ".SteelSectionList" + std::to_string(i);
      table.push_back({section + ".Name", b.Section});
      table.push_back({section + ".SectionType", "UB"});
      table.push_back({section + ".Grade", "KESTREL"});
    }
    ExpectPaths(project, table);
  }
}

TEST_F(TvxImport, LinesReadAsTheLayoutSays) {
  struct {
    int Line;
    std::string Text;
    std::function<void(const TProject&)> Check;
  } cases[] = {
      // Grade flags: exactly "1" is KESTREL.
      {29, "1 ", [](const TProject& p) { EXPECT_EQ(p.GetBeam(1)->SteelSection(3)->Grade, "Gr 350"); }},
      {29, "0", [](const TProject& p) { EXPECT_EQ(p.GetBeam(1)->SteelSection(0)->Grade, "Gr 350"); }},
      {31, "", [](const TProject& p) {
         EXPECT_EQ(p.GetBeam(0)->SteelSection(0)->Grade, "Gr 350");
         EXPECT_EQ(p.GetBeam(1)->SteelSection(0)->Grade, "KESTREL");
       }},
      // Reducible: the first character decides.
      {9, "yes", [](const TProject& p) { EXPECT_TRUE(p.Geometry.IsLiveLoadReducible); }},
      {9, "t", [](const TProject& p) { EXPECT_TRUE(p.Geometry.IsLiveLoadReducible); }},
      {9, "N", [](const TProject& p) { EXPECT_FALSE(p.Geometry.IsLiveLoadReducible); }},
      {9, "", [](const TProject& p) { EXPECT_FALSE(p.Geometry.IsLiveLoadReducible); }},
      {9, " Y", [](const TProject& p) { EXPECT_FALSE(p.Geometry.IsLiveLoadReducible); }},
      // Numbers that do not read take the layout's defaults.
      {7, "", [](const TProject& p) { EXPECT_EQ(p.Geometry.FloorUseIndex, -1); }},
      {7, "-2147483648", [](const TProject& p) { EXPECT_EQ(p.Geometry.FloorUseIndex, -2147483648); }},
      {8, "three", [](const TProject& p) { EXPECT_EQ(p.Geometry.NominalLiveLoad, 0); }},
      {8, " 4.5 ", [](const TProject& p) { EXPECT_EQ(p.Geometry.NominalLiveLoad, 4.5); }},
      {14, "", [](const TProject& p) { EXPECT_EQ(p.DeflectionLimit.IncrementalRelLimit, 300); }},
      {15, "x", [](const TProject& p) { EXPECT_EQ(p.DeflectionLimit.TotalRelLimit, 250); }},
      {16, "", [](const TProject& p) { EXPECT_EQ(p.LimitStateList.ItemAs<TLimitState>(1)->LFlive, 0.7); }},
      {17, "?", [](const TProject& p) { EXPECT_EQ(p.LimitStateList.ItemAs<TLimitState>(2)->LFlive, 0.4); }},
      {18, "", [](const TProject& p) {
         EXPECT_EQ(p.Geometry.PrimaryEffectiveSpacing, 0);  // the cleared project's spacing
         EXPECT_EQ(p.GetBeam(0)->CompositeSection(0)->bcLeft, 0);
       }},
      {21, "", [](const TProject& p) { EXPECT_EQ(p.Geometry.Span, 0); }},
      // Positions are trimmed text; only "Ext" as written is an edge.
      {23, "  Ext ", [](const TProject& p) {
         EXPECT_TRUE(p.Geometry.IsEdgeBeam);
         EXPECT_EQ(p.GetBeam(0)->CompositeSection(0)->bcRight, 150);
       }},
      {23, "EXT", [](const TProject& p) {
         EXPECT_FALSE(p.Geometry.IsEdgeBeam);
         EXPECT_EQ(p.GetBeam(0)->CompositeSection(0)->bcRight, 4200);
       }},
      // Text lines are kept as they are.
      {24, " Deck with blanks ", [](const TProject& p) { EXPECT_EQ(p.SteelDeck.Name, " Deck with blanks "); }},
      {3, "   ", [](const TProject& p) { EXPECT_EQ(p.Description, "Imported from bay.tvx, 5/12/2026"); }},
      {28, "WB1200", [](const TProject& p) { EXPECT_EQ(p.GetBeam(1)->SteelSection(0)->SectionType, "WB"); }},
      {28, "Custom girder", [](const TProject& p) { EXPECT_EQ(p.GetBeam(1)->SteelSection(0)->SectionType, "Custom"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.Line) + " \"" + c.Text + "\"");
    ASSERT_TRUE(ImportWith({{c.Line, c.Text}}).IsOK());
    c.Check(project);
  }

  // The project's limit states are not cleared: an unreadable factor keeps
  // the one the project had before.
  std::vector<std::string> lines = BayLines();
  lines[15] = "";
  project.LimitStateList.ItemAs<TLimitState>(1)->LFlive = 0.55;
  ASSERT_TRUE(ImportFromTvxText(project, Joined(lines), "bay.tvx", ImportDate()).IsOK());
  EXPECT_EQ(project.LimitStateList.ItemAs<TLimitState>(1)->LFlive, 0.55);
}

TEST_F(TvxImport, AnExteriorSecondaryBeamIsWarnedOfAndImported) {
  ASSERT_TRUE(ImportWith({{20, "  Ext  "}}).IsOK());
  EXPECT_EQ(Warnings(), (std::vector<std::string>{
                            "Warning: Import file has secondary beam as an exterior beam, which is not permitted in "
                            "this version of Trevalon"}));
  EXPECT_EQ(project.Project, "Level 3 office");

  ASSERT_TRUE(ImportWith({{20, "ext"}}).IsOK());
  EXPECT_TRUE(Warnings().empty());  // each import starts with a clean status
}

TEST_F(TvxImport, AFileOfFewerThan31LinesLeavesTheProjectAsItWas) {
  project.Project = "Before";
  project.GetBeam(1)->Mark = "Kept";
  std::vector<std::string> lines = BayLines();
  lines.resize(30);
  // A line break after the last line starts no 31st line.
  const TResult result = ImportFromTvxText(project, Joined(lines), "short.tvx", ImportDate());
  EXPECT_FALSE(result.IsOK());
  EXPECT_EQ(result.Message(), "Trevalon import file not in correct format: [short.tvx] has 30 lines, fewer than 31");
  EXPECT_EQ(Warnings(), (std::vector<std::string>{"Warning: Trevalon import file not in correct format"}));
  EXPECT_EQ(project.Status.ErrorLevel, elWarning);
  EXPECT_EQ(project.Project, "Before");
  EXPECT_EQ(project.GetBeam(1)->Mark, "Kept");

  EXPECT_FALSE(ImportFromTvxText(project, "", "empty.tvx", ImportDate()).IsOK());
  // With one more line (even an empty one) the file is long enough.
  EXPECT_TRUE(ImportFromTvxText(project, Joined(lines) + "\r\n", "short.tvx", ImportDate()).IsOK());
  EXPECT_EQ(project.GetBeam(0)->SteelSection(0)->Grade, "Gr 350");
}

TEST_F(TvxImport, AnyLineEndReadsTheSameAndOlderCodePagesAreRead) {
  std::vector<std::string> lines = BayLines();
  lines[1] = "Caf\xE9 fit-out";  // Windows-1252
  lines.pop_back();
  for (const char* end : {"\r\n", "\n", "\r"}) {
    std::string text = Joined(lines, end);
    text.erase(text.size() - std::string(end).size());  // no line break after the last line
    ASSERT_TRUE(ImportFromTvxText(project, text, "bay.tvx", ImportDate()).IsOK()) << int(end[0]);
    EXPECT_EQ(project.Project, "Caf\xC3\xA9 fit-out");
    EXPECT_EQ(project.GetBeam(0)->SteelSection(0)->Name, "530UB82.0");
    EXPECT_EQ(project.GetBeam(0)->SteelSection(0)->Grade, "KESTREL");  // line 31, the last
  }
}

TEST_F(TvxImport, AFileThatCannotBeReadChangesNothing) {
  TempDir dir;
  project.Project = "Before";
  const TResult result = ImportFromTvx(project, dir.File("missing.tvx"), ImportDate());
  EXPECT_FALSE(result.IsOK());
  EXPECT_EQ(result.Message(), "Cannot open file [" + dir.File("missing.tvx") + "]");
  EXPECT_EQ(project.Project, "Before");

  ASSERT_TRUE(ImportFromTvx(project, dir.Write("bay.tvx", Joined(BayLines())), ImportDate()).IsOK());
  EXPECT_EQ(project.Description, "Typical bay\r\nImported from " + dir.File("bay.tvx") + ", 5/12/2026");
}

// ---------------------------------------------------------------------------
// Workbooks.

namespace {

// A beam design workbook: a 9 m secondary beam at 3 m centres (150 mm slab,
// 32 MPa, 19 mm studs), a plated base section and a notched end, two
// composite sections, a uniform dead load and a live point load in service.
TWorkbookBuilder BeamWorkbook() {
  TWorkbookBuilder b;
  b.Text("General_Beam_Data", "C1", "Tower B")
      .Text("General_Beam_Data", "G1", "B. Designer")
      .Text("General_Beam_Data", "C2", "SB7")
      .Number("General_Beam_Data", "A5", 9000)
      .Number("General_Beam_Data", "B5", 32)
      .Number("General_Beam_Data", "C5", 2400)
      .Number("General_Beam_Data", "D5", 250)
      .Text("General_Beam_Data", "E5", "Re-entrant 55 mm x 1.00 mm")
      .Text("General_Beam_Data", "F5", "19 mm headed stud")
      .Number("General_Beam_Data", "G5", 7);
  b.Text("Steel_X_Sections", "A1", "Key")
      .Text("Steel_X_Sections", "A2", "S1")
      .Text("Steel_X_Sections", "B2", "UB.sec")
      .Text("Steel_X_Sections", "C2", "410UB53.7")
      .Text("Steel_X_Sections", "D2", "KESTREL")
      .Number("Steel_X_Sections", "E2", 0)
      .Number("Steel_X_Sections", "F2", 150)
      .Number("Steel_X_Sections", "G2", 12)
      .Number("Steel_X_Sections", "H2", 300)
      .Text("Steel_X_Sections", "A3", "S2")
      .Number("Steel_X_Sections", "E3", 300);
  b.Number("Concrete_X_Sections", "B2", 150)
      .Number("Concrete_X_Sections", "C2", 1500)
      .Number("Concrete_X_Sections", "D2", 1200)
      .Number("Concrete_X_Sections", "E2", 90)
      .Number("Concrete_X_Sections", "F2", 0)
      .Text("Concrete_X_Sections", "H2", "N");
  b.Text("Composite_X_Sections", "A2", "Mid")
      .Number("Composite_X_Sections", "B2", 0)
      .Text("Composite_X_Sections", "C2", "S1")
      .Text("Composite_X_Sections", "A3", "End")
      .Number("Composite_X_Sections", "B3", 8500)
      .Text("Composite_X_Sections", "C3", "S2");
  b.Number("Distributed_Loads", "A2", 3)
      .Number("Distributed_Loads", "B2", 0)
      .Text("Distributed_Loads", "C2", "Span")
      .Number("Distributed_Loads", "D2", 4.2)
      .Number("Distributed_Loads", "E2", 4.2)
      .Text("Distributed_Loads", "F2", "Dead")
      .Text("Distributed_Loads", "G2", "not read: stage 3")
      .Text("Distributed_Loads", "I2", "Slab and deck");
  b.Number("Point_Loads", "A2", 7)
      .Number("Point_Loads", "B2", 4500)
      .Number("Point_Loads", "C2", 20)
      .Text("Point_Loads", "D2", "q")
      .Number("Point_Loads", "E2", 0.6)
      .Number("Point_Loads", "F2", 0.3)
      .Text("Point_Loads", "G2", "Plant");
  b.Number("Deflection_Data", "A2", 360)
      .Number("Deflection_Data", "B2", 300)
      .Number("Deflection_Data", "C2", 500)
      .Number("Deflection_Data", "D2", 250)
      .Number("Deflection_Data", "E2", 0.5)
      .Number("Deflection_Data", "F2", 25);
  return b;
}

class XlsImport : public ::testing::Test {
 protected:
  void SetUp() override {
    UsePlainRegionalSettings();
    project.SetLimitStateValues(nullptr);
  }

  TResult Import(const TWorkbookBuilder& Book) {
    Book.Write(dir.File("beam.xlsx"));
    return ImportFromXLS(project, dir.File("beam.xlsx"), ImportDate());
  }
  const TImportedBeam& Beam() const { return *project.GetBeam(1); }
  double LFlive(int Position) const { return project.LimitStateList.ItemAs<TLimitState>(Position)->LFlive; }

  TempDir dir;
  TProject project;
};

}  // namespace

TEST_F(XlsImport, EveryCellGoesWhereTheLayoutSays) {
  const TResult result = Import(BeamWorkbook());
  ASSERT_TRUE(result.IsOK()) << result.Message();
  EXPECT_TRUE(project_test::Messages(project.Status).empty());
  ExpectPaths(project, {
      {"Project", "Tower B"},
      {"Description", "Imported from " + dir.File("beam.xlsx") + ", 5/12/2026"},
      {"Designer", "B. Designer"},
      {"FloorArea", "1000"},
      {"Storeys", "5"},
      {"Segments", "10"},
      {"DesignCompositeStage", "7"},
      {"Beam1.Mark", "SB7"},

      {"Geometry.HasPrimaryBeam", "False"},
      {"Geometry.IsSide2SameAsSide1", "True"},
      {"Geometry.WillAutocalcBeamLoading", "False"},
      {"Geometry.WillAutocalcSecondaryStartLocations", "False"},
      {"Geometry.Span", "10000"},
      {"Geometry.PrimaryEffectiveSpacing", "9000"},
      {"Geometry.SpacingSide1", "9000"},
      {"Geometry.Ds", "150"},
      {"Geometry.PondingAllowance", "0"},
      {"Geometry.FacadeLoad", "0"},
      {"Geometry.IsEdgeBeam", "False"},
      {"Geometry.Outstand", "150"},
      {"Geometry.SecondarySpacingSide1", "3000"},  // twice the 1500 half-spacing
      {"Geometry.SecondarySpacingSide2", "2400"},
      {"Geometry.ThetaSide1", "0"},  // ribs at 90 degrees to the beam
      {"Geometry.ThetaSide2", "90"},
      {"ConcreteFloor.ConcreteStrength", "32"},
      {"ConcreteFloor.Density", "2400"},
      {"ConcreteFloor.ShrinkageStrain", "250"},
      {"SteelDeck.Name", "Re-entrant 55 mm x 1.00 mm"},
      {"ShearConnector.Name", "19 mm headed stud"},
  });

  // Every section takes type, name and grade; row 2 (plate, no notch) fills
  // "Plated", row 3 (a notch) "Notched (End 1)".
  const char* labels[] = {"Base steel beam", "Notched (End 1)", "Plated", "Notched (End 2)"};
  for (int i = 0; i < 4; ++i) {
    const std::string section = "Beam1.SteelSectionList" + std::to_string(i);
    ExpectPaths(project, {{section + ".SteelSectionLabel", labels[i]},
                          {section + ".SectionType", "UB"},
                          {section + ".Name", "410UB53.7"},
                          {section + ".Grade", "KESTREL"}});
  }
  ExpectPaths(project, {
      {"Beam1.SteelSectionList2.bp", "150"},  // "Plated"
      {"Beam1.SteelSectionList2.tp", "12"},
      {"Beam1.SteelSectionList2.fyp", "300"},
      {"Beam1.SteelSectionList2.NotchedDepth", "0"},
      {"Beam1.SteelSectionList1.NotchedDepth", "300"},  // "Notched (End 1)"
      {"Beam1.SteelSectionList1.fyp", "0"},
      {"Beam1.SteelSectionList0.fyp", "0"},            // "Base steel beam"
      {"Beam1.SteelSectionList3.NotchedDepth", "0"},   // "Notched (End 2)"
  });

  // Composite sections name their steel through the sheet's keys. The beam's
  // neighbours on both sides are side-1 secondary beams, 3000 mm away: slab
  // widths of 3000 / 2 on both sides (the side-2 spacing is another beam's).
  ASSERT_EQ(Beam().CompositeSectionList.Count(), 2);
  EXPECT_EQ(Beam().CompositeSectionList.Key(0), "Mid");
  EXPECT_EQ(Beam().CompositeSectionList.Key(1), "End");
  ExpectPaths(project, {
      {"Beam1.CompositeSectionList0.CompositeSectionLabel", "Mid"},
      {"Beam1.CompositeSectionList0.StartPosition", "0"},
      {"Beam1.CompositeSectionList0.SteelSectionLabel", "Plated"},
      {"Beam1.CompositeSectionList0.bcLeft", "1500"},
      {"Beam1.CompositeSectionList0.bcRight", "1500"},
      {"Beam1.CompositeSectionList1.CompositeSectionLabel", "End"},
      {"Beam1.CompositeSectionList1.StartPosition", "8500"},
      {"Beam1.CompositeSectionList1.SteelSectionLabel", "Notched (End 1)"},
      {"Beam1.CompositeSectionList1.bcLeft", "1500"},
      {"Beam1.CompositeSectionList1.bcRight", "1500"},
  });

  ASSERT_EQ(Beam().DistributedLoadList.Count(), 1);
  EXPECT_EQ(Beam().DistributedLoadList.Key(0), "1");
  ASSERT_EQ(Beam().PointLoadList.Count(), 1);
  EXPECT_EQ(Beam().PointLoadList.Key(0), "1");
  ExpectPaths(project, {
      {"Beam1.DistributedLoadList0.ConStage", "3"},
      {"Beam1.DistributedLoadList0.StartPosition", "0"},
      {"Beam1.DistributedLoadList0.IsStartPositionProportional", "False"},
      {"Beam1.DistributedLoadList0.IsFinishPositionAtEnd", "True"},
      {"Beam1.DistributedLoadList0.IsFinishPositionProportional", "False"},
      {"Beam1.DistributedLoadList0.StartValue", "4.2"},
      {"Beam1.DistributedLoadList0.FinishValue", "4.2"},
      {"Beam1.DistributedLoadList0.IsLiveLoad", "False"},
      {"Beam1.DistributedLoadList0.Description", "Slab and deck"},

      {"Beam1.PointLoadList0.ConStage", "7"},
      {"Beam1.PointLoadList0.Position", "4500"},
      {"Beam1.PointLoadList0.IsPositionProportional", "False"},
      {"Beam1.PointLoadList0.Value", "20"},
      {"Beam1.PointLoadList0.IsLiveLoad", "True"},
      {"Beam1.PointLoadList0.Description", "Plant"},
      // The service-stage row carries the live load factors.
      {"LimitStateList1.LFlive", "0.6"},
      {"LimitStateList2.LFlive", "0.3"},

      // D2 = 250 > 1: the second layout.
      {"DeflectionLimit.Stage3DLRelLimit", "360"},
      {"DeflectionLimit.Stage56DLRelLimit", "300"},
      {"DeflectionLimit.Stage356DLRelLimit", "0"},
      {"DeflectionLimit.IncrementalRelLimit", "500"},
      {"DeflectionLimit.TotalRelLimit", "250"},
      {"DeflectionLimit.ShrinkageRatioPriorInservice", "0.5"},
      {"DeflectionLimit.Stage3DLAbsLimit", "55"},
      {"DeflectionLimit.Stage56DLAbsLimit", "0"},
      {"DeflectionLimit.TotalAbsLimit", "0"},
      {"Beam1.CamberType", "2"},
      {"Beam1.CamberAbsolute", "25"},
      {"Beam1.CamberRelative", "0"},
      {"LimitStateList0.LFdead", "1.2"},
  });
}

TEST_F(XlsImport, TheFirstDeflectionLayoutAndTheCamberText) {
  struct {
    const char* Camber;
    int Type;
    double Absolute;
  } cases[] = {
      {"Stage 3", 0, 0},         {"stage 3, 5 and 6", 0, 0}, {"STAGES 5 AND 6", 1, 0},
      {"stage", 1, 0},           {"25", 2, 25},              {"none", 2, 0},
      {"", 2, 0},                {"Before stage 3", 2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Camber);
    TWorkbookBuilder book = BeamWorkbook();
    book.Number("Deflection_Data", "A2", 300)
        .Number("Deflection_Data", "B2", 400)
        .Number("Deflection_Data", "C2", 250)
        .Number("Deflection_Data", "D2", 1)  // D2 <= 1: the first layout
        .Text("Deflection_Data", "E2", c.Camber)
        .Text("Deflection_Data", "F2", "not read");
    ASSERT_TRUE(Import(book).IsOK());
    const TDeflectionLimit& dl = project.DeflectionLimit;
    EXPECT_EQ(dl.Stage3DLRelLimit, 0);
    EXPECT_EQ(dl.Stage56DLRelLimit, 0);
    EXPECT_EQ(dl.Stage356DLRelLimit, 300);
    EXPECT_EQ(dl.IncrementalRelLimit, 400);
    EXPECT_EQ(dl.TotalRelLimit, 250);
    EXPECT_EQ(dl.ShrinkageRatioPriorInservice, 1);
    EXPECT_EQ(project.LimitStateList.ItemAs<TLimitState>(0)->LFdead, 1.25);
    EXPECT_EQ(Beam().CamberType, c.Type);
    EXPECT_EQ(Beam().CamberAbsolute, c.Absolute);
  }
}

TEST_F(XlsImport, SectionRowsNameTheirLabelsInOrder) {
  // Two rows without notch or plate both write "Base steel beam": the later
  // values stay. Three notched rows: End 1, then End 2 twice.
  TWorkbookBuilder book = BeamWorkbook();
  const char* keys[] = {"B1", "B2", "N1", "N2", "N3"};
  const double notch[] = {0, 0, 250, 260, 270};
  const double plate_width[] = {100, 110, 0, 0, 0};
  for (int i = 0; i < 5; ++i) {
    const std::string row = std::to_string(i + 2);
    book.Text("Steel_X_Sections", "A" + row, keys[i])
        .Number("Steel_X_Sections", "E" + row, notch[i])
        .Number("Steel_X_Sections", "F" + row, plate_width[i])
        .Number("Steel_X_Sections", "H" + row, 0);
    book.Text("Composite_X_Sections", "A" + row, std::string("CS") + keys[i])
        .Number("Composite_X_Sections", "B" + row, 1000 * i)
        .Text("Composite_X_Sections", "C" + row, keys[i]);
  }
  book.Text("Composite_X_Sections", "A7", "Unknown").Text("Composite_X_Sections", "C7", "nowhere");
  ASSERT_TRUE(Import(book).IsOK());
  EXPECT_EQ(Beam().SteelSectionList.SteelSectionByLabel("Base steel beam")->bp, 110);
  EXPECT_EQ(Beam().SteelSectionList.SteelSectionByLabel("Notched (End 1)")->NotchedDepth, 250);
  EXPECT_EQ(Beam().SteelSectionList.SteelSectionByLabel("Notched (End 2)")->NotchedDepth, 270);
  EXPECT_EQ(Beam().SteelSectionList.SteelSectionByLabel("Plated")->fyp, 0);  // no row was plated
  const char* labels[] = {"Base steel beam", "Base steel beam", "Notched (End 1)", "Notched (End 2)",
                          "Notched (End 2)", ""};
  ASSERT_EQ(Beam().CompositeSectionList.Count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Beam().CompositeSection(i)->SteelSectionLabel, labels[i]) << i;
}

TEST_F(XlsImport, LoadRowsReadAsTheLayoutSays) {
  TWorkbookBuilder book = BeamWorkbook();
  book.Number("Point_Loads", "E2", 0).Number("Point_Loads", "F2", 0);  // factors of 0 change nothing
  // Row 3: a text stage reads as the service stage but names no stage of the
  // beam, so its factors are not read (G3 would not read as a number).
  book.Text("Distributed_Loads", "A3", "seven")
      .Number("Distributed_Loads", "B3", -50)
      .Number("Distributed_Loads", "C3", 3000)
      .Number("Distributed_Loads", "D3", 1)
      .Number("Distributed_Loads", "E3", 2)
      .Text("Distributed_Loads", "F3", "live")
      .Text("Distributed_Loads", "G3", "not a number")
      .Number("Distributed_Loads", "H3", 0.9);
  // Row 4: a service load whose long-term factor is set.
  book.Number("Distributed_Loads", "A4", 7)
      .Text("Distributed_Loads", "F4", "Q")
      .Number("Distributed_Loads", "G4", 0)
      .Number("Distributed_Loads", "H4", 0.25);
  // Row 5: stage 4 names no stage of a beam: kept, with a warning.
  book.Number("Distributed_Loads", "A5", 4).Text("Distributed_Loads", "F5", "Superimposed");
  ASSERT_TRUE(Import(book).IsOK());
  ASSERT_EQ(Beam().DistributedLoadList.Count(), 4);
  const auto& live = *Beam().DistributedLoadList.ItemAs<TDistributedLoad>(1);
  EXPECT_EQ(Beam().DistributedLoadList.Key(1), "2");
  EXPECT_EQ(live.ConStage, 7);
  EXPECT_EQ(live.StartPosition, 0);  // a negative start is stored as 0
  EXPECT_FALSE(live.IsFinishPositionAtEnd);
  EXPECT_EQ(live.FinishPosition, 3000);
  EXPECT_EQ(live.StartValue, 1);
  EXPECT_EQ(live.FinishValue, 2);
  EXPECT_TRUE(live.IsLiveLoad);
  EXPECT_TRUE(Beam().DistributedLoadList.ItemAs<TDistributedLoad>(2)->IsLiveLoad);
  EXPECT_FALSE(Beam().DistributedLoadList.ItemAs<TDistributedLoad>(3)->IsLiveLoad);
  EXPECT_EQ(LFlive(1), 0.7);  // the default short-term factor
  EXPECT_EQ(LFlive(2), 0.25);
  EXPECT_EQ(Beam().DistributedLoadList.ItemAs<TDistributedLoad>(3)->ConStage, 4);
  EXPECT_EQ(project_test::Messages(project.Status),
            (std::vector<std::string>{"Warning: Distributed load in row 5 of sheet \"Distributed_Loads\" has stage 4, "
                                      "which is not 3, 5, 6 or 7: the load never acts"}));
}

TEST_F(XlsImport, FailuresNameTheSheetAndTheCell) {
  struct {
    const char* What;
    std::function<void(TWorkbookBuilder&)> Change;
    std::string Message;  // %F stands for the workbook's path
    std::function<void(const TProject&)> Check;  // how far the import got
  } cases[] = {
      {"a span in lower case is read as a number",
       [](TWorkbookBuilder& b) { b.Text("Distributed_Loads", "C2", "span"); },
       "Cell C2 of sheet \"Distributed_Loads\" in [%F] holds \"span\", which is not a number",
       [](const TProject& p) {
         EXPECT_EQ(p.GetBeam(1)->CompositeSectionList.Count(), 2);  // the sheets before were read
         EXPECT_EQ(p.GetBeam(1)->DistributedLoadList.Count(), 0);
       }},
      {"text where a number belongs",
       [](TWorkbookBuilder& b) { b.Text("General_Beam_Data", "B5", "32 MPa"); },
       "Cell B5 of sheet \"General_Beam_Data\" in [%F] holds \"32 MPa\", which is not a number",
       [](const TProject& p) {
         EXPECT_EQ(p.GetBeam(1)->Mark, "SB7");  // read before B5
         EXPECT_EQ(p.SteelDeck.Name, "");       // read after
       }},
      {"a sheet whose part is missing", [](TWorkbookBuilder& b) { b.RemovePart("xl/worksheets/sheet7.xml"); },
       "Sheet \"Deflection_Data\" of [%F] cannot be read: part xl/worksheets/sheet7.xml is missing",
       [](const TProject& p) { EXPECT_EQ(p.Project, ""); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TWorkbookBuilder book = BeamWorkbook();
    c.Change(book);
    const TResult result = Import(book);
    EXPECT_FALSE(result.IsOK());
    EXPECT_EQ(result.Message(), ReplaceAll(c.Message, "%F", dir.File("beam.xlsx")));
    c.Check(project);
  }
}

TEST_F(XlsImport, AWorkbookWithoutASheetStopsThere) {
  // Built without "Point_Loads": the loads before it are in, the deflection
  // data after it is not.
  TWorkbookBuilder book;
  const TWorkbookBuilder full = BeamWorkbook();
  for (const auto& [name, text] : full.Parts()) book.Part(name, text);
  book.Part("xl/workbook.xml", ReplaceAll(full.Parts().at("xl/workbook.xml"),
                                          "<sheet name=\"Point_Loads\" sheetId=\"6\" r:id=\"rId6\"/>", ""));
  const TResult result = Import(book);
  EXPECT_FALSE(result.IsOK());
  EXPECT_EQ(result.Message(), "The workbook [" + dir.File("beam.xlsx") + "] has no sheet \"Point_Loads\"");
  EXPECT_EQ(Beam().DistributedLoadList.Count(), 1);
  EXPECT_EQ(Beam().PointLoadList.Count(), 0);
  EXPECT_EQ(Beam().CamberType, 0);  // the deflection sheet's second reading never came
}

TEST_F(XlsImport, AFileThatIsNoWorkbookGivesAClearError) {
  const std::string file = dir.Write("old.xlsx", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "binary");
  const TResult result = ImportFromXLS(project, file, ImportDate());
  EXPECT_FALSE(result.IsOK());
  EXPECT_EQ(result.Message(), "[" + file + "] is not a spreadsheet workbook (.xlsx): Not a zip archive");
}

TEST_F(XlsImport, EmptyCellsReadAsEmptyTextOrZero) {
  // Only the sheets, no cells: nothing stops the import.
  TWorkbookBuilder book;
  for (const char* sheet : {"General_Beam_Data", "Deflection_Data", "Steel_X_Sections", "Concrete_X_Sections",
                            "Composite_X_Sections", "Distributed_Loads", "Point_Loads"})
    book.Sheet(sheet);
  ASSERT_TRUE(Import(book).IsOK());
  EXPECT_EQ(project.Project, "");
  EXPECT_EQ(project.DesignCompositeStage, 7);  // an empty G5 is no integer
  EXPECT_EQ(project.Geometry.ThetaSide1, 90);
  EXPECT_EQ(Beam().CompositeSectionList.Count(), 0);
  EXPECT_EQ(Beam().SteelSection(0)->Name, "<Auto-select>");  // no row 2: the sections keep theirs
  EXPECT_EQ(project.DeflectionLimit.Stage356DLRelLimit, 0);  // an empty D2 selects the first layout
  EXPECT_EQ(project.LimitStateList.ItemAs<TLimitState>(0)->LFdead, 1.25);
  EXPECT_EQ(Beam().CamberType, 2);
}

TEST_F(XlsImport, AStageThatIsNoStageMakesTheServiceStage) {
  for (const char* g5 : {"4", "12", "x", "7.5"}) {
    TWorkbookBuilder book = BeamWorkbook();
    book.Text("General_Beam_Data", "G5", g5);
    ASSERT_TRUE(Import(book).IsOK());
    EXPECT_EQ(project.DesignCompositeStage, std::string(g5) == "4" ? 4 : 7) << g5;
  }
}

// ---------------------------------------------------------------------------
// The Import command.

namespace {

class ImportCommand : public ::testing::Test {
 protected:
  void SetUp() override { UsePlainRegionalSettings(); }
  const TSession& session = project_test::Libraries();
  TempDir dir;
  TProject project;
};

}  // namespace

TEST_F(ImportCommand, AnOlderProjectFileIsReconciledWithTheLibraries) {
  const std::string file = dir.Write("bay.tvx", Joined(BayLines()));
  const TResult result = ImportProjectFile(project, session, file, ImportDate());
  ASSERT_TRUE(result.IsOK()) << result.Message();
  EXPECT_TRUE(project.IsChanged);
  // "<Default>" names no connector: the library's first is taken, and said.
  EXPECT_EQ(project_test::Messages(project.Status),
            (std::vector<std::string>{"Warning: Shear connector \"<Default>\" is not in the library: the first "
                                      "one, \"15.9 mm headed stud\", is used"}));
  EXPECT_EQ(project.ShearConnector.Name, "15.9 mm headed stud");
  EXPECT_EQ(project.ShearConnector.dbs, 15.9);
  EXPECT_EQ(project.SteelDeck.hr, 55);  // the library's deck
  // Steel from the library: 360UB44.7 is 352 mm deep.
  EXPECT_EQ(project.GetBeam(1)->SteelSection(0)->BaseSteelSection.d, 352);
  EXPECT_EQ(project.GetBeam(0)->SteelSection(0)->BaseSteelSection.d, 528.2);
  // Beam geometry from the floor: the secondary beams span 8400 mm, the primary 9600 mm.
  EXPECT_EQ(project.GetBeam(1)->Span, 8400);
  EXPECT_EQ(project.GetBeam(0)->Span, 9600);
  EXPECT_EQ(project.GetBeam(0)->Ds, 130);
  // Automatic loads are back (the file asks for them).
  EXPECT_GT(project.GetBeam(1)->DistributedLoadList.AutoLoadCount(), 0);
  EXPECT_GT(project.GetBeam(0)->PointLoadList.AutoLoadCount(), 0);
  // A new project takes the library's limit states, with the file's live load factors.
  EXPECT_EQ(project.LimitStateList.Count(), session.LimitStateLibrary.Count());
  EXPECT_EQ(project.LimitStateList.ItemAs<TLimitState>(1)->LFlive, 0.6);

  // A project's own limit states stay: a factor the file does not give is kept.
  std::vector<std::string> lines = BayLines();
  lines[16] = "";
  project.LimitStateList.ItemAs<TLimitState>(2)->LFlive = 0.5;
  ASSERT_TRUE(ImportProjectFile(project, session, dir.Write("bay.tvx", Joined(lines)), ImportDate()).IsOK());
  EXPECT_EQ(project.LimitStateList.ItemAs<TLimitState>(2)->LFlive, 0.5);
}

TEST_F(ImportCommand, NamesTheLibraryLacksAreSaid) {
  std::vector<std::string> lines = BayLines();
  lines[23] = "Deck of another maker";
  lines[28] = "0";  // grade "Gr 350"
  const std::string file = dir.Write("bay.tvx", Joined(lines));
  ASSERT_TRUE(ImportProjectFile(project, session, file, ImportDate()).IsOK());
  EXPECT_EQ(project.SteelDeck.Name, "Solid slab");
  EXPECT_EQ(project_test::Messages(project.Status),
            (std::vector<std::string>{
                "Warning: Steel deck \"Deck of another maker\" is not in the library: the first one, \"Solid slab\", "
                "is used",
                "Warning: Shear connector \"<Default>\" is not in the library: the first one, \"15.9 mm headed "
                "stud\", is used",
                "Warning: Secondary beam SB1: steel section \"360UB44.7\" (type UB, grade \"Gr 350\") is not in the "
                "section library"}));
}

TEST_F(ImportCommand, TheReaderFollowsTheFileNotItsName) {
  // A workbook named .tvx is read as a workbook, a text file named .xlsx as an older project file.
  BeamWorkbook().Write(dir.File("beam.tvx"));
  TResult result = ImportProjectFile(project, session, dir.File("beam.tvx"), ImportDate());
  ASSERT_TRUE(result.IsOK()) << result.Message();
  EXPECT_EQ(project.Project, "Tower B");
  EXPECT_EQ(project.GetBeam(1)->SteelSection(0)->BaseSteelSection.d, 402.6);  // 410UB53.7 from the library
  EXPECT_EQ(project.GetBeam(1)->Span, 9000);

  result = ImportProjectFile(project, session, dir.Write("bay.xlsx", Joined(BayLines())), ImportDate());
  ASSERT_TRUE(result.IsOK()) << result.Message();
  EXPECT_EQ(project.Project, "Level 3 office");
}

TEST_F(ImportCommand, AFileThatCannotBeReadChangesNothing) {
  project.Project = "Before";
  const TResult result = ImportProjectFile(project, session, dir.File("missing.tvx"), ImportDate());
  EXPECT_FALSE(result.IsOK());
  EXPECT_EQ(result.Message(), "Cannot open file [" + dir.File("missing.tvx") + "]");
  EXPECT_EQ(project.Project, "Before");
  EXPECT_FALSE(ImportProjectFile(project, session, dir.Path().string(), ImportDate()).IsOK());  // a folder
  EXPECT_EQ(project.Project, "Before");
}
