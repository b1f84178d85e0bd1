#include "admin/cTestEditing.h"

#include <memory>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"

namespace {

TResult Done(std::string Message = "") { return TResult::Success(std::move(Message)); }
TResult Cancelled() { return TResult::Cancelled(); }
TResult Refused(std::string Message) { return TResult::Failure(std::move(Message)); }

// Where a test of Group goes: after the group's last test, else at the end.
int PositionInGroup(const TProject& Project, const std::string& Group) {
  int position = Project.TestList.Count();
  for (int i = 0; i < Project.TestList.Count(); ++i)
    if (SameText(Project.TestList.ItemAs<TTest>(i)->Group, Group)) position = i + 1;
  return position;
}

void InsertTest(TProject& Project, std::unique_ptr<TTest> Test) {
  const std::string name = Test->Name;
  const int position = PositionInGroup(Project, Test->Group);
  Project.TestList.Insert(position, name, std::move(Test));
  Project.IsChanged = true;
}

}  // namespace

TResult AddTestGroup(TProject& Project, const std::string& Group) {
  if (Group.empty()) return Cancelled();
  if (Project.TestGroupList.IndexOf(Group) >= 0) return Refused(kUniqueGroupName);
  auto group = std::make_unique<TTestGroup>();
  group->Group = Group;
  Project.TestGroupList.Add(Group, std::move(group));
  Project.IsChanged = true;
  return Done();
}

TResult AddTest(TProject& Project, const std::string& Group, const std::string& Name) {
  const int group = Group.empty() ? -1 : Project.TestGroupList.IndexOf(Group);
  if (group < 0) return Refused("Please first select test group to add test to");
  if (Name.empty()) return Cancelled();
  if (Project.TestList.IndexOf(Name) >= 0) return Refused(kUniqueTestName);
  auto test = std::make_unique<TTest>();
  test->Name = Name;
  test->Group = Project.TestGroupList.ItemAs<TTestGroup>(group)->Group;
  test->VersionID = StandardVersion();
  InsertTest(Project, std::move(test));
  return Done();
}

TResult CopyTest(TProject& Project, const std::string& Name) {
  const int found = Name.empty() ? -1 : Project.TestList.IndexOf(Name);
  if (found < 0) return Refused("Please first select test to copy");
  const TTest& source = *Project.TestList.ItemAs<TTest>(found);
  std::string copy_name;
  for (int n = 0;; ++n) {
    copy_name = source.Name + Format("_%.2d", {n});
    if (Project.TestList.IndexOf(copy_name) < 0) break;
  }
  auto copy = std::make_unique<TTest>();
  copy->Assign(&source);
  copy->Name = copy_name;
  InsertTest(Project, std::move(copy));
  return Done(copy_name);
}

TResult RenameTest(TProject& Project, const std::string& Name, const std::string& NewName) {
  const int found = Project.TestList.IndexOf(Name);
  if (found < 0) return Refused("Please first select test to rename");
  if (NewName.empty()) return Cancelled();
  const int other = Project.TestList.IndexOf(NewName);
  if (other >= 0 && other != found) return Refused(kUniqueTestName);
  TTest& test = *Project.TestList.ItemAs<TTest>(found);
  if (test.Name == NewName) return Done();
  test.Name = NewName;
  Project.TestList.SetKey(found, NewName);
  Project.IsChanged = true;
  return Done();
}

TResult DeleteTestGroup(TProject& Project, const std::string& Group, const TConfirmEdit& Confirm) {
  const int found = Group.empty() ? -1 : Project.TestGroupList.IndexOf(Group);
  if (found < 0) return Refused("Please select test group to delete");
  const std::string name = Project.TestGroupList.ItemAs<TTestGroup>(found)->Group;
  for (int i = 0; i < Project.TestList.Count(); ++i)
    if (SameText(Project.TestList.ItemAs<TTest>(i)->Group, name))
      return Refused("Group " + name + " has tests, unable to delete");
  if (!Confirm || !Confirm("Please confirm deletion of test group " + name)) return Cancelled();
  Project.TestGroupList.Delete(found);
  Project.IsChanged = true;
  return Done();
}

TResult DeleteTest(TProject& Project, const std::string& Name, const TConfirmEdit& Confirm) {
  const int found = Name.empty() ? -1 : Project.TestList.IndexOf(Name);
  if (found < 0) return Refused("Please select test to delete");
  const std::string name = Project.TestList.ItemAs<TTest>(found)->Name;
  if (!Confirm || !Confirm("Please confirm deletion of test " + name)) return Cancelled();
  Project.TestList.Delete(found);
  Project.IsChanged = true;
  return Done();
}

TResult MoveTest(TProject& Project, const std::string& Name, const std::string& Group) {
  const int found = Name.empty() ? -1 : Project.TestList.IndexOf(Name);
  if (found < 0) return Refused("Please first select test to move");
  const int group = Group.empty() ? -1 : Project.TestGroupList.IndexOf(Group);
  if (group < 0) return Refused("Please select test group to move test to");
  std::unique_ptr<TEntity> item = Project.TestList.Extract(found);
  auto* test = static_cast<TTest*>(item.release());
  test->Group = Project.TestGroupList.ItemAs<TTestGroup>(group)->Group;
  InsertTest(Project, std::unique_ptr<TTest>(test));
  return Done();
}
