// The field rules without a window: the verdict and message of a text, and
// which rule guards a property path (the Python module's writes).
#include "project/cFieldRules.h"

#include <gtest/gtest.h>

#include "entity/VEXUtility.h"

namespace {

TFieldRule Registered(const std::string& Page, const std::string& Name, TFieldType Type) {
  for (const TFieldCheckSpec& spec : RegisteredFieldChecks())
    if (spec.Page == Page && spec.Name == Name && spec.FieldType == Type) return TFieldRule::Of(spec);
  ADD_FAILURE() << "no check " << Page << " / " << Name;
  return {};
}

// The message a text gets, "" when it passes.
std::string Judge(const TFieldRule& Rule, const std::string& Text) {
  const TFieldVerdict v = CheckFieldText(Rule, Text);
  return v.IsPassed ? "" : FormatFieldMessage(Rule, v.MessageTemplate);
}

}  // namespace

TEST(FieldRules, TextsAreJudgedAsTheWindowJudgesThem) {
  UsePlainRegionalSettings();
  struct Case {
    const char *page, *name;
    TFieldType type;
    std::string text, message;
  } cases[] = {
      {"Slab details", "Concrete strength (f'c)", ftInteger, "32.5",
       "Concrete strength (f'c) has invalid characters - please only enter integers"},
      {"Slab details", "Concrete strength (f'c)", ftInteger, "32", ""},
      {"General", "Floor area", ftInteger, "", "Floor area cannot be blank, please enter a valid integer"},
      {"Floor loading", "Nominal live load", ftReal, "", ""},
      {"Beam general", "Specified shear connection ratio", ftReal, "0.3",
       "Specified shear connection ratio should be between 0 and 1"},
      {"Beam loading", "Load start position", ftPercent, "150%", "Load start position should be between 0% and 100%"},
      // A distance is the other check's business; that one judges its range.
      {"Beam loading", "Load start position", ftPercent, "4500", ""},
      {"Beam loading", "Load start position", ftReal, "25001", "Load start position must be within span of beam"},
      {"Beam loading", "Load start position", ftReal, "30%", ""},
      {"General", "Designer", ftString, std::string(81, 'x'), "Designer length should be shorter than 80"},
      {"General", "Designer", ftString, std::string(80, 'x'), ""},
      // A character beyond the basic plane counts twice, as a window's edit counts it.
      {"General", "Designer", ftString, std::string(79, 'x') + "\xF0\x9F\x98\x80",
       "Designer length should be shorter than 80"},
      {"General", "Designer", ftString, std::string(79, 'x') + "\xC3\xA9", ""},
      {"Geometry", "Side 2 angle", ftInteger, "-1", "Side 2 angle should be less than 90"},
      {"Geometry", "Distance to first secondary beam", ftInteger, "-5",
       "Distance to first secondary beam must be more than 0 mm and less than the primary span"},
      {"Floor vibration", "Floor width across the beams", ftInteger, "0", ""},
      {"Floor vibration", "Floor width across the beams", ftInteger, "999",
       "Floor width across the beams should be 0 (not limited) or between 1000 and 500000"},
      {"Floor vibration", "Damping ratio", ftReal, "0.2", "Damping ratio should be between 0.005 and 0.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " [" + c.text + "]");
    EXPECT_EQ(Judge(Registered(c.page, c.name, c.type), c.text), c.message);
  }
}

TEST(FieldRules, PathsFindTheRuleOfTheFieldThatEditsThem) {
  UsePlainRegionalSettings();
  struct Case {
    std::string path, name;  // "" name: no field guards the path
    std::string text, message;
  } cases[] = {
      {"Geometry.SpacingSide1", "Secondary span", "30000", "Secondary span should be between 1000 and 25000"},
      {"project.geometry.spacingside1", "Secondary span", "9000", ""},
      {"Geometry.SpacingSide2", "Secondary span (side 2)", "500", "Secondary span (side 2) should be between 1000 and 25000"},
      {"Geometry.ThetaSide1", "Side 1 angle", "91", "Side 1 angle should be less than 90"},
      {"Beam1.SteelSectionList2.tp", "Cover plate thickness", "2", "Cover plate thickness should be between 3 and 50"},
      {"Beam.SteelSectionList0.BaseSteelSection.d", "Steel section depth", "2001",
       "Steel section depth should be between 25 and 2000"},
      {"Beam2.DistributedLoadList0.StartPosition", "Load start position", "25001",
       "Load start position must be within span of beam"},
      {"LimitStateList3.LFlive", "LF live", "2.5", "LF live should be between 0 and 2"},
      {"DeflectionLimit.TotalRelLimit", "Span/Defl (ratio)", "40", "Span/Defl (ratio) should be between 50 and 1000"},
      {"Vibration.Damping", "Damping ratio", "0.001", "Damping ratio should be between 0.005 and 0.1"},
      {"Beam1.Mark", "Mark", "", "Mark cannot be blank, please enter a valid string"},
      {"Geometry.HasPrimaryBeam", "", "", ""},
      {"Beam1.Description", "", "", ""},
      {"Geometry", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    TFieldRule rule;
    ASSERT_EQ(FieldRuleForPath(c.path, rule), !c.name.empty());
    if (c.name.empty()) continue;
    EXPECT_EQ(rule.Name, c.name);
    EXPECT_EQ(Judge(rule, c.text), c.message);
  }
}
