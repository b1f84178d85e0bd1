// Reads arbitrary bytes as a workbook file (the zip package and everything
// in it) and imports it, as the Import command does with an .xlsx file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "admin/cExcelDirect.h"
#include "admin/cImport.h"
#include "project/cProject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TProject project;
  project.SetLimitStateValues(nullptr);
  TExcelDirect book;
  book.ConnectToBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz.xlsx");
  if (ImportFromWorkbook(project, book, "fuzz.xlsx", 0).IsOK()) {
    project.UpdateBeamGeometry();
    project.UpdateAutoLoads();
    (void)project.IsOK();
  }
  return 0;
}
