// Program-wide settings, and the one rule for using them from several threads.
//
// A few values are read at the moment of calculating or formatting rather
// than passed down: the design standard edition (components/cStandard.h),
// the decimal separator and the short date order (entity/VEXNumberText.h).
// Each is a TProgramSetting, and every one follows this rule:
//
// - The setting has one program-wide value. A front end sets it at start-up
//   (the command line from its options and the locale) or between runs (the
//   window's edition menu); it is never changed while another thread
//   calculates with it.
// - A thread that must work under another value sets it for itself with a
//   scoped guard (TStandardVersionScope, TRegionalSettingsScope): a
//   regression test runs under the edition recorded with it, a design-table
//   case on a worker thread under the table's edition. The guard changes the
//   value for its own thread only, until it ends; guards nest.
// - A new thread starts with the program-wide values, not with the guards of
//   the thread that made it: a worker sets its guards itself.
//
// Reading a setting is cheap (the calling thread's guards, then an atomic
// load), so it may be read per number formatted.
#pragma once

#include <atomic>

template <class T>
class TProgramSetting {
 public:
  constexpr explicit TProgramSetting(T Initial) : program_wide_(Initial) {}
  TProgramSetting(const TProgramSetting&) = delete;
  TProgramSetting& operator=(const TProgramSetting&) = delete;

  // The calling thread's value: its innermost guard's for this setting, else
  // the program-wide value.
  T Get() const {
    for (const TScope* scope = innermost_; scope; scope = scope->outer_)
      if (scope->setting_ == this) return scope->value_;
    return program_wide_.load(std::memory_order_acquire);
  }
  T ProgramWide() const { return program_wide_.load(std::memory_order_acquire); }
  void SetProgramWide(T Value) { program_wide_.store(Value, std::memory_order_release); }

  // Sets the value for the calling thread while it lives. Guards end in the
  // reverse order of their start, as scoped objects do.
  class TScope {
   public:
    TScope(const TProgramSetting& Setting, T Value) : setting_(&Setting), value_(Value), outer_(innermost_) {
      innermost_ = this;
    }
    ~TScope() { innermost_ = outer_; }
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;

   private:
    friend class TProgramSetting;
    const TProgramSetting* setting_;
    T value_;
    const TScope* outer_;
  };

 private:
  std::atomic<T> program_wide_;
  static inline thread_local const TScope* innermost_ = nullptr;
};
