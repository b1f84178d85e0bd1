// The bundled sample floor for the benchmarks: the shipped library beside the
// program and the sample project (a 9 m primary beam carrying 9 m secondary
// beams at 3 m centres), loaded once and shared by every benchmark.
#pragma once

#include <cstdlib>
#include <iostream>
#include <string>

#include "entity/VEXUtility.h"
#include "project/cProjectFile.h"

struct TSample {
  TSession session;
  TProject project;

  static std::string LibraryFile() { return GetProgramFolder() + "/Trevalon.tvl"; }

  TSample() {
    UsePlainRegionalSettings();
    const TResult libraries = session.LoadLibraries(LibraryFile());
    const TResult sample =
        session.IsOK() ? LoadProjectFile(project, session, std::string(TREVALON_TEST_DATA_DIR) + "/SampleAnalysis.tva")
                       : TResult::Failure(session.Status.ErrorMsg);
    if (!sample) {
      std::cerr << "Cannot load the sample: " << libraries.Message() << sample.Message() << '\n';
      std::exit(1);
    }
  }
};

inline TSample& Sample() {
  static TSample sample;
  return sample;
}
