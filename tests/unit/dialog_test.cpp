// The properties dialog and the forms as the runtime builds them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "art/artwork.h"
#include "vorlin_fixture.h"

namespace vorlin::test {
namespace {

constexpr art::Rgb kGray = 0xC0C0C0;
constexpr art::Rgb kRed = 0xFF0000;

struct Opened : Vorlin {
  Opened() {
    rt.forms.tick();
    openProperties();
  }
  std::int16_t colour() const { return program.mDate.colourIndex; }
  void click(std::int16_t option) {
    rt.forms.clickOption(frmProperties, FrmProperties::kOptColour, option);
  }
};

TEST(FormDescription, PropertiesDialog) {
  Vorlin v;
  const FormDesc& d = v.frmProperties.description();
  EXPECT_EQ(d.caption, "Vorlin Properties");
  EXPECT_EQ(d.clientWidth, 2955);
  EXPECT_EQ(d.clientHeight, 2070);
  std::vector<ControlDesc> byTab(d.controls.begin(), d.controls.end());
  std::sort(byTab.begin(), byTab.end(),
            [](const ControlDesc& a, const ControlDesc& b) { return a.tabIndex < b.tabIndex; });
  std::vector<std::string> captions;
  for (const ControlDesc& c : byTab) captions.emplace_back(c.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Gray", "Blue", "Purple", "Yellow", "&Cancel",
                                                "&OK", "Red", "White"}));
  const ControlDesc* red = d.find(FrmProperties::kOptColour, 4);
  ASSERT_NE(red, nullptr);
  EXPECT_EQ((std::array{red->left, red->top, red->width, red->height}),
            (std::array{1440, 600, 1455, 255}));
  const ControlDesc* ok = d.find(FrmProperties::kCmdOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ((std::array{ok->left, ok->top, ok->width, ok->height}),
            (std::array{360, 1440, 855, 375}));
  const std::array<std::string_view, 6> kCaptions{"Gray",   "Blue", "Purple",
                                                  "Yellow", "Red",  "White"};
  for (std::int16_t i = 0; i < 6; ++i) {
    EXPECT_EQ(d.find(FrmProperties::kOptColour, i)->caption, kCaptions[static_cast<unsigned>(i)]);
  }
}

TEST(FormDescription, HostWindowIsHiddenAndHoldsTheArtwork) {
  Vorlin v;
  const FormDesc& d = v.frmDate.description();
  EXPECT_EQ(d.caption, "Form1");
  EXPECT_FALSE(v.rt.forms.isVisible(v.frmDate));
  EXPECT_TRUE(v.rt.forms.isLoaded(v.frmDate));
  // The loaded window's picture boxes: the six backgrounds in colour order, and the two strips,
  // every pixel.
  for (std::int16_t i = 0; i < 6; ++i) {
    const Handle dc = v.rt.forms.pictureDC(v.frmDate, FrmDate::kSource, i).value;
    for (int y = 0; y < 17; ++y) {
      for (int x = 0; x < 17; ++x) {
        const std::uint32_t expected =
            x < 16 && y < 16 ? kBackgroundColours[static_cast<unsigned>(i)] : 0;
        ASSERT_EQ(v.rt.soft.pixel(dc, x, y), expected) << i << " at " << x << ", " << y;
      }
    }
  }
  const Handle digits = v.rt.forms.pictureDC(v.frmDate, FrmDate::kSourceNumber, kNone).value;
  const Handle letters = v.rt.forms.pictureDC(v.frmDate, FrmDate::kSourceText, kNone).value;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 130; ++x) {
      const bool inDigits = x < 49 && y < 6;
      const bool inLetters = x < 129 && y < 6;
      ASSERT_EQ(v.rt.soft.pixel(digits, x, y), inDigits ? stripPixel(kDigitGlyphs, x, y) : 0)
          << x << ", " << y;
      ASSERT_EQ(v.rt.soft.pixel(letters, x, y), inLetters ? stripPixel(kLetterGlyphs, x, y) : 0)
          << x << ", " << y;
    }
  }
  EXPECT_EQ(d.find(FrmDate::kTmDate)->interval, 10);
  std::vector<std::string> menu;
  for (const ControlDesc& c : d.controls) {
    if (c.parent == FrmDate::kMnuVorlin) menu.emplace_back(c.caption);
  }
  EXPECT_EQ(menu, (std::vector<std::string>{"Properties", "-", "Close"}));
}

TEST(PropertiesDialog, OpensCentredWithTheCurrentColour) {
  Opened v;
  EXPECT_EQ(v.rt.forms.shown, std::vector<std::string>{"frmProperties"});
  EXPECT_EQ(v.rt.forms.selectedOption(v.frmProperties), 0);
  // Outer width 2955 + 2 × 4 × 15 = 3075 twips on a 15360-twip screen: half a twip is kept.
  EXPECT_EQ(v.rt.forms.left(v.frmProperties), 6142.5f);
  EXPECT_EQ(v.rt.forms.top(v.frmProperties), (11520.0f - (2070.0f + 31 * 15)) / 2);
  EXPECT_EQ(v.rt.forms.unloaded, std::vector<std::string>{});
}

TEST(PropertiesDialog, RedThenCancelKeepsGray) {
  Opened v;
  v.click(4);
  EXPECT_EQ(v.colour(), 4);
  v.rt.forms.clickButton(v.frmProperties, FrmProperties::kCmdCancel);
  EXPECT_EQ(v.colour(), 0);
  EXPECT_FALSE(v.rt.forms.isLoaded(v.frmProperties));
  EXPECT_EQ(messages(v.rt.shell), Messages{kNimAdd});
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(kGray, "06", "DEC")), "");
}

TEST(PropertiesDialog, RedThenOkRecomposesAtOnce) {
  Opened v;
  v.rt.forms.setLeft(v.frmProperties, 0).ok();  // the user moves it
  v.click(4);
  v.rt.forms.clickButton(v.frmProperties, FrmProperties::kCmdOK);
  EXPECT_FALSE(v.rt.forms.isLoaded(v.frmProperties));
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify}));
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(kRed, "06", "DEC")), "");
  // Reopened: centred again, Red selected.
  v.openProperties();
  EXPECT_EQ(v.rt.forms.selectedOption(v.frmProperties), 4);
  EXPECT_EQ(v.rt.forms.left(v.frmProperties), 6142.5f);
}

TEST(PropertiesDialog, OkWithoutAClickStillUpdatesTheEntry) {
  Opened v;
  v.rt.forms.clickButton(v.frmProperties, FrmProperties::kCmdOK);
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify}));
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(kGray, "06", "DEC")), "");
}

TEST(PropertiesDialog, RedThenCloseBoxIsCancel) {
  Opened v;
  v.click(4);
  v.rt.forms.closeFromFrame(v.frmProperties);
  EXPECT_FALSE(v.rt.forms.isLoaded(v.frmProperties));
  EXPECT_EQ(v.colour(), 0);
  EXPECT_EQ(messages(v.rt.shell), Messages{kNimAdd});
  v.rt.clock.time += 1;
  v.rt.forms.tick();
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(kGray, "07", "DEC")), "");
  v.openProperties();
  EXPECT_EQ(v.rt.forms.selectedOption(v.frmProperties), 0);
}

TEST(PropertiesDialog, DateChangeWhileOpenUsesTheTentativeColour) {
  Opened v;
  v.click(4);
  v.rt.clock.time += 1;
  v.rt.forms.tick();
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(kRed, "07", "DEC")), "");
  v.rt.forms.clickButton(v.frmProperties, FrmProperties::kCmdCancel);
  EXPECT_EQ(v.colour(), 0);
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(kRed, "07", "DEC")), "");
}

TEST(PropertiesDialog, PropertiesTwiceKeepsOneDialogAndItsSavedColour) {
  Opened v;
  v.click(4);
  v.rt.forms.setLeft(v.frmProperties, 100).ok();
  v.openProperties();
  EXPECT_EQ(v.rt.forms.selectedOption(v.frmProperties), 4) << "not loaded again";
  EXPECT_EQ(v.rt.forms.left(v.frmProperties), 100) << "not centred again";
  v.rt.forms.clickButton(v.frmProperties, FrmProperties::kCmdCancel);
  EXPECT_EQ(v.colour(), 0);
}

TEST(PropertiesDialog, OkAfterCloseEndsTheProgramWithoutRecomposing) {
  Opened v;
  v.rt.forms.nextMenuChoice = FrmDate::kMnuClose;
  v.rt.forms.trayReport(v.frmDate, kRightButtonUp);
  EXPECT_FALSE(v.rt.forms.isLoaded(v.frmDate));
  EXPECT_TRUE(v.rt.forms.running()) << "the dialog is still open";
  v.click(4);
  EXPECT_EQ(v.colour(), 4) << "the dialog keeps working";
  v.rt.forms.clickButton(v.frmProperties, FrmProperties::kCmdOK);
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimDelete}));
  EXPECT_FALSE(v.rt.forms.isLoaded(v.frmDate)) << "the host window is not brought back";
  EXPECT_FALSE(v.rt.forms.running());
  EXPECT_TRUE(v.rt.errorReport.errors.empty());
  EXPECT_EQ(v.rt.graphics.liveObjects(), LiveObjects{});
}

}  // namespace
}  // namespace vorlin::test
