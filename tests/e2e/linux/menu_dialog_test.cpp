// The tray menu and the properties dialog, driven with the pointer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialog_reading.h"
#include "expected_icon.h"
#include "vorlin_session.h"
#include "window_manager.h"

namespace e2e {
namespace {

class MenuAndDialog : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(at = vorlin.waitForIcon(expectedIcon(kGray, 6, "DEC"), 5s)); }
  Desktop& desktop() { return vorlin.desktop(); }
  // Nothing on the screen changes for `period`.
  bool screenStays(const QImage& before, std::chrono::milliseconds period) {
    return !pollUntil([&] { return changedArea(before, desktop().screenshot(), {}).has_value(); },
                      period);
  }
  QRect openDialog() {
    const unsigned long dialog = vorlin.openProperties(*at);
    return dialog != 0 ? desktop().geometry(dialog) : QRect();
  }
  bool dialogGone() {
    return pollUntil([&] { return desktop().findWindow("Vorlin Properties") == 0; }, 3s);
  }

  VorlinSession vorlin{{.fakeTime = "2024-12-06 10:00:00"}};
  std::optional<QPoint> at;
};

TEST_F(MenuAndDialog, RightButtonReleaseOpensTheMenuWithItsRightEdgeAtThePointer) {
  const QPoint pointer = *at + QPoint(8, 8);
  const QImage before = desktop().screenshot();

  desktop().moveTo(pointer + QPoint(-3, -2));
  desktop().moveTo(pointer);
  desktop().click(pointer, 1);
  EXPECT_TRUE(screenStays(before, 500ms)) << "pointer movement or a left click did something";

  desktop().press(3);
  EXPECT_TRUE(screenStays(before, 500ms)) << "a right-button press alone opened something";
  desktop().release(3);
  std::optional<QRect> menu;
  ASSERT_TRUE(pollUntil(
      [&] {
        menu = changedArea(before, desktop().screenshot(), {});
        return menu && menu->height() > 30;
      },
      3s));
  saveShot(desktop().screenshot(), "menu");
  EXPECT_EQ(menu->right() + 1, pointer.x());
  EXPECT_EQ(menu->top(), pointer.y());

  // A right click elsewhere closes it, and chooses nothing.
  desktop().click(QPoint(300, 500), 3);
  EXPECT_TRUE(pollUntil([&] { return !changedArea(before, desktop().screenshot(), {}); }, 3s))
      << saveShot(desktop().screenshot(), "right-click-elsewhere");
  EXPECT_EQ(desktop().findWindow("Vorlin Properties"), 0u);
}

TEST_F(MenuAndDialog, PropertiesOpensCentredWithGrayThenRedAndOkMakesTheIconRed) {
  const QRect dialog = openDialog();
  ASSERT_FALSE(dialog.isNull());
  QImage screen = desktop().screenshot();
  saveShot(screen, "dialog");
  EXPECT_EQ(dialog.size(), QSize(2955 / kTwipsPerPixel, 2070 / kTwipsPerPixel));
  EXPECT_LE(std::abs(2 * dialog.x() - (Desktop::kWidth - dialog.width())), 1);
  EXPECT_LE(std::abs(2 * dialog.y() - (Desktop::kHeight - dialog.height())), 1);
  EXPECT_EQ(selectedOption(screen, dialog), kGray);

  desktop().click(optionCentre(dialog, kRed), 1);
  ASSERT_TRUE(
      pollUntil([&] { return selectedOption(desktop().screenshot(), dialog) == kRed; }, 2s));
  EXPECT_TRUE(vorlin.iconStays(expectedIcon(kGray, 6, "DEC"), 200ms)) << "Red alone recomposed";
  desktop().click(buttonCentre(dialog, kOK), 1);
  EXPECT_TRUE(vorlin.waitForIcon(expectedIcon(kRed, 6, "DEC"), 1s))
      << saveShot(desktop().screenshot(), "after-ok");
  EXPECT_TRUE(dialogGone());

  // Opened again: centred again, with the colour now in use.
  const QRect again = openDialog();
  ASSERT_FALSE(again.isNull());
  EXPECT_EQ(again, dialog);
  EXPECT_EQ(selectedOption(desktop().screenshot(), again), kRed);
}

TEST_F(MenuAndDialog, TheDialogsIconIsTheProgramIconAtEachThemeSizeByWholePixels) {
  const unsigned long dialog = vorlin.openProperties(*at);
  ASSERT_NE(dialog, 0u);
  std::vector<int> sizes;
  for (const QImage& icon : desktop().icons(dialog)) {
    sizes.push_back(icon.width());
    EXPECT_EQ(icon, iconInSquare(programIcon(), icon.width()))
        << icon.width() << " " << saveShot(icon, "window-icon-" + std::to_string(icon.width()));
  }
  std::sort(sizes.begin(), sizes.end());
  EXPECT_EQ(sizes, (std::vector<int>{16, 22, 24, 32, 48, 64, 128, 256}));
}

TEST_F(MenuAndDialog, UnderAWindowManagerTheFrameIsCentred) {
  const WindowManager openbox(desktop());
  const std::optional<QRect> menu = vorlin.openMenu(*at);
  ASSERT_TRUE(menu) << saveShot(desktop().screenshot(), "no-menu");
  desktop().click(QPoint(menu->center().x(), menu->top() + 10), 1);  // Properties
  QRect frame;
  ASSERT_TRUE(pollUntil(
      [&] {
        frame = openbox.frameOf("Vorlin Properties");
        return frame.height() > 2070 / kTwipsPerPixel;  // framed
      },
      3s))
      << saveShot(desktop().screenshot(), "unframed");
  saveShot(desktop().screenshot(), "framed");
  EXPECT_LE(std::abs(2 * frame.x() - (Desktop::kWidth - frame.width())), 2)
      << frame.x() << " " << frame.width();
  EXPECT_LE(std::abs(2 * frame.y() - (Desktop::kHeight - frame.height())), 2)
      << frame.y() << " " << frame.height();
}

TEST_F(MenuAndDialog, RedThenCancelKeepsTheOldColour) {
  const QRect dialog = openDialog();
  ASSERT_FALSE(dialog.isNull());
  desktop().click(optionCentre(dialog, kRed), 1);
  ASSERT_TRUE(
      pollUntil([&] { return selectedOption(desktop().screenshot(), dialog) == kRed; }, 2s));
  desktop().click(buttonCentre(dialog, kCancel), 1);
  EXPECT_TRUE(dialogGone());
  EXPECT_TRUE(vorlin.iconStays(expectedIcon(kGray, 6, "DEC"), 300ms));

  const QRect again = openDialog();
  ASSERT_FALSE(again.isNull());
  EXPECT_EQ(selectedOption(desktop().screenshot(), again), kGray)
      << saveShot(desktop().screenshot(), "reopened");
  EXPECT_TRUE(drawsItself(vorlin, "Vorlin Properties"));
  // OK without a choice composes the icon anew, in the colour restored by Cancel.
  desktop().click(buttonCentre(again, kOK), 1);
  EXPECT_TRUE(dialogGone());
  EXPECT_TRUE(vorlin.iconStays(expectedIcon(kGray, 6, "DEC"), 300ms));
}

TEST_F(MenuAndDialog, ArrowsMoveAmongTheOptionsEnterAndEscapeDoNothingAltOPressesOk) {
  const QRect dialog = openDialog();
  ASSERT_FALSE(dialog.isNull());
  // From Gray, Down selects Blue, Purple, Yellow, then Red: never a button.
  for (const int expected : {1, 2, 3, kRed}) {
    ASSERT_EQ(runCommand({"xdotool", "key", "Down"}, desktop().env()), 0);
    ASSERT_TRUE(
        pollUntil([&] { return selectedOption(desktop().screenshot(), dialog) == expected; }, 2s))
        << expected << " " << saveShot(desktop().screenshot(), "arrows");
  }
  for (const char* key : {"Return", "Escape"}) {
    ASSERT_EQ(runCommand({"xdotool", "key", key}, desktop().env()), 0);
  }
  const QImage before = desktop().screenshot();
  EXPECT_TRUE(screenStays(before, 300ms));
  EXPECT_NE(desktop().findWindow("Vorlin Properties"), 0u);
  ASSERT_EQ(runCommand({"xdotool", "key", "alt+o"}, desktop().env()), 0);
  EXPECT_TRUE(vorlin.waitForIcon(expectedIcon(kRed, 6, "DEC"), 1s));
  EXPECT_TRUE(dialogGone());
}

}  // namespace
}  // namespace e2e
