// Small helpers of the window: text conversion between the core's UTF-8
// strings and Qt, derived file names, the busy cursor and the program's files.
#pragma once

#include <QCursor>
#include <QString>

#include <string>

inline QString ToQ(const std::string& Text) { return QString::fromStdString(Text); }
inline std::string ToStd(const QString& Text) { return Text.toStdString(); }

// BasePath (or the program file's path when empty) with its file extension
// (the part after the last "." of the file name) removed, then Suffix and
// Extension appended. Dots in folder names are kept:
// DeriveFileName("/a.b/job.tva", "-Results", ".csv") is "/a.b/job-Results.csv".
QString DeriveFileName(const QString& BasePath, const QString& Suffix, const QString& Extension);

// The folder of the program file, and a file the program ships with: beside
// the program, else in ../share/trevalon where an install puts it.
QString ProgramFolder();
QString ProgramFile(const QString& Name);
// The per-user working folder (created when missing), with a trailing "/".
QString WorkFolder();

// Shows the hourglass for its lifetime and restores the cursor that was shown
// before. Nests: an inner guard restores the outer guard's hourglass.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};
