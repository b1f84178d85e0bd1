// TProject: the project settings block of the results report, the two
// one-line design summaries and the project checksum made from them.
#include "project/cProject.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"

using namespace report;

void TProject::Dump(TStringList& TXT, bool) const {
  TXT.push_back("PROJECT SETTINGS");
  TXT.push_back("");
  TXT.push_back("Project," + QuotedCell(Project));
  AppendDescriptionLines(TXT, Description);
  TXT.push_back("Designer," + LabelledCell(Designer));
  TXT.push_back("Standard," + CurrentStandardName());
  TXT.push_back("");

  TXT.push_back("LOAD FACTORS");
  TXT.push_back(",LF dead,LF live");
  for (int i = 0; i < LimitStateList.Count(); ++i) {
    const auto* ls = LimitStateList.ItemAs<TLimitState>(i);
    TXT.push_back(ReportRow({ls->LimitStateLabel, WithDecimal(ls->LFdead), WithDecimal(ls->LFlive)}));
  }
  TXT.push_back("");

  const TDeflectionLimit& d = DeflectionLimit;
  TXT.push_back("DEFLECTION DATA");
  TXT.push_back("Stage,3 (DL),5&6 (DL),3&5&6 (DL),InService (incremental),InService (total)");
  TXT.push_back(ReportRow({"Span/Defl (ratio)", NumberOrBlank(d.Stage3DLRelLimit), NumberOrBlank(d.Stage56DLRelLimit),
                           NumberOrBlank(d.Stage356DLRelLimit), NumberOrBlank(d.IncrementalRelLimit),
                           NumberOrBlank(d.TotalRelLimit)}));
  TXT.push_back(ReportRow({"Absolute (mm)", NumberOrBlank(d.Stage3DLAbsLimit), NumberOrBlank(d.Stage56DLAbsLimit),
                           NumberOrBlank(d.Stage356DLAbsLimit), NumberOrBlank(d.IncrementalAbsLimit),
                           NumberOrBlank(d.TotalAbsLimit)}));
  TXT.push_back("");
  TXT.push_back(ReportRow({"Ratio of shrinkage prior to InService", WithDecimal(d.ShrinkageRatioPriorInservice)}));
  TXT.push_back("");
  TXT.push_back("");
}

std::string TProject::DesignInputSummary() const {
  const TGeometry& g = Geometry;
  return std::to_string(FloorArea) + "," + std::to_string(Storeys) + "," + Number(g.NominalLiveLoad) +
         (g.IsLiveLoadReducible ? "R" : "") + "/" + Number(g.DeadLoad) + "," +
         (g.HasPrimaryBeam ? Number(beams_[0].Span) : std::string("0")) + "," + Number(beams_[1].Span) + "," +
         Number(g.Ds) + "," + SteelDeck.ShortCode + "," + Number(ShearConnector.dbs) + "x" + Number(ShearConnector.hsc);
}

std::string TProject::DesignOutputSummary() const {
  auto first_section = [](const TBeam& beam) {
    return beam.SteelSectionList.Count() > 0 ? beam.SteelSection(0)->ShortName() : std::string("NONE");
  };
  return (Geometry.HasPrimaryBeam ? first_section(beams_[0]) : std::string("NONE")) + "," +
         first_section(beams_[1]) + "," + CurrentUserCode();
}

std::string TProject::CalcNewChecksum() const {
  return HashText(DesignInputSummary() + DesignOutputSummary()).substr(0, 8);
}

std::string CurrentUserCode() {
  // Read once, by whichever thread asks first: the design table's workers
  // save their case files (and so make checksums) side by side, and the
  // user's entry is read into a buffer of this call's own (getpwuid_r).
  static const std::string code = [] {
    std::string login;
    std::vector<char> buffer(16384);
    for (;;) {
      passwd entry{};
      passwd* found = nullptr;
      const int error = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found);
      if (error == ERANGE && buffer.size() < (1u << 20)) {
        buffer.resize(buffer.size() * 4);
        continue;
      }
      if (error == 0 && found && found->pw_name) login = found->pw_name;
      break;
    }
    if (login.empty())
      if (const char* user = std::getenv("USER")) login = user;
    return HashText(login).substr(0, 8);
  }();
  return code;
}
