#include "runtime/win32/dialog_font.h"

#include "runtime/win32/bound_calls.h"
#include "runtime/win32/owners.h"

namespace vorlin::win32 {
namespace {

constexpr int kUsualDpi = 96;  // when the screen cannot tell its own
constexpr Status kNoFont{kWindowFailure, "The font could not be created"};

}  // namespace

UINT systemDpi() {
  const OwnedScreenDC screen(GetDC(nullptr));
  const int value = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : kUsualDpi;
  return static_cast<UINT>(value > 0 ? value : kUsualDpi);
}

Result<HFONT> createDialogFont(UINT dpi) {
  // The system's metrics at any DPI where it has them; else those of its own DPI, scaled.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (const auto forDpi = bound<User32Calls>().SystemParametersInfoForDpi.orNull()) {
    if (!forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) return kNoFont;
  } else {
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      return kNoFont;
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                            static_cast<int>(systemDpi()));
  }
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  if (font == nullptr) return kNoFont;
  return {kOk, font};
}

}  // namespace vorlin::win32
