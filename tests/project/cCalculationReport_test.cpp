// The calculation report as a document: a plain secondary beam worked by
// hand, the sample's report agreeing with its analysis step by step in both
// editions, its order, and the report of one beam.
#include "project/cCalculationReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "project/sample_fixture.h"
#include "report/cCalcBeam.h"
#include "temp_dir.h"

namespace {

std::string Qty(const std::string& number, const std::string& unit) { return number + kNbsp + unit; }

// The formula lines whose check reads Check.
std::vector<const TCalcFormula*> Formulas(const TCalcDocument& doc, const std::string& Check) {
  std::vector<const TCalcFormula*> found;
  for (const TCalcBlock& b : doc.Blocks)
    if (b.Kind == TCalcBlockKind::Formula && b.Formula.Check == Check) found.push_back(&b.Formula);
  return found;
}

// The row of the table captioned Caption whose first cell is First.
const std::vector<std::string>* TableRow(const TCalcDocument& doc, const std::string& Caption, const std::string& First) {
  for (const TCalcBlock& b : doc.Blocks)
    if (b.Kind == TCalcBlockKind::Table && b.Table.Caption == Caption)
      for (const auto& row : b.Table.Rows)
        if (!row.empty() && row[0] == First) return &row;
  return nullptr;
}

std::vector<std::string> Headings(const TCalcDocument& doc, int Level) {
  std::vector<std::string> out;
  for (const TCalcBlock& b : doc.Blocks)
    if (b.Kind == TCalcBlockKind::Heading && b.Level == Level) out.push_back(b.Text);
  return out;
}

// Text with one section's keys changed: Key=Old becomes Key=New within [Section].
std::string InSection(std::string text, const std::string& Section, const std::string& From, const std::string& To) {
  const size_t start = text.find("[" + Section + "]");
  const size_t at = text.find(From, start);
  EXPECT_NE(start, std::string::npos) << Section;
  EXPECT_NE(at, std::string::npos) << From;
  if (start != std::string::npos && at != std::string::npos) text.replace(at, From.size(), To);
  return text;
}

class CalculationReport : public SampleTest {
 protected:
  TCalcDocument Build(int BeamSide = -1) {
    TCalcReportOptions options;
    options.ProjectFileName = "SampleAnalysis.tva";
    options.Date = RunDate();
    options.BeamSide = BeamSide;
    options.FloorUse = FloorUseNameOf(session, project);
    return BuildCalculationReport(project, options);
  }
};

}  // namespace

// A plain secondary beam on a solid slab, by hand, with full shear connection
// at midspan and one 50 kN dead point load at midspan in stage 3 (no
// automatic loads, so the steel carries nothing else):
//
//   Span L = 9000 mm, beams at 3000 mm centres: each side has 1500 mm of slab.
//   Slab 150 mm solid (hr = 0), f'c = 32 MPa. Steel 530UB82.0 KESTREL:
//   d = 528.2, b = 209, tf = 13.2, tw = 9.6 mm, fyf = 300 MPa, fyw = 320 MPa,
//   three plates (the program's section has no root radii); the flange is
//   compact (le1 = (209 - 9.6)/2 / 13.2 x sqrt(300/250) = 8.27 < 9) and the
//   web fully effective, so the effective section is the gross one.
//
// Effective width (2017): b = min(1500, L/8 = 1125) = 1125 mm per side;
//   beta = 0.55 + 0.025 x 9000 / 1125 = 0.75, and at midspan (between the
//   quarter points) the whole width counts: beff = 1125 mm, bcf = 2250 mm.
// Concrete: Fc1 = phi_c 0.85 f'c bcf Dc = 0.8 x 0.85 x 32 x 2250 x 150 = 7344 kN.
// Steel: dp = 528.2 - 2 x 13.2 = 501.8 mm; Fst = (2 x 209 x 13.2 x 300 +
//   501.8 x 9.6 x 320) / 1000 = 1655.28 + 1541.53 = 3196.81 kN;
//   phi_s Fst = 0.9 x 3196.81 = 2877.13 kN < Fc1, so Fcc = 2877 kN.
// phi Mb at beta = 1: the steel is all in tension (T = phi_s Fst - C = 0), its
//   force acting at mid-depth, dsr = 150 + 528.2 / 2 = 414.1 mm; the concrete
//   block is dc = 150 x 2877.13 / 7344 = 58.76 mm deep;
//   phi Mb = C (dsr - dc/2) = 2877.13 x (414.1 - 29.38) / 1000 = 1106.9 kNm.
// Midspan deflection under the stage 3 point load on the bare steel:
//   I = 2 (209 x 13.2^3 / 12 + 209 x 13.2 x (264.1 - 6.6)^2) + 9.6 x 501.8^3 / 12
//     = 467.0 x 10^6 mm4;
//   delta = P L^3 / (48 E I) = 50000 x 9000^3 / (48 x 200000 x 467.0e6) = 8.13 mm.
TEST_F(CalculationReport, APlainSecondaryBeamWorkedByHand) {
  std::string text;
  ASSERT_TRUE(ReadFileBytes(kSampleFile, text).IsOK());
  text = ReplaceAll(text, "HasPrimaryBeam=1", "HasPrimaryBeam=0");
  text = InSection(text, "Geometry", "Ds=120", "Ds=150");
  text = ReplaceAll(text, "WillAutocalcBeamLoading=1", "WillAutocalcBeamLoading=0");
  text = ReplaceAll(text, "Name=Re-entrant 55 mm x 1.00 mm", "Name=Solid slab");
  text = ReplaceAll(text, "360UB44.7", "530UB82.0");
  text = InSection(text, "Secondary1Beam", "StudCountBasis=0\r\nUserBeta=0", "StudCountBasis=1\r\nUserBeta=1");
  text = InSection(text, "Secondary1PointLoad", "Count=0",
                   "Count=1\r\nPosition1=4500\r\nIsPositionProportional1=0\r\nValue1=50\r\nIsLiveLoad1=0\r\n"
                   "Description1=Hand load\r\nConStage1=3\r\nIsAutoCalced1=0");
  TempDir dir;
  ASSERT_TRUE(LoadProjectFile(project, session, dir.Write("hand.tva", text)).IsOK());
  ASSERT_FALSE(project.Geometry.HasPrimaryBeam);
  (void)Report();
  const TImportedBeam& beam = *project.GetBeam(1);
  ASSERT_TRUE(beam.Status.IsOK()) << beam.Status.ErrorMsg;
  const TCalcDocument doc = Build();

  const auto width = Formulas(doc, "Effective width");
  ASSERT_EQ(width.size(), 1u);
  EXPECT_EQ(width[0]->Result, "= " + Qty("2250", "mm"));
  const auto side = Formulas(doc, "Effective width of the slab, side 1");
  ASSERT_EQ(side.size(), 1u);
  EXPECT_NE(side[0]->Substituted.find("β = 0.55 + 0.025 × 9000/1125 = 0.750"), std::string::npos)
      << side[0]->Substituted;
  EXPECT_EQ(side[0]->Result, "beff = " + Qty("1125", "mm"));
  const auto fc1 = Formulas(doc, "Concrete above the ribs");
  ASSERT_EQ(fc1.size(), 1u);
  EXPECT_EQ(fc1[0]->Result, "= " + Qty("7344", "kN"));
  const auto fcc = Formulas(doc, "Concrete compressive force at full shear connection");
  ASSERT_EQ(fcc.size(), 1u);
  EXPECT_EQ(fcc[0]->Result, "= " + Qty("2877", "kN"));
  const auto beta = Formulas(doc, "Degree of shear connection");
  ASSERT_EQ(beta.size(), 1u);
  EXPECT_EQ(beta[0]->Result, "β = 1.000");
  const auto block = Formulas(doc, "Depth of the concrete stress block");
  ASSERT_EQ(block.size(), 1u);
  EXPECT_EQ(block[0]->Result, "= " + Qty("58.8", "mm"));
  const auto mb = Formulas(doc, "Design moment capacity at β");
  ASSERT_EQ(mb.size(), 1u);
  EXPECT_EQ(mb[0]->Result, "= " + Qty("1106.9", "kNm"));
  const auto* defl = TableRow(doc, "Deflections at midspan", "Stage 3 dead load");
  ASSERT_NE(defl, nullptr);
  EXPECT_EQ(defl->at(1), "8.1");
  EXPECT_EQ(doc.PlainText().find(kDiffersFromAnalysis), std::string::npos);
}

TEST_F(CalculationReport, EveryStepOfTheSampleAgreesWithItsAnalysisInBothEditions) {
  for (int version : {kStandard2017, kStandard2003}) {
    SCOPED_TRACE(version);
    TStandardVersionScope edition(version);
    (void)Report();
    const TCalcDocument doc = Build();
    const std::string text = doc.PlainText();
    EXPECT_EQ(text.find(kDiffersFromAnalysis), std::string::npos) << text.substr(text.find(kDiffersFromAnalysis) - 100, 300);
    EXPECT_EQ(doc.Title.Standard, StandardName(version));
    // The steps of the edition: only 2017 reduces the connectors for the deck and checks M and V together.
    EXPECT_EQ(Formulas(doc, "Bending and vertical shear together").size(), version == kStandard2017 ? 2u : 0u);
    EXPECT_EQ(Formulas(doc, "Bending at the governing cross-section").size(), 2u);
  }
}

TEST_F(CalculationReport, ChaptersFollowTheRunAndEachBeamTheOrderAnEngineerWorks) {
  (void)Report();
  const TCalcDocument doc = Build();
  EXPECT_EQ(Headings(doc, 1), (std::vector<std::string>{"Calculation report", "Secondary beam SB1", "Primary beam PB1",
                                                        "Floor vibration"}));
  const std::vector<std::string> steps = {"1. Inputs",          "2. Section properties",  "3. Construction stage",
                                          "4. Composite stage", "5. Shear connectors",    "6. Serviceability",
                                          "7. Drawings",        "8. Messages and assumptions"};
  std::vector<std::string> expected = {"Design basis", "Summary"};
  for (int beam = 0; beam < 2; ++beam) expected.insert(expected.end(), steps.begin(), steps.end());
  expected.insert(expected.end(), {"Mass and stiffness of the slab", "Beam and girder modes", "Combined mode",
                                   "Response to walking"});
  EXPECT_EQ(Headings(doc, 2), expected);
  // The title block and the summary: both beams pass; the summary names the governing check.
  EXPECT_EQ(doc.Title.Project, "Sample office floor");
  EXPECT_EQ(doc.Title.ProjectFile, "SampleAnalysis.tva");
  EXPECT_EQ(doc.Title.Date, FormatShortDate(RunDate()));
  EXPECT_EQ(doc.Title.Program, GetAppName() + " " + GetAppFileVersion());
  const auto* sb1 = TableRow(doc, "", "Secondary beam SB1");
  ASSERT_NE(sb1, nullptr);
  EXPECT_EQ(sb1->at(1), "360UB44.7 KESTREL");
  EXPECT_EQ(sb1->back(), "OK");
  EXPECT_EQ(sb1->at(sb1->size() - 2), GoverningCheck(*project.GetBeam(1)).Name);
  // Three drawings per beam and the floor sketch, all with something drawn.
  int figures = 0;
  for (const TCalcBlock& b : doc.Blocks)
    if (b.Kind == TCalcBlockKind::Figure) {
      ++figures;
      EXPECT_FALSE(b.Figure.Drawing.IsEmpty()) << b.Figure.Caption;
    }
  EXPECT_EQ(figures, 7);
}

TEST_F(CalculationReport, OneBeamAlone) {
  (void)Report();
  const TCalcDocument doc = Build(0);
  EXPECT_EQ(Headings(doc, 1), (std::vector<std::string>{"Calculation report", "Primary beam PB1"}));
  struct {
    int side;
    bool ok;
  } cases[] = {{0, true}, {1, true}, {2, false}, {3, false}, {-1, false}};
  for (const auto& c : cases) {
    std::string why;
    EXPECT_EQ(CanReportBeam(project, c.side, why), c.ok) << c.side;
    if (!c.ok) {
      EXPECT_EQ(why, "The project has no beam " + std::to_string(c.side) +
                         "; its beams are 1 and 0 (0 the primary beam, 1 and 2 the secondary beams)");
    }
  }
}

TEST_F(CalculationReport, ABeamWithoutResultsSaysSo) {
  // Not analysed: the inputs, and why there is no calculation.
  const TCalcDocument doc = Build(1);
  EXPECT_NE(doc.PlainText().find("The beam was not analysed"), std::string::npos);
  EXPECT_TRUE(Formulas(doc, "Effective width").empty());
}
