// trevalon generate-library DEFINITIONS.ini [--output FILE.tvl]
#include "app/cCommand.h"

namespace {

class TGenerateLibraryCommand : public TCommand {
 public:
  using TCommand::TCommand;

  CLI::App* Register(CLI::App& App, TCommonOptions&) override {
    CLI::App* cmd =
        App.add_subcommand("generate-library", "Build a library file from a library definitions file and its CSV files");
    cmd->add_option("DEFINITIONS", definitions_file_, "Library definitions file (e.g. VarnLibrary.ini)")->required();
    cmd->add_option("--output", output_file_, "Library file to write (default: the definitions file's Name)");
    return cmd;
  }

  int Execute(const TCommonOptions&) override {
    const TResult result = GenerateLibraryFile(definitions_file_, output_file_);
    for (const std::string& line : result.MessageLines()) {
      if (result) out_ << line << '\n';
      else Error(line);
    }
    return result ? kExitOK : kExitUsage;
  }

 private:
  std::string definitions_file_;
  std::string output_file_;
};

}  // namespace

std::unique_ptr<TCommand> MakeGenerateLibraryCommand(std::ostream& Out, std::ostream& Err) {
  return std::make_unique<TGenerateLibraryCommand>(Out, Err);
}
