// How the desktop program starts: the About box as the conditions-of-use
// dialog first; only "Agree" creates the main window, which is then shown and,
// when a project file was named on the command line, opens it as Open does.
#pragma once

#include <QString>

#include <memory>

#include "ui/fMain.h"

struct TStartOptions {
  TMainOptions Main;
  QString ProjectFile;  // opened after the window is shown; empty for none
};

// Applies the theme, shows the conditions of use and, on "Agree", creates and
// shows the main window. Null when the user disagreed or closed the box.
std::unique_ptr<TfrmMain> StartProgram(const TStartOptions& Options);

// Reads the command line: [--admin] [PROJECT.tva]. False (and Error set) for
// an unknown option or more than one file.
bool ParseStartOptions(const QStringList& Arguments, TStartOptions& Options, QString& Error);
