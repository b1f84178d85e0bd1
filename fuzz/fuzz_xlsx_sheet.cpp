// Reads arbitrary XML as the parts of a workbook inside a sound zip package,
// so that the sheet, shared-string and workbook readers see the bytes
// themselves (a mutated zip mostly fails its checksums first). The input is
// the worksheet XML, optionally followed by "\n--sst--\n" and the shared
// strings, and "\n--workbook--\n" and the workbook part. Every sheet the
// import reads is that one worksheet.
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "admin/cExcelDirect.h"
#include "admin/cImport.h"
#include "project/cProject.h"

namespace {

const char* const kSheets[] = {"General_Beam_Data", "Deflection_Data",   "Steel_X_Sections", "Concrete_X_Sections",
                               "Composite_X_Sections", "Distributed_Loads", "Point_Loads"};
const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::string DefaultWorkbook() {
  std::string sheets;
  for (int i = 0; i < 7; ++i)
    sheets += "<sheet name=\"" + std::string(kSheets[i]) + "\" sheetId=\"" + std::to_string(i + 1) +
              "\" r:id=\"rId1\"/>";
  return "<workbook xmlns:r=\"" + kRel + "\"><sheets>" + sheets + "</sheets></workbook>";
}

// Cuts Text at Marker: what follows goes to Tail (left alone when the marker is absent).
void SplitAt(std::string& Text, const std::string& Marker, std::string& Tail) {
  const size_t at = Text.find(Marker);
  if (at == std::string::npos) return;
  Tail = Text.substr(at + Marker.size());
  Text.erase(at);
}

// The parts as a stored (uncompressed) zip archive in memory; "" on failure.
std::string Zip(const std::map<std::string, std::string>& Parts) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (!buffer) return "";
  zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  std::string bytes;
  if (zip) {
    zip_source_keep(buffer);  // the written archive outlives zip_close
    bool ok = true;
    for (const auto& [name, text] : Parts) {
      zip_source_t* s = zip_source_buffer(zip, text.data(), text.size(), 0);
      const zip_int64_t index = s ? zip_file_add(zip, name.c_str(), s, 0) : -1;
      if (index < 0) {
        if (s) zip_source_free(s);
        ok = false;
        break;
      }
      zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (ok && zip_close(zip) == 0) {
      if (zip_source_open(buffer) == 0) {
        char chunk[65536];
        for (zip_int64_t n; (n = zip_source_read(buffer, chunk, sizeof chunk)) > 0;)
          bytes.append(chunk, static_cast<size_t>(n));
        zip_source_close(buffer);
      }
    } else {
      zip_discard(zip);
    }
  }
  zip_source_free(buffer);
  zip_error_fini(&error);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string sheet(reinterpret_cast<const char*>(data), size), sst = "<sst/>", workbook = DefaultWorkbook();
  SplitAt(sheet, "\n--workbook--\n", workbook);
  SplitAt(sheet, "\n--sst--\n", sst);
  const std::map<std::string, std::string> parts = {
      {"xl/workbook.xml", workbook},
      {"xl/_rels/workbook.xml.rels",
       "<Relationships><Relationship Id=\"rId1\" Type=\"" + kRel +
           "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rIdS\" Type=\"" + kRel +
           "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml", sheet},
      {"xl/sharedStrings.xml", sst}};
  const std::string package = Zip(parts);
  if (package.empty()) return 0;

  TProject project;
  project.SetLimitStateValues(nullptr);
  TExcelDirect book;
  book.ConnectToBytes(package, "fuzz.xlsx");
  if (ImportFromWorkbook(project, book, "fuzz.xlsx", 0).IsOK()) {
    project.UpdateBeamGeometry();
    project.UpdateAutoLoads();
    (void)project.IsOK();
  }
  return 0;
}
