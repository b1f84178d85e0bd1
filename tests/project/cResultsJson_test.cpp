// The results document: its layout, every value the one its path gives at
// full precision, nulls where a result does not exist, and the messages.
#include "project/cResultsJson.h"

#include <gtest/gtest.h>

#include "components/cStandard.h"
#include "project/cScriptRun.h"
#include "sample_fixture.h"

namespace {

class ResultsJson : public SampleTest {
 protected:
  TJson Analysed() {
    const TScriptRun run = RunProjectForScript(project, session, false);
    EXPECT_TRUE(run.IsRun);
    return ResultsDocument(project, "floor.tva", run.Messages);
  }
  // The value of a path as a JSON value, as `eval --json` prints it.
  TJson AtPath(const std::string& Path) {
    const TPathOutcome r = ReadPath(project, Path);
    EXPECT_TRUE(r) << r.Message;
    return PathValueJson(r.Value);
  }
};

std::vector<std::string> Keys(const TJson& Object) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : Object.items()) keys.push_back(key);
  return keys;
}

}  // namespace

TEST_F(ResultsJson, TheDocumentOfTheSample) {
  const TJson doc = Analysed();
  EXPECT_EQ(Keys(doc), (std::vector<std::string>{"program", "version", "standard", "project", "beams", "vibration",
                                                 "messages"}));
  EXPECT_EQ(doc["program"], "Trevalon");
  EXPECT_EQ(doc["version"], TREVALON_VERSION);
  EXPECT_EQ(doc["standard"], "AS/NZS2327:2017");
  EXPECT_EQ(doc["project"], (TJson{{"name", project.Project}, {"designer", project.Designer}, {"file", "floor.tva"}}));
  ASSERT_EQ(doc["beams"].size(), 2u);
  // The run's order: the secondary beam before the primary beam it loads.
  EXPECT_EQ(doc["beams"][0]["role"], "secondary");
  EXPECT_EQ(doc["beams"][0]["mark"], "SB1");
  EXPECT_EQ(doc["beams"][0]["section"], "360UB44.7");
  EXPECT_EQ(doc["beams"][1]["role"], "primary");
  EXPECT_EQ(doc["beams"][1]["path"], "Beam");
  EXPECT_EQ(doc["beams"][1]["section"], "530UB82.0");
  EXPECT_EQ(doc["beams"][1]["grade"], "KESTREL");
  EXPECT_TRUE(doc["beams"][1]["ok"].is_boolean());
  EXPECT_TRUE(doc["beams"][0]["shear_connectors"].is_number_integer());
  EXPECT_TRUE(doc["vibration"]["checked"].get<bool>());
  EXPECT_TRUE(doc["messages"].is_array());
}

// Every number is the program's own double: the one its path reads, which
// `eval --json` prints, not a rounded text of it.
TEST_F(ResultsJson, EveryValueIsTheValueOfItsPath) {
  const TJson doc = Analysed();
  const std::pair<const char*, const char*> beam_keys[] = {
      {"mark", "Mark"},
      {"section", "SteelSectionList0.Name"},
      {"grade", "SteelSectionList0.Grade"},
      {"span_mm", "Span"},
      {"strength_ratio", "MaxStrengthRatio"},
      {"stress_ratio", "MaxStressRatio"},
      {"deflection_ratio", "MaxDeflectionRatio"},
      {"camber_mm", "SuggestedCamber"},
      {"shear_connectors", "TotalShearConnectors"},
      {"ok", "IsAssessmentOK"},
  };
  const std::pair<const char*, const char*> section_keys[] = {
      {"position_mm", "x"},
      {"is_critical", "IsPCC"},
      {"composite_section", "CompositeSection.CompositeSectionLabel"},
      {"design_moment_knm", "MDes0,7"},
      {"design_shear_kn", "VDes0,7"},
      {"moment_capacity_knm", "phiMbv"},
      {"shear_capacity_kn", "VComp"},
      {"shear_ratio", "shear_ratio"},
      {"beta_min", "beta_min"},
      {"beta_actual", "beta_actual"},
      {"shear_connectors_required", "ni"},
      {"shear_connectors_provided", "ni_actual"},
      {"stage3_design_moment_knm", "MDes0,3"},
      {"stage3_design_shear_kn", "VDes0,3"},
      {"stage3_shear_capacity_kn", "phiVvm"},
      {"deflection_total_mm", "TotalDeflection"},
  };
  size_t compared = 0;
  for (const TJson& beam : doc["beams"]) {
    const std::string path = beam["path"];
    for (const auto& [key, suffix] : beam_keys) {
      EXPECT_EQ(beam[key], AtPath(path + "." + suffix)) << path << " " << key;
      ++compared;
    }
    ASSERT_GT(beam["critical_sections"].size(), 10u);
    for (const TJson& s : beam["critical_sections"]) {
      const std::string at = s["path"];
      for (const auto& [key, suffix] : section_keys) {
        EXPECT_EQ(s[key], AtPath(at + "." + suffix)) << at << " " << key;
        ++compared;
      }
      // The moment ratio is the design moment over the capacity beside it.
      EXPECT_DOUBLE_EQ(s["moment_ratio"].get<double>(),
                       std::fabs(s["design_moment_knm"].get<double>()) / s["moment_capacity_knm"].get<double>());
    }
  }
  const std::pair<const char*, const char*> vibration_keys[] = {
      {"checked", "IsChecked"},         {"ok", "IsOK"},
      {"frequency_hz", "Frequency"},    {"peak_acceleration_pct_g", "PeakAcceleration"},
      {"acceleration_limit_pct_g", "AccelerationLimit"},
      {"damping_ratio", "Damping"},     {"beam_frequency_hz", "BeamFrequency"},
      {"girder_frequency_hz", "GirderFrequency"}, {"beam_deflection_mm", "BeamDeflection"},
      {"girder_deflection_mm", "GirderDeflection"}, {"effective_weight_kn", "EffectiveWeight"},
  };
  for (const auto& [key, name] : vibration_keys)
    EXPECT_EQ(doc["vibration"][key], AtPath(std::string("Vibration.") + name)) << key;
  EXPECT_GT(compared, 300u);

  // The text keeps every digit: read back, the numbers are the same doubles.
  EXPECT_EQ(TJson::parse(JsonText(doc)), doc);
}

TEST_F(ResultsJson, ResultsThatDoNotExistAreNull) {
  // Not analysed yet: no ratios, no sections, no vibration results.
  project.Vibration.IsChecked = false;
  const TJson doc = ResultsDocument(project, "", {});
  for (const TJson& beam : doc["beams"]) {
    for (const char* key : {"strength_ratio", "stress_ratio", "deflection_ratio", "camber_mm", "shear_connectors"})
      EXPECT_TRUE(beam[key].is_null()) << key;
    EXPECT_TRUE(beam["critical_sections"].empty());
  }
  EXPECT_FALSE(doc["vibration"]["checked"].get<bool>());
  EXPECT_TRUE(doc["vibration"]["ok"].is_null());  // a check that is off has no verdict
  EXPECT_TRUE(doc["vibration"]["frequency_hz"].is_null());
  EXPECT_EQ(doc["vibration"]["damping_ratio"], 0.03);  // an input is there all the same
}

TEST_F(ResultsJson, MessagesOfTheValidationComeFirstAndEachOnce) {
  project.Status.Reset();
  project.Status.SetError(elHint, "Note: before the run");
  project.Status.SetError(elError, "Error during analysis: a section without a web");
  const TJson doc = ResultsDocument(project, "", {"Note: before the run"});
  EXPECT_EQ(doc["messages"], (TJson{"Note: before the run", "Error: Error during analysis: a section without a web"}));
}

TEST_F(ResultsJson, TheEditionOfTheRunIsNamed) {
  TStandardVersionScope edition(kStandard2003);
  EXPECT_EQ(Analysed()["standard"], "AS/NZS2327.1-2003");
}

TEST_F(ResultsJson, AProjectThatDoesNotValidateIsNotRun) {
  project.Segments = 5;
  const TScriptRun run = RunProjectForScript(project, session, false);
  EXPECT_FALSE(run.IsRun);
  ASSERT_FALSE(run.Messages.empty());
  EXPECT_EQ(run.Messages[0], "Error: Must specify between 10 and 100 segments");
  EXPECT_EQ(project.GetBeam(1)->PCCList.Count(), 0);
}
