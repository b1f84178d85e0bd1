// The editing rules of the regression tests kept in a project: adding,
// renaming, copying and deleting tests and test groups, and moving a test to
// another group. The window's test tree asks the user for names and
// confirmations and calls these; each checks its rule and changes the
// project only when the rule allows, marking the project changed.
//
// The test list keeps the tests of one group together, in the order the tree
// shows them: a new, copied or moved test goes after the last test of its
// group (at the end when the group has none).
//
// Threads: the interface thread's, like any edit of the project.
#pragma once

#include <functional>
#include <string>

#include "entity/cResult.h"
#include "project/cProject.h"

// Each edit returns a TResult: a success when the edit is done (CopyTest's
// message is the copy's name); cancelled when the user gave no name or did
// not confirm, and nothing changed; a failure when a rule refused, with the
// warning the window shows (with an OK button) as its message, and nothing
// changed.

// Asks the user to confirm with OK and Cancel; true for OK.
using TConfirmEdit = std::function<bool(const std::string& Question)>;

// Input boxes: "Add new group" / "Name of new test group", and for a test
// "Add new test" / "Name of new test"; "Change test name" / "New name of test"
// preset with the current name. The window asks again while a name is refused
// for not being unique.
inline constexpr const char* kUniqueGroupName = "Please select unique test group name";
inline constexpr const char* kUniqueTestName = "Please select unique test name";

// A new test group; an empty name cancels.
TResult AddTestGroup(TProject& Project, const std::string& Group);
// A new test in Group (which must be selected, that is not empty, and exist),
// under the current edition (its VersionID); an empty name cancels.
TResult AddTest(TProject& Project, const std::string& Group, const std::string& Name);
// A copy of the test Name in its group, named Name + "_00", "_01", ... (the
// first unused); the copy's name comes back in the message.
TResult CopyTest(TProject& Project, const std::string& Name);
// Renames the test Name to NewName (not the name of another test); the list
// key follows. An empty new name cancels; the same name changes nothing.
TResult RenameTest(TProject& Project, const std::string& Name, const std::string& NewName);
// Deletes the empty group Group after Confirm("Please confirm deletion of
// test group " + Group); a group with tests is refused.
TResult DeleteTestGroup(TProject& Project, const std::string& Group, const TConfirmEdit& Confirm);
// Deletes the test Name after Confirm("Please confirm deletion of test " + Name).
TResult DeleteTest(TProject& Project, const std::string& Name, const TConfirmEdit& Confirm);
// Moves the test Name into the existing group Group.
TResult MoveTest(TProject& Project, const std::string& Name, const std::string& Group);
