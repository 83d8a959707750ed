// A platform call that cannot be made ends the refresh with its failure, which reaches the error
// report; the program goes on and leaves nothing allocated behind.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "support/failing_graphics.h"
#include "vorlin_fixture.h"

namespace vorlin::test {
namespace {

LiveObjects plus(const LiveObjects& a, const LiveObjects& b) {
  return {a.dcs + b.dcs, a.bitmaps + b.bitmaps, a.icons + b.icons};
}

// The program, its first icon shown, on graphics that can be broken.
struct Broken {
  Broken() { v.rt.forms.tick(); }
  SoftGraphics soft;
  FailingGraphics graphics{soft};
  Vorlin v{kDec6, &graphics};
  HeadlessRuntime& rt = v.rt;
  Program& program = v.program;
};

TEST(Failure, ReachesTheErrorReportAndLeavesNothingBehind) {
  Broken b;
  FailingGraphics& graphics = b.graphics;
  HeadlessRuntime& rt = b.rt;
  const LiveObjects shown = graphics.liveObjects();

  graphics.calls.clear();
  graphics.broken = "CreateIconIndirect";
  rt.clock.time += 1;
  rt.forms.tick();
  ASSERT_EQ(rt.errorReport.errors.size(), 1u);
  EXPECT_EQ(rt.errorReport.errors[0].code, kEntryPointNotFound);
  EXPECT_EQ(rt.errorReport.errors[0].message, "user32: CreateIconIndirect could not be bound");
  EXPECT_EQ(graphics.liveObjects(), shown) << "memory context, bitmap and mask released";
  EXPECT_EQ(rt.shell.requests.size(), 1u) << "no request without a new icon";
  EXPECT_EQ(rt.shell.entries.size(), 1u) << "the entry keeps yesterday's icon";

  // The failed refresh is tried again once a second, not at every tick, and not reported again;
  // one that succeeds ends the run.
  rt.forms.tick(99);
  EXPECT_EQ(graphics.count("CreateIconIndirect"), 1u) << "not before a second has passed";
  rt.forms.tick(101);
  EXPECT_EQ(graphics.count("CreateIconIndirect"), 3u);
  EXPECT_EQ(rt.errorReport.errors.size(), 1u) << "one report for the run";
  graphics.broken = {};
  rt.forms.tick(100);
  EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xC0C0C0, "07", "DEC")), "");
  rt.forms.tick(300);
  EXPECT_EQ(rt.shell.requests.size(), 2u);
  EXPECT_EQ(graphics.count("CreateIconIndirect"), 4u);

  // Graphics out of resources make nothing and say nothing: the entry is never handed no icon.
  // A later failure starts a run of its own, with a report of its own.
  graphics.noMask = true;
  rt.clock.time += 1;
  rt.forms.tick();
  ASSERT_EQ(rt.errorReport.errors.size(), 2u);
  EXPECT_EQ(rt.errorReport.errors[1].message,
            "Out of memory: user32: CreateIconIndirect made no icon");
  EXPECT_EQ(rt.shell.requests.size(), 2u);
  EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xC0C0C0, "07", "DEC")), "");
  graphics.noMask = false;
  rt.forms.tick(100);
  EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xC0C0C0, "08", "DEC")), "");
}

TEST(Failure, AStartThatFailsIsReportedAndEndsWithAStatusNotZero) {
  SoftGraphics soft;
  FailingGraphics graphics{soft};
  graphics.broken = "loadPicture";
  HeadlessRuntime rt(&graphics);
  Program program{rt.services};
  EXPECT_EQ(program.launch(), std::optional<int>(Program::kFailedStart));
  ASSERT_EQ(rt.errorReport.errors.size(), 1u);
  EXPECT_EQ(rt.errorReport.errors[0].message, "graphics: loadPicture could not be bound");
  EXPECT_FALSE(rt.forms.isLoaded(program.frmDate));

  graphics.broken = {};
  EXPECT_EQ(program.launch(), std::nullopt) << "a start that succeeds runs its message loop";
}

TEST(Failure, OkKeepsTheDialogOpenOnlyWhileTheIconCannotBeShown) {
  Broken b;
  b.v.openProperties();
  b.rt.forms.clickOption(b.program.frmProperties, FrmProperties::kOptColour, 4);
  b.graphics.broken = "CreateIconIndirect";
  b.rt.forms.clickButton(b.program.frmProperties, FrmProperties::kCmdOK);
  EXPECT_EQ(b.rt.errorReport.errors.size(), 1u);
  EXPECT_TRUE(b.rt.forms.isLoaded(b.program.frmProperties));
  EXPECT_EQ(b.program.mDate.colourIndex, 4);

  // A refresh that shows its icon is done, though a release after it failed: reported, and the
  // dialog goes.
  b.graphics.broken = "DestroyIcon";
  b.rt.forms.clickButton(b.program.frmProperties, FrmProperties::kCmdOK);
  EXPECT_EQ(b.rt.errorReport.errors.size(), 2u);
  EXPECT_FALSE(b.rt.forms.isLoaded(b.program.frmProperties));
  EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xFF0000, "06", "DEC")), "");
}

TEST(Failure, AShellThatCannotBeAskedIsTriedOnceASecondAndReportedOnce) {
  Vorlin v;
  HeadlessRuntime& rt = v.rt;
  rt.shell.unbound = true;
  rt.forms.tick(500);  // five seconds
  ASSERT_EQ(rt.errorReport.errors.size(), 1u) << "one report for the run";
  EXPECT_EQ(rt.errorReport.errors[0].message, "shell32: Shell_NotifyIconA could not be bound");
  EXPECT_GE(rt.shell.unboundCalls, 5) << "tried once a second";
  EXPECT_LE(rt.shell.unboundCalls, 6) << "tried once a second";

  rt.shell.unbound = false;
  rt.forms.tick(100);
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "06", "DEC")), "");
  EXPECT_EQ(rt.errorReport.errors.size(), 1u);

  // An entry the shell did not confirm, then a shell that cannot be asked: the retries are one
  // run of failures too.
  rt.shell.refuseNextRequests = 2;
  rt.clock.time += 1;
  rt.forms.tick();
  rt.shell.unbound = true;
  rt.forms.tick(500);
  EXPECT_EQ(rt.errorReport.errors.size(), 2u) << "one report for the second run";
}

// A release that keeps failing: each refresh shows its icon, reports the release once and loses
// the one object it could not release; nothing is tried again, so the loss is one object a
// refresh, and what was lost stays lost once the release works again.
TEST(Failure, AReleaseThatKeepsFailingLosesOneObjectARefresh) {
  Broken b;
  FailingGraphics& graphics = b.graphics;
  HeadlessRuntime& rt = b.rt;
  const LiveObjects shown = graphics.liveObjects();
  graphics.calls.clear();
  graphics.broken = "DestroyIcon";
  constexpr std::array<std::string_view, 3> kDays{"07", "08", "09"};
  for (std::size_t day = 1; day <= kDays.size(); ++day) {
    rt.clock.time += 1;
    rt.forms.tick(1000);  // ten seconds
    EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xC0C0C0, kDays[day - 1], "DEC")), "");
    EXPECT_EQ(graphics.liveObjects(), plus(shown, {.icons = static_cast<int>(day)}));
    EXPECT_EQ(graphics.count("DestroyIcon"), day) << "one try a refresh";
    EXPECT_EQ(rt.errorReport.errors.size(), day) << "one report a refresh";
  }
  ASSERT_FALSE(rt.errorReport.errors.empty());
  EXPECT_EQ(rt.errorReport.errors.back().message, "user32: DestroyIcon could not be bound");
  graphics.broken = {};
  rt.clock.time += 1;
  rt.forms.tick(100);
  EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xC0C0C0, "10", "DEC")), "");
  EXPECT_EQ(graphics.liveObjects(), plus(shown, {.icons = 3})) << "the lost icons stay lost";
  EXPECT_EQ(rt.errorReport.errors.size(), kDays.size());
}

// One refresh on a new date, call by call, as the platform sees it; the previous day's icon is
// shown. A failure before the icon is shown is tried again within a second; a release that fails
// after it loses its object, `lost`, and the new icon stays shown.
struct FailingCall {
  std::size_t number;
  std::string_view name;
  LiveObjects lost;
  std::size_t reports = 1;
};

void PrintTo(const FailingCall& c, std::ostream* out) {
  *out << c.number << " " << c.name;
}

class OneFailingCall : public testing::TestWithParam<FailingCall> {};

TEST_P(OneFailingCall, IsReportedOnceAndTheNewDateShownWithinASecond) {
  const FailingCall& c = GetParam();
  Broken b;
  FailingGraphics& graphics = b.graphics;
  const LiveObjects shown = graphics.liveObjects();
  graphics.failAt(c.number);
  b.rt.clock.time += 1;
  b.rt.forms.tick();
  ASSERT_GE(graphics.calls.size(), c.number);
  EXPECT_EQ(graphics.calls[c.number - 1], c.name);
  EXPECT_EQ(graphics.liveObjects(), plus(shown, c.lost));
  EXPECT_EQ(b.rt.errorReport.errors.size(), c.reports);

  b.rt.forms.tick(100);
  EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xC0C0C0, "07", "DEC")), "");
  EXPECT_EQ(graphics.liveObjects(), plus(shown, c.lost)) << "nothing lost is tried again";
  EXPECT_EQ(b.rt.errorReport.errors.size(), c.reports);
}

INSTANTIATE_TEST_SUITE_P(
    Refresh, OneFailingCall,
    testing::Values(FailingCall{1, "CreateCompatibleDC", {}},
                    FailingCall{2, "CreateCompatibleBitmap", {}},
                    FailingCall{3, "SelectObject", {}},  // the memory bitmap in
                    FailingCall{4, "BitBlt", {}},        // the background
                    FailingCall{5, "BitBlt", {}}, FailingCall{6, "BitBlt", {}},
                    FailingCall{7, "BitBlt", {}}, FailingCall{8, "BitBlt", {}},
                    FailingCall{9, "BitBlt", {}}, FailingCall{10, "CreateBitmap", {}},  // the mask
                    FailingCall{11, "CreateIconIndirect", {}},
                    // The shell could not take its copy of the icon: a refusal, asked again.
                    FailingCall{12, "readIcon", {}, 0},
                    FailingCall{13, "DeleteObject", {.bitmaps = 1}},  // the mask
                    FailingCall{14, "DestroyIcon", {.icons = 1}},     // the previous icon
                    FailingCall{15, "SelectObject", {}},              // the memory bitmap out
                    FailingCall{16, "DeleteObject", {.bitmaps = 1}},
                    FailingCall{17, "DeleteDC", {.dcs = 1}}),
    [](const testing::TestParamInfo<FailingCall>& info) {
      return std::to_string(info.param.number) + std::string(info.param.name);
    });

}  // namespace
}  // namespace vorlin::test
