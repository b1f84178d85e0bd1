#include "admin/cProjectSnapshot.h"

#include <stdlib.h>

#include <filesystem>

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "project/cProjectFile.h"

namespace fs = std::filesystem;

TProjectSnapshot::TProjectSnapshot(TProject& Project)
    : ini_(std::make_unique<TVEXIniFile>(TVEXIniFile::FromBytes(""))) {
  Project.SaveToIniFile(*ini_, "", "");
}

TProjectSnapshot::~TProjectSnapshot() = default;

void TProjectSnapshot::SaveTest(TTest& Test, int Position) {
  Test.SaveToIniFile(*ini_, "", std::to_string(Position));
}

void TProjectSnapshot::Restore(TProject& Project, const TSession& Session) const {
  LoadProjectFromIniFile(Project, Session, *ini_);
}

std::string TProjectSnapshot::Bytes() const { return ini_->ToBytes(); }

void CopyProject(const std::string& ProjectBytes, TProject& Project, const TSession& Session) {
  TVEXIniFile ini = TVEXIniFile::FromBytes(ProjectBytes);
  LoadProjectFromIniFile(Project, Session, ini);
}

TRunFolder::~TRunFolder() {
  if (path_.empty()) return;
  std::error_code ec;
  fs::remove_all(path_, ec);
}

TResult TRunFolder::Make(const std::string& WorkFolder) {
  std::string base = WorkFolder.empty() ? GetWorkFolder(GetAppName()) : WorkFolder;
  if (base.empty()) {
    std::error_code ec;
    base = fs::temp_directory_path(ec).string();
  }
  if (!base.empty() && base.back() != '/') base += '/';
  std::string name = base + "TVRun-XXXXXX";
  if (!::mkdtemp(name.data())) return TResult::Failure("Cannot make a work folder in [" + base + "]");
  path_ = name + "/";
  return {};
}
