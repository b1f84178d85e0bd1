#include "components/cShearConnector.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "components/cConcreteFloor.h"
#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"

namespace {

// 2003 edition: nominal capacity (kN) of bolts and channels by f'c (MPa).
constexpr double kTable2003fc[] = {15, 20, 25, 32, 40};
constexpr double kTable2003Bolt[] = {67, 83, 98, 118, 126};
constexpr double kTable2003Channel[] = {76, 95, 100, 110, 125};
constexpr size_t kTable2003Count = std::size(kTable2003fc);

// Linear in f'c between the bracketing grades (lower grade inclusive); the
// last column from 40 MPa up. Callers handle f'c below the first grade.
double Table2003(const double (&PRk)[kTable2003Count], double fc) {
  for (size_t i = 0; i + 1 < kTable2003Count; ++i) {
    if (kTable2003fc[i] <= fc && fc < kTable2003fc[i + 1])
      return Interpolate(fc, kTable2003fc[i], kTable2003fc[i + 1], PRk[i], PRk[i + 1]);
  }
  return PRk[kTable2003Count - 1];
}

const char* const kTypeNotRecognised = "Shear connector type not recognised";

}  // namespace

void TShearConnector::Clear() {
  // Only the published identity is cleared: the type and dimensions stay, so a
  // connector that took them from the library keeps them while its saved
  // dimensions are read over them.
  TEntity::Clear();
  PRk = 0;
}

double TShearConnector::CalcPRk(const TConcreteFloor& ConcreteFloor, double fuc_max) {
  const double fc = ConcreteFloor.ConcreteStrength;
  const double dbs2 = dbs * dbs;
  double result = 0;
  if (Is2017Edition()) {
    // The lesser of shank failure and concrete failure; the
    // coefficient covers studs and bolts of 15.9 to 25 mm only.
    double c = 0;
    if (dbs >= 15.9 && dbs <= 25) {
      if (ConnectorType == ctHeadedStud)
        c = 0.7;
      else if (ConnectorType == ctHighStrengthBolt)
        c = 0.5;
      else
        Status.SetError(elError, kTypeNotRecognised);
    }
    const double steel = c * dbs2 * std::min(fuc, fuc_max) / 1000;
    const double concrete =
        0.29 * dbs2 * std::sqrt(std::max(ConcreteFloor.EcForStuds() * std::min(fc, 100.0), 0.0)) /
        1000;
    result = std::min(steel, concrete);
  } else if (ConnectorType == ctHeadedStud) {
    result = std::min(0.63 * dbs2 * fuc,
                      0.31 * dbs2 * std::sqrt(std::max(fc * ConcreteFloor.EcForStuds(), 0.0))) /
             1000;
  } else if (ConnectorType == ctHighStrengthBolt || ConnectorType == ctChannel) {
    if (fc < kTable2003fc[0]) {
      Status.SetError(elWarning, "f'cj too low to calculate shear connector capacity");
    } else {
      result = Table2003(ConnectorType == ctChannel ? kTable2003Channel : kTable2003Bolt, fc);
      if (ConcreteFloor.IsConcreteLightWeight()) result *= 0.8;
    }
  } else {
    Status.SetError(elWarning, kTypeNotRecognised);
  }
  PRk = result;
  return PRk;
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
  if (Is2017Edition() && ConnectorType == ctChannel)
    Status.SetError(elError, "Channel shear connector not permitted");
  if (ConnectorType == ctHeadedStud) {
    if (Is2017Edition()) {
      Status.CheckRange(
          dbs, 15.9, 22.2, elWarning,
          "(Cl 3.6.2.2.1) Headed shear stud diameter must be between %.1f and %.1f mm");
    } else {
      Status.CheckRange(dbs, 15.9, 19.0, elWarning,
                        "Headed shear stud diameter must be between %.1f and %.1f mm for " +
                            CurrentStandardName());
    }
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
