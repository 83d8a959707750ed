#include "runtime/qt/tray/embedding/embedding_entry.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

#include "base/tray_messages.h"
#include "runtime/qt/pictures/whole_pixel_icon.h"
#include "runtime/qt/platform/x11.h"

#include <xcb/shape.h>

namespace vorlin::qt {
namespace {

// The system tray protocol's request, and the embedding protocol's notice that answers it.
constexpr std::uint32_t kRequestDock = 0;
constexpr std::uint32_t kEmbeddedNotify = 0;

// The mouse message of a mouse event of the window: each button's follow one another (down, up,
// double click).
std::uint32_t mouseMessageOf(const QMouseEvent& event) {
  if (event.type() == QEvent::MouseMove) return kMouseMove;
  const Qt::MouseButton button = event.button();
  const std::uint32_t down = button == Qt::LeftButton    ? kLeftButtonDown
                             : button == Qt::RightButton ? kRightButtonDown
                                                         : kMiddleButtonDown;
  const QEvent::Type type = event.type();
  return down + (type == QEvent::MouseButtonPress ? 0 : type == QEvent::MouseButtonRelease ? 1 : 2);
}

}  // namespace

EmbeddingEntry::EmbeddingEntry(std::uint32_t tray, MouseReport reported)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint),
      tray_(tray),
      reported_(std::move(reported)) {
  if (xcb_connection_t* c = x11Connection()) xembed_ = internedAtom(c, "_XEMBED");
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setAttribute(Qt::WA_QuitOnClose, false);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  // The usual slot; the tray gives the window its own size.
  setGeometry(0, 0, 22, 22);
  setMinimumSize(size());
  winId();  // the window, for the tray to dock
}

void EmbeddingEntry::showPicture(const QImage& picture) {
  picture_ = picture;
  place();
}

void EmbeddingEntry::place() {
  // In the device's own pixels, so that no block is split between two of them. The window is the
  // picture's opaque pixels: around them, and through them where it is transparent, the tray
  // itself shows.
  const qreal ratio = devicePixelRatioF();
  placed_ = picture_.isNull() ? QImage() : placed(picture_, (QSizeF(size()) * ratio).toSize());
  placed_.setDevicePixelRatio(ratio);
  update();
  xcb_connection_t* c = x11Connection();
  if (c == nullptr) return;
  std::vector<xcb_rectangle_t> shape;
  for (const QRect& r : QRegion(QBitmap::fromImage(placed_.createAlphaMask()))) {
    shape.push_back({static_cast<std::int16_t>(r.x()), static_cast<std::int16_t>(r.y()),
                     static_cast<std::uint16_t>(r.width()),
                     static_cast<std::uint16_t>(r.height())});
  }
  xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED,
                       static_cast<xcb_window_t>(winId()), 0, 0,
                       static_cast<std::uint32_t>(shape.size()), shape.data());
}

void EmbeddingEntry::showTo(const TrayHost&) {
  xcb_connection_t* c = x11Connection();
  if (docked_ || c == nullptr) return;
  docked_ = true;
  const xcb_client_message_event_t request{
      .response_type = XCB_CLIENT_MESSAGE,
      .format = 32,
      .sequence = 0,
      .window = tray_,
      .type = internedAtom(c, "_NET_SYSTEM_TRAY_OPCODE"),
      .data = {.data32 = {XCB_CURRENT_TIME, kRequestDock, static_cast<std::uint32_t>(winId())}}};
  // A tray gone before the request came is no error: its successor gets an entry of its own.
  xcb_discard_reply(c, xcb_send_event_checked(c, 0, tray_, XCB_EVENT_MASK_NO_EVENT,
                                              reinterpret_cast<const char*>(&request))
                           .sequence);
  xcb_flush(c);
}

bool EmbeddingEntry::nativeEvent(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
  const auto* notice = reinterpret_cast<const xcb_client_message_event_t*>(event);
  // Shown once the tray holds the window: shown before, it would be a window of its own.
  if (notice->format == 32 && notice->type == xembed_ &&
      notice->data.data32[1] == kEmbeddedNotify) {
    show();
  }
  return false;  // Qt's own handling goes on
}

bool EmbeddingEntry::event(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Resize) place();
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
      type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick) {
    return QWidget::event(event);
  }
  reported_(mouseMessageOf(*static_cast<QMouseEvent*>(event)));
  return true;
}

void EmbeddingEntry::paintEvent(QPaintEvent*) {
  QPainter(this).drawImage(QPointF(0, 0), placed_);
}

}  // namespace vorlin::qt
