#include "engine/cConstructionStage.h"

TConstructionStage::TConstructionStage(TStage AStage) : Stage(AStage) {
  SectionName = "ConstructionStage";
}

std::string TConstructionStage::StageToLabel(int AStage) {
  if (AStage == InServiceStage()) return "InService";
  return std::to_string(AStage);
}
