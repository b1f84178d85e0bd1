#include "entity/cStatus.h"

#include "entity/VEXUtility.h"

void TStatus::Reset() {
  ErrorLevel = elNone;
  IsChecked = false;
  ErrorMsg.clear();
  FloatTolerance = 0.001;
  error_list_.clear();
}

void TStatus::SetError(TErrorLevel AErrorLevel, const std::string& AErrorMsg) {
  if (AErrorLevel > ErrorLevel) {
    ErrorLevel = AErrorLevel;
    ErrorMsg = AErrorMsg;
  }
  std::string prefix;
  if (AErrorLevel == elWarning) prefix = "Warning: ";
  if (AErrorLevel == elError) prefix = "Error: ";
  if (!prefix.empty() && StartsText(prefix, AErrorMsg)) prefix.clear();
  error_list_.push_back({prefix + AErrorMsg, AErrorLevel});
}

bool TStatus::CheckRange(double Value, double MinValue, double MaxValue, TErrorLevel AErrorLevel,
                         const std::string& AErrorMsg) {
  if (IsInRange(Value, MinValue, MaxValue)) return true;
  SetError(AErrorLevel, Format(AErrorMsg, {MinValue, MaxValue}));
  return false;
}

bool TStatus::CheckRange(int Value, int MinValue, int MaxValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg) {
  if (MinValue <= Value && Value <= MaxValue) return true;
  SetError(AErrorLevel, Format(AErrorMsg, {MinValue, MaxValue}));
  return false;
}

bool TStatus::CheckMax(double Value, double MaxValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg) {
  if (IsAtMost(Value, MaxValue)) return true;
  SetError(AErrorLevel, Format(AErrorMsg, {MaxValue}));
  return false;
}

bool TStatus::CheckMax(int Value, int MaxValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg) {
  if (Value <= MaxValue) return true;
  SetError(AErrorLevel, Format(AErrorMsg, {MaxValue}));
  return false;
}

bool TStatus::CheckMin(double Value, double MinValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg) {
  if (IsAtLeast(Value, MinValue)) return true;
  SetError(AErrorLevel, Format(AErrorMsg, {MinValue}));
  return false;
}

bool TStatus::CheckMin(int Value, int MinValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg) {
  if (Value >= MinValue) return true;
  SetError(AErrorLevel, Format(AErrorMsg, {MinValue}));
  return false;
}

bool TStatus::CheckNotBlank(const std::string& Value, TErrorLevel AErrorLevel, const std::string& AErrorMsg) {
  if (!Value.empty()) return true;
  SetError(AErrorLevel, AErrorMsg);
  return false;
}

bool TStatus::CheckTrue(bool Value, TErrorLevel AErrorLevel, const std::string& AErrorMsg) {
  if (Value) return true;
  SetError(AErrorLevel, AErrorMsg);
  return false;
}

void TStatus::AppendErrorList(const TStatus& AStatus) {
  // The other list may be this one's: take the count once.
  const size_t count = AStatus.error_list_.size();
  for (size_t i = 0; i < count; ++i) {
    TStatusLine line = AStatus.error_list_[i];
    SetError(line.Level, line.Text);
  }
}

std::string TStatus::ErrorText() const {
  std::string out;
  for (const auto& line : error_list_) {
    if (!out.empty()) out += "\r\n";
    out += line.Text;
  }
  return out;
}
