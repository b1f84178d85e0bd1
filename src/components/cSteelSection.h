// Steel sections. TCustomSteelSection is one library section (rolled, welded,
// hollow) or the dimensions of a user-defined one; TSteelSection is one section
// of a beam: it refers to a library section and adds notching and plating;
// TSteelSectionList holds a beam's four sections keyed by label;
// TCWBRestriction is one row of the plate restrictions for user-defined welded
// beams by depth. Units: mm, MPa, mm2, mm4, mm3, kN, kg/m.
//
// The effective-section calculation (CalcEffectiveProperties) fills the
// computed fields from le1 to y; it adds warnings to the section's status and
// never raises. Degenerate geometry (zero flange thickness, zero depth) is
// reported by IsOK; the calculation skips undefined steps rather than dividing
// by zero (they stay 0), and warns when a section is left without effective
// area or axial capacity.
#pragma once

#include "entity/cEntity.h"
#include "entity/cEntityList.h"

class TStandard;

// Residual stress category; selects the plate slenderness limits.
enum TResidualStressType { SR, HR, LW, CF, HW };

class TCustomSteelSection : public TEntity {
 public:
  TCustomSteelSection() { SectionName = "CustomSteelSection"; }

  std::string Name;         // designation, e.g. 310UB40.4; setting it sets SectionType
  std::string Grade;        // steel grade label
  double d = 0;             // overall depth
  double b = 0;             // top flange width
  double tf = 0;            // top flange thickness
  double tw = 0;            // web thickness (of one web)
  double fyf = 0;           // top flange yield stress
  double fyw = 0;           // web yield stress
  std::string SectionType;  // "UB", "UC", "WB", "WC", "RHS", "SHS", "Custom_I", "Cust_Box", "Custom"
  double stored_bbf = 0;    // bottom flange width as stored
  double stored_tbf = 0;    // bottom flange thickness as stored
  double stored_fybf = 0;   // bottom flange yield stress as stored
  bool IsStandard = false;  // library section (doubly symmetric); false for Custom_I and Cust_Box
  bool HasTwoWebs = false;  // box or hollow section
  TResidualStressType ResidualStressType = HW;

  // Standard sections read their top flange values.
  double bbf() const { return IsStandard ? b : stored_bbf; }
  double tbf() const { return IsStandard ? tf : stored_tbf; }
  double fybf() const { return IsStandard ? fyf : stored_fybf; }
  void Setbbf(double v) { SetTracked(stored_bbf, v); }
  void Settbf(double v) { SetTracked(stored_tbf, v); }
  void Setfybf(double v) { SetTracked(stored_fybf, v); }
  void SetName(const std::string& v);
  void SetSectionType(const std::string& v);
  std::string FullName() const { return CalcFullName(SectionType, Name, Grade); }

  // Takes the dimensions and yield stresses of another section (not its name,
  // grade or type), marking this one changed where they differ.
  void AssignDimensions(const TCustomSteelSection& Item);

  // SectionType + ":" + Name + "/" + Grade: the key of a section in the library.
  static std::string CalcFullName(const std::string& SectionType, const std::string& Name, const std::string& Grade);
  // The section type a designation implies ("Custom" when none).
  static std::string TypeOfSection(const std::string& SectionName);

  TRV_PROPERTIES(TCustomSteelSection, TEntity,
                 Published("Name", &TCustomSteelSection::Name, &TCustomSteelSection::SetName),
                 Published("Grade", &TCustomSteelSection::Grade),
                 Published("d", &TCustomSteelSection::d),
                 Published("b", &TCustomSteelSection::b),
                 Published("tf", &TCustomSteelSection::tf),
                 Published("bbf", &TCustomSteelSection::bbf, &TCustomSteelSection::Setbbf),
                 Published("tbf", &TCustomSteelSection::tbf, &TCustomSteelSection::Settbf),
                 Published("tw", &TCustomSteelSection::tw),
                 Published("fyf", &TCustomSteelSection::fyf),
                 Published("fybf", &TCustomSteelSection::fybf, &TCustomSteelSection::Setfybf),
                 Published("fyw", &TCustomSteelSection::fyw),
                 Published("SectionType", &TCustomSteelSection::SectionType, &TCustomSteelSection::SetSectionType),
                 PublicGetter("FullName", &TCustomSteelSection::FullName),
                 Public("ResidualStressType", &TCustomSteelSection::ResidualStressType),
                 Public("HasTwoWebs", &TCustomSteelSection::HasTwoWebs),
                 Public("IsStandard", &TCustomSteelSection::IsStandard))
};

class TSteelSection : public TEntity {
 public:
  TSteelSection() { SectionName = "SteelSection"; }

  // Inputs.
  double NotchedDepth = 0;  // depth at a notch; notched when > 0
  double bp = 0;            // plate width
  double tp = 0;            // plate thickness
  double fyp = 0;           // plate yield stress; plated when > 0
  std::string SteelSectionLabel;
  std::string SectionType;  // setting it also sets the base section's type
  std::string Grade;
  std::string Name;         // library section name, or "<Auto-select>"
  bool WillUseFullSectionForServiceability = false;
  bool WillSetTopFlangeCompact = false;
  TCustomSteelSection BaseSteelSection;  // owned copy of the library data

  // Results of CalcEffectiveProperties.
  double le1 = 0;       // top flange plate slenderness
  double lew = 0;       // web slenderness
  double tw_used = 0;   // effective web thickness
  double Fst = 0;       // axial capacity of the effective section, kN
  double As_dash = 0;   // effective area
  double Fscf2 = 0;     // axial capacity of the bottom flange, kN
  double Fscf1 = 0;     // axial capacity of the effective top flange, kN
  double Aw_dash = 0;   // effective web area
  double dp = 0;        // clear web depth between the flanges
  double Fsp = 0;       // axial capacity of the plate, kN
  double Fscw = 0;      // axial capacity of the effective web, kN
  double Vv = 0;        // nominal shear capacity of the web, kN
  double bsf1_eff = 0;  // effective top flange width
  double Zst = 0;       // elastic modulus to the top fibre
  double Zsb = 0;       // elastic modulus to the bottom fibre (negative)
  double ISteel = 0;    // second moment of area of the effective section
  double y = 0;         // depth of the elastic centroid below the top of the top flange

  void SetSectionType(const std::string& v);

  // Derived geometry.
  bool IsNotched() const { return NotchedDepth > 0; }
  bool IsPlated() const { return fyp > 0; }
  double Ds() const { return IsNotched() ? NotchedDepth : BaseSteelSection.d; }
  double bsf1() const { return BaseSteelSection.b; }
  double tf1() const { return BaseSteelSection.tf; }
  double fyf1() const { return BaseSteelSection.fyf; }
  double tw() const { return BaseSteelSection.tw; }
  double fyw() const { return BaseSteelSection.fyw; }
  double bsf2() const;
  double tf2() const;
  double fyf2() const;
  double bsp() const;
  double tsp() const;
  double OverallDepth() const;
  static constexpr double kEs = 200000;  // MPa
  double Es() const { return kEs; }
  double StressLimitTop() const { return 0.9 * fyf1(); }
  double StressLimitBottom() const;
  double FlangeAreaRatio() const;
  // Name + "/" + Grade for a standard section, else "Custom".
  std::string ShortName() const;
  double Mass() const;  // kg/m

  // Copies the library item's dimensions into BaseSteelSection (not its name or grade).
  void LoadFromLibraryItem(const TCustomSteelSection& Item);
  // Looks the section up by full name; nothing changes when it is not found.
  void LoadFromLibrary(const TEntityList& CustomSteelLibrary);
  // Effective properties by the rules of Standard (of the calling thread's
  // edition without one); see cSteelSectionEffective.cpp.
  void CalcEffectiveProperties(const TStandard& Standard);
  void CalcEffectiveProperties();

  bool IsOK() override;
  void Assign(const TEntity* Source) override;
  void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;

  TRV_PROPERTIES(TSteelSection, TEntity,
                 Published("SteelSectionLabel", &TSteelSection::SteelSectionLabel),
                 Published("SectionType", &TSteelSection::SectionType, &TSteelSection::SetSectionType),
                 Published("Name", &TSteelSection::Name),
                 Published("Grade", &TSteelSection::Grade),
                 Published("NotchedDepth", &TSteelSection::NotchedDepth),
                 Published("bp", &TSteelSection::bp),
                 Published("tp", &TSteelSection::tp),
                 Published("fyp", &TSteelSection::fyp),
                 Published("WillSetTopFlangeCompact", &TSteelSection::WillSetTopFlangeCompact),
                 Published("WillUseFullSectionForServiceability",
                           &TSteelSection::WillUseFullSectionForServiceability),
                 Public("le1", &TSteelSection::le1),
                 Public("lew", &TSteelSection::lew),
                 Public("tw_used", &TSteelSection::tw_used),
                 Public("Fst", &TSteelSection::Fst),
                 Public("As_dash", &TSteelSection::As_dash),
                 Public("Fscf2", &TSteelSection::Fscf2),
                 Public("Fscf1", &TSteelSection::Fscf1),
                 Public("Aw_dash", &TSteelSection::Aw_dash),
                 Public("dp", &TSteelSection::dp),
                 Public("Fsp", &TSteelSection::Fsp),
                 Public("Fscw", &TSteelSection::Fscw),
                 Public("Vv", &TSteelSection::Vv),
                 Public("bsf1_eff", &TSteelSection::bsf1_eff),
                 Public("Zst", &TSteelSection::Zst),
                 Public("Zsb", &TSteelSection::Zsb),
                 Public("ISteel", &TSteelSection::ISteel),
                 Public("y", &TSteelSection::y),
                 Public("BaseSteelSection", &TSteelSection::BaseSteelSection),
                 PublicGetter("IsNotched", &TSteelSection::IsNotched),
                 PublicGetter("IsPlated", &TSteelSection::IsPlated),
                 PublicGetter("Ds", &TSteelSection::Ds),
                 PublicGetter("bsf1", &TSteelSection::bsf1),
                 PublicGetter("tf1", &TSteelSection::tf1),
                 PublicGetter("fyf1", &TSteelSection::fyf1),
                 PublicGetter("tw", &TSteelSection::tw),
                 PublicGetter("fyw", &TSteelSection::fyw),
                 PublicGetter("bsf2", &TSteelSection::bsf2),
                 PublicGetter("tf2", &TSteelSection::tf2),
                 PublicGetter("fyf2", &TSteelSection::fyf2),
                 PublicGetter("bsp", &TSteelSection::bsp),
                 PublicGetter("tsp", &TSteelSection::tsp),
                 PublicGetter("OverallDepth", &TSteelSection::OverallDepth),
                 PublicGetter("Es", &TSteelSection::Es),
                 PublicGetter("StressLimitTop", &TSteelSection::StressLimitTop),
                 PublicGetter("StressLimitBottom", &TSteelSection::StressLimitBottom),
                 PublicGetter("FlangeAreaRatio", &TSteelSection::FlangeAreaRatio),
                 PublicGetter("ShortName", &TSteelSection::ShortName),
                 PublicGetter("Mass", &TSteelSection::Mass))

 private:
  // The steps of CalcEffectiveProperties, in their order, and the working
  // quantities they hand on.
  struct TWorking;
  TWorking Plates() const;
  void ClassifyTopFlange(TWorking& w);
  void CalcFullSection(TWorking& w);
  void ClassifyWeb(const TStandard& Standard, TWorking& w);
  void CalcEffectiveWeb(TWorking& w);
  void CalcShearCapacity(const TWorking& w);
  void UseFullSectionForServiceability(TWorking& w);
  void CalcElasticProperties(const TWorking& w);
};

// A beam's sections keyed by SteelSectionLabel.
class TSteelSectionList : public TEntityList {
 public:
  TSteelSectionList() : TEntityList(&MakeEntity<TSteelSection>) {}
  TSteelSection* SteelSectionByLabel(const std::string& s) const {
    return static_cast<TSteelSection*>(Find(s));
  }
  TSteelSection* Section(int Index) const { return ItemAs<TSteelSection>(Index); }
};

// Minimum plate sizes of user-defined welded beams whose depth lies in
// MinDepth..MaxDepth (MaxDepth < 0: no upper bound).
class TCWBRestriction : public TEntity {
 public:
  TCWBRestriction() { SectionName = "CWBRestriction"; }
  double twMin = 0;
  double tfMin = 0;
  double MaxDepth = 0;
  double bfMin = 0;
  double MinDepth = 0;
  TRV_PROPERTIES(TCWBRestriction, TEntity,
                 Published("MinDepth", &TCWBRestriction::MinDepth),
                 Published("MaxDepth", &TCWBRestriction::MaxDepth),
                 Published("bfMin", &TCWBRestriction::bfMin),
                 Published("tfMin", &TCWBRestriction::tfMin),
                 Published("twMin", &TCWBRestriction::twMin))
};

// The first restriction in list order that applies to a section of depth Ds; null when none.
const TCWBRestriction* FindCWBRestriction(const TEntityList& Restrictions, double Ds);
