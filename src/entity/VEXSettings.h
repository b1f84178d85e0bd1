// Per-user settings and the folders the program uses.
#pragma once

#include <string>

// The settings store is Trevalon.ini in the user's config folder; missing
// values read as 0 or "". The writers return the value read back.
int ReadSettingInteger(const std::string& Name);
std::string ReadSettingString(const std::string& Name);
int WriteSettingInteger(const std::string& Name, int Value);
std::string WriteSettingString(const std::string& Name, const std::string& Value);
// The file behind the settings store (XDG_CONFIG_HOME moves it).
std::string SettingsFileName();

// "APPDATA", "LOCAL_APPDATA", "PERSONAL", "PROGRAM_FILES", "COMMON_APPDATA";
// anything else, or a folder that does not exist, gives "$" + name + "$".
// Paths use "/" and have no trailing separator.
std::string GetSpecialFolder(const std::string& FolderName);
// The local data folder + Subfolder + "/" (created when missing); failing that
// the local data folder + "Temp/"; failing that the local data folder itself + "/";
// "" when none exists.
std::string GetWorkFolder(const std::string& Subfolder);
// The folder holding the running executable, without trailing separator.
std::string GetProgramFolder();
// The running executable's full path.
std::string GetProgramFile();
// A file name derived from another: BasePath (the program file when empty)
// without its extension (the part after the last "." of the file name, if
// any), then Suffix, then Extension. Other dots in the path are kept:
// DeriveFileName("/a.b/job.tva", "-Test", ".csv") is "/a.b/job-Test.csv".
std::string DeriveFileName(const std::string& BasePath, const std::string& Suffix, const std::string& Extension);
