// trevalon analyse|design --calculation FILE.pdf|FILE.html [--beam N]: the
// calculation report of the built program on the bundled sample, read back
// from the PDF as a checker reads it (pdftotext): its numbers are the ones
// `trevalon eval` gives for the same quantities, every page carries the
// title block and "Page n of N", no token is split across lines; and the
// options follow the rules of every other output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli_run.h"
#include "report/cPrintableStringList.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

using namespace cli_test;

namespace {

const std::string kSample = std::string(TREVALON_TEST_DATA_DIR) + "/SampleAnalysis.tva";
// The sample copied into the working folder: the title block names it as the user did.
const std::string kLocal = "SampleAnalysis.tva";

// The no-break space between a number and its unit, read back as a blank.
std::string Blanked(std::string s) {
  for (size_t at = s.find("\xC2\xA0"); at != std::string::npos; at = s.find("\xC2\xA0", at)) s.replace(at, 2, " ");
  return s;
}

class Calculation : public ::testing::Test {
 protected:
  TRun Run(const std::string& command) { return RunIn(dir_, command); }

  TRun Trevalon(const std::string& args) { return Run(Quote(kProgram) + " " + args); }
  void SetUp() override { fs::copy_file(kSample, dir_ / "SampleAnalysis.tva"); }

  // The text of a PDF, page by page (pdftotext, as a checker extracts it).
  std::vector<std::string> PdfPages(const std::string& pdf, bool Layout) {
    const TRun r = Run(std::string("pdftotext ") + (Layout ? "-layout " : "") + Quote(pdf) + " out.txt");
    EXPECT_EQ(r.code, 0) << "pdftotext (poppler-utils) must be installed: " << r.err;
    std::vector<std::string> pages;
    std::string text = Blanked(ReadText(dir_ / "out.txt"));
    size_t start = 0;
    for (size_t ff = text.find('\f'); ff != std::string::npos; ff = text.find('\f', start)) {
      pages.push_back(text.substr(start, ff - start));
      start = ff + 1;
    }
    if (start < text.size() && text.find_first_not_of(" \n", start) != std::string::npos) pages.push_back(text.substr(start));
    return pages;
  }

  TempDir scratch_;
  const fs::path dir_ = scratch_.Path();
};

// One number of the report and the property path that holds it.
struct TNumber {
  std::string Chapter;  // "SB1", "PB1" or "VIB": the pages whose title block names it
  std::string Anchor;   // a regular expression for the line that starts the number's step or row
  int Occurrence;       // which such line in the chapter (0: the first)
  std::string Pattern;  // on that line or one of the six after it: the number as the first group
  std::string Path;     // {gov}, {st3}, {v3} and {mid} stand for PCC list indexes of the positions the report names
  double Scale;         // what the printed number is in the path's unit: 1e6 for "×10⁶", 0.01 for "%"
};

const char kNum[] = "(-?[0-9]+(?:\\.[0-9]+)?)";

std::string Re(const std::string& before, const std::string& after = "") { return before + kNum + after; }

// The numbers of one beam's chapter: Beam is "Beam1" or "Beam0".
std::vector<TNumber> BeamNumbers(const std::string& Chapter, const std::string& Beam) {
  const std::string B = Beam + ".";
  return {
      {Chapter, "^Span L ", 0, Re("Span L\\s+", " mm"), B + "Span", 1},
      {Chapter, "^Concrete elastic modulus Ec", 0, Re("Ec\\s+", " MPa"), "ConcreteFloor.Ec", 1},
      {Chapter, "^Top flange slenderness", 0, Re("λe1\\s+", ":"), B + "SteelSectionList0.le1", 1},
      {Chapter, "^Web slenderness", 0, Re("λew\\s+", ":"), B + "SteelSectionList0.lew", 1},
      {Chapter, "^Effective area", 0, Re("As'\\s+", " mm²"), B + "SteelSectionList0.As_dash", 1},
      {Chapter, "^Second moment of area", 0, Re("Is\\s+", "×10⁶"), B + "SteelSectionList0.ISteel", 1e6},
      {Chapter, "^Centroid below the top", 0, Re("y\\s+", " mm"), B + "SteelSectionList0.y", 1},
      {Chapter, "^Yield force \\(effective", 0, Re("Fst\\s+", " kN"), B + "SteelSectionList0.Fst", 1},
      {Chapter, "^Nominal shear capacity of the web", 0, Re("Vv\\s+", " kN"), B + "SteelSectionList0.Vv", 1},
      {Chapter, "^Neutral axis below the slab top, short", 0, Re("kDb,i\\s+", " mm"), B + "PCCAt4500.CompositeSection.kDbi", 1},
      {Chapter, "^Second moment, short term", 0, Re("Iti\\s+", "×10⁶"), B + "PCCAt4500.CompositeSection.Iti", 1e6},
      {Chapter, "^Neutral axis below the slab top, long", 0, Re("kDb,l\\s+", " mm"), B + "PCCAt4500.CompositeSection.kDbl", 1},
      {Chapter, "^Second moment, long term", 0, Re("Itl\\s+", "×10⁶"), B + "PCCAt4500.CompositeSection.Itl", 1e6},
      {Chapter, "^Effective width at midspan", 0, Re("beff\\s+", " mm"), B + "PCCAt4500.beff9000", 1},
      // The construction stage.
      {Chapter, "^Bending of the steel beam, stage 3", 0, Re("M\\* = ", " kNm"), B + "PCCList{st3}.MDes0,3", 1},
      {Chapter, "^Shear capacity of the web with", 0, Re("^\\s*= ", " kN\\s*$"), B + "PCCList{v3}.phiVvm", 1},
      {Chapter, "^Shear of the steel beam, stage 3", 0, Re("\\|V\\*\\| = ", " kN"), B + "PCCList{v3}.VDes0,3", 1},
      {Chapter, "^Steel stress at the top, stage 3", 0, Re("^\\s*= ", " MPa"), B + "PCCList{st3}.Stress4,3,1", 1},
      {Chapter, "^Steel stress at the bottom, stage 3", 0, Re("^\\s*= ", " MPa"), B + "PCCList{st3}.Stress4,3,0", 1},
      {Chapter, "^Deflection at midspan under the stage 3", 0, Re("δ3 = ", " mm"), B + "PCCAt4500.Deflection3,3", 1},
      // The composite stage at the governing cross-section.
      {Chapter, "^Design actions at the cross-section", 0, Re("M\\* = ", " kNm"), B + "PCCList{gov}.MDes0,7", 1},
      {Chapter, "^Design actions at the cross-section", 0, Re("V\\* = ", " kN"), B + "PCCList{gov}.VDes0,7", 1},
      {Chapter, "^Effective width within the slab available, side 1", 0, Re("^\\s*= ", " mm"), B + "PCCList{gov}.CompositeSection.bcf_1", 1},
      {Chapter, "^Effective width within the slab available, side 2", 0, Re("^\\s*= ", " mm"), B + "PCCList{gov}.CompositeSection.bcf_2", 1},
      {Chapter, "^Effective width$", 0, Re("^\\s*= ", " mm\\s*$"), B + "PCCList{gov}.CompositeSection.bcf", 1},
      {Chapter, "^Concrete above the ribs", 0, Re("^\\s*= ", " kN\\s*$"), B + "PCCList{gov}.CompositeSection.Fc_1", 1},
      {Chapter, "^Concrete within the rib height", 0, Re("^\\s*= ", " kN\\s*$"), B + "PCCList{gov}.CompositeSection.Fc_2", 1},
      {Chapter, "^Yield force of the steel section", 0, Re("^\\s*= ", " kN\\s*$"), B + "SteelSectionList0.Fst", 1},
      {Chapter, "^Concrete compressive force at full", 0, Re("^\\s*= ", " kN\\s*$"), B + "PCCList{gov}.CompositeSection.Fcc", 1},
      {Chapter, "^Connectors provided between", 0, Re("ni = "), B + "PCCList{gov}.ni_actual", 1},
      {Chapter, "^Connectors provided between", 0, Re("required "), B + "PCCList{gov}.ni", 1},
      {Chapter, "^Connectors provided between", 0, Re("βmin = "), B + "PCCList{gov}.beta_min", 1},
      {Chapter, "^Degree of shear connection", 0, Re("β = ", "\\s*$"), B + "PCCList{gov}.beta_actual", 1},
      {Chapter, "^Dependable moment capacity", 0, Re("^\\s*= ", " kNm\\s*$"), B + "PCCList{gov}.phiMbv", 1},
      {Chapter, "^Design moment capacity at β", 0, Re("^\\s*= ", " kNm\\s*$"), B + "PCCList{gov}.phiMbBeta", 1},
      {Chapter, "^Vertical shear capacity at β", 0, Re("^\\s*= ", " kN\\s*$"), B + "PCCList{gov}.Vcomp9000", 1},
      {Chapter, "^Slab's contribution to vertical shear", 0, Re("^\\s*= ", " kN\\s*$"), B + "PCCList{gov}.Vslab9000", 1},
      // Connectors and serviceability.
      {Chapter, "^Connectors along the beam", 0, Re("N = "), B + "TotalShearConnectors", 1},
      {Chapter, "^Connectors per group", 0, Re("nr = "), B + "ShearConnectorsInGroup", 1},
      {Chapter, "^Stiffness under partial shear connection", 0, Re("^\\s*= ", "\\s*$"), B + "I_factor_short", 1},
      {Chapter, "^The same, long term", 0, Re("^\\s*= ", "\\s*$"), B + "I_factor_long", 1},
      {Chapter, "^Shrinkage moment at midspan", 0, Re("^\\s*= ", " kNm\\s*$"), B + "PCCAt4500.CompositeSection.Msh", 1},
      {Chapter, "^Stages 5 and 6 dead load ", 0, Re("load\\s+"), B + "PCCAt4500.Deflection3,6", 1},
      {Chapter, "^Short-term in service", 0, Re("service\\s+"), B + "PCCAt4500.Deflection1,7", 1},
      {Chapter, "^Creep ", 0, Re("Creep\\s+"), B + "PCCAt4500.Deflection2,7", 1},
      {Chapter, "^Suggested camber ", 0, Re("camber\\s+"), B + "SuggestedCamber", 1},
      {Chapter, "^In-service steel stress at the bottom", 0, Re("^\\s*= ", " MPa"), B + "PCCAt4500.Stress1,7,0", 1},
      {Chapter, "^In-service steel stress at the top", 0, Re("^\\s*= ", " MPa"), B + "PCCAt4500.Stress1,7,1", 1},
  };
}

std::vector<TNumber> VibrationNumbers() {
  const std::string V = "Vibration.";
  return {
      {"VIB", "^Transformed slab stiffness", 0, Re("^\\s*= ", " mm⁴/mm"), V + "SlabStiffness", 1},
      {"VIB", "^Transformed second moment", 0, Re("Ij = ", "×10⁶"), V + "BeamInertia", 1e6},
      {"VIB", "^Transformed second moment", 1, Re("Ig = ", "×10⁶"), V + "GirderInertia", 1e6},
      {"VIB", "^Line load", 0, Re("^\\s*= ", " kN/m"), V + "BeamLineLoad", 1},
      {"VIB", "^Line load", 1, Re("^\\s*= ", " kN/m"), V + "GirderLineLoad", 1},
      {"VIB", "^Midspan deflection", 0, Re("^\\s*= ", " mm"), V + "BeamDeflection", 1},
      {"VIB", "^Midspan deflection", 1, Re("^\\s*= ", " mm"), V + "GirderDeflection", 1},
      {"VIB", "^Natural frequency of the member", 0, Re("^\\s*= ", " Hz"), V + "BeamFrequency", 1},
      {"VIB", "^Natural frequency of the member", 1, Re("^\\s*= ", " Hz"), V + "GirderFrequency", 1},
      {"VIB", "^Stiffness per unit width", 0, Re("^\\s*= ", " mm⁴/mm"), V + "BeamStiffness", 1},
      {"VIB", "^Stiffness per unit width", 1, Re("^\\s*= ", " mm⁴/mm"), V + "GirderStiffness", 1},
      {"VIB", "^Beam panel width", 0, Re("^\\s*= ", " mm"), V + "BeamPanelWidth", 1},
      {"VIB", "^Beam panel weight", 0, Re("^\\s*= ", " kN"), V + "BeamWeight", 1},
      {"VIB", "^Girder panel width", 0, Re("^\\s*= ", " mm"), V + "GirderPanelWidth", 1},
      {"VIB", "^Girder panel weight", 0, Re("^\\s*= ", " kN"), V + "GirderWeight", 1},
      {"VIB", "^Girder deflection in the combined", 0, Re("Δg' = ", " mm"), V + "GirderDeflectionReduced", 1},
      {"VIB", "^Natural frequency of the floor", 0, Re("^\\s*= ", " Hz"), V + "Frequency", 1},
      {"VIB", "^Effective panel weight", 0, Re("^\\s*= ", " kN"), V + "EffectiveWeight", 1},
      {"VIB", "^Peak acceleration", 0, Re("^\\s*= ", " %g"), V + "PeakAcceleration", 1},
      {"VIB", "^Acceleration limit", 0, Re("limit\\s+", " %g"), V + "AccelerationLimit", 1},
      {"VIB", "^Damping ratio", 0, Re("β\\s+"), V + "Damping", 1},
  };
}

// The chapter a page belongs to, by the subject in its title block.
std::string ChapterOf(const std::string& Page) {
  const std::vector<std::string> lines = Lines(Page);
  for (size_t i = 0; i < lines.size() && i < 8; ++i) {
    if (lines[i].find("Secondary beam SB1") != std::string::npos) return "SB1";
    if (lines[i].find("Primary beam PB1") != std::string::npos) return "PB1";
    if (lines[i].find("Floor vibration") != std::string::npos) return "VIB";
  }
  return "FLOOR";
}

// The lines of a chapter, left-trimmed of the layout's indentation for the anchors.
std::string LTrim(const std::string& s) { return s.substr(std::min(s.size(), s.find_first_not_of(' '))); }

// Decimals of a printed number.
int Decimals(const std::string& n) {
  const size_t dot = n.find('.');
  return dot == std::string::npos ? 0 : static_cast<int>(n.size() - dot - 1);
}

}  // namespace

// Every number of the table below, read from the sample's calculation report
// as pdftotext gives it, is the value `trevalon eval` prints for its path, to
// the decimals the report prints.
TEST_F(Calculation, EveryNumberOfTheSampleIsTheOneEvalPrints) {
  ASSERT_EQ(Trevalon("analyse " + kLocal + " --report r.csv --calculation calc.pdf").code, 0);
  std::map<std::string, std::vector<std::string>> chapters;
  for (const std::string& page : PdfPages("calc.pdf", true))
    for (const std::string& line : Lines(page)) chapters[ChapterOf(page)].push_back(line);
  ASSERT_EQ(chapters.count("SB1"), 1u);
  ASSERT_EQ(chapters.count("PB1"), 1u);
  ASSERT_EQ(chapters.count("VIB"), 1u);

  // The positions of the PCCs of both beams, to find the cross-sections the report names.
  std::string xs;
  for (int beam : {0, 1})
    for (int i = 0; i < 40; ++i)  // compared with seven decimals, so that eval prints them
      xs += " Beam" + std::to_string(beam) + ".PCCList" + std::to_string(i) + ".x=0.0000000";
  const TRun positions = Trevalon("eval " + kLocal + xs);
  std::map<std::string, std::vector<double>> pcc_x;  // "Beam1" -> x by list index
  for (const std::string& line : Lines(positions.out)) {
    std::smatch m;
    if (std::regex_search(line, m, std::regex("^(Beam[01])\\.PCCList([0-9]+)\\.x=([-0-9.]+)"))) {
      auto& list = pcc_x[m[1]];
      const size_t i = std::stoul(m[2]);
      if (list.size() <= i) list.resize(i + 1, NAN);
      list[i] = std::stod(m[3]);
    }
  }
  // The list index of the PCC at x as the report prints it (to its decimals).
  auto index_at = [&](const std::string& beam, const std::string& printed) {
    const double x = std::stod(printed), tol = 0.5 * std::pow(10.0, -Decimals(printed)) + 1e-9;
    const auto& list = pcc_x[beam];
    for (size_t i = 0; i < list.size(); ++i)
      if (std::fabs(list[i] - x) <= tol) return std::to_string(i);
    ADD_FAILURE() << beam << " has no PCC at " << printed;
    return std::string("0");
  };
  // The positions each beam's chapter names.
  std::map<std::string, std::map<std::string, std::string>> named;
  for (const auto& [chapter, beam] : {std::pair{"SB1", "Beam1"}, std::pair{"PB1", "Beam0"}}) {
    std::string text;
    for (const std::string& l : chapters[chapter]) text += l + "\n";
    const struct {
      const char* key;
      const char* pattern;
    } places[] = {{"gov", "Governing cross-section, x = ([0-9.]+) mm"},
                  {"st3", "Bending of the steel beam, stage 3, at x = ([0-9.]+) mm"},
                  {"v3", "Shear capacity of the web with the stage 3 moment, at x = ([0-9.]+) mm"}};
    for (const auto& p : places) {
      std::smatch m;
      ASSERT_TRUE(std::regex_search(text, m, std::regex(p.pattern))) << chapter << ": " << p.pattern;
      named[chapter][p.key] = index_at(beam, m[1]);
    }
  }

  std::vector<TNumber> numbers = BeamNumbers("SB1", "Beam1");
  for (const TNumber& n : BeamNumbers("PB1", "Beam0")) numbers.push_back(n);
  for (const TNumber& n : VibrationNumbers()) numbers.push_back(n);
  std::string args;
  std::vector<std::string> expected;
  for (const TNumber& n : numbers) {
    const std::vector<std::string>& lines = chapters[n.Chapter];
    std::string printed;
    int seen = 0;
    for (size_t i = 0; i < lines.size() && printed.empty(); ++i) {
      if (!std::regex_search(LTrim(lines[i]), std::regex(n.Anchor)) || seen++ != n.Occurrence) continue;
      for (size_t j = i; j < lines.size() && j <= i + 6 && printed.empty(); ++j) {
        std::smatch m;
        if (std::regex_search(lines[j], m, std::regex(n.Pattern))) printed = m[1];
      }
    }
    if (printed.empty()) {
      ADD_FAILURE() << n.Chapter << ": no number for [" << n.Anchor << "] #" << n.Occurrence;
      continue;
    }
    std::string path = n.Path;
    for (const auto& [key, index] : named[n.Chapter]) path = std::regex_replace(path, std::regex("\\{" + key + "\\}"), index);
    // The printed value to its decimals, in the path's unit.
    const double value = std::stod(printed) * n.Scale;
    const double tolerance = 0.5 * std::pow(10.0, -Decimals(printed)) * n.Scale * 1.0001;
    std::ostringstream e;
    e.precision(12);
    e << path << "=" << value << "(+/-" << tolerance << ")";
    args += " " + Quote(e.str());
    expected.push_back(path);
  }
  ASSERT_GE(expected.size(), 110u);
  const TRun eval = Trevalon("eval " + kLocal + args);
  EXPECT_EQ(eval.code, 0) << eval.err;
  const std::vector<std::string> out = Lines(eval.out);
  ASSERT_EQ(out.size(), expected.size()) << eval.out << eval.err;
  for (size_t i = 0; i < out.size(); ++i) {
    EXPECT_EQ(out[i].rfind(expected[i] + "=", 0), 0u) << out[i];
    EXPECT_NE(out[i].find("\tOK"), std::string::npos) << out[i];
  }
}

// Every page says what it belongs to: the project, the file, the edition,
// the program and "Page n of N"; and no token of the document (a section
// name, a number with its unit) is split across lines.
TEST_F(Calculation, EveryPageHasItsTitleBlockAndNoTokenIsSplit) {
  ASSERT_EQ(Trevalon("analyse " + kLocal + " --report r.csv --calculation calc.pdf").code, 0);
  ASSERT_EQ(Trevalon("analyse " + kLocal + " --report r.csv --calculation calc.html").code, 0);
  const std::vector<std::string> pages = PdfPages("calc.pdf", false);
  ASSERT_GE(pages.size(), 10u);
  const std::string total = std::to_string(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE("page " + std::to_string(i + 1));
    const std::string& p = pages[i];
    for (const std::string& part : {std::string("Sample office floor"), std::string("Trevalon sample"),
                                    kLocal, std::string("AS/NZS2327:2017"), std::string("PROJECT FILE"),
                                    "Page " + std::to_string(i + 1) + " of " + total})
      EXPECT_NE(p.find(part), std::string::npos) << part;
  }

  // The tokens of the document, from its HTML (the same document): each is
  // found whole on one line of the PDF's text.
  std::string html = Blanked(ReadText(dir_ / "calc.html"));
  // One self-contained file: its style inside, its seven drawings as inline SVG, nothing fetched.
  EXPECT_EQ(html.find(" src="), std::string::npos);
  EXPECT_EQ(html.find("<link"), std::string::npos);
  EXPECT_EQ(html.find("href=\"http"), std::string::npos);
  size_t svgs = 0;
  for (size_t at = html.find("<svg "); at != std::string::npos; at = html.find("<svg ", at + 1)) ++svgs;
  EXPECT_EQ(svgs, 7u);
  html = std::regex_replace(html, std::regex("<svg[\\s\\S]*?</svg>|<nav>[\\s\\S]*?</nav>|<head>[\\s\\S]*?</head>"), " ");
  html = std::regex_replace(html, std::regex("<[^>]+>"), "\n");
  for (const auto& [entity, c] : {std::pair{"&amp;", "&"}, std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"},
                                  std::pair{"&quot;", "\""}})
    html = std::regex_replace(html, std::regex(entity), c);
  std::set<std::string> tokens;
  // A number and its unit are one token.
  const std::regex token("-?[0-9][0-9.]*(?:×10⁶)? (?:mm⁴/mm|mm²|mm³|mm⁴|mm|kNm|kN/m|kN|MPa|kPa|Hz|%g)|[^\\s]+");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), token); it != std::sregex_iterator(); ++it)
    tokens.insert(it->str());
  std::vector<std::string> lines;
  for (const std::string& p : pages)
    for (const std::string& l : Lines(p)) lines.push_back(l);
  ASSERT_GT(tokens.size(), 1000u);
  for (const char* t : {"360UB44.7", "530UB82.0", "1589 kN", "436.4×10⁶ mm⁴"}) EXPECT_EQ(tokens.count(t), 1u) << t;
  for (const std::string& t : tokens) {
    bool whole = false;
    for (const std::string& l : lines) whole = whole || l.find(t) != std::string::npos;
    EXPECT_TRUE(whole) << "[" << t << "] is not whole on any line of the PDF";
  }
}

// The printed results list (--pdf): no section name or number of the report
// breaks across lines, and every page is headed by the project and its file.
TEST_F(Calculation, ThePrintedResultsListBreaksNoToken) {
  ASSERT_EQ(Trevalon("analyse " + kLocal + " --report r.csv --pdf list.pdf").code, 0);
  const std::vector<std::string> pages = PdfPages("list.pdf", false);
  ASSERT_GE(pages.size(), 5u);
  std::vector<std::string> lines;
  for (const std::string& p : pages) {
    EXPECT_NE(p.find("Sample office floor"), std::string::npos);
    EXPECT_NE(p.find(kLocal), std::string::npos);
    for (const std::string& l : Lines(p)) lines.push_back(l);
  }
  // The cells of the report: each word of each cell is whole on a line of the
  // PDF, its units written as the pages write them.
  std::set<std::string> words;
  for (const std::string& row : Lines(ReadText(dir_ / "r.csv"))) {
    std::string cell;
    bool quoted = false;
    for (char c : row + ",") {
      if (c == '"') quoted = !quoted;
      else if (c == ',' && !quoted) {
        std::istringstream in(cell);
        for (std::string w; in >> w;) words.insert(UnitsAsWritten(w));
        cell.clear();
      } else cell += c;
    }
  }
  for (const char* w : {"360UB44.7", "530UB82.0", "Restrained", "Construc.Stress", "(St5&6/Immed)", "(kg/m\u00B3)"})
    EXPECT_EQ(words.count(w), 1u) << w;
  for (const std::string& w : words) {
    bool whole = false;
    for (const std::string& l : lines) whole = whole || l.find(w) != std::string::npos;
    EXPECT_TRUE(whole) << "[" << w << "] is split in the printed list";
  }
}

TEST_F(Calculation, TheFormatFollowsTheExtensionAndTheOutputRulesApply) {
  // PDF and HTML by the extension, any letter case.
  TRun r = Trevalon("analyse " + kLocal + " --report r.csv --calculation Calc.PDF");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ReadText(dir_ / "Calc.PDF").rfind("%PDF-", 0), 0u);
  EXPECT_NE(r.out.find("Calculation report written to Calc.PDF ("), std::string::npos) << r.out;
  r = Trevalon("design " + kLocal + " --report r.csv --calculation calc.htm");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ReadText(dir_ / "calc.htm").rfind("<!DOCTYPE html>", 0), 0u);

  struct {
    std::string args, error;
  } refused[] = {
      {"--calculation calc.txt", "Cannot write the calculation report to [calc.txt]: the file name must end in .pdf or .html"},
      {"--calculation calc", "the file name must end in .pdf or .html"},
      {"--calculation " + kLocal, "the file name must end in .pdf or .html"},
      {"--calculation r.pdf --pdf r.pdf", "r.pdf is named twice"},
      {"--calculation r.csv.pdf --report r.csv.pdf", "is named twice"},
      {"--calculation calc.pdf --beam 2", "The project has no beam 2; its beams are 1 and 0"},
      {"--beam 1", "--beam requires --calculation"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.args);
    r = Trevalon("analyse " + kLocal + " " + c.args);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "calc.txt"));
    EXPECT_FALSE(fs::exists(dir_ / "calc"));
  }
  // The project itself is never replaced by a report.
  fs::copy_file(kSample, dir_ / "p.pdf");
  const std::string before = ReadText(dir_ / "p.pdf");
  r = Trevalon("analyse p.pdf --calculation p.pdf");
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("p.pdf is also an input (project file"), std::string::npos) << r.err;
  EXPECT_EQ(ReadText(dir_ / "p.pdf"), before);
}

TEST_F(Calculation, OneBeamAlone) {
  ASSERT_EQ(Trevalon("analyse " + kLocal + " --report r.csv --calculation one.pdf --beam 0").code, 0);
  std::set<std::string> chapters;
  for (const std::string& page : PdfPages("one.pdf", true)) chapters.insert(ChapterOf(page));
  EXPECT_EQ(chapters, (std::set<std::string>{"FLOOR", "PB1"}));
}
