// A form's timer: every interval, Qt's timer event goes straight to the form's timer event, while
// the form is loaded, with no signal and slot between them (a QTimer passes each one through
// its timeout signal).
#pragma once

#include <QObject>
#include <QTimerEvent>

#include "base/tick_path.h"
#include "runtime/error_report.h"
#include "runtime/forms.h"

namespace vorlin::qt {

class FormTimer final : public QObject {
 public:
  // Started at once; raises `tick` on `form` at every interval of `milliseconds` until stop().
  FormTimer(int milliseconds, Forms& forms, ErrorReport& report, Form& form, const Event& tick)
      : forms_(forms), report_(report), form_(form), tick_(tick), id_(startTimer(milliseconds)) {}

  void stop() {
    if (id_ != 0) killTimer(id_);
    id_ = 0;
  }

 protected:
  VORLIN_TICK_PATH void timerEvent(QTimerEvent* event) override {
    if (id_ != 0 && event->timerId() == id_ && forms_.isLoaded(form_)) raise(report_, form_, tick_);
  }

 private:
  Forms& forms_;
  ErrorReport& report_;
  Form& form_;
  const Event tick_;
  int id_;
};

}  // namespace vorlin::qt
