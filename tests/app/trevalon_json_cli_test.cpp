// The results as JSON on the command line: `analyse|design --json` and
// `eval --json`, run as a user runs them (the built program, a fresh working
// folder, LC_ALL=C).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "temp_dir.h"

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

namespace {

const std::string kBin = TREVALON_BIN_DIR;
const std::string kSample = std::string(TREVALON_TEST_DATA_DIR) + "/SampleAnalysis.tva";

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

struct TRun {
  int code = -1;
  std::string out, err;
};

class JsonCli : public ::testing::Test {
 protected:
  TRun Trevalon(const std::string& args) {
    const fs::path out = dir_ / ".stdout", err = dir_ / ".stderr";
    const std::string command = "cd '" + dir_.string() + "' && LC_ALL=C '" + kBin + "/trevalon' " + args + " >'" +
                                out.string() + "' 2>'" + err.string() + "' </dev/null";
    const int status = std::system(command.c_str());
    TRun r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadText(out);
    r.err = ReadText(err);
    fs::remove(out);
    fs::remove(err);
    return r;
  }
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir_)) files[e.path().filename().string()] = ReadText(e.path());
    return files;
  }

  TempDir scratch_;
  const fs::path dir_ = scratch_.Path();
};

}  // namespace

// With the document on standard output, standard output is the document alone.
TEST_F(JsonCli, AnalyseWritesTheDocumentToStandardOutputAlone) {
  fs::copy_file(kSample, dir_ / "floor.tva");
  const TRun r = Trevalon("analyse floor.tva --json -");
  ASSERT_EQ(r.code, 0) << r.err;
  const json doc = json::parse(r.out);  // throws on anything else in the output
  EXPECT_EQ(doc["project"]["file"], "floor.tva");
  EXPECT_EQ(doc["beams"].size(), 2u);
  EXPECT_TRUE(doc["beams"][0]["ok"].get<bool>());
  // The results report is written as ever.
  EXPECT_TRUE(fs::exists(dir_ / "floor.csv"));
}

TEST_F(JsonCli, DesignWritesTheDocumentOfTheChosenSections) {
  fs::copy_file(kSample, dir_ / "floor.tva");
  const TRun r = Trevalon("design floor.tva --json out.json --report r.csv --save designed.tva");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("JSON results written to out.json"), std::string::npos) << r.out;
  const json doc = json::parse(ReadText(dir_ / "out.json"));
  const TRun saved = Trevalon("eval designed.tva --json Beam1.SteelSectionList0.Name Beam.SteelSectionList0.Name");
  ASSERT_EQ(saved.code, 0) << saved.err;
  const json names = json::parse(saved.out);
  EXPECT_EQ(doc["beams"][0]["section"], names["Beam1.SteelSectionList0.Name"]);
  EXPECT_EQ(doc["beams"][1]["section"], names["Beam.SteelSectionList0.Name"]);
}

TEST_F(JsonCli, EvalPrintsTypedValuesAtFullPrecision) {
  const TRun r = Trevalon("eval '" + kSample +
                          "' --json Beam1.PCCAt4500.MDes0,7 Segments Geometry.HasPrimaryBeam Beam1.Mark "
                          "Beam1.MaxStrengthRatio=0.5");
  EXPECT_EQ(r.code, 1) << r.err;  // the ratio is not 0.5
  const json values = json::parse(r.out);
  EXPECT_EQ(values.size(), 5u);
  EXPECT_TRUE(values["Beam1.PCCAt4500.MDes0,7"].is_number_float());
  EXPECT_EQ(values["Segments"], 10);
  EXPECT_EQ(values["Geometry.HasPrimaryBeam"], true);
  EXPECT_EQ(values["Beam1.Mark"], "SB1");
  // The number eval prints with its expected value's decimals is the same one.
  const TRun text = Trevalon("eval '" + kSample + "' Beam1.PCCAt4500.MDes0,7=0.0000000000");
  std::ostringstream ten;
  ten.precision(10);
  ten << std::fixed << values["Beam1.PCCAt4500.MDes0,7"].get<double>();
  EXPECT_NE(text.out.find("Beam1.PCCAt4500.MDes0,7=" + ten.str()), std::string::npos) << text.out;
  EXPECT_NE(r.err.find("Beam1.MaxStrengthRatio="), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("MISMATCH (expected 0.5)"), std::string::npos) << r.err;
}

TEST_F(JsonCli, EvalOfAnUnknownPathExits2AndPrintsTheOthers) {
  const TRun r = Trevalon("eval '" + kSample + "' --json Beam1.Mark Beam1.Nothing");
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(json::parse(r.out), (json{{"Beam1.Mark", "SB1"}}));
  EXPECT_EQ(r.err, "trevalon: Unknown property path [Beam1.Nothing]: no such property\n");
}

// The output rules of the other outputs: nothing is written when the
// document would replace an input or another output.
TEST_F(JsonCli, TheDocumentNeverReplacesAnInputOrAnotherOutput) {
  fs::copy_file(kSample, dir_ / "p.tva");
  fs::copy_file(kBin + "/Trevalon.tvl", dir_ / "lib.json");
  const std::pair<std::string, std::string> cases[] = {
      {"analyse p.tva --json p.tva", "p.tva is also an input (project file p.tva)"},
      {"--library lib.json analyse p.tva --json lib.json", "lib.json is also an input (library file lib.json)"},
      {"analyse p.tva --report r.json --json r.json", "r.json is named twice"},
      {"design p.tva --save o.json --json o.json", "o.json is named twice"},
      {"analyse p.tva --report - --json -", "Standard output is named twice (--report - and --json -)"},
  };
  for (const auto& [args, message] : cases) {
    SCOPED_TRACE(args);
    const auto before = Files();
    const TRun r = Trevalon(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "trevalon: " + message + "\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Files(), before);
  }
}
