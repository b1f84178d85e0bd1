#include "ui/cStartup.h"

#include <QCommandLineParser>

#include "entity/VEXUtility.h"
#include "ui/cSettings.h"
#include "ui/cThemes.h"
#include "ui/cUiUtility.h"
#include "ui/fAbout.h"
#include "ui/fFileCommands.h"

std::unique_ptr<TfrmMain> StartProgram(const TStartOptions& Options) {
  ApplyTheme(settings::ReadString(QString::fromLatin1(settings::kStyle)));
  {
    TfrmAbout conditions(TAboutMode::ConditionsOfUse);
    if (conditions.exec() != QDialog::Accepted) return nullptr;
  }
  auto window = std::make_unique<TfrmMain>(Options.Main);
  window->show();
  if (!Options.ProjectFile.isEmpty()) window->Files().OpenUserFile(Options.ProjectFile);
  return window;
}

bool ParseStartOptions(const QStringList& Arguments, TStartOptions& Options, QString& Error) {
  QCommandLineParser parser;
  parser.setApplicationDescription(ToQ(GetAppDescription()));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption admin(QStringLiteral("admin"), QStringLiteral("Show the administrators' menus"));
  parser.addOption(admin);
  parser.addPositionalArgument(QStringLiteral("PROJECT"), QStringLiteral("Project file (.tva) to open"));
  if (!parser.parse(Arguments)) {
    Error = parser.errorText();
    return false;
  }
  if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
  if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
  if (parser.positionalArguments().size() > 1) {
    Error = QStringLiteral("Only one project file can be opened");
    return false;
  }
  Options.Main.IsAdmin = parser.isSet(admin);
  Options.ProjectFile = parser.positionalArguments().value(0);
  return true;
}
