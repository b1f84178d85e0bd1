// Whole files: reading, writing atomically, comparing, telling text from
// binary, and hashing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// The one writer of the program's files. It writes a hidden temporary file
// beside the target, "." + name + ".tmp." + process id + "." + 6 characters,
// and renames it over the target once complete, so a failure or an
// interruption never leaves a half-written file:
// - a link is followed: the file it names is replaced and the link kept;
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
bool FileExists(const std::string& FileName);
// True when every byte is TAB, LF, FF, CR or printable ASCII.
bool IsTextFile(const std::string& FileName);
// MD5 of the UTF-8 bytes, as 32 lower-case hexadecimal digits.
std::string HashText(std::string_view Text);

// For tests: a function WriteFileAtomic calls once the temporary file is
// written, before it is renamed (null: none).
void SetWriteFileAtomicTestHook(void (*Hook)(const std::string& TempFile));
