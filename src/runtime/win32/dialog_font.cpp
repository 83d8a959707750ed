#include "runtime/win32/dialog_font.h"

#include "runtime/win32/binding.h"

namespace vorlin::win32 {
namespace {

constexpr int kUsualDpi = 96;  // when the screen cannot tell its own

}  // namespace

UINT systemDpi() {
  HDC screen = GetDC(nullptr);
  const int value = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : kUsualDpi;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return static_cast<UINT>(value > 0 ? value : kUsualDpi);
}

DialogFont::DialogFont(UINT dpi) : dpi_(dpi) {
  // The system's metrics at any DPI where it has them; else those of its own DPI, scaled.
  static Bound<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)> forDpi(kUser32,
                                                                    "SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  const auto bound = forDpi.get();
  if (bound.status.ok()) {
    if (!bound.value(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) return;
  } else {
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                            static_cast<int>(systemDpi()));
  }
  font_ = CreateFontIndirectW(&metrics.lfMessageFont);
}

DialogFont& DialogFont::operator=(DialogFont&& other) noexcept {
  if (this != &other) {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = other.font_;
    dpi_ = other.dpi_;
    other.font_ = nullptr;
  }
  return *this;
}

DialogFont::~DialogFont() {
  if (font_ != nullptr) DeleteObject(font_);
}

HFONT DialogFont::get() const {
  return font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace vorlin::win32
