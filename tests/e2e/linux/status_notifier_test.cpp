// The tray entry on a StatusNotifierItem host: the Xfce panel on X11 as Debian ships it, started
// after the program, driven with the pointer through the menu the panel shows for the entry, and
// restarted; and the same panel at other sizes.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "dialog_reading.h"
#include "expected_icon.h"
#include "vorlin_session.h"
#include "xfce_panel.h"

namespace e2e {
namespace {

const QRect kPanel(0, 0, Desktop::kWidth, 27);

// The process's anonymous memory (heap and other memory backed by no file), in kilobytes: what it
// holds itself, beside the library pages it shares with every Qt program.
long anonymousKilobytes(pid_t pid) {
  std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
  for (std::string line; std::getline(rollup, line);) {
    if (line.starts_with("Anonymous:")) return std::stol(line.substr(10));
  }
  return -1;
}

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

  // The item's pixmaps: 16, 32, 48 and 64 pixels made of whole-pixel blocks of `icon`, and the
  // sizes between them holding the largest that fits, centred on transparent pixels.
  void expectWholePixelPixmaps(const std::string& item, const QImage& icon) {
    std::vector<int> sizes;
    for (const QImage& pixmap : bus.itemPixmaps(item)) {
      const int n = pixmap.width() / 16;
      QImage expected(pixmap.size(), QImage::Format_ARGB32);
      expected.fill(Qt::transparent);
      const int offset = (pixmap.width() - 16 * n) / 2;
      QPainter(&expected).drawImage(offset, offset, enlargedIcon(icon, n));
      EXPECT_TRUE(pixmap == expected)
          << saveShot(pixmap, "pixmap-" + std::to_string(pixmap.width()));
      sizes.push_back(pixmap.width());
    }
    for (const int size : {16, 32, 48, 64}) {
      EXPECT_NE(std::find(sizes.begin(), sizes.end(), size), sizes.end()) << size;
    }
  }
  // A host that asks the item for its menu gets the popup, at the pointer; asked again while it
  // is open, thousands of times, nothing more opens and nothing piles up: the program runs,
  // within 2 MB of the memory it had with the popup shown, and one Escape closes the popup.
  void expectOnePopupForManyRequests(const std::string& item) {
    desktop().moveTo(QPoint(400, 300));
    const QImage beforePopup = desktop().screenshot();
    EXPECT_TRUE(bus.askForContextMenu(item, 1));
    std::optional<QRect> popup;
    ASSERT_TRUE(pollUntil(
        [&] {
          return (popup = changedArea(beforePopup, desktop().screenshot(), kPanel)).has_value();
        },
        3s));
    EXPECT_EQ(popup->right() + 1, 400) << saveShot(desktop().screenshot(), "popup");
    const long anonymousBefore = anonymousKilobytes(vorlin.process().pid());
    EXPECT_TRUE(bus.askForContextMenu(item, 6000));
    EXPECT_TRUE(vorlin.process().running());
    // Under the sanitizers freed memory is held back, to catch its use: no measure there.
    if (std::getenv("VORLIN_E2E_SANITIZED") == nullptr) {
      EXPECT_LT(anonymousKilobytes(vorlin.process().pid()) - anonymousBefore, 2048);
    }
    EXPECT_EQ(changedArea(beforePopup, desktop().screenshot(), kPanel), popup)
        << saveShot(desktop().screenshot(), "popups");
    ASSERT_EQ(runCommand({"xdotool", "key", "Escape"}, desktop().env()), 0);
    EXPECT_TRUE(pollUntil(
        [&] { return !changedArea(beforePopup, desktop().screenshot(), kPanel).has_value(); }, 2s));
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

  // Registered as an item titled Vorlin. Its icon by name, from a theme of its own, and as
  // pixmaps of whole pixels.
  const std::vector<std::string> items = bus.registeredItems();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(bus.itemProperty(items[0], "Title"), "s \"Vorlin\"");
  EXPECT_NE(bus.itemProperty(items[0], "IconThemePath"), "s \"\"");
  EXPECT_NE(bus.itemProperty(items[0], "IconName"), "s \"\"");
  EXPECT_EQ(bus.itemProperty(items[0], "Menu"), "o \"/MenuBar\"");
  expectWholePixelPixmaps(items[0], gray);

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
  ASSERT_TRUE(pollUntil([&] { return selectedOption(desktop().screenshot(), frame) == kRed; }, 2s))
      << saveShot(desktop().screenshot(), "no-red");
  desktop().click(buttonCentre(frame, kOK), 1);
  const QImage red = expectedIcon(kRed, 6, "DEC");
  at = vorlin.waitForIcon(red, 2s);
  ASSERT_TRUE(at) << saveShot(desktop().screenshot(), "after-ok");

  // A host asks the item for its menu thousands of times: one popup.
  ASSERT_NO_FATAL_FAILURE(expectOnePopupForManyRequests(items[0]));

  // The panel restarts, five times in a row: each time the entry is back, red, within 2 s of the
  // panel's watcher; at midnight, the next day.
  for (int restart = 1; restart <= 5; ++restart) {
    panel.stop();
    ASSERT_TRUE(panel.start());
    at = vorlin.waitForIcon(red, 2s);
    ASSERT_TRUE(at) << "restart " << restart << " "
                    << saveShot(desktop().screenshot(), "panel-restarted");
  }
  vorlin.setTime("2024-12-07 00:00:01");
  at = vorlin.waitForIcon(expectedIcon(kRed, 7, "DEC"), 2s);
  ASSERT_TRUE(at) << saveShot(desktop().screenshot(), "midnight");

  // Close, from the panel's menu: the program ends and its item is gone.
  menu = openMenu(*at);
  ASSERT_TRUE(menu) << saveShot(desktop().screenshot(), "no-menu-again");
  choose(QPoint(menu->center().x(), menu->bottom() - 14));  // Close
  ASSERT_TRUE(vorlin.process().waitForExit(3s));
  EXPECT_EQ(vorlin.process().exitStatus(), 0);
  EXPECT_TRUE(pollUntil([&] { return bus.registeredItems().empty(); }, 2s));
  EXPECT_FALSE(
      findIcon(desktop().screenshot(), expectedIcon(kRed, 7, "DEC"), desktop().trayArea()));
}

// At the sizes users set, the panel shows the picture as it is, never smoothed: the notification
// area's own icon size at 16, and a panel 48 pixels high (the notification area's default icon
// size, 22, holds the picture once).
class XfcePanelSizes : public testing::TestWithParam<XfcePanelSettings> {};

TEST_P(XfcePanelSizes, ShowTheIconExactly) {
  SessionBus bus;
  VorlinSession vorlin(
      {.fakeTime = "2024-12-06 10:00:00", .panel = {.trayer = false}, .env = bus.env()});
  XfcePanel panel(vorlin.desktop(), bus, GetParam());
  ASSERT_TRUE(panel.start());
  EXPECT_TRUE(vorlin.waitForIcon(expectedIcon(kGray, 6, "DEC"), 5s))
      << saveShot(vorlin.desktop().screenshot(), "gray");
}

INSTANTIATE_TEST_SUITE_P(Panel, XfcePanelSizes,
                         testing::Values(XfcePanelSettings{.systrayIconSize = 16},
                                         XfcePanelSettings{.size = 48}),
                         [](const testing::TestParamInfo<XfcePanelSettings>& info) {
                           return "Size" + std::to_string(info.param.size) + "Icons" +
                                  std::to_string(info.param.systrayIconSize);
                         });

// The panel ends and only an embedding tray is left: the entry moves there; the tray ends and the
// panel comes back: the entry moves back, each time within two seconds.
TEST_F(StatusNotifierHost, MovesToAnEmbeddingTrayAndBack) {
  const QImage gray = expectedIcon(kGray, 6, "DEC");
  ASSERT_TRUE(panel.start());
  ASSERT_TRUE(vorlin.waitForIcon(gray, 5s)) << saveShot(desktop().screenshot(), "panel");
  panel.stop();
  desktop().startTrayer();
  EXPECT_TRUE(vorlin.waitForIcon(gray, 2s)) << saveShot(desktop().screenshot(), "trayer");
  desktop().stopTrayer();
  ASSERT_TRUE(panel.start());
  // The panel embeds too: the entry is its item, not an embedded icon.
  EXPECT_TRUE(pollUntil([&] { return bus.registeredItems().size() == 1; }, 2s));
  EXPECT_TRUE(vorlin.waitForIcon(gray, 2s)) << saveShot(desktop().screenshot(), "panel-again");
}

// Any program of the session may call the item and its menu with anything: the calls that once
// ended the program, then thousands of calls of every shape. Each is answered; the program runs
// on, its menu answers, its icon stays, and nothing piles up: once every kind of call has been
// answered (a first round), 40 seconds more leave its memory within 2 MB of what it was.
TEST_F(StatusNotifierHost, CallsOfAnyShapeAreAnsweredAndLeaveTheProgramRunning) {
  const QImage gray = expectedIcon(kGray, 6, "DEC");
  ASSERT_TRUE(panel.start());
  ASSERT_TRUE(vorlin.waitForIcon(gray, 5s));
  const std::vector<std::string> items = bus.registeredItems();
  ASSERT_EQ(items.size(), 1u);
  for (const std::vector<std::string>& call :
       {std::vector<std::string>{"EventGroup", "ai", "2", "1", "2"},
        {"EventGroup", "a(is)", "1", "1", "clicked"}}) {
    // Refused for its arguments' types, in an error reply: not a time-out, not a peer gone.
    const CommandResult answer = bus.callMenu(items[0], call);
    EXPECT_NE(answer.status, 0);
    EXPECT_NE(answer.errors.find("No such method 'EventGroup'"), std::string::npos)
        << answer.errors;
  }
  ASSERT_TRUE(vorlin.process().running());

  // VORLIN_E2E_FUZZ_SEED repeats a run whose seeds were printed.
  const char* repeated = std::getenv("VORLIN_E2E_FUZZ_SEED");
  const unsigned seed = repeated != nullptr
                            ? static_cast<unsigned>(std::strtoul(repeated, nullptr, 10))
                            : static_cast<unsigned>(std::time(nullptr));
  std::string summary = bus.fuzz(items[0], seed, 2);
  const long anonymousBefore = anonymousKilobytes(vorlin.process().pid());
  // The program's memory is measured over 40 s, where a cache that kept every signature called
  // would grow by 3 MB; the program built with the sanitizers, whose memory is not measured,
  // takes some 12,000 calls of 5,000 kinds to all its methods in 15 s.
  const bool sanitized = std::getenv("VORLIN_E2E_SANITIZED") != nullptr;
  summary = bus.fuzz(items[0], seed + 1, sanitized ? 15 : 40);
  std::printf("seeds %u, %u: %s", seed, seed + 1, summary.c_str());
  EXPECT_NE(summary.find(" 0 unanswered"), std::string::npos) << summary;
  ASSERT_TRUE(vorlin.process().running()) << "seeds " << seed << ", " << seed + 1;
  EXPECT_EQ(
      bus.callMenu(items[0], {"GetLayout", "iias", "0", "1", "0"}).output.rfind("u(ia{sv}av) ", 0),
      0u);
  if (!sanitized) {
    EXPECT_LT(anonymousKilobytes(vorlin.process().pid()) - anonymousBefore, 2048);
  }
  EXPECT_TRUE(vorlin.iconStays(gray, 300ms)) << saveShot(desktop().screenshot(), "after");
}

// The icon folders directly in `base`.
std::vector<std::string> iconFolders(const std::string& base) {
  std::vector<std::string> folders;
  std::error_code none;
  for (const auto& entry : std::filesystem::directory_iterator(base, none)) {
    if (entry.path().filename().string().starts_with("vorlin-icons-")) {
      folders.push_back(entry.path().string());
    }
  }
  return folders;
}

// The text of a string property as busctl prints it: s "TEXT".
std::string text(const std::string& property) {
  return property.size() >= 4 ? property.substr(3, property.size() - 4) : "";
}

// Killed outright (SIGKILL), the program leaves its icon folder behind: the next start takes it
// away and keeps its own. Ended by the system (SIGTERM) with its dialog open: within a second,
// status 0, the item gone from the panel and the folder removed. With the runtime folder
// read-only, the icon is still offered by name, exactly, from a private folder in the user's
// cache; when the X server goes away under it, the program ends, status 1, and that folder goes
// too.
TEST_F(StatusNotifierHost, IconFoldersGoWhateverEndsTheRunAndTheCacheServesAReadOnlyRuntime) {
  const QImage gray = expectedIcon(kGray, 6, "DEC");
  ASSERT_TRUE(panel.start());
  ASSERT_TRUE(vorlin.waitForIcon(gray, 5s));
  vorlin.process().signal(SIGKILL);
  ASSERT_TRUE(vorlin.process().waitForExit(2s));
  const std::vector<std::string> killed = iconFolders(bus.runtime());
  ASSERT_EQ(killed.size(), 1u);
  // Started with a Qt program's options, which this program does not take: its windows still
  // show on the desktop's display.
  vorlin.start({"sh", "-c", R"(exec "$0" -platform offscreen)"});
  ASSERT_TRUE(pollUntil([&] { return !bus.itemOf(vorlin.process().pid()).empty(); }, 5s));
  ASSERT_TRUE(vorlin.waitForIcon(gray, 5s));
  const std::vector<std::string> folders = iconFolders(bus.runtime());
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_NE(folders[0], killed[0]);
  bus.callMenu(bus.itemOf(vorlin.process().pid()),
               {"Event", "isvu", "1", "clicked", "i", "0", "0"});
  ASSERT_TRUE(pollUntil([&] { return desktop().findWindow("Vorlin Properties") != 0; }, 3s));
  EXPECT_TRUE(drawsItself(vorlin, "Vorlin Properties"));
  EXPECT_TRUE(endsOnSignal(
      vorlin.process(), SIGTERM, [&] { return !bus.registeredItems().empty(); }, 1s));
  EXPECT_EQ(iconFolders(bus.runtime()), std::vector<std::string>{});
  // The runtime folder mounted read-only for the program alone.
  vorlin.start({"unshare", "--mount", "sh", "-c", R"(mount --bind -o ro "$0" "$0" && exec "$@")",
                bus.runtime()});
  std::string item;
  ASSERT_TRUE(pollUntil([&] { return !(item = bus.itemOf(vorlin.process().pid())).empty(); }, 5s));
  ASSERT_TRUE(vorlin.waitForIcon(gray, 5s)) << saveShot(desktop().screenshot(), "read-only");
  const std::string cache = bus.home() + "/.cache/vorlin";
  EXPECT_EQ(std::filesystem::status(cache).permissions(), std::filesystem::perms::owner_all);
  const std::vector<std::string> cached = iconFolders(cache);
  ASSERT_EQ(cached.size(), 1u);
  const std::string theme = text(bus.itemProperty(item, "IconThemePath"));
  EXPECT_TRUE(theme.starts_with(cached[0] + "/")) << theme;
  EXPECT_TRUE(std::filesystem::exists(theme + "/hicolor/16x16/apps/" +
                                      text(bus.itemProperty(item, "IconName")) + ".png"));

  desktop().endDisplay();
  ASSERT_TRUE(vorlin.process().waitForExit(5s));
  EXPECT_EQ(vorlin.process().exitStatus(), 1);
  EXPECT_TRUE(iconFolders(cache).empty());
}

}  // namespace
}  // namespace e2e
