// The properties dialog and the forms as the runtime builds them.
#include <gtest/gtest.h>

#include <ostream>

#include "art/artwork.h"
#include "support/expected_windows.h"
#include "vorlin_fixture.h"

namespace vorlin {

// How a failing comparison shows a control.
void PrintTo(const BuiltControl& c, std::ostream* out) {
  constexpr const char* kKinds[] = {"picture box", "timer",  "menu",
                                    "separator",   "option", "button"};
  *out << kKinds[static_cast<int>(c.kind)] << " [" << c.index << "] \"" << c.caption << "\" at "
       << c.left << ", " << c.top << " size " << c.width << " x " << c.height << " interval "
       << c.interval << " in \"" << c.menu << "\"";
}

namespace test {
namespace {

constexpr art::Rgb kGray = 0xC0C0C0;
constexpr art::Rgb kRed = 0xFF0000;

// A window as the runtime built it against the one expected, control by control.
void expectBuilt(const BuiltWindow* built, const BuiltWindow& expected) {
  ASSERT_NE(built, nullptr);
  EXPECT_EQ(built->caption, expected.caption);
  EXPECT_EQ(built->clientWidth, expected.clientWidth);
  EXPECT_EQ(built->clientHeight, expected.clientHeight);
  ASSERT_EQ(built->controls.size(), expected.controls.size());
  for (std::size_t i = 0; i < expected.controls.size(); ++i)
    EXPECT_EQ(built->controls[i], expected.controls[i]) << "control " << i;
}

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
  Opened v;
  expectBuilt(v.rt.forms.built(v.frmProperties), kPropertiesDialog);
}

TEST(FormDescription, HostWindowIsHiddenAndHoldsTheArtwork) {
  Vorlin v;
  expectBuilt(v.rt.forms.built(v.frmDate), kHostWindow);
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
}  // namespace test
}  // namespace vorlin
