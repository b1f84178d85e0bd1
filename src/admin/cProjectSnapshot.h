// What the administrator tools need to rewrite a project for a while and give
// it back untouched: a snapshot of the whole project held in memory. (The
// scratch folder of a run, TRunFolder, is in entity/VEXFiles.h.)
#pragma once

#include <memory>
#include <string>

#include "entity/cResult.h"
#include "project/cProject.h"
#include "project/cSession.h"

class TVEXIniFile;

// The whole project as its project file holds it (tests and design-table
// settings included), kept in memory: the state snapshot of a test run or a
// design table. Restoring reads it back the way opening a file does, so the
// project comes back as the user had it (without analysis results, which a
// file does not keep). Nothing is written to disk, so two runs at once never
// share a snapshot, and a failed disk cannot lose the user's project.
//
// Not thread-safe; one owner. Bytes() may be handed to other threads, which
// make their own copies from it (CopyProject).
class TProjectSnapshot {
 public:
  // Takes the snapshot (the project's checksum is brought up to date, as any save does).
  explicit TProjectSnapshot(TProject& Project);
  ~TProjectSnapshot();
  TProjectSnapshot(const TProjectSnapshot&) = delete;
  TProjectSnapshot& operator=(const TProjectSnapshot&) = delete;

  // Writes Test into the snapshot under its 1-based Position in the test list,
  // so that its results survive the restore.
  void SaveTest(TTest& Test, int Position);
  // Loads Project from the snapshot, as opening the file would, with Session's libraries.
  void Restore(TProject& Project, const TSession& Session) const;
  // The snapshot as project file text.
  std::string Bytes() const;

 private:
  std::unique_ptr<TVEXIniFile> ini_;
};

// Loads Project from project file text, as opening a file with those bytes would.
void CopyProject(const std::string& ProjectBytes, TProject& Project, const TSession& Session);
