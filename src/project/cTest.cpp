#include "project/cTest.h"

#include "entity/VEXUtility.h"
#include "entity/cEntityList.h"
#include "entity/cIniFiles.h"
#include "report/cImportedBeam.h"

namespace {

// "Path=Expected" split at its first "=".
TOutput OutputFromLine(const std::string& line) {
  TOutput o;
  size_t eq = line.find('=');
  o.Name = line.substr(0, eq);
  o.ExpectedValue = eq == std::string::npos ? std::string() : line.substr(eq + 1);
  return o;
}

}  // namespace

void TTest::Assign(const TEntity* Source) {
  TEntity::Assign(Source);
  if (auto* t = dynamic_cast<const TTest*>(Source)) {
    InputList = t->InputList;
    OutputList = t->OutputList;
  }
}

void TTest::ClearResults() {
  for (TOutput& o : OutputList) {
    o.CalculatedValue.clear();
    o.Comment.clear();
  }
  Status.Reset();
}

void TTest::AppendInputValuesToIniFile(TVEXIniFile& IniFile) const {
  for (const std::string& line : InputList) {
    const size_t dot = line.find('.');
    if (dot == std::string::npos) continue;
    const std::string section = line.substr(0, dot);
    const std::string rest = line.substr(dot + 1);
    const size_t eq = rest.find('=');
    const std::string key = rest.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : rest.substr(eq + 1);
    IniFile.WriteString(section, key, value);
  }
}

void TTest::AppendOutputValuesToIniFile(TVEXIniFile& IniFile) const {
  for (const TOutput& o : OutputList) IniFile.WriteString("Output", o.Name, o.ExpectedValue);
}

namespace {

// A results file field, written as the results report writes a text cell:
// quoted when it holds a comma (so the columns stay in place), a double quote
// or a line break, and never run as a formula by a spreadsheet.
std::string CsvField(const std::string& Text) { return report::LabelledCell(Text); }

}  // namespace

TResult TTest::DumpResults(const std::string& Filename, bool WillAppendToOutput, std::time_t Today) const {
  std::vector<std::string> lines;
  std::string bytes;
  if (WillAppendToOutput && FileExists(Filename)) {
    if (TResult read = ReadFileBytes(Filename, bytes); !read) return read;
    size_t start = 0;
    while (start < bytes.size()) {
      size_t end = bytes.find('\n', start);
      if (end == std::string::npos) end = bytes.size();
      std::string line = bytes.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      start = end + 1;
    }
  }
  if (lines.empty()) {
    lines.push_back(GetAppName() + "/V" + GetAppVersionShort());
    lines.push_back("Test run " + FormatShortDate(Today));
  }
  lines.push_back("");
  lines.push_back(CsvField(Group + "-" + Name) + "," + CsvField(Description) +
                  (Status.ErrorLevel == elHint ? ",OK" : ""));
  for (const TOutput& o : OutputList) {
    const std::string shown = CsvField(o.Name) + "," + CsvField(o.CalculatedValue);
    if (!o.Comment.empty()) lines.push_back(shown + "," + CsvField("Expected " + o.ExpectedValue) + "," + o.Comment);
    else if (o.ExpectedValue == "?") lines.push_back(shown);
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return WriteFileAtomic(Filename, text);
}

// Inputs, outputs and results are escaped onto one line like every other
// string of the file: a calculated value may hold line breaks (a description).
void TTest::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  TEntity::SaveToIniFile(IniFile, Prefix, Suffix);
  const std::string section = Prefix + SectionName;
  IniFile.WriteInteger(section, "InputCount" + Suffix, static_cast<int>(InputList.size()));
  for (size_t k = 0; k < InputList.size(); ++k)
    IniFile.WriteString(section, "Input" + Suffix + "-" + std::to_string(k + 1), EscapeText(InputList[k]));
  IniFile.WriteInteger(section, "OutputCount" + Suffix, static_cast<int>(OutputList.size()));
  for (size_t k = 0; k < OutputList.size(); ++k) {
    const TOutput& o = OutputList[k];
    const std::string n = Suffix + "-" + std::to_string(k + 1);
    IniFile.WriteString(section, "Output" + n, EscapeText(o.Name + "=" + o.ExpectedValue));
    if (o.CalculatedValue.empty()) IniFile.DeleteKey(section, "Result" + n);
    else IniFile.WriteString(section, "Result" + n, EscapeText(o.CalculatedValue));
    if (o.Comment.empty()) IniFile.DeleteKey(section, "Comment" + n);
    else IniFile.WriteString(section, "Comment" + n, EscapeText(o.Comment));
  }
  if (Status.ErrorLevel == elNone) IniFile.DeleteKey(section, "Status" + Suffix);
  else IniFile.WriteInteger(section, "Status" + Suffix, Status.ErrorLevel);
  // The older layout kept a test's inputs and outputs in sections of their own.
  IniFile.EraseSection(Name + "-Input");
  IniFile.EraseSection(Name + "-Output");
}

void TTest::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  TEntity::LoadFromIniFile(IniFile, Prefix, Suffix);
  InputList.clear();
  OutputList.clear();
  const std::string section = SectionFor(IniFile, Prefix, "Name" + Suffix);
  const std::string old_inputs = Name + "-Input", old_outputs = Name + "-Output";
  if (!Name.empty() && (IniFile.SectionExists(old_inputs) || IniFile.SectionExists(old_outputs))) {
    InputList = IniFile.ReadSectionValues(old_inputs);
    for (const std::string& line : IniFile.ReadSectionValues(old_outputs)) OutputList.push_back(OutputFromLine(line));
  } else {
    // Counts are bounded so a damaged file cannot make the loader churn.
    const int inputs = IniFile.ReadCount(section, "InputCount" + Suffix, kMaxIniListCount);
    for (int k = 1; k <= inputs; ++k)
      InputList.push_back(UnescapeText(IniFile.ReadString(section, "Input" + Suffix + "-" + std::to_string(k), "")));
    const int outputs = IniFile.ReadCount(section, "OutputCount" + Suffix, kMaxIniListCount);
    for (int k = 1; k <= outputs; ++k) {
      const std::string n = Suffix + "-" + std::to_string(k);
      TOutput o = OutputFromLine(UnescapeText(IniFile.ReadString(section, "Output" + n, "")));
      o.CalculatedValue = UnescapeText(IniFile.ReadString(section, "Result" + n, ""));
      o.Comment = UnescapeText(IniFile.ReadString(section, "Comment" + n, ""));
      OutputList.push_back(o);
    }
  }
  const int level = IniFile.ReadInteger(section, "Status" + Suffix, 0);
  Status.Reset();
  if (level > elNone && level <= elError) Status.SetError(static_cast<TErrorLevel>(level), "");
  IsChanged = false;
}
