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
  const Result<bool> composed = compose();
  refreshFailing_ = !composed.value;
  return composed.status;
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

Result<bool> MDate::compose() {
  Forms& forms = services_.forms;
  TrayIcon& icon = trayIcon();
  const Result<Handle> background = forms.pictureDC(frmDate_, FrmDate::kSource, colourIndex);
  VORLIN_TRY(background.status);
  icon.sourceHDC(background.value);
  const Result<Handle> digits = forms.pictureDC(frmDate_, FrmDate::kSourceNumber, kNone);
  VORLIN_TRY(digits.status);
  icon.sourceNumberHDC(digits.value);
  const Result<Handle> letters = forms.pictureDC(frmDate_, FrmDate::kSourceText, kNone);
  VORLIN_TRY(letters.status);
  icon.sourceTextHDC(letters.value);
  // Braced: the refresh is made before it is asked whether it showed its icon.
  return {icon.IconFromBitmap(), icon.shownLast()};
}

}  // namespace vorlin
