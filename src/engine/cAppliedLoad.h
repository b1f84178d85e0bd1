// Applied loads of a beam: distributed (linearly varying line) loads and
// point loads, each belonging to the stage in which it is first applied, and
// the list that keeps the automatic loads (generated from the floor layout)
// ahead of the user's loads and never saves them.
//
// Positions are in mm from the left support, or a fraction of the span when
// the matching "proportional" flag is set. Line loads in kN/m, forces in kN
// (positive downwards).
#pragma once

#include <memory>
#include <string>

#include "engine/cConstructionStage.h"
#include "entity/cEntity.h"
#include "entity/cEntityList.h"

// The prefix that marks the description of an automatic load.
inline constexpr const char* kAutoLoadPrefix = "(Auto) ";
inline constexpr const char* kAutoLoadMask = "(Auto) *";

class TAppliedLoad : public TEntity {
 public:
  bool IsLiveLoad = false;  // live load (live load factor); else dead load
  std::string Description;
  int ConStage = 0;           // stage in which the load is first applied (3, 5, 6 or 7)
  bool IsAutoCalced = false;  // generated from the floor layout; never saved

  virtual bool IsPointLoad() const = 0;

  TRV_PROPERTIES(TAppliedLoad, TEntity, Published("IsLiveLoad", &TAppliedLoad::IsLiveLoad),
                 Published("Description", &TAppliedLoad::Description),
                 Published("ConStage", &TAppliedLoad::ConStage),
                 Published("IsAutoCalced", &TAppliedLoad::IsAutoCalced),
                 PublicGetter("IsPointLoad", &TAppliedLoad::IsPointLoad))

 protected:
  // Marks a freshly built load as automatic and unchanged.
  void InitAutoCalc(int AStage, bool AIsLiveLoad, const std::string& ADescription);
};

// Whether a load first applied in ConStage acts when the stages S are
// combined: its stage must be one of S, and a construction live load stops
// acting as soon as a later stage is part of the combination (stage-3 live
// load once 5 is in S, stage 3 or 5 once 6 is, any construction stage once 7
// is). Dead loads of a stage in S always act; stages outside 3..7 never do.
bool LoadActsFor(int ConStage, bool IsLiveLoad, TConstructionStageSet S);
bool LoadActsFor(const TAppliedLoad& Load, TConstructionStageSet S);

// A line load varying linearly from StartValue to FinishValue between two
// positions. A new load covers the whole span whatever span it is later given.
class TDistributedLoad : public TAppliedLoad {
 public:
  TDistributedLoad();

  double StartPosition = 0;  // mm or fraction of span; never negative
  bool IsStartPositionProportional = false;
  double FinishPosition = 1.0;  // mm or fraction of span
  bool IsFinishPositionProportional = true;
  bool IsFinishPositionAtEnd = true;  // ends at the far support whatever FinishPosition holds
  double StartValue = 0;              // kN/m
  double FinishValue = 0;             // kN/m

  // Stores 0 for a negative position.
  void SetStartPosition(double Value);
  bool IsPointLoad() const override { return false; }

  // The loaded length resolved against a span, mm from the left support.
  double StartPositionMm(double Span) const;
  double FinishPositionMm(double Span) const;

  // Restores the defaults of a new load.
  void Clear() override;

  // A uniform automatic load of AValue kN/m over the whole span.
  static std::unique_ptr<TDistributedLoad> CreateNewAutoCalc(int AStage, double AValue,
                                                             bool AIsLiveLoad,
                                                             const std::string& ADescription);

  TRV_PROPERTIES(TDistributedLoad, TAppliedLoad,
                 Published("StartPosition", &TDistributedLoad::StartPosition,
                           &TDistributedLoad::SetStartPosition),
                 Published("IsStartPositionProportional",
                           &TDistributedLoad::IsStartPositionProportional),
                 Published("FinishPosition", &TDistributedLoad::FinishPosition),
                 Published("IsFinishPositionProportional",
                           &TDistributedLoad::IsFinishPositionProportional),
                 Published("IsFinishPositionAtEnd", &TDistributedLoad::IsFinishPositionAtEnd),
                 Published("StartValue", &TDistributedLoad::StartValue),
                 Published("FinishValue", &TDistributedLoad::FinishValue))
};

class TPointLoad : public TAppliedLoad {
 public:
  TPointLoad();

  double Position = 0;  // mm or fraction of span
  bool IsPositionProportional = false;
  double Value = 0;  // kN, positive downwards

  bool IsPointLoad() const override { return true; }
  // The position resolved against a span, mm from the left support.
  double PositionMm(double Span) const {
    return IsPositionProportional ? Position * Span : Position;
  }

  // An automatic load of AValue kN at APosition mm.
  static std::unique_ptr<TPointLoad> CreateNewAutoCalc(int AStage, double APosition, double AValue,
                                                       bool AIsLiveLoad,
                                                       const std::string& ADescription);

  TRV_PROPERTIES(TPointLoad, TAppliedLoad, Published("Position", &TPointLoad::Position),
                 Published("IsPositionProportional", &TPointLoad::IsPositionProportional),
                 Published("Value", &TPointLoad::Value))
};

// The loads of one kind of a beam: automatic loads first, then the user's
// loads in the order they were added. Only the user's loads are saved.
class TAppliedLoadList : public TEntityList {
 public:
  TAppliedLoadList() = default;
  explicit TAppliedLoadList(TEntityFactory AObjectType) : TEntityList(AObjectType) {}
  template <class T>
  static TAppliedLoadList Of() {
    return TAppliedLoadList(&MakeEntity<T>);
  }

  TAppliedLoad* Load(int Index) const { return ItemAs<TAppliedLoad>(Index); }

  // Inserts an automatic load before the first manual load, appends a manual
  // one. The key is the item count before the insertion. Returns the load.
  TAppliedLoad* AddLoad(std::unique_ptr<TAppliedLoad> AppliedLoad);
  // Frees the automatic and/or the manual loads.
  void ClearLoads(bool WillClearAuto, bool WillClearManual);
  // Marks every load automatic (adding the "(Auto) " prefix to its description
  // once) or manual (removing the prefix).
  void SetAllAutoState(bool AutoState);
  int AutoLoadCount() const;

  // "Count", then the manual loads with suffixes 1, 2, ..., then "Count"
  // again with the number saved.
  void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix) override;
};
