// The trevalon command line, run as a user runs it: the built program from
// the build's bin folder, in a fresh working folder, with LC_ALL=C.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli_run.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

using namespace cli_test;

namespace {

const std::string kBin = TREVALON_BIN_DIR;
const std::string kSample = std::string(TREVALON_TEST_DATA_DIR) + "/SampleAnalysis.tva";

// A report's text with the date of its "Analysis run" line left out: reports
// of separate runs compare equal even when the runs straddle midnight.
std::string Undated(const std::string& report) {
  return std::regex_replace(report, std::regex("\r\nAnalysis run,[^\r]*\r\n"),
                            "\r\nAnalysis run,\r\n");
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class Cli : public ::testing::Test {
 protected:

  // Runs trevalon with Args (already quoted where needed) in the working folder;
  // standard output goes to StdoutFile when one is given.
  TRun Trevalon(const std::string& args, const std::string& locale = "C", const std::string& StdoutFile = "") {
    return RunIn(dir_, Quote(kProgram) + " " + args, {.locale = locale, .stdout_file = StdoutFile});
  }

  // A copy of the sample in the working folder, with whole lines replaced.
  std::string SampleCopy(const std::string& name,
                         const std::vector<std::pair<std::string, std::string>>& edits = {}) {
    std::string text = ReadText(kSample);
    for (const auto& [from, to] : edits) {
      const size_t at = text.find(from + "\r\n");
      EXPECT_NE(at, std::string::npos) << from;
      if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return name;
  }

  TempDir scratch_;
  const fs::path dir_ = scratch_.Path();
};

// One line on standard error, naming the program, and nothing on standard output.
void ExpectOneErrorLine(const TRun& r, const std::string& containing) {
  EXPECT_EQ(r.code, 2) << r.err;
  const std::vector<std::string> lines = r.ErrLines();
  ASSERT_EQ(lines.size(), 1u) << r.err;
  EXPECT_EQ(lines[0].rfind("trevalon: ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(containing), std::string::npos) << lines[0];
}

}  // namespace

TEST_F(Cli, AnalyseWithoutProjectRunsTheBundledSample) {
  const TRun r = Trevalon("analyse");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto out = r.OutLines();
  ASSERT_GE(out.size(), 4u);
  EXPECT_EQ(out[0], "Running analysis...");
  EXPECT_EQ(out[1], "    Secondary beam SB1 OK");
  EXPECT_EQ(out[2], "    Primary beam PB1 OK");
  EXPECT_EQ(out[3], "Analysis complete");
  EXPECT_TRUE(Contains(out, "Results report written to SampleAnalysis.csv"));
  // The report goes into the current folder, with lines ending CR LF.
  const std::string report = ReadText(dir_ / "SampleAnalysis.csv");
  EXPECT_EQ(report.rfind("Trevalon/V", 0), 0u);
  EXPECT_NE(report.find("\r\nInput file," + kBin + "/SampleAnalysis.tva\r\n"), std::string::npos);
  const auto lines = Lines(report);
  EXPECT_TRUE(Contains(lines, "Standard,AS/NZS2327:2017"));
  EXPECT_TRUE(Contains(lines, "FULL RESULTS,Primary beam: PB1"));
}

TEST_F(Cli, ReportGoesWhereAsked) {
  fs::create_directories(dir_ / "projects" / "out");
  fs::copy_file(kSample, dir_ / "projects" / "Floor A.tva");
  // Default: the project's name in the current folder, not beside the project.
  TRun r = Trevalon("analyse " + Quote("projects/Floor A.tva"));
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir_ / "Floor A.csv"));
  EXPECT_FALSE(fs::exists(dir_ / "projects" / "Floor A.csv"));

  r = Trevalon("analyse " + Quote("projects/Floor A.tva") + " --report projects/out/r.csv");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Contains(r.OutLines(), "Results report written to projects/out/r.csv"));
  const std::string floor_a = Undated(ReadText(dir_ / "Floor A.csv"));
  EXPECT_EQ(Undated(ReadText(dir_ / "projects" / "out" / "r.csv")), floor_a);

  // "-": the report alone on standard output.
  r = Trevalon("analyse " + Quote("projects/Floor A.tva") + " --report -");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Undated(r.out), floor_a);

  // A link is written through, not replaced.
  fs::create_symlink("projects/out/linked.csv", dir_ / "link.csv");
  r = Trevalon("analyse " + Quote("projects/Floor A.tva") + " --report link.csv");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.csv"));
  EXPECT_EQ(Undated(ReadText(dir_ / "projects" / "out" / "linked.csv")), floor_a);

  ExpectOneErrorLine(
      Trevalon("analyse " + Quote("projects/Floor A.tva") + " --report no/such/folder/r.csv"),
      "no/such/folder/r.csv");
}

TEST_F(Cli, EvalPrintsAndChecksPaths) {
  // PB1 at midspan, in service: point loads at 3 m and 6 m of 1.2 x (4.023 +
  // 85.124 + 40.5) + 1.5 x 57.368 = 241.63 kN each (SB1 steel, slab and
  // superimposed dead, live), M = 3 m x P, plus its own 0.82 kN/m x 1.2 x 9^2/8.
  const double M = 3 * (1.2 * (4.023 + 85.124 + 40.5) + 1.5 * 57.368) + 1.2 * 0.82 * 81 / 8;
  TRun r = Trevalon(
      "eval " + Quote(kSample) +
      " 'Beam.PCCAt4500.MDes0,7' Beam.MaxStrengthRatio=0.0000000000 Beam1.SteelSectionList0.Name"
      " 'Beam.PCCAt4500.MDes0,7=230(+/-0.5%)'");
  EXPECT_EQ(r.code, 1);  // two expectations not met
  const auto out = r.OutLines();
  ASSERT_EQ(out.size(), 4u) << r.out;
  std::smatch m;
  ASSERT_TRUE(std::regex_match(out[0], m, std::regex(R"(Beam\.PCCAt4500\.MDes0,7=(\d+\.\d+))")))
      << out[0];
  EXPECT_NEAR(std::stod(m[1]), M, 0.05);
  EXPECT_TRUE(std::regex_match(
      out[1],
      std::regex(R"(Beam\.MaxStrengthRatio=0\.\d{10}\tMISMATCH \(expected 0\.0000000000\))")))
      << out[1];
  EXPECT_EQ(out[2], "Beam1.SteelSectionList0.Name=360UB44.7");
  EXPECT_EQ(out[3],
            "Beam.PCCAt4500.MDes0,7=" + std::string(m[1]) + "\tMISMATCH (expected 230(+/-0.5%))");

  r = Trevalon("eval " + Quote(kSample) +
               " 'Beam.PCCAt4500.MDes0,7=735(+/-0.5%)' Beam1.SteelSectionList0.Name=360UB44.7");
  EXPECT_EQ(r.code, 0) << r.out << r.err;
  EXPECT_EQ(r.OutLines(),
            (std::vector<std::string>{"Beam.PCCAt4500.MDes0,7=" + std::string(m[1]) + "\tOK",
                                      "Beam1.SteelSectionList0.Name=360UB44.7\tOK"}));

  r = Trevalon("eval " + Quote(kSample) + " Beam1.SteelSectionList0.Name=310UB40.4");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "Beam1.SteelSectionList0.Name=360UB44.7\tMISMATCH (expected 310UB40.4)\n");
}

TEST_F(Cli, FileProblemsExitWithOneErrorLine) {
  std::ofstream(dir_ / "notes.tva") << "[Notes]\r\nText=not a project\r\n";
  std::ofstream(dir_ / "binary.tva", std::ios::binary)
      << std::string("\x00\xff\xfe\x01[Project\x00", 11);
  std::ofstream(dir_ / "text.tvl") << "not a library\n";
  struct Case {
    std::string args, mentions;
  } cases[] = {
      {"analyse missing.tva", "missing.tva"},
      {"design missing.tva", "missing.tva"},
      {"eval missing.tva Beam.Span", "missing.tva"},
      {"analyse notes.tva", "notes.tva"},
      {"analyse binary.tva", "binary.tva"},
      {"--library missing.tvl analyse", "missing.tvl"},
      {"analyse --library text.tvl", "text.tvl"},
      {"generate-library missing.ini", "missing.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const TRun r = Trevalon(c.args);
    ExpectOneErrorLine(r, c.mentions);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(dir_ / "missing.csv"));
  }
}

TEST_F(Cli, InputThatWouldChangeTheVerdictIsRefused) {
  // Each would have run and passed: read as 0, a negative factor, another
  // beam's data, or minutes of empty loads. Nothing runs and no report is written.
  std::string cut = ReadText(kSample);
  cut = cut.substr(0, cut.find("[Secondary1Beam]"));
  std::ofstream(dir_ / "Cut.tva", std::ios::binary) << cut;
  fs::create_directories(dir_ / "folder.ini");
  struct Case {
    std::string args, mentions;
  } cases[] = {
      {"analyse " + SampleCopy("Comma.tva", {{"DeadLoad=1.5", "DeadLoad=1,5"}}),
       "Comma.tva], section [Geometry], key DeadLoad: \"1,5\" is not a number"},
      {"design " + SampleCopy("Word.tva", {{"LFlive1=1.5", "LFlive1=abc"}}),
       "Word.tva], section [LimitState], key LFlive1: \"abc\" is not a number"},
      {"analyse " + SampleCopy("Negative.tva", {{"LFdead1=1.2", "LFdead1=-1.2"}}),
       "Warning: Limit state Strength: dead load factor (-1.2) must not be negative"},
      {"analyse Cut.tva", "Cut.tva] is incomplete: section [Secondary1Beam] is missing"},
      {"analyse " + SampleCopy("Billion.tva", {{"[PointLoad]\r\nCount=0", "[PointLoad]\r\nCount=1000000000"}}),
       "section [PointLoad], key Count: \"1000000000\" is more than 10000 items"},
      {"generate-library folder.ini --output Out.tvl", "folder.ini] is a folder, not a file"},
      // Numbers no floor has: no "INF%" or "nan" ever reaches an output.
      {"analyse " + SampleCopy("Huge.tva", {{"LFdead1=1.2", "LFdead1=1e308"}}),
       "Warning: Limit state Strength: dead load factor (1E308) must be between 0 and 10"},
      // A load that cannot be real: an uplift would have lightened the beam.
      {"analyse " + SampleCopy("Uplift.tva", {{"[DistributedLoad]\r\nCount=0",
                                               "[DistributedLoad]\r\nCount=1\r\nStartValue1=-20\r\nConStage1=7"}}),
       "Error: Primary beam PB1, distributed load 1: start value -20 kN/m is negative"},
      {"analyse NoSections.tva", "NoSections.tva] is incomplete: section [SteelSection] is missing"},
      {"analyse " + SampleCopy("Nul.tva", {{"Designer=Trevalon sample", std::string("Designer=Trev\0alon", 18)}}),
       "Nul.tva], section [Project], key Designer: a control character in the text"},
      // eval refuses what analyse refuses.
      {"eval " + SampleCopy("Weak.tva", {{"ConcreteStrength=32", "ConcreteStrength=-32"}}) + " Beam.Span",
       "Warning: Concrete strength grade should be at least 15 MPa"},
      // A design table's lengths meet the same limits from the project as from the options.
      {"design-table " + SampleCopy("Table.tva", {{"[LimitState]", "[DesignTable]\r\nSpanCount=1\r\nSpan1=-9000\r\n"
                                                                   "SpacingCount=1\r\nSpacing1=3000\r\n\r\n[LimitState]"}}),
       "Design table span -9000 mm must be between 1500 and 25000 mm"},
      {"design-table Table.tva --spans -9000", "Design table span -9000 mm must be between 1500 and 25000 mm"},
      {"design-table Table.tva --spans 1e300", "Design table span 1E300 mm must be between 1500 and 25000 mm"},
      {"design-table Table.tva --spans 9000 --spacings 50000",
       "Design table spacing 50000 mm must be between 1000 and 25000 mm"},
  };
  {
    std::string text = ReadText(kSample);
    const size_t from = text.find("[SteelSection]"), to = text.find("[CompositeSection]");
    std::ofstream(dir_ / "NoSections.tva", std::ios::binary) << text.substr(0, from) + text.substr(to);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const TRun r = Trevalon(c.args);
    ExpectOneErrorLine(r, c.mentions);
    EXPECT_EQ(r.out.find("written"), std::string::npos) << r.out;
    for (const char* word : {"INF", "NAN", "nan"}) EXPECT_EQ(r.out.find(word), std::string::npos) << r.out;
  }
  for (const char* report : {"Comma.csv", "Word.csv", "Negative.csv", "Cut.csv", "Billion.csv", "Out.tvl", "Huge.csv",
                             "Uplift.csv", "NoSections.csv", "Nul.csv", "Table-Design.csv"})
    EXPECT_FALSE(fs::exists(dir_ / report)) << report;
}

TEST_F(Cli, AnalyseNotesAnEffectiveSpacingOtherThanTheSpan) {
  // The sample as shipped: its figures, and nothing to remark.
  TRun r = Trevalon("analyse " + SampleCopy("Sample.tva") + " --report Sample.csv");
  EXPECT_EQ(r.code, 0) << r.err;
  auto summary = [](const TRun& Run, const std::string& Beam) {
    for (const std::string& line : Run.OutLines())
      if (line.rfind(Beam, 0) == 0) return line;
    return std::string();
  };
  EXPECT_NE(summary(r, "Sec: SB1").find("78%     83%         81%"), std::string::npos) << r.out;
  EXPECT_NE(summary(r, "Pri: PB1").find("84%     91%         57%"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Note: "), std::string::npos);

  // Its bays made 10 m, the primary beam's tributary width left at 9 m: a
  // note, on the console and in the report, and the analysis still runs.
  const std::string note = "Primary beam effective spacing (9000 mm) differs from the secondary beam span (10000 mm)";
  r = Trevalon("analyse " + SampleCopy("Wide.tva", {{"SpacingSide1=9000", "SpacingSide1=10000"},
                                                     {"SpacingSide2=9000", "SpacingSide2=10000"}}) +
               " --report Wide.csv");
  EXPECT_EQ(r.code, 1) << r.err;  // the 10 m secondary beam deflects too far
  EXPECT_TRUE(Contains(r.OutLines(), "Note: " + note)) << r.out;
  const std::vector<std::string> report = Lines(ReadText(dir_ / "Wide.csv"));
  ASSERT_GE(report.size(), 7u);
  EXPECT_EQ(report[4], "NOTES");
  EXPECT_EQ(report[5], "\"" + note + "\"");
  EXPECT_NE(summary(r, "Pri: PB1").find("84%     91%         57%"), std::string::npos) << r.out;

  // With the tributary width following the bay, the primary beam fails in stress.
  r = Trevalon("analyse " + SampleCopy("Wider.tva", {{"SpacingSide1=9000", "SpacingSide1=10000"},
                                                      {"SpacingSide2=9000", "SpacingSide2=10000"},
                                                      {"PrimaryEffectiveSpacing=9000", "PrimaryEffectiveSpacing=10000"}}) +
               " --report Wider.csv");
  EXPECT_EQ(r.out.find("Note: "), std::string::npos);
  EXPECT_NE(summary(r, "Pri: PB1").find("92%    101%         63%"), std::string::npos) << r.out;
  // With the report on standard output the note goes to standard error.
  r = Trevalon("analyse Wide.tva --report -");
  EXPECT_EQ(r.err, "Note: " + note + "\n");
  EXPECT_EQ(r.out.rfind("Trevalon/V", 0), 0u);
}

TEST_F(Cli, BadUsageExits2) {
  for (const char* args :
       {"", "bogus", "analyse --bogus", "--standard 2010 analyse", "analyse --standard 17", "eval",
        "eval SampleAnalysis.tva", "analyse a.tva b.tva", "design-table a.tva --jobs 100000000",
        "design-table a.tva --jobs 0", "chart --beam 0 --kind envelopes --output c.png --width 1e9"}) {
    SCOPED_TRACE(args);
    const TRun r = Trevalon(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.ErrLines().size(), 1u) << r.err;
    EXPECT_EQ(r.out, "");
  }
  const TRun help = Trevalon("--help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("generate-library"), std::string::npos);
}

TEST_F(Cli, OlderEditionOfTheStandard) {
  // The sample's 55 mm re-entrant deck (b0 = 200 - 25 = 175 mm) is within the
  // older edition's rib rules; the option may follow the command too.
  TRun r = Trevalon("analyse " + Quote(kSample) + " --standard 2003");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  auto lines = Lines(ReadText(dir_ / "SampleAnalysis.csv"));
  EXPECT_TRUE(Contains(lines, "Standard,AS/NZS2327.1-2003"));
  EXPECT_TRUE(Contains(lines, "FULL RESULTS,Secondary beam: SB1"));
  EXPECT_TRUE(Contains(lines, "FULL RESULTS,Primary beam: PB1"));
  EXPECT_TRUE(Contains(lines, "Es,,,200000,MPa"));
  // 2400^1.5 x 0.043 x sqrt(37.5) = 30960 (fcm for f'c 32) and x sqrt(32) = 28600, to 10 MPa.
  EXPECT_TRUE(Contains(lines, "Ec for serviceability,,,30960,MPa"));
  EXPECT_TRUE(Contains(lines, "Ec for shear connector strength,,,28600,MPa"));
  EXPECT_TRUE(Contains(lines, "fvs,,,93,kN"));  // 0.63 x 19^2 x 410 / 1000

  // An 80 mm trapezoidal deck leaves 300 - 160 = 140 mm of concrete between
  // ribs: the project does not validate, and the rib height is not the reason.
  const std::string deep =
      SampleCopy("Deep.tva", {{"Name=Re-entrant 55 mm x 1.00 mm",
                               "Name=Trapezoidal 80 mm x 1.05 mm"}});
  r = Trevalon("--standard 2003 analyse " + deep);
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("(Old Cl 1.2.4d) Width of concrete between"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("(Old Cl 1.2.4a)"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir_ / "Deep.csv"));

  r = Trevalon("--standard 2017 analyse " + Quote(kSample));
  EXPECT_EQ(r.code, 0) << r.err;
  lines = Lines(ReadText(dir_ / "SampleAnalysis.csv"));
  EXPECT_TRUE(Contains(lines, "Standard,AS/NZS2327:2017"));
}

TEST_F(Cli, DesignSavesTheChosenSections) {
  // SB1 starts far heavier than needed; the design brings it back to the
  // first passing UB of its grade.
  std::vector<std::pair<std::string, std::string>> edits;
  for (int i = 1; i <= 4; ++i)
    edits.push_back(
        {"Name" + std::to_string(i) + "=360UB44.7", "Name" + std::to_string(i) + "=610UB125"});
  const std::string heavy = SampleCopy("Heavy.tva", edits);
  TRun r = Trevalon("eval " + heavy + " Beam1.SteelSectionList0.Name");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Beam1.SteelSectionList0.Name=610UB125\n");

  r = Trevalon("design " + heavy + " --report - --save Designed.tva");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");  // standard error is no terminal: no progress line
  EXPECT_EQ(r.out.rfind("Trevalon/V", 0), 0u);
  ASSERT_TRUE(fs::exists(dir_ / "Designed.tva"));
  EXPECT_EQ(ReadText(dir_ / "Heavy.tva").find("360UB44.7"),
            std::string::npos);  // the input is left alone

  r = Trevalon("analyse Designed.tva");
  EXPECT_EQ(r.code, 0) << r.err;
  const auto out = r.OutLines();
  const bool listed = std::any_of(out.begin(), out.end(), [](const std::string& l) {
    return l.rfind("Sec: SB1", 0) == 0 && l.find("360UB44.7") != std::string::npos;
  });
  EXPECT_TRUE(listed) << r.out;
  r = Trevalon(
      "eval Designed.tva Beam1.SteelSectionList3.Name=360UB44.7 "
      "Beam.SteelSectionList0.Name=530UB82.0");
  EXPECT_EQ(r.code, 0) << r.out;

  // A device is never replaced by a saved project.
  ExpectOneErrorLine(Trevalon("design " + heavy + " --save /dev/null"), "/dev/null");
}

TEST_F(Cli, FailingBeamExits1) {
  // A 150UB14.0 cannot carry the 9 m secondary beam: the run completes, the beam fails.
  std::vector<std::pair<std::string, std::string>> edits;
  for (int i = 1; i <= 4; ++i)
    edits.push_back(
        {"Name" + std::to_string(i) + "=360UB44.7", "Name" + std::to_string(i) + "=150UB14.0"});
  const std::string light = SampleCopy("Light.tva", edits);
  const TRun r = Trevalon("analyse " + light);
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(fs::exists(dir_ / "Light.csv"));
  EXPECT_TRUE(Contains(Lines(ReadText(dir_ / "Light.csv")), "Strength,,PROBLEM"));
}

// The floor vibration line follows the summary table; the floor's verdict
// never changes the exit code, which is the beams' (worked by hand in
// tests/project/cVibration_test.cpp: fn 3.44 Hz, 0.48 %g).
TEST_F(Cli, AnalysePrintsTheFloorVibrationAfterTheSummaryTable) {
  TRun r = Trevalon("analyse");
  EXPECT_EQ(r.code, 0) << r.err;
  auto out = r.OutLines();
  auto at = std::find_if(out.begin(), out.end(), [](const std::string& l) { return l.rfind("Pri: PB1", 0) == 0; });
  ASSERT_NE(at, out.end());
  ASSERT_NE(at + 1, out.end());
  EXPECT_EQ(*(at + 1), "Floor vibration: fn 3.44 Hz, peak acceleration 0.48 %g (limit 0.50 %g) OK");
  EXPECT_TRUE(Contains(Lines(ReadText(dir_ / "SampleAnalysis.csv")), "FLOOR VIBRATION"));

  const std::string strict =
      SampleCopy("Strict.tva", {{"[LimitState]", "[Vibration]\r\nAccelerationLimit=0.25\r\n\r\n[LimitState]"}});
  r = Trevalon("analyse " + strict);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Contains(r.OutLines(), "Floor vibration: fn 3.44 Hz, peak acceleration 0.48 %g (limit 0.25 %g) FAIL"));

  r = Trevalon("eval " + strict + " Vibration.Frequency=3.44 Vibration.PeakAcceleration Vibration.IsOK=False");
  EXPECT_EQ(r.code, 0) << r.out;
  ASSERT_EQ(r.OutLines().size(), 3u) << r.out;
  EXPECT_EQ(r.OutLines()[0], "Vibration.Frequency=3.44\tOK");
  EXPECT_EQ(r.OutLines()[1], "Vibration.PeakAcceleration=0.48");
  EXPECT_EQ(r.OutLines()[2], "Vibration.IsOK=False\tOK");
}

TEST_F(Cli, GeneratedLibraryServesAnAnalysis) {
  const std::string definitions = std::string(TREVALON_TEST_DATA_DIR) + "/VarnLibrary.ini";
  TRun r = Trevalon("generate-library " + Quote(definitions) + " --output Mine.tvl");
  EXPECT_EQ(r.code, 0) << r.err;
  ASSERT_TRUE(fs::exists(dir_ / "Mine.tvl"));
  r = Trevalon("--library Mine.tvl eval " + Quote(kSample) +
               " Beam1.SteelSectionList0.Name=360UB44.7");
  EXPECT_EQ(r.code, 0) << r.out << r.err;
}

// A user whose locale writes a decimal comma still reads the shipped library
// and sample (written with a decimal point), and gets numbers with commas.
TEST_F(Cli, DecimalCommaLocaleReadsTheShippedFiles) {
  const TRun r = Trevalon("eval " + Quote(kSample) + " Beam.Span Geometry.Ds Beam.SteelSectionList0.Mass", "de_DE.UTF-8");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Beam.Span=9000"), std::string::npos) << r.out;
  const TRun analysed = Trevalon("analyse " + Quote(kSample) + " --report -", "de_DE.UTF-8");
  EXPECT_EQ(analysed.code, 0) << analysed.err;
  EXPECT_NE(analysed.out.find("Strength,\"1,2\",\"1,5\""), std::string::npos);
}

namespace {

// Runs trevalon in Dir with standard error on a pseudo-terminal, as in a
// person's shell, and standard output into a file (Out). Returns what the
// terminal received.
std::string TrevalonOnATerminal(const fs::path& dir, std::vector<std::string> args, std::string& out) {
  int terminal = -1, end = -1;
  if (::openpty(&terminal, &end, nullptr, nullptr, nullptr) != 0) return "no pseudo-terminal";
  const fs::path out_file = dir / ".stdout";
  args.insert(args.begin(), kProgram);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(dir.c_str()) != 0) ::_exit(126);
    const int out_fd = ::open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in_fd = ::open("/dev/null", O_RDONLY);
    ::dup2(in_fd, STDIN_FILENO);
    ::dup2(out_fd, STDOUT_FILENO);
    ::dup2(end, STDERR_FILENO);
    ::close(terminal);
    ::setenv("LC_ALL", "C", 1);
    ::execv(kProgram.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(end);
  std::string shown;
  char buffer[4096];
  for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<size_t>(n));
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(terminal);
  out = ReadText(out_file);
  fs::remove(out_file);
  return shown;
}

}  // namespace

TEST_F(Cli, DesignShowsItsProgressOnATerminal) {
  std::string out;
  const std::string shown = TrevalonOnATerminal(dir_, {"design", kSample, "--report", "Designed.csv"}, out);
  // One line rewritten in place for each candidate, cleared when the beam is done.
  EXPECT_NE(shown.find("\rDesign, beam 1 of 2: section 1 of "), std::string::npos) << shown;
  EXPECT_NE(shown.find(" (150UB14.0)\x1b[K"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\rDesign, beam 2 of 2: section "), std::string::npos) << shown;
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown.substr(shown.size() - 4), "\r\x1b[K");
  EXPECT_EQ(shown.find('\n'), std::string::npos) << "nothing but the progress line";
  // Standard output is what it is without a terminal.
  const TRun plain = Trevalon("design " + Quote(kSample) + " --report Designed.csv");
  EXPECT_EQ(plain.code, 0) << plain.err;
  EXPECT_EQ(out, plain.out);
}

// ---------------------------------------------------------------------------
// The administrators' commands: test and design-table.

namespace {

// The tests of a project file, written from the file layout: SB1 carries
// nothing but 10 kN/m of dead load from stage 3 (automatic loads off), so
// its midspan design moment is 1.2 x 10 x 9^2 / 8 = 121.5 kNm and its bare
// steel deflection 5 w L^4 / (384 E I) = 36.09 mm (I = 118.36e6 mm4 from the
// 360UB44.7's plates, full section). "Stored" holds results of an earlier
// run (Status 2, failed), reported as they stand.
std::string TestSections(bool WithFailures) {
  const std::vector<std::string> load = {
      "Geometry.WillAutocalcBeamLoading=0", "Secondary1DistributedLoad.Count=1",
      "Secondary1DistributedLoad.IsFinishPositionAtEnd1=1", "Secondary1DistributedLoad.StartValue1=10",
      "Secondary1DistributedLoad.FinishValue1=10", "Secondary1DistributedLoad.ConStage1=3",
      "Secondary1SteelSection.WillUseFullSectionForServiceability1=1"};
  struct T {
    std::string name, description;
    std::vector<std::string> outputs, stored;
  };
  std::vector<T> tests = {{"Moment", "M* = 1.2 x 10 x 9^2/8", {"Beam1.PCCAt4500.MDes0,3=121.5"}, {}},
                          {"Deflection", "5wL^4/384EI, within 1%", {"Beam1.PCCAt4500.Deflection3,3=36.1(+/-1%)"}, {}}};
  if (WithFailures) {
    tests.push_back({"Wrong", "on purpose", {"Beam1.PCCAt4500.MDes0,3=120"}, {}});
    // Strings are escaped in the file: "<" is written "<<".
    tests.push_back({"Stored", "", {"Beam1.Span=1"}, {"999", "<<<<<<<<<<<< does not match"}});
  }
  std::string text = "[TestGroups]\r\nCount=1\r\nGroup1=Hand\r\n\r\n[Tests]\r\nCount=" +
                     std::to_string(tests.size()) + "\r\n";
  for (size_t i = 0; i < tests.size(); ++i) {
    const T& t = tests[i];
    const std::string s = std::to_string(i + 1);
    text += "Name" + s + "=" + t.name + "\r\nDescription" + s + "=" + t.description + "\r\nGroup" + s +
            "=Hand\r\nVersionID" + s + "=1\r\n";
    const bool stored = !t.stored.empty();
    text += "InputCount" + s + "=" + std::to_string(stored ? 0 : load.size()) + "\r\n";
    for (size_t k = 0; !stored && k < load.size(); ++k)
      text += "Input" + s + "-" + std::to_string(k + 1) + "=" + load[k] + "\r\n";
    text += "OutputCount" + s + "=1\r\nOutput" + s + "-1=" + t.outputs[0] + "\r\n";
    if (stored) text += "Result" + s + "-1=" + t.stored[0] + "\r\nComment" + s + "-1=" + t.stored[1] + "\r\nStatus" + s + "=2\r\n";
  }
  return text;
}

// XDG_DATA_HOME of the commands run while it lives: the per-user work folder
// inside the test's folder.
class TDataHome {
 public:
  explicit TDataHome(const fs::path& Folder) {
    if (const char* old = std::getenv("XDG_DATA_HOME")) old_ = old, had_ = true;
    ::setenv("XDG_DATA_HOME", Folder.c_str(), 1);
  }
  ~TDataHome() {
    if (had_) ::setenv("XDG_DATA_HOME", old_.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
  }

 private:
  std::string old_;
  bool had_ = false;
};

}  // namespace

TEST_F(Cli, TestRunsTheProjectsTestsAndWritesTheResultsFile) {
  TDataHome home(dir_ / "data");
  SampleCopy("Job.tva");
  std::ofstream(dir_ / "Job.tva", std::ios::app | std::ios::binary) << TestSections(true);
  const std::string before = ReadText(dir_ / "Job.tva");

  TRun r = Trevalon("test Job.tva");
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.err, "");
  const auto out = r.OutLines();
  ASSERT_EQ(out.size(), 8u) << r.out;
  EXPECT_EQ(out[0], "Running all tests...");
  EXPECT_EQ(out[1], "    Writing results to Job-Test.csv");
  EXPECT_EQ(out[3], "    Tests run: 4/4, Passed: 2/4");
  EXPECT_EQ(out[4], "    Test results saved to Job-Test.csv");
  EXPECT_EQ(out[6], "Tests complete");
  EXPECT_EQ(out[7], "2 passed, 2 failed");
  const auto lines = Lines(ReadText(dir_ / "Job-Test.csv"));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
            (std::vector<std::string>{"", "Hand-Moment,M* = 1.2 x 10 x 9^2/8,OK",
                                      "", "Hand-Deflection,\"5wL^4/384EI, within 1%\",OK",
                                      "", "Hand-Wrong,on purpose",
                                      "\"Beam1.PCCAt4500.MDes0,3\",121.5,Expected 120,<<<<<< does not match",
                                      // stored results, not a new run (the span is 9000)
                                      "", "Hand-Stored,",
                                      "Beam1.Span,999,Expected 1,<<<<<< does not match"}));
  // The project file is left alone; the run's work folder is gone.
  EXPECT_EQ(ReadText(dir_ / "Job.tva"), before);
  EXPECT_TRUE(fs::is_empty(dir_ / "data" / "Trevalon"));

  // --rerun runs the stored test again.
  r = Trevalon("test Job.tva --rerun");
  EXPECT_TRUE(Contains(Lines(ReadText(dir_ / "Job-Test.csv")), "Beam1.Span,9000,Expected 1,<<<<<< does not match"));

  SampleCopy("Pass.tva");
  std::ofstream(dir_ / "Pass.tva", std::ios::app | std::ios::binary) << TestSections(false);
  r = Trevalon("test Pass.tva --standard 2017");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.OutLines().back(), "2 passed, 0 failed");

  SampleCopy("None.tva");
  ExpectOneErrorLine(Trevalon("test None.tva"), "holds no tests");
  ExpectOneErrorLine(Trevalon("test Missing.tva"), "Missing.tva");
  EXPECT_FALSE(fs::exists(dir_ / "None-Test.csv"));
}

TEST_F(Cli, TestListsTheProperties) {
  SampleCopy("Job.tva");
  TRun r = Trevalon("test Job.tva --list-properties");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.OutLines(), (std::vector<std::string>{"Creating list of test properties...",
                                                    "List of test properties saved to Job-TestPropertyList.csv"}));
  auto lines = Lines(ReadText(dir_ / "Job-TestPropertyList.csv"));
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(lines[0].rfind("Trevalon/V", 0), 0u);
  EXPECT_EQ(lines[1].rfind("\"Properties for test input/output, ", 0), 0u);
  EXPECT_EQ(lines[3], "Construct property name for test input/output using Entity.Property from following table");
  EXPECT_EQ(lines[18], "Entity,Property,Type,Use");
  r = Trevalon("test Job.tva --list-properties props.csv");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Lines(ReadText(dir_ / "props.csv")).size(), lines.size());
}

namespace {

// A design table with its date line left out.
std::string TableUndated(const std::string& table) {
  return std::regex_replace(table, std::regex("\r\nTables created,[^\r]*\r\n"), "\r\nTables created,\r\n");
}

// The "Pri: PB1" line of a `trevalon design` summary: section, camber (mm) and connectors.
std::string PrimarySummary(const std::string& out) {
  for (const std::string& line : Lines(out))
    if (line.rfind("Pri: PB1", 0) == 0) {
      std::istringstream in(line);
      std::string pri, mark, grade, section, strength, stress, deflection, camber, mm, studs;
      in >> pri >> mark >> grade >> section >> strength >> stress >> deflection >> camber >> mm >> studs;
      return section + "," + camber + "," + studs;
    }
  return "no summary in: " + out;
}

}  // namespace

TEST_F(Cli, DesignTableAgreesWithTheDesignOfItsCaseFiles) {
  const std::string library = Quote(kBin + "/Trevalon-Design.tvl");
  SampleCopy("Job.tva");
  TRun r = Trevalon("design-table Job.tva --floor-use 0 --standard 2017 --spans 6000,9000 --spacings 2500,3000 "
                       "--save-inputs --jobs 2");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");  // no terminal: no progress line
  EXPECT_TRUE(Contains(r.OutLines(), "    Writing results to Job-Design.csv"));
  const std::string table = ReadText(dir_ / "Job-Design.csv");
  const auto lines = Lines(table);
  ASSERT_EQ(lines.size(), 20u) << table;
  // Each primary-beam row is span, spacing, then what `trevalon design` of the
  // saved case file chooses with the design library.
  const struct {
    int line;
    const char* span_spacing;
  } rows[] = {{14, "6000,2500"}, {15, "6000,3000"}, {17, "9000,2500"}, {18, "9000,3000"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.span_spacing);
    const std::string case_file = "Job-F0S1(" + std::string(row.span_spacing) + ").tva";
    ASSERT_TRUE(fs::exists(dir_ / case_file));
    const TRun designed =
        Trevalon("design " + Quote(case_file) + " --library " + library + " --standard 2017 --report d.csv");
    EXPECT_EQ(designed.code, 0) << designed.err;
    EXPECT_EQ(lines[row.line], std::string(row.span_spacing) + "," + PrimarySummary(designed.out));
  }
  // The bay of the sample itself: its own primary beam.
  EXPECT_EQ(lines[18].rfind("9000,3000,360UB44.7,", 0), 0u);

  // One thread, or two parts joined, give the same file.
  r = Trevalon("design-table Job.tva --floor-use 0 --standard 2017 --spans 6000,9000 --spacings 2500,3000 --jobs 1");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(TableUndated(ReadText(dir_ / "Job-Design.csv")), TableUndated(table));
  for (const char* part : {"1/2", "2/2"}) {
    r = Trevalon("design-table Job.tva --floor-use 0 --standard 2017 --spans 6000,9000 --spacings 2500,3000 --cases " +
                 std::string(part));
    EXPECT_EQ(r.code, 0) << r.err;
  }
  fs::remove(dir_ / "Job-Design.csv");
  r = Trevalon("design-table --merge Job-Design-2of2.csv Job-Design-1of2.csv");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Design table written to Job-Design.csv\n");
  EXPECT_EQ(TableUndated(ReadText(dir_ / "Job-Design.csv")), TableUndated(table));

  ExpectOneErrorLine(Trevalon("design-table --merge Job-Design-1of2.csv"), "Part 2 of 2 is missing");
  ExpectOneErrorLine(Trevalon("design-table Job.tva --cases 3/2"), "--cases");
  ExpectOneErrorLine(Trevalon("design-table Job.tva --floor-use 9"), "Floor use 9");
  ExpectOneErrorLine(Trevalon("design-table Job.tva --spans 0"), "Design table span 0 mm must be between 1500 and 25000 mm");
}

TEST_F(Cli, DesignTableShowsItsProgressOnATerminal) {
  SampleCopy("Job.tva");
  std::string out;
  const std::string shown = TrevalonOnATerminal(
      dir_, {"design-table", "Job.tva", "--spans", "9000", "--spacings", "3000", "--jobs", "1"}, out);
  // One line rewritten in place as cases finish (cases finishing together show once).
  EXPECT_NE(shown.find("\rDesign table: 2 of 2 cases done\x1b[K"), std::string::npos) << shown;
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown.substr(shown.size() - 4), "\r\x1b[K");  // cleared at the end
  EXPECT_EQ(shown.find('\n'), std::string::npos) << "nothing but the progress line";
  EXPECT_TRUE(Contains(Lines(out), "Completed design table creation"));
}

TEST_F(Cli, AdministratorsCommandsSayWhatTheyWriteAndWhere) {
  const struct {
    const char* command;
    std::vector<const char*> mentions;
  } commands[] = {
      {"test", {"PROJECT-Test.csv", "beside the project", "work folder", "PROJECT-TestPropertyList.csv"}},
      {"design-table", {"PROJECT-Design.csv", "beside the project", "PROJECT-Design-KofN.csv", ".tva"}},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command);
    const TRun r = Trevalon(std::string(c.command) + " --help");
    EXPECT_EQ(r.code, 0);
    for (const char* m : c.mentions) EXPECT_NE(r.out.find(m), std::string::npos) << m;
  }
}

// ---------------------------------------------------------------------------
// Outputs: nothing the user had is lost.

namespace {

// The definitions file and its CSV files, copied into Dir.
void CopyDefinitions(const fs::path& dir) {
  fs::copy_file(std::string(TREVALON_TEST_DATA_DIR) + "/VarnLibrary.ini", dir / "defs.ini");
  fs::copy(std::string(TREVALON_TEST_DATA_DIR) + "/library", dir / "library", fs::copy_options::recursive);
}

}  // namespace

// An output that is one of the command's inputs (compared as files, whatever
// the names) is refused before anything runs, and the input is kept.
TEST_F(Cli, OutputNeverReplacesAnInput) {
  SampleCopy("p.tva");
  SampleCopy("x.csv");
  fs::create_symlink("p.tva", dir_ / "plink.tva");
  fs::copy_file(kBin + "/Trevalon.tvl", dir_ / "lib.tvl");
  CopyDefinitions(dir_);
  struct Case {
    std::string args, input;
  } cases[] = {
      {"analyse p.tva --report p.tva", "p.tva"},
      {"analyse p.tva --report ./p.tva", "p.tva"},
      {"analyse p.tva --report plink.tva", "p.tva"},
      {"analyse plink.tva --report p.tva", "p.tva"},
      {"analyse x.csv", "x.csv"},  // the default report name is the project's own
      {"design p.tva --report p.tva", "p.tva"},
      {"--library lib.tvl analyse p.tva --report lib.tvl", "lib.tvl"},
      {"--library lib.tvl design p.tva --save lib.tvl", "lib.tvl"},
      {"eval p.tva Beam.Span --library lib.tvl", ""},  // (no output: runs)
      {"generate-library defs.ini --output defs.ini", "defs.ini"},
      {"generate-library defs.ini --output library/FloorUses.csv", "library/FloorUses.csv"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    if (c.input.empty()) {
      EXPECT_EQ(Trevalon(c.args).code, 0);
      continue;
    }
    const std::string before = ReadText(dir_ / c.input);
    const TRun r = Trevalon(c.args);
    ExpectOneErrorLine(r, c.input.substr(c.input.find('/') + 1));
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadText(dir_ / c.input), before);
  }
  // Two outputs of one command into one file: the report would be lost.
  const TRun r = Trevalon("design p.tva --report out.tva --save out.tva");
  ExpectOneErrorLine(r, "out.tva");
  EXPECT_FALSE(fs::exists(dir_ / "out.tva"));
}

// The same rule in every command, probed as a careless or hostile user would:
// outputs against every input (the project, the library, the design library,
// the file imported, the parts merged), through links too, and against each
// other before they exist. Each is refused with exit 2 before anything is
// written: the folder is as it was.
TEST_F(Cli, EveryCommandComparesItsOutputsWithItsInputsAndEachOther) {
  TDataHome home(dir_ / ".data");
  SampleCopy("p.tva");
  std::ofstream(dir_ / "p.tva", std::ios::app | std::ios::binary) << TestSections(false);
  SampleCopy("proj.png");
  SampleCopy("q.tva");
  fs::create_symlink("q.tva", dir_ / "q.svg");
  fs::create_symlink("p.tva", dir_ / "lp-link.csv");
  fs::create_symlink("loop.csv", dir_ / "loop.csv");
  fs::copy_file(kBin + "/Trevalon.tvl", dir_ / "lib.svg");
  fs::copy_file(kBin + "/Trevalon.tvl", dir_ / "LIB.tvl");
  fs::copy_file(kBin + "/Trevalon.tvl", dir_ / "p-Test.csv");
  std::ofstream(dir_ / "in.tvx", std::ios::binary) << "Trevalon V2\r\n";
  const std::string table = " --spans 6000 --spacings 3000";
  for (const char* part : {"1/3", "2/3", "3/3"})
    ASSERT_EQ(Trevalon("design-table p.tva --cases " + std::string(part) + table).code, 0);
  struct Case {
    std::string args, message;
    std::function<void()> before = [] {};
  } cases[] = {
      {"test p.tva --list-properties p.tva", "p.tva is also an input (project file p.tva)"},
      {"test p.tva --list-properties lp-link.csv", "lp-link.csv is also an input (project file p.tva)"},
      {"--library p-Test.csv test p.tva", "p-Test.csv is also an input (library file p-Test.csv)"},
      {"chart proj.png --beam 0 --kind envelopes --output proj.png",
       "proj.png is also an input (project file proj.png)"},
      {"--library lib.svg chart p.tva --beam 0 --kind envelopes --output lib.svg",
       "lib.svg is also an input (library file lib.svg)"},
      {"chart q.tva --beam 0 --kind envelopes --output q.svg", "q.svg is also an input (project file q.tva)"},
      {"design-table --merge p-Design-1of3.csv p-Design-2of3.csv p-Design-3of3.csv --output p-Design-1of3.csv",
       "p-Design-1of3.csv is also an input (design table part p-Design-1of3.csv)"},
      {"design-table --merge p-Design-1of3.csv p-Design-2of3.csv p-Design-3of3.csv --output p.tva",
       "p.tva is also an input (project file p.tva)"},
      {"design-table p.tva --design-library p-Design.csv" + table,
       "p-Design.csv is also an input (design library file p-Design.csv)",
       [&] { fs::copy_file(kBin + "/Trevalon-Design.tvl", dir_ / "p-Design.csv"); }},
      {"--library p-Design.csv design-table p.tva" + table,
       "p-Design.csv is also an input (library file p-Design.csv)",
       [&] { fs::copy_file(kBin + "/Trevalon.tvl", dir_ / "p-Design.csv"); }},
      {"design-table p.tva --spans 9000,9000 --spacings 3000 --save-inputs",
       "p-F0S0(9000,3000).tva is named twice"},
      {"--library LIB.tvl import in.tvx --output LIB.tvl", "LIB.tvl is also an input (library file LIB.tvl)"},
      {"analyse p.tva --report r.csv --pdf r.csv", "r.csv is named twice"},
      {"design p.tva --save o.tva --pdf o.tva", "o.tva is named twice"},
      {"design p.tva --report o.tva --save o.tva", "o.tva is named twice"},
      {"analyse p.tva --report loop.csv", "Cannot write file [loop.csv]: too many levels of symbolic links"},
      {"chart p.tva --beam 0 --kind envelopes --output loop.svg",
       "Cannot write file [loop.svg]: too many levels of symbolic links",
       [&] { fs::create_symlink("loop.svg", dir_ / "loop.svg"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    for (const char* made : {"p-Design.csv", "loop.svg"}) fs::remove(dir_ / made);
    c.before();
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir_))
      if (!fs::is_directory(e.symlink_status()))
        files[e.path().filename().string()] = fs::is_symlink(e.symlink_status()) ? "link" : ReadText(e.path());
    const TRun r = Trevalon(c.args);
    ExpectOneErrorLine(r, c.message);
    EXPECT_EQ(r.err, "trevalon: " + c.message + "\n");
    for (const auto& [name, text] : files)
      EXPECT_EQ(fs::is_symlink(dir_ / name) ? "link" : ReadText(dir_ / name), text) << name;
    size_t now = 0;
    for (const auto& e : fs::directory_iterator(dir_)) now += !fs::is_directory(e.symlink_status());
    EXPECT_EQ(now, files.size()) << "a file was written";
  }
}

// A project of 320 KB asking for a grid of 10000 spans by 10000 spacings is
// refused at once, before the table is laid out (which would take gigabytes).
TEST_F(Cli, DesignTableOfTooManyCasesIsRefusedAtOnce) {
  std::string grid = "\r\n[DesignTable]\r\nVersionID=1\r\nFloorUseIndex=0\r\nSpanCount=10000\r\n";
  for (int i = 1; i <= 10000; ++i) grid += "Span" + std::to_string(i) + "=9000\r\n";
  grid += "SpacingCount=10000\r\n";
  for (int i = 1; i <= 10000; ++i) grid += "Spacing" + std::to_string(i) + "=3000\r\n";
  SampleCopy("big.tva");
  std::ofstream(dir_ / "big.tva", std::ios::app | std::ios::binary) << grid;
  const TRun r = Trevalon("design-table big.tva");
  ExpectOneErrorLine(
      r, "The design table would have 100010000 cases (10000 spacings x (10000 spans + 1) x 1 floor use)");
  EXPECT_FALSE(fs::exists(dir_ / "big-Design.csv"));
}

// The results file of the tests follows a link at its name, like every other
// output, instead of replacing the link with a file of its own.
TEST_F(Cli, TestResultsFollowALink) {
  TDataHome home(dir_ / ".data");
  SampleCopy("p.tva");
  std::ofstream(dir_ / "p.tva", std::ios::app | std::ios::binary) << TestSections(false);
  fs::create_directories(dir_ / "results");
  fs::create_symlink("results/p-Test.csv", dir_ / "p-Test.csv");
  const TRun r = Trevalon("test p.tva");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(dir_ / "p-Test.csv"));
  EXPECT_TRUE(Contains(Lines(ReadText(dir_ / "results" / "p-Test.csv")), "Hand-Moment,M* = 1.2 x 10 x 9^2/8,OK"));
}

// Saving over the project's own file keeps what that file holds beyond the
// project; any other existing file is replaced whole; a read-only one is kept.
TEST_F(Cli, DesignSaveReplacesOtherFilesWhole) {
  const std::string legacy = "[Legacy]\r\nFoo=1\r\n\r\n";
  std::ofstream(dir_ / "p.tva", std::ios::binary) << ReadText(kSample) + legacy;
  std::ofstream(dir_ / "other.tva", std::ios::binary) << ReadText(kSample) + legacy;
  std::ofstream(dir_ / "notes.txt", std::ios::binary) << "[Notes]\r\nText=my notes\r\n";
  std::ofstream(dir_ / "locked.tva", std::ios::binary) << "locked text\r\n";
  fs::permissions(dir_ / "locked.tva", fs::perms::owner_read | fs::perms::group_read);
  fs::create_symlink("real.tva", dir_ / "link.tva");
  struct Case {
    std::string save;
    bool keeps_legacy;
  } cases[] = {{"p.tva", true}, {"other.tva", false}, {"notes.txt", false}, {"link.tva", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.save);
    const TRun r = Trevalon("design p.tva --report - --save " + c.save);
    EXPECT_EQ(r.code, 0) << r.err;
    const std::string text = ReadText(dir_ / c.save);
    EXPECT_EQ(text.find("my notes"), std::string::npos);
    EXPECT_EQ(text.find("[Legacy]") != std::string::npos, c.keeps_legacy);
    EXPECT_EQ(Trevalon("eval " + c.save + " Beam.Span=9000").code, 0);
  }
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.tva"));
  EXPECT_TRUE(fs::is_regular_file(dir_ / "real.tva"));

  const TRun r = Trevalon("design p.tva --save locked.tva");
  ExpectOneErrorLine(r, "locked.tva");
  EXPECT_NE(r.err.find("read-only"), std::string::npos) << r.err;
  EXPECT_EQ(ReadText(dir_ / "locked.tva"), "locked text\r\n");
}

// generate-library writes through the same writer as every other output.
TEST_F(Cli, GenerateLibraryKeepsWhatIsAtItsOutput) {
  CopyDefinitions(dir_);
  std::ofstream(dir_ / "Mine.tvl.tmp") << "unrelated";
  fs::create_symlink("real.tvl", dir_ / "link.tvl");
  ASSERT_EQ(::mkfifo((dir_ / "pipe.tvl").c_str(), 0600), 0);
  struct Case {
    std::string output;
    int code;
    std::function<void()> check;
  } cases[] = {
      {"Mine.tvl", 0, [&] { EXPECT_EQ(ReadText(dir_ / "Mine.tvl.tmp"), "unrelated"); }},
      {"link.tvl", 0,
       [&] {
         EXPECT_TRUE(fs::is_symlink(dir_ / "link.tvl"));
         EXPECT_EQ(Trevalon("--library real.tvl eval " + Quote(kSample) + " Beam.Span=9000").code, 0);
       }},
      {"pipe.tvl", 2, [&] { EXPECT_TRUE(fs::is_fifo(dir_ / "pipe.tvl")); }},  // nobody reads it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    const TRun r = Trevalon("generate-library defs.ini --output " + c.output);
    EXPECT_EQ(r.code, c.code) << r.err;
    if (c.code != 0) ExpectOneErrorLine(r, c.output);
    c.check();
  }
  for (const auto& e : fs::directory_iterator(dir_))
    EXPECT_NE(e.path().filename().string().front(), '.') << "a temporary is left: " << e.path();

  // A device of our own (the null device) is written in place, not replaced.
  if (::mknod((dir_ / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_EQ(Trevalon("generate-library defs.ini --output null").code, 0);
    EXPECT_TRUE(fs::is_character_file(dir_ / "null"));
  }
}

// A failed write to standard output (a full disk, a closed pipe) is a failure.
TEST_F(Cli, FullStandardOutputExits2) {
  SampleCopy("p.tva");
  for (const char* args : {"analyse p.tva --report -", "analyse p.tva --report r.csv", "eval p.tva Beam.Span",
                           "--help", "--version", "analyse --help"}) {
    SCOPED_TRACE(args);
    ExpectOneErrorLine(Trevalon(args, "C", "/dev/full"), "standard output");
  }
}

// A path that names nothing is a typo in the user's script: exit 2, the other
// paths still printed.
TEST_F(Cli, EvalOfAnUnknownPathExits2) {
  SampleCopy("p.tva");
  for (const char* path : {"Beam.Bogus", "Nothing.Span", "Beam.Bogus=5", "Beam.SteelSectionList9.Name",
                           // An index that names no value is no path to one.
                           "Beam.PCCAt4500.MDes99,3=0", "Beam.PCCAt4500.MDes0,8=0", "Beam.PCCAt4500.MDes=0",
                           "Beam.PCCAt4500.MDes0,7,9=734.85", "Beam.PCCAt99999999999999999999.MDes0,7=0",
                           "Beam.SteelSectionList99999999999.Name"}) {
    SCOPED_TRACE(path);
    const TRun r = Trevalon(std::string("eval p.tva Beam.Span ") + path);
    const std::string name = std::string(path).substr(0, std::string(path).find('='));
    ExpectOneErrorLine(r, "[" + name + "]");
    EXPECT_EQ(r.out, "Beam.Span=9000\n");
  }
}

TEST_F(Cli, ATestWhoseInputDoesNotValidateFails) {
  TDataHome home(dir_ / "data");
  SampleCopy("Job.tva");
  std::ofstream(dir_ / "Job.tva", std::ios::app | std::ios::binary)
      << "[TestGroups]\r\nCount=1\r\nGroup1=Hand\r\n\r\n[Tests]\r\nCount=1\r\nName1=Weak\r\nDescription1=\r\n"
         "Group1=Hand\r\nVersionID1=1\r\nInputCount1=1\r\nInput1-1=ConcreteFloor.ConcreteStrength=-32\r\n"
         "OutputCount1=1\r\nOutput1-1=Beam.Span=9000\r\n";
  const TRun r = Trevalon("test Job.tva");
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.OutLines().back(), "0 passed, 1 failed");
  EXPECT_TRUE(Contains(Lines(ReadText(dir_ / "Job-Test.csv")),
                       "Beam.Span,Warning: Concrete strength grade should be at least 15 MPa,Expected 9000,<<<<<< "
                       "input does not validate"));
}
