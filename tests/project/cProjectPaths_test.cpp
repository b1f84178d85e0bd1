// Values by property path as a script reads and writes them: typed reads,
// writes checked as the window checks the field, the window's follow-up
// rules, and refusals that leave the project as it was.
#include "project/cProjectPaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "entity/cIniFiles.h"
#include "sample_fixture.h"

namespace {

class ProjectPaths : public SampleTest {
 protected:
  TPathValue Read(const std::string& Path) {
    const TPathOutcome r = ReadPath(project, Path);
    EXPECT_TRUE(r) << r.Message;
    return r.Value;
  }
  TPathOutcome Write(const std::string& Path, const TPathValue& V) { return WritePath(project, session, Path, V); }
  // The project as its file would hold it.
  std::string FileText() {
    auto ini = TVEXIniFile::FromBytes("");
    project.SaveToIniFile(ini, "", "");
    return ini.ToBytes();
  }
};

}  // namespace

TEST_F(ProjectPaths, ReadsKeepTheKindOfTheValue) {
  EXPECT_EQ(Read("Geometry.SpacingSide1").Kind, TPathValue::pvNumber);
  EXPECT_EQ(Read("Geometry.SpacingSide1").Number, 9000);
  EXPECT_EQ(Read("project.geometry.spacingside1").Number, 9000);
  EXPECT_EQ(Read("Segments").Kind, TPathValue::pvInteger);
  EXPECT_EQ(Read("Geometry.HasPrimaryBeam").Kind, TPathValue::pvBoolean);
  EXPECT_TRUE(Read("Geometry.HasPrimaryBeam").Boolean);
  EXPECT_EQ(Read("Beam.Mark").Text, "PB1");
  EXPECT_EQ(Read("Beam1.SteelSectionList0.Name").Text, "360UB44.7");
  EXPECT_EQ(Read("IsOK").Kind, TPathValue::pvBoolean);
  EXPECT_TRUE(Read("IsOK").Boolean);

  // Results at full precision: the number itself, not a text of it.
  Report();
  const TPathValue m = Read("Beam1.PCCAt4500.MDes0,7");
  ASSERT_EQ(m.Kind, TPathValue::pvNumber);
  EXPECT_EQ(m.Number, project.GetBeam(1)->GetPCCAt(4500)->GetMdes(stStrength, kInServiceStage));
  EXPECT_NE(m.Number, std::round(m.Number * 1000) / 1000);  // more than the three decimals eval prints
  EXPECT_EQ(Read("Beam1.MaxStrengthRatio").Number, project.GetBeam(1)->MaxStrengthRatio());

  for (const char* unknown : {"Geometry.Nothing", "Beam7.Mark", "Beam1.PCCAt4500.MDes0", "Geometry"}) {
    SCOPED_TRACE(unknown);
    const TPathOutcome r = ReadPath(project, unknown);
    EXPECT_EQ(r.Problem, TPathProblem::UnknownPath);
    EXPECT_NE(r.Message.find(unknown), std::string::npos) << r.Message;
  }
}

TEST_F(ProjectPaths, RefusedWritesSayWhyAndChangeNothing) {
  const std::string before = FileText();
  struct Case {
    std::string path;
    TPathValue value;
    TPathProblem problem;
    std::string message;
  } cases[] = {
      {"Geometry.SpacingSide1", TPathValue::OfNumber(30000), TPathProblem::InvalidValue,
       "Secondary span should be between 1000 and 25000"},
      {"Geometry.SpacingSide1", TPathValue::OfNumber(9000.5), TPathProblem::InvalidValue,
       "Secondary span has invalid characters - please only enter integers"},
      {"ConcreteFloor.ConcreteStrength", TPathValue::OfNumber(32.5), TPathProblem::InvalidValue,
       "Concrete strength (f'c) has invalid characters - please only enter integers"},
      {"Beam1.UserBeta", TPathValue::OfNumber(0.3), TPathProblem::InvalidValue,
       "Specified shear connection ratio should be between 0 and 1"},
      {"Designer", TPathValue::OfText(std::string(81, 'x')), TPathProblem::InvalidValue,
       "Designer length should be shorter than 80"},
      {"Beam1.Mark", TPathValue::OfText("  "), TPathProblem::InvalidValue,
       "Mark cannot be blank, please enter a valid string"},
      {"Geometry.Span", TPathValue::OfNumber(std::numeric_limits<double>::quiet_NaN()), TPathProblem::InvalidValue,
       "Cannot set [Geometry.Span] to nan: not a finite number"},
      {"Geometry.FacadeLoad", TPathValue::OfNumber(std::numeric_limits<double>::infinity()),
       TPathProblem::InvalidValue, "Cannot set [Geometry.FacadeLoad] to inf: not a finite number"},
      {"Geometry.Span", TPathValue::OfText("9000"), TPathProblem::WrongType,
       "Cannot set [Geometry.Span] to 9000: it takes a number"},
      {"Segments", TPathValue::OfNumber(12.5), TPathProblem::WrongType,
       "Cannot set [Segments] to 12.5: it takes a whole number"},
      {"Geometry.HasPrimaryBeam", TPathValue::OfInteger(1), TPathProblem::WrongType,
       "Cannot set [Geometry.HasPrimaryBeam] to 1: it takes True or False"},
      {"Beam1.Mark", TPathValue::OfNumber(3), TPathProblem::WrongType, "Cannot set [Beam1.Mark] to 3: it takes text"},
      {"Beam1.Span", TPathValue::OfNumber(8000), TPathProblem::NotAnInput,
       "Cannot set [Beam1.Span]: it is not an input of the project file"},
      {"Beam1.MaxStrengthRatio", TPathValue::OfNumber(0.5), TPathProblem::NotAnInput,
       "Cannot set [Beam1.MaxStrengthRatio]: it is not an input of the project file"},
      {"Beam1.SteelSectionList0.BaseSteelSection.d", TPathValue::OfNumber(400), TPathProblem::NotAnInput,
       "Cannot set [Beam1.SteelSectionList0.BaseSteelSection.d]: the value comes from the library section 360UB44.7 "
       "and would be replaced"},
      {"SteelDeck.hr", TPathValue::OfNumber(60), TPathProblem::NotAnInput,
       "Cannot set [SteelDeck.hr]: it is not an input of the project file"},
      {"Geometry.Nothing", TPathValue::OfNumber(1), TPathProblem::UnknownPath,
       "Unknown property path [Geometry.Nothing]: no such property"},
      {"Beam9.Mark", TPathValue::OfText("B"), TPathProblem::UnknownPath,
       "Unknown property path [Beam9.Mark]: no such entity"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const TPathOutcome r = Write(c.path, c.value);
    EXPECT_EQ(r.Problem, c.problem);
    EXPECT_EQ(r.Message, c.message);
  }
  EXPECT_EQ(FileText(), before);
}

TEST_F(ProjectPaths, WritesFollowTheWindowsRules) {
  // Side 2 is side 1 on this floor: it follows, and so does the primary
  // beam's tributary width, which equalled the span; the beams take the spans.
  ASSERT_TRUE(Write("Geometry.SpacingSide1", TPathValue::OfInteger(10500)));
  EXPECT_EQ(Read("Geometry.SpacingSide2").Number, 10500);
  EXPECT_EQ(Read("Geometry.PrimaryEffectiveSpacing").Number, 10500);
  EXPECT_EQ(Read("Beam1.Span").Number, 10500);
  ASSERT_TRUE(Write("Geometry.SecondarySpacingSide1", TPathValue::OfNumber(2500)));
  EXPECT_EQ(Read("Geometry.SecondarySpacingSide2").Number, 2500);

  // A tributary width the user chose stays.
  ASSERT_TRUE(Write("Geometry.PrimaryEffectiveSpacing", TPathValue::OfNumber(8000)));
  ASSERT_TRUE(Write("Geometry.SpacingSide1", TPathValue::OfNumber(9000)));
  EXPECT_EQ(Read("Geometry.PrimaryEffectiveSpacing").Number, 8000);

  // A zero the field shows blank passes where the field may be blank.
  ASSERT_TRUE(Write("Beam1.CamberAbsolute", TPathValue::OfNumber(0)));
  ASSERT_TRUE(Write("Vibration.FloorWidth", TPathValue::OfNumber(0)));

  // A section named anew takes the library's dimensions.
  ASSERT_TRUE(Write("Beam1.SteelSectionList0.Name", TPathValue::OfText("410UB53.7")));
  const auto* item = dynamic_cast<const TCustomSteelSection*>(
      session.SteelSectionLibrary.Find(TCustomSteelSection::CalcFullName("UB", "410UB53.7", "KESTREL")));
  ASSERT_TRUE(item);
  EXPECT_EQ(Read("Beam1.SteelSectionList0.BaseSteelSection.d").Number, item->d);
  EXPECT_NE(item->d, 355);  // not the 360UB44.7 it was

  // A custom section's dimensions are the user's, checked as the section page checks them.
  ASSERT_TRUE(Write("Beam1.SteelSectionList0.SectionType", TPathValue::OfText("Custom_I")));
  ASSERT_TRUE(Write("Beam1.SteelSectionList0.BaseSteelSection.d", TPathValue::OfNumber(450)));
  EXPECT_EQ(Read("Beam1.SteelSectionList0.BaseSteelSection.d").Number, 450);
  EXPECT_EQ(Write("Beam1.SteelSectionList0.BaseSteelSection.tw", TPathValue::OfNumber(2)).Message,
            "Web thickness should be between 3 and 50");

  // Propping a secondary beam props the primary beam (the construction sequence).
  ASSERT_FALSE(Read("Beam.IsPropped").Boolean);
  ASSERT_TRUE(Write("Beam1.IsPropped", TPathValue::OfBoolean(true)));
  EXPECT_TRUE(Read("Beam.IsPropped").Boolean);
  EXPECT_TRUE(project.IsChanged);
}
