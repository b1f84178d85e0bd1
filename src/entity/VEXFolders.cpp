#include "entity/VEXFolders.h"

#include <cstdlib>
#include <filesystem>

#include "entity/VEXAppInfo.h"
#include "entity/VEXText.h"

namespace fs = std::filesystem;

namespace {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) : std::string();
}

std::string XdgFolder(const char* variable, const char* fallback) {
  const char* v = std::getenv(variable);
  if (v && *v && v[0] == '/') return std::string(v);
  std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/" + fallback;
}

std::string StripTrailingSlash(std::string p) {
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

}  // namespace

std::string GetProgramFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  return exe.parent_path().string();
}

std::string GetProgramFile() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "./" + LowerCase(GetAppName());
  return exe.string();
}

std::string DeriveFileName(const std::string& BasePath, const std::string& Suffix, const std::string& Extension) {
  std::string path = BasePath.empty() ? GetProgramFile() : BasePath;
  const size_t slash = path.find_last_of("/\\");
  const size_t dot = path.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
  return path + Suffix + Extension;
}

std::string FindShippedFile(const std::string& ProgramFolder, const std::string& Name) {
  const fs::path beside = fs::path(ProgramFolder) / Name;
  // "/usr/bin" gives "/usr/share/trevalon", "." gives "../share/trevalon".
  const fs::path share = (fs::path(ProgramFolder) / "..").lexically_normal() / "share" / "trevalon";
  std::error_code ec;
  if (fs::exists(beside, ec)) return beside.string();
  // Missing from an install still names the install's folder.
  return IsDirectory(share.string()) ? (share / Name).string() : beside.string();
}

std::string GetShippedFile(const std::string& Name) { return FindShippedFile(GetProgramFolder(), Name); }

std::string GetSpecialFolder(const std::string& FolderName) {
  std::string name = UpperCase(FolderName);
  std::string path;
  if (name == "APPDATA") {
    path = XdgFolder("XDG_CONFIG_HOME", ".config");
  } else if (name == "LOCAL_APPDATA") {
    path = XdgFolder("XDG_DATA_HOME", ".local/share");
  } else if (name == "PERSONAL") {
    std::string home = HomeFolder();
    path = IsDirectory(home + "/Documents") ? home + "/Documents" : home;
  } else if (name == "PROGRAM_FILES") {
    path = fs::path(GetProgramFolder()).parent_path().string();
  } else if (name == "COMMON_APPDATA") {
    path = "/var/lib";
  }
  path = StripTrailingSlash(path);
  if (!IsDirectory(path)) return "$" + FolderName + "$";
  return path;
}

std::string GetWorkFolder(const std::string& Subfolder) {
  std::string base = XdgFolder("XDG_DATA_HOME", ".local/share");
  if (base.empty()) return "";
  std::error_code ec;
  fs::create_directories(base, ec);
  if (!IsDirectory(base)) return "";
  base = StripTrailingSlash(base);
  std::string wanted = base + "/" + Subfolder;
  fs::create_directories(wanted, ec);
  if (IsDirectory(wanted)) return wanted + "/";
  std::string temp = base + "/Temp";
  fs::create_directories(temp, ec);
  if (IsDirectory(temp)) return temp + "/";
  return base + "/";
}
