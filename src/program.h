// The program: its shared state and its two windows, run on the services of one runtime.
//
// A runtime starts it with launch(), which loads the hidden host window, then runs its message
// loop until no window is loaded. Events reach the windows through raise() (runtime/forms.h).
#pragma once

#include <optional>

#include "app/frm_date.h"
#include "app/m_date.h"
#include "dialog/frm_properties.h"

namespace vorlin {

class Program {
 public:
  // The three parts know each other by reference, and each is handed the others before they are
  // built (members are built in the order they are declared): no constructor uses what it is
  // handed, it only keeps the reference; the parts call each other once the program runs.
  explicit Program(Services& services)
      : services(services),
        frmDate(services, mDate, frmProperties),
        mDate(services, frmDate),
        frmProperties(services, mDate) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Loads the start-up window without showing it; its timer runs from then on.
  Status start() { return services.forms.load(frmDate); }

  // Starts the program as a runtime's entry does, reporting a start that failed. Answers the
  // status to end with at once when no window stayed loaded (kFailedStart after a failure, so
  // that a script or a session manager sees it); nothing while the message loop is to run.
  std::optional<int> launch() {
    const Status started = start();
    reportIfFailed(services.errorReport, started);
    if (services.forms.isLoaded(frmDate) || services.forms.isLoaded(frmProperties))
      return std::nullopt;
    return started.failed() ? kFailedStart : 0;
  }
  static constexpr int kFailedStart = 1;

  // Ended from outside (a signal): every window closes as if closed from outside, the host
  // window first, which does what Close does.
  void endFromOutside() {
    closeFromOutside(services.forms, services.errorReport, frmDate);
    closeFromOutside(services.forms, services.errorReport, frmProperties);
  }

  Services& services;
  FrmDate frmDate;
  MDate mDate;
  FrmProperties frmProperties;
};

}  // namespace vorlin
