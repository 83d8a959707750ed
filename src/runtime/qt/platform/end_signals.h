// Ending the program from outside by a signal (SIGTERM, SIGINT, SIGHUP) is handled in the event
// loop. The signal handler only counts the signal up on a semaphore; a thread of its own sleeps on
// it and hands each signal to the loop, which so watches nothing more for them: no descriptor
// is added to those the loop polls and checks at each of the date watch's wake-ups.
#pragma once

#include <pthread.h>
#include <semaphore.h>

#include <QObject>
#include <atomic>
#include <functional>

namespace vorlin::qt {

class EndSignals final : public QObject {
 public:
  // `onEnd` runs in the event loop once for each signal received.
  explicit EndSignals(std::function<void()> onEnd);
  ~EndSignals() override;
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

 private:
  static void* waitForSignals(void* self);

  std::function<void()> onEnd_;
  sem_t received_{};
  std::atomic<bool> stopping_{false};
  pthread_t waiter_{};
  bool waiting_ = false;
};

}  // namespace vorlin::qt
