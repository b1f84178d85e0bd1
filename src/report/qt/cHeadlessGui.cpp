#include "report/qt/cHeadlessGui.h"

#include <QGuiApplication>
#include <cstdio>

namespace {
char kProgram[] = "trevalon";
QtMessageHandler previous_handler = nullptr;

// The command line's standard error carries its own messages only: Qt's
// notes about the environment (such as a missing XDG_RUNTIME_DIR) stay quiet,
// its critical and fatal messages still come through.
void QuietQtMessages(QtMsgType Type, const QMessageLogContext& Context, const QString& Message) {
  if (Type != QtCriticalMsg && Type != QtFatalMsg) return;
  if (previous_handler) previous_handler(Type, Context, Message);
  else std::fprintf(stderr, "%s\n", qPrintable(Message));
}
char kPlatformOption[] = "-platform";
char kOffscreen[] = "offscreen";
}  // namespace

TGuiApplicationScope::TGuiApplicationScope() {
  if (QCoreApplication::instance()) return;
  argv_[0] = kProgram;
  argv_[1] = kPlatformOption;  // overrides QT_QPA_PLATFORM
  argv_[2] = kOffscreen;
  argv_[3] = nullptr;
  previous_handler = qInstallMessageHandler(QuietQtMessages);
  app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

TGuiApplicationScope::~TGuiApplicationScope() {
  if (!app_) return;
  app_.reset();
  qInstallMessageHandler(previous_handler);
  previous_handler = nullptr;
}
