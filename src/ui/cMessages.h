// The one place where the window talks to the user in a dialog or hands
// something to the desktop: message boxes, file dialogs and opening a file or
// web address with its default program. Page code never calls QMessageBox,
// QFileDialog or QDesktopServices itself.
//
// Tests answer through hooks: with a hook set, no dialog is shown and nothing
// is opened; the hook's answer stands for the user's. Hooks are program-wide
// and used on the interface thread only.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

enum class TMessageKind { Information, Warning, Error, Question };

// Shows Text in a modal box with the given buttons and returns the button
// chosen (Escape or closing the box gives Cancel when offered, else the
// default).
QMessageBox::StandardButton ShowMessage(QWidget* Parent, TMessageKind Kind, const QString& Text,
                                        QMessageBox::StandardButtons Buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton DefaultButton = QMessageBox::NoButton);

// File dialogs. Filter uses Qt's form ("Trevalon data files (*.tva);;All files (*)").
// An empty result means the user cancelled. The save dialog asks before an
// existing file is overwritten and appends DefaultSuffix to a name without one.
QString AskOpenFileName(QWidget* Parent, const QString& Caption, const QString& StartFile, const QString& Filter);
QString AskSaveFileName(QWidget* Parent, const QString& Caption, const QString& StartFile, const QString& Filter,
                        const QString& DefaultSuffix);

// An input box: Caption above, Prompt beside the text, preset with Text.
// Returns the text entered; a null QString when the user cancelled.
QString AskText(QWidget* Parent, const QString& Caption, const QString& Prompt, const QString& Text = QString());

// Opens a local file or a web or mail address with the desktop's default
// program; false when nothing could be started.
bool OpenExternal(const QUrl& Url);

// What a test hook sees and answers.
struct TMessageRequest {
  TMessageKind Kind;
  QString Text;
  QMessageBox::StandardButtons Buttons;
};
using TMessageHook = std::function<QMessageBox::StandardButton(const TMessageRequest&)>;
enum class TFileDialogKind { Open, Save };
using TFileDialogHook = std::function<QString(TFileDialogKind Kind, const QString& Caption, const QString& StartFile)>;
using TOpenExternalHook = std::function<bool(const QUrl&)>;
// An input box's answer: the text, or a null QString for Cancel.
using TTextInputHook = std::function<QString(const QString& Caption, const QString& Prompt, const QString& Text)>;

// Installs a hook (an empty function removes it).
void SetMessageHook(TMessageHook Hook);
void SetFileDialogHook(TFileDialogHook Hook);
void SetOpenExternalHook(TOpenExternalHook Hook);
void SetTextInputHook(TTextInputHook Hook);
