// Two scripts' threads analysing and designing their own projects at once,
// with one library between them and each under its own edition, give what
// the same runs give one after the other. Labelled "threads": the
// ThreadSanitizer build runs it too.
#include "project/cScriptRun.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "components/cStandard.h"
#include "project/cProjectPaths.h"
#include "project/cResultsJson.h"
#include "project/sample_fixture.h"

namespace {

struct TJob {
  double SecondarySpan;  // mm
  bool IsDesign;
  int Edition;
};

class ScriptRuns : public SampleTest {
 protected:
  // One script's work from the file on: open, change, run, the document.
  std::string Run(const TJob& Job) {
    TStandardVersionScope edition(Job.Edition);
    TProject p;
    EXPECT_TRUE(LoadProjectFile(p, session, kSampleFile).IsOK());
    EXPECT_TRUE(WritePath(p, session, "Geometry.SpacingSide1", TPathValue::OfNumber(Job.SecondarySpan)));
    const TScriptRun run = RunProjectForScript(p, session, Job.IsDesign);
    EXPECT_TRUE(run.IsRun);
    return JsonText(ResultsDocument(p, kSampleFile, run.Messages));
  }
};

}  // namespace

TEST_F(ScriptRuns, TwoThreadsAtOnceGiveWhatOneAfterTheOtherGives) {
  const TJob jobs[] = {{7500, true, kStandard2017}, {10500, false, kStandard2003}};
  const std::string alone[] = {Run(jobs[0]), Run(jobs[1])};
  ASSERT_NE(alone[0], alone[1]);

  // Both threads wait for each other before they start, so their runs overlap.
  std::promise<void> go;
  std::shared_future<void> start = go.get_future().share();
  auto worker = [&](const TJob& Job) {
    start.wait();
    return Run(Job);
  };
  std::future<std::string> first = std::async(std::launch::async, worker, jobs[0]);
  std::future<std::string> second = std::async(std::launch::async, worker, jobs[1]);
  go.set_value();
  EXPECT_EQ(first.get(), alone[0]);
  EXPECT_EQ(second.get(), alone[1]);
}
