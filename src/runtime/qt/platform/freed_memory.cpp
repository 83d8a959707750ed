#include "runtime/qt/platform/freed_memory.h"

#include <malloc.h>

#include <QEvent>
#include <QObject>
#include <QTimer>

namespace vorlin::qt {
namespace {

// Watches the window's first paint event; gives back once the whole drawing, of which that event
// is the start, is done.
class FirstPaintWatch final : public QObject {
 public:
  explicit FirstPaintWatch(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, [] { malloc_trim(0); });
      deleteLater();
    }
    return false;
  }
};

}  // namespace

void giveBackFreedMemoryOnceDrawn(QWidget& window) {
  new FirstPaintWatch(window);  // owned by the window
}

}  // namespace vorlin::qt
