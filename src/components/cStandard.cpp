#include "components/cStandard.h"

namespace {

int ValidVersion(int Version) { return Version == kStandard2003 ? kStandard2003 : kStandard2017; }

TProgramSetting<int> g_standard_version{kStandard2017};

}  // namespace

int StandardVersion() { return g_standard_version.Get(); }
void SetStandardVersion(int Version) { g_standard_version.SetProgramWide(ValidVersion(Version)); }

TStandardVersionScope::TStandardVersionScope(int Version) : scope_(g_standard_version, ValidVersion(Version)) {}

std::string StandardName(int Version) { return Version == kStandard2003 ? "AS/NZS2327.1-2003" : "AS/NZS2327:2017"; }
std::string CurrentStandardName() { return StandardName(StandardVersion()); }
