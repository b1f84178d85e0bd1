// The folders the program uses and the files it ships with. (The per-user
// settings, the recent files and the theme, are the window's: ui/cSettings.h.)
#pragma once

#include <string>

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
// The files the program ships with, by name: GetShippedFile finds them.
inline constexpr char kLibraryFileName[] = "Trevalon.tvl";              // the component libraries
inline constexpr char kDesignLibraryFileName[] = "Trevalon-Design.tvl";  // the design tables' library
inline constexpr char kSampleProjectFileName[] = "SampleAnalysis.tva";  // the sample project
inline constexpr char kUserManualFileName[] = "Trevalon.pdf";           // the user manual
inline constexpr char kReadMeFileName[] = "ReadMe.txt";                 // the release notes

// The file Name the program ships with (library, sample, manual, ReadMe):
// beside the program first, so a build folder works, then in share/trevalon
// next to the program's folder (../share/trevalon from bin), where an install
// under any prefix or an unpacked package puts it. When neither exists, the
// path where it belongs: the share folder's when that folder exists, else the
// program folder's, so a message names the place to look.
std::string GetShippedFile(const std::string& Name);
// The same search from a given program folder.
std::string FindShippedFile(const std::string& ProgramFolder, const std::string& Name);
