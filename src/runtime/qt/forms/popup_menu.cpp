#include "runtime/qt/forms/popup_menu.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>

#include "runtime/forms.h"
#include "runtime/qt/forms/menu_items.h"

namespace vorlin::qt {
namespace {

// Items are chosen with the left button only: the other buttons do nothing over the menu, and
// like the left one close it when they are pressed outside.
class LeftButtonOnly final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
        type == QEvent::MouseButtonDblClick) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const auto* menu = qobject_cast<QWidget*>(watched);
      const bool over = menu != nullptr && menu->rect().contains(mouse->position().toPoint());
      if (mouse->button() != Qt::LeftButton && over) return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int runPopupMenu(const FormDesc& desc, int menu, int flags) {
  QMenu popup;
  addMenuItems(popup, desc, menu);
  LeftButtonOnly filter;
  popup.installEventFilter(&filter);

  QPoint at = QCursor::pos();
  if ((flags & kPopupRightAlign) != 0) at.rx() -= popup.sizeHint().width();
  const QAction* chosen = popup.exec(at);
  return itemOf(chosen);
}

}  // namespace vorlin::qt
