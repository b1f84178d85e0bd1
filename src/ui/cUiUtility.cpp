#include "ui/cUiUtility.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include "entity/VEXUtility.h"

QString ProgramFolder() { return ToQ(GetProgramFolder()); }

QString ProgramFile(const QString& Name) { return ToQ(GetShippedFile(ToStd(Name))); }

QString WorkFolder() { return ToQ(GetWorkFolder(GetAppName())); }

TResult CheckWindowOutput(const QString& File, const QString& ProjectFile, bool IsProjectSave) {
  TFileUses uses;
  uses.AddInput(ToStd(ProjectFile), "project file");
  uses.AddInput(GetShippedFile(kLibraryFileName), "library file");
  uses.AddInput(GetShippedFile(kDesignLibraryFileName), "design library file");
  uses.AddOutput(ToStd(File), IsProjectSave ? ToStd(ProjectFile) : std::string());
  return uses.Check();
}

TBusyCursor::TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

TBusyCursor::~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
