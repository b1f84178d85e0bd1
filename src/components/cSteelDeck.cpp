#include "components/cSteelDeck.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "components/cStandard.h"
#include "entity/cIniFiles.h"

namespace {

// Nearest integer to a value read from a file; Fallback when it is not a
// finite number, and clamped to the int range (so the conversion is defined).
int RoundToInt(double Value, int Fallback) {
  if (!std::isfinite(Value)) return Fallback;
  Value = std::clamp(Value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX));
  return static_cast<int>(std::lround(Value));
}

}  // namespace

TSteelDeck::TSteelDeck() {
  SectionName = "SteelDeck";
  Clear();
  IsChanged = false;
}

void TSteelDeck::Clear() {
  TEntity::Clear();
  SetTracked(Name, std::string());
  SetTracked(Mass, 0.0);
  SetTracked(hr, 0.0);
  SetTracked(VoidRatio, 0.0);
  SetTracked(sr, 0.0);
  SetTracked(bsr, 0.0);
  SetTracked(DeckType, 0);
  SetTracked(t, 0.0);
  SetTracked(IsCustom, false);
  SetTracked(StoredStudsPerRib, 0);
  SetTracked(Beta, 0.0);
  SetTracked(ShortCode, std::string());
  // By default the concrete between the ribs is left out of the slab force.
  SetTracked(WillIgnoreConcreteBelowRibs, true);
}

double TSteelDeck::lambda(double Theta, const TStandard& Standard) const { return Standard.lambda(*this, Theta); }

double TSteelDeck::lambda(double Theta) const { return lambda(Theta, CurrentStandard()); }

bool TSteelDeck::IsOK() {
  Status.Reset();
  Status.CheckNotBlank(Name, elError, "Invalid steel deck type");
  CurrentStandard().CheckDeck(*this, Status);
  Status.IsChecked = true;
  return Status.IsOK();
}

void TSteelDeck::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix,
                               const std::string& Suffix) {
  TEntity::SaveToIniFile(IniFile, Prefix, Suffix);
  if (!IsCustom) return;  // a library deck is found again by its name
  SaveFloatToIniFile(IniFile, "sr", sr, Prefix, Suffix);
  SaveFloatToIniFile(IniFile, "bsr", bsr, Prefix, Suffix);
  SaveFloatToIniFile(IniFile, "hr", hr, Prefix, Suffix);
  SaveFloatToIniFile(IniFile, "Mass", Mass, Prefix, Suffix);
  SaveFloatToIniFile(IniFile, "StudsPerRib", StoredStudsPerRib, Prefix, Suffix);
  SaveFloatToIniFile(IniFile, "VoidRatio", VoidRatio, Prefix, Suffix);
  SaveFloatToIniFile(IniFile, "Beta", Beta, Prefix, Suffix);
  SaveFloatToIniFile(IniFile, "DeckType", DeckType, Prefix, Suffix);
}

void TSteelDeck::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix,
                                 const std::string& Suffix) {
  TEntity::LoadFromIniFile(IniFile, Prefix, Suffix);
  if (!IsCustom) return;
  ShortCode = "XX";
  sr = LoadFloatFromIniFile(IniFile, "sr", Prefix, Suffix, sr);
  bsr = LoadFloatFromIniFile(IniFile, "bsr", Prefix, Suffix, bsr);
  hr = LoadFloatFromIniFile(IniFile, "hr", Prefix, Suffix, hr);
  Mass = LoadFloatFromIniFile(IniFile, "Mass", Prefix, Suffix, Mass);
  StoredStudsPerRib =
      RoundToInt(LoadFloatFromIniFile(IniFile, "StudsPerRib", Prefix, Suffix, StoredStudsPerRib),
                 StoredStudsPerRib);
  VoidRatio = LoadFloatFromIniFile(IniFile, "VoidRatio", Prefix, Suffix, VoidRatio);
  Beta = LoadFloatFromIniFile(IniFile, "Beta", Prefix, Suffix, Beta);
  DeckType =
      RoundToInt(LoadFloatFromIniFile(IniFile, "DeckType", Prefix, Suffix, DeckType), DeckType);
}
