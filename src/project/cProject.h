// TProject: the root of a design job and of every property path: the floor
// layout, its concrete, deck and shear connector, the limit states and
// deflection limits, up to three beams (the primary beam, and the secondary
// beams of side 1 and side 2), the design-table settings and the regression
// tests. It is what a project file holds (.tva, an INI file), what the input
// screens edit and what the analysis run walks through.
//
// Ownership: the project owns everything above; the beams link to (do not
// own) the project's concrete, deck, connector, limit states, deflection
// limits and welded-beam restrictions. Validation never raises; it reports
// through the status, where any warning makes the project not OK.
#pragma once

#include <string>
#include <vector>

#include "components/cConcreteFloor.h"
#include "components/cShearConnector.h"
#include "components/cSteelDeck.h"
#include "engine/cDeflectionLimit.h"
#include "project/cDesignTable.h"
#include "project/cGeometry.h"
#include "project/cTest.h"
#include "project/cVibration.h"
#include "report/cImportedBeam.h"

class TFloorUse;

class TProject : public TEntity {
 public:
  TProject();

  std::string Project;      // project name
  std::string Designer;
  std::string Description;
  int FloorArea = 0;        // single floor area, m2
  int Storeys = 0;
  int Segments = 0;         // regularly spaced analysis positions along a beam
  TStage DesignCompositeStage = kInServiceStage;
  TDeflectionLimit DeflectionLimit;
  TGeometry Geometry;
  TConcreteFloor ConcreteFloor;
  TSteelDeck SteelDeck;
  TShearConnector ShearConnector;
  std::string Checksum;     // 8 hexadecimal digits identifying the design state
  TDesignTable DesignTable;
  TVibration Vibration;  // the floor vibration check: never part of the beams' assessment

  TEntityList LimitStateList = TEntityList::Of<TLimitState>();
  TEntityList CWBRestrictionList = TEntityList::Of<TCWBRestriction>();
  TEntityList TestGroupList = TEntityList::Of<TTestGroup>();
  TEntityList TestList = TEntityList::Of<TTest>();
  std::vector<std::string> OutputList;  // property paths a design-table run collects

  // Beam 0 (primary), 1 or 2 (secondary side 1 or 2); null for any other side.
  TImportedBeam* GetBeam(int Side);
  const TImportedBeam* GetBeam(int Side) const;
  bool GetHasBeam(int BeamID) const;
  int BeamCount() const;
  int BeamSide(const TBeam* ABeam) const;
  bool GetIsAssessmentOK() const;

  void Clear() override;
  void AssignFromFloorUse(const TFloorUse& FloorUse);
  // The project's limit states become copies of the list's (the five defaults when null).
  void SetLimitStateValues(const TEntityList* ALimitStateList);
  void SetCWBRestrictions(const TEntityList* ACWBRestrictionList);

  // Floor layout into the beams, and the loads the floor puts on them.
  void UpdateBeamGeometry();
  void UpdateAutoLoads();
  void UpdateAutoLoadsForBeam(TImportedBeam& ABeam);

  // The first 8 digits of the MD5 of the two one-line summaries.
  std::string CalcNewChecksum() const;
  std::string DesignInputSummary() const;
  std::string DesignOutputSummary() const;
  // The project settings block of the results report.
  void Dump(TStringList& TXT, bool WillDumpExtra) const;

  // Sets the propping of beam Side and keeps the construction sequence: a
  // secondary beam cannot be propped on an unpropped primary beam, so
  // un-propping the primary beam un-props the secondary beams and propping a
  // secondary beam props the primary beam. Returns what else changed, as the
  // user is told it ("Secondary beams will also be set to unpropped",
  // "Primary beam will also be set to propped"), or "" when nothing else did.
  std::string SetBeamPropped(int Side, bool IsPropped);

  // What an analysis accepts but an engineer should see beside its results
  // (a primary beam's tributary width that is not the secondary span), one
  // sentence each; empty when there is nothing to remark.
  std::vector<std::string> AnalysisNotes() const;

  TEntity* EntityProperty(const std::string& PropertyName, int Index) override;
  std::string StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                          int MaxDPIncrease) override;
  bool IsOK() override;
  void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  virtual void SaveExceptTestsToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix);
  void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  void GetProperties(std::vector<std::string>& PropertyList, const std::string& Prefix, const std::string& Suffix,
                     int MaxDepth) override;

  TRV_PROPERTIES(TProject, TEntity,
                 Published("Project", &TProject::Project),
                 Published("Designer", &TProject::Designer),
                 Published("Description", &TProject::Description),
                 Published("FloorArea", &TProject::FloorArea),
                 Published("Storeys", &TProject::Storeys),
                 Published("Segments", &TProject::Segments),
                 Published("DesignCompositeStage", &TProject::DesignCompositeStage),
                 PublishedWritableEntity("DeflectionLimit", &TProject::DeflectionLimit),
                 Published("Geometry", &TProject::Geometry),
                 Published("ConcreteFloor", &TProject::ConcreteFloor),
                 Published("SteelDeck", &TProject::SteelDeck),
                 Published("ShearConnector", &TProject::ShearConnector),
                 Published("Checksum", &TProject::Checksum),
                 Published("DesignTable", &TProject::DesignTable),
                 Published("Vibration", &TProject::Vibration),
                 Public("LimitStateList", &TProject::LimitStateList),
                 Public("CWBRestrictionList", &TProject::CWBRestrictionList),
                 Public("TestGroupList", &TProject::TestGroupList),
                 Public("TestList", &TProject::TestList),
                 PublicGetter("BeamCount", &TProject::BeamCount),
                 PublicGetter("IsAssessmentOK", &TProject::GetIsAssessmentOK))

  // The prefix of a beam's sections in a project file: "" for the primary
  // beam, "Secondary1" and "Secondary2" for the others.
  static std::string BeamPrefix(int BeamID);

 private:
  void CheckFloorForEdition();
  void CheckSlabWidths();
  // Values that no floor can have (negative or absurd load factors, loads,
  // densities, limits, and any number far beyond a floor's), which would
  // lighten the design actions or leave no finite result; returns whether
  // none was found.
  bool CheckPhysicalValues();
  // Every user load of the existing beams (the checks of cLoadChecks.h).
  bool CheckBeamLoads();

  TImportedBeam beams_[3];
};

// Weight per area of the floor slab of concrete density Rho (kg/m3), kPa:
// the full slab depth and the ponding allowance of that concrete, 8 kg/m2 of
// reinforcement net of the concrete it displaces, less the deck's rib voids.
double SlabWeight(const TGeometry& Geometry, const TSteelDeck& Deck, double Rho);

// A stable code for the current user of the computer: the first eight
// hexadecimal digits of the MD5 of the login name, read once per run of the
// program. Thread-safe.
std::string CurrentUserCode();

// A property path evaluated on the project against an expected value, the
// way the regression tests, `trevalon eval` and the window evaluate an output.
struct TPathEvaluation {
  // The value as CalcActualValue gives it (a test output's calculated value):
  // at the expected value's decimals and up to 2 more for a number.
  std::string ActualValue;
  // The value as it was compared: at exactly the decimals of a plain expected
  // number ("0.0000000000" shows ten), else the same as ActualValue.
  std::string ComparedValue;
  // Whether the value meets the expected value and its tolerances; "?" is met
  // by any value.
  bool IsExpected = false;
  // Evaluating raised an engine error: ActualValue is then "** Calculation
  // error: " + its message + " **", and only "?" is met.
  bool IsCalculationError = false;
  // The path names no entity or no property: ActualValue is then
  // "** UNKNOWN ENTITY **" or "** UNKNOWN PROPERTY **".
  bool IsUnknownPath = false;
};

// Path is read without regard to letter case, and a leading "Project." is
// dropped ("Project.Description" is DESCRIPTION on the project). The
// expected value may carry tolerances: "230(+/-0.5%)", "12(+/-1)".
TPathEvaluation EvaluatePath(TProject& Project, const std::string& Path, const std::string& ExpectedValue = "?");
