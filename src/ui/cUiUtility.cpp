#include "ui/cUiUtility.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include "entity/VEXUtility.h"

QString ProgramFolder() { return ToQ(GetProgramFolder()); }

QString ProgramFile(const QString& Name) { return ToQ(GetShippedFile(ToStd(Name))); }

QString WorkFolder() { return ToQ(GetWorkFolder(GetAppName())); }

TBusyCursor::TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

TBusyCursor::~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
