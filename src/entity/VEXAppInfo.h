// The program's identity: its name (which also names the settings, the work
// folder and default file names), description and version.
#pragma once

#include <string>

std::string GetAppName();         // "Trevalon"
std::string GetAppDescription();  // "Software for the analysis of composite steel/concrete beams"
std::string GetAppVersion();      // description + " " + four-number version
std::string GetAppVersionShort(); // "3.0"
std::string GetAppFileVersion();  // the four-number version alone, "3.0.0.1"
