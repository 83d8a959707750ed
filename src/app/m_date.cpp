#include "app/m_date.h"

#include "app/frm_date.h"

namespace vorlin {

// The one tray icon is made the first time the program asks for it (the host window's Load
// hands it the pictures), as an object made on first use, not with mDate: a program that is
// built and never started, or whose host window never loads, makes none.
TrayIcon& MDate::trayIcon() {
  if (!trayIcon_) trayIcon_.emplace(services_, frmDate_);
  return *trayIcon_;
}

bool MDate::hostLoaded() const {
  return services_.forms.isLoaded(frmDate_);
}

Status MDate::refreshTrayIcon() {
  lastRefresh_ = services_.clock.tickCount();
  const Status composed = compose();
  refreshFailing_ = composed.failed();
  return composed;
}

Status MDate::retryRefresh() {
  TrayIcon& icon = trayIcon();
  // The icon is shown and only a release failed: the release is tried again, nothing is made
  // anew, so that objects a failing release strands never pile up.
  if (!icon.onlyReleasesLeft()) return refreshTrayIcon();
  lastRefresh_ = services_.clock.tickCount();
  const Status released = icon.releaseLeftovers();
  refreshFailing_ = released.failed();
  return released;
}

bool MDate::refreshDue() {
  return refreshFailing_ && services_.clock.tickCount() - lastRefresh_ >= kRetryInterval;
}

Status MDate::retryTrayEntry() {
  const Status retried = trayIcon().retryAddWhenDue();
  if (retried.failed()) {
    refreshFailing_ = true;
    lastRefresh_ = services_.clock.tickCount();
  }
  return retried;
}

Status MDate::compose() {
  Forms& forms = services_.forms;
  TrayIcon& icon = trayIcon();
  const Result<Handle> background = forms.pictureDC(frmDate_, FrmDate::kSource, colourIndex);
  VORLIN_TRY(background.status);
  VORLIN_TRY(icon.sourceHDC(background.value));
  const Result<Handle> digits = forms.pictureDC(frmDate_, FrmDate::kSourceNumber, kNone);
  VORLIN_TRY(digits.status);
  VORLIN_TRY(icon.sourceNumberHDC(digits.value));
  const Result<Handle> letters = forms.pictureDC(frmDate_, FrmDate::kSourceText, kNone);
  VORLIN_TRY(letters.status);
  VORLIN_TRY(icon.sourceTextHDC(letters.value));
  return icon.IconFromBitmap();
}

}  // namespace vorlin
