#include "ui_test_support.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "entity/VEXUtility.h"
#include "ui/cSettings.h"

TDialogRecorder::TDialogRecorder() {
  SetMessageHook([this](const TMessageRequest& Request) {
    Messages.push_back(Request.Text);
    if (!Answers.empty()) {
      const auto answer = Answers.front();
      Answers.pop_front();
      return answer;
    }
    return Request.Buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
  });
  SetFileDialogHook([this](TFileDialogKind, const QString& Caption, const QString&) {
    FileCaptions.push_back(Caption);
    if (Files.empty()) return QString();
    const QString file = Files.front();
    Files.pop_front();
    return file;
  });
  SetTextInputHook([this](const QString& Caption, const QString& Prompt, const QString&) {
    Prompts.push_back(Caption + QLatin1Char('/') + Prompt);
    if (Texts.empty()) return QString();
    const QString text = Texts.front();
    Texts.pop_front();
    return text;
  });
  SetOpenExternalHook([this](const QUrl& Url) {
    Opened.push_back(Url.toString());
    return true;
  });
}

TDialogRecorder::~TDialogRecorder() {
  SetMessageHook({});
  SetFileDialogHook({});
  SetOpenExternalHook({});
  SetTextInputHook({});
}

void TDialogRecorder::Clear() {
  Answers.clear();
  Files.clear();
  Messages.clear();
  FileCaptions.clear();
  Opened.clear();
  Texts.clear();
  Prompts.clear();
}

void ClearSettings() { QFile::remove(settings::FileName()); }

int RunUiTests(int argc, char** argv, QObject& Tests) {
  // Headless, and never the user's own settings or work folder.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
  QApplication app(argc, argv);
  UsePlainRegionalSettings();
  return QTest::qExec(&Tests, argc, argv);
}
