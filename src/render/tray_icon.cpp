#include "render/tray_icon.h"

#include <array>
#include <limits>

#include "render/month_letters.h"
#include "runtime/date.h"

namespace vorlin {
namespace {

constexpr std::int16_t kIconSize = 16;
constexpr std::int16_t kGlyphWidth = 4;
constexpr std::int16_t kGlyphHeight = 6;
constexpr std::int16_t kDayRow = 2;
constexpr std::int16_t kMonthRow = 9;
constexpr std::array<std::int16_t, 2> kDayColumns{3, 8};
constexpr std::array<std::int16_t, 3> kMonthColumns{1, 6, 11};
constexpr std::uint32_t kRetryInterval = 1000;  // milliseconds between add requests

constexpr Status kOverflowFailure{kOverflow, "Overflow"};
constexpr Status kTypeMismatchFailure{kTypeMismatch, "Type mismatch: the day is not a number"};

// The tip field: the text, one zero byte, then spaces to the end of its 64 bytes.
constexpr std::array<char, kTipSize> tipField() {
  std::array<char, kTipSize> field{};
  std::size_t i = 0;
  for (; i < kTip.size() && i < kTipSize; ++i) field[i] = kTip[i];
  if (i < kTipSize) field[i++] = '\0';
  for (; i < kTipSize; ++i) field[i] = ' ';
  return field;
}

}  // namespace

NotifyIconRecord trayRecord(Handle hWnd, Handle hIcon) {
  NotifyIconRecord r{};
  writeU32(r, record_offset::cbSize, kNotifyIconRecordSize);
  writeU32(r, record_offset::hWnd, static_cast<std::uint32_t>(hWnd));
  writeU32(r, record_offset::uID, kTrayId);
  writeU32(r, record_offset::uFlags, kNifMessage | kNifIcon | kNifTip);
  writeU32(r, record_offset::uCallbackMessage, kTrayCallbackMessage);
  writeU32(r, record_offset::hIcon, static_cast<std::uint32_t>(hIcon));
  constexpr std::array<char, kTipSize> kTipField = tipField();
  for (std::size_t i = 0; i < kTipSize; ++i)
    r[record_offset::szTip + i] = static_cast<std::uint8_t>(kTipField[i]);
  return r;
}

Status TrayIcon::sourceHDC(std::int32_t shdc) {
  sourceHDC_ = shdc;
  return kOk;
}

Status TrayIcon::sourceNumberHDC(std::int32_t snhdc) {
  sourceNumberHDC_ = snhdc;
  return kOk;
}

Status TrayIcon::sourceTextHDC(std::int32_t sthdc) {
  sourceTextHDC_ = sthdc;
  return kOk;
}

Status TrayIcon::IconFromBitmap() {
  Graphics& g = services_.graphics;
  const Result<Handle> dc = g.CreateCompatibleDC(sourceHDC_);
  VORLIN_TRY(dc.status);
  memoryHDC_ = dc.value;
  // Compatible with the background's device context: a new memory context holds a monochrome
  // bitmap, and a bitmap compatible with it would be monochrome too.
  const Result<Handle> bitmap = g.CreateCompatibleBitmap(sourceHDC_, kIconSize, kIconSize);
  if (bitmap.status.failed()) {
    (void)g.DeleteDC(memoryHDC_);
    return bitmap.status;
  }
  memoryBitmap_ = bitmap.value;
  const Result<Handle> old = g.SelectObject(memoryHDC_, memoryBitmap_);
  oldBitmap_ = old.value;

  // The memory context and its bitmap are released whatever happens from here on.
  Status composed = old.status;
  if (composed.ok())
    composed = g.BitBlt(memoryHDC_, 0, 0, kIconSize, kIconSize, sourceHDC_, 0, 0, kSrcCopy);
  if (composed.ok()) composed = BlitDateIntoMemoryDC(services_.forms.now());
  if (composed.ok()) composed = makeIcon();
  if (composed.ok()) composed = ShowIconInSystemTray();
  if (previousIcon_ != 0) {
    // The shell keeps its own copy of the icon it was handed.
    (void)g.DestroyIcon(previousIcon_);
    previousIcon_ = 0;
  }
  const Status released = releaseMemory();
  return composed.failed() ? composed : released;
}

Status TrayIcon::BlitDateIntoMemoryDC(double aDate) {
  const CivilDate date = civilFromSerial(aDate);
  const std::array<char, 2> day{static_cast<char>('0' + date.day / 10),
                                static_cast<char>('0' + date.day % 10)};
  VORLIN_TRY(processDay({day.data(), day.size()}));
  const ShortText month = services_.forms.formatMonth(aDate);
  return processMonth(month.view(), englishMonth(date.month));
}

Status TrayIcon::makeIcon() {
  Graphics& g = services_.graphics;
  // All-zero mask: every pixel of the colour bitmap shows, the icon is an opaque square.
  constexpr std::array<std::uint8_t, 2 * kIconSize> kOpaqueMask{};
  const Result<Handle> mask = g.CreateBitmap(kIconSize, kIconSize, 1, 1, kOpaqueMask.data());
  VORLIN_TRY(mask.status);
  const IconInfo info{-1, 0, 0, mask.value, memoryBitmap_};
  const Result<Handle> icon = g.CreateIconIndirect(info);
  // The icon holds its own copy of the mask.
  const Status maskDeleted = g.DeleteObject(mask.value);
  VORLIN_TRY(icon.status);
  previousIcon_ = dateIcon_;
  dateIcon_ = icon.value;
  return maskDeleted;
}

Result<bool> TrayIcon::request(std::uint32_t message, Handle hWnd) {
  return services_.shell.Shell_NotifyIconA(message, trayRecord(hWnd, dateIcon_));
}

Status TrayIcon::ShowIconInSystemTray() {
  const Result<Handle> hWnd = services_.forms.windowHandle(host_);
  VORLIN_TRY(hWnd.status);
  if (iconShown_) {
    const Result<bool> modified = request(kNimModify, hWnd.value);
    VORLIN_TRY(modified.status);
    if (modified.value) return kOk;
    // The shell no longer knows the entry: add it again.
  }
  const Result<bool> added = request(kNimAdd, hWnd.value);
  VORLIN_TRY(added.status);
  iconShown_ = added.value;
  addPending_ = !added.value;
  lastAddAttempt_ = services_.forms.tickCount();
  return kOk;
}

Status TrayIcon::retryAddWhenDue() {
  if (!addPending_ || services_.forms.tickCount() - lastAddAttempt_ < kRetryInterval) return kOk;
  return ShowIconInSystemTray();
}

Status TrayIcon::entryLost() {
  if (!iconShown_ && !addPending_) return kOk;  // nothing was ever shown
  iconShown_ = false;
  return ShowIconInSystemTray();
}

Status TrayIcon::removeFromSystemTray() {
  Status status = kOk;
  if (iconShown_) {
    const Result<Handle> hWnd = services_.forms.windowHandle(host_);
    status = hWnd.status.failed() ? hWnd.status : request(kNimDelete, hWnd.value).status;
  }
  iconShown_ = false;
  addPending_ = false;
  if (dateIcon_ != 0) {
    const Status destroyed = services_.graphics.DestroyIcon(dateIcon_);
    dateIcon_ = 0;
    if (status.ok()) status = destroyed;
  }
  return status;
}

Status TrayIcon::processDay(std::string_view aDay) {
  std::array<std::int16_t, 2> digits{};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i >= aDay.size() || aDay[i] < '0' || aDay[i] > '9') return kTypeMismatchFailure;
    digits[i] = static_cast<std::int16_t>(aDay[i] - '0');
  }
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const Result<std::int16_t> x = numPosition(digits[i]);
    VORLIN_TRY(x.status);
    VORLIN_TRY(blitDay(kDayColumns[i], x.value));
  }
  return kOk;
}

Status TrayIcon::processMonth(std::string_view aMonth, std::string_view english) {
  const std::array<char32_t, 3> characters = firstCharacters(aMonth);
  std::array<std::optional<std::int16_t>, 3> cells{};
  bool drawable = false;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    cells[i] = charPosition(characters[i]);
    drawable = drawable || cells[i].has_value();
  }
  // A month text with no letter the strip can draw (another script, digits) is shown in English.
  if (!drawable) {
    const std::array<char32_t, 3> fallback = firstCharacters(english);
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = charPosition(fallback[i]);
  }
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i]) VORLIN_TRY(blitMonth(kMonthColumns[i], *cells[i]));
  }
  return kOk;
}

std::optional<std::int16_t> TrayIcon::charPosition(char32_t aChar) const {
  const char letter = glyphLetter(aChar);
  if (letter == 0) return std::nullopt;
  return static_cast<std::int16_t>((letter - 'A') * 5);
}

Result<std::int16_t> TrayIcon::numPosition(std::int16_t aNumber) const {
  const std::int32_t x = static_cast<std::int32_t>(aNumber) * 5;
  if (x < std::numeric_limits<std::int16_t>::min() || x > std::numeric_limits<std::int16_t>::max())
    return {kOverflowFailure, 0};
  return {kOk, static_cast<std::int16_t>(x)};
}

Status TrayIcon::blitDay(std::int16_t destX, std::int16_t sourceX) {
  return blitBitmap(destX, kDayRow, kGlyphWidth, kGlyphHeight, sourceNumberHDC_, sourceX, 0);
}

Status TrayIcon::blitMonth(std::int16_t destX, std::int16_t sourceX) {
  return blitBitmap(destX, kMonthRow, kGlyphWidth, kGlyphHeight, sourceTextHDC_, sourceX, 0);
}

Status TrayIcon::blitBitmap(std::int16_t destX, std::int16_t destY, std::int16_t width,
                            std::int16_t height, std::int32_t sourceHDC, std::int16_t srcX,
                            std::int16_t srcY) {
  return services_.graphics.BitBlt(memoryHDC_, destX, destY, width, height, sourceHDC, srcX, srcY,
                                   kSrcAnd);
}

Status TrayIcon::releaseMemory() {
  Graphics& g = services_.graphics;
  const Result<Handle> selected = g.SelectObject(memoryHDC_, oldBitmap_);
  VORLIN_TRY(selected.status);
  // Deleted by its own handle: a failed select must not leave the bitmap behind.
  VORLIN_TRY(g.DeleteObject(memoryBitmap_));
  return g.DeleteDC(memoryHDC_);
}

}  // namespace vorlin
