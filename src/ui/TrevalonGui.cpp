// trevalon-gui: the desktop program. [--admin] [PROJECT.tva]
#include <QApplication>

#include <cstdio>

#include "entity/VEXUtility.h"
#include "ui/cIcons.h"
#include "ui/cStartup.h"
#include "ui/cUiUtility.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trevalon"));
  QApplication::setOrganizationName(QStringLiteral("Trevalon"));
  QApplication::setApplicationVersion(ToQ(GetAppVersionShort()));
  QApplication::setApplicationDisplayName(QStringLiteral("Trevalon"));
  QApplication::setDesktopFileName(QStringLiteral("trevalon"));
  QApplication::setWindowIcon(ApplicationIcon());
  UseLocaleRegionalSettings();

  TStartOptions options;
  QString error;
  if (!ParseStartOptions(QApplication::arguments(), options, error)) {
    std::fprintf(stderr, "trevalon-gui: %s\n", qPrintable(error));
    return 2;
  }
  std::unique_ptr<TfrmMain> window = StartProgram(options);
  if (!window) return 0;  // the conditions of use were not accepted
  return QApplication::exec();
}
