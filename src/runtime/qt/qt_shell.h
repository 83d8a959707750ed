// The notification-area call on Qt: each entry a QSystemTrayIcon showing the icon the graphics
// layer composed, pixel for pixel. The entry's mouse reports go to the window that added it, as
// mouse-move events carrying the mouse message, the way the shell reports them.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <array>
#include <memory>

#include "runtime/graphics.h"
#include "runtime/qt/qt_forms.h"
#include "runtime/shell.h"

namespace vorlin::qt {

// Mouse messages of the reports.
inline constexpr std::uint32_t kMouseMove = 0x200;
inline constexpr std::uint32_t kLeftButtonDown = 0x201;
inline constexpr std::uint32_t kLeftButtonDoubleClick = 0x203;
inline constexpr std::uint32_t kRightButtonUp = 0x205;
inline constexpr std::uint32_t kMiddleButtonUp = 0x208;

class QtShell final : public QObject, public Shell {
 public:
  QtShell(QtForms& forms, Graphics& graphics);
  ~QtShell() override;

  Result<bool> Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct LaterDeleter {
    void operator()(QObject* object) const { object->deleteLater(); }
  };
  struct Entry {
    Handle window = 0;
    std::uint32_t id = 0;
    std::uint32_t callbackMessage = 0;
    std::unique_ptr<QSystemTrayIcon, LaterDeleter> icon;
  };
  static constexpr std::size_t kMaxEntries = 4;

  Entry* find(Handle window, std::uint32_t id);
  void apply(Entry& entry, const NotifyIconFields& fields);
  void report(QSystemTrayIcon* icon, std::uint32_t mouseMessage);
  QSystemTrayIcon* entryAt(const QPoint& global) const;

  QtForms& forms_;
  Graphics& graphics_;
  std::array<Entry, kMaxEntries> entries_;
};

}  // namespace vorlin::qt
