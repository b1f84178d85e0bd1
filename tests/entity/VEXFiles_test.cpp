// Whole files: what the readers refuse, what the atomic writer does to the
// thing at the target, and what an interrupted save leaves behind.
#include "entity/VEXFiles.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A pid that no process has: a child that has already been reaped.
pid_t DeadPid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

// Stops the test instead of letting it hang when a read blocks for ever.
class AlarmGuard {
 public:
  explicit AlarmGuard(unsigned seconds) { ::alarm(seconds); }
  ~AlarmGuard() { ::alarm(0); }
};

}  // namespace

TEST(ReadFileBytes, RefusesWhatIsNoPlainFileAndWhatIsTooLarge) {
  AlarmGuard guard(20);
  TempDir dir;
  const std::string fifo = dir.File("pipe.tva");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string huge = dir.File("huge.tva");
  std::ofstream(huge).close();
  fs::resize_file(huge, kMaxReadFileBytes + 1);  // sparse: no disk is used
  const std::string just = dir.File("just.tvl");
  std::ofstream(just).close();
  fs::resize_file(just, kMaxReadFileBytes);
  struct Case {
    std::string file, message;  // empty message: read
  } cases[] = {
      {fifo, "[" + fifo + "] is not a plain file"},
      {"/dev/zero", "[/dev/zero] is not a plain file"},
      {"/dev/null", "[/dev/null] is not a plain file"},
      {dir.Path().string(), "[" + dir.Path().string() + "] is a folder, not a file"},
      {dir.File("missing"), "Cannot open file [" + dir.File("missing") + "]"},
      {huge, "[" + huge + "] is larger than 64 MB, the most a file read by this program may hold"},
      {just, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::string bytes = "kept";
    const TResult read = ReadFileBytes(c.file, bytes);
    EXPECT_EQ(read.IsOK(), c.message.empty());
    EXPECT_EQ(read.Message(), c.message);
    if (!read) {
      EXPECT_EQ(bytes, "kept");
    } else {
      EXPECT_EQ(bytes.size(), kMaxReadFileBytes);
    }
  }
}

TEST(IsSameFile, ComparesFilesNotNames) {
  TempDir dir;
  const std::string a = dir.Write("a.tva", "a");
  const std::string b = dir.Write("b.tva", "a");
  fs::create_symlink(a, dir.File("link.tva"));
  fs::create_hard_link(a, dir.File("hard.tva"));
  EXPECT_TRUE(IsSameFile(a, a));
  EXPECT_TRUE(IsSameFile(a, (dir.Path() / "." / "a.tva").string()));
  EXPECT_TRUE(IsSameFile(a, dir.File("link.tva")));
  EXPECT_TRUE(IsSameFile(dir.File("hard.tva"), a));
  EXPECT_FALSE(IsSameFile(a, b));  // same text, two files
  EXPECT_FALSE(IsSameFile(a, dir.File("missing.tva")));
  EXPECT_FALSE(IsSameFile(dir.File("missing.tva"), dir.File("missing.tva")));
}

// What the writer does to each kind of thing it finds at the target.
TEST(WriteFileAtomic, TreatsEachKindOfTargetSoundly) {
  TempDir dir;
  struct Case {
    const char* name;
    std::function<std::string()> make;   // sets up the target and returns its name
    bool writes;
    std::function<void(const std::string&)> check;  // what is there afterwards
  };
  const Case cases[] = {
      {"new file", [&] { return dir.File("new.csv"); }, true,
       [&](const std::string& f) { EXPECT_EQ(Read(f), "new"); }},
      {"plain file, with an unrelated .tmp beside it",
       [&] {
         dir.Write("plain.csv.tmp", "unrelated");
         return dir.Write("plain.csv", "old");
       },
       true,
       [&](const std::string& f) {
         EXPECT_EQ(Read(f), "new");
         EXPECT_EQ(Read(dir.File("plain.csv.tmp")), "unrelated");
       }},
      {"link to a file",
       [&] {
         dir.Write("real.csv", "old");
         fs::create_symlink("real.csv", dir.File("link.csv"));
         return dir.File("link.csv");
       },
       true,
       [&](const std::string& f) {
         EXPECT_TRUE(fs::is_symlink(f));
         EXPECT_EQ(Read(dir.File("real.csv")), "new");
       }},
      {"link to a link to a file not there yet",
       [&] {
         fs::create_directories(dir.File("sub"));
         fs::create_symlink("sub/target.csv", dir.File("inner.csv"));
         fs::create_symlink(dir.File("inner.csv"), dir.File("outer.csv"));
         return dir.File("outer.csv");
       },
       true,
       [&](const std::string& f) {
         EXPECT_TRUE(fs::is_symlink(f));
         EXPECT_TRUE(fs::is_symlink(dir.File("inner.csv")));
         EXPECT_EQ(Read(dir.File("sub/target.csv")), "new");
       }},
      {"pipe nobody reads",
       [&] {
         EXPECT_EQ(::mkfifo(dir.File("pipe.csv").c_str(), 0600), 0);
         return dir.File("pipe.csv");
       },
       false, [&](const std::string& f) { EXPECT_TRUE(fs::is_fifo(f)); }},
      {"device", [&] { return std::string("/dev/null"); }, true,
       [&](const std::string& f) { EXPECT_TRUE(fs::is_character_file(f)); }},
      {"read-only file",
       [&] {
         const std::string f = dir.Write("locked.tva", "old");
         fs::permissions(f, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
         return f;
       },
       false,
       [&](const std::string& f) {
         EXPECT_EQ(Read(f), "old");
         EXPECT_EQ(fs::status(f).permissions() & fs::perms::owner_write, fs::perms::none);
       }},
      {"folder",
       [&] {
         fs::create_directories(dir.File("folder.csv"));
         return dir.File("folder.csv");
       },
       false, [&](const std::string& f) { EXPECT_TRUE(fs::is_directory(f)); }},
      {"loop of links (not replaced by a file)",
       [&] {
         fs::create_symlink("loop-b.csv", dir.File("loop-a.csv"));
         fs::create_symlink("loop-a.csv", dir.File("loop-b.csv"));
         return dir.File("loop-a.csv");
       },
       false,
       [&](const std::string& f) {
         EXPECT_TRUE(fs::is_symlink(f));
         EXPECT_EQ(WriteFileAtomic(f, "new").Message(),
                   "Cannot write file [" + f + "]: too many levels of symbolic links");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string target = c.make();
    const TResult written = WriteFileAtomic(target, "new");
    EXPECT_EQ(written.IsOK(), c.writes) << written.Message();
    if (!written) {
      EXPECT_NE(written.Message().find(target), std::string::npos) << written.Message();
    }
    c.check(target);
  }
  // No temporary file is left anywhere.
  for (const auto& e : fs::recursive_directory_iterator(dir.Path()))
    EXPECT_NE(e.path().filename().string().front(), '.') << e.path();
}

// The refusal of a read-only file names it as such.
TEST(WriteFileAtomic, SaysWhyAReadOnlyFileIsKept) {
  TempDir dir;
  const std::string f = dir.Write("locked.tva", "old");
  fs::permissions(f, fs::perms::owner_read);
  EXPECT_EQ(WriteFileAtomic(f, "new").Message(), "Cannot write file [" + f + "]: it is read-only");
}

// A writer killed by a signal while its temporary file exists: SIGINT and
// SIGTERM remove it at once; after SIGKILL (which cannot be caught) the next
// save of the same file removes it. Each case runs in a child process that
// the signal ends.
TEST(WriteFileAtomic, InterruptedSaveLeavesNoTemporaryBehind) {
  struct Case {
    int signal;
    bool leaves_temporary;
  } cases[] = {{SIGINT, false}, {SIGTERM, false}, {SIGKILL, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(strsignal(c.signal));
    TempDir dir;
    const std::string target = dir.Write("job.tva", "old");
    static int signal_to_raise;
    signal_to_raise = c.signal;
    const pid_t child = ::fork();
    if (child == 0) {
      // As in a program started from a shell (a background job may start with them ignored).
      ::signal(SIGINT, SIG_DFL);
      ::signal(SIGTERM, SIG_DFL);
      SetWriteFileAtomicTestHook([](const std::string&) { ::raise(signal_to_raise); });
      (void)WriteFileAtomic(target, "new");
      ::_exit(0);  // the signal did not end the save
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself with " << status;
    EXPECT_EQ(WTERMSIG(status), c.signal);
    EXPECT_EQ(Read(target), "old");
    EXPECT_EQ(dir.Names().size(), c.leaves_temporary ? 2u : 1u);

    ASSERT_TRUE(WriteFileAtomic(target, "new"));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"job.tva"});
  }
}

// Only this program's own temporaries of the same file, left by processes
// that are gone, are removed; a save in progress elsewhere keeps its own.
TEST(WriteFileAtomic, RemovesOnlyStaleTemporariesOfTheSameFile) {
  TempDir dir;
  const std::string target = dir.Write("job.tva", "old");
  const std::string dead = std::to_string(DeadPid());
  const std::string alive = std::to_string(::getppid());
  const std::string mark = kOwnFileMark;
  struct Case {
    std::string name;
    bool kept;
  } cases[] = {
      {".job.tva." + mark + "." + dead + ".a1B2c3", false},
      {".job.tva." + mark + "." + alive + ".a1B2c3", true},     // a save still running
      {".other.tva." + mark + "." + dead + ".a1B2c3", true},    // another file's
      {".job.tva." + mark + "." + dead + ".a1B2c3.bak", true},  // not a name this program makes
      {".job.tva." + mark + ".x" + dead + ".a1B2c3", true},
      {".job.tva.tmp." + dead + ".a1B2c3", true},  // a user's file without the mark
      {"job.tva.tmp", true},
  };
  for (const Case& c : cases) dir.Write(c.name, "left");
  ASSERT_TRUE(WriteFileAtomic(target, "new"));
  for (const Case& c : cases) EXPECT_EQ(fs::exists(dir.File(c.name)), c.kept) << c.name;
}

TEST(WriteFileAtomic, WritesADeviceInPlace) {
  TempDir dir;
  // A device node of our own (the null device), so a faulty writer replaces
  // nothing of the system's.
  const std::string device = dir.File("null");
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "cannot make a device node";
  ASSERT_TRUE(WriteFileAtomic(device, "discarded"));
  EXPECT_TRUE(fs::is_character_file(device));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"null"});
}

// ---------------------------------------------------------------------------
// The one rule for outputs: every output against every input and every other
// output, as files when they exist and as paths (links followed) when not.

TEST(TFileUses, RefusesAnOutputThatIsAnInputOrNamedTwice) {
  TempDir dir;
  const std::string p = dir.Write("p.tva", "project");
  const std::string lib = dir.Write("lib.tvl", "library");
  fs::create_symlink("p.tva", dir.File("lp-link.csv"));
  fs::create_symlink(dir.Path(), dir.File("here"));       // a link to the folder
  fs::create_symlink("y.csv", dir.File("x.csv"));          // a link to an output not there yet
  fs::create_symlink("loop.csv", dir.File("loop.csv"));
  fs::create_hard_link(p, dir.File("hard.tva"));
  const std::string d = dir.Path().string() + "/";
  struct Case {
    const char* what;
    std::vector<std::string> outputs;
    std::string may_replace;  // for the last output
    std::string message;      // "" when every output may be written
  } cases[] = {
      {"the project itself", {p}, "", p + " is also an input (project file " + p + ")"},
      {"the project by another path", {d + "./p.tva"}, "", d + "./p.tva is also an input (project file " + p + ")"},
      {"a link to the project", {d + "lp-link.csv"}, "", d + "lp-link.csv is also an input (project file " + p + ")"},
      {"a hard link to the project", {d + "hard.tva"}, "", d + "hard.tva is also an input (project file " + p + ")"},
      {"the project through a linked folder", {d + "here/p.tva"}, "",
       d + "here/p.tva is also an input (project file " + p + ")"},
      {"the library", {d + "r.csv", lib}, "", lib + " is also an input (library file " + lib + ")"},
      {"a save over the project's own file", {d + "r.csv", p}, p, ""},
      {"a save may replace only the project", {lib}, p, lib + " is also an input (library file " + lib + ")"},
      {"two outputs not there yet", {d + "r.csv", d + "r.csv"}, "", d + "r.csv is named twice"},
      {"two names of one new output", {d + "r.csv", d + "here/r.csv"}, "", d + "here/r.csv is named twice"},
      {"a link to another output not there yet", {d + "y.csv", d + "x.csv"}, "", d + "x.csv is named twice"},
      {"a loop of links", {d + "loop.csv"}, "",
       "Cannot write file [" + d + "loop.csv]: too many levels of symbolic links"},
      {"the null device twice", {"/dev/null", "/dev/null"}, "", ""},
      {"different new files", {d + "r.csv", d + "r.pdf", d + "o.tva"}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TFileUses uses;
    uses.AddInput(p, "project file");
    uses.AddInput(lib, "library file");
    uses.AddInput("", "design library file");  // none: left out
    for (size_t i = 0; i < c.outputs.size(); ++i)
      uses.AddOutput(c.outputs[i], i + 1 == c.outputs.size() ? c.may_replace : "");
    const TResult checked = uses.Check();
    EXPECT_EQ(checked.IsOK(), c.message.empty());
    EXPECT_EQ(checked.Message(), c.message);
  }
  EXPECT_EQ(Read(p), "project");
  EXPECT_EQ(Read(lib), "library");
}

// A run folder is removed when its object ends, when SIGINT, SIGTERM or
// SIGHUP end the program (each case in a child process that the signal ends),
// and, after SIGKILL (which cannot be caught), by the next run's Make.
TEST(TRunFolder, NoFolderOutlivesItsRun) {
  struct Case {
    int signal;
    bool left_until_next_run;
  } cases[] = {{SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}, {SIGKILL, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(strsignal(c.signal));
    TempDir work;
    const pid_t child = ::fork();
    if (child == 0) {
      // As in a program started from a shell (a background job may start with them ignored).
      for (int s : {SIGINT, SIGTERM, SIGHUP}) ::signal(s, SIG_DFL);
      TRunFolder folder;
      if (!folder.Make(work.Path().string())) ::_exit(3);
      std::ofstream(folder.File("TVTest.tva")) << "a copy of the project";
      ::raise(c.signal);
      ::_exit(0);  // the signal did not end the run
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself with " << status;
    EXPECT_EQ(WTERMSIG(status), c.signal);
    EXPECT_EQ(work.Names().size(), c.left_until_next_run ? 1u : 0u);

    TRunFolder next;
    ASSERT_TRUE(next.Make(work.Path().string()));
    EXPECT_EQ(work.Names().size(), 1u);  // the next run's own alone
    const std::string own = next.Path();
    EXPECT_EQ(own.rfind(work.Path().string() + "/TVRun-" + kOwnFileMark + "-" + std::to_string(::getpid()) + "-", 0),
              0u)
        << own;
  }
}

// Only folders this program made, of processes that are gone, are removed:
// a user's folder of a similar name is never touched.
TEST(TRunFolder, RemovesOnlyStaleFoldersOfItsOwn) {
  TempDir work;
  const std::string mark = kOwnFileMark;
  const std::string dead = std::to_string(DeadPid());
  const std::string alive = std::to_string(::getppid());
  struct Case {
    std::string name;
    bool kept;
  } cases[] = {
      {"TVRun-" + mark + "-" + dead + "-a1B2c3", false},
      {"TVRun-" + mark + "-" + alive + "-a1B2c3", true},  // a run still going
      {"TVRun-" + dead + "-a1B2c3", true},                // a user's folder without the mark
      {"TVRun-a1B2c3", true},
      {"TVRun-" + mark + "-" + dead + "-a1B2c3-mine", true},
  };
  for (const Case& c : cases) {
    fs::create_directories(work.Path() / c.name);
    std::ofstream(work.Path() / c.name / "TVTest.tva") << "left";
  }
  TRunFolder folder;
  ASSERT_TRUE(folder.Make(work.Path().string()));
  for (const Case& c : cases) EXPECT_EQ(fs::exists(work.Path() / c.name), c.kept) << c.name;
}
