// The tray entry on a StatusNotifierItem host: the Xfce panel on X11, started after the program,
// driven with the pointer through the menu the panel shows for the entry, and restarted.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <csignal>

#include "dialog_reading.h"
#include "expected_icon.h"
#include "vorlin_session.h"
#include "xfce_panel.h"

namespace e2e {
namespace {

constexpr int kGray = 0;
constexpr int kRed = 4;
const QRect kPanel(0, 0, Desktop::kWidth, 27);

class StatusNotifierHost : public testing::Test {
 protected:
  Desktop& desktop() { return vorlin.desktop(); }
  // Opens the entry's menu with a right-click; answers its area below the panel.
  std::optional<QRect> openMenu(QPoint iconAt) {
    const QImage before = desktop().screenshot();
    desktop().click(iconAt + QPoint(8, 8), 3);
    std::optional<QRect> menu;
    pollUntil(
        [&] {
          menu = changedArea(before, desktop().screenshot(), kPanel);
          return menu && menu->height() > 30;
        },
        3s);
    return menu;
  }
  // Chooses the menu item at `item`: the pointer rests on it until the panel highlights it.
  void choose(QPoint item) {
    const QImage before = desktop().screenshot();
    desktop().moveTo(item);
    pollUntil([&] { return changedArea(before, desktop().screenshot(), {}).has_value(); }, 2s);
    desktop().click(item, 1);
  }

  SessionBus bus;
  VorlinSession vorlin{
      {.fakeTime = "2024-12-06 10:00:00", .panel = {.trayer = false}, .env = bus.env()}};
  XfcePanel panel{vorlin.desktop(), bus};
};

TEST_F(StatusNotifierHost, XfcePanelStartedLaterShowsTheEntryItsMenuAndDialogAndAfterARestart) {
  const QImage gray = expectedIcon(kGray, 6, "DEC");
  // The program starts first, as at login, and waits for a tray.
  EXPECT_FALSE(vorlin.waitForIcon(gray, 3s));
  ASSERT_TRUE(panel.start());
  auto at = vorlin.waitForIcon(gray, 2s);
  ASSERT_TRUE(at) << saveShot(desktop().screenshot(), "panel-started");
  saveShot(desktop().screenshot(), "panel-started");

  // Registered as an item. Its pictures: 16, 32, 48 and 64 pixels made of whole-pixel blocks,
  // and sizes between them holding the largest that fits, centred on transparent pixels.
  const std::vector<std::string> items = bus.registeredItems();
  ASSERT_EQ(items.size(), 1u);
  std::vector<int> sizes;
  for (const QImage& pixmap : bus.itemPixmaps(items[0])) {
    const int n = pixmap.width() / 16;
    QImage expected(pixmap.size(), QImage::Format_ARGB32);
    expected.fill(Qt::transparent);
    const int offset = (pixmap.width() - 16 * n) / 2;
    QPainter(&expected).drawImage(offset, offset, enlargedIcon(gray, n));
    EXPECT_TRUE(pixmap == expected) << saveShot(pixmap, "pixmap-" + std::to_string(pixmap.width()));
    sizes.push_back(pixmap.width());
  }
  for (const int size : {16, 32, 48, 64}) {
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), size), sizes.end()) << size;
  }

  // The panel's menu for the entry: Properties opens the dialog; Red, then OK.
  std::optional<QRect> menu = openMenu(*at);
  ASSERT_TRUE(menu) << saveShot(desktop().screenshot(), "no-menu");
  saveShot(desktop().screenshot(), "menu");
  choose(QPoint(menu->center().x(), menu->top() + 14));  // Properties
  unsigned long dialog = 0;
  ASSERT_TRUE(
      pollUntil([&] { return (dialog = desktop().findWindow("Vorlin Properties")) != 0; }, 3s))
      << saveShot(desktop().screenshot(), "no-dialog");
  const QRect frame = desktop().geometry(dialog);
  desktop().click(optionCentre(frame, kRed), 1);
  ASSERT_TRUE(pollUntil([&] { return selectedOption(desktop().screenshot(), frame) == kRed; }, 2s));
  desktop().click(buttonCentre(frame, kOK), 1);
  const QImage red = expectedIcon(kRed, 6, "DEC");
  at = vorlin.waitForIcon(red, 2s);
  ASSERT_TRUE(at) << saveShot(desktop().screenshot(), "after-ok");

  // A host that asks the item for its menu gets the popup, at the pointer; asked again while it
  // is open, nothing more opens, so one Escape closes it.
  desktop().moveTo(QPoint(400, 300));
  const QImage beforePopup = desktop().screenshot();
  for (int i = 0; i < 20; ++i) bus.askForContextMenu(items[0], 400, 300);
  std::optional<QRect> popup;
  ASSERT_TRUE(pollUntil(
      [&] {
        return (popup = changedArea(beforePopup, desktop().screenshot(), kPanel)).has_value();
      },
      3s));
  EXPECT_EQ(popup->right() + 1, 400) << saveShot(desktop().screenshot(), "popup");
  ASSERT_EQ(runCommand({"xdotool", "key", "Escape"}, desktop().env()), 0);
  EXPECT_TRUE(pollUntil(
      [&] { return !changedArea(beforePopup, desktop().screenshot(), kPanel).has_value(); }, 2s));

  // The panel restarts: the entry comes back, red.
  panel.stop();
  ASSERT_TRUE(panel.start());
  at = vorlin.waitForIcon(red, 2s);
  ASSERT_TRUE(at) << saveShot(desktop().screenshot(), "panel-restarted");

  // Close, from the panel's menu: the program ends and its item is gone.
  menu = openMenu(*at);
  ASSERT_TRUE(menu) << saveShot(desktop().screenshot(), "no-menu-again");
  choose(QPoint(menu->center().x(), menu->bottom() - 14));  // Close
  ASSERT_TRUE(vorlin.process().waitForExit(3s));
  EXPECT_EQ(vorlin.process().exitStatus(), 0);
  EXPECT_TRUE(pollUntil([&] { return bus.registeredItems().empty(); }, 2s));
  EXPECT_FALSE(findIcon(desktop().screenshot(), red, desktop().trayArea()));
}

// Ended by the system (SIGTERM): the item leaves the panel before the program ends, status 0.
TEST_F(StatusNotifierHost, TermSignalRemovesTheItem) {
  ASSERT_TRUE(panel.start());
  ASSERT_TRUE(vorlin.waitForIcon(expectedIcon(kGray, 6, "DEC"), 5s));
  EXPECT_TRUE(
      endsOnSignal(vorlin.process(), SIGTERM, [&] { return !bus.registeredItems().empty(); }));
}

}  // namespace
}  // namespace e2e
