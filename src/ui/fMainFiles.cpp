// The main window's file commands: New, Open, recent files, Save, Save As,
// the sample project and the state snapshot.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/cProjectFile.h"
#include "project/cSession.h"
#include "ui/cMessages.h"
#include "ui/cSettings.h"
#include "ui/cUiUtility.h"
#include "ui/fMain.h"

namespace {

const QString kProjectFilter = QStringLiteral("Trevalon data files (*.tva);;All files (*)");

}  // namespace

bool TfrmMain::ConfirmSaveChanges() {
  if (!ValidateActiveControl()) return false;
  if (!changed_since_save_) return true;
  const QString name = default_file_name_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(default_file_name_).fileName();
  const auto answer = ShowMessage(this, TMessageKind::Question, QStringLiteral("Do you want to save the changes to ") + name,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::No) return true;
  if (answer != QMessageBox::Yes) return false;
  Save();
  // Still unsaved: the user cancelled the Save As dialog, or the file could not be written.
  return !changed_since_save_;
}

void TfrmMain::NewProject() {
  ResetEventLog();
  AddLogLine(QStringLiteral("Clearing data fields"));
  if (!ConfirmSaveChanges()) return;
  SetWindowTitleFor(QString());
  project_->Clear();
  project_->SetLimitStateValues(&session_->LimitStateLibrary);
  project_->SetCWBRestrictions(&session_->CWBRestrictionLibrary);
  ClearResultsDisplay();
  if (project_->Geometry.FloorUseIndex >= 0 && project_->Geometry.FloorUseIndex < session_->FloorUseLibrary.Count())
    ApplyFloorUse(project_->Geometry.FloorUseIndex);
  UpdateScreensFromProject();
  SetDataChangedSinceSave(false);
}

void TfrmMain::OpenProject() {
  if (!ConfirmSaveChanges()) return;
  const QString file = AskOpenFileName(this, QStringLiteral("Open"), default_file_name_, kProjectFilter);
  if (file.isEmpty()) return;
  if (!QFileInfo::exists(file)) {
    ShowMessage(this, TMessageKind::Warning, QStringLiteral("File not opened: unable to find ") + file);
    return;
  }
  ResetEventLog();
  AddLogLine(QStringLiteral("Opening file [") + file + QStringLiteral("]"));
  LoadProject(file, true);
}

bool TfrmMain::OpenUserFile(const QString& File) {
  ResetEventLog();
  AddLogLine(QStringLiteral("Opening file [") + File + QStringLiteral("]"));
  return LoadProject(QFileInfo(File).absoluteFilePath(), true);
}

void TfrmMain::OpenRecent(int Index) {
  const QStringList files = RecentFiles();
  if (Index < 0 || Index >= files.size()) return;
  const QString file = files[Index];
  ResetEventLog();
  AddLogLine(QStringLiteral("Opening file [") + file + QStringLiteral("]"));
  if (!ConfirmSaveChanges()) return;
  if (!QFileInfo::exists(file)) {
    ShowMessage(this, TMessageKind::Warning, QStringLiteral("File not opened: unable to find ") + file);
    return;
  }
  LoadProject(file, true);
}

// Reads the project from File; a user's own file also sets the title and
// joins the recent list. A file that cannot be read leaves the project, the
// title and the screens as they were (the project is restored from its
// snapshot), so a failed open loses nothing.
bool TfrmMain::LoadProject(const QString& File, bool IsUserFile) {
  TBusyCursor busy;
  const bool has_snapshot = SaveStateSnapshot();
  if (const TResult loaded = LoadProjectFile(*project_, *session_, ToStd(File)); !loaded) {
    if (has_snapshot) RestoreStateSnapshot();
    AddLogLine(ToQ(loaded.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(loaded.Message()));
    return false;
  }
  QFile::remove(StateSnapshotFile());
  ClearResultsDisplay();
  UpdateScreensFromProject();
  if (IsUserFile) {
    SetWindowTitleFor(File);
    AddRecentFile(File);
  }
  SetDataChangedSinceSave(false);
  return true;
}

bool TfrmMain::Save() {
  // A value the field's check refuses is never written into the file.
  const QString refused = QStringLiteral("Project not saved: ");
  if (!ValidateActiveControl(refused) || !ValidateBeamInput(refused)) return false;
  AddLogLine(QStringLiteral("Saving data to [") + default_file_name_ + QStringLiteral("]"));
  if (default_file_name_.isEmpty()) return SaveAs();
  return SaveTo(default_file_name_);
}

bool TfrmMain::SaveAs() {
  const QString refused = QStringLiteral("Project not saved: ");
  if (!ValidateActiveControl(refused) || !ValidateBeamInput(refused)) return false;
  const QString file = AskSaveFileName(this, QStringLiteral("Save As"), default_file_name_, kProjectFilter,
                                       QStringLiteral("tva"));
  if (file.isEmpty()) return false;
  AddLogLine(QStringLiteral("Saving data to [") + file + QStringLiteral("]"));
  return SaveTo(file);
}

// Saving over the project's own file keeps what that file holds beyond the
// project; any other file the user chose (and agreed to overwrite) is
// replaced whole, as the command line's design --save does.
bool TfrmMain::SaveTo(const QString& File) {
  TBusyCursor busy;
  UpdateProjectFromScreens();
  if (const TResult checked = CheckWindowOutput(File, default_file_name_, true); !checked) {
    AddLogLine(ToQ(checked.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(checked.Message()));
    return false;
  }
  if (const TResult saved = SaveProjectFileAs(*project_, ToStd(File), ToStd(default_file_name_)); !saved) {
    AddLogLine(ToQ(saved.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(saved.Message()));
    return false;
  }
  SetWindowTitleFor(File);
  AddRecentFile(File);
  SetDataChangedSinceSave(false);
  return true;
}

void TfrmMain::LoadSampleData() {
  ResetEventLog();
  AddLogLine(QStringLiteral("Loading sample data"));
  if (!ConfirmSaveChanges()) return;
  SetWindowTitleFor(QString());
  // The window always runs analyses, so its sample is the analysis sample.
  const QString name = QString::fromLatin1(kSampleProjectFileName);
  const QString sample = ProgramFile(name);
  const QString copy = WorkFolder() + name;
  if (QFileInfo::exists(sample)) {
    QFile::remove(copy);
    QFile::copy(sample, copy);
    QFile(copy).setPermissions(QFile(copy).permissions() | QFileDevice::WriteOwner);
  }
  if (!QFileInfo::exists(copy)) {
    ShowMessage(this, TMessageKind::Warning, QStringLiteral("Sample data is not available"));
    return;
  }
  // Opened untitled and marked changed, so Save asks for a file name.
  if (LoadProject(copy, false)) SetDataChangedSinceSave(true);
}

// ---------------------------------------------------------------------------
// Recent files: up to five, most recent first, one entry per file whatever
// the letter case of its path.

QStringList TfrmMain::RecentFiles() const {
  QStringList files;
  const int count = std::clamp(settings::ReadInteger(QString::fromLatin1(settings::kRecentCount)), 0,
                               settings::kMaxRecentFiles);
  for (int i = 0; i < count; ++i) {
    const QString file = settings::ReadString(settings::RecentKey(i));
    if (!file.isEmpty()) files.push_back(file);
  }
  return files;
}

void TfrmMain::AddRecentFile(const QString& File) {
  QStringList files = RecentFiles();
  files.removeIf([&](const QString& f) { return f.compare(File, Qt::CaseInsensitive) == 0; });
  files.prepend(File);
  while (files.size() > settings::kMaxRecentFiles) files.removeLast();
  for (int i = 0; i < files.size(); ++i) settings::WriteString(settings::RecentKey(i), files[i]);
  settings::WriteInteger(QString::fromLatin1(settings::kRecentCount), static_cast<int>(files.size()));
  LoadRecentFiles();
}

void TfrmMain::LoadRecentFiles() {
  const QStringList files = RecentFiles();
  for (int i = 0; i < static_cast<int>(recent_actions_.size()); ++i) {
    QAction* a = recent_actions_[static_cast<size_t>(i)];
    const bool has_file = i < files.size();
    a->setVisible(has_file);
    // "&" would mark an access key in a menu caption.
    a->setText(has_file ? QString(files[i]).replace(QLatin1Char('&'), QLatin1String("&&")) : QString::number(i + 1));
  }
  recent_menu_->setEnabled(!files.isEmpty() && !running_);
}

// ---------------------------------------------------------------------------
// State snapshot

QString TfrmMain::StateSnapshotFile() { return WorkFolder() + QStringLiteral("TVState.tva"); }

bool TfrmMain::SaveStateSnapshot() {
  const QString file = StateSnapshotFile();
  return SaveProjectFileAs(*project_, ToStd(file), "").IsOK();
}

bool TfrmMain::RestoreStateSnapshot() {
  const QString file = StateSnapshotFile();
  const bool ok = LoadProjectFile(*project_, *session_, ToStd(file)).IsOK();
  QFile::remove(file);
  return ok;
}
