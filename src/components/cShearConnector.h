// TShearConnector: the shear connector of a project (headed stud, channel or
// high-strength bolt), its nominal capacity (by the edition's rule,
// TStandard::PRk), spacing limits and input checks; TShearConnectorLibraryItem is its library form. Units: mm,
// MPa, kN.
#pragma once

#include "entity/cEntity.h"

class TConcreteFloor;
class TStandard;

// Values of TShearConnector::ConnectorType.
constexpr int ctHeadedStud = 0;
constexpr int ctChannel = 1;
constexpr int ctHighStrengthBolt = 2;

class TShearConnector : public TEntity {
 public:
  TShearConnector() { SectionName = "ShearConnector"; }

  std::string Name;                  // library key; empty is invalid
  int ConnectorType = 0;             // 0 headed stud, 1 channel, 2 high-strength bolt
  double dbs = 0;                    // shank (or bolt) diameter, mm
  double fuc = 0;                    // tensile strength of the connector material, MPa
  double hsc = 0;                    // height after welding, mm
  double PRk = 0;                    // nominal capacity of one connector, kN, as last calculated
  bool IsCustom = false;             // dimensions saved with the project
  bool IsThroughDeckWelded = false;  // welded through the decking

  // Nominal capacity of one connector in ConcreteFloor by the rule of
  // Standard (of the calling thread's edition without one), kN; stored in
  // PRk. fuc_max caps fuc where the edition does. Messages go to this
  // connector's status.
  double CalcPRk(const TStandard& Standard, const TConcreteFloor& ConcreteFloor, double fuc_max);
  double CalcPRk(const TConcreteFloor& ConcreteFloor, double fuc_max);
  double GetPRk() const { return PRk; }
  // 150 for a channel, otherwise 5 x dbs.
  double MinSpacing() const;
  // The smaller of 4 x Dc and 600 (Dc the overall slab depth).
  static double MaxSpacing(double Dc);

  void Clear() override;
  bool IsOK() override;
  void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;

  TRV_PROPERTIES(TShearConnector, TEntity,
                 Published("Name", &TShearConnector::Name),
                 Public("ConnectorType", &TShearConnector::ConnectorType),
                 Public("dbs", &TShearConnector::dbs),
                 Public("fuc", &TShearConnector::fuc),
                 Public("hsc", &TShearConnector::hsc),
                 PublicGetter("PRk", &TShearConnector::GetPRk),
                 Published("IsCustom", &TShearConnector::IsCustom),
                 Public("IsThroughDeckWelded", &TShearConnector::IsThroughDeckWelded),
                 PublicGetter("MinSpacing", &TShearConnector::MinSpacing))
};

class TShearConnectorLibraryItem : public TShearConnector {
 public:
  TRV_PROPERTIES(TShearConnectorLibraryItem, TShearConnector,
                 Published("ConnectorType", &TShearConnector::ConnectorType),
                 Published("dbs", &TShearConnector::dbs),
                 Published("hsc", &TShearConnector::hsc),
                 Published("fuc", &TShearConnector::fuc),
                 Published("IsThroughDeckWelded", &TShearConnector::IsThroughDeckWelded))
};
