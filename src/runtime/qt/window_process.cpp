#include "runtime/qt/window_process.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <cstdio>

#include "runtime/qt/form_window.h"
#include "runtime/qt/window_messages.h"

namespace vorlin::qt {
namespace {

// The program's end of the socket is this process's standard input and output.
void tell(const WindowMessage& message) {
  const WindowRecord record = encode(message);
  (void)send(STDOUT_FILENO, record.text.data(), record.size, MSG_NOSIGNAL | MSG_DONTWAIT);
}

void take(FormWindow& window, const WindowMessage& message) {
  switch (message.kind) {
    case WindowMessageKind::Move:
      window.move(message.first, message.second);
      return;
    case WindowMessageKind::Select:
      if (QAbstractButton* option =
              window.button(message.first, static_cast<std::int16_t>(message.second))) {
        option->setChecked(true);
      }
      return;
    case WindowMessageKind::Show:
      window.show();
      window.raise();
      window.activateWindow();
      return;
    default:
      return;
  }
}

}  // namespace

int runWindowProcess(const FormDesc& desc) {
  // Only the program starts this process, with its socket as the process's input.
  int type = 0;
  socklen_t length = sizeof type;
  if (getsockopt(STDIN_FILENO, SOL_SOCKET, SO_TYPE, &type, &length) != 0 ||
      type != SOCK_SEQPACKET) {
    std::fprintf(stderr, "vorlin: this argument is for vorlin's own use: start vorlin with none\n");
    return 2;
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || screen->logicalDotsPerInchX() <= 0) return 1;
  const auto twipsPerPixel = static_cast<Twips>(kTwipsPerInch / screen->logicalDotsPerInchX());
  FormWindow window(
      desc, twipsPerPixel,
      [](const Event& click) {
        tell({WindowMessageKind::Click, click.control, click.index});
      },
      [] { tell({WindowMessageKind::Close}); });

  // Laid out and drawn once before it is shown: the fonts and glyphs it draws are loaded, and the
  // window, once mapped, is drawn at once.
  (void)window.grab();

  QSocketNotifier told(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&told, &QSocketNotifier::activated, [&window, &told] {
    std::array<char, 64> record{};
    for (;;) {
      const ssize_t size = recv(STDIN_FILENO, record.data(), record.size(), MSG_DONTWAIT);
      if (size < 0 && errno == EINTR) continue;
      if (size < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
      if (size <= 0) {
        // The program let the window go, or ended. (Not quit(): it asks the window to close,
        // which a form's window leaves to the program.)
        told.setEnabled(false);
        QApplication::exit(0);
        return;
      }
      if (const std::optional<WindowMessage> message =
              decode({record.data(), static_cast<std::size_t>(size)})) {
        take(window, *message);
      }
    }
  });
  return QApplication::exec();
}

}  // namespace vorlin::qt
