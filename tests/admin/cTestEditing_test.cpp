// The editing rules of test groups and tests, as the test tree applies them.
#include "admin/cTestEditing.h"

#include <gtest/gtest.h>

#include "components/cStandard.h"

namespace {

// Groups A (tests A1, A2) and B (test B1), in tree order, the project unchanged.
class TestEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* g : {"A", "B"}) ASSERT_TRUE(AddTestGroup(project, g).IsOK());
    for (auto [g, t] : {std::pair{"A", "A1"}, {"A", "A2"}, {"B", "B1"}}) ASSERT_TRUE(AddTest(project, g, t).IsOK());
    project.IsChanged = false;
  }

  // The tests in list order as "group/name".
  std::vector<std::string> Order() const {
    std::vector<std::string> out;
    for (int i = 0; i < project.TestList.Count(); ++i) {
      const TTest& t = *project.TestList.ItemAs<TTest>(i);
      EXPECT_EQ(project.TestList.Key(i), t.Name);
      out.push_back(t.Group + "/" + t.Name);
    }
    return out;
  }

  TProject project;
  std::vector<std::string> asked;
  TConfirmEdit Answer(bool Yes) {
    return [this, Yes](const std::string& Question) {
      asked.push_back(Question);
      return Yes;
    };
  }
};

void ExpectRefused(const TResult& Edit, const std::string& Message) {
  EXPECT_TRUE(Edit.IsFailed());
  EXPECT_EQ(Edit.Message(), Message);
}

}  // namespace

TEST_F(TestEditing, RulesRefuseAndChangeNothing) {
  const struct {
    const char* what;
    TResult edit;
    const char* message;  // nullptr: cancelled
  } cases[] = {
      {"group name taken", AddTestGroup(project, "a"), kUniqueGroupName},
      {"group name empty", AddTestGroup(project, ""), nullptr},
      {"no group selected", AddTest(project, "", "X"), "Please first select test group to add test to"},
      {"test name taken", AddTest(project, "B", "a1"), kUniqueTestName},
      {"test name empty", AddTest(project, "B", ""), nullptr},
      {"no test to copy", CopyTest(project, ""), "Please first select test to copy"},
      {"rename onto another", RenameTest(project, "A1", "B1"), kUniqueTestName},
      {"rename to nothing", RenameTest(project, "A1", ""), nullptr},
      {"no group to delete", DeleteTestGroup(project, "", Answer(true)), "Please select test group to delete"},
      {"group has tests", DeleteTestGroup(project, "A", Answer(true)), "Group A has tests, unable to delete"},
      {"no test to delete", DeleteTest(project, "", Answer(true)), "Please select test to delete"},
      {"deletion not confirmed", DeleteTest(project, "A1", Answer(false)), nullptr},
      {"move to no group", MoveTest(project, "A1", "C"), "Please select test group to move test to"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.message) ExpectRefused(c.edit, c.message);
    else EXPECT_TRUE(c.edit.IsCancelled());
  }
  EXPECT_EQ(Order(), (std::vector<std::string>{"A/A1", "A/A2", "B/B1"}));
  EXPECT_EQ(project.TestGroupList.Count(), 2);
  EXPECT_FALSE(project.IsChanged);
  EXPECT_EQ(asked, (std::vector<std::string>{"Please confirm deletion of test A1"}));
}

TEST_F(TestEditing, TestsStayWithTheirGroup) {
  // A new test goes after its group's last test; the tree order is the list order.
  {
    TStandardVersionScope edition(kStandard2003);
    ASSERT_TRUE(AddTest(project, "A", "A3").IsOK());
  }
  EXPECT_EQ(project.TestList.ItemAs<TTest>(2)->VersionID, kStandard2003);
  EXPECT_TRUE(project.IsChanged);
  EXPECT_EQ(Order(), (std::vector<std::string>{"A/A1", "A/A2", "A/A3", "B/B1"}));

  ASSERT_TRUE(MoveTest(project, "A1", "B").IsOK());
  EXPECT_EQ(Order(), (std::vector<std::string>{"A/A2", "A/A3", "B/B1", "B/A1"}));

  ASSERT_TRUE(RenameTest(project, "A1", "B2").IsOK());
  EXPECT_EQ(project.TestList.IndexOf("A1"), -1);
  EXPECT_EQ(Order(), (std::vector<std::string>{"A/A2", "A/A3", "B/B1", "B/B2"}));

  ASSERT_TRUE(DeleteTest(project, "A2", Answer(true)).IsOK());
  ASSERT_TRUE(DeleteTest(project, "A3", Answer(true)).IsOK());
  ASSERT_TRUE(DeleteTestGroup(project, "A", Answer(true)).IsOK());
  EXPECT_EQ(project.TestGroupList.IndexOf("A"), -1);
  EXPECT_EQ(asked.back(), "Please confirm deletion of test group A");
}

TEST_F(TestEditing, CopyTakesTheFirstFreeNumber) {
  TTest& a1 = *project.TestList.ItemAs<TTest>(0);
  a1.InputList = {"Geometry.Span=6000"};
  a1.OutputList = {{"Beam.Span", "6000", "6000", ""}};
  ASSERT_TRUE(AddTest(project, "A", "A1_00").IsOK());
  const TResult copy = CopyTest(project, "A1");
  ASSERT_TRUE(copy.IsOK());
  EXPECT_EQ(copy.Message(), "A1_01");
  const TTest& c = *project.TestList.ItemAs<TTest>(project.TestList.IndexOf("A1_01"));
  EXPECT_EQ(c.InputList, a1.InputList);
  EXPECT_EQ(c.OutputList[0].ExpectedValue, "6000");
  EXPECT_EQ(Order(), (std::vector<std::string>{"A/A1", "A/A2", "A/A1_00", "A/A1_01", "B/B1"}));
}
