#include "entity/VEXAppInfo.h"

#include "entity/VEXText.h"

// TREVALON_VERSION is set for this unit alone, from the version in the
// top-level CMakeLists.txt.
std::string GetAppName() { return "Trevalon"; }
std::string GetAppDescription() { return "Software for the analysis of composite steel/concrete beams"; }
std::string GetAppVersion() { return GetAppDescription() + " " + TREVALON_VERSION; }
std::string GetAppFileVersion() { return TREVALON_VERSION; }

std::string GetAppVersionShort() {
  // The version number cut before its second ".": 3.0.0.1 gives 3.0.
  std::string v = TREVALON_VERSION;
  int second = PosN(".", v, 2);
  return second > 0 ? v.substr(0, second - 1) : v;
}
