#include "render/tray_icon.h"

#include <array>
#include <limits>

#include "art/artwork.h"
#include "base/date.h"
#include "render/month_letters.h"

namespace vorlin {
namespace {

using art::kGlyphHeight;
using art::kGlyphPitch;
using art::kGlyphWidth;
using art::kIconSize;

constexpr std::int16_t kDayRow = 2;
constexpr std::int16_t kMonthRow = 9;
constexpr std::array<std::int16_t, 2> kDayColumns{3, 8};
constexpr std::array<std::int16_t, 3> kMonthColumns{1, 6, 11};

constexpr Status kOverflowFailure{kOverflow, "Overflow"};
constexpr Status kTypeMismatchFailure{kTypeMismatch, "Type mismatch: the day is not a number"};
constexpr Status kNoIconMade{kOutOfMemory,
                             "Out of memory: user32: CreateIconIndirect made no icon"};

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

Status TrayIcon::IconFromBitmap() {
  Graphics& g = services_.graphics;
  // What each step takes is held by its owner; the releases below run on every path.
  Status composed = memoryHDC_.take(g.CreateCompatibleDC(sourceHDC_));
  // Compatible with the background's device context: a new memory context holds a monochrome
  // bitmap, and a bitmap compatible with it would be monochrome too.
  if (composed.ok())
    composed = memoryBitmap_.take(g.CreateCompatibleBitmap(sourceHDC_, kIconSize, kIconSize));
  if (composed.ok()) composed = oldBitmap_.select(memoryHDC_.get(), memoryBitmap_.get());
  if (composed.ok())
    composed = g.BitBlt(memoryHDC_.get(), 0, 0, kIconSize, kIconSize, sourceHDC_, 0, 0, kSrcCopy);
  if (composed.ok()) composed = BlitDateIntoMemoryDC(services_.clock.now());
  if (composed.ok()) composed = makeIcon();
  if (composed.ok()) composed = ShowIconInSystemTray();
  shownLast_ = composed.ok();
  // The icon holds its own copy of the mask, and the shell its own copy of the icon it was
  // handed: the mask and the previous icon go with the memory context and bitmap.
  const Status maskDeleted = mask_.release();
  const Status iconDestroyed = previousIcon_.release();
  const Status released = releaseMemory();
  return firstFailure({composed, maskDeleted, iconDestroyed, released});
}

Status TrayIcon::BlitDateIntoMemoryDC(double aDate) {
  const CivilDate date = civilFromSerial(aDate);
  const std::array<char, 2> day{static_cast<char>('0' + date.day / 10),
                                static_cast<char>('0' + date.day % 10)};
  VORLIN_TRY(processDay({day.data(), day.size()}));
  const ShortText month = services_.clock.formatMonth(aDate);
  return processMonth(month.view(), englishMonth(date.month));
}

Status TrayIcon::makeIcon() {
  Graphics& g = services_.graphics;
  // All-zero mask: every pixel of the colour bitmap shows, the icon is an opaque square.
  constexpr std::array<std::uint8_t, 2 * kIconSize> kOpaqueMask{};
  VORLIN_TRY(mask_.take(g.CreateBitmap(kIconSize, kIconSize, 1, 1, kOpaqueMask.data())));
  const IconInfo info{-1, 0, 0, mask_.get(), memoryBitmap_.get()};
  OwnedIcon icon(g);
  VORLIN_TRY(icon.take(g.CreateIconIndirect(info)));
  // The platform answers no icon, with no failure, when it is out of resources (or the mask
  // before could not be made): the entry keeps the icon it shows and the refresh is tried again.
  if (icon.get() == 0) return kNoIconMade;
  VORLIN_TRY(previousIcon_.takeFrom(dateIcon_));
  return dateIcon_.takeFrom(icon);
}

Result<bool> TrayIcon::request(std::uint32_t message, Handle hWnd) {
  if (message == kNimAdd) addTried_ = true;
  return services_.shell.Shell_NotifyIconA(message, trayRecord(hWnd, dateIcon_.get()));
}

Status TrayIcon::ShowIconInSystemTray() {
  // Tried again a second after this attempt, whether the shell answered or could not be asked.
  lastAddAttempt_ = services_.clock.tickCount();
  const Result<Handle> hWnd = services_.forms.windowHandle(host_);
  VORLIN_TRY(hWnd.status);
  // The shell's answer is a hint: a shell may carry a request out and still answer no, or hold
  // an entry the program took for lost. A confirmed entry is modified, and added again if the
  // modify is refused; an add the shell refuses is followed by a modify, since the entry may be
  // there. Either way the same (window, id), so the shell never holds two entries.
  const std::array<std::uint32_t, 2> order =
      iconShown_ ? std::array{kNimModify, kNimAdd} : std::array{kNimAdd, kNimModify};
  bool confirmed = false;
  for (std::size_t i = 0; i < order.size() && !confirmed; ++i) {
    const Result<bool> answer = request(order[i], hWnd.value);
    VORLIN_TRY(answer.status);
    confirmed = answer.value;
  }
  iconShown_ = confirmed;
  return kOk;
}

Status TrayIcon::retryAddWhenDue() {
  // Missing, or not confirmed, once an add was tried.
  if (iconShown_ || !addTried_ || services_.clock.tickCount() - lastAddAttempt_ < kRetryInterval)
    return kOk;
  return ShowIconInSystemTray();
}

Status TrayIcon::entryLost() {
  if (!addTried_) return kOk;  // nothing was ever shown
  iconShown_ = false;
  return ShowIconInSystemTray();
}

Status TrayIcon::removeFromSystemTray() {
  Status status = kOk;
  if (addTried_) {
    const Result<Handle> hWnd = services_.forms.windowHandle(host_);
    status = hWnd.status.failed() ? hWnd.status : request(kNimDelete, hWnd.value).status;
  }
  addTried_ = false;
  iconShown_ = false;
  const Status destroyed = dateIcon_.release();
  return firstFailure({status, destroyed});
}

Status TrayIcon::processDay(std::string_view aDay) {
  // The day text is always two digits (BlitDateIntoMemoryDC writes it from a day of 1 to 31): the
  // mismatch below cannot arise in practice; it keeps the step sound for any text.
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
  return static_cast<std::int16_t>((letter - 'A') * kGlyphPitch);
}

Result<std::int16_t> TrayIcon::numPosition(std::int16_t aNumber) const {
  // A digit's cell starts at most at 9 × 5: the overflow cannot arise for the digits processDay
  // hands over; it is what the step answers for any other number.
  const std::int32_t x = static_cast<std::int32_t>(aNumber) * kGlyphPitch;
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
                            std::int16_t height, Handle sourceHDC, std::int16_t srcX,
                            std::int16_t srcY) {
  return services_.graphics.BitBlt(memoryHDC_.get(), destX, destY, width, height, sourceHDC, srcX,
                                   srcY, kSrcAnd);
}

Status TrayIcon::releaseMemory() {
  // The bitmap the context held before goes back into it, handing back memoryBitmap; then the
  // bitmap and the context go. A bitmap still selected cannot be deleted: should the first step
  // fail, the context goes first, and the bitmap with it free.
  const Status deselected = oldBitmap_.release();
  if (deselected.failed()) (void)memoryHDC_.release();
  const Status bitmapDeleted = memoryBitmap_.release();
  const Status dcDeleted = memoryHDC_.release();
  return firstFailure({deselected, bitmapDeleted, dcDeleted});
}

}  // namespace vorlin
