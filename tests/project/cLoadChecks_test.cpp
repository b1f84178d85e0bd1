// The checks of a user's loads: every load that cannot be real is an error
// naming what is wrong with it, a load far beyond a floor's is a warning, and
// the project's validation names the beam, the table and the row.
#include "project/cLoadChecks.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr double kSpan = 9000;

struct TExpected {
  TLoadField Field;
  TErrorLevel Level;
  std::string Text;
};

void ExpectProblems(const std::vector<TLoadProblem>& Problems, const std::vector<TExpected>& Expected) {
  ASSERT_EQ(Problems.size(), Expected.size());
  for (size_t i = 0; i < Expected.size(); ++i) {
    EXPECT_EQ(Problems[i].Field, Expected[i].Field) << Expected[i].Text;
    EXPECT_EQ(Problems[i].Level, Expected[i].Level) << Expected[i].Text;
    EXPECT_EQ(Problems[i].Text, Expected[i].Text);
  }
}

// A uniform 5 kN/m dead load over the whole span, in service.
void MakeUniform(TDistributedLoad& Load) {
  Load.ConStage = 7;
  Load.StartValue = Load.FinishValue = 5;
}

}  // namespace

TEST(LoadChecks, DistributedLoads) {
  using F = TLoadField;
  const struct {
    const char* name;
    std::function<void(TDistributedLoad&)> change;
    std::vector<TExpected> problems;
  } cases[] = {
      {"a full-span load", [](TDistributedLoad&) {}, {}},
      {"a part of the span",
       [](TDistributedLoad& l) {
         l.StartPosition = 2000;
         l.IsFinishPositionAtEnd = false;
         l.IsFinishPositionProportional = false;
         l.FinishPosition = 9000;
       },
       {}},
      {"finish beyond the span",
       [](TDistributedLoad& l) {
         l.IsFinishPositionAtEnd = false;
         l.IsFinishPositionProportional = false;
         l.FinishPosition = 10500;
       },
       {{F::FinishPosition, elError, "finish 10500 mm is beyond the span of 9000 mm"}}},
      {"proportional finish beyond the span",
       [](TDistributedLoad& l) {
         l.IsFinishPositionAtEnd = false;
         l.FinishPosition = 1.2;
       },
       {{F::FinishPosition, elError, "finish 120% is beyond the span of 9000 mm"}}},
      {"start beyond the span (finish at the far support)",
       [](TDistributedLoad& l) { l.StartPosition = 9500; },
       {{F::StartPosition, elError, "start 9500 mm is beyond the span of 9000 mm"}}},
      {"start after the finish",
       [](TDistributedLoad& l) {
         l.StartPosition = 0.75;
         l.IsStartPositionProportional = true;
         l.IsFinishPositionAtEnd = false;
         l.IsFinishPositionProportional = false;
         l.FinishPosition = 3000;
       },
       {{F::StartPosition, elError, "start 75% is after the finish 3000 mm"}}},
      {"start before the beam",
       [](TDistributedLoad& l) { l.StartPosition = -100; },  // not through the setter, which stores 0
       {{F::StartPosition, elError, "start -100 mm is before the start of the beam"}}},
      {"an uplift", [](TDistributedLoad& l) { l.StartValue = l.FinishValue = -20; },
       {{F::StartValue, elError, "start value -20 kN/m is negative"},
        {F::FinishValue, elError, "finish value -20 kN/m is negative"}}},
      {"heavy but real", [](TDistributedLoad& l) { l.FinishValue = 1000; }, {}},
      {"a slip of the units", [](TDistributedLoad& l) { l.FinishValue = 1500; },
       {{F::FinishValue, elWarning, "finish value 1500 kN/m is more than 1000 kN/m; check the units"}}},
      {"no number a floor has", [](TDistributedLoad& l) { l.StartValue = 1e300; },
       {{F::StartValue, elWarning, "start value 1E300 kN/m is more than 1000 kN/m; check the units"}}},
      {"a stage no load acts in", [](TDistributedLoad& l) { l.ConStage = 4; },
       {{F::Stage, elError, "stage 4 is not a stage of the beam (3, 5, 6 or 7)"}}},
      {"no stage at all", [](TDistributedLoad& l) { l.ConStage = 0; },
       {{F::Stage, elError, "stage 0 is not a stage of the beam (3, 5, 6 or 7)"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TDistributedLoad load;
    MakeUniform(load);
    c.change(load);
    ExpectProblems(CheckUserLoad(load, kSpan), c.problems);
  }
}

TEST(LoadChecks, PointLoads) {
  using F = TLoadField;
  const struct {
    const char* name;
    double position;
    bool proportional;
    double value;
    int stage;
    std::vector<TExpected> problems;
  } cases[] = {
      {"at midspan", 4500, false, 50, 7, {}},
      {"at a support", 0, false, 50, 3, {}},
      {"at the far support, to the field's precision", 9000.0005, false, 50, 6, {}},
      {"beyond the span", 12000, false, 50, 7, {{F::Position, elError, "position 12000 mm is beyond the span of 9000 mm"}}},
      {"beyond the span, as a percentage", 1.1, true, 50, 7,
       {{F::Position, elError, "position 110% is beyond the span of 9000 mm"}}},
      {"before the beam", -1, false, 50, 7, {{F::Position, elError, "position -1 mm is before the start of the beam"}}},
      {"an upward force", 4500, false, -5, 7, {{F::Value, elError, "value -5 kN is negative"}}},
      {"heavy but real", 4500, false, 10000, 7, {}},
      {"a slip of the units", 4500, false, 20000, 7,
       {{F::Value, elWarning, "value 20000 kN is more than 10000 kN; check the units"}}},
      {"a stage no load acts in", 4500, false, 50, 8,
       {{F::Stage, elError, "stage 8 is not a stage of the beam (3, 5, 6 or 7)"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TPointLoad load;
    load.Position = c.position;
    load.IsPositionProportional = c.proportional;
    load.Value = c.value;
    load.ConStage = c.stage;
    ExpectProblems(CheckUserLoad(load, kSpan), c.problems);
  }
}

TEST(LoadChecks, TheBeamTheTableAndTheRowAreNamed) {
  // Rows are counted among the user's loads of their kind, as the project
  // file numbers them; automatic loads (an automatic wet/dry correction is
  // negative) are the floor's and not checked here.
  auto distributed = TAppliedLoadList::Of<TDistributedLoad>();
  auto point = TAppliedLoadList::Of<TPointLoad>();
  auto user = [](double finish) {
    auto l = std::make_unique<TDistributedLoad>();
    MakeUniform(*l);
    if (finish > 0) {
      l->IsFinishPositionAtEnd = false;
      l->IsFinishPositionProportional = false;
      l->FinishPosition = finish;
    }
    return l;
  };
  distributed.AddLoad(user(0));
  distributed.AddLoad(user(10500));
  distributed.AddLoad(TDistributedLoad::CreateNewAutoCalc(6, -0.5, false, "(Auto) Wet and dry concrete"));
  auto p = std::make_unique<TPointLoad>();
  p->ConStage = 7;
  p->Position = 4500;
  p->Value = 20000;
  point.AddLoad(std::move(p));

  TStatus status;
  EXPECT_FALSE(CheckUserLoads(distributed, point, kSpan, "Secondary beam SB1", status));
  ASSERT_EQ(status.ErrorList().size(), 2u);
  EXPECT_EQ(status.ErrorList()[0].Text,
            "Error: Secondary beam SB1, distributed load 2: finish 10500 mm is beyond the span of 9000 mm");
  EXPECT_EQ(status.ErrorList()[1].Text,
            "Warning: Secondary beam SB1, point load 1: value 20000 kN is more than 10000 kN; check the units");
  EXPECT_EQ(status.ErrorLevel, elError);

  TStatus clean;
  distributed.ClearLoads(false, true);
  point.ClearLoads(false, true);
  EXPECT_TRUE(CheckUserLoads(distributed, point, kSpan, "Secondary beam SB1", clean));
  EXPECT_TRUE(clean.ErrorList().empty());
}
