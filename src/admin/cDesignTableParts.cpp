#include "admin/cDesignTableParts.h"

#include <filesystem>
#include <map>
#include <regex>

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "report/cImportedBeam.h"

namespace {

// The record of what a part was cut from, in the order it is written and compared.
const char* const kRecordKeys[] = {"Project", "Edition", "Floor uses", "Spans", "Spacings", "Project fingerprint",
                                   "Design library fingerprint"};

struct TPart {
  std::string File;
  int Part = 0, Parts = 0, Cases = 0;
  std::vector<std::string> Record;  // the values of kRecordKeys, as written
  std::vector<std::string> Lines;   // behind the header and the record
};

std::vector<std::string> NumberCells(const std::vector<double>& Values) {
  std::vector<std::string> cells;
  for (double v : Values) cells.push_back(FloatToStrGeneral(v));
  return cells;
}

std::vector<std::string> SplitLines(const std::string& Bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < Bytes.size()) {
    size_t end = Bytes.find('\n', start);
    if (end == std::string::npos) end = Bytes.size();
    std::string line = Bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool ReadNumber(const std::string& Text, int& Number) {
  if (Text.empty() || Text.size() > 9 || Text.find_first_not_of("0123456789") != std::string::npos) return false;
  Number = std::stoi(Text);
  return true;
}

// The tag of a part line: the case number before the first comma (0 for the
// table's own lines); HasText tells whether a line of text follows it.
bool ReadTag(const std::string& Line, int& Case, bool& HasText, std::string& Text) {
  const size_t comma = Line.find(',');
  HasText = comma != std::string::npos;
  Text = HasText ? Line.substr(comma + 1) : "";
  return ReadNumber(Line.substr(0, comma), Case);
}

TResult ReadPart(const std::string& File, TPart& Part) {
  std::string bytes;
  if (TResult read = ReadFileBytes(File, bytes); !read) return read;
  std::vector<std::string> lines = SplitLines(bytes);
  const TResult not_a_part = TResult::Failure("[" + File + "] is not a design table part");
  if (lines.empty()) return not_a_part;
  const std::vector<std::string> head = SplitCommaText(lines[0], true);
  if (head.size() != 4 || head[0] != GetAppName() + " design table part" || !ReadNumber(head[1], Part.Part) ||
      !ReadNumber(head[2], Part.Parts) || !ReadNumber(head[3], Part.Cases) || Part.Parts < 1 || Part.Part < 1 ||
      Part.Part > Part.Parts)
    return not_a_part;
  Part.File = File;
  // The record of what it was cut from, one "#" line per key in order.
  size_t at = 1;
  for (const char* key : kRecordKeys) {
    const std::vector<std::string> cells =
        at < lines.size() ? SplitCommaText(lines[at], true) : std::vector<std::string>{};
    if (cells.size() < 2 || cells[0] != "#" || cells[1] != key)
      return TResult::Failure("[" + File + "] does not say what table it was cut from (" + key +
                              " is missing): run its parts again with this version");
    std::string value;
    for (size_t c = 2; c < cells.size(); ++c) value += (c > 2 ? "," : "") + cells[c];
    Part.Record.push_back(value);
    ++at;
  }
  Part.Lines.assign(lines.begin() + static_cast<long>(at), lines.end());
  for (const std::string& line : Part.Lines) {
    int n;
    bool has_text;
    std::string text;
    if (!ReadTag(line, n, has_text, text) || n > Part.Cases || (n == 0 && !has_text)) return not_a_part;
    // A part holds the lines of its own cases only.
    if (n > 0 && has_text && (n - 1) % Part.Parts != Part.Part - 1) return not_a_part;
  }
  return {};
}

// The lines that must agree between the parts of one table: the table's own
// lines and the places of the cases, less the file name and date of the run.
std::vector<std::string> Skeleton(const TPart& Part) {
  std::vector<std::string> out;
  for (const std::string& line : Part.Lines) {
    int n;
    bool has_text;
    std::string text;
    (void)ReadTag(line, n, has_text, text);
    if (n > 0 && has_text) continue;
    if (n == 0 && (text.rfind("Design table input file,", 0) == 0 || text.rfind("Tables created,", 0) == 0)) continue;
    out.push_back(line);
  }
  return out;
}

// The project file a part's table names ("Design table input file,<file>").
std::string ProjectFileOf(const TPart& Part) {
  for (const std::string& line : Part.Lines) {
    int n;
    bool has_text;
    std::string text;
    if (!ReadTag(line, n, has_text, text) || n != 0) continue;
    if (text.rfind("Design table input file,", 0) != 0) continue;
    const std::vector<std::string> cells = SplitCommaText(text, true);
    return cells.size() > 1 ? cells[1] : std::string();
  }
  return "";
}

}  // namespace

std::string DesignTablePartFileName(const std::string& ProjectFileName, int Part, int Parts) {
  return DeriveFileName(ProjectFileName, "-Design-" + std::to_string(Part) + "of" + std::to_string(Parts), ".csv");
}

std::vector<std::string> DesignTablePartHeader(int Part, int Parts, int Cases, const TDesignTablePartSource& Source) {
  const std::vector<std::vector<std::string>> values = {
      {Source.Project},
      {std::to_string(Source.Edition)},
      {std::to_string(Source.FirstFloorUse), std::to_string(Source.LastFloorUse)},
      NumberCells(Source.Spans),
      NumberCells(Source.Spacings),
      {Source.ProjectFingerprint},
      {Source.DesignLibraryFingerprint},
  };
  std::vector<std::string> lines = {GetAppName() + " design table part," + std::to_string(Part) + "," +
                                    std::to_string(Parts) + "," + std::to_string(Cases)};
  for (size_t k = 0; k < values.size(); ++k) {
    std::vector<std::string> cells = {"#", kRecordKeys[k]};
    cells.insert(cells.end(), values[k].begin(), values[k].end());
    lines.push_back(report::ReportRow(cells));
  }
  return lines;
}

std::string DesignTableProjectFingerprint(const std::string& ProjectBytes) {
  TVEXIniFile ini = TVEXIniFile::FromBytes(ProjectBytes);
  for (const char* section : {"Tests", "TestGroups", "DesignTable", "Output"}) ini.EraseSection(section);
  for (const char* key : {"Checksum", "Designer", "Description"}) ini.DeleteKey("Project", key);
  return HashText(ini.ToBytes());
}

TResult MergeDesignTableParts(const std::vector<std::string>& PartFiles, const std::string& OutputFile) {
  if (PartFiles.empty()) return TResult::Failure("No design table parts to join");
  std::string output = OutputFile;
  if (output.empty()) {
    const std::filesystem::path path(PartFiles[0]);
    std::smatch m;
    const std::string stem = path.stem().string();
    if (!std::regex_match(stem, m, std::regex(R"((.*)-\d+of\d+)")))
      return TResult::Failure("Cannot tell the table's name from [" + PartFiles[0] + "]: name the file to write");
    output = (path.parent_path() / (m[1].str() + path.extension().string())).string();
  }
  std::vector<TPart> parts(PartFiles.size());
  for (size_t i = 0; i < PartFiles.size(); ++i)
    if (TResult read = ReadPart(PartFiles[i], parts[i]); !read) return read;

  // Nothing the parts come from is written over: the parts, and the project
  // they name (as the runs named it, from here or from a part's folder).
  TFileUses uses;
  for (const TPart& p : parts) {
    uses.AddInput(p.File, "design table part");
    const std::string project = ProjectFileOf(p);
    uses.AddInput(project, "project file");
    if (!project.empty() && std::filesystem::path(project).is_relative())
      uses.AddInput((std::filesystem::path(p.File).parent_path() / project).string(), "project file");
  }
  uses.AddOutput(output);
  if (TResult checked = uses.Check(); !checked) return checked;

  const TPart& any = parts[0];
  std::map<int, const TPart*> by_number;
  for (const TPart& p : parts) {
    if (p.Parts != any.Parts || p.Cases != any.Cases)
      return TResult::Failure("[" + p.File + "] and [" + any.File + "] are parts of different tables");
    if (!by_number.emplace(p.Part, &p).second)
      return TResult::Failure("Part " + std::to_string(p.Part) + " of " + std::to_string(p.Parts) +
                              " is given twice ([" + by_number[p.Part]->File + "], [" + p.File + "])");
  }
  for (int k = 1; k <= any.Parts; ++k)
    if (!by_number.count(k))
      return TResult::Failure("Part " + std::to_string(k) + " of " + std::to_string(any.Parts) + " is missing");
  const TPart& first = *by_number[1];
  // The first thing two parts were cut from differently is named.
  for (const TPart& p : parts)
    for (size_t k = 0; k < p.Record.size(); ++k)
      if (p.Record[k] != first.Record[k])
        return TResult::Failure("[" + p.File + "] and [" + first.File + "] are parts of different tables: " +
                                kRecordKeys[k] + " " + p.Record[k] + " in the one, " + first.Record[k] +
                                " in the other");
  const std::vector<std::string> skeleton = Skeleton(first);
  for (const TPart& p : parts)
    if (Skeleton(p) != skeleton)
      return TResult::Failure("[" + p.File + "] and [" + first.File + "] are parts of different tables");

  // Each case's lines, from the part that ran it.
  std::map<int, std::vector<std::string>> case_lines;
  for (const TPart& p : parts)
    for (const std::string& line : p.Lines) {
      int n;
      bool has_text;
      std::string text;
      (void)ReadTag(line, n, has_text, text);
      if (n > 0 && has_text) case_lines[n].push_back(text);
    }
  std::string table;
  for (const std::string& line : first.Lines) {
    int n;
    bool has_text;
    std::string text;
    (void)ReadTag(line, n, has_text, text);
    if (n == 0) table += text + "\r\n";
    else if (!has_text)
      for (const std::string& l : case_lines[n]) table += l + "\r\n";
  }

  if (TResult written = WriteFileAtomic(output, table); !written) return written;
  return TResult::Success(output);
}
