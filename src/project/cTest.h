// Regression tests kept inside project files. A test is a named set of
// changes to the project file (inputs: "Section.Key=Value") and a list of
// result values with their expected values (outputs: property paths). This
// unit holds the data and its project-file layout; running tests is the
// administrators' tool.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "entity/cEntity.h"
#include "entity/cResult.h"

class TVEXIniFile;

class TTestGroup : public TEntity {
 public:
  TTestGroup() { SectionName = "TestGroups"; }
  std::string Group;
  TRV_PROPERTIES(TTestGroup, TEntity, Published("Group", &TTestGroup::Group))
};

struct TOutput {
  std::string Name;             // property path of the value
  std::string ExpectedValue;    // "?" shows the value without judging it
  std::string CalculatedValue;  // text of the last run
  std::string Comment;          // empty when the output passed, otherwise the reason
};

// The test's status holds its verdict: elNone not run since the last change,
// elHint passed, elWarning failed.
class TTest : public TEntity {
 public:
  TTest() { SectionName = "Tests"; }

  std::string Group;
  std::string Name;  // unique in the project; the list key
  std::vector<std::string> InputList;
  std::vector<TOutput> OutputList;
  std::string Description;
  int VersionID = 0;  // standard edition the test runs under

  void Assign(const TEntity* Source) override;
  void ClearResults();
  // Writes each input line "Section.Key=Value" into the file.
  void AppendInputValuesToIniFile(TVEXIniFile& IniFile) const;
  // Writes each output as Name=ExpectedValue into the section "Output".
  void AppendOutputValuesToIniFile(TVEXIniFile& IniFile) const;
  // Adds the test's lines to the results file (CR LF lines, readable in a
  // spreadsheet): when appending, after the lines already there. A new file
  // starts with the program and version and "Test run " + Today's date. Then
  // an empty line, "Group-Name,Description" (",OK" added when it passed), and
  // one line per output that failed or is only shown ("?"). A field holding a
  // comma is quoted. Fails when the file cannot be written.
  TResult DumpResults(const std::string& Filename, bool WillAppendToOutput,
                      std::time_t Today = std::time(nullptr)) const;
  void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;

  TRV_PROPERTIES(TTest, TEntity,
                 Published("Name", &TTest::Name),
                 Published("Description", &TTest::Description),
                 Published("Group", &TTest::Group),
                 Published("VersionID", &TTest::VersionID))
};
