// The message format language: %d, %s, %f with width and precision, %e, %g,
// %x, %%, and indexed forms such as %2:.0f (an index sets the argument taken;
// later unindexed conversions continue from it). Numbers use the regional
// decimal separator. A conversion without a matching argument is left as text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TFormatArg {
 public:
  enum class Kind { Integer, Float, String };
  TFormatArg(int v) : kind_(Kind::Integer), i_(v) {}
  TFormatArg(long v) : kind_(Kind::Integer), i_(v) {}
  TFormatArg(long long v) : kind_(Kind::Integer), i_(v) {}
  TFormatArg(unsigned v) : kind_(Kind::Integer), i_(v) {}
  TFormatArg(double v) : kind_(Kind::Float), f_(v) {}
  TFormatArg(const char* v) : kind_(Kind::String), s_(v) {}
  TFormatArg(std::string v) : kind_(Kind::String), s_(std::move(v)) {}
  TFormatArg(std::string_view v) : kind_(Kind::String), s_(v) {}
  Kind kind() const { return kind_; }
  int64_t AsInteger() const;
  double AsFloat() const;
  std::string AsString() const;

 private:
  Kind kind_;
  int64_t i_ = 0;
  double f_ = 0;
  std::string s_;
};

std::string Format(std::string_view Template, std::initializer_list<TFormatArg> Args);
std::string Format(std::string_view Template, const std::vector<TFormatArg>& Args);
// User text made safe to put inside a template: every "%" doubled, so a beam
// mark or a label is never read as a conversion.
std::string FormatLiteral(std::string_view Text);
