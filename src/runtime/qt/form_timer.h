// A form's timer: every interval, Qt's timer event goes straight to the handler. (A QTimer passes
// each one through its timeout signal, machinery that ran a hundred times a second for the date
// watch.)
#pragma once

#include <QObject>
#include <QTimerEvent>
#include <functional>
#include <utility>

namespace vorlin::qt {

class FormTimer final : public QObject {
 public:
  // Started at once; `fired` runs at every interval of `milliseconds` until stop().
  FormTimer(int milliseconds, std::function<void()> fired)
      : fired_(std::move(fired)), id_(startTimer(milliseconds)) {}

  void stop() {
    if (id_ != 0) killTimer(id_);
    id_ = 0;
  }

 protected:
  void timerEvent(QTimerEvent* event) override {
    if (id_ != 0 && event->timerId() == id_) fired_();
  }

 private:
  std::function<void()> fired_;
  int id_;
};

}  // namespace vorlin::qt
