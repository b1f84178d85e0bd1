// TStatus: the validation record every entity owns. Validation resets it, runs
// checks against limits, and leaves the worst level met, the first message of
// that level and the ordered list of every message with its level. Checks never
// raise; a failed check is only recorded.
#pragma once

#include <string>
#include <vector>

enum TErrorLevel { elNone = 0, elHint = 1, elWarning = 2, elError = 3 };

struct TStatusLine {
  std::string Text;  // prefixed "Warning: " or "Error: " by level
  TErrorLevel Level;
};

class TStatus {
 public:
  TStatus() { Reset(); }
  virtual ~TStatus() = default;

  TErrorLevel ErrorLevel = elNone;  // worst level since the last Reset
  std::string ErrorMsg;             // the message that first raised ErrorLevel to its value
  TErrorLevel OKErrorLevel = elNone;  // worst level still OK; Reset leaves it alone
  bool IsChecked = false;
  double FloatTolerance = 0.001;

  const std::vector<TStatusLine>& ErrorList() const { return error_list_; }
  bool IsOK() const { return ErrorLevel <= OKErrorLevel; }

  virtual void Reset();
  virtual void SetError(TErrorLevel AErrorLevel, const std::string& AErrorMsg);

  // Each check returns true when the value passes; otherwise it records the
  // message (a format template filled with the limits for numeric checks).
  bool CheckRange(double Value, double MinValue, double MaxValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg);
  bool CheckRange(int Value, int MinValue, int MaxValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg);
  bool CheckMax(double Value, double MaxValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg);
  bool CheckMax(int Value, int MaxValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg);
  bool CheckMin(double Value, double MinValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg);
  bool CheckMin(int Value, int MinValue, TErrorLevel AErrorLevel, const std::string& AErrorMsg);
  bool CheckNotBlank(const std::string& Value, TErrorLevel AErrorLevel, const std::string& AErrorMsg);
  bool CheckTrue(bool Value, TErrorLevel AErrorLevel, const std::string& AErrorMsg);

  // Copies the other status's lines (already prefixed) into this one.
  void AppendErrorList(const TStatus& AStatus);
  // All lines joined by CR LF, as a message box shows them.
  std::string ErrorText() const;

 private:
  std::vector<TStatusLine> error_list_;
};
