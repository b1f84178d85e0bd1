// TStatus: the validation record every entity owns. Validation resets it, runs
// checks against limits, and leaves the worst level met, the first message of
// that level and the ordered list of every message with its level. Checks never
// raise; a failed check is only recorded.
#pragma once

#include <string>
#include <type_traits>
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

  // The same checks with the message made only when the check fails, by a
  // function returning it: for checks that run often (a beam is validated
  // for every library section the automatic selection tries) and whose
  // messages take work to put together.
  template <class MakeMessage>
    requires std::is_invocable_r_v<std::string, MakeMessage&>
  bool CheckRange(double Value, double MinValue, double MaxValue, TErrorLevel AErrorLevel, MakeMessage&& Message) {
    return IsInRange(Value, MinValue, MaxValue) || CheckRange(Value, MinValue, MaxValue, AErrorLevel, Message());
  }
  template <class MakeMessage>
    requires std::is_invocable_r_v<std::string, MakeMessage&>
  bool CheckMax(double Value, double MaxValue, TErrorLevel AErrorLevel, MakeMessage&& Message) {
    return IsAtMost(Value, MaxValue) || CheckMax(Value, MaxValue, AErrorLevel, Message());
  }
  template <class MakeMessage>
    requires std::is_invocable_r_v<std::string, MakeMessage&>
  bool CheckMin(double Value, double MinValue, TErrorLevel AErrorLevel, MakeMessage&& Message) {
    return IsAtLeast(Value, MinValue) || CheckMin(Value, MinValue, AErrorLevel, Message());
  }
  template <class MakeMessage>
    requires std::is_invocable_r_v<std::string, MakeMessage&>
  bool CheckRange(int Value, int MinValue, int MaxValue, TErrorLevel AErrorLevel, MakeMessage&& Message) {
    return (MinValue <= Value && Value <= MaxValue) || CheckRange(Value, MinValue, MaxValue, AErrorLevel, Message());
  }
  template <class MakeMessage>
    requires std::is_invocable_r_v<std::string, MakeMessage&>
  bool CheckMax(int Value, int MaxValue, TErrorLevel AErrorLevel, MakeMessage&& Message) {
    return Value <= MaxValue || CheckMax(Value, MaxValue, AErrorLevel, Message());
  }
  template <class MakeMessage>
    requires std::is_invocable_r_v<std::string, MakeMessage&>
  bool CheckMin(int Value, int MinValue, TErrorLevel AErrorLevel, MakeMessage&& Message) {
    return Value >= MinValue || CheckMin(Value, MinValue, AErrorLevel, Message());
  }
  template <class MakeMessage>
    requires std::is_invocable_r_v<std::string, MakeMessage&>
  bool CheckNotBlank(const std::string& Value, TErrorLevel AErrorLevel, MakeMessage&& Message) {
    return !Value.empty() || CheckNotBlank(Value, AErrorLevel, Message());
  }
  template <class MakeMessage>
    requires std::is_invocable_r_v<std::string, MakeMessage&>
  bool CheckTrue(bool Value, TErrorLevel AErrorLevel, MakeMessage&& Message) {
    return Value || CheckTrue(Value, AErrorLevel, Message());
  }

  // Copies the other status's lines (already prefixed) into this one.
  void AppendErrorList(const TStatus& AStatus);
  // All lines joined by CR LF, as a message box shows them.
  std::string ErrorText() const;

 private:
  // The passing conditions of the real checks, within FloatTolerance.
  bool IsInRange(double Value, double MinValue, double MaxValue) const {
    return Value >= MinValue - FloatTolerance && Value <= MaxValue + FloatTolerance;
  }
  bool IsAtMost(double Value, double MaxValue) const { return Value <= MaxValue + FloatTolerance; }
  bool IsAtLeast(double Value, double MinValue) const { return Value >= MinValue - FloatTolerance; }

  std::vector<TStatusLine> error_list_;
};
