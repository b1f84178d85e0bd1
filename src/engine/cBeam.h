// TBeam: one simply-supported composite beam: its span, its four steel
// sections and its composite sections along the span, its loads, links to
// the project's concrete, deck, connector, limit states, deflection limits and
// welded-beam restrictions, its user cross-sections and its results.
//
// FullAnalysis runs the whole calculation: effective steel properties,
// composite sections at the potential critical cross-sections (PCC), design
// actions by statics, the shear connector loop (cBeamConnectors.cpp),
// construction and in-service actions, deflections, camber and the summary
// ratios (cBeamResults.cpp). Problems go to the beam's status; an exception
// during the analysis becomes "Error during analysis: " + its message.
//
// The edition of the standard: FullAnalysis selects the calling thread's
// standard once, at its start, and hands it to everything it calculates
// (steel sections, composite sections, concrete, connector); the composite
// sections keep it for their later queries.
//
// Ownership: the beam owns its section, load, stage, PCC and user PCC lists;
// the concrete, deck, connector, limit states, deflection limits and
// restrictions are links set by the project (SetFloorProperties, SetCWBLimits)
// and must outlive the beam's use of them. Units: mm, kN, kNm, MPa.
#pragma once

#include <vector>

#include "components/cConcreteFloor.h"
#include "components/cShearConnector.h"
#include "components/cStandard.h"
#include "components/cSteelDeck.h"
#include "components/cSteelSection.h"
#include "engine/cAppliedLoad.h"
#include "engine/cCompositeSection.h"
#include "engine/cConstructionStage.h"
#include "engine/cDeflectionLimit.h"
#include "engine/cLimitState.h"
#include "engine/cPCC.h"

extern const char* const kAutoSelect;  // "<Auto-select>"

class TBeam;

// A beam's loads, each with what does not depend on the position worked out
// once (positions in m, left reactions, the parts of a distributed load), and
// each load's share of the moment and shear at a position before its load
// factor, by statics of the simply supported span. Built from the loads at
// one moment; later changes to the loads are not seen.
class TBeamLoads {
 public:
  explicit TBeamLoads(const TBeam& Beam);

  // A load's share at X (m): a factor f adds f g to the moment, or (f X) g
  // when IsTimesX, and f h to the shear.
  struct TShare {
    double g, h;
    bool IsTimesX;
  };
  struct TShares {
    double X;
    std::vector<TShare> Items;  // in the order of the loads
  };
  void SharesAt(double x, TShares& Shares) const;

  int Count() const { return static_cast<int>(loads_.size()); }
  // Point loads first, then distributed loads, each in list order.
  const TAppliedLoad& Load(int Index) const { return *loads_[Index].Source; }
  // The intensity (kN/m) of a load spread evenly over the whole span; false for any other load.
  bool IsUniformOverSpan(int Index, double& q) const;

 private:
  struct TLoad {
    const TAppliedLoad* Source;
    bool IsPoint;
    double a, P;                              // point load at a
    double s, e, D, q1, dq, U, T, cuL, ctL;   // distributed from s to e: uniform part U, triangular part T
    double R;                                 // left reaction
  };
  double L_;  // span, m
  std::vector<TLoad> loads_;
};

// The loads that act for a stage set, with the factors of one limit state.
// Throws std::runtime_error when the beam has no limit state of StateType.
class TLoadCombination {
 public:
  TLoadCombination(const TBeam& Beam, const TBeamLoads& Loads, TConstructionStageSet LimitToConStage,
                   TStateType StateType);
  // Design moment (kNm, sagging positive) and shear (kN) from the loads' shares at one position.
  void Actions(const TBeamLoads::TShares& Shares, double& Mdes, double& Vdes) const;
  // When every load it combines is spread evenly over the whole span: true,
  // with w the sum of the factored intensities (kN/m; the moment is then
  // w X (L - X) / 2) and w_size the sum of their magnitudes.
  bool IsUniformOverSpan(const TBeamLoads& Loads, double& w, double& w_size) const;

 private:
  struct TFactor {
    int Load;
    double f;
  };
  std::vector<TFactor> factors_;  // in the order of the loads
};

class TBeam : public TEntity {
 public:
  TBeam();

  // Inputs.
  std::string Mark;
  std::string Description;
  double Span = 0;  // mm
  TConcreteFloor* ConcreteFloor = nullptr;    // link
  TSteelDeck* SteelDeck = nullptr;            // link
  TShearConnector* ShearConnector = nullptr;  // link
  TSteelSectionList SteelSectionList;         // owned; always the four sections
  TEntityList CompositeSectionList = TEntityList::Of<TCompositeSection>();
  TEntityList ConstructionStageList = TEntityList::Of<TConstructionStage>();
  TEntityList* LimitStateList = nullptr;  // link, indexed by TStateType
  TAppliedLoadList DistributedLoadList = TAppliedLoadList::Of<TDistributedLoad>();
  TAppliedLoadList PointLoadList = TAppliedLoadList::Of<TPointLoad>();
  TPCCList PCCList;
  TDeflectionLimit* DeflectionLimit = nullptr;  // link
  double x_max_des_mom = 0;                     // position of the maximum composite-stage strength moment
  TStage DesignCompositeStage = kInServiceStage;
  double I_factor_short = 0;
  double I_factor_long = 0;
  double Iti = 0;
  double ItL = 0;
  bool Min_spacing_violation = false;
  double CompStageMomentRatio = 0;
  double MaxTopStressRatio = 0;
  int TotalShearConnectors = 0;
  double CompStageShearRatio = 0;
  double Stage3MomentRatio = 0;
  double MaxBetaActual = 0;
  double Stage3ShearRatio = 0;
  double MaxBottomStressRatio = 0;
  double CamberAbsolute = 0;  // camber type 2, mm
  bool IsPropped = false;     // propped construction (automatic loads only)
  double Ds = 0;              // overall slab depth, mm
  bool IsEdgeBeam = false;    // side 2 is a free slab edge
  double CompStageCombinedRatio = 0;
  double ThetaSide1 = 0;  // rib angle to the beam, degrees
  double ThetaSide2 = 0;
  double TroughWidth = 0;  // mm
  int CamberType = 0;      // 0 from stage 3 DL, 1 from stages 3,5,6 DL, 2 absolute, 3 span/relative
  double CamberRelative = 0;
  bool IsPrimaryBeam = false;
  double NominalWidthSide2 = 0;
  double NominalWidthSide1 = 0;
  TEntityList UserPCCList = TEntityList::Of<TUserPCC>();
  bool WillAutosizeSlabWidths = false;
  int UserNr = 0;  // connectors per group fixed by the user; <= 0 automatic
  TEntityList* CWBRestrictionList = nullptr;  // link
  double UserBeta = 0;
  int UserStudCount = 0;
  int StudCountBasis = 0;  // 0 auto, 1 shear connection ratio at midspan, 2 total count
  bool WillIgnoreHighStressEffectOnStuds = false;
  int ShearConnectorsInGroup = 0;

  // Setting a nominal width copies it into the composite sections' slab
  // widths when they follow it (autosize, or a width below 1 mm).
  void SetNominalWidthSide1(double Value);
  void SetNominalWidthSide2(double Value);

  // Lifecycle and links.
  void Clear() override;
  void SetFloorProperties(TConcreteFloor* AConcreteFloor, TSteelDeck* ASteelDeck, TShearConnector* AShearConnector,
                          TEntityList* ALimitStateList, TDeflectionLimit* ADeflectionLimit);
  void SetCWBLimits(TEntityList* ACWBRestrictionList) { CWBRestrictionList = ACWBRestrictionList; }
  std::string LongName() const;
  TConstructionStageSet AllStages() const;

  // Statics: design moment (kNm) and shear (kN) at x (mm) for the loads that
  // act for LimitToConStage, factored by the limit state of StateType.
  void GetDesignActions(double x, TConstructionStageSet LimitToConStage, TStateType StateType, double& Mdes,
                        double& Vdes) const;
  void PopulatePCCList(int Segments);
  void FullAnalysis(const TEntityList& SteelSectionLibrary, int Segments);
  // The standard the beam calculates with: the one its analysis selected
  // while the analysis runs, the calling thread's otherwise.
  const TStandard& Standard() const { return standard_ ? *standard_ : CurrentStandard(); }
  // Whether the bare steel cannot carry the stage 3 strength moment at the
  // position of the maximum moment: the stage 3 moment ratio exceeds 1
  // there, so FullAnalysis would find the assessment failing. Works out only
  // that check, with the same arithmetic as FullAnalysis: loads the steel
  // sections from the library with their effective properties and links the
  // composite sections, as FullAnalysis does first, and leaves the results
  // alone. False whenever the check cannot be made (FullAnalysis then
  // reports why).
  bool FailsBareSteelMomentCheck(const TEntityList& SteelSectionLibrary);
  // Strength design actions of the composite stage (all stages up to
  // DesignCompositeStage) at every PCC, stored as Mdes and Vdes (stStrength, 7).
  void AnalyseCompositeStageLoads();
  // Construction-stage and in-service actions at every PCC.
  void AnalyseConstructionLoads();

  // Shear connectors (cBeamConnectors.cpp).
  virtual double kt(int n) const;
  double fucMax() const;
  double fds(int n) const;
  void ShearStudCapability(int nr);
  void DetermineStudDistribution(int nr_max);
  void AdjustStudSpacing(int nr_max);
  void CalcDependableCapacity(int nr_max);

  // Deflections and results (cBeamResults.cpp).
  void CalculateServiceabilityProperties();
  void CalculateDeflections();
  void ClearSummaryResults();
  // Every result of an earlier analysis: the summary ratios, the critical
  // cross-sections with their actions and capacities, the stages' stress
  // ratios. A beam that is not analysed again must not show them as its own.
  void ClearResults();
  void CalcSummaryResults();
  double SuggestedCamber() const;
  double MaxStrengthRatio() const;
  double MaxStressRatio() const;
  double MaxDeflectionRatio() const;
  double MaxOverallRatio() const;
  bool IsAssessmentOK() const;
  double MaxAbsAction(TStateType st, int Stage, TActionType ActionType) const;
  double MaxAbsCapacity(TStateType st, int Stage, TActionType ActionType) const;

  TPCC* GetPCCAt(double x) const { return PCCList.PCCAtLocation(x, 0.01); }
  TSteelSection* SteelSection(int Index) const { return SteelSectionList.Section(Index); }
  TCompositeSection* CompositeSection(int Index) const { return CompositeSectionList.ItemAs<TCompositeSection>(Index); }
  TConstructionStage* StageObject(int Stage) const;

  TEntity* EntityProperty(const std::string& PropertyName, int Index) override;
  std::string StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                          int MaxDPIncrease) override;
  bool IsOK() override;
  void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  void GetProperties(std::vector<std::string>& PropertyList, const std::string& Prefix, const std::string& Suffix,
                     int MaxDepth) override;

  TRV_PROPERTIES(TBeam, TEntity,
                 Published("Mark", &TBeam::Mark),
                 Published("Description", &TBeam::Description),
                 Published("CamberType", &TBeam::CamberType),
                 Published("CamberAbsolute", &TBeam::CamberAbsolute),
                 Published("CamberRelative", &TBeam::CamberRelative),
                 Published("WillAutosizeSlabWidths", &TBeam::WillAutosizeSlabWidths),
                 Published("WillIgnoreHighStressEffectOnStuds", &TBeam::WillIgnoreHighStressEffectOnStuds),
                 Published("UserNr", &TBeam::UserNr),
                 Published("StudCountBasis", &TBeam::StudCountBasis),
                 Published("UserBeta", &TBeam::UserBeta),
                 Published("UserStudCount", &TBeam::UserStudCount),
                 Published("IsPropped", &TBeam::IsPropped),
                 Public("Span", &TBeam::Span),
                 Public("ConcreteFloor", &TBeam::ConcreteFloor),
                 Public("SteelDeck", &TBeam::SteelDeck),
                 Public("ShearConnector", &TBeam::ShearConnector),
                 Public("SteelSectionList", &TBeam::SteelSectionList),
                 Public("CompositeSectionList", &TBeam::CompositeSectionList),
                 Public("ConstructionStageList", &TBeam::ConstructionStageList),
                 Public("DistributedLoadList", &TBeam::DistributedLoadList),
                 Public("PointLoadList", &TBeam::PointLoadList),
                 Public("PCCList", &TBeam::PCCList),
                 Public("DeflectionLimit", &TBeam::DeflectionLimit),
                 Public("x_max_des_mom", &TBeam::x_max_des_mom),
                 Public("DesignCompositeStage", &TBeam::DesignCompositeStage),
                 Public("I_factor_short", &TBeam::I_factor_short),
                 Public("I_factor_long", &TBeam::I_factor_long),
                 Public("Iti", &TBeam::Iti),
                 Public("ItL", &TBeam::ItL),
                 Public("Min_spacing_violation", &TBeam::Min_spacing_violation),
                 Public("CompStageMomentRatio", &TBeam::CompStageMomentRatio),
                 Public("MaxTopStressRatio", &TBeam::MaxTopStressRatio),
                 Public("TotalShearConnectors", &TBeam::TotalShearConnectors),
                 Public("CompStageShearRatio", &TBeam::CompStageShearRatio),
                 Public("Stage3MomentRatio", &TBeam::Stage3MomentRatio),
                 Public("MaxBetaActual", &TBeam::MaxBetaActual),
                 Public("Stage3ShearRatio", &TBeam::Stage3ShearRatio),
                 Public("MaxBottomStressRatio", &TBeam::MaxBottomStressRatio),
                 Public("Ds", &TBeam::Ds),
                 Public("IsEdgeBeam", &TBeam::IsEdgeBeam),
                 Public("CompStageCombinedRatio", &TBeam::CompStageCombinedRatio),
                 Public("ThetaSide1", &TBeam::ThetaSide1),
                 Public("ThetaSide2", &TBeam::ThetaSide2),
                 Public("TroughWidth", &TBeam::TroughWidth),
                 Public("IsPrimaryBeam", &TBeam::IsPrimaryBeam),
                 Public("NominalWidthSide2", &TBeam::NominalWidthSide2, &TBeam::SetNominalWidthSide2),
                 Public("NominalWidthSide1", &TBeam::NominalWidthSide1, &TBeam::SetNominalWidthSide1),
                 Public("UserPCCList", &TBeam::UserPCCList),
                 Public("ShearConnectorsInGroup", &TBeam::ShearConnectorsInGroup),
                 PublicGetter("SuggestedCamber", &TBeam::SuggestedCamber),
                 PublicGetter("MaxStrengthRatio", &TBeam::MaxStrengthRatio),
                 PublicGetter("MaxDeflectionRatio", &TBeam::MaxDeflectionRatio),
                 PublicGetter("MaxStressRatio", &TBeam::MaxStressRatio),
                 PublicGetter("MaxOverallRatio", &TBeam::MaxOverallRatio),
                 PublicGetter("IsAssessmentOK", &TBeam::IsAssessmentOK),
                 PublicGetter("LongName", &TBeam::LongName))

 protected:
  // Statics helpers (cBeamStatics.cpp).
  void FindMaxMomentRegion(double& Left, double& xm, double& Right) const;
  // The same steps on loads already read: the analysis reads the beam's loads once.
  void FindMaxMomentRegion(const TBeamLoads& Loads, double& Left, double& xm, double& Right) const;
  void PopulatePCCList(int Segments, const TBeamLoads& Loads);
  void AnalyseCompositeStageLoads(const TBeamLoads& Loads);
  void AnalyseConstructionLoads(const TBeamLoads& Loads);
  TPCC* AddPCCAt(double x, bool IsPCC, double Tolerance);
  void AssignCompositeSectionAtPCC(TPCC& PCC) const;
  void SetCompositeSectionsFromBeam();

  // Connector helpers (cBeamConnectors.cpp).
  bool IsConnectorVeryDuctileAt(const TPCC& PCC, int n) const;
  // The count provided at one position; fds and MidspanFcc (the concrete
  // force at midspan) serve a count given by a shear connection ratio.
  void SetActualStudsAtPCC(TPCC& PCC, double fds, double MidspanFcc, double Value) const;
  void StudSpacingLimitsAt(double x, double& smin, double& smax, int& nGroupMax);
  void StudSpacingLimitsAtPCC(const TPCC* PCC, double& smin, double& smax, int& nGroupMax);
  // The spacing limits for ribs at these angles, and the connectors a group may hold at a PCC.
  void StudSpacingFor(double theta_left, double theta_right, double& smin, double& smax) const;
  int ConnectorsPerGroupAt(const TPCC* PCC);
  void CheckHighStressEffectOnStuds(int n);

  // Results helpers (cBeamResults.cpp).
  void CalcDeflectionsFor(TStateType st, int Stage);
  void CalcStageStressRatios(int Stage, bool PCCsOnly);

 private:
  void CreateStages();
  void CreateSteelSections();
  void ApplyNominalWidths();

  const TStandard* standard_ = nullptr;  // selected by FullAnalysis while it runs
};
