// What every window test shares: a main that runs headless (offscreen
// platform) with settings and work folders in a temporary folder, and a
// recorder that answers the window's message boxes and file dialogs.
#pragma once

#include <QMessageBox>
#include <QStringList>

#include <deque>

#include "ui/cMessages.h"

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

int RunUiTests(int argc, char** argv, QObject& Tests);

#define TRV_UI_TEST_MAIN(TestClass)     \
  int main(int argc, char** argv) {     \
    TestClass tests;                    \
    return RunUiTests(argc, argv, tests); \
  }
