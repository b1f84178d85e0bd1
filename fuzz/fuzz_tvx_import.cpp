// Reads arbitrary bytes as an older project file, then validates and saves
// the project as the program does after an import.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "admin/cImport.h"
#include "entity/cIniFiles.h"
#include "project/cProject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A fresh project per input, so that a finding reproduces from its input alone.
  TProject project;
  project.SetLimitStateValues(nullptr);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (ImportFromTvxText(project, text, "fuzz.tvx", 0).IsOK()) {
    project.UpdateBeamGeometry();
    project.UpdateAutoLoads();
    (void)project.IsOK();
    auto saved = TVEXIniFile::FromBytes("");
    project.SaveToIniFile(saved, "", "");
    (void)saved.ToBytes();
  }
  return 0;
}
