#include "entity/VEXFiles.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>

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
//   "." + the file's name + ".tmp." + the writer's process id + "." + 6 random characters,
// and renamed over it. Names of this pattern are recognisable: a writer that
// was killed (SIGKILL, a power cut) leaves one behind, and the next save of
// the same file removes those whose process no longer exists.
//
// On SIGINT, SIGTERM and SIGHUP the temporary files being written are removed
// before the program ends as the signal would have ended it. The handler may
// only do what is async-signal-safe: it reads the paths from fixed buffers
// (one per save in progress) and unlinks them.

namespace {

constexpr int kTempSlots = 8;
constexpr size_t kTempPathMax = 4096;

// A save in progress, as the signal handler sees it: 0 free, 1 claimed, 2 armed.
struct TTempSlot {
  std::atomic<int> state{0};
  char path[kTempPathMax];
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slots");

TTempSlot g_temp_slots[kTempSlots];
std::atomic<void (*)(const std::string&)> g_test_hook{nullptr};
constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveTemporariesAndEnd(int Signal) {
  const int saved_errno = errno;
  for (TTempSlot& slot : g_temp_slots)
    if (slot.state.load() == 2) ::unlink(slot.path);
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
    const std::string stem =
        (dir / ("." + Target.filename().string() + ".tmp." + std::to_string(::getpid()) + ".")).string();
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

// The file a chain of links ends at (the name itself when it is no link).
// A link to a file not there yet names the file to create.
fs::path FollowLinks(fs::path Target) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(Target, ec))) return Target;
    const fs::path next = fs::read_symlink(Target, ec);
    if (ec) return Target;
    Target = next.is_absolute() ? next : Target.parent_path() / next;
  }
  return Target;
}

// Removes the temporary files of Target that writers which no longer run
// have left (see the name pattern above).
void RemoveStaleTemporaries(const fs::path& Target) {
  const fs::path dir = Target.has_parent_path() ? Target.parent_path() : fs::path(".");
  const std::string prefix = "." + Target.filename().string() + ".tmp.";
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() + 7 || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string rest = name.substr(prefix.size());  // pid "." 6 characters
    const size_t dot = rest.find('.');
    if (dot == 0 || dot == std::string::npos || rest.size() - dot - 1 != 6) continue;
    if (rest.find_first_not_of("0123456789") != dot) continue;
    if (rest.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", dot + 1) !=
        std::string::npos)
      continue;
    if (dot > 9) continue;  // more digits than any process id
    const pid_t pid = static_cast<pid_t>(std::stol(rest.substr(0, dot)));
    if (pid <= 0 || ::kill(pid, 0) == 0 || errno != ESRCH) continue;  // its writer may still run
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
  const fs::path target = FollowLinks(FileName);
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
