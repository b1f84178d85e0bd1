// Construction stages and the small vocabulary the analysis engine uses to
// speak about time and loading.
//
// A beam passes through stage 3 (loads carried by the bare steel beam),
// stages 5 and 6 (later construction loads carried by the composite section)
// and stage 7, in service. Stage 4 lies inside the range of TStage but is
// never used. TConstructionStageSet is a set of stages in one byte, bit n
// standing for stage n; the statics of the beam sums the loads that act for
// such a set (LoadActsFor, cAppliedLoad.h).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "entity/cEntity.h"

// A stage number, 3..7 (7 = in service).
using TStage = uint8_t;
constexpr TStage kFirstStage = 3;
constexpr TStage kInServiceStage = 7;

// A set of stages. Stages outside 3..7 are never members: adding one is
// ignored and asking for one answers false.
class TConstructionStageSet {
 public:
  constexpr TConstructionStageSet() = default;
  constexpr TConstructionStageSet(std::initializer_list<int> Stages) {
    for (int s : Stages) Add(s);
  }
  template <class... Ints>
  static constexpr TConstructionStageSet Of(Ints... Stages) {
    return TConstructionStageSet{static_cast<int>(Stages)...};
  }
  // Stages First..Last inclusive (empty when Last < First).
  static constexpr TConstructionStageSet Range(int First, int Last) {
    TConstructionStageSet s;
    for (int n = First; n <= Last; ++n) s.Add(n);
    return s;
  }

  static constexpr bool IsValidStage(int Stage) {
    return Stage >= kFirstStage && Stage <= kInServiceStage;
  }
  constexpr bool Contains(int Stage) const { return IsValidStage(Stage) && (bits_ >> Stage) & 1u; }
  constexpr void Add(int Stage) {
    if (IsValidStage(Stage)) bits_ = static_cast<uint8_t>(bits_ | (1u << Stage));
  }
  constexpr void Remove(int Stage) {
    if (IsValidStage(Stage)) bits_ = static_cast<uint8_t>(bits_ & ~(1u << Stage));
  }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint8_t Bits() const { return bits_; }
  constexpr bool operator==(const TConstructionStageSet&) const = default;

 private:
  uint8_t bits_ = 0;
};

// The kind of combination a result belongs to. The ordinal is also the index
// of the matching entry in a beam's limit-state list.
enum TStateType { stStrength, stShort, stLong, stConstrucDefl, stConstrucStress, stShrinkage };
constexpr int kStateTypeCount = 6;

// Shear or moment, for the maximum-action queries.
enum TActionType { atShear, atMoment };

// Extreme fibre of the steel section at which a stress is taken.
enum TFibreLocation { flBottom, flTop };

// One stage of a beam with its stress-ratio results. Stage objects are not
// saved; a beam recreates them (3, 5, 6, 7) whenever it is cleared.
class TConstructionStage : public TEntity {
 public:
  explicit TConstructionStage(TStage AStage = 0);

  TStage Stage = 0;
  double MaxTopStressRatio = 0;     // largest top-fibre stress / top limit over the beam
  double MaxBottomStressRatio = 0;  // the same for the bottom fibre

  // "InService" for stage 7, else the stage number ("3", "5", "6").
  std::string StageLabel() const { return StageToLabel(Stage); }
  bool IsInServiceStage() const { return Stage == InServiceStage(); }

  static constexpr TStage InServiceStage() { return kInServiceStage; }
  static std::string StageToLabel(int AStage);

  TRV_PROPERTIES(TConstructionStage, TEntity, Public("Stage", &TConstructionStage::Stage),
                 Public("MaxTopStressRatio", &TConstructionStage::MaxTopStressRatio),
                 Public("MaxBottomStressRatio", &TConstructionStage::MaxBottomStressRatio),
                 PublicGetter("StageLabel", &TConstructionStage::StageLabel),
                 PublicGetter("IsInServiceStage", &TConstructionStage::IsInServiceStage))
};
