// Small entity classes that exercise the generic operations of the framework
// before the engineering classes arrive: a leaf with every scalar kind, an
// owner with a sub-entity and a keyed list.
#pragma once

#include "entity/cEntity.h"
#include "entity/cEntityList.h"

enum class TColour { Red, Green, Blue };

class TWidget : public TEntity {
 public:
  TWidget() { SectionName = "Widget"; }
  std::string Label;
  int Count = 0;
  double Length = 0;  // mm
  bool IsActive = false;
  TColour Colour = TColour::Red;
  double Scratch = 0;  // a public working value, never persisted
  double DoubleLength() const { return 2 * Length; }
  TRV_PROPERTIES(TWidget, TEntity,
                 Published("Label", &TWidget::Label),
                 Published("Count", &TWidget::Count),
                 Published("Length", &TWidget::Length),
                 Published("IsActive", &TWidget::IsActive),
                 Published("Colour", &TWidget::Colour),
                 Public("Scratch", &TWidget::Scratch),
                 PublicGetter("DoubleLength", &TWidget::DoubleLength))
};

// A widget subclass: its own property comes before the base's.
class TFancyWidget : public TWidget {
 public:
  TFancyWidget() { SectionName = "FancyWidget"; }
  std::string Finish;
  TRV_PROPERTIES(TFancyWidget, TWidget, Published("Finish", &TFancyWidget::Finish))
};

class TAssembly : public TEntity {
 public:
  TAssembly() { SectionName = "Assembly"; }
  std::string Name;
  TWidget Main;                                         // owned, read-only sub-entity
  TFancyWidget Spare;                                   // owned, writable sub-entity
  TEntityList Parts = TEntityList::Of<TWidget>();       // keyed by Label
  double Weight = 0;
  TRV_PROPERTIES(TAssembly, TEntity,
                 Published("Name", &TAssembly::Name),
                 Published("Main", &TAssembly::Main),
                 PublishedWritableEntity("Spare", &TAssembly::Spare),
                 Public("Parts", &TAssembly::Parts),
                 Published("Weight", &TAssembly::Weight))

  void SaveToIniFile(TVEXIniFile& ini, const std::string& prefix, const std::string& suffix) override {
    TEntity::SaveToIniFile(ini, prefix, suffix);
    Parts.SaveToIniFile(ini, prefix);
  }
  void LoadFromIniFile(TVEXIniFile& ini, const std::string& prefix, const std::string& suffix) override {
    TEntity::LoadFromIniFile(ini, prefix, suffix);
    Parts.Clear();
    Parts.LoadFromIniFile(ini, "Label", true, prefix);
  }
  TWidget* AddPart(const std::string& label, double length) {
    auto w = std::make_unique<TWidget>();
    w->Label = label;
    w->Length = length;
    TWidget* raw = w.get();
    Parts.Add(label, std::move(w));
    return raw;
  }
};
