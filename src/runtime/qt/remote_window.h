// The window of a loaded form drawn by a process of its own (own_process.h): the program keeps
// the form's state and runs its events, and the process shows the window and tells the program
// of its clicks and of a close through its frame (window_messages.h). Its size and place are the
// program's own record of what it asked for; nothing waits for the process. The process's end
// while the window is loaded is a close from outside.
#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>
#include <memory>

#include "runtime/qt/form_window.h"
#include "runtime/qt/own_process.h"
#include "runtime/qt/owners.h"
#include "runtime/qt/window_messages.h"

class QSocketNotifier;

namespace vorlin::qt {

class RemoteWindow final : public QObject {
 public:
  // Starts the process with `argument`; null when it could not start. `size`: the client area in
  // pixels, as the process draws it.
  static std::unique_ptr<RemoteWindow, LaterDeleter> start(const char* argument,
                                                           const FormDesc& desc, QSize size,
                                                           FormWindow::ClickHandler onClick,
                                                           FormWindow::CloseHandler onClose);

  QSize size() const { return size_; }
  QPoint position() const { return position_; }  // the frame's top left
  void move(QPoint position);
  void select(int control, std::int16_t index);
  void show();
  // The window goes at once, and nothing more is heard of it.
  void end();

 private:
  RemoteWindow(std::unique_ptr<OwnProcess> process, const FormDesc& desc, QSize size,
               FormWindow::ClickHandler onClick, FormWindow::CloseHandler onClose);
  void tell(const WindowMessage& message);
  void read();
  void take(const WindowMessage& message);

  std::unique_ptr<OwnProcess> process_;
  QSocketNotifier* told_;
  const FormDesc& desc_;
  QSize size_;
  QPoint position_;
  FormWindow::ClickHandler onClick_;
  FormWindow::CloseHandler onClose_;
};

}  // namespace vorlin::qt
