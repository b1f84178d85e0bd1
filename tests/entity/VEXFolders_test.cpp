// Where the program finds the files it ships with: beside itself in a build
// folder, in ../share/trevalon when installed.
#include "entity/VEXFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"

namespace fs = std::filesystem;

TEST(ProgramFiles, BesideTheProgramFirstThenTheShareFolder) {
  struct Case {
    const char* what;
    bool in_bin, share_folder, in_share;
    const char* program_folder;  // relative to the scratch root
    const char* expected;        // relative to the scratch root
  };
  const Case cases[] = {
      {"build folder", true, false, false, "bin", "bin/Trevalon.tvl"},
      {"build folder beside an install", true, true, true, "bin", "bin/Trevalon.tvl"},
      {"installed", false, true, true, "bin", "share/trevalon/Trevalon.tvl"},
      {"installed, given with a trailing slash", false, true, true, "bin/", "share/trevalon/Trevalon.tvl"},
      {"installed, given as bin/.", false, true, true, "bin/.", "share/trevalon/Trevalon.tvl"},
      // Missing everywhere: the folder it belongs in, so the message names it.
      {"installed without its library", false, true, false, "bin", "share/trevalon/Trevalon.tvl"},
      {"build folder without its library", false, false, false, "bin", "bin/Trevalon.tvl"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir scratch;
    const fs::path root = scratch.Path();
    fs::create_directories(root / "bin");
    if (c.share_folder) fs::create_directories(root / "share" / "trevalon");
    if (c.in_bin) scratch.Write("bin/Trevalon.tvl", "bin");
    if (c.in_share) scratch.Write("share/trevalon/Trevalon.tvl", "share");
    const std::string found = FindShippedFile((root / c.program_folder).string(), "Trevalon.tvl");
    EXPECT_EQ(fs::path(found).lexically_normal(), (root / c.expected).lexically_normal());
  }
}

TEST(ProgramFiles, TheRunningProgramFindsItselfBesideItself) {
  // The test program lives in the build's bin folder with the library beside it.
  const std::string folder = GetProgramFolder();
  EXPECT_EQ(GetShippedFile("Trevalon.tvl"), folder + "/Trevalon.tvl");
  EXPECT_TRUE(fs::exists(GetShippedFile("Trevalon.tvl")));
}

// The one rule for derived file names (the results, test, design-table and
// export files, the window's proposals): only the file name's last extension
// goes, whatever dots the folders hold.
TEST(ProgramFiles, DerivedFileNames) {
  const struct {
    const char* base;
    const char* suffix;
    const char* extension;
    const char* derived;
  } cases[] = {
      {"/p/job.tva", "", ".csv", "/p/job.csv"},               // extension replaced
      {"/p/job.tva", "-Tests", ".csv", "/p/job-Tests.csv"},   // suffix before it
      {"/p.q/job", "", ".chm", "/p.q/job.chm"},               // dots in folders kept
      {"/p/job.v2.tva", "", ".csv", "/p/job.v2.csv"},         // only the last extension
      {"C:\\p.q\\job", "-Design", ".csv", "C:\\p.q\\job-Design.csv"},  // Windows folders too
  };
  for (const auto& c : cases) EXPECT_EQ(DeriveFileName(c.base, c.suffix, c.extension), c.derived) << c.base;
  // Without a base, the program file's name.
  EXPECT_EQ(DeriveFileName("", "", ".chm"), DeriveFileName(GetProgramFile(), "", ".chm"));
}
