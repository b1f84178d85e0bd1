// Potential critical cross-sections (PCC). A TPCC holds, for one position
// along a beam, the composite section that applies there, the design actions
// of every limit-state type and stage, the shear connection required and
// provided, the dependable moment capacity and the deflections; it computes
// what depends on its own actions: the minimum degree of shear connection and
// the connectors it implies, the composite shear capacity, steel stresses and
// curvature. TPCCList is the beam's list in position order; TUserPCC a
// position at which the user asks for a PCC, optionally with a fixed number of
// connectors. Units: mm, kN, kNm, MPa.
//
// The rules of the standard are those of the standard its composite section
// was evaluated under (TCompositeSectionAtPCC::Standard). Inadequate
// capacities are reported on the PCC's own status; nothing here raises
// except the composite section's own checks.
#pragma once

#include "engine/cCompositeSection.h"
#include "engine/cConstructionStage.h"
#include "entity/cEntityList.h"

class TPCC : public TEntity {
 public:
  TPCC() { SectionName = "PCC"; }

  bool IsPCC = false;  // composite-stage checks and minimum connector counts apply here
  TCompositeSectionAtPCC CompositeSection;  // owned
  double x = 0;                              // from the left support, mm
  bool IsPCCStatusKnown = false;
  int ni = 0;                // connectors required between here and the nearer support
  double beta_min = 0;       // minimum degree of shear connection required here
  double beta_actual = 0;    // degree of shear connection provided
  double ni_actual = 0;      // connectors provided between here and the nearer support
  double phiMbv = 0;         // dependable design moment capacity, kNm
  double shear_ratio = 0;    // |V*| / Vcomp at the strength limit state, in service
  double ni_user = 0;        // connector count fixed by the user here; 0 = none

  // Returns the PCC to the state of a new one, keeping its allocations, so
  // that a beam analysed again reuses its PCCs.
  void Reset();

  void SetIsPCC(bool Value) {
    IsPCC = Value;
    IsPCCStatusKnown = true;
  }
  bool IsAtLocation(double X, double Tolerance) const;

  // Design actions and deflections by state type and stage (3..7; stage 4 stays empty).
  double GetMdes(TStateType st, int Stage) const { return Slot(mdes_, st, Stage); }
  double GetVdes(TStateType st, int Stage) const { return Slot(vdes_, st, Stage); }
  double GetDeflection(TStateType st, int Stage) const { return Slot(deflection_, st, Stage); }
  void SetMdes(TStateType st, int Stage, double Value) { SetSlot(mdes_, st, Stage, Value); }
  void SetVdes(TStateType st, int Stage, double Value) { SetSlot(vdes_, st, Stage, Value); }
  void SetDeflection(TStateType st, int Stage, double Value) { SetSlot(deflection_, st, Stage, Value); }

  // Composite vertical shear capacity, kN.
  double GetVcomp() const;
  // Shear capacity of the steel web reduced for the stage 3 moment, kN.
  double phiVvm() const { return phiVvmFor(CompositeSection.Mb(0)); }
  // The same with the section's Mb(0) already worked out.
  double phiVvmFor(double Mb0) const;
  double phiMbBeta() const { return CompositeSection.Mb(beta_actual); }
  // Mb(beta) reduced for vertical shear by the 2017 edition's rule
  // (1 - shear_ratio^6)^(1/3), kNm.
  double MbAdjustedForShear(double beta) const;
  // phi Mbv: the dependable design moment capacity at the degree of shear
  // connection beta by the standard's rule, kNm.
  double DependableMomentCapacity(double beta) const;
  // Connectors needed to transmit Fcp (kN) at a design capacity fds (kN) each,
  // by the rule of Standard (of the calling thread's edition without one).
  static int CalculateNi(const TStandard& Standard, double Fcp, double fds);
  static int CalculateNi(double Fcp, double fds);
  // Sets shear_ratio, beta_min, ni and ni_actual; errors go to this PCC's status.
  void CalculateMinimumShearConnection(double EffSpan, double fds, double x_max_des_mom, bool IsConnectorVeryDuctile);
  // Steel stress at a fibre, MPa (compression positive).
  double GetStress(TStateType st, int Stage, TFibreLocation fl) const;
  // Curvature for the deflection integration (moment in kNm over EI in N mm2).
  double Curvature(TStateType st, int Stage, double I_factor_short, double I_factor_long) const;
  double GetIncrementalDeflection(double ShrinkageRatioPriorInservice) const;
  double TotalDeflection() const;

  bool IsNumeric(const std::string& PropertyName) override;
  double NumericValue(const std::string& PropertyName) override;
  std::string StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                          int MaxDPIncrease) override;
  void GetProperties(std::vector<std::string>& PropertyList, const std::string& Prefix, const std::string& Suffix,
                     int MaxDepth) override;

  TRV_PROPERTIES(TPCC, TEntity,
                 Public("IsPCC", &TPCC::IsPCC, &TPCC::SetIsPCC),
                 Public("CompositeSection", &TPCC::CompositeSection),
                 Public("x", &TPCC::x),
                 Public("IsPCCStatusKnown", &TPCC::IsPCCStatusKnown),
                 Public("ni", &TPCC::ni),
                 Public("beta_min", &TPCC::beta_min),
                 Public("beta_actual", &TPCC::beta_actual),
                 Public("ni_actual", &TPCC::ni_actual),
                 Public("phiMbv", &TPCC::phiMbv),
                 Public("shear_ratio", &TPCC::shear_ratio),
                 Public("ni_user", &TPCC::ni_user),
                 PublicGetter("phiVvm", &TPCC::phiVvm),
                 PublicGetter("phiMbBeta", &TPCC::phiMbBeta),
                 PublicGetter("TotalDeflection", &TPCC::TotalDeflection))

 private:
  static constexpr int kStages = 5;  // 3..7
  struct Slots {
    double v[kStateTypeCount][kStages] = {};
  };
  static bool ValidSlot(int st, int Stage) { return st >= 0 && st < kStateTypeCount && Stage >= 3 && Stage <= 7; }
  static double Slot(const Slots& a, int st, int Stage) { return ValidSlot(st, Stage) ? a.v[st][Stage - 3] : 0; }
  static void SetSlot(Slots& a, int st, int Stage, double v) {
    if (ValidSlot(st, Stage)) a.v[st][Stage - 3] = v;
  }
  // Splits "MDES0,7" into "MDES" and its numbers; false when the base names no value.
  bool NamedValue(const std::string& PropertyName, double& Value) const;

  Slots mdes_;
  Slots vdes_;
  Slots deflection_;
};

// The beam's PCCs, keyed by position in micrometres so that key order is
// position order while the list is sorted.
class TPCCList : public TEntityList {
 public:
  TPCCList() : TEntityList(&MakeEntity<TPCC>) {}

  // "0000004500000" style key: round(x * 1000), zero-padded to at least 10 digits.
  static std::string KeyOf(double x);
  TPCC* PCC(int Index) const { return ItemAs<TPCC>(Index); }
  TPCC* PCCClosestTo(double x) const;
  TPCC* PCCAtLocation(double x, double Tolerance) const;
  TPCC* PCCWithCompositeSection(const std::string& SectionLabel) const;
  int IndexOfMaxStuds() const;
  double StudGradientAtPCC(const TPCC* PCC) const;
};

// A position (mm) at which the user asks for a PCC, with a connector count (0 = none).
class TUserPCC : public TEntity {
 public:
  TUserPCC() { SectionName = "UserPCC"; }
  double x = 0;
  double ni = 0;
  TRV_PROPERTIES(TUserPCC, TEntity, Published("x", &TUserPCC::x), Published("ni", &TUserPCC::ni))
};
