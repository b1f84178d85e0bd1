// The bundled sample project (an office floor: a 9 m internal primary beam PB1
// carrying 9 m secondary beams SB1 at 3 m centres, 120 mm slab on a 55 mm
// re-entrant deck, 32 MPa concrete, 19 mm studs; designed 360UB44.7 and
// 530UB82.0 in grade KESTREL), opened as the program opens it, with the
// libraries of the built library file. Numbers in the plain form.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "entity/VEXUtility.h"
#include "project/cAnalysisRun.h"
#include "project/cProjectFile.h"

inline const std::string kSampleFile = std::string(TREVALON_TEST_DATA_DIR) + "/SampleAnalysis.tva";
inline const std::string kLibraryFile = std::string(TREVALON_BIN_DIR) + "/Trevalon.tvl";

class SampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UsePlainRegionalSettings();
    ASSERT_TRUE(session.LoadLibraries(kLibraryFile).IsOK());
    ASSERT_TRUE(session.IsOK()) << session.Status.ErrorMsg;
    const TResult loaded = LoadProjectFile(project, session, kSampleFile);
    ASSERT_TRUE(loaded.IsOK()) << loaded.Message();
  }

  // Noon of 5 December 2026 in local time: the report's date, whatever the day the tests run.
  static std::time_t RunDate() {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 5;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
  }

  // Analyse with a report, as the Analyse command does, on a fixed date.
  TStringList Report() {
    TStringList lines;
    TAnalysisObserver quiet;
    TAnalysisRun run(project, session, quiet);
    TAnalysisRunOptions options;
    options.Report = &lines;
    options.WillDumpReport = true;
    options.ProjectFileName = "SampleAnalysis.tva";
    options.Clock = RunDate;
    run.RunAnalysis(options);
    return lines;
  }

  TSession session;
  TProject project;
};
