// Running the built `trevalon` as a user's shell does, for the command-line
// tests: in a working folder, with a locale, its output captured.
//
//   const TRun r = RunIn(dir, Quote(kProgram) + " analyse s.tva");
//   EXPECT_EQ(r.code, 0) << r.err;
//
// Arguments are given as the shell reads them (Quote a path that may hold a
// blank or a quote). Standard input is empty, so a program that asks waits
// for nothing.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace cli_test {

inline const std::string kProgram = std::string(TREVALON_BIN_DIR) + "/trevalon";

// S as one shell word, whatever it holds.
inline std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

inline std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Text split into its lines, without their line ends (LF or CR LF).
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// One run of a command: its exit code (-1 when it did not exit) and what it printed.
struct TRun {
  int code = -1;
  std::string out, err;
  std::vector<std::string> OutLines() const { return Lines(out); }
  std::vector<std::string> ErrLines() const { return Lines(err); }
};

struct TRunOptions {
  std::string locale = "C";
  // Where standard output goes instead of TRun::out, when given.
  std::string stdout_file;
};

// Runs Command (a shell command line) in Dir under LC_ALL=Options.locale.
inline TRun RunIn(const std::filesystem::path& Dir, const std::string& Command, const TRunOptions& Options = {}) {
  const std::filesystem::path out = Options.stdout_file.empty() ? Dir / ".stdout" : std::filesystem::path(Options.stdout_file);
  const std::filesystem::path err = Dir / ".stderr";
  const std::string line = "cd " + Quote(Dir.string()) + " && LC_ALL=" + Options.locale + " " + Command + " >" +
                           Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
  const int status = std::system(line.c_str());
  TRun r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.err = ReadText(err);
  std::filesystem::remove(err);
  if (Options.stdout_file.empty()) {
    r.out = ReadText(out);
    std::filesystem::remove(out);
  }
  return r;
}

}  // namespace cli_test
