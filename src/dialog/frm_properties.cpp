#include "dialog/frm_properties.h"

#include <array>
#include <cmath>

#include "app/m_date.h"
#include "art/artwork.h"
#include "base/failures.h"

namespace vorlin {
namespace {

using P = FrmProperties;

constexpr std::array<ControlDesc, 8> kControls{{
    {.id = P::kOptColour,

     .kind = ControlKind::OptionButton,
     .index = 0,
     .caption = art::kBackgrounds[0].caption,
     .left = 360,
     .top = 240,
     .width = 1455,
     .height = 255,
     .tabIndex = 0},
    {.id = P::kOptColour,

     .kind = ControlKind::OptionButton,
     .index = 1,
     .caption = art::kBackgrounds[1].caption,
     .left = 360,
     .top = 600,
     .width = 1455,
     .height = 255,
     .tabIndex = 1},
    {.id = P::kOptColour,

     .kind = ControlKind::OptionButton,
     .index = 2,
     .caption = art::kBackgrounds[2].caption,
     .left = 360,
     .top = 960,
     .width = 1455,
     .height = 255,
     .tabIndex = 2},
    {.id = P::kOptColour,

     .kind = ControlKind::OptionButton,
     .index = 3,
     .caption = art::kBackgrounds[3].caption,
     .left = 1440,
     .top = 240,
     .width = 1455,
     .height = 255,
     .tabIndex = 3},
    {.id = P::kCmdCancel,

     .kind = ControlKind::CommandButton,
     .caption = "&Cancel",
     .left = 1440,
     .top = 1440,
     .width = 855,
     .height = 375,
     .tabIndex = 4},
    {.id = P::kCmdOK,

     .kind = ControlKind::CommandButton,
     .caption = "&OK",
     .left = 360,
     .top = 1440,
     .width = 855,
     .height = 375,
     .tabIndex = 5},
    {.id = P::kOptColour,

     .kind = ControlKind::OptionButton,
     .index = 4,
     .caption = art::kBackgrounds[4].caption,
     .left = 1440,
     .top = 600,
     .width = 1455,
     .height = 255,
     .tabIndex = 6},
    {.id = P::kOptColour,

     .kind = ControlKind::OptionButton,
     .index = 5,
     .caption = art::kBackgrounds[5].caption,
     .left = 1440,
     .top = 960,
     .width = 1455,
     .height = 255,
     .tabIndex = 7},
}};

// (screen − window) / 2 in single precision, unrounded.
Result<Twips> centred(Result<Twips> screen, Result<Twips> window) {
  VORLIN_TRY(screen.status);
  VORLIN_TRY(window.status);
  const float edge = (screen.value - window.value) / 2.0f;
  if (!std::isfinite(edge)) return kFloatingPointFailure;
  return {kOk, edge};
}

}  // namespace

const FormDesc& FrmProperties::formDescription() {
  static const FormDesc desc{"frmProperties", "Vorlin Properties", 2955, 2070, &art::programIcon(),
                             kControls};
  return desc;
}

Status FrmProperties::handle(const Event& event) {
  switch (event.kind) {
    case EventKind::Load:
      return load();
    case EventKind::Click:
      if (event.control == kOptColour) {
        mDate_.colourIndex = event.index;
        return kOk;
      }
      if (event.control == kCmdOK) return ok();
      if (event.control == kCmdCancel) return cancel();
      return kOk;
    case EventKind::CloseRequest:
      // A colour clicked but never confirmed is not kept for later.
      return cancel();
    default:
      return kOk;
  }
}

Status FrmProperties::load() {
  Forms& forms = services_.forms;
  const Result<Twips> left = centred(forms.screenWidth(), forms.outerWidth(*this));
  VORLIN_TRY(left.status);
  VORLIN_TRY(forms.setLeft(*this, left.value));
  const Result<Twips> top = centred(forms.screenHeight(), forms.outerHeight(*this));
  VORLIN_TRY(top.status);
  VORLIN_TRY(forms.setTop(*this, top.value));
  savedColour_ = mDate_.colourIndex;
  return forms.setOptionValue(*this, kOptColour, mDate_.colourIndex);
}

Status FrmProperties::ok() {
  Forms& forms = services_.forms;
  // After Close the host window and its tray entry are gone: there is nothing to recompose,
  // and reloading the host would leave a hidden program with no entry to end it from.
  if (!mDate_.hostLoaded()) return forms.unload(*this);
  // A refresh that showed its icon is done, even when a release after it failed.
  const Status refreshed = mDate_.refreshTrayIcon();
  if (mDate_.refreshFailing()) return refreshed;
  return firstFailure({refreshed, forms.unload(*this)});
}

Status FrmProperties::cancel() {
  mDate_.colourIndex = savedColour_;
  return services_.forms.unload(*this);
}

}  // namespace vorlin
