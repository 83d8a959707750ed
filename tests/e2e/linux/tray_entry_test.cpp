// The tray entry as a user sees it: today's icon, its tip, the date watch, the locale's month.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include "dialog_reading.h"
#include "expected_icon.h"
#include "vorlin_session.h"

namespace e2e {
namespace {

TEST(TrayEntry, ShowsTodayOnGrayExactToThePixelWithinASecond) {
  VorlinSession vorlin({.fakeTime = ""});
  const auto started = std::chrono::steady_clock::now();
  const QImage expected = todaysIcon(kGray);

  const auto at = vorlin.waitForIcon(expected, 1000ms);
  const auto took = std::chrono::steady_clock::now() - started;
  const QImage screen = vorlin.desktop().screenshot();
  ASSERT_TRUE(at) << "no exact icon; see " << saveShot(screen, "tray");
  saveShot(screen, "tray");
  // The program built with the sanitizers runs several times slower: it is given their patience.
  EXPECT_LE(took, patience(1000ms));
}

// Started before any tray, as at login: the entry appears soon after an embedding tray does.
TEST(TrayEntry, AppearsSoonAfterATrayStartedLater) {
  VorlinSession vorlin({.fakeTime = "2024-12-06 10:00:00", .panel = {.trayer = false}});
  const QImage icon = expectedIcon(kGray, 6, "DEC");
  EXPECT_FALSE(vorlin.waitForIcon(icon, 2s));
  vorlin.desktop().startTrayer();
  EXPECT_TRUE(vorlin.waitForIcon(icon, 2s)) << saveShot(vorlin.desktop().screenshot(), "tray");
}

// An embedding tray that claims its selection four times within 0.1 s as it starts, as
// budgie-panel does, four owners in a row: after every start of it the entry is docked in the last
// owner, showing today's icon there, and its clicks are the program's. The tray starts 30 times
// while the program runs on.
TEST(TrayEntry, DocksInTheLastOwnerOfATrayClaimedFourTimesAsItStarts) {
  VorlinSession vorlin({.fakeTime = "2024-12-06 10:00:00", .panel = {.trayer = false}});
  Desktop& desktop = vorlin.desktop();
  const QImage icon = expectedIcon(kGray, 6, "DEC");
  constexpr int kStarts = 30;
  int missed = 0;
  for (int start = 1; start <= kStarts; ++start) {
    Process tray({VORLIN_BURST_TRAY}, desktop.env());
    unsigned long last = 0;
    ASSERT_TRUE(
        pollUntil([&] { return desktop.title(last = desktop.trayOwner()) == "burst tray 4"; }, 2s))
        << "start " << start;
    std::optional<QPoint> at;
    if (!pollUntil(
            [&] {
              return desktop.holdsWindowOf(last, vorlin.process().pid()) &&
                     (at = findIcon(desktop.screenshot(), icon, desktop.geometry(last)));
            },
            2s)) {
      ++missed;
      saveShot(desktop.screenshot(), "start-" + std::to_string(start));
    } else if (start == kStarts) {
      // Its clicks are still the program's: the menu opens on the right button's release.
      desktop.moveTo(*at + QPoint(8, 8));
      const QImage before = desktop.screenshot();
      desktop.press(3);
      EXPECT_FALSE(pollUntil(
          [&] { return changedArea(before, desktop.screenshot(), {}).has_value(); }, 500ms))
          << "opened on the press: " << saveShot(desktop.screenshot(), "press");
      desktop.release(3);
      EXPECT_TRUE(pollUntil(
          [&] {
            const std::optional<QRect> menu = changedArea(before, desktop.screenshot(), {});
            return menu && menu->height() > 30;
          },
          3s))
          << "no menu: " << saveShot(desktop.screenshot(), "release");
    }
  }
  EXPECT_EQ(missed, 0) << "starts of " << kStarts << " without the entry in the last owner";
}

// On a tray drawn at twice the scale, the entry is made of whole-pixel blocks only: twice the
// picture where the slot holds it, the picture itself, centred, where it does not.
TEST(TrayEntry, AtTwiceTheScaleShowsWholePixelBlocks) {
  struct {
    int trayHeight;
    int factor;
  } const cases[] = {{34, 2}, {24, 1}};
  for (const auto& c : cases) {
    VorlinSession vorlin({.fakeTime = "2024-12-06 10:00:00",
                          .panel = {.height = c.trayHeight},
                          .env = {{"QT_SCALE_FACTOR", "2"}}});
    const QImage expected = enlargedIcon(expectedIcon(kGray, 6, "DEC"), c.factor);
    const bool shown = vorlin.waitForIcon(expected, 5s).has_value();
    const std::string shot =
        saveShot(vorlin.desktop().screenshot(), "tray-" + std::to_string(c.trayHeight));
    EXPECT_TRUE(shown) << shot;
  }
}

// A tooltip's pixels once it is painted: two readings alike, not a plain block.
QImage paintedTip(Desktop& desktop) {
  std::vector<QRect> tips;
  if (!pollUntil([&] { return (tips = desktop.tooltips()).size() == 1; }, 5s)) return {};
  QImage previous, current;
  pollUntil(
      [&] {
        previous = current;
        current = desktop.screenshot().copy(tips[0]);
        return current == previous &&
               current.pixel(0, 0) != current.pixel(current.width() / 2, current.height() / 2);
      },
      3s);
  return current;
}

TEST(TrayEntry, TipReadsTenwickVorlin) {
  VorlinSession vorlin({.fakeTime = "2024-12-06 10:00:00"});
  const auto at = vorlin.waitForIcon(expectedIcon(kGray, 6, "DEC"), 5s);
  ASSERT_TRUE(at);
  Desktop& desktop = vorlin.desktop();
  desktop.moveTo(*at + QPoint(4, 4));
  desktop.moveTo(*at + QPoint(8, 8));
  const QImage tip = paintedTip(desktop);
  ASSERT_FALSE(tip.isNull()) << "no tip shown";
  saveShot(desktop.screenshot(), "tip");

  // The same text in a tooltip of another program on this desktop looks the same, to the pixel.
  desktop.moveTo(QPoint(300, 500));
  ASSERT_TRUE(pollUntil([&] { return desktop.tooltips().empty(); }, 5s));
  Process reference({VORLIN_TIP_REFERENCE, "Tenwick Vorlin", "100", "400"}, desktop.env());
  const QImage expected = paintedTip(desktop);
  EXPECT_TRUE(tip == expected) << saveShot(tip, "shown") << " " << saveShot(expected, "reference");
}

// The clock moves while the program runs; a colour chosen while the dialog is open shows when
// the icon is next composed, so that a composition within the day would show. The local time is
// read once a second and carried on between reads, so a clock set by hand shows within a second,
// and the icon within a second more.
TEST(DateWatch, MidnightAndSettingBackRecomposeTimeWithinTheDayDoesNot) {
  VorlinSession vorlin({.fakeTime = "2024-12-06 23:59:58"});
  const auto at = vorlin.waitForIcon(expectedIcon(kGray, 6, "DEC"), 5s);
  ASSERT_TRUE(at) << saveShot(vorlin.desktop().screenshot(), "start");

  vorlin.setTime("2024-12-07 00:00:01");
  EXPECT_TRUE(vorlin.waitForIcon(expectedIcon(kGray, 7, "DEC"), 2s))
      << saveShot(vorlin.desktop().screenshot(), "midnight");

  vorlin.setTime("2024-12-06 09:00:00");
  EXPECT_TRUE(vorlin.waitForIcon(expectedIcon(kGray, 6, "DEC"), 2s))
      << saveShot(vorlin.desktop().screenshot(), "set-back");

  // Red, with the dialog left open: nothing is composed within the day.
  Desktop& desktop = vorlin.desktop();
  const unsigned long dialog = vorlin.openProperties(*at);
  ASSERT_NE(dialog, 0u);
  const QRect frame = desktop.geometry(dialog);
  desktop.click(optionCentre(frame, kRed), 1);
  ASSERT_TRUE(pollUntil([&] { return selectedOption(desktop.screenshot(), frame) == kRed; }, 2s));
  vorlin.setTime("2024-12-06 18:30:00");
  EXPECT_TRUE(vorlin.iconStays(expectedIcon(kGray, 6, "DEC"), 500ms))
      << saveShot(desktop.screenshot(), "time-of-day");

  // The close box is Cancel: Red was never confirmed, and the next day is composed on Gray.
  desktop.closeThroughFrame(dialog);
  ASSERT_TRUE(pollUntil([&] { return desktop.findWindow("Vorlin Properties") == 0; }, 3s));
  vorlin.setTime("2024-12-07 00:00:05");
  EXPECT_TRUE(vorlin.waitForIcon(expectedIcon(kGray, 7, "DEC"), 2s))
      << saveShot(desktop.screenshot(), "next-day");
  EXPECT_TRUE(vorlin.iconStays(expectedIcon(kGray, 7, "DEC"), 300ms));
}

// The month in the locale the environment names: French in its own character set, ISO-8859-1
// ("f\xE9vr."), drawn with the accent folded.
TEST(TrayEntry, ShowsTheMonthOfTheUsersLocale) {
  VorlinSession vorlin({.fakeTime = "2024-02-07 12:00:00", .locale = "fr_FR"});
  EXPECT_TRUE(vorlin.waitForIcon(expectedIcon(kGray, 7, "FEV"), 5s))
      << saveShot(vorlin.desktop().screenshot(), "tray");
}

TEST(TrayEntry, CloseRemovesTheEntryAndTheProgramEnds) {
  VorlinSession vorlin({.fakeTime = "2024-12-06 10:00:00"});
  const QImage icon = expectedIcon(kGray, 6, "DEC");
  const auto at = vorlin.waitForIcon(icon, 5s);
  ASSERT_TRUE(at);
  const auto menu = vorlin.openMenu(*at);
  ASSERT_TRUE(menu);
  vorlin.desktop().click(QPoint(menu->center().x(), menu->bottom() - 10), 1);  // Close
  EXPECT_TRUE(vorlin.process().waitForExit(3s));
  const QImage screen = vorlin.desktop().screenshot();
  EXPECT_FALSE(findIcon(screen, icon, vorlin.desktop().trayArea()))
      << saveShot(screen, "after-close");
}

class EndSignal : public testing::TestWithParam<int> {};

TEST_P(EndSignal, RemovesTheEntryAndEndsWithStatusZero) {
  VorlinSession vorlin({.fakeTime = "2024-12-06 10:00:00"});
  const QImage icon = expectedIcon(kGray, 6, "DEC");
  ASSERT_TRUE(vorlin.waitForIcon(icon, 5s));
  Desktop& desktop = vorlin.desktop();
  EXPECT_TRUE(endsOnSignal(vorlin.process(), GetParam(), [&] {
    return findIcon(desktop.screenshot(), icon, desktop.trayArea()).has_value();
  }));
  saveShot(desktop.screenshot(), "ended");
}

INSTANTIATE_TEST_SUITE_P(Signals, EndSignal, testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const testing::TestParamInfo<int>& info) {
                           return std::string(sigabbrev_np(info.param));
                         });

}  // namespace
}  // namespace e2e
