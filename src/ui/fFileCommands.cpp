#include "ui/fFileCommands.h"

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
#include "ui/fRunView.h"

namespace {

const QString kProjectFilter = QStringLiteral("Trevalon data files (*.tva);;All files (*)");

}  // namespace

TFileCommands::TFileCommands(TfrmMain& Window) : window_(Window) { LoadRecentFiles(); }

bool TFileCommands::ConfirmSaveChanges() {
  if (!window_.ValidateActiveControl()) return false;
  if (!window_.HasDataChangedSinceSave()) return true;
  const QString name = window_.DefaultFileName().isEmpty() ? QStringLiteral("Untitled") : QFileInfo(window_.DefaultFileName()).fileName();
  const auto answer = ShowMessage(&window_, TMessageKind::Question, QStringLiteral("Do you want to save the changes to ") + name,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::No) return true;
  if (answer != QMessageBox::Yes) return false;
  Save();
  // Still unsaved: the user cancelled the Save As dialog, or the file could not be written.
  return !window_.HasDataChangedSinceSave();
}

void TFileCommands::NewProject() {
  window_.ResetEventLog();
  window_.AddLogLine(QStringLiteral("Clearing data fields"));
  if (!ConfirmSaveChanges()) return;
  window_.SetWindowTitleFor(QString());
  window_.Project().Clear();
  window_.Project().SetLimitStateValues(&window_.Session().LimitStateLibrary);
  window_.Project().SetCWBRestrictions(&window_.Session().CWBRestrictionLibrary);
  window_.Run().ClearResultsDisplay();
  if (window_.Project().Geometry.FloorUseIndex >= 0 && window_.Project().Geometry.FloorUseIndex < window_.Session().FloorUseLibrary.Count())
    window_.ApplyFloorUse(window_.Project().Geometry.FloorUseIndex);
  window_.UpdateScreensFromProject();
  window_.SetDataChangedSinceSave(false);
}

void TFileCommands::OpenProject() {
  if (!ConfirmSaveChanges()) return;
  const QString file = AskOpenFileName(&window_, QStringLiteral("Open"), window_.DefaultFileName(), kProjectFilter);
  if (file.isEmpty()) return;
  if (!QFileInfo::exists(file)) {
    ShowMessage(&window_, TMessageKind::Warning, QStringLiteral("File not opened: unable to find ") + file);
    return;
  }
  window_.ResetEventLog();
  window_.AddLogLine(QStringLiteral("Opening file [") + file + QStringLiteral("]"));
  LoadProject(file, true);
}

bool TFileCommands::OpenUserFile(const QString& File) {
  window_.ResetEventLog();
  window_.AddLogLine(QStringLiteral("Opening file [") + File + QStringLiteral("]"));
  return LoadProject(QFileInfo(File).absoluteFilePath(), true);
}

void TFileCommands::OpenRecent(int Index) {
  const QStringList files = recent_;
  if (Index < 0 || Index >= files.size()) return;
  const QString file = files[Index];
  window_.ResetEventLog();
  window_.AddLogLine(QStringLiteral("Opening file [") + file + QStringLiteral("]"));
  if (!ConfirmSaveChanges()) return;
  if (!QFileInfo::exists(file)) {
    ShowMessage(&window_, TMessageKind::Warning, QStringLiteral("File not opened: unable to find ") + file);
    return;
  }
  LoadProject(file, true);
}

// Reads the project from File; a user's own file also sets the title and
// joins the recent list. A file that cannot be read leaves the project, the
// title and the screens as they were (the project is restored from its
// snapshot), so a failed open loses nothing.
bool TFileCommands::LoadProject(const QString& File, bool IsUserFile) {
  TBusyCursor busy;
  const bool has_snapshot = SaveStateSnapshot();
  if (const TResult loaded = LoadProjectFile(window_.Project(), window_.Session(), ToStd(File)); !loaded) {
    if (has_snapshot) RestoreStateSnapshot();
    window_.AddLogLine(ToQ(loaded.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(loaded.Message()));
    return false;
  }
  QFile::remove(StateSnapshotFile());
  window_.Run().ClearResultsDisplay();
  window_.UpdateScreensFromProject();
  if (IsUserFile) {
    window_.SetWindowTitleFor(File);
    AddRecentFile(File);
  }
  window_.SetDataChangedSinceSave(false);
  return true;
}

bool TFileCommands::Save() {
  // A value the field's check refuses is never written into the file.
  const QString refused = QStringLiteral("Project not saved: ");
  if (!window_.ValidateActiveControl(refused) || !window_.ValidateBeamInput(refused)) return false;
  window_.AddLogLine(QStringLiteral("Saving data to [") + window_.DefaultFileName() + QStringLiteral("]"));
  if (window_.DefaultFileName().isEmpty()) return SaveAs();
  return SaveTo(window_.DefaultFileName());
}

bool TFileCommands::SaveAs() {
  const QString refused = QStringLiteral("Project not saved: ");
  if (!window_.ValidateActiveControl(refused) || !window_.ValidateBeamInput(refused)) return false;
  const QString file = AskSaveFileName(&window_, QStringLiteral("Save As"), window_.DefaultFileName(), kProjectFilter,
                                       QStringLiteral("tva"));
  if (file.isEmpty()) return false;
  window_.AddLogLine(QStringLiteral("Saving data to [") + file + QStringLiteral("]"));
  return SaveTo(file);
}

// Saving over the project's own file keeps what that file holds beyond the
// project; any other file the user chose (and agreed to overwrite) is
// replaced whole, as the command line's design --save does.
bool TFileCommands::SaveTo(const QString& File) {
  TBusyCursor busy;
  window_.UpdateProjectFromScreens();
  if (const TResult checked = CheckWindowOutput(File, window_.DefaultFileName(), true); !checked) {
    window_.AddLogLine(ToQ(checked.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(checked.Message()));
    return false;
  }
  if (const TResult saved = SaveProjectFileAs(window_.Project(), ToStd(File), ToStd(window_.DefaultFileName())); !saved) {
    window_.AddLogLine(ToQ(saved.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(saved.Message()));
    return false;
  }
  window_.SetWindowTitleFor(File);
  AddRecentFile(File);
  window_.SetDataChangedSinceSave(false);
  return true;
}

void TFileCommands::LoadSampleData() {
  window_.ResetEventLog();
  window_.AddLogLine(QStringLiteral("Loading sample data"));
  if (!ConfirmSaveChanges()) return;
  window_.SetWindowTitleFor(QString());
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
    ShowMessage(&window_, TMessageKind::Warning, QStringLiteral("Sample data is not available"));
    return;
  }
  // Opened untitled and marked changed, so Save asks for a file name.
  if (LoadProject(copy, false)) window_.SetDataChangedSinceSave(true);
}

// ---------------------------------------------------------------------------
// Recent files: up to five, most recent first, one entry per file whatever
// the letter case of its path.

void TFileCommands::AddRecentFile(const QString& File) {
  QStringList files = recent_;
  files.removeIf([&](const QString& f) { return f.compare(File, Qt::CaseInsensitive) == 0; });
  files.prepend(File);
  while (files.size() > settings::kMaxRecentFiles) files.removeLast();
  for (int i = 0; i < files.size(); ++i) settings::WriteString(settings::RecentKey(i), files[i]);
  settings::WriteInteger(QString::fromLatin1(settings::kRecentCount), static_cast<int>(files.size()));
  LoadRecentFiles();
}

void TFileCommands::LoadRecentFiles() {
  recent_.clear();
  const int count = std::clamp(settings::ReadInteger(QString::fromLatin1(settings::kRecentCount)), 0,
                               settings::kMaxRecentFiles);
  for (int i = 0; i < count; ++i)
    if (const QString file = settings::ReadString(settings::RecentKey(i)); !file.isEmpty()) recent_.push_back(file);
  for (int i = 0; i < static_cast<int>(recent_actions_.size()); ++i) {
    QAction* a = recent_actions_[static_cast<size_t>(i)];
    const bool has_file = i < recent_.size();
    a->setVisible(has_file);
    // "&" would mark an access key in a menu caption.
    a->setText(has_file ? QString(recent_[i]).replace(QLatin1Char('&'), QLatin1String("&&")) : QString::number(i + 1));
  }
  window_.RefreshCommands();
}

void TFileCommands::FillRecentMenu(QMenu& Menu) {
  for (int i = 0; i < settings::kMaxRecentFiles; ++i) {
    QAction* recent = Menu.addAction(QString::number(i + 1));
    recent->setObjectName(QString::number(i + 1));
    recent->setStatusTip(QStringLiteral("Opens recently-used file"));
    recent->setVisible(false);
    connect(recent, &QAction::triggered, this, [this, i] { OpenRecent(i); });
    recent_actions_.push_back(recent);
  }
  LoadRecentFiles();
}

// ---------------------------------------------------------------------------
// State snapshot

QString TFileCommands::StateSnapshotFile() { return WorkFolder() + QStringLiteral("TVState.tva"); }

bool TFileCommands::SaveStateSnapshot() {
  const QString file = StateSnapshotFile();
  return SaveProjectFileAs(window_.Project(), ToStd(file), "").IsOK();
}

bool TFileCommands::RestoreStateSnapshot() {
  const QString file = StateSnapshotFile();
  const bool ok = LoadProjectFile(window_.Project(), window_.Session(), ToStd(file)).IsOK();
  QFile::remove(file);
  return ok;
}
