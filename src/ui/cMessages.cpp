#include "ui/cMessages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

namespace {

TMessageHook& MessageHook() {
  static TMessageHook hook;
  return hook;
}
TFileDialogHook& FileDialogHook() {
  static TFileDialogHook hook;
  return hook;
}
TOpenExternalHook& OpenExternalHook() {
  static TOpenExternalHook hook;
  return hook;
}
TTextInputHook& TextInputHook() {
  static TTextInputHook hook;
  return hook;
}

QMessageBox::Icon IconOf(TMessageKind Kind) {
  switch (Kind) {
    case TMessageKind::Information: return QMessageBox::Information;
    case TMessageKind::Warning: return QMessageBox::Warning;
    case TMessageKind::Error: return QMessageBox::Critical;
    case TMessageKind::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QString TitleOf(TMessageKind Kind) {
  switch (Kind) {
    case TMessageKind::Information: return QStringLiteral("Information");
    case TMessageKind::Warning: return QStringLiteral("Warning");
    case TMessageKind::Error: return QStringLiteral("Error");
    case TMessageKind::Question: return QStringLiteral("Confirm");
  }
  return {};
}

}  // namespace

QMessageBox::StandardButton ShowMessage(QWidget* Parent, TMessageKind Kind, const QString& Text,
                                        QMessageBox::StandardButtons Buttons,
                                        QMessageBox::StandardButton DefaultButton) {
  if (MessageHook()) return MessageHook()({Kind, Text, Buttons});
  QMessageBox box(IconOf(Kind), TitleOf(Kind), Text, Buttons, Parent);
  if (DefaultButton != QMessageBox::NoButton) box.setDefaultButton(DefaultButton);
  if (Buttons.testFlag(QMessageBox::Cancel)) box.setEscapeButton(QMessageBox::Cancel);
  box.setAccessibleName(TitleOf(Kind));
  const int answer = box.exec();
  return static_cast<QMessageBox::StandardButton>(answer);
}

QString AskOpenFileName(QWidget* Parent, const QString& Caption, const QString& StartFile, const QString& Filter) {
  if (FileDialogHook()) return FileDialogHook()(TFileDialogKind::Open, Caption, StartFile);
  return QFileDialog::getOpenFileName(Parent, Caption, StartFile, Filter);
}

QString AskSaveFileName(QWidget* Parent, const QString& Caption, const QString& StartFile, const QString& Filter,
                        const QString& DefaultSuffix) {
  QString file;
  if (FileDialogHook()) {
    file = FileDialogHook()(TFileDialogKind::Save, Caption, StartFile);
  } else {
    QFileDialog dialog(Parent, Caption, StartFile, Filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(DefaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!StartFile.isEmpty()) dialog.selectFile(StartFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    file = dialog.selectedFiles().constFirst();
  }
  // A hooked answer gets the same default extension the dialog would add.
  if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty() && !DefaultSuffix.isEmpty())
    file += QLatin1Char('.') + DefaultSuffix;
  return file;
}

QString AskText(QWidget* Parent, const QString& Caption, const QString& Prompt, const QString& Text) {
  if (TextInputHook()) return TextInputHook()(Caption, Prompt, Text);
  bool ok = false;
  const QString answer = QInputDialog::getText(Parent, Caption, Prompt, QLineEdit::Normal, Text, &ok);
  return ok ? (answer.isNull() ? QStringLiteral("") : answer) : QString();
}

bool OpenExternal(const QUrl& Url) {
  if (OpenExternalHook()) return OpenExternalHook()(Url);
  return QDesktopServices::openUrl(Url);
}

void SetMessageHook(TMessageHook Hook) { MessageHook() = std::move(Hook); }
void SetFileDialogHook(TFileDialogHook Hook) { FileDialogHook() = std::move(Hook); }
void SetOpenExternalHook(TOpenExternalHook Hook) { OpenExternalHook() = std::move(Hook); }
void SetTextInputHook(TTextInputHook Hook) { TextInputHook() = std::move(Hook); }
