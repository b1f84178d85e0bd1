// Steel section data: library sections, a beam's sections with notching and
// plating, their derived geometry, input checks and persistence. The
// effective-section calculation lives in cSteelSectionEffective.cpp.
#include "components/cSteelSection.h"

#include <charconv>
#include <cmath>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"

namespace {

constexpr double kSteelDensity = 7850;  // kg/m3
const char* const kAutoSelect = "<Auto-select>";

// Copies the published scalar properties that Source also has, by name, through
// the destination's setters (so their side effects run in table order).
void AssignPublished(TEntity& Dest, const TEntity& Source) {
  TEntity& src = const_cast<TEntity&>(Source);  // getters only read
  const TPropertyTable& source_table = Source.Properties();
  for (const TProperty& p : Dest.Properties().Items()) {
    if (!p.IsPublished || !p.IsScalar() || !p.IsWritable()) continue;
    const TProperty* sp = source_table.Find(p.Name);
    if (!sp || sp->Kind != p.Kind || !sp->IsReadable()) continue;
    switch (p.Kind) {
      case TPropKind::Integer:
      case TPropKind::Boolean:
      case TPropKind::Enumeration:
        p.SetOrdinal(Dest, sp->GetOrdinal(src));
        break;
      case TPropKind::Float:
        p.SetFloat(Dest, sp->GetFloat(src));
        break;
      case TPropKind::String:
        p.SetString(Dest, sp->GetString(src));
        break;
      default:
        break;
    }
  }
}

// The number a designation ends in after its type ("310UB40.4" -> 40.4); 0
// when the remainder is not a plain decimal number. Designations always use
// '.', whatever the regional format.
double TrailingDesignationNumber(const std::string& Name, const std::string& Type) {
  const std::string upper = UpperCase(Name);
  const size_t p = upper.find(UpperCase(Type));
  if (Type.empty() || p == std::string::npos) return 0;
  const std::string rest = Trim(std::string_view(Name).substr(p + Type.size()));
  double value = 0;
  const char* first = rest.data();
  const char* last = rest.data() + rest.size();
  auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (rest.empty() || ec != std::errc() || ptr != last || !std::isfinite(value)) return 0;
  return value;
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomSteelSection

void TCustomSteelSection::SetName(const std::string& v) {
  SetTracked(Name, v);
  SetSectionType(TypeOfSection(v));
}

void TCustomSteelSection::SetSectionType(const std::string& v) {
  SetTracked(SectionType, v);
  // "Custom" (a library section of no known family) counts as standard.
  IsStandard = v != "Custom_I" && v != "Cust_Box";
  if (v == "UB" || v == "UC") {
    ResidualStressType = HR;
    HasTwoWebs = false;
  } else if (v == "WB" || v == "WC" || v == "Custom_I") {
    ResidualStressType = HW;
    HasTwoWebs = false;
  } else if (v == "Cust_Box") {
    ResidualStressType = HW;
    HasTwoWebs = true;
  } else if (v == "RHS" || v == "SHS") {
    ResidualStressType = CF;
    HasTwoWebs = true;
  }
}

void TCustomSteelSection::AssignDimensions(const TCustomSteelSection& Item) {
  SetTracked(d, Item.d);
  SetTracked(b, Item.b);
  Setbbf(Item.bbf());
  SetTracked(tf, Item.tf);
  Settbf(Item.tbf());
  SetTracked(fyf, Item.fyf);
  Setfybf(Item.fybf());
  SetTracked(tw, Item.tw);
  SetTracked(fyw, Item.fyw);
}

std::string TCustomSteelSection::CalcFullName(const std::string& SectionType,
                                              const std::string& Name, const std::string& Grade) {
  return SectionType + ":" + Name + "/" + Grade;
}

std::string TCustomSteelSection::TypeOfSection(const std::string& SectionName) {
  static const char* const kTypes[] = {"UB", "UC", "WB", "WC", "RHS", "SHS"};
  for (const char* type : kTypes) {
    if (MatchesMask(SectionName, std::string("*") + type + "*")) return type;
  }
  return "Custom";
}

// ---------------------------------------------------------------------------
// TSteelSection: derived geometry

void TSteelSection::SetSectionType(const std::string& v) {
  SetTracked(SectionType, v);
  BaseSteelSection.SetSectionType(v);
}

double TSteelSection::bsf2() const {
  if (!IsNotched()) return BaseSteelSection.bbf();
  return IsPlated() ? bp : 0;
}

double TSteelSection::tf2() const {
  if (!IsNotched()) return BaseSteelSection.tbf();
  return IsPlated() ? tp : 0;
}

double TSteelSection::fyf2() const {
  return IsNotched() && IsPlated() ? fyp : BaseSteelSection.fybf();
}

double TSteelSection::bsp() const {
  return IsNotched() || !IsPlated() ? 0 : bp;
}

double TSteelSection::tsp() const {
  return IsNotched() || !IsPlated() ? 0 : tp;
}

double TSteelSection::OverallDepth() const {
  return IsNotched() || !IsPlated() ? Ds() : Ds() + tp;
}

double TSteelSection::StressLimitBottom() const {
  if (IsPlated()) return -0.9 * fyp;
  if (IsNotched()) return -0.9 * fyw();
  return -0.9 * fyf2();
}

// A section without a top flange has no meaningful ratio; 0 rather than a
// division by zero.
double TSteelSection::FlangeAreaRatio() const {
  const double top = bsf1() * tf1();
  if (top <= 0) return 0;
  return (bsf2() * tf2() + bp * tp) / top;
}

std::string TSteelSection::ShortName() const {
  return BaseSteelSection.IsStandard ? Name + "/" + Grade : "Custom";
}

// Rolled and welded designations end in the mass per metre; otherwise the mass
// comes from the plate areas. Box and hollow sections count both webs.
double TSteelSection::Mass() const {
  const double nw = BaseSteelSection.HasTwoWebs ? 2 : 1;
  double A = 0;  // mm2
  if (SectionType == "UB" || SectionType == "UC" || SectionType == "WB" || SectionType == "WC") {
    A = TrailingDesignationNumber(Name, SectionType) * 1000000 / kSteelDensity;
  }
  if (A < 100) A = bsf1() * tf1() + (Ds() - tf1() - tf2()) * nw * tw() + bsf2() * tf2();
  if (IsPlated()) A += bsp() * tsp();
  if (IsNotched()) A = bsf1() * tf1() + (NotchedDepth - tf1()) * nw * tw() + bsf2() * tf2();
  return A * kSteelDensity / 1000000;
}

// ---------------------------------------------------------------------------
// TSteelSection: library

void TSteelSection::LoadFromLibraryItem(const TCustomSteelSection& Item) {
  TCustomSteelSection& base = BaseSteelSection;
  base.AssignDimensions(Item);
  base.SetSectionType(Item.SectionType);
  base.ResidualStressType = Item.ResidualStressType;
  base.HasTwoWebs = Item.HasTwoWebs;
}

void TSteelSection::LoadFromLibrary(const TEntityList& CustomSteelLibrary) {
  const auto* item = dynamic_cast<const TCustomSteelSection*>(
      CustomSteelLibrary.Find(TCustomSteelSection::CalcFullName(SectionType, Name, Grade)));
  if (item) LoadFromLibraryItem(*item);
}

// ---------------------------------------------------------------------------
// TSteelSection: checks

bool TSteelSection::IsOK() {
  Status.Reset();
  // The messages are put together only for a check that fails: the automatic
  // selection validates the beam's sections for every candidate it tries.
  const std::string& label = SteelSectionLabel;
  auto for_text = [&] { return " for " + label + " section"; };
  const char* const clause_text = CurrentStandard().Terms().SteelLimitsClause;
  auto clause = [&] { return std::string(clause_text); };
  Status.CheckNotBlank(label, elError, "Missing label for steel section");
  Status.CheckNotBlank(SectionType, elWarning, [&] { return "Missing steel section type for [" + label + "]"; });
  // The base section is owned and so always present; the check keeps the
  // message list in its documented order.
  Status.CheckTrue(true, elWarning, [&] { return "Invalid base steel section" + for_text(); });
  if (Name != kAutoSelect) {
    Status.CheckRange(bsf1(), 25.0, 1000.0, elWarning, [&] {
      return "Invalid top flange width (" + FloatToStrDP(false, 0, 3, bsf1()) + " mm)" + for_text();
    });
    Status.CheckMin(tf1(), 3.0, elWarning,
                    [&] { return clause() + "Top flange thickness should be at least %.1f" + for_text(); });
    Status.CheckMin(fyf1(), 100.0, elWarning,
                    [&] { return "Top flange yield stress should be at least %.0f" + for_text(); });
    Status.CheckMax(fyf1(), 450.0, elWarning,
                    [&] { return clause() + "Assumed top flange yield stress must not exceed %.0f MPa" + for_text(); });
    Status.CheckMin(tw(), 3.0, elWarning, [&] {
      return clause() + "Web thickness should be at least %.1f for steel section [" + label + "]";
    });
    Status.CheckMin(fyw(), 100.0, elWarning, [&] { return "Web yield stress should be at least %.0f" + for_text(); });
    Status.CheckMax(fyw(), 450.0, elWarning,
                    [&] { return clause() + "Assumed web yield stress must not exceed %.0f MPa" + for_text(); });
    Status.CheckRange(bsf2(), 25.0, 1000.0, elWarning,
                      [&] { return "Invalid bottom flange width for steel section [" + label + "]"; });
    Status.CheckMin(tf2(), 3.0, elWarning, [&] {
      return clause() + "Bottom flange thickness should be at least %.1f for steel section [" + label + "]";
    });
    Status.CheckMin(fyf2(), 100.0, elWarning,
                    [&] { return "Bottom flange yield stress should be at least %.0f" + for_text(); });
    Status.CheckMax(fyf2(), 450.0, elWarning,
                    [&] { return clause() + "Assumed bottom flange yield stress must not exceed %.0f MPa" + for_text(); });
    Status.CheckMin(Ds(), tf1() + tf2() + 20, elWarning,
                    [&] { return "Invalid section depth for steel section [" + label + "]"; });
  }
  Status.IsChecked = true;
  return Status.IsOK();
}

// ---------------------------------------------------------------------------
// TSteelSection: copying and persistence

void TSteelSection::Assign(const TEntity* Source) {
  if (!Source || Source == this) return;
  AssignPublished(*this, *Source);
  const auto* src = dynamic_cast<const TSteelSection*>(Source);
  if (!src) return;
  AssignPublished(BaseSteelSection, src->BaseSteelSection);
  // The residual stress category and web count are not persisted; a section
  // typed "Custom" would otherwise keep this section's old values.
  BaseSteelSection.ResidualStressType = src->BaseSteelSection.ResidualStressType;
  BaseSteelSection.HasTwoWebs = src->BaseSteelSection.HasTwoWebs;
  SetTracked(NotchedDepth, src->NotchedDepth);
}

// A standard section stores only its reference (type, name, grade). Sections
// of one beam share the base-section INI section under different suffixes, so
// only this section's keys are removed, and the INI section with them once it
// is empty.
void TSteelSection::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix,
                                  const std::string& Suffix) {
  TEntity::SaveToIniFile(IniFile, Prefix, Suffix);
  if (!BaseSteelSection.IsStandard) {
    BaseSteelSection.SaveToIniFile(IniFile, Prefix, Suffix);
    return;
  }
  const std::string section = Prefix + BaseSteelSection.SectionName;
  if (!IniFile.SectionExists(section)) return;
  for (const TProperty& p : BaseSteelSection.Properties().Items()) {
    if (p.IsPublished) IniFile.DeleteKey(section, p.Name + Suffix);
  }
  if (IniFile.ReadSection(section).empty()) IniFile.EraseSection(section);
}

void TSteelSection::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix,
                                    const std::string& Suffix) {
  TEntity::LoadFromIniFile(IniFile, Prefix, Suffix);  // the SectionType read sets the base's type
  if (BaseSteelSection.IsStandard) return;
  BaseSteelSection.LoadFromIniFile(IniFile, Prefix, Suffix);
  // The section's own type decides, whatever the base-section keys held.
  BaseSteelSection.SetSectionType(SectionType);
  BaseSteelSection.IsChanged = false;
  IsChanged = false;
}

// ---------------------------------------------------------------------------
// TCWBRestriction

const TCWBRestriction* FindCWBRestriction(const TEntityList& Restrictions, double Ds) {
  for (int i = 0; i < Restrictions.Count(); ++i) {
    const auto* r = dynamic_cast<const TCWBRestriction*>(Restrictions.Item(i));
    if (r && r->MinDepth <= Ds && (Ds <= r->MaxDepth || r->MaxDepth < 0)) return r;
  }
  return nullptr;
}
