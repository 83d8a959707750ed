// The tray entry on Wayland: waybar's notification area in sway, started after the program, its
// menu shown by the bar, the dialog floating, the bar restarted, and Close; and the bar at other
// icon sizes and scales.
#include <gtest/gtest.h>

#include <fstream>

#include "dialog_reading.h"
#include "expected_icon.h"
#include "session_bus.h"
#include "sway_desktop.h"
#include "vorlin_session.h"

namespace e2e {
namespace {

Env programEnv(const SwayDesktop& sway) {
  Env env = sway.env();
  env.insert(env.end(), {{"TZ", "UTC"}, {"LC_ALL", "C.UTF-8"}});
  return env;
}

// The dialog once sway has placed it: floating, found in the same place twice in a row.
bool placedDialog(const SwayDesktop& sway, std::optional<SwayDesktop::Window>& dialog) {
  return pollUntil(
      [&] {
        const std::optional<SwayDesktop::Window> previous = dialog;
        dialog = sway.findWindow("Vorlin Properties");
        return dialog && previous && dialog->type == "floating_con" &&
               dialog->client == previous->client;
      },
      3s);
}

class WaylandBar : public testing::Test {
 protected:
  // The pointer out of the way, where screenshots do not mind it.
  void pointerAside() { sway.moveTo(QPoint(SwayDesktop::kWidth / 2, SwayDesktop::kHeight - 10)); }
  // The icon in the bar.
  std::optional<QPoint> waitForIcon(const QImage& icon, std::chrono::milliseconds deadline) {
    pointerAside();
    std::optional<QPoint> at;
    pollUntil([&] { return (at = findIcon(sway.screenshot(), icon, sway.barArea())).has_value(); },
              deadline);
    return at;
  }
  // Right-clicks the icon; answers the area of the menu the bar opens below itself.
  std::optional<QRect> openMenu(QPoint iconAt) {
    pointerAside();
    const QImage before = sway.screenshot();
    sway.click(iconAt + QPoint(8, 8), 3);
    pointerAside();
    std::optional<QRect> menu;
    pollUntil(
        [&] {
          menu = changedArea(before, sway.screenshot(), sway.barArea());
          return menu && menu->height() > 30;
        },
        3s);
    return menu;
  }

  SwayDesktop sway;
  std::unique_ptr<Process> vorlin = std::make_unique<Process>(
      sway.asUser({VORLIN_PROGRAM}), programEnv(sway), sway.folder() + "/vorlin.log");
};

TEST_F(WaylandBar, StartedBeforeTheBarMenuFromTheBarDialogFloatsBarRestartedAndClose) {
  const QImage gray = todaysIcon(kGray);
  EXPECT_FALSE(waitForIcon(gray, 2s)) << "an icon with no bar";
  ASSERT_TRUE(sway.startBar());
  auto at = waitForIcon(gray, 2s);
  ASSERT_TRUE(at) << saveShot(sway.screenshot(), "bar-started");
  saveShot(sway.screenshot(), "bar-started");

  // The bar shows the entry's menu itself: no window of the program's opens for it.
  std::optional<QRect> menu = openMenu(*at);
  ASSERT_TRUE(menu) << saveShot(sway.screenshot(), "no-menu");
  saveShot(sway.screenshot(), "menu");
  EXPECT_EQ(sway.windowsOf("vorlin"), 0);
  sway.click(QPoint(menu->center().x(), menu->top() + 14), 1);  // Properties
  std::optional<SwayDesktop::Window> dialog;
  ASSERT_TRUE(placedDialog(sway, dialog))
      << (dialog ? dialog->type : "no dialog") << " " << saveShot(sway.screenshot(), "no-dialog");
  EXPECT_EQ(dialog->client.size(), QSize(2955 / kTwipsPerPixel, 2070 / kTwipsPerPixel));
  ASSERT_TRUE(
      pollUntil([&] { return selectedOption(sway.screenshot(), dialog->client) == kGray; }, 2s))
      << saveShot(sway.screenshot(), "dialog");
  sway.click(optionCentre(dialog->client, kRed), 1);
  pointerAside();
  ASSERT_TRUE(
      pollUntil([&] { return selectedOption(sway.screenshot(), dialog->client) == kRed; }, 2s));
  saveShot(sway.screenshot(), "red");
  sway.click(buttonCentre(dialog->client, kOK), 1);
  const QImage red = todaysIcon(kRed);
  at = waitForIcon(red, 2s);
  ASSERT_TRUE(at) << saveShot(sway.screenshot(), "after-ok");

  // The bar restarts, five times in a row: each time the item is registered with its watcher
  // within 2 s, and shown. A bar that starts again draws itself first and asks for the items
  // after: on a busy machine that took more than 2 s.
  for (int restart = 1; restart <= 5; ++restart) {
    sway.stopBar();
    ASSERT_TRUE(sway.startBar());
    EXPECT_TRUE(pollUntil([&] { return sway.registeredItems().size() == 1; }, 2s))
        << "restart " << restart;
    at = waitForIcon(red, 10s);
    ASSERT_TRUE(at) << "restart " << restart << " " << saveShot(sway.screenshot(), "bar-restarted");
  }

  menu = openMenu(*at);
  ASSERT_TRUE(menu) << saveShot(sway.screenshot(), "no-menu-again");
  sway.click(QPoint(menu->center().x(), menu->bottom() - 14), 1);  // Close
  ASSERT_TRUE(vorlin->waitForExit(3s));
  EXPECT_EQ(vorlin->exitStatus(), 0);
}

// The bar at the icon sizes users set, and on an output at twice the scale: the picture as it is,
// or enlarged by whole pixels, never smoothed.
struct BarSize {
  int iconSize;
  int scale;
  int factor;  // of the picture on the screen
};

class WaylandBarSizes : public testing::TestWithParam<BarSize> {};

TEST_P(WaylandBarSizes, ShowTheIconAsWholePixelBlocks) {
  const BarSize& c = GetParam();
  SwayDesktop sway({.barIconSize = c.iconSize, .scale = c.scale});
  Process vorlin(sway.asUser({VORLIN_PROGRAM}), programEnv(sway), sway.folder() + "/vorlin.log");
  ASSERT_TRUE(sway.startBar());
  sway.moveTo(QPoint(SwayDesktop::kWidth / 2, SwayDesktop::kHeight - 10));
  const QImage icon = enlargedIcon(todaysIcon(kGray), c.factor);
  QImage shot;
  const bool shown = pollUntil(
      [&] {
        shot = sway.screenshot();
        return findIcon(shot, icon, QRect(0, 0, shot.width(), 50 * c.scale)).has_value();
      },
      5s);
  std::ifstream log(sway.folder() + "/vorlin.log");
  EXPECT_TRUE(shown) << saveShot(shot, "bar") << "; the program said: " << log.rdbuf();
}

INSTANTIATE_TEST_SUITE_P(Bar, WaylandBarSizes,
                         testing::Values(BarSize{24, 1, 1}, BarSize{32, 1, 2}, BarSize{16, 2, 2}),
                         [](const testing::TestParamInfo<BarSize>& info) {
                           return "Icons" + std::to_string(info.param.iconSize) + "Scale" +
                                  std::to_string(info.param.scale);
                         });

}  // namespace
}  // namespace e2e
