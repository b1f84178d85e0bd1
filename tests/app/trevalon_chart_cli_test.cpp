// trevalon chart and trevalon analyse --pdf, run as a user runs them, with no
// display: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are all unset.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "app/cli_run.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

using namespace cli_test;

namespace {

const std::string kSample = std::string(TREVALON_TEST_DATA_DIR) + "/SampleAnalysis.tva";
// Leaks inside Qt's own libraries are not ours (sanitizer build).
const std::string kLeakSuppressions = std::string(TREVALON_TEST_DATA_DIR) + "/../tests/ui/lsan.supp";

int PdfPages(const std::string& pdf) {
  static const std::regex page("/Type\\s*/Page(?![s\\w])");
  return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

class ChartCli : public ::testing::Test {
 protected:
  // Without a display, as on a build server.
  TRun Trevalon(const std::string& args) {
    return RunIn(dir_.Path(), "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LSAN_OPTIONS=" +
                                  Quote("suppressions=" + kLeakSuppressions + ":print_suppressions=0") + " " +
                                  Quote(kProgram) + " " + args);
  }

  std::string File(const std::string& name) const { return dir_.File(name); }

  TempDir dir_;
};

}  // namespace

TEST_F(ChartCli, WritesEveryKindAsPngAndSvgWithoutADisplay) {
  for (const char* kind : {"results-summary", "stage3-strength", "inservice-strength", "connectors", "deflection",
                           "envelopes", "deflection-shape"}) {
    SCOPED_TRACE(kind);
    const std::string png = File(std::string(kind) + ".png");
    const TRun r = Trevalon("chart " + Quote(kSample) + " --beam 1 --kind " + kind + " --output " + Quote(png));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadText(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_NE(r.out.find("written to " + png), std::string::npos) << r.out;
  }
  const TRun svg = Trevalon("chart " + Quote(kSample) + " --beam 0 --kind envelopes --output chart.svg --width 900 "
                            "--height 500");
  EXPECT_EQ(svg.code, 0) << svg.err;
  const std::string bytes = ReadText(File("chart.svg"));
  EXPECT_EQ(bytes.substr(0, 5), "<?xml");
  EXPECT_NE(bytes.find("width=\"900"), std::string::npos);
  EXPECT_NE(bytes.find("Design envelopes: Primary beam"), std::string::npos);
}

TEST_F(ChartCli, RefusesBadUsageWithAClearMessage) {
  const std::string sample = Quote(kSample);
  const struct {
    std::string args, message;
  } cases[] = {
      {"chart " + sample + " --beam 1 --kind moments --output a.png",
       "trevalon: Unknown chart kind [moments]: choose one of results-summary, stage3-strength, inservice-strength, "
       "connectors, deflection, envelopes, deflection-shape"},
      {"chart " + sample + " --beam 1 --kind connectors --output a.jpg",
       "trevalon: Cannot write a chart to [a.jpg]: the file must end in .png or .svg"},
      {"chart " + sample + " --beam 3 --kind connectors --output a.png",
       "trevalon: Beam 3 does not exist: beams are 0 (primary), 1 and 2 (secondary)"},
      {"chart " + sample + " --beam 2 --kind connectors --output a.png",
       "trevalon: Beam 2 is not in use in [" + kSample +
           "]; its beams: 0 (Primary beam PB1), 1 (Secondary beam SB1)"},
      {"chart " + sample + " --beam 1 --kind connectors --output a.png --width 50",
       "trevalon: Chart size 50 x 600 is out of range: width 200 to 10000, height 100 to 10000 pixels"},
      {"chart " + sample + " --beam 1 --kind connectors --output missing/a.png", "missing/a.png"},
      {"chart missing.tva --beam 1 --kind connectors --output a.png", "missing.tva"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const TRun r = Trevalon(c.args);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;  // one line
  }
  EXPECT_FALSE(fs::exists(File("a.png")));
  // Options the command cannot do without.
  for (const char* args : {"chart --kind connectors --output a.png", "chart --beam 1 --output a.png",
                           "chart --beam 1 --kind connectors", "chart --beam one --kind connectors --output a.png"})
    EXPECT_EQ(Trevalon(args).code, 2) << args;
}

TEST_F(ChartCli, HelpSaysWhatItWrites) {
  const TRun r = Trevalon("chart --help");
  EXPECT_EQ(r.code, 0);
  for (const char* text : {"PNG image or an SVG drawing", "--beam", "--kind", "--output", "envelopes",
                           "deflection-shape", "0 the primary beam"})
    EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

// The page count of the sample's printed report is worked out from the lines
// a page holds in the report printer's own tests; here the file must have the
// pages the program says it printed, whether or not the report goes to
// standard output.
TEST_F(ChartCli, AnalyseWritesThePagedReportAsPdf) {
  const TRun r = Trevalon("analyse " + Quote(kSample) + " --pdf report.pdf");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  std::smatch said;
  ASSERT_TRUE(std::regex_search(r.out, said, std::regex("Printed report written to report.pdf \\((\\d+) pages\\)\n")))
      << r.out;
  const int pages = std::stoi(said[1]);
  EXPECT_GT(pages, 1);
  const std::string pdf = ReadText(File("report.pdf"));
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_EQ(PdfPages(pdf), pages);
  EXPECT_TRUE(fs::exists(File("SampleAnalysis.csv")));  // the report file as always

  // With the report on standard output the PDF is still written, quietly.
  const TRun quiet = Trevalon("analyse " + Quote(kSample) + " --report - --pdf quiet.pdf");
  EXPECT_EQ(quiet.code, 0);
  EXPECT_EQ(quiet.out.find("Printed report"), std::string::npos);
  EXPECT_EQ(PdfPages(ReadText(File("quiet.pdf"))), pages);

  // design takes --pdf too.
  const TRun design = Trevalon("design " + Quote(kSample) + " --pdf design.pdf");
  EXPECT_EQ(design.code, 0) << design.err;
  EXPECT_GT(PdfPages(ReadText(File("design.pdf"))), 1);

  const TRun missing = Trevalon("analyse " + Quote(kSample) + " --pdf no/such/folder/report.pdf");
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("no/such/folder/report.pdf"), std::string::npos) << missing.err;
  const TRun dash = Trevalon("analyse " + Quote(kSample) + " --pdf -");
  EXPECT_EQ(dash.code, 2);
  EXPECT_NE(dash.err.find("Cannot write the PDF report to [-]"), std::string::npos) << dash.err;
}
