// The results report of the bundled sample floor, line by line. Values are
// worked by hand from the sample's input (see the fixture): secondary beam
// SB1, 9 m span at 3 m centres, 360UB44.7 (44.7 kg/m); primary beam PB1,
// 9 m span carrying SB1 from both sides at 3 m and 6 m.
#include "report/cImportedBeam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <regex>

#include "components/cStandard.h"
#include "project/sample_fixture.h"

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

size_t Find(const TStringList& lines, const std::string& line, size_t from = 0) {
  for (size_t i = from; i < lines.size(); ++i)
    if (lines[i] == line) return i;
  return kNone;
}

size_t FindPrefix(const TStringList& lines, const std::string& prefix, size_t from = 0) {
  for (size_t i = from; i < lines.size(); ++i)
    if (lines[i].rfind(prefix, 0) == 0) return i;
  return kNone;
}

// The lines after Heading (searched from From) up to the next empty line.
TStringList Table(const TStringList& lines, const std::string& heading, size_t from = 0) {
  size_t i = Find(lines, heading, from);
  EXPECT_NE(i, kNone) << heading;
  TStringList out;
  if (i == kNone) return out;
  for (++i; i < lines.size() && !lines[i].empty(); ++i) out.push_back(lines[i]);
  return out;
}

// Splits a report line at its commas, keeping quotes (no cell here holds a quoted comma).
std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  for (char c : line) {
    if (c == ',') {
      cells.push_back(cell);
      cell.clear();
    } else {
      cell += c;
    }
  }
  cells.push_back(cell);
  return cells;
}

bool Matches(const std::string& text, const char* pattern) {
  return std::regex_match(text, std::regex(pattern));
}

const char kSB1[] = "Secondary beam: SB1";
const char kPB1[] = "Primary beam: PB1";

// Stage 3 loads of SB1 (kN/m): steel 44.7 kg/m x 10 / 1000 = 0.447; slab
// 3 m x (24 x 0.120 + 24 x 0.010 ponding + 0.08 x (1 - 2400/7850) reo
// - 24 x 0.12 x 0.055 rib voids + 0.1356 deck) = 9.458; in service 1.5 kPa
// x 3 m = 4.5 dead, and 3 kPa x 3 m x (0.3 + 3/sqrt(27 m2)) = 7.896 live.
constexpr double kSB1Steel = 0.447, kSB1Slab = 9.4582, kSB1SDL = 4.5, kSB1Live = 7.896;
constexpr double kL = 9.0;  // m

int Round(double v) {
  return static_cast<int>(std::lround(v));
}

}  // namespace

class ImportedBeamReport : public SampleTest {};

TEST_F(ImportedBeamReport, HeaderAndProjectSettings) {
  const TStringList lines = Report();
  ASSERT_GT(lines.size(), 30u);
  EXPECT_EQ(lines[0], "Trevalon/V" + GetAppVersionShort());
  EXPECT_EQ(lines[1], "Input file,SampleAnalysis.tva");
  EXPECT_EQ(lines[2], "Analysis run,5/12/2026");  // day/month/year, the day without a leading zero
  const TStringList expected = {
      "",
      "PROJECT SETTINGS",
      "",
      "Project,\"Sample office floor\"",
      ",\"Internal primary beam carrying secondary beams at 3 m centres\"",
      "Designer,Trevalon sample",
      "Standard,AS/NZS2327:2017",
      "",
      "LOAD FACTORS",
      ",LF dead,LF live",
      "Strength,1.2,1.5",
      "Short-term,1.0,0.7",
      "Long-term,1.0,0.4",
      "Construc.Defl,1.0,0.0",
      "Construc.Stress,1.0,1.0",
      "",
      "DEFLECTION DATA",
      "Stage,3 (DL),5&6 (DL),3&5&6 (DL),InService (incremental),InService (total)",
      "\"Span/Defl (ratio)\",200,250,,500,250",  // zero limits are blank
      "\"Absolute (mm)\",55,,,,",
      "",
      "\"Ratio of shrinkage prior to InService\",0.4",
      "",
      "",
      "INPUT DATA,Secondary beam: SB1",
  };
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(lines[3 + i], expected[i]) << "line " << 3 + i;
}

TEST_F(ImportedBeamReport, ProjectDescriptionGivesOneLinePerTextLine) {
  struct Case {
    std::string description;
    TStringList expected;
  } cases[] = {
      {"", {}},
      {"One line", {",\"One line\""}},
      {"First\r\nSecond", {",\"First\"", ",\"Second\""}},
      {"First\rSecond", {",\"First\"", ",\"Second\""}},
      {"First\nSecond", {",\"First\"", ",\"Second\""}},   // a report line never holds a line break
      {"Say \"hi\", twice", {",\"Say \"\"hi\"\", twice\""}},  // inner quotes doubled
  };
  for (const Case& c : cases) {
    project.Description = c.description;
    TStringList lines;
    project.Dump(lines, false);
    ASSERT_GE(lines.size(), 4u + c.expected.size());
    EXPECT_EQ(lines[2], "Project,\"Sample office floor\"");
    for (size_t i = 0; i < c.expected.size(); ++i)
      EXPECT_EQ(lines[3 + i], c.expected[i]) << c.description;
    EXPECT_EQ(lines[3 + c.expected.size()], "Designer,Trevalon sample") << c.description;
  }
}

// Every cell of user text stays one cell when a spreadsheet opens the report
// (quotes doubled, commas quoted), and one that a spreadsheet would run as a
// formula starts with an apostrophe: one that begins with =, +, -, @, a tab or
// a carriage return and does not read back as exactly one number. A plain
// number, a negative one too, is not touched.
TEST_F(ImportedBeamReport, UserTextIsSafeInASpreadsheet) {
  TImportedBeam& sb1 = *project.GetBeam(1);
  struct Case {
    const char* what;
    std::function<void()> set;
    std::string line;  // a line of the report, the start of a row (ends in ",") or its last cell (quoted)
  } cases[] = {
      {"title with a formula", [&] { project.Project = "=HYPERLINK(\"http://x\",\"y\")"; },
       "Project,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
      {"title with quotes", [&] { project.Project = "The \"big\" job"; }, "Project,\"The \"\"big\"\" job\""},
      {"designer with a quote and a comma", [&] { project.Designer = "a\"b,c"; }, "Designer,\"a\"\"b,c\""},
      {"designer of plain words", [&] { project.Designer = "A. Engineer"; }, "Designer,A. Engineer"},
      {"designer starting with @", [&] { project.Designer = "@SUM(A1)"; }, "Designer,'@SUM(A1)"},
      {"designer starting with +", [&] { project.Designer = "+1+2"; }, "Designer,'+1+2"},
      {"designer starting with - and a letter", [&] { project.Designer = "-A1"; }, "Designer,'-A1"},
      {"designer that is a negative number", [&] { project.Designer = "-2"; }, "Designer,-2"},
      {"designer that is a number with a sign and an exponent", [&] { project.Designer = "+1.5E-3"; },
       "Designer,+1.5E-3"},
      {"designer that is a percentage", [&] { project.Designer = "-12%"; }, "Designer,-12%"},
      {"designer starting with - and a digit, then a formula", [&] { project.Designer = "-1+1"; },
       "Designer,'-1+1"},
      {"designer starting with - and a hexadecimal number", [&] { project.Designer = "-0x1"; }, "Designer,'-0x1"},
      {"title starting with - and a digit, then a command",
       [&] { project.Project = "-2+3+cmd|' /C calc'!A0"; }, "Project,\"'-2+3+cmd|' /C calc'!A0\""},
      {"designer starting with a tab", [&] { project.Designer = "\t=1+1"; }, "Designer,\"'\t=1+1\""},
      {"designer starting with a carriage return", [&] { project.Designer = "\r=1+1"; }, "Designer,\"'\r=1+1\""},
      {"description with a formula", [&] { project.Description = "=1+1"; }, ",\"'=1+1\""},
      {"beam mark with a comma", [&] { sb1.Mark = "SB1,A"; }, "INPUT DATA,\"Secondary beam: SB1,A\""},
      {"beam mark with a quote", [&] { sb1.Mark = "SB\"1"; }, "SUMMARY OF RESULTS,\"Secondary beam: SB\"\"1\""},
      {"beam description", [&] { sb1.Description = "@cmd"; }, ",\"'@cmd\""},
      {"load description",
       [&] {
         auto load = std::make_unique<TPointLoad>();
         load->ConStage = 7;
         load->Position = 4500;
         load->Value = 1;
         load->Description = "=cmd|' /C calc'!A0";
         sb1.PointLoadList.AddLoad(std::move(load));
       },
       "\"'=cmd|' /C calc'!A0\""},
      {"steel section label", [&] { sb1.SteelSection(0)->SteelSectionLabel = "+Base"; }, "'+Base,UB,"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    c.set();
    const TStringList lines = Report();
    // A whole line, or the start of a row (a text ending in a comma), or the end of one (from its last comma).
    const bool found = std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
      if (c.line.back() == ',') return l.rfind(c.line, 0) == 0;
      if (c.line.front() == '"') return l.size() > c.line.size() && l.substr(l.size() - c.line.size() - 1) == "," + c.line;
      return l == c.line;
    });
    EXPECT_TRUE(found) << c.line;
  }
}

TEST_F(ImportedBeamReport, SecondaryBeamInputBlock) {
  const TStringList lines = Report();
  const size_t at = Find(lines, std::string("INPUT DATA,") + kSB1);
  ASSERT_NE(at, kNone);
  const TStringList expected = {
      "INPUT DATA,Secondary beam: SB1",
      ",\"Secondary beam at 3 m centres\"",
      "",
      "GENERAL BEAM DATA",
      "Span (mm),f'c (MPa),Concrete Density (kg/m^3),Restrained shrinkage (\xC2\xB5m/m),Steel "
      "Decking Type,"
      "Shear Connector Type,Composite Stage,# shear connectors",
      "9000,32,2400,300,\"Re-entrant 55 mm x 1.00 mm\",\"19 mm headed stud\",InService,Auto",
      "",
      "STEEL SECTIONS",
      ",Library,Section,Grade (MPa),Notched Depth (mm),Plate Width (mm),Plate thickness (mm),Plate "
      "Yield (MPa),\" \"",
      "\"Base steel beam\",UB,360UB44.7,KESTREL,0,0,0,0",
      "\"Notched (End 1)\",UB,360UB44.7,KESTREL,0,0,0,0",
      "Plated,UB,360UB44.7,KESTREL,0,0,0,0",
      "\"Notched (End 2)\",UB,360UB44.7,KESTREL,0,0,0,0",
      "",
      "CONCRETE SECTIONS",
      ",Slab Thickness (mm),Slab Width Left (mm),Slab Width Right (mm),Rib Angle Left (deg),Rib "
      "Angle Right (deg),"
      "Edge Beam Left?,Edge Beam Right?,Ignore Concrete Below Ribs?,\" \"",
      // Half the 3 m spacing each side; the ribs run across the secondary beams.
      "Slab,120,1500,1500,90,90,False,False,True",
      "",
      "COMPOSITE SECTIONS",
      ",Start Position (mm),Steel X-Section Label,Concrete X-Section Label,Slab Width Left "
      "(mm),Slab Width Right (mm),"
      "\" \"",
      "1,0,\"Base steel beam\",Slab,1500,1500",
      "",
      "DISTRIBUTED LOADS",
      "Stage,Start Position (mm),Finish Position (mm),Start Value (kN/m),Finish Value (kN/m),Load "
      "Type",
      "3,0,100%,0.447,0.447,D,\"(Auto) Steel beam self-weight\"",
      "3,0,100%,9.458,9.458,D,\"(Auto) Floor slab, including allowance for ponding, reo, and steel "
      "deck\"",
  };
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(lines[at + i], expected[i]) << "line " << at + i;
  // The temporary construction load is reduced by rules of its own; its row keeps the layout.
  EXPECT_TRUE(Matches(lines[at + expected.size()],
                      R"(3,0,100%,[0-9.]+,[0-9.]+,L,"\(Auto\) Temporary 1kPa live load")"));
  const TStringList tail = {
      "6,0,100%,4.5,4.5,D,\"(Auto) Superimposed dead load\"",
      "InService,0,100%,7.896,7.896,L,\"(Auto) Superimposed live load\"",
      "",
      "POINT LOADS",
      "Stage,Position (mm),Value (kN),Load Type",
      "",
      "CAMBER",
      "\"Autocalc for Stage 3 dead loads\"",
      "",
      "",  // no user PCCs: the block still ends with an empty line
      std::string("SUMMARY OF RESULTS,") + kSB1,
  };
  for (size_t i = 0; i < tail.size(); ++i)
    EXPECT_EQ(lines[at + expected.size() + 1 + i], tail[i])
        << "line " << at + expected.size() + 1 + i;
  EXPECT_EQ(Find(lines, "USER PCCS"), kNone);
  EXPECT_EQ(Find(lines, "CUSTOM STEEL SECTIONS"), kNone);
}

TEST_F(ImportedBeamReport, PrimaryBeamPointLoadsComeFromTheSecondaryBeams) {
  const TStringList lines = Report();
  // Reactions of SB1 from both sides at 3 m and 6 m: steel 44.7 x 9 x 0.01 =
  // 4.023 kN; superimposed dead 1.5 kPa x 3 m x 9 m = 40.5 kN; live 3 kPa x
  // 81 m2 x (0.3 + 3/sqrt(54 m2)) = 57.368 kN.
  const TStringList rows =
      Table(lines, "POINT LOADS", Find(lines, std::string("INPUT DATA,") + kPB1));
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_EQ(rows[0], "Stage,Position (mm),Value (kN),Load Type");
  EXPECT_EQ(rows[1], "3,3000,4.023,D,\"(Auto) Secondary beam self-weight applied to PB\"");
  EXPECT_EQ(rows[2], "3,6000,4.023,D,\"(Auto) Secondary beam self-weight applied to PB\"");
  EXPECT_EQ(rows[7], "6,3000,40.5,D,\"(Auto) Superimposed dead load applied via SB\"");
  EXPECT_EQ(rows[9], "InService,3000,57.368,L,\"(Auto) Superimposed live load applied via SB\"");
}

TEST_F(ImportedBeamReport, SecondaryBeamSummary2017) {
  const TStringList lines = Report();
  const size_t at = Find(lines, std::string("SUMMARY OF RESULTS,") + kSB1);
  ASSERT_NE(at, kNone);
  const TImportedBeam& sb = *project.GetBeam(1);
  EXPECT_EQ(lines[at + 1], ",\"Secondary beam at 3 m centres\"");
  EXPECT_EQ(lines[at + 2], "");
  EXPECT_EQ(lines[at + 3], "Steel elastic modulus Es,,,200000,MPa");
  // Ec to the nearest 10 MPa.
  EXPECT_EQ(lines[at + 4], "Concrete elastic modulus Ec,,," +
                               std::to_string(10 * std::lround(project.ConcreteFloor.Ec() / 10)) +
                               ",MPa");
  EXPECT_TRUE(Matches(lines[at + 5], R"(Nominal shear capacity of connector PRk,,,\d+,kN)"))
      << lines[at + 5];
  EXPECT_EQ(lines[at + 6], "");
  EXPECT_EQ(lines[at + 7], "\"Strength, Construction Stage 3\"");
  EXPECT_TRUE(Matches(lines[at + 8], R"(Max M\*/phi\.Ms,,,\d\.\d\d)"));
  EXPECT_TRUE(Matches(lines[at + 9], R"(Max V\*/phi\.Vvm,,,\d\.\d\d)"));
  EXPECT_EQ(lines[at + 10], "");
  EXPECT_EQ(lines[at + 11], "\"Strength, Composite Stage:\",,,InService");
  EXPECT_TRUE(Matches(lines[at + 12], R"(Max M\*/phi\.Mbv \(PCCs only\),,,\d\.\d\d)"));
  EXPECT_TRUE(Matches(lines[at + 13], R"(Max V\*/phi\.Vv \(PCCs only\),,,\d\.\d\d)"));
  EXPECT_TRUE(Matches(lines[at + 14], R"(Max combined ratio \(PCCs only\),,,\d\.\d\d)"));
  EXPECT_EQ(lines[at + 15], "");
  EXPECT_EQ(lines[at + 16], "Shear Connection");
  EXPECT_EQ(lines[at + 17],
            "# shear connectors along beam,,," + std::to_string(sb.TotalShearConnectors));
  EXPECT_EQ(lines[at + 18], "# shear connectors per transverse beam section nr,,," +
                                std::to_string(sb.ShearConnectorsInGroup));
  // Ribs at 90 degrees to SB1 (> 15): kt, not kl.
  EXPECT_TRUE(Matches(lines[at + 19], R"(Reduction factor kt,,,\d\.\d\d)")) << lines[at + 19];
  EXPECT_TRUE(
      Matches(lines[at + 20], R"(Max degree of shear connection \(PCCs only\),,,\d\.\d\d)"));

  // Midspan deflections. Stage 3 dead load (0.447 + 9.458 kN/m) on the steel
  // beam: 5 w L^4 / (384 E I); limit min(9000/200, 55) = 45 mm; stages 5 and
  // 6: 9000/250 = 36; stages 3,5,6: no limit, result only; incremental
  // 9000/500 = 18; total 9000/250 = 36.
  const TStringList defl = Table(lines, "MidSpan Deflection,,,Result (mm),Limit (mm),Ratio", at);
  ASSERT_EQ(defl.size(), 5u);
  const double Is = sb.SteelSection(0)->ISteel;
  const double d3 = 5 * (kSB1Steel + kSB1Slab) * std::pow(9000.0, 4) / (384 * 200000 * Is);
  const std::vector<std::string> d3_cells = Cells(defl[0]);
  ASSERT_EQ(d3_cells.size(), 6u) << defl[0];
  EXPECT_EQ(d3_cells[0], "Stage 3 Dead Load");
  EXPECT_NEAR(std::stod(d3_cells[3]), d3, 1.0);
  EXPECT_EQ(d3_cells[4], "45");
  EXPECT_NEAR(std::stod(d3_cells[5]), d3 / 45, 0.015);
  EXPECT_TRUE(Matches(d3_cells[5], R"(\d\.\d\d)"));
  EXPECT_TRUE(Matches(defl[1], R"(Stages 5 and 6 Dead Load,,,\d+,36,\d\.\d\d)")) << defl[1];
  EXPECT_TRUE(Matches(defl[2], R"("Total Stages 3,5,6 Dead",,,\d+)")) << defl[2];
  EXPECT_TRUE(Matches(defl[3], R"(Suggested camber,,,\d+)"));
  EXPECT_TRUE(Matches(defl[4], R"(Shrinkage prior InService,,,\d+)"));
  const size_t short_term = FindPrefix(lines, "Additional Short Term InService,,,", at);
  ASSERT_NE(short_term, kNone);
  EXPECT_EQ(lines[short_term - 1], "");
  EXPECT_EQ(lines[short_term - 2], defl[4]);
  EXPECT_TRUE(Matches(lines[short_term + 1], R"(Shrinkage during InService,,,\d+)"));
  EXPECT_TRUE(Matches(lines[short_term + 2], R"(Creep,,,\d+)"));
  EXPECT_EQ(lines[short_term + 3], "");
  EXPECT_TRUE(Matches(lines[short_term + 4], R"(Incremental deflection,,,\d+,18,\d\.\d\d)"))
      << lines[short_term + 4];
  EXPECT_TRUE(Matches(lines[short_term + 5], R"(Total deflection,,,\d+,36,\d\.\d\d)"))
      << lines[short_term + 5];

  const TStringList stress = Table(lines, "Steel Bending Stress/.9fy (maximums),,,Bottom,Top", at);
  ASSERT_EQ(stress.size(), 5u);
  const char* labels[] = {
      "Construction Stage 3 (Stage 3 live incl)", "Stage 5 (Stage 5 live incl) (PCCs only)",
      "Stage 6 (Stage 6 live incl) (PCCs only)", "InService (InS live incl short term) (PCCs only)",
      "Maximum Stress Ratios"};
  for (int i = 0; i < 5; ++i) {
    const std::string label = std::string(labels[i]) + ",,,";
    ASSERT_EQ(stress[i].rfind(label, 0), 0u) << stress[i];
    EXPECT_TRUE(Matches(stress[i].substr(label.size()), R"(\d\.\d\d,\d\.\d\d)")) << stress[i];
  }
  EXPECT_EQ(Table(lines, "Overall Assessment", at),
            (TStringList{"Strength,,Satisfactory", "Connectors,,Satisfactory",
                         "MidSpan Defl,,Satisfactory", "Bending Stress,,Satisfactory"}));
  const size_t full = Find(lines, std::string("FULL RESULTS,") + kSB1, at);
  ASSERT_NE(full, kNone);
  EXPECT_EQ(lines[full - 1], "");
  EXPECT_EQ(lines[full - 2], "");
  EXPECT_EQ(lines[full - 3], "Bending Stress,,Satisfactory");
}

TEST_F(ImportedBeamReport, PrimaryBeamUsesKlWhenRibsRunAlongTheBeam) {
  const TStringList lines = Report();
  const size_t at = Find(lines, std::string("SUMMARY OF RESULTS,") + kPB1);
  ASSERT_NE(at, kNone);
  EXPECT_NE(FindPrefix(lines, "Reduction factor kl,,,", at), kNone);
  EXPECT_EQ(FindPrefix(lines, "Reduction factor kt,,,", at), kNone);
}

TEST_F(ImportedBeamReport, Summary2003HasTheOlderLinesAndNoCombinedRatio) {
  TStandardVersionScope edition(kStandard2003);
  const TStringList lines = Report();
  EXPECT_NE(Find(lines, "Standard,AS/NZS2327.1-2003"), kNone);
  const size_t at = Find(lines, std::string("SUMMARY OF RESULTS,") + kSB1);
  ASSERT_NE(at, kNone);
  EXPECT_EQ(lines[at + 3], "Es,,,200000,MPa");
  EXPECT_TRUE(Matches(lines[at + 4], R"(Ec for serviceability,,,\d+0,MPa)")) << lines[at + 4];
  EXPECT_TRUE(Matches(lines[at + 5], R"(Ec for shear connector strength,,,\d+0,MPa)"))
      << lines[at + 5];
  // The stud's steel governs: 0.63 x 19^2 x 410 / 1000 = 93.2 kN, below
  // 0.31 x 19^2 x sqrt(32 x Ec) / 1000 for any Ec above 21.7 GPa.
  EXPECT_EQ(lines[at + 6], "fvs,,,93,kN");
  EXPECT_EQ(lines[at + 7], "");
  const TStringList composite = Table(lines, "\"Strength, Composite Stage:\",,,InService", at);
  ASSERT_EQ(composite.size(), 2u);  // no combined ratio
  EXPECT_EQ(composite[0].rfind("Max M*/phi.Mbv (PCCs only),,,", 0), 0u);
  EXPECT_EQ(composite[1].rfind("Max V*/phi.Vv (PCCs only),,,", 0), 0u);
  const TStringList shear = Table(lines, "Shear Connection", at);
  ASSERT_EQ(shear.size(), 2u);  // no connectors per section, no kt/kl
  EXPECT_EQ(shear[0], "# shear connectors along beam,,," +
                          std::to_string(project.GetBeam(1)->TotalShearConnectors));
  EXPECT_EQ(shear[1].rfind("Max degree of shear connection (PCCs only),,,", 0), 0u);
  for (const char* absent :
       {"Steel elastic modulus Es", "Concrete elastic modulus Ec", "Max combined ratio"})
    EXPECT_EQ(FindPrefix(lines, absent), kNone) << absent;
  // The older edition never ignores the concrete below the ribs of a re-entrant deck.
  EXPECT_NE(Find(lines, "Slab,120,1500,1500,90,90,False,False,False"), kNone);
}

TEST_F(ImportedBeamReport, SolidSlabHasNoIgnoreConcreteBelowRibsCell) {
  project.SteelDeck.Name = "Solid slab";
  ApplyLibraryDeck(project.SteelDeck, session.SteelDeckLibrary);
  ASSERT_TRUE(project.SteelDeck.IsSolidSlab());
  TStringList lines;
  project.GetBeam(1)->DumpInput(lines, false);
  EXPECT_EQ(
      Table(lines, "CONCRETE SECTIONS"),
      (TStringList{
          ",Slab Thickness (mm),Slab Width Left (mm),Slab Width Right (mm),Rib Angle Left (deg),"
          "Rib Angle Right (deg),Edge Beam Left?,Edge Beam Right?,\" \"",
          "Slab,120,1500,1500,90,90,False,False"}));
}

TEST_F(ImportedBeamReport, ConnectorCountOf1001IsNotApplicable) {
  Report();
  TImportedBeam& sb = *project.GetBeam(1);
  for (int count : {1000, 1001}) {
    sb.TotalShearConnectors = count;
    TStringList lines;
    sb.DumpSummary(lines, false);
    const TStringList shear = Table(lines, "Shear Connection");
    if (count == 1000) {
      ASSERT_EQ(shear.size(), 4u);
      EXPECT_EQ(shear[0], "# shear connectors along beam,,,1000");
      EXPECT_EQ(shear[2].rfind("Reduction factor kt,,,", 0), 0u);
    } else {
      ASSERT_EQ(shear.size(), 2u);
      EXPECT_EQ(shear[0], "# shear connectors along beam,,,N/A");
      EXPECT_EQ(shear[1].rfind("Max degree of shear connection (PCCs only),,,", 0), 0u);
    }
  }
}

TEST_F(ImportedBeamReport, ZeroDeflectionLimitGivesTheResultOnly) {
  Report();
  project.DeflectionLimit.Stage3DLRelLimit = 0;
  project.DeflectionLimit.Stage3DLAbsLimit = 0;
  project.DeflectionLimit.TotalRelLimit = 0;
  TStringList lines;
  project.GetBeam(1)->DumpSummary(lines, false);
  const TStringList defl = Table(lines, "MidSpan Deflection,,,Result (mm),Limit (mm),Ratio");
  ASSERT_EQ(defl.size(), 5u);
  EXPECT_TRUE(Matches(defl[0], R"(Stage 3 Dead Load,,,\d+)")) << defl[0];
  EXPECT_TRUE(Matches(defl[1], R"(Stages 5 and 6 Dead Load,,,\d+,36,\d\.\d\d)")) << defl[1];
  EXPECT_NE(FindPrefix(lines, "Incremental deflection,,,"), kNone);
  const size_t total = FindPrefix(lines, "Total deflection,,,");
  ASSERT_NE(total, kNone);
  EXPECT_TRUE(Matches(lines[total], R"(Total deflection,,,\d+)")) << lines[total];
}

TEST_F(ImportedBeamReport, EmptyDescriptionGivesNoDescriptionLine) {
  Report();
  TImportedBeam& sb = *project.GetBeam(1);
  sb.Description.clear();
  TStringList lines;
  sb.Dump(lines, false);
  for (const char* heading : {"INPUT DATA,", "SUMMARY OF RESULTS,", "FULL RESULTS,"}) {
    const size_t at = Find(lines, heading + std::string(kSB1));
    ASSERT_NE(at, kNone) << heading;
    EXPECT_EQ(lines[at + 1], "") << heading;
  }
  EXPECT_EQ(lines.front(),
            std::string("INPUT DATA,") + kSB1);  // input, summary and full results in order
  EXPECT_LT(Find(lines, std::string("SUMMARY OF RESULTS,") + kSB1),
            Find(lines, std::string("FULL RESULTS,") + kSB1));
}

TEST_F(ImportedBeamReport, UserPCCsAreListedWhenPresent) {
  TImportedBeam& sb = *project.GetBeam(1);
  auto user = std::make_unique<TUserPCC>();
  user->x = 2000;
  user->ni = 5;
  sb.UserPCCList.Add("1", std::move(user));
  TStringList lines;
  sb.DumpInput(lines, false);
  const size_t at = Find(lines, "USER PCCS");
  ASSERT_NE(at, kNone);
  EXPECT_EQ(lines[at - 1], "");
  EXPECT_EQ(lines[at - 2], "\"Autocalc for Stage 3 dead loads\"");
  const TStringList tail(lines.begin() + static_cast<long>(at), lines.end());
  EXPECT_EQ(tail, (TStringList{"USER PCCS", ",x (mm),ni", "1,2000,5", "", ""}));
}

TEST_F(ImportedBeamReport, CustomSectionIsDescribed) {
  TImportedBeam& pb = *project.GetBeam(0);
  TSteelSection& plated = *pb.SteelSectionList.SteelSectionByLabel("Plated");
  plated.SetSectionType("Custom_I");
  plated.Name = "Custom";
  TCustomSteelSection& c = plated.BaseSteelSection;
  c.d = 600;
  c.b = 250;
  c.tf = 20;
  c.Setbbf(300);
  c.Settbf(25);
  c.tw = 10;
  c.fyf = 340;
  c.Setfybf(330);
  c.fyw = 350;
  TStringList lines;
  pb.DumpInput(lines, false);
  EXPECT_EQ(Table(lines, "CUSTOM STEEL SECTIONS"),
            (TStringList{",Overall Depth (mm),Top Flange Width (mm),Top Flange Thickness "
                         "(mm),Bott. Flange Width (mm),"
                         "Bott. Flange Thickness (mm),Web Thickness (mm),Top Flange Yield "
                         "(MPa),Bott. Flange Yield (MPa),"
                         "Web Yield (MPa),\" \"",
                         "Custom_I,600,250,20,300,25,10,340,330,350"}));
  EXPECT_NE(Find(lines, "Plated,Custom_I,Custom,KESTREL,0,0,0,0"), kNone);
}

// ---------------------------------------------------------------------------
// Full results.

namespace {

// Checks that every cell of a table's data rows, but the label of a composite
// section, is a bare number in the given format.
void ExpectNumericRows(const TStringList& rows, const std::vector<const char*>& formats) {
  ASSERT_FALSE(rows.empty());
  for (size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string> cells = Cells(rows[r]);
    ASSERT_EQ(cells.size(), formats.size()) << rows[r];
    for (size_t c = 0; c < cells.size(); ++c)
      EXPECT_TRUE(Matches(cells[c], formats[c])) << "cell " << c << " of " << rows[r];
  }
}

const char kInt[] = R"(-?\d+)";
const char kDec1[] = R"(-?\d+\.\d)";
const char kDec2[] = R"(-?\d+\.\d\d)";
const char kExp[] = R"(-?\d\.\d\dE[+-][1-9]\d*)";
const char kBool[] = "True|False";
const char kNi[] = R"(\d+|N/A)";

}  // namespace

TEST_F(ImportedBeamReport, FullResultsTables2017) {
  const TStringList lines = Report();
  const size_t at = Find(lines, std::string("FULL RESULTS,") + kSB1);
  ASSERT_NE(at, kNone);
  EXPECT_EQ(lines[at + 1], ",\"Secondary beam at 3 m centres\"");
  EXPECT_EQ(lines[at + 2], "");

  TStringList t = Table(lines, "COMPOSITE CROSS SECTIONS", at);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0],
            "Label,Steel Section,tw_used (mm),Full section for serviceability?,Notched?,Plated?,Ds "
            "(mm),bcf (mm),"
            "Ac_1 (mm^2),Ac_2 (mm^2),phi.Ms (kNm)");
  const std::vector<std::string> row = Cells(t[1]);
  ASSERT_EQ(row.size(), 11u);
  EXPECT_EQ(row[0], "1");
  EXPECT_EQ(row[1], "360UB44.7");
  EXPECT_EQ(row[2], "6.90");  // the whole 6.9 mm web is effective
  EXPECT_EQ(row[3] + row[4] + row[5], "FalseFalseFalse");
  EXPECT_EQ(row[6], "120");
  ExpectNumericRows(t,
                    {"1", "360UB44.7", kDec2, kBool, kBool, kBool, kInt, kInt, kInt, kInt, kInt});

  const size_t continued = Find(lines, "COMPOSITE CROSS SECTIONS - Continued", at);
  t = Table(lines, "COMPOSITE CROSS SECTIONS - Continued", at);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0],
            "Label,phi.Mb.5 (kNm),phi.Mbc (kNm),psi,phi.Mb.psi (kNm),phi.Msf (kNm),phi.Mbfc "
            "(kNm),\"Vpl,Rd (kN)\","
            "Fcc (kN),Iti (mm^4),kDb.i (mm)");
  ExpectNumericRows(t, {"1", kInt, kInt, kDec2, kInt, kInt, kInt, kInt, kInt, kExp, kInt});

  t = Table(lines, "COMPOSITE CROSS SECTIONS - Continued", continued + 1);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0],
            "Label,Itl (mm^4),kDb.l (mm),Zb (mm^3),Zt (mm^3),Is (mm),Zsb (mm^3),Zst (mm^3),.9xfy "
            "(bottom) (MPa),"
            ".9xfy (top) (MPa)");
  ExpectNumericRows(t, {"1", kExp, kInt, kExp, kExp, kExp, kExp, kExp, kInt, kInt});
  // 0.9 x 320 MPa.
  EXPECT_EQ(Cells(t[1])[9], "288");

  const TImportedBeam& sb = *project.GetBeam(1);
  t = Table(lines, "POTENTIALLY CRITICAL CROSS SECTIONS", at);
  ASSERT_EQ(t.size(), 1u + sb.PCCList.Count());
  EXPECT_EQ(t[0],
            "Position,Is PCC?,Label,M*(Comp) (kNm),V*(Comp) "
            "(kN),beta_min,ni,beta_actual,ni_actual,phi.Mbv (kNm),"
            "\"Vcomp,beta (kN)\"");
  ExpectNumericRows(t, {kInt, kBool, "1", kInt, kInt, kDec2, kNi, kDec2, kDec1, kInt, kInt});
  // In service, 1.2 x (0.447 + 9.458 + 4.5) + 1.5 x 7.896 = 29.13 kN/m:
  // M*(4.5 m) = w L^2 / 8 = 295 kNm, V*(0) = w L / 2 = 131 kN.
  const double w7 = 1.2 * (kSB1Steel + kSB1Slab + kSB1SDL) + 1.5 * kSB1Live;
  EXPECT_EQ(Cells(t[1])[0], "0");
  EXPECT_EQ(Cells(t[1])[4], std::to_string(Round(w7 * kL / 2)));
  EXPECT_EQ(Cells(t.back())[0], "9000");
  bool found_mid = false;
  for (const std::string& r : t)
    if (Cells(r)[0] == "4500") {
      found_mid = true;
      EXPECT_EQ(Cells(r)[3], std::to_string(Round(w7 * kL * kL / 8))) << r;
    }
  EXPECT_TRUE(found_mid);

  // Construction stage 3: strength 1.2 x 9.905 + 1.5 x temporary live; stress
  // 1.0 x dead + 1.0 x live; deflection 1.0 x dead: 9.905 x 81/8 = 100 kNm.
  const size_t pcc_continued = Find(lines, "POTENTIALLY CRITICAL CROSS SECTIONS - Continued", at);
  t = Table(lines, "POTENTIALLY CRITICAL CROSS SECTIONS - Continued", at);
  ASSERT_EQ(t.size(), 1u + sb.PCCList.Count());
  EXPECT_EQ(
      t[0],
      "Position,phi.Mbc/ phi.Ms,M*(St3) (kNm),phi.Ms (St3) (kNm),V* (St3) (kN),phi.Vvm (kN),"
      "M* (St3/Stress) (kNm),Stress (St3/bottom) (MPa),Stress (St3/top) (MPa),M* (St3/Defl) (kNm),"
      "Defl (St3) (mm)");
  ExpectNumericRows(t, {kInt, kDec2, kInt, kInt, kInt, kInt, kInt, kInt, kInt, kInt, kInt});
  for (const std::string& r : t) {
    if (Cells(r)[0] != "4500") continue;
    EXPECT_EQ(Cells(r)[9], std::to_string(Round((kSB1Steel + kSB1Slab) * kL * kL / 8))) << r;
    // V*(St3) is zero at midspan of the uniformly loaded span.
    EXPECT_EQ(Cells(r)[4], "0") << r;
  }

  t = Table(lines, "POTENTIALLY CRITICAL CROSS SECTIONS - Continued", pcc_continued + 1);
  ASSERT_EQ(t.size(), 1u + sb.PCCList.Count());
  EXPECT_EQ(t[0],
            "Position,M* (St5/Stress) (kNm),Stress (St5/bottom) (MPa),Stress (St5/top) (MPa),M* "
            "(St6/Stress) (kNm),"
            "Stress (St6/bottom) (MPa),Stress (St6/top) (MPa),M* (St5&6/DL) (kNm),Defl "
            "(St5&6/Immed) (mm),"
            "M* (InS/Short) (kNm),Defl (InS/Short) (mm)");
  ExpectNumericRows(t, std::vector<const char*>(11, kInt));
  // Stage 6: superimposed dead 4.5 kN/m; in service short term 0.7 x 7.896.
  for (const std::string& r : t)
    if (Cells(r)[0] == "4500") {
      EXPECT_EQ(Cells(r)[4], std::to_string(Round(kSB1SDL * kL * kL / 8))) << r;
      EXPECT_EQ(Cells(r)[9], std::to_string(Round(0.7 * kSB1Live * kL * kL / 8))) << r;
    }

  const size_t last =
      Find(lines, "POTENTIALLY CRITICAL CROSS SECTIONS - Continued", pcc_continued + 1);
  t = Table(lines, "POTENTIALLY CRITICAL CROSS SECTIONS - Continued", last + 1);
  ASSERT_EQ(t.size(), 1u + sb.PCCList.Count());
  EXPECT_EQ(t[0],
            "Position,M* (St5&6&InS/Long) (kNm),Defl (Creep) (mm),M* (Shrinkage) (kNm),Defl "
            "(Shrinkage) (mm),"
            "Stress (total/bottom) (MPa),.9xfy (bottom) (MPa),Stress (total/top) (MPa),.9xfy (top) "
            "(MPa)");
  ExpectNumericRows(t, std::vector<const char*>(9, kInt));
  // Long term: 4.5 + 0.4 x 7.896 kN/m.
  for (const std::string& r : t)
    if (Cells(r)[0] == "4500") {
      EXPECT_EQ(Cells(r)[1], std::to_string(Round((kSB1SDL + 0.4 * kSB1Live) * kL * kL / 8))) << r;
      EXPECT_EQ(Cells(r)[8], "288") << r;
    }
  EXPECT_EQ(Find(lines, "POTENTIALLY CRITICAL CROSS SECTIONS - Extra"), kNone);
}

TEST_F(ImportedBeamReport, FullResultsHeadings2003) {
  TStandardVersionScope edition(kStandard2003);
  const TStringList lines = Report();
  const size_t at = Find(lines, std::string("FULL RESULTS,") + kSB1);
  ASSERT_NE(at, kNone);
  EXPECT_EQ(Table(lines, "COMPOSITE CROSS SECTIONS", at)[0],
            "Label,Steel Section,tw_used (mm),Full section for serviceability?,Notched?,Plated?,Dc "
            "(mm),bcf (mm),"
            "Ac_1 (mm^2),Ac_2 (mm^2),phi.Ms (kNm)");
  EXPECT_EQ(Table(lines, "COMPOSITE CROSS SECTIONS - Continued", at)[0],
            "Label,phi.Mb.5 (kNm),phi.Mbc (kNm),psi,phi.Mb.psi (kNm),phi.Msf (kNm),phi.Mbfc "
            "(kNm),phi.Vv (kN),"
            "Fcc (kN),Iti (mm^4),kDb.i (mm)");
  const TStringList pcc = Table(lines, "POTENTIALLY CRITICAL CROSS SECTIONS", at);
  ASSERT_FALSE(pcc.empty());
  EXPECT_EQ(pcc[0],
            "Position,Is PCC?,Label,M*(Comp) (kNm),V*(Comp) "
            "(kN),beta_min,ni,beta_actual,ni_actual,phi.Mbv (kNm),"
            "phi.Vv (kN)");
  ExpectNumericRows(pcc, {kInt, kBool, "1", kInt, kInt, kDec2, kNi, kDec2, kDec1, kInt, kInt});
}

TEST_F(ImportedBeamReport, ExtraTableOnlyWhenAsked) {
  Report();
  const TImportedBeam& sb = *project.GetBeam(1);
  TStringList plain, extra;
  project.GetBeam(1)->DumpFullResults(plain, false);
  project.GetBeam(1)->DumpFullResults(extra, true);
  EXPECT_EQ(Find(plain, "POTENTIALLY CRITICAL CROSS SECTIONS - Extra"), kNone);
  const TStringList t = Table(extra, "POTENTIALLY CRITICAL CROSS SECTIONS - Extra");
  ASSERT_EQ(t.size(), 1u + sb.PCCList.Count());
  EXPECT_EQ(t[0], "Position,bcf (mm),Fc1 (kN),Ac1 (mm^2),Fc2 (kN),Ac2 (mm^2),Fcc (kN)");
  ExpectNumericRows(t, std::vector<const char*>(7, kInt));
  // The extra table is appended after the rest, which is unchanged.
  EXPECT_EQ(TStringList(extra.begin(), extra.begin() + static_cast<long>(plain.size())), plain);
  EXPECT_EQ(extra.back(), "");
}

TEST(ReportNumberFormats, FollowTheTable) {
  TRegionalSettingsScope plain({});
  struct Case {
    std::string actual, expected;
  } cases[] = {
      {report::Number(2400), "2400"},
      {report::Number(0.4475), "0.448"},
      {report::Number(0), "0"},
      {report::NumberOrBlank(0), ""},
      {report::NumberOrBlank(250), "250"},
      {report::WithDecimal(1), "1.0"},
      {report::WithDecimal(0.4), "0.4"},
      {report::WithDecimal(1.23456), "1.2346"},
      {report::Percent(0.25), "25%"},
      {report::TrueFalse(true), "True"},
      {report::Fixed(6.9, 2), "6.90"},
      {report::Scientific(4.36e8), "4.36E+8"},
      {report::Scientific(-1.134e6), "-1.13E+6"},
      {report::Scientific(1.5e-5), "1.50E-5"},
      {report::Scientific(9.996e9), "1.00E+10"},
      {report::Scientific(0), "0.00E+0"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(ReportNumberFormats, DecimalCommaValuesAreQuotedInValueLines) {
  TRegionalSettingsScope comma({',', 0});
  EXPECT_EQ(report::Scientific(4.36e8), "4,36E+8");
  EXPECT_EQ(report::ValueLine("Max M*/phi.Ms", {report::Fixed(0.76, 2)}), "Max M*/phi.Ms,,,\"0,76\"");
  EXPECT_EQ(report::ValueLine("Es", {report::Fixed(200000, 0), "MPa"}), "Es,,,200000,MPa");
}

TEST_F(ImportedBeamReport, DesignSummariesOfTheSample) {
  // Floor 1200 m2 x 8 storeys, 3 kPa reducible live / 1.5 kPa dead, 9 m spans,
  // 120 mm slab on RE55-100, 19 x 95 studs.
  EXPECT_EQ(project.DesignInputSummary(), "1200,8,3R/1.5,9000,9000,120,RE55-100,19x95");
  const std::string user = CurrentUserCode();
  EXPECT_EQ(user.size(), 8u);
  EXPECT_EQ(project.DesignOutputSummary(), "530UB82.0/KESTREL,360UB44.7/KESTREL," + user);
  project.Geometry.HasPrimaryBeam = false;
  project.Geometry.IsLiveLoadReducible = false;
  EXPECT_EQ(project.DesignInputSummary(), "1200,8,3/1.5,0,9000,120,RE55-100,19x95");
  EXPECT_EQ(project.DesignOutputSummary(), "NONE,360UB44.7/KESTREL," + user);
}

// A beam description of several lines gives one report line each, as the
// project's does, so no report line holds a line break.
TEST(ReportDescription, OneLinePerTextLine) {
  TStringList lines;
  report::AppendDescriptionLines(lines, "First\r\nSecond\nThird\rFourth");
  EXPECT_EQ(lines, (TStringList{",\"First\"", ",\"Second\"", ",\"Third\"", ",\"Fourth\""}));
  report::AppendDescriptionLines(lines, "");
  EXPECT_EQ(lines.size(), 4u);
  TImportedBeam beam;
  beam.Mark = "B1";
  beam.Description = "Line one\r\nLine two";
  TStringList input;
  beam.DumpInput(input, false);
  ASSERT_GE(input.size(), 3u);
  EXPECT_EQ(input[0], "INPUT DATA,Secondary beam: B1");
  EXPECT_EQ(input[1], ",\"Line one\"");
  EXPECT_EQ(input[2], ",\"Line two\"");
}
