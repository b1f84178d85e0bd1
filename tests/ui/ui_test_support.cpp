#include "ui_test_support.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <QWindow>

#include "entity/VEXUtility.h"
#include "report/qt/cReportPrinter.h"
#include "ui/cSettings.h"
#include "ui/cUiUtility.h"

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
  SetPrintDialogHook({});
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

QString Sample() { return ProgramFile(QStringLiteral("SampleAnalysis.tva")); }

QString ShownTitle(const QWidget& Window) {
  return Window.windowHandle() ? Window.windowHandle()->title() : Window.windowTitle();
}

// ---------------------------------------------------------------------------
// The window fixture

TProject& TWindowTest::Project() { return window_->Project(); }

void TWindowTest::init() {
  ClearSettings();
  folder_ = std::make_unique<QTemporaryDir>();
  dialogs_ = std::make_unique<TDialogRecorder>();
  if (setup_.MakesWindow) ReopenWindow();
}

void TWindowTest::Analyse() {
  window_->Command("actAnalyse")->trigger();
  window_->Run().WaitForRun();
}

void TWindowTest::AnalyseSample() {
  QVERIFY(window_->Files().OpenUserFile(Sample()));
  Analyse();
  QVERIFY(!window_->HasDataChangedSinceCalc());
}

void TWindowTest::ReopenWindow() {
  DropWindow();
  window_ = std::make_unique<TfrmMain>(TMainOptions{setup_.IsAdmin});
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  if (setup_.OpensSample) {
    QVERIFY(window_->Files().OpenUserFile(Sample()));
    dialogs_->Clear();
  }
}

void TWindowTest::DropWindow() {
  if (window_) {
    if (window_->Admin()) window_->Admin()->WaitForJob();
    window_->Run().WaitForRun();
    window_->SetDataChangedSinceSave(false);
  }
  window_.reset();
}

void TWindowTest::cleanup() {
  DropWindow();
  dialogs_.reset();
  folder_.reset();
}

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
