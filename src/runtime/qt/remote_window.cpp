#include "runtime/qt/remote_window.h"

#include <sys/socket.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>

namespace vorlin::qt {

std::unique_ptr<RemoteWindow, LaterDeleter> RemoteWindow::start(const char* argument,
                                                                const FormDesc& desc, QSize size,
                                                                FormWindow::ClickHandler onClick,
                                                                FormWindow::CloseHandler onClose) {
  std::unique_ptr<OwnProcess> process = OwnProcess::start(argument, true);
  if (!process) return nullptr;
  return std::unique_ptr<RemoteWindow, LaterDeleter>(
      new RemoteWindow(std::move(process), desc, size, std::move(onClick), std::move(onClose)));
}

RemoteWindow::RemoteWindow(std::unique_ptr<OwnProcess> process, const FormDesc& desc, QSize size,
                           FormWindow::ClickHandler onClick, FormWindow::CloseHandler onClose)
    : process_(std::move(process)),
      told_(new QSocketNotifier(process_->channel(), QSocketNotifier::Read, this)),
      desc_(desc),
      size_(size),
      onClick_(std::move(onClick)),
      onClose_(std::move(onClose)) {
  QObject::connect(told_, &QSocketNotifier::activated, this, [this] { read(); });
}

void RemoteWindow::move(QPoint position) {
  position_ = position;
  tell({WindowMessageKind::Move, position.x(), position.y()});
}

void RemoteWindow::select(int control, std::int16_t index) {
  tell({WindowMessageKind::Select, control, index});
}

void RemoteWindow::show() {
  tell({WindowMessageKind::Show});
}

void RemoteWindow::end() {
  told_->setEnabled(false);
  process_.reset();
}

void RemoteWindow::tell(const WindowMessage& message) {
  // A process that cannot take a message has ended or hangs: its end, or a close through its
  // frame, unloads the form.
  if (process_) (void)process_->send(encode(message).view());
}

void RemoteWindow::read() {
  std::array<char, 64> record{};
  while (process_) {
    const ssize_t size = recv(process_->channel(), record.data(), record.size(), MSG_DONTWAIT);
    if (size < 0 && errno == EINTR) continue;
    if (size < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (size <= 0) {
      // The process ended with the window still loaded: it was closed from outside.
      end();
      onClose_();
      return;
    }
    if (const std::optional<WindowMessage> message =
            decode({record.data(), static_cast<std::size_t>(size)})) {
      take(*message);
    }
  }
}

void RemoteWindow::take(const WindowMessage& message) {
  if (message.kind == WindowMessageKind::Close) {
    onClose_();
    return;
  }
  if (message.kind != WindowMessageKind::Click) return;
  // Only a button the form has: an option or a command button.
  const ControlDesc* control = desc_.find(message.first, static_cast<std::int16_t>(message.second));
  if (control == nullptr ||
      (control->kind != ControlKind::OptionButton && control->kind != ControlKind::CommandButton)) {
    return;
  }
  onClick_(Event{.kind = EventKind::Click,
                 .control = message.first,
                 .index = static_cast<std::int16_t>(message.second)});
}

}  // namespace vorlin::qt
