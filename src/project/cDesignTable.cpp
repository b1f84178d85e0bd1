#include "project/cDesignTable.h"

#include "entity/VEXUtility.h"
#include "entity/cEntityList.h"
#include "entity/cIniFiles.h"
#include "project/cGeometry.h"
#include "project/cLoadChecks.h"

void TDesignTable::Clear() {
  TEntity::Clear();
  VersionID = 0;
  SpanList.clear();
  SpacingList.clear();
}

void TDesignTable::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string&) {
  const std::string section = Prefix + SectionName;
  if (!HasDesignTableProperties()) {
    IniFile.EraseSection(section);
    return;
  }
  IniFile.WriteBool(section, "WillIterateAllFloors", WillIterateAllFloors);
  IniFile.WriteInteger(section, "FloorUseIndex", FloorUseIndex);
  IniFile.WriteInteger(section, "VersionID", VersionID);
  IniFile.WriteInteger(section, "SpanCount", static_cast<int>(SpanList.size()));
  for (size_t i = 0; i < SpanList.size(); ++i) IniFile.WriteFloat(section, "Span" + std::to_string(i + 1), SpanList[i]);
  IniFile.WriteInteger(section, "SpacingCount", static_cast<int>(SpacingList.size()));
  for (size_t i = 0; i < SpacingList.size(); ++i)
    IniFile.WriteFloat(section, "Spacing" + std::to_string(i + 1), SpacingList[i]);
}

void TDesignTable::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string&) {
  Clear();
  std::string section = Prefix + SectionName;
  if (!IniFile.SectionExists(section)) section = SectionName;
  WillIterateAllFloors = IniFile.ReadBool(section, "WillIterateAllFloors", false);
  FloorUseIndex = IniFile.ReadInteger(section, "FloorUseIndex", 0);
  VersionID = IniFile.ReadInteger(section, "VersionID", 0);
  const int spans = IniFile.ReadCount(section, "SpanCount", kMaxIniListCount);
  for (int i = 1; i <= spans; ++i) SpanList.push_back(IniFile.ReadFloat(section, "Span" + std::to_string(i), 0));
  const int spacings = IniFile.ReadCount(section, "SpacingCount", kMaxIniListCount);
  for (int i = 1; i <= spacings; ++i) SpacingList.push_back(IniFile.ReadFloat(section, "Spacing" + std::to_string(i), 0));
  IsChanged = false;
}

TResult CheckDesignTableLengths(const std::vector<double>& Spans, const std::vector<double>& Spacings) {
  auto check = [](const std::vector<double>& Lengths, const char* What, double Min, double Max) {
    for (double length : Lengths)
      if (!(length >= Min && length <= Max))
        return TResult::Failure(std::string("Design table ") + What + " " + CheckedValueText(length) +
                                " mm must be between " + CheckedValueText(Min) + " and " + CheckedValueText(Max) +
                                " mm");
    return TResult();
  };
  if (TResult spans = check(Spans, "span", kPrimarySpanMin, kPrimarySpanMax); !spans) return spans;
  return check(Spacings, "spacing", kSecondarySpanMin, kSecondarySpanMax);
}
