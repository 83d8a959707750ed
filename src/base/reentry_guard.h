// Keeps an operation from running inside itself. A popup menu runs an event loop of its own,
// which goes on dispatching what comes (a second tray report, a host's request for the menu):
// while the guard is taken, a further call finds it so and does nothing.
#pragma once

namespace vorlin {

class ReentryGuard {
 public:
  explicit ReentryGuard(bool& busy) : busy_(busy), entered_(!busy) { busy_ = true; }
  ~ReentryGuard() {
    if (entered_) busy_ = false;
  }
  ReentryGuard(const ReentryGuard&) = delete;
  ReentryGuard& operator=(const ReentryGuard&) = delete;

  // Whether this call took the guard: no other was running.
  bool entered() const { return entered_; }

 private:
  bool& busy_;
  bool entered_;
};

}  // namespace vorlin
