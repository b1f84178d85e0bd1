// trevalon import FILE.tvx|FILE.xlsx [--output OUT.tva]
#include <filesystem>

#include "admin/cImport.h"
#include "app/cCommand.h"
#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"

namespace {

namespace fs = std::filesystem;

class TImportCommand : public TCommand {
 public:
  using TCommand::TCommand;

  CLI::App* Register(CLI::App& App, TCommonOptions&) override {
    CLI::App* cmd = App.add_subcommand(
        "import",
        "Import an older project file (.tvx) or a beam design workbook (.xlsx) and write it as a project file "
        "(.tva), by default beside the input under the same name with extension .tva");
    cmd->add_option("FILE", input_file_, "Older project file (.tvx) or workbook (.xlsx) to import")->required();
    cmd->add_option("--output", output_file_,
                    "Project file to write (default: FILE with extension .tva, in FILE's folder); an existing "
                    "file is replaced");
    return cmd;
  }

  int Execute(const TCommonOptions& Common) override {
    std::string bytes;
    if (TResult read = ReadFileBytes(input_file_, bytes); !read) {
      Error(read.Message());
      return kExitUsage;
    }
    const std::string output =
        output_file_.empty() ? fs::path(input_file_).replace_extension(".tva").string() : output_file_;
    // Importing a file over itself, or over the library, would lose it.
    TFileUses uses;
    uses.AddInput(input_file_, "file being imported");
    uses.AddInput(Common.LibraryFile.empty() ? DefaultLibraryFile() : Common.LibraryFile, "library file");
    uses.AddOutput(output);
    if (TResult checked = uses.Check(); !checked) {
      Error(checked.Message());
      return kExitUsage;
    }

    TSession session;
    if (!LoadSession(Common, session)) return kExitUsage;
    TProject project;
    const TResult result = ImportProjectFile(project, session, input_file_);
    if (!result.IsOK()) {
      Error(result.Message());
      return kExitUsage;
    }
    for (const TStatusLine& line : project.Status.ErrorList()) Error(line.Text);

    // The file holds the imported project alone: nothing of a file it replaces is kept.
    auto ini = TVEXIniFile::FromBytes("");
    project.SaveToIniFile(ini, "", "");
    if (TResult written = WriteFileAtomic(output, ini.ToBytes()); !written) {
      Error(written.Message());
      return kExitUsage;
    }
    out_ << "Imported project written to " << output << '\n';
    return kExitOK;
  }

 private:
  std::string input_file_;
  std::string output_file_;
};

}  // namespace

std::unique_ptr<TCommand> MakeImportCommand(std::ostream& Out, std::ostream& Err) {
  return std::make_unique<TImportCommand>(Out, Err);
}
