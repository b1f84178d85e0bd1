// Parses arbitrary expected test values and evaluates them against a property.
#include <cstddef>
#include <cstdint>
#include <string>

#include "entity/cEntity.h"

namespace {
class TFuzzTarget : public TEntity {
 public:
  double Length = 12.5;
  std::string Label = "x";
  TRV_PROPERTIES(TFuzzTarget, TEntity, Published("Length", &TFuzzTarget::Length),
                 Published("Label", &TFuzzTarget::Label))
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  double value, rel, abs;
  int dp;
  ParseExpectedValue(text, value, rel, abs, dp);
  TFuzzTarget target;
  std::string actual;
  bool ok;
  target.CalcActualValue("Length", text, actual, ok);
  target.CalcActualValue(text, "?", actual, ok);
  return 0;
}
