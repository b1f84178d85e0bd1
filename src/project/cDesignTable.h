// TDesignTable: the settings of the design-table generator stored with a
// project: the spans and spacings of the tables, the standard edition and the
// floor use. Generating tables is the administrators' tool.
#pragma once

#include <vector>

#include "entity/cEntity.h"
#include "entity/cResult.h"

class TDesignTable : public TEntity {
 public:
  TDesignTable() {
    SectionName = "DesignTable";
    Clear();
  }

  std::vector<double> SpanList;     // primary beam spans, mm
  std::vector<double> SpacingList;  // spacings, mm
  int VersionID = 0;                // standard edition of the tables
  int FloorUseIndex = 0;            // index in the floor use library
  bool WillIterateAllFloors = false;

  bool HasDesignTableProperties() const { return VersionID > 0 || !SpanList.empty() || !SpacingList.empty(); }

  void Clear() override;
  // The section is written only when there is something to keep, and erased otherwise.
  void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;

  TRV_PROPERTIES(TDesignTable, TEntity,
                 Public("VersionID", &TDesignTable::VersionID),
                 Public("FloorUseIndex", &TDesignTable::FloorUseIndex),
                 Public("WillIterateAllFloors", &TDesignTable::WillIterateAllFloors))
};

// The spans (primary beam spans) and spacings (secondary beam spans) of a
// design table, wherever they come from (the project's settings, the
// window's page, the command line's options): each must lie within the floor
// geometry's own limits, as a project's spans must. Fails naming the first
// that does not, e.g. "Design table span 30000 mm must be between 1500 and
// 25000 mm".
TResult CheckDesignTableLengths(const std::vector<double>& Spans, const std::vector<double>& Spacings);
