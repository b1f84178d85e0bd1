// TDeflectionLimit: the deflection limits of a project, shared by its beams.
// Each limit pair combines a span/deflection ratio R and an absolute limit A
// (mm); a value of 0 or less means there is no limit of that kind.
#pragma once

#include "entity/cEntity.h"

class TDeflectionLimit : public TEntity {
 public:
  TDeflectionLimit();

  double Stage3DLRelLimit = 0;              // stage 3 dead load, span/deflection
  double Stage56DLRelLimit = 0;             // stages 5 and 6 dead load, span/deflection
  double Stage356DLRelLimit = 0;            // stages 3, 5 and 6 dead load, span/deflection
  double IncrementalRelLimit = 0;           // in service, incremental, span/deflection
  double TotalRelLimit = 0;                 // in service, total, span/deflection
  double Stage3DLAbsLimit = 0;              // mm
  double Stage56DLAbsLimit = 0;             // mm
  double Stage356DLAbsLimit = 0;            // mm
  double IncrementalAbsLimit = 0;           // mm
  double TotalAbsLimit = 0;                 // mm
  double ShrinkageRatioPriorInservice = 0;  // fraction of shrinkage deflection before service
  double MaximumCamber = 0;                 // mm, upper bound on the suggested camber

  // Restores the defaults: ratios 200, 250, 0, 300, 250; stage 3 absolute
  // limit 55 mm, other absolute limits 0; shrinkage ratio 0.4; camber 50 mm.
  void Clear() override;

  // Governing limit in mm for a span in mm; 0 when the pair sets no limit.
  double GetStage3DLLimit(double Span) const;
  double GetStage56DLLimit(double Span) const;
  double GetStage356DLLimit(double Span) const;
  double GetIncrementalLimit(double Span) const;
  double GetTotalLimit(double Span) const;

  // The smaller of A and Span / R, counting only the positive ones; 0 when neither is.
  static double CombineLimits(double Span, double RelLimit, double AbsLimit);

  TRV_PROPERTIES(TDeflectionLimit, TEntity,
                 Published("Stage3DLRelLimit", &TDeflectionLimit::Stage3DLRelLimit),
                 Published("Stage56DLRelLimit", &TDeflectionLimit::Stage56DLRelLimit),
                 Published("Stage356DLRelLimit", &TDeflectionLimit::Stage356DLRelLimit),
                 Published("IncrementalRelLimit", &TDeflectionLimit::IncrementalRelLimit),
                 Published("TotalRelLimit", &TDeflectionLimit::TotalRelLimit),
                 Published("Stage3DLAbsLimit", &TDeflectionLimit::Stage3DLAbsLimit),
                 Published("Stage56DLAbsLimit", &TDeflectionLimit::Stage56DLAbsLimit),
                 Published("Stage356DLAbsLimit", &TDeflectionLimit::Stage356DLAbsLimit),
                 Published("IncrementalAbsLimit", &TDeflectionLimit::IncrementalAbsLimit),
                 Published("TotalAbsLimit", &TDeflectionLimit::TotalAbsLimit),
                 Published("ShrinkageRatioPriorInservice",
                           &TDeflectionLimit::ShrinkageRatioPriorInservice),
                 Published("MaximumCamber", &TDeflectionLimit::MaximumCamber))
};
