// TResult: the outcome of anything that can fail: reading or writing a file
// or a library, a run of the analysis, the regression tests or the design
// tables, printing, an edit the user may call off. Failures a user can cause
// (a missing file, no permission, a damaged library) come back as a TResult
// with a message saying what and where; they are never thrown.
//
// A result is one of three: it succeeded (possibly with something to report),
// it failed (the message says why), or it was cancelled (the user called it
// off, or declined a question; nothing more was done, and the message, when
// there is one, says what stopped). Only a success converts to true.
//
// The program's one error convention:
// - engineering input checks report through an entity's TStatus (cStatus.h);
// - anything that can fail returns a TResult; a run returns its data (counts,
//   lines, files) beside the TResult in its outcome (TRunOutcome,
//   TTestRunOutcome, TDesignTableOutcome, TPrintOutcome);
// - exceptions stay inside the engine's calculation, and the run that calls
//   it catches them at its boundary and reports them ("Error during
//   analysis: ..."); every catch reports or rethrows;
// - an assert states an invariant a caller must hold (an index in range, an
//   owner that is there); the sanitized build keeps asserts on.
#pragma once

#include <string>
#include <utility>
#include <vector>

class [[nodiscard]] TResult {
 public:
  // Success, with nothing to say.
  TResult() = default;
  static TResult Success(std::string Message) { return TResult(TState::kOK, std::move(Message)); }
  static TResult Failure(std::string Message) { return TResult(TState::kFailed, std::move(Message)); }
  // Called off; Message says what stopped ("Analysis cancelled"), or nothing.
  static TResult Cancelled(std::string Message = "") { return TResult(TState::kCancelled, std::move(Message)); }

  bool IsOK() const { return state_ == TState::kOK; }
  bool IsCancelled() const { return state_ == TState::kCancelled; }
  bool IsFailed() const { return state_ == TState::kFailed; }
  explicit operator bool() const { return IsOK(); }
  // Why it failed, what stopped it, or what a success has to report. Several
  // problems are separate lines ("\n" between them).
  const std::string& Message() const { return message_; }
  std::vector<std::string> MessageLines() const {
    std::vector<std::string> lines;
    if (message_.empty()) return lines;
    size_t start = 0;
    for (size_t end; (end = message_.find('\n', start)) != std::string::npos; start = end + 1)
      lines.push_back(message_.substr(start, end - start));
    lines.push_back(message_.substr(start));
    return lines;
  }

  // Takes in another outcome: a failure makes this one a failure, a
  // cancellation makes a success cancelled, and a message is added on a line
  // of its own.
  void Add(const TResult& Other) {
    if (Other.state_ > state_) state_ = Other.state_;
    if (Other.message_.empty()) return;
    if (!message_.empty()) message_ += '\n';
    message_ += Other.message_;
  }

 private:
  // Ordered: Add keeps the later of two states.
  enum class TState { kOK, kCancelled, kFailed };
  TResult(TState State, std::string Message) : state_(State), message_(std::move(Message)) {}
  TState state_ = TState::kOK;
  std::string message_;
};
