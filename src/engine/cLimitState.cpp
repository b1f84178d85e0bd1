#include "engine/cLimitState.h"

#include <memory>

#include "entity/VEXUtility.h"

TLimitState::TLimitState() {
  SectionName = "LimitState";
}

void TLimitState::SetLimitStateLabel(const std::string& Value) {
  SetTracked(LimitStateLabel, Value);
  SetTracked(StateType, StateTypeOfLabel(Value));
}

TStateType TLimitState::StateTypeOfLabel(const std::string& Label) {
  // Tried in this order, so "Long Short" is a short-term state.
  static const struct {
    const char* mask;
    TStateType type;
  } kMasks[] = {
      {"*Strength*", stStrength}, {"*Short*", stShort},           {"*Long*", stLong},
      {"*Defl*", stConstrucDefl}, {"*Stress*", stConstrucStress}, {"*Shrink*", stShrinkage}};
  for (const auto& m : kMasks)
    if (MatchesMask(Label, m.mask)) return m.type;
  return stStrength;
}

void AddDefaultLimitStates(TEntityList& List) {
  static const struct {
    const char* label;
    double LFdead, LFlive;
  } kDefaults[] = {{"Strength", 1.2, 1.5},
                   {"Short-term", 1.0, 0.7},
                   {"Long-term", 1.0, 0.4},
                   {"Construc.Defl", 1.0, 0.0},
                   {"Construc.Stress", 1.0, 1.0}};
  for (const auto& d : kDefaults) {
    auto state = std::make_unique<TLimitState>();
    state->SetLimitStateLabel(d.label);
    state->LFdead = d.LFdead;
    state->LFlive = d.LFlive;
    state->IsChanged = false;
    List.Add(d.label, std::move(state));
  }
}
