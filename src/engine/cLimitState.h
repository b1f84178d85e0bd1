// TLimitState: the load factors of one kind of limit-state combination. The
// kind (StateType) follows from the label, so a library or project can name
// its limit states freely as long as the label says what they are.
//
// A beam reads its limit-state list by position: entry i is the limit state
// whose StateType has ordinal i (there is no entry for shrinkage).
#pragma once

#include <string>

#include "engine/cConstructionStage.h"
#include "entity/cEntity.h"
#include "entity/cEntityList.h"

class TLimitState : public TEntity {
 public:
  TLimitState();

  TStateType StateType = stStrength;  // derived from the label; set it through SetLimitStateLabel
  double LFdead = 1;                  // load factor on dead loads
  double LFlive = 1;                  // load factor on live loads
  std::string LimitStateLabel;        // display name

  // Stores the label and derives StateType from it.
  void SetLimitStateLabel(const std::string& Value);

  // The kind named by a label: the first of "*Strength*", "*Short*", "*Long*",
  // "*Defl*", "*Stress*", "*Shrink*" that matches (letter case ignored);
  // stStrength when none does.
  static TStateType StateTypeOfLabel(const std::string& Label);

  TRV_PROPERTIES(TLimitState, TEntity,
                 Published("LimitStateLabel", &TLimitState::LimitStateLabel,
                           &TLimitState::SetLimitStateLabel),
                 Published("LFdead", &TLimitState::LFdead),
                 Published("LFlive", &TLimitState::LFlive),
                 Public("StateType", &TLimitState::StateType))
};

// Appends the five standard limit states, keyed by label, in StateType order:
// "Strength" 1.2/1.5, "Short-term" 1.0/0.7, "Long-term" 1.0/0.4,
// "Construc.Defl" 1.0/0.0, "Construc.Stress" 1.0/1.0 (LFdead/LFlive).
void AddDefaultLimitStates(TEntityList& List);
