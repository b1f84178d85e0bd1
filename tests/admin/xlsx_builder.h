// Small .xlsx workbooks for tests, written as a spreadsheet program writes
// them: a zip package with content types, relationships, the workbook, one
// part per worksheet and the shared strings. Numbers go into cells as
// numbers, text as shared strings unless asked otherwise. Parts can be
// replaced or left out to make damaged workbooks.
#pragma once

#include <zip.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace xlsx_test {

class TWorkbookBuilder {
 public:
  // A number cell; Stored is the text the workbook stores ("9000", "1E-6").
  TWorkbookBuilder& Number(const std::string& Sheet, const std::string& Ref, const std::string& Stored) {
    return Raw(Sheet, Ref, "<v>" + Stored + "</v>");
  }
  TWorkbookBuilder& Number(const std::string& Sheet, const std::string& Ref, double Value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", Value);
    return Number(Sheet, Ref, std::string(text));
  }
  // A text cell through the shared strings.
  TWorkbookBuilder& Text(const std::string& Sheet, const std::string& Ref, const std::string& Value) {
    size_t index = shared_.size();
    for (size_t i = 0; i < shared_.size(); ++i)
      if (shared_[i] == Value) index = i;
    if (index == shared_.size()) shared_.push_back(Value);
    return Raw(Sheet, Ref, "<v>" + std::to_string(index) + "</v>", " t=\"s\"");
  }
  TWorkbookBuilder& InlineText(const std::string& Sheet, const std::string& Ref, const std::string& Value) {
    return Raw(Sheet, Ref, "<is><t xml:space=\"preserve\">" + Escaped(Value) + "</t></is>", " t=\"inlineStr\"");
  }
  TWorkbookBuilder& Boolean(const std::string& Sheet, const std::string& Ref, bool Value) {
    return Raw(Sheet, Ref, Value ? "<v>1</v>" : "<v>0</v>", " t=\"b\"");
  }
  TWorkbookBuilder& ErrorValue(const std::string& Sheet, const std::string& Ref, const std::string& Code) {
    return Raw(Sheet, Ref, "<v>" + Code + "</v>", " t=\"e\"");
  }
  // A cell with any content and attributes (Attributes start with a blank).
  TWorkbookBuilder& Raw(const std::string& Sheet, const std::string& Ref, const std::string& Content,
                        const std::string& Attributes = "") {
    SheetNamed(Sheet).Cells[Key(Ref)] = "<c r=\"" + Ref + "\"" + Attributes + ">" + Content + "</c>";
    return *this;
  }
  // An empty sheet, so that it exists.
  TWorkbookBuilder& Sheet(const std::string& Name) {
    SheetNamed(Name);
    return *this;
  }
  // Replaces a part's generated text, or ("" with Remove) leaves it out.
  TWorkbookBuilder& Part(const std::string& Name, const std::string& Text) {
    overrides_[Name] = Text;
    return *this;
  }
  TWorkbookBuilder& RemovePart(const std::string& Name) {
    removed_.push_back(Name);
    return *this;
  }

  // Every part of the package, generated or replaced.
  std::map<std::string, std::string> Parts() const {
    std::map<std::string, std::string> parts;
    std::string types, sheets, rels;
    for (size_t i = 0; i < sheets_.size(); ++i) {
      const std::string n = std::to_string(i + 1);
      types += "<Override PartName=\"/xl/worksheets/sheet" + n +
               ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
      sheets += "<sheet name=\"" + Escaped(sheets_[i].Name) + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
      rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRelBase + "worksheet\" Target=\"worksheets/sheet" + n +
              ".xml\"/>";
      std::string rows;
      int row = -1;
      for (const auto& [key, cell] : sheets_[i].Cells) {
        if (key.first != row) {
          if (row >= 0) rows += "</row>";
          row = key.first;
          rows += "<row r=\"" + std::to_string(row) + "\">";
        }
        rows += cell;
      }
      if (row >= 0) rows += "</row>";
      parts["xl/worksheets/sheet" + n + ".xml"] =
          std::string(kXmlHeader) + "<worksheet xmlns=\"" + kMain + "\"><sheetData>" + rows + "</sheetData></worksheet>";
    }
    rels += "<Relationship Id=\"rIdS\" Type=\"" + std::string(kRelBase) +
            "sharedStrings\" Target=\"sharedStrings.xml\"/>";
    std::string strings;
    for (const std::string& s : shared_) strings += "<si><t xml:space=\"preserve\">" + Escaped(s) + "</t></si>";

    parts["[Content_Types].xml"] =
        std::string(kXmlHeader) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>" +
        types + "</Types>";
    parts["_rels/.rels"] = std::string(kXmlHeader) + "<Relationships xmlns=\"" + kRels + "\"><Relationship Id=\"rId1\" Type=\"" +
                           kRelBase + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    parts["xl/workbook.xml"] = std::string(kXmlHeader) + "<workbook xmlns=\"" + kMain +
                               "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                               "<sheets>" + sheets + "</sheets></workbook>";
    parts["xl/_rels/workbook.xml.rels"] =
        std::string(kXmlHeader) + "<Relationships xmlns=\"" + kRels + "\">" + rels + "</Relationships>";
    parts["xl/sharedStrings.xml"] = std::string(kXmlHeader) + "<sst xmlns=\"" + kMain + "\" count=\"" +
                                    std::to_string(shared_.size()) + "\">" + strings + "</sst>";
    for (const auto& [name, text] : overrides_) parts[name] = text;
    for (const std::string& name : removed_) parts.erase(name);
    return parts;
  }

  // Writes the package as a zip file (deflated, as spreadsheet programs do;
  // IsStored: not compressed at all, so the file is as large as its parts).
  void Write(const std::string& File, bool IsStored = false) const {
    const std::map<std::string, std::string> parts = Parts();
    int error = 0;
    zip_t* zip = zip_open(File.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) throw std::runtime_error("cannot create " + File);
    for (const auto& [name, text] : parts) {
      zip_source_t* source = zip_source_buffer(zip, text.data(), text.size(), 0);
      const zip_int64_t index = source ? zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
      if (index < 0) {
        if (source) zip_source_free(source);
        zip_discard(zip);
        throw std::runtime_error("cannot add " + name);
      }
      if (IsStored) zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(zip) != 0) {
      zip_discard(zip);
      throw std::runtime_error("cannot write " + File);
    }
  }

  static std::string Escaped(const std::string& Text) {
    std::string out;
    for (char c : Text) {
      if (c == '&') out += "&amp;";
      else if (c == '<') out += "&lt;";
      else if (c == '>') out += "&gt;";
      else if (c == '"') out += "&quot;";
      else out += c;
    }
    return out;
  }

 private:
  static constexpr const char* kXmlHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
  static constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  static constexpr const char* kRels = "http://schemas.openxmlformats.org/package/2006/relationships";
  static constexpr const char* kRelBase = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

  struct TSheet {
    std::string Name;
    std::map<std::pair<int, int>, std::string> Cells;  // (row, column) -> cell element
  };

  // Row and column of a reference such as "B12", for ordering the cells.
  static std::pair<int, int> Key(const std::string& Ref) {
    int row = 0, column = 0;
    for (char c : Ref) {
      if (c >= '0' && c <= '9') row = row * 10 + (c - '0');
      else column = column * 26 + (c - 'A' + 1);
    }
    return {row, column};
  }

  TSheet& SheetNamed(const std::string& Name) {
    for (TSheet& s : sheets_)
      if (s.Name == Name) return s;
    sheets_.push_back({Name, {}});
    return sheets_.back();
  }

  std::vector<TSheet> sheets_;
  std::vector<std::string> shared_;
  std::map<std::string, std::string> overrides_;
  std::vector<std::string> removed_;
};

}  // namespace xlsx_test
