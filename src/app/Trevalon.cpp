// trevalon: the command-line program. It runs the engineering work of the
// desktop program headless.
#include <CLI/CLI.hpp>

#include <iostream>

#include "entity/VEXUtility.h"

int main(int argc, char** argv) {
  UseLocaleRegionalSettings();
  CLI::App app{GetAppDescription(), "trevalon"};
  app.set_version_flag("--version", GetAppName() + "/V" + GetAppVersionShort());
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  std::cout << app.help();
  return 0;
}
