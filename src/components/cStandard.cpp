#include "components/cStandard.h"

namespace {

int ValidVersion(int Version) { return Version == kStandard2003 ? kStandard2003 : kStandard2017; }

TProgramSetting<int> g_standard_version{kStandard2017};

}  // namespace

int StandardVersion() { return g_standard_version.Get(); }
void SetStandardVersion(int Version) { g_standard_version.SetProgramWide(ValidVersion(Version)); }

TStandardVersionScope::TStandardVersionScope(int Version) : scope_(g_standard_version, ValidVersion(Version)) {}

std::string StandardName(int Version) { return StandardFor(Version).Name(); }
std::string CurrentStandardName() { return CurrentStandard().Name(); }

const TStandard& StandardFor(int Version) {
  return ValidVersion(Version) == kStandard2003 ? Standard2003() : Standard2017();
}

const TStandard& CurrentStandard() { return StandardFor(StandardVersion()); }
