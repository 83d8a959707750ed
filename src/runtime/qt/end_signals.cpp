#include "runtime/qt/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

namespace vorlin::qt {
namespace {

constexpr std::array<int, 3> kEndSignals{SIGTERM, SIGINT, SIGHUP};

// The pipe's writing end, for the handler; -1 when no handler is installed.
volatile std::sig_atomic_t signalPipe = -1;

void onEndSignal(int signal) {
  const int savedErrno = errno;
  const auto byte = static_cast<unsigned char>(signal);
  if (signalPipe >= 0) (void)!write(signalPipe, &byte, 1);
  errno = savedErrno;
}

}  // namespace

EndSignals::EndSignals(std::function<void()> onEnd) : onEnd_(std::move(onEnd)) {
  if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    unsigned char byte = 0;
    while (read(pipe_[0], &byte, 1) == 1) onEnd_();
  });
  signalPipe = pipe_[1];
  struct sigaction action {};
  action.sa_handler = onEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int s : kEndSignals) sigaction(s, &action, nullptr);
}

EndSignals::~EndSignals() {
  if (pipe_[0] < 0) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (const int s : kEndSignals) sigaction(s, &action, nullptr);
  signalPipe = -1;
  notifier_.reset();
  close(pipe_[0]);
  close(pipe_[1]);
}

}  // namespace vorlin::qt
