#include "engine/cDeflectionLimit.h"

#include <algorithm>

TDeflectionLimit::TDeflectionLimit() {
  SectionName = "DeflectionLimit";
  Clear();
  IsChanged = false;
}

void TDeflectionLimit::Clear() {
  TEntity::Clear();
  SetTracked(Stage3DLRelLimit, 200.0);
  SetTracked(Stage56DLRelLimit, 250.0);
  SetTracked(IncrementalRelLimit, 300.0);
  SetTracked(TotalRelLimit, 250.0);
  SetTracked(Stage3DLAbsLimit, 55.0);
  SetTracked(ShrinkageRatioPriorInservice, 0.4);
  SetTracked(MaximumCamber, 50.0);
}

double TDeflectionLimit::CombineLimits(double Span, double RelLimit, double AbsLimit) {
  if (AbsLimit > 0 && RelLimit > 0) return std::min(AbsLimit, Span / RelLimit);
  if (AbsLimit > 0) return AbsLimit;
  if (RelLimit > 0) return Span / RelLimit;
  return 0;
}

double TDeflectionLimit::GetStage3DLLimit(double Span) const {
  return CombineLimits(Span, Stage3DLRelLimit, Stage3DLAbsLimit);
}
double TDeflectionLimit::GetStage56DLLimit(double Span) const {
  return CombineLimits(Span, Stage56DLRelLimit, Stage56DLAbsLimit);
}
double TDeflectionLimit::GetStage356DLLimit(double Span) const {
  return CombineLimits(Span, Stage356DLRelLimit, Stage356DLAbsLimit);
}
double TDeflectionLimit::GetIncrementalLimit(double Span) const {
  return CombineLimits(Span, IncrementalRelLimit, IncrementalAbsLimit);
}
double TDeflectionLimit::GetTotalLimit(double Span) const {
  return CombineLimits(Span, TotalRelLimit, TotalAbsLimit);
}
