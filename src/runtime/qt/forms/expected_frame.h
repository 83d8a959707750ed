// The frame a window manager puts round a window, known before any window is shown, so that a
// window can be placed by its frame from the start.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace vorlin::qt {

// The frame of an ordinary top-level window, as the X11 window manager estimates it when asked
// (_NET_REQUEST_FRAME_EXTENTS). Asked when the program starts and again as a window manager
// starts; the answer is taken when it comes, never waited for.
class ExpectedFrame final : public QAbstractNativeEventFilter {
 public:
  ExpectedFrame();
  ~ExpectedFrame() override;
  ExpectedFrame(const ExpectedFrame&) = delete;
  ExpectedFrame& operator=(const ExpectedFrame&) = delete;

  // The last answer; no margins where no window manager has answered (it is asked again).
  QMargins margins();

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  // Asks the window manager, if one says it answers.
  void ask();
  void readAnswer();

  xcb_connection_t* c_ = nullptr;
  std::uint32_t root_ = 0;
  std::uint32_t window_ = 0;  // never shown: the window the estimate is asked for
  std::uint32_t request_ = 0;
  std::uint32_t extents_ = 0;
  std::uint32_t supported_ = 0;
  std::optional<QMargins> answer_;
};

}  // namespace vorlin::qt
