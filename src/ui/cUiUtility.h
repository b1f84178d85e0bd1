// Small helpers of the window: text conversion between the core's UTF-8
// strings and Qt, the busy cursor and the program's files. (Derived file
// names are the core's DeriveFileName, entity/VEXFolders.h.)
#pragma once

#include <QCursor>
#include <QString>

#include <string>

#include "entity/cResult.h"

inline QString ToQ(const std::string& Text) { return QString::fromStdString(Text); }
inline std::string ToStd(const QString& Text) { return Text.toStdString(); }

// The folder of the program file, and a file the program ships with: beside
// the program, else in ../share/trevalon where an install puts it.
QString ProgramFolder();
QString ProgramFile(const QString& Name);
// The per-user working folder (created when missing), with a trailing "/".
QString WorkFolder();

// The window's side of the one rule for outputs (TFileUses): File, about to
// be written, is none of the files the window reads: the open project
// (ProjectFile, "" for an untitled one; unless IsProjectSave, a save of the
// project into it) and the library files the program ships with. The
// failure's message says which.
TResult CheckWindowOutput(const QString& File, const QString& ProjectFile, bool IsProjectSave = false);

// Shows the hourglass for its lifetime and restores the cursor that was shown
// before. Nests: an inner guard restores the outer guard's hourglass.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};
