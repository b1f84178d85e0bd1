// TResult: the outcome of reading or writing a file or a library. Failures a
// user can cause (a missing file, no permission, a damaged library) come back
// as a TResult with a message saying what and where; they are never thrown.
//
// The program's one error convention:
// - engineering input checks report through an entity's TStatus (cStatus.h);
// - file and library input/output returns a TResult;
// - exceptions stay inside the engine, and the analysis run turns them into
//   status messages ("Error during analysis: ...").
#pragma once

#include <string>
#include <utility>
#include <vector>

class [[nodiscard]] TResult {
 public:
  // Success, with nothing to say.
  TResult() = default;
  static TResult Success(std::string Message) { return TResult(true, std::move(Message)); }
  static TResult Failure(std::string Message) { return TResult(false, std::move(Message)); }

  bool IsOK() const { return ok_; }
  explicit operator bool() const { return ok_; }
  // Why it failed, or what a success has to report. Several problems are
  // separate lines ("\n" between them).
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

  // Takes in another outcome: a failure makes this one a failure, and a
  // message is added on a line of its own.
  void Add(const TResult& Other) {
    ok_ = ok_ && Other.ok_;
    if (Other.message_.empty()) return;
    if (!message_.empty()) message_ += '\n';
    message_ += Other.message_;
  }

 private:
  TResult(bool Succeeded, std::string Message) : ok_(Succeeded), message_(std::move(Message)) {}
  bool ok_ = true;
  std::string message_;
};
