#include "app/frm_date.h"

#include <array>
#include <cmath>
#include <limits>

#include "app/m_date.h"
#include "art/artwork.h"
#include "base/date.h"
#include "base/failures.h"

namespace vorlin {
namespace {

using art::background;

constexpr std::array<ControlDesc, 13> kControls{{
    {.id = FrmDate::kSource,

     .kind = ControlKind::PictureBox,
     .index = 0,
     .left = 120,
     .top = 240,
     .width = 615,
     .height = 495},
    {.id = FrmDate::kSource,

     .kind = ControlKind::PictureBox,
     .index = 1,
     .left = 720,
     .top = 240,
     .width = 615,
     .height = 495},
    {.id = FrmDate::kSource,

     .kind = ControlKind::PictureBox,
     .index = 2,
     .left = 1320,
     .top = 240,
     .width = 615,
     .height = 495},
    {.id = FrmDate::kSource,

     .kind = ControlKind::PictureBox,
     .index = 3,
     .left = 1920,
     .top = 240,
     .width = 615,
     .height = 495},
    {.id = FrmDate::kSource,

     .kind = ControlKind::PictureBox,
     .index = 4,
     .left = 2520,
     .top = 240,
     .width = 615,
     .height = 495},
    {.id = FrmDate::kSource,

     .kind = ControlKind::PictureBox,
     .index = 5,
     .left = 3120,
     .top = 240,
     .width = 615,
     .height = 495},
    {.id = FrmDate::kSourceNumber,

     .kind = ControlKind::PictureBox,
     .left = 1080,
     .top = 1200,
     .width = 1815,
     .height = 495},
    {.id = FrmDate::kSourceText,

     .kind = ControlKind::PictureBox,
     .left = 1080,
     .top = 1920,
     .width = 2655,
     .height = 495},
    {.id = FrmDate::kTmDate, .kind = ControlKind::Timer, .interval = 10},
    {.id = FrmDate::kMnuVorlin,

     .kind = ControlKind::Menu,
     .caption = "Vorlin"},
    {.id = FrmDate::kMnuProperties,

     .kind = ControlKind::Menu,
     .caption = "Properties",
     .parent = FrmDate::kMnuVorlin},
    {.id = FrmDate::kMnuSep,

     .kind = ControlKind::Separator,
     .caption = "-",
     .parent = FrmDate::kMnuVorlin},
    {.id = FrmDate::kMnuClose,

     .kind = ControlKind::Menu,
     .caption = "Close",
     .parent = FrmDate::kMnuVorlin},
}};

// The picture boxes' pictures are attached here: the artwork lives in another translation unit.
std::array<ControlDesc, kControls.size()> withPictures() {
  std::array<ControlDesc, kControls.size()> controls{};
  for (std::size_t i = 0; i < controls.size(); ++i) {
    controls[i] = kControls[i];
    if (controls[i].id == FrmDate::kSource) controls[i].picture = &background(controls[i].index);
    if (controls[i].id == FrmDate::kSourceNumber) controls[i].picture = &art::digitStrip();
    if (controls[i].id == FrmDate::kSourceText) controls[i].picture = &art::letterStrip();
  }
  return controls;
}

}  // namespace

const FormDesc& FrmDate::description() const {
  static const std::array<ControlDesc, kControls.size()> controls = withPictures();
  static const FormDesc desc{"frmDate", "Form1", 4200, 2790, &art::programIcon(), controls};
  return desc;
}

Status FrmDate::handle(const Event& event) {
  switch (event.kind) {
    case EventKind::Load:
      return kOk;
    case EventKind::Timer:
      return event.control == kTmDate ? tick() : kOk;
    case EventKind::MouseMove:
      return trayReport(event.x);
    case EventKind::Click:
      if (event.control == kMnuProperties) return services_.forms.show(properties_);
      if (event.control == kMnuClose) return close();
      return kOk;
    case EventKind::TaskbarCreated:
      return mDate_.trayIcon().entryLost();
    case EventKind::CloseRequest:
      // Ended from outside (another program, the end of the session): as Close does.
      return close();
  }
  return kOk;
}

bool FrmDate::dateChanged() {
  Clock& clock = services_.clock;
  if (dateOnly(clock.now()) == lastDate_) return false;
  lastDate_ = dateOnly(clock.now());
  return true;
}

Status FrmDate::tick() {
  MDate& m = mDate_;
  // One report for a run of failed refreshes (a failed retry of the entry among them); the
  // refresh that shows its icon ends the run, and a release after it that failed is reported.
  const bool failing = m.refreshFailing();
  const Status done = dateChanged() || m.refreshDue() ? m.refreshTrayIcon() : m.retryTrayEntry();
  return failing && m.refreshFailing() ? kOk : done;
}

Status FrmDate::trayReport(Twips x) {
  const Result<Twips> perPixel = services_.forms.twipsPerPixelX();
  VORLIN_TRY(perPixel.status);
  // 2^31, the first magnitude beyond a 32-bit mouse message: a quotient there does not convert.
  constexpr float kBeyondInt32 = 2147483648.0f;
  const float quotient = x / perPixel.value;
  if (!std::isfinite(quotient) || std::fabs(quotient) >= kBeyondInt32) return kFloatingPointFailure;
  // Rounded to nearest, halves to even.
  const auto message = static_cast<std::int32_t>(std::nearbyint(quotient));
  // The mouse message of a right-button release over the tray entry opens the menu.
  if (message != static_cast<std::int32_t>(kRightButtonUp)) return kOk;
  return services_.forms.popupMenu(*this, kMnuVorlin, kPopupRightAlign);
}

Status FrmDate::close() {
  // The entry goes before the window it reports to.
  const Status removed = mDate_.trayIcon().removeFromSystemTray();
  const Status unloaded = services_.forms.unload(*this);
  return firstFailure({removed, unloaded});
}

}  // namespace vorlin
