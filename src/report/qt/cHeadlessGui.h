// Drawing text with Qt needs a QGuiApplication (it owns the fonts). The
// command line has no window and may run where there is no display at all, so
// it draws on Qt's "offscreen" platform, chosen here whatever QT_QPA_PLATFORM
// says.
#pragma once

#include <memory>

class QGuiApplication;

// Creates a QGuiApplication on the offscreen platform for as long as it lives,
// unless the program already has a Qt application (the window's, or a test's),
// which is then used as it is. While it lives, Qt's own debug and warning
// messages are not printed (critical ones are). Construct and destroy on the
// main thread, before and after all drawing; one at a time.
class TGuiApplicationScope {
 public:
  TGuiApplicationScope();
  ~TGuiApplicationScope();
  TGuiApplicationScope(const TGuiApplicationScope&) = delete;
  TGuiApplicationScope& operator=(const TGuiApplicationScope&) = delete;

 private:
  int argc_ = 3;
  char* argv_[4] = {};
  std::unique_ptr<QGuiApplication> app_;
};
