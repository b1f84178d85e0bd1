#include "admin/cDesignTableParts.h"

#include <filesystem>
#include <map>
#include <regex>

#include "entity/VEXUtility.h"

namespace {

struct TPart {
  std::string File;
  int Part = 0, Parts = 0, Cases = 0;
  std::vector<std::string> Lines;  // behind the header
};

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
  Part.Lines.assign(lines.begin() + 1, lines.end());
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

}  // namespace

std::string DesignTablePartFileName(const std::string& ProjectFileName, int Part, int Parts) {
  return DeriveFileName(ProjectFileName, "-Design-" + std::to_string(Part) + "of" + std::to_string(Parts), ".csv");
}

std::string DesignTablePartHeader(int Part, int Parts, int Cases) {
  return GetAppName() + " design table part," + std::to_string(Part) + "," + std::to_string(Parts) + "," +
         std::to_string(Cases);
}

TResult MergeDesignTableParts(const std::vector<std::string>& PartFiles, const std::string& OutputFile) {
  if (PartFiles.empty()) return TResult::Failure("No design table parts to join");
  std::vector<TPart> parts(PartFiles.size());
  for (size_t i = 0; i < PartFiles.size(); ++i)
    if (TResult read = ReadPart(PartFiles[i], parts[i]); !read) return read;

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

  std::string output = OutputFile;
  if (output.empty()) {
    const std::filesystem::path path(PartFiles[0]);
    std::smatch m;
    const std::string stem = path.stem().string();
    if (!std::regex_match(stem, m, std::regex(R"((.*)-\d+of\d+)")))
      return TResult::Failure("Cannot tell the table's name from [" + PartFiles[0] + "]: name the file to write");
    output = (path.parent_path() / (m[1].str() + path.extension().string())).string();
  }
  if (TResult written = WriteFileAtomic(output, table); !written) return written;
  return TResult::Success(output);
}
