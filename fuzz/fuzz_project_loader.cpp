// Reads arbitrary bytes as a project file, then validates, summarises and
// saves the project as the program does after opening a file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "entity/cIniFiles.h"
#include "project/cProject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto ini = TVEXIniFile::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  // A fresh project per input, so that a finding reproduces from its input alone.
  TProject project;
  project.SetLimitStateValues(nullptr);
  project.LoadFromIniFile(ini, "", "");
  project.UpdateAutoLoads();
  (void)project.IsOK();
  (void)project.CalcNewChecksum();
  auto saved = TVEXIniFile::FromBytes("");
  project.SaveToIniFile(saved, "", "");
  (void)saved.ToBytes();
  return 0;
}
