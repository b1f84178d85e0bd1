#include "admin/cProjectSnapshot.h"

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "project/cProjectFile.h"

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
