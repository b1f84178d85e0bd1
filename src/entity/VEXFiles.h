// Whole files: reading, writing atomically, comparing, telling text from
// binary, and hashing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "entity/cResult.h"

// The largest file the program reads whole (projects, libraries, library
// definitions and CSV files, imported files): 64 MB, far beyond any real
// project or library, so a wrong or hostile file cannot exhaust memory.
constexpr std::uintmax_t kMaxReadFileBytes = std::uintmax_t{64} << 20;

// Reads a whole file into Bytes (left alone when it cannot be read). Refuses
// what is not a plain file (a folder, a pipe that would make the reader wait
// for ever, a device such as /dev/zero that never ends) and a file larger than
// kMaxReadFileBytes.
TResult ReadFileBytes(const std::string& FileName, std::string& Bytes);

// The mark in the names of the temporary files and run folders this program
// makes, which a file a user names cannot carry by accident: the cleanup of
// files left by killed processes removes only names that hold it.
inline constexpr const char* kOwnFileMark = "~trv7Kq3";

// The one writer of the program's files. It writes a hidden temporary file
// beside the target, "." + name + "." + kOwnFileMark + "." + process id + "."
// + 6 characters, and renames it over the target once complete, so a failure
// or an interruption never leaves a half-written file:
// - a link is followed: the file it names is replaced and the link kept; a
//   loop of links is refused ("...: too many levels of symbolic links");
// - a device (/dev/null) is written in place, never replaced; so is a pipe,
//   and a pipe that no program reads is an error rather than a wait;
// - a read-only file is refused and kept ("...: it is read-only");
// - an existing file keeps its permissions; a new one gets the user's umask;
// - on SIGINT, SIGTERM or SIGHUP (when the program leaves their default
//   action) the temporary file is removed and the program ends as the signal
//   ends it; temporaries of the same target left by writers that no longer
//   run (killed outright) are removed by the next write.
// Thread-safe: writers on several threads never share a temporary name.
TResult WriteFileAtomic(const std::string& FileName, std::string_view Bytes);

// True when A and B both exist and are one file (same device and inode, links
// followed), whatever their names.
bool IsSameFile(const std::string& A, const std::string& B);

// The one rule for what a command or a window command writes: before anything
// is written, every output is compared with every input it reads (project,
// libraries, definitions and their CSV files, design-table parts, the file
// being imported) and with every other output of the same command. Two names
// are one file when both exist and are one file (same device and inode, links
// followed), or when they lead to the same absolute path once the links of
// the name and of its folders are followed (for a file not there yet). The
// null device and other character devices may be named any number of times.
//
//   TFileUses uses;
//   uses.AddInput(project_file, "project file");
//   uses.AddInput(library_file, "library file");
//   uses.AddOutput(report_file);
//   uses.AddOutput(save_file, project_file);  // a save over the project's own file
//   if (TResult checked = uses.Check(); !checked) ... checked.Message()
//
// Not thread-safe; one owner. Check reads the file system once per name.
class TFileUses {
 public:
  // An input; What says what it is in messages ("project file"). An empty
  // name (no such input) is left out.
  void AddInput(const std::string& Name, const std::string& What);
  // An output; MayReplace names the input (as given to AddInput) that this
  // output may be: the project a save writes over. An empty name is left out.
  void AddOutput(const std::string& Name, const std::string& MayReplace = "");
  // The first clash, in the order the outputs were added, as a failure:
  //   "<output> is also an input (<what> <input>)"
  //   "<output> is named twice"
  //   "Cannot write file [<output>]: too many levels of symbolic links"
  TResult Check() const;

 private:
  struct TInput {
    std::string Name, What;
  };
  struct TOutput {
    std::string Name, MayReplace;
  };
  std::vector<TInput> inputs_;
  std::vector<TOutput> outputs_;
};

// A folder of one run's scratch files (a copy of the project for a test)
// inside the per-user work folder, named "TVRun-" + kOwnFileMark + "-" +
// process id + "-" + 6 random characters, removed with what it holds when the
// object ends, and also when SIGINT, SIGTERM or SIGHUP end the program (as
// the atomic writer removes its temporaries). Making one first removes the
// run folders of processes that no longer run (killed outright); a folder a
// user made, without the mark, is never touched. Two runs at once, in one
// process or several, never share one.
class TRunFolder {
 public:
  TRunFolder() = default;
  ~TRunFolder();
  TRunFolder(const TRunFolder&) = delete;
  TRunFolder& operator=(const TRunFolder&) = delete;

  // Makes the folder inside WorkFolder (GetWorkFolder(GetAppName()) when
  // empty; the system's temporary folder when there is no work folder).
  // Fails, saying where, when it cannot be made.
  TResult Make(const std::string& WorkFolder = "");
  // The folder, with a trailing "/"; "" before Make succeeded.
  const std::string& Path() const { return path_; }
  // A file of the folder.
  std::string File(const std::string& Name) const { return path_ + Name; }

 private:
  std::string path_;
  int slot_ = -1;  // where the signal handler finds it
};
bool FileExists(const std::string& FileName);
// True when every byte is TAB, LF, FF, CR or printable ASCII.
bool IsTextFile(const std::string& FileName);
// MD5 of the UTF-8 bytes, as 32 lower-case hexadecimal digits.
std::string HashText(std::string_view Text);

// For tests: a function WriteFileAtomic calls once the temporary file is
// written, before it is renamed (null: none).
void SetWriteFileAtomicTestHook(void (*Hook)(const std::string& TempFile));
