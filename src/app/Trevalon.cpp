// trevalon: the command-line program. It runs the engineering work of the
// desktop program headless: analyse, design, eval, generate-library, import,
// chart, and the administrators' test and design-table.
#include <iostream>

#include "app/cCommand.h"
#include "components/cStandard.h"
#include "entity/VEXUtility.h"

int main(int argc, char** argv) {
  UseLocaleRegionalSettings();
  CLI::App app{GetAppDescription(), "trevalon"};
  app.set_version_flag("--version", GetAppName() + "/V" + GetAppVersionShort());
  app.require_subcommand(1);  // no command is bad usage, like any other
  app.fallthrough();

  TCommonOptions common;
  app.add_option("--library", common.LibraryFile,
                 std::string("Library file (default: ") + kLibraryFileName +
                     " beside the program, else in ../share/trevalon)");
  CLI::Option* standard = app.add_option("--standard", common.Standard, "Design standard edition: 2017 or 2003")
                              ->check(CLI::IsMember({2003, 2017}));

  std::vector<std::unique_ptr<TCommand>> commands;
  commands.push_back(MakeAnalyseCommand(std::cout, std::cerr, false));
  commands.push_back(MakeAnalyseCommand(std::cout, std::cerr, true));
  commands.push_back(MakeEvalCommand(std::cout, std::cerr));
  commands.push_back(MakeGenerateLibraryCommand(std::cout, std::cerr));
  commands.push_back(MakeImportCommand(std::cout, std::cerr));
  commands.push_back(MakeTestCommand(std::cout, std::cerr));
  commands.push_back(MakeDesignTableCommand(std::cout, std::cerr));
  commands.push_back(MakeChartCommand(std::cout, std::cerr));
  std::vector<std::pair<CLI::App*, TCommand*>> registered;
  for (auto& c : commands) registered.emplace_back(c->Register(app, common), c.get());

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {
      // --help and --version: their text must have arrived, like any other output.
      const int code = app.exit(e);
      if (!std::cout.flush()) {
        std::cerr << "trevalon: Cannot write to standard output\n";
        return kExitUsage;
      }
      return code;
    }
    std::cerr << "trevalon: " << e.what() << " (see trevalon --help)\n";
    return kExitUsage;
  }

  common.IsStandardGiven = standard->count() > 0;
  SetStandardVersion(common.Standard == 2003 ? kStandard2003 : kStandard2017);
  for (auto& [sub, command] : registered)
    if (sub->parsed()) {
      int code = kExitUsage;
      try {
        code = command->Execute(common);
      } catch (const std::exception& e) {
        std::cerr << "trevalon: " << e.what() << '\n';
        return kExitUsage;
      }
      // What a command printed is only known to have arrived once flushed (a
      // full disk, a closed pipe): a lost output is a failure, said once.
      if (!std::cout.flush()) {
        if (code != kExitUsage) std::cerr << "trevalon: Cannot write to standard output\n";
        return kExitUsage;
      }
      return code;
    }
  return kExitUsage;
}
