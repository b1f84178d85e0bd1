// Writes a library file from a library definitions file, as `trevalon
// generate-library DEFINITIONS --output FILE` does, for the build that makes
// no programs: the ThreadSanitizer build of the thread tests.
//   trevalon_make_library DEFINITIONS OUTPUT
#include <iostream>

#include "entity/VEXUtility.h"
#include "project/cSession.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: trevalon_make_library DEFINITIONS OUTPUT\n";
    return 2;
  }
  UseLocaleRegionalSettings();
  const TResult made = GenerateLibraryFile(argv[1], argv[2]);
  for (const std::string& line : made.MessageLines()) (made ? std::cout : std::cerr) << line << '\n';
  return made ? 0 : 2;
}
