#include "entity/VEXFiles.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "entity/VEXAppInfo.h"
#include "entity/VEXFolders.h"

namespace fs = std::filesystem;

bool IsTextFile(const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) return false;
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == 9 || c == 10 || c == 12 || c == 13 || (c >= 32 && c <= 126)) continue;
    return false;
  }
  return true;
}

std::string HashText(std::string_view Text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int len = 0;
  EVP_Digest(Text.data(), Text.size(), digest, &len, EVP_md5(), nullptr);
  static const char hex[] = "0123456789abcdef";
  std::string out;
  for (unsigned int i = 0; i < len; ++i) {
    out += hex[digest[i] >> 4];
    out += hex[digest[i] & 15];
  }
  return out;
}

namespace {

// Closes a descriptor when it goes out of scope.
class TFileDescriptor {
 public:
  explicit TFileDescriptor(int Fd) : fd_(Fd) {}
  ~TFileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now, reporting whether the last writes reached the file.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace

TResult ReadFileBytes(const std::string& FileName, std::string& Bytes) {
  // Opened without waiting, so a pipe with no writer cannot hang the reader;
  // what the name leads to is then checked on the open file itself.
  TFileDescriptor fd(::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.Get() < 0) return TResult::Failure("Cannot open file [" + FileName + "]");
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) return TResult::Failure("Cannot read file [" + FileName + "]");
  if (S_ISDIR(st.st_mode)) return TResult::Failure("[" + FileName + "] is a folder, not a file");
  // A device or a pipe has no end a reader can rely on (/dev/zero never ends).
  if (!S_ISREG(st.st_mode)) return TResult::Failure("[" + FileName + "] is not a plain file");
  const TResult too_large =
      TResult::Failure("[" + FileName + "] is larger than 64 MB, the most a file read by this program may hold");
  if (static_cast<std::uintmax_t>(st.st_size) > kMaxReadFileBytes) return too_large;
  std::string bytes;
  bytes.resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  // The file may grow while it is read: read on to its end, up to the limit.
  for (;;) {
    if (done == bytes.size()) {
      if (bytes.size() > kMaxReadFileBytes) return too_large;
      bytes.resize(std::min<size_t>(bytes.size() + 65536, kMaxReadFileBytes + 1));
    }
    const ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return TResult::Failure("Cannot read file [" + FileName + "]");
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  if (done > kMaxReadFileBytes) return too_large;
  bytes.resize(done);
  Bytes = std::move(bytes);
  return {};
}

bool IsSameFile(const std::string& A, const std::string& B) {
  struct stat a {}, b {};
  return ::stat(A.c_str(), &a) == 0 && ::stat(B.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool FileExists(const std::string& FileName) {
  std::error_code ec;
  return fs::is_regular_file(FileName, ec);
}

// ---------------------------------------------------------------------------
// The atomic writer.
//
// A file is written into a temporary file beside it, named
//   "." + the file's name + "." + kOwnFileMark + "." + the writer's process id + "." + 6 random characters,
// and renamed over it. Names of this pattern are recognisable: a writer that
// was killed (SIGKILL, a power cut) leaves one behind, and the next save of
// the same file removes those whose process no longer exists. The mark keeps
// a user's own file of a similar name out of it.
//
// On SIGINT, SIGTERM and SIGHUP the temporary files being written, and the
// run folders in use, are removed before the program ends as the signal
// would have ended it. The handler may only do what is async-signal-safe: it
// reads the paths from fixed buffers (one per save in progress, one per run
// folder) and unlinks them; a folder's files are listed with the getdents64
// system call, which needs no memory of its own.

namespace {

constexpr int kTempSlots = 8;
constexpr int kFolderSlots = 8;
constexpr size_t kTempPathMax = 4096;

// A save in progress or a run folder in use, as the signal handler sees it:
// 0 free, 1 claimed, 2 armed.
struct TTempSlot {
  std::atomic<int> state{0};
  char path[kTempPathMax];
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slots");

TTempSlot g_temp_slots[kTempSlots];
TTempSlot g_folder_slots[kFolderSlots];
std::atomic<void (*)(const std::string&)> g_test_hook{nullptr};
constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Removes the files of a run folder and the folder, from a signal handler.
void RemoveFolderFromHandler(const char* Path) {
  const int dir = ::open(Path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir >= 0) {
    alignas(8) char buffer[4096];
    for (;;) {
      const long n = ::syscall(SYS_getdents64, dir, buffer, sizeof buffer);
      if (n <= 0) break;
      for (long at = 0; at < n;) {
        // struct linux_dirent64: inode (8), offset (8), record length (2), type (1), name.
        unsigned short length;
        std::memcpy(&length, buffer + at + 16, sizeof length);
        const char* name = buffer + at + 19;
        if (!(name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))) ::unlinkat(dir, name, 0);
        at += length;
      }
    }
    ::close(dir);
  }
  ::rmdir(Path);
}

extern "C" void RemoveTemporariesAndEnd(int Signal) {
  const int saved_errno = errno;
  for (TTempSlot& slot : g_temp_slots)
    if (slot.state.load() == 2) ::unlink(slot.path);
  for (TTempSlot& slot : g_folder_slots)
    if (slot.state.load() == 2) RemoveFolderFromHandler(slot.path);
  // The default action ends the program once this handler returns.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  ::sigemptyset(&action.sa_mask);
  ::sigaction(Signal, &action, nullptr);
  ::raise(Signal);
  errno = saved_errno;
}

// Installs the handler for each signal that has its default action: a
// program (or a shell running it in the background) that ignores or handles
// a signal itself keeps doing so. Checked on every write, as a program may
// change its signal actions at any time.
void InstallSignalCleanup() {
  for (int signal : kCleanedSignals) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) != 0) continue;
    if ((old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndEnd;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

// Six characters for a temporary file's name, from a counter, so writers on
// several threads of this process get different names (and, with the process
// id in the name, writers of other processes too); a name that exists
// anyway is skipped.
std::string UniqueSuffix() {
  static std::atomic<unsigned long> counter{0};
  static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  unsigned long n = counter.fetch_add(1) + static_cast<unsigned long>(::time(nullptr)) * 7919;
  std::string out(6, '0');
  for (char& c : out) {
    c = digits[n % 62];
    n /= 62;
  }
  return out;
}

// The temporary file's name and descriptor, in a slot the signal handler
// watches when one is free and the path fits.
class TTemporaryFile {
 public:
  // Creates the temporary file for Target from the name pattern above, with
  // the permissions a new file gets from the user's umask.
  explicit TTemporaryFile(const fs::path& Target) {
    const fs::path dir = Target.has_parent_path() ? Target.parent_path() : fs::path(".");
    const std::string stem = (dir / ("." + Target.filename().string() + "." + kOwnFileMark + "." +
                                     std::to_string(::getpid()) + "."))
                                 .string();
    if (stem.size() + 6 < kTempPathMax)
      for (TTempSlot& slot : g_temp_slots) {
        int free = 0;
        if (!slot.state.compare_exchange_strong(free, 1)) continue;
        slot_ = &slot;
        break;
      }
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      const std::string name = stem + UniqueSuffix();
      if (slot_) {
        // Armed before the file exists: the handler unlinking a name not yet
        // made removes nothing (names of this pattern are this process's own).
        // Disarmed while the name changes, so the handler never reads half of one.
        slot_->state.store(1);
        std::memcpy(slot_->path, name.c_str(), name.size() + 1);
        slot_->state.store(2);
      }
      fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) path_ = name;
      else if (errno != EEXIST) break;
    }
  }
  ~TTemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty() && !is_committed_) ::unlink(path_.c_str());
    if (slot_) slot_->state.store(0);
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  const std::string& Path() const { return path_; }

  bool Write(std::string_view Bytes) {
    size_t done = 0;
    while (done < Bytes.size()) {
      const ssize_t w = ::write(fd_, Bytes.data() + done, Bytes.size() - done);
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return false;
      done += static_cast<size_t>(w);
    }
    return true;
  }

  // Makes the file durable, gives it the permissions of the file it replaces
  // (when Mode is set), then renames it over Target.
  bool CommitAs(const fs::path& Target, std::optional<mode_t> Mode) {
    if (Mode && ::fchmod(fd_, *Mode) != 0) return false;
    if (::fsync(fd_) != 0) return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return false;
    if (::rename(path_.c_str(), Target.c_str()) != 0) return false;
    is_committed_ = true;
    return true;
  }

 private:
  TTempSlot* slot_ = nullptr;
  std::string path_;
  int fd_ = -1;
  bool is_committed_ = false;
};

// More links than this in a row is a loop, as the system itself counts.
constexpr int kMaxLinkHops = 40;

// The file a chain of links ends at (the name itself when it is no link). A
// link to a file not there yet names the file to create. False for a loop.
bool FollowLinks(fs::path& Target) {
  for (int hops = 0; hops < kMaxLinkHops; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(Target, ec))) return true;
    const fs::path next = fs::read_symlink(Target, ec);
    if (ec) return true;
    Target = next.is_absolute() ? next : Target.parent_path() / next;
  }
  return false;
}

// The process id of a name "<pid><Separator><6 characters>", the end of a
// temporary file's or run folder's name; 0 when Rest is not of that form.
pid_t OwnNamePid(const std::string& Rest, char Separator) {
  const size_t sep = Rest.find(Separator);
  if (sep == 0 || sep == std::string::npos || sep > 9 || Rest.size() - sep - 1 != 6) return 0;
  if (Rest.find_first_not_of("0123456789") != sep) return 0;
  if (Rest.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", sep + 1) !=
      std::string::npos)
    return 0;
  return static_cast<pid_t>(std::stol(Rest.substr(0, sep)));
}

// True when no process Pid runs any more (its files are left over).
bool IsGone(pid_t Pid) { return Pid > 0 && ::kill(Pid, 0) != 0 && errno == ESRCH; }

// Removes the temporary files of Target that writers which no longer run
// have left (see the name pattern above).
void RemoveStaleTemporaries(const fs::path& Target) {
  const fs::path dir = Target.has_parent_path() ? Target.parent_path() : fs::path(".");
  const std::string prefix = "." + Target.filename().string() + "." + kOwnFileMark + ".";
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() + 7 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!IsGone(OwnNamePid(name.substr(prefix.size()), '.'))) continue;  // its writer may still run
    std::error_code status_ec;
    if (!fs::is_regular_file(fs::symlink_status(it->path(), status_ec))) continue;
    fs::remove(it->path(), status_ec);
  }
}

// Writes straight into an existing file that is not a regular file (a device
// such as /dev/null, a pipe): renaming over it would replace it. A pipe that
// no program reads is an error rather than a wait for ever.
TResult WriteInPlace(const std::string& FileName, const fs::path& Target, std::string_view Bytes) {
  TFileDescriptor fd(::open(Target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.Get() < 0) {
    if (errno == ENXIO) return TResult::Failure("Cannot write file [" + FileName + "]: no program reads from it");
    return TResult::Failure("Cannot write file [" + FileName + "]");
  }
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);
  size_t done = 0;
  while (done < Bytes.size()) {
    const ssize_t w = ::write(fd.Get(), Bytes.data() + done, Bytes.size() - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return TResult::Failure("Cannot write file [" + FileName + "]");
    done += static_cast<size_t>(w);
  }
  if (!fd.Close()) return TResult::Failure("Cannot write file [" + FileName + "]");
  return {};
}

}  // namespace

void SetWriteFileAtomicTestHook(void (*Hook)(const std::string& TempFile)) { g_test_hook.store(Hook); }

TResult WriteFileAtomic(const std::string& FileName, std::string_view Bytes) {
  const TResult failed = TResult::Failure("Cannot write file [" + FileName + "]");
  // A link is followed, so the file it names is replaced and the link kept.
  fs::path target = FileName;
  if (!FollowLinks(target))
    return TResult::Failure("Cannot write file [" + FileName + "]: too many levels of symbolic links");
  // A new file gets the permissions the user's umask gives; an existing one keeps its own.
  std::optional<mode_t> mode;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return TResult::Failure("[" + FileName + "] is a folder, not a file");
    if (!S_ISREG(st.st_mode)) return WriteInPlace(FileName, target, Bytes);
    // Renaming over a file the user may not write would replace it all the
    // same (the folder allows it): a read-only file is kept.
    if (::access(target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0)
      return TResult::Failure("Cannot write file [" + FileName + "]: it is read-only");
    mode = st.st_mode & 07777;
  }

  InstallSignalCleanup();
  RemoveStaleTemporaries(target);
  TTemporaryFile temp(target);
  if (!temp.IsOpen() || !temp.Write(Bytes)) return failed;
  if (auto hook = g_test_hook.load()) hook(temp.Path());
  if (!temp.CommitAs(target, mode)) return failed;
  return {};
}

// ---------------------------------------------------------------------------
// Outputs against inputs.

namespace {

// What one name leads to, for comparing it with others.
struct TFileIdentity {
  bool IsLoop = false;       // a loop of links
  bool Exists = false;       // stat succeeded (links followed)
  bool IsDevice = false;     // a character device (the null device)
  dev_t Device = 0;
  ino_t Inode = 0;
  std::string Path;          // absolute, links followed, folders resolved
};

// The absolute path a name leads to: the links of the name followed to the
// file they end at (which need not exist), the links, "." and ".." of its
// folders resolved. False for a loop of links.
bool LeadsTo(const std::string& Name, fs::path& Out) {
  std::error_code ec;
  fs::path p = fs::absolute(Name, ec);
  if (ec) p = fs::path(Name);
  for (int hops = 0;; ++hops) {
    fs::path folder = fs::weakly_canonical(p.parent_path(), ec);
    if (ec) {
      if (ec == std::errc::too_many_symbolic_link_levels) return false;
      folder = p.parent_path().lexically_normal();
    }
    p = folder / p.filename();
    if (!fs::is_symlink(fs::symlink_status(p, ec))) break;
    if (hops >= kMaxLinkHops) return false;
    const fs::path next = fs::read_symlink(p, ec);
    if (ec) break;
    p = next.is_absolute() ? next : p.parent_path() / next;
  }
  Out = p;
  return true;
}

TFileIdentity IdentityOf(const std::string& Name) {
  TFileIdentity id;
  struct stat st {};
  if (::stat(Name.c_str(), &st) == 0) {
    id.Exists = true;
    id.IsDevice = S_ISCHR(st.st_mode);
    id.Device = st.st_dev;
    id.Inode = st.st_ino;
  } else if (errno == ELOOP) {
    id.IsLoop = true;
    return id;
  }
  fs::path path;
  if (!LeadsTo(Name, path)) {
    id.IsLoop = true;
    return id;
  }
  id.Path = path.string();
  return id;
}

bool IsOneFile(const TFileIdentity& A, const TFileIdentity& B) {
  if (A.Exists && B.Exists && A.Device == B.Device && A.Inode == B.Inode) return true;
  return !A.Path.empty() && A.Path == B.Path;
}

}  // namespace

void TFileUses::AddInput(const std::string& Name, const std::string& What) {
  if (!Name.empty()) inputs_.push_back({Name, What});
}

void TFileUses::AddOutput(const std::string& Name, const std::string& MayReplace) {
  if (!Name.empty()) outputs_.push_back({Name, MayReplace});
}

TResult TFileUses::Check() const {
  std::vector<TFileIdentity> inputs;
  inputs.reserve(inputs_.size());
  for (const TInput& in : inputs_) inputs.push_back(IdentityOf(in.Name));
  // Outputs seen so far, by path and by file, so that a design table's many
  // case files are compared in one pass.
  std::unordered_map<std::string, size_t> by_path;
  std::unordered_map<std::string, size_t> by_file;
  for (const TOutput& out : outputs_) {
    const TFileIdentity id = IdentityOf(out.Name);
    if (id.IsLoop) return TResult::Failure("Cannot write file [" + out.Name + "]: too many levels of symbolic links");
    if (id.IsDevice) continue;  // the null device loses nothing, however often it is named
    for (size_t i = 0; i < inputs.size(); ++i) {
      if (inputs[i].IsLoop || !IsOneFile(id, inputs[i]) || out.MayReplace == inputs_[i].Name) continue;
      return TResult::Failure(out.Name + " is also an input (" + inputs_[i].What + " " + inputs_[i].Name + ")");
    }
    const std::string file = id.Exists ? std::to_string(id.Device) + ":" + std::to_string(id.Inode) : std::string();
    if (by_path.count(id.Path) || (!file.empty() && by_file.count(file)))
      return TResult::Failure(out.Name + " is named twice");
    by_path.emplace(id.Path, 0);
    if (!file.empty()) by_file.emplace(file, 0);
  }
  return {};
}

// ---------------------------------------------------------------------------
// Run folders.

namespace {

std::string RunFolderPrefix() { return std::string("TVRun-") + kOwnFileMark + "-"; }

// Removes the run folders in Base of processes that no longer run.
void RemoveStaleRunFolders(const std::string& Base) {
  const std::string prefix = RunFolderPrefix();
  std::error_code ec;
  for (fs::directory_iterator it(Base, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() + 7 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!IsGone(OwnNamePid(name.substr(prefix.size()), '-'))) continue;
    std::error_code status_ec;
    if (!fs::is_directory(fs::symlink_status(it->path(), status_ec))) continue;
    fs::remove_all(it->path(), status_ec);
  }
}

}  // namespace

TRunFolder::~TRunFolder() {
  if (path_.empty()) return;
  // Disarmed first: the handler never removes a folder half gone.
  if (slot_ >= 0) g_folder_slots[slot_].state.store(1);
  std::error_code ec;
  fs::remove_all(path_, ec);
  if (slot_ >= 0) g_folder_slots[slot_].state.store(0);
}

TResult TRunFolder::Make(const std::string& WorkFolder) {
  std::string base = WorkFolder.empty() ? GetWorkFolder(GetAppName()) : WorkFolder;
  if (base.empty()) {
    std::error_code ec;
    base = fs::temp_directory_path(ec).string();
  }
  if (!base.empty() && base.back() != '/') base += '/';
  RemoveStaleRunFolders(base);
  InstallSignalCleanup();
  std::string name = base + RunFolderPrefix() + std::to_string(::getpid()) + "-XXXXXX";
  if (name.size() + 2 < kTempPathMax)
    for (int i = 0; i < kFolderSlots; ++i) {
      int free = 0;
      if (!g_folder_slots[i].state.compare_exchange_strong(free, 1)) continue;
      slot_ = i;
      break;
    }
  if (!::mkdtemp(name.data())) {
    if (slot_ >= 0) g_folder_slots[slot_].state.store(0);
    slot_ = -1;
    return TResult::Failure("Cannot make a work folder in [" + base + "]");
  }
  if (slot_ >= 0) {
    std::memcpy(g_folder_slots[slot_].path, name.c_str(), name.size() + 1);
    g_folder_slots[slot_].state.store(2);
  }
  path_ = name + "/";
  return {};
}
