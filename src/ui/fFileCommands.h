// TFileCommands: the main window's file commands: New, Open, Open Recent,
// Save, Save As, Load Sample Data, the save prompt they share, the list of
// recent files and the temporary snapshot of the project that commands which
// may fail half-way (an open, an import) take first.
//
// It works on the window's project and reports through the window (Event
// Log, message boxes, title, changed-since-save flag); the window owns it.
// A file that cannot be read leaves the project, the title and the screens
// as they were.
//
// Interface thread only.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QAction;
class QMenu;
class TfrmMain;

class TFileCommands : public QObject {
  Q_OBJECT
 public:
  explicit TFileCommands(TfrmMain& Window);

  void NewProject();
  void OpenProject();
  // Recent file Index (0 the most recent).
  void OpenRecent(int Index);
  bool Save();
  bool SaveAs();
  void LoadSampleData();
  // Opens File as a user's own file (title and recent list), as Open does
  // after its dialog; false when it could not be read (the project is then
  // as it was before).
  bool OpenUserFile(const QString& File);
  // The save prompt: true when the command may go on.
  bool ConfirmSaveChanges();

  // Recent files: up to five, most recent first, one entry per file whatever
  // the letter case of its path; kept in the settings store.
  QStringList RecentFiles() const { return recent_; }
  void AddRecentFile(const QString& File);
  // The "Open Recent" menu's entries (made once; they follow the list).
  void FillRecentMenu(QMenu& Menu);

  // The temporary copy of the whole project, TVState.tva in the work folder.
  bool SaveStateSnapshot();
  bool RestoreStateSnapshot();
  static QString StateSnapshotFile();

 private:
  // Reads the project from File; a user's own file also sets the title and
  // joins the recent list.
  bool LoadProject(const QString& File, bool IsUserFile);
  bool SaveTo(const QString& File);
  void LoadRecentFiles();

  TfrmMain& window_;
  QStringList recent_;
  std::vector<QAction*> recent_actions_;
};
