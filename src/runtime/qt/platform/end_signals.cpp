#include "runtime/qt/platform/end_signals.h"

#include <QMetaObject>
#include <array>
#include <cerrno>
#include <csignal>

namespace vorlin::qt {
namespace {

constexpr std::array<int, 3> kEndSignals{SIGTERM, SIGINT, SIGHUP};

// The semaphore the handler counts up; null when no handler is installed.
std::atomic<sem_t*> receivedSignals{nullptr};

void onEndSignal(int) {
  const int savedErrno = errno;
  if (sem_t* received = receivedSignals.load()) sem_post(received);  // safe in a handler
  errno = savedErrno;
}

void setAction(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int s : kEndSignals) sigaction(s, &action, nullptr);
}

}  // namespace

EndSignals::EndSignals(std::function<void()> onEnd) : onEnd_(std::move(onEnd)) {
  if (sem_init(&received_, 0, 0) != 0) return;
  waiting_ = pthread_create(&waiter_, nullptr, waitForSignals, this) == 0;
  if (!waiting_) {
    sem_destroy(&received_);
    return;  // the signals end the program as they would any other
  }
  receivedSignals = &received_;
  setAction(onEndSignal);
}

EndSignals::~EndSignals() {
  if (!waiting_) return;
  setAction(SIG_DFL);
  receivedSignals = nullptr;
  stopping_ = true;
  sem_post(&received_);
  pthread_join(waiter_, nullptr);
  sem_destroy(&received_);
}

void* EndSignals::waitForSignals(void* self) {
  auto* owner = static_cast<EndSignals*>(self);
  for (;;) {
    if (sem_wait(&owner->received_) != 0) continue;  // interrupted: wait on
    if (owner->stopping_) return nullptr;
    // Posted to the event loop's thread; dropped if the object is gone before it runs.
    QMetaObject::invokeMethod(
        owner, [owner] { owner->onEnd_(); }, Qt::QueuedConnection);
  }
}

}  // namespace vorlin::qt
