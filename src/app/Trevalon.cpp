// trevalon: the command-line program. It runs the engineering work of the
// desktop program headless.
#include <CLI/CLI.hpp>
#include <iostream>

#include "entity/VEXUtility.h"
#include "project/cSession.h"

int main(int argc, char** argv) {
  UseLocaleRegionalSettings();
  CLI::App app{GetAppDescription(), "trevalon"};
  app.set_version_flag("--version", GetAppName() + "/V" + GetAppVersionShort());

  std::string definitions_file, library_file;
  CLI::App* generate_library =
      app.add_subcommand("generate-library", "Build a library file from a library definitions file and its CSV files");
  generate_library->add_option("DEFINITIONS", definitions_file, "Library definitions file (e.g. VarnLibrary.ini)")
      ->required();
  generate_library->add_option("--output", library_file,
                               "Library file to write (default: the definitions file's Name)");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }

  if (*generate_library) {
    const TLibraryGenerationResult result = GenerateLibraryFile(definitions_file, library_file);
    for (const std::string& line : result.Messages) (result.IsOK ? std::cout : std::cerr) << line << '\n';
    return result.IsOK ? 0 : 2;
  }
  std::cout << app.help();
  return 0;
}
