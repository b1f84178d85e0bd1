#include "components/cShearConnector.h"

#include <algorithm>

#include "components/cStandard.h"
#include "entity/cIniFiles.h"

void TShearConnector::Clear() {
  // Only the published identity is cleared: the type and dimensions stay, so a
  // connector that took them from the library keeps them while its saved
  // dimensions are read over them.
  TEntity::Clear();
  PRk = 0;
}

double TShearConnector::CalcPRk(const TStandard& Standard, const TConcreteFloor& ConcreteFloor, double fuc_max) {
  PRk = Standard.PRk(*this, ConcreteFloor, fuc_max, Status);
  return PRk;
}

double TShearConnector::CalcPRk(const TConcreteFloor& ConcreteFloor, double fuc_max) {
  return CalcPRk(CurrentStandard(), ConcreteFloor, fuc_max);
}

double TShearConnector::MinSpacing() const {
  return ConnectorType == ctChannel ? 150 : 5 * dbs;
}

double TShearConnector::MaxSpacing(double Dc) {
  return std::min(4 * Dc, 600.0);
}

bool TShearConnector::IsOK() {
  Status.Reset();
  Status.CheckNotBlank(Name, elError, "Invalid shear connector");
  // The types the edition permits and the stud diameters it covers.
  CurrentStandard().CheckConnector(*this, Status);
  if (ConnectorType == ctHeadedStud) {
    Status.CheckMin(
        hsc, 4 * dbs, elWarning,
        "(Cl 3.6.2.2.1) Height of shear connector must be at least 4 x nominal shank diameter");
  }
  if (ConnectorType == ctHighStrengthBolt) {
    Status.CheckRange(dbs, 20.0, 20.0, elWarning,
                      "(Cl 3.6.2.2.2) High-strength bolts used as shear connectors must be M20");
    Status.CheckMin(hsc, 100.0, elWarning,
                    "(Cl 3.6.2.2.2) Height of shear connector bolt be at least %.0f");
  }
  Status.CheckMax(fuc, 500.0, elWarning, "(Cl 3.6.2.3) Shear connector fuc must be less than %.0f");
  Status.IsChecked = true;
  return Status.IsOK();
}

void TShearConnector::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix,
                                    const std::string& Suffix) {
  TEntity::SaveToIniFile(IniFile, Prefix, Suffix);
  // A library connector is found again by its name; the type of a custom one
  // comes from the library item it was made from.
  if (!IsCustom) return;
  SaveFloatToIniFile(IniFile, "dbs", dbs, Prefix, Suffix);
  SaveFloatToIniFile(IniFile, "hsc", hsc, Prefix, Suffix);
  SaveFloatToIniFile(IniFile, "fuc", fuc, Prefix, Suffix);
  IniFile.WriteBool(Prefix + SectionName, "IsThroughDeckWelded" + Suffix, IsThroughDeckWelded);
}

void TShearConnector::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix,
                                      const std::string& Suffix) {
  TEntity::LoadFromIniFile(IniFile, Prefix, Suffix);
  if (!IsCustom) return;
  dbs = LoadFloatFromIniFile(IniFile, "dbs", Prefix, Suffix, dbs);
  hsc = LoadFloatFromIniFile(IniFile, "hsc", Prefix, Suffix, hsc);
  fuc = LoadFloatFromIniFile(IniFile, "fuc", Prefix, Suffix, fuc);
  const std::string key = "IsThroughDeckWelded" + Suffix;
  IsThroughDeckWelded =
      IniFile.ReadBool(SectionFor(IniFile, Prefix, key), key, IsThroughDeckWelded);
}
