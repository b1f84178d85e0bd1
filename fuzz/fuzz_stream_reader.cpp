// Reads arbitrary bytes as a library file, block after block, into the
// session's libraries, as the program does at start-up; then validates them.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "project/cSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string file = "/tmp/trevalon-fuzz-stream-" + std::to_string(::getpid()) + ".tvl";
  if (FILE* f = std::fopen(file.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  TSession session;
  (void)session.LoadLibraries(file);
  (void)session.IsOK();
  return 0;
}
