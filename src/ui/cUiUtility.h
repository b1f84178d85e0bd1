// Small helpers of the window: text conversion between the core's UTF-8
// strings and Qt, the busy cursor and the program's files. (Derived file
// names are the core's DeriveFileName, entity/VEXSettings.h.)
#pragma once

#include <QCursor>
#include <QString>

#include <string>

inline QString ToQ(const std::string& Text) { return QString::fromStdString(Text); }
inline std::string ToStd(const QString& Text) { return Text.toStdString(); }

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
