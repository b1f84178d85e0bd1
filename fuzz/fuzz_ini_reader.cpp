// Feeds arbitrary bytes to the INI reader and reads every key back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "entity/cIniFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto ini = TVEXIniFile::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const auto& section : ini.ReadSections())
    for (const auto& key : ini.ReadSection(section)) {
      (void)ini.ReadFloat(section, key, 0);
      (void)ini.ReadInteger(section, key, 0);
    }
  (void)ini.ToBytes();
  return 0;
}
