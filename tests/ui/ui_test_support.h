// What every window test shares: a main that runs headless (offscreen
// platform) with settings and work folders in a temporary folder, a recorder
// that answers the window's message boxes and file dialogs, and the one
// fixture of the suites that drive the main window (TWindowTest).
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <memory>

#include "ui/cMessages.h"
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"

class TProject;

// Answers messages and file dialogs from queues; with an empty queue a
// message gets its Ok (or No, when offered) and a file dialog is cancelled.
class TDialogRecorder {
 public:
  TDialogRecorder();
  ~TDialogRecorder();

  std::deque<QMessageBox::StandardButton> Answers;
  std::deque<QString> Files;
  std::deque<QString> Texts;  // input boxes' answers; with none left, Cancel
  QStringList Messages;     // every message text, in order
  QStringList FileCaptions; // every file dialog's caption
  QStringList Opened;       // every file or address handed to the desktop
  QStringList Prompts;      // every input box's caption and prompt, "caption/prompt"
  void Clear();
};

// The settings store, emptied.
void ClearSettings();

// The sample project beside the program.
QString Sample();
// The title the window shows: "[*]" read as "*" while there are unsaved changes.
QString ShownTitle(const QWidget& Window);

// The window's page of type TPage: the one way a test reaches a page.
template <class TPage>
TPage& PageOf(TfrmMain& Window) {
  for (TDataPage* page : Window.Pages())
    if (auto* p = qobject_cast<TPage*>(page)) return *p;
  qFatal("the window has no page of the type asked for");
}

// The fixture of the window suites. Before each test: a fresh settings
// store, a temporary folder for the test's files, the dialog recorder, and a
// main window shown and active, opened on the sample when the suite asks for
// it (the recorder then starts empty). After each test: any run or job
// awaited, the changes dropped so no save prompt waits, and all of it gone.
class TWindowTest : public QObject {
  Q_OBJECT
 public:
  struct TSetup {
    bool IsAdmin = false;      // the window of an administrator (--admin)
    bool OpensSample = false;  // the sample opened as the user's file
    bool MakesWindow = true;   // false: the suite makes its own windows
  };
  explicit TWindowTest(TSetup Setup) : setup_(Setup) {}
  TWindowTest() = default;

 protected:
  TfrmMain& Window() { return *window_; }
  TProject& Project();
  TDialogRecorder& Dialogs() { return *dialogs_; }
  // A file of the test's temporary folder.
  QString File(const QString& Name) const { return folder_->filePath(Name); }
  // The window's page of type TPage.
  template <class TPage>
  TPage& Page() {
    return PageOf<TPage>(Window());
  }
  // Analyse, as the user clicks it, and its end awaited.
  void Analyse();
  // The sample opened as the user's file and analysed: the results are current.
  void AnalyseSample();
  // The window made again as at the start of a test (settings are kept).
  void ReopenWindow();
  // The window gone, as after a test.
  void DropWindow();

 protected slots:
  void init();
  void cleanup();

 private:
  TSetup setup_;
  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<TDialogRecorder> dialogs_;
  std::unique_ptr<TfrmMain> window_;
};

int RunUiTests(int argc, char** argv, QObject& Tests);

#define TRV_UI_TEST_MAIN(TestClass)     \
  int main(int argc, char** argv) {     \
    TestClass tests;                    \
    return RunUiTests(argc, argv, tests); \
  }
