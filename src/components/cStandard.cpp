#include "components/cStandard.h"

namespace {
int g_standard_version = kStandard2017;
}

int StandardVersion() { return g_standard_version; }
void SetStandardVersion(int Version) { g_standard_version = Version == kStandard2003 ? kStandard2003 : kStandard2017; }

std::string StandardName(int Version) { return Version == kStandard2003 ? "AS/NZS2327.1-2003" : "AS/NZS2327:2017"; }
std::string CurrentStandardName() { return StandardName(StandardVersion()); }
