// Ending the program from outside by a signal (SIGTERM, SIGINT, SIGHUP) is handled in the event
// loop: the signal handler only writes a byte into a pipe, whose reading end the loop watches.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace vorlin::qt {

class EndSignals final : public QObject {
 public:
  // `onEnd` runs in the event loop once for each signal received.
  explicit EndSignals(std::function<void()> onEnd);
  ~EndSignals() override;
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

 private:
  std::function<void()> onEnd_;
  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vorlin::qt
