// A platform call that cannot be made ends the refresh with its failure, which reaches the error
// report; the program goes on and leaves nothing allocated behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "support/failing_graphics.h"
#include "vorlin_fixture.h"

namespace vorlin::test {
namespace {

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

  graphics.broken = "CreateIconIndirect";
  rt.clock.time += 1;
  rt.forms.tick();
  ASSERT_EQ(rt.errorReport.errors.size(), 1u);
  EXPECT_EQ(rt.errorReport.errors[0].code, kEntryPointNotFound);
  EXPECT_EQ(rt.errorReport.errors[0].message, "user32: CreateIconIndirect could not be bound");
  EXPECT_EQ(graphics.liveObjects(), shown) << "memory context, bitmap and mask released";
  EXPECT_EQ(rt.shell.requests.size(), 1u) << "no request without a new icon";
  EXPECT_EQ(rt.shell.entries.size(), 1u) << "the entry keeps yesterday's icon";

  // The failed refresh is tried again, not at every tick, and not reported again; the program
  // goes on and the next event works.
  rt.forms.tick(200);
  EXPECT_EQ(rt.errorReport.errors.size(), 1u);
  graphics.broken = {};
  b.v.openProperties();
  rt.forms.clickButton(b.program.frmProperties, FrmProperties::kCmdOK);
  EXPECT_EQ(rt.shell.requests.size(), 2u);
  EXPECT_EQ(differences(rt.shell.entries.front().icon, expectedIcon(0xC0C0C0, "07", "DEC")), "");
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

TEST(Failure, OkThatCannotRecomposeKeepsTheDialogOpen) {
  Broken b;
  b.v.openProperties();
  b.rt.forms.clickOption(b.program.frmProperties, FrmProperties::kOptColour, 4);
  b.graphics.broken = "CreateIconIndirect";
  b.rt.forms.clickButton(b.program.frmProperties, FrmProperties::kCmdOK);
  EXPECT_EQ(b.rt.errorReport.errors.size(), 1u);
  EXPECT_TRUE(b.rt.forms.isLoaded(b.program.frmProperties));
  EXPECT_EQ(b.program.mDate.colourIndex, 4);
}

TEST(Failure, AFailedRefreshIsTriedOnceASecondAndReportedOnceForTheRun) {
  Broken b;
  FailingGraphics& graphics = b.graphics;
  HeadlessRuntime& rt = b.rt;
  graphics.calls.clear();
  graphics.broken = "CreateIconIndirect";
  rt.clock.time += 1;
  rt.forms.tick();
  EXPECT_EQ(graphics.count("CreateIconIndirect"), 1u);
  rt.forms.tick(99);
  EXPECT_EQ(graphics.count("CreateIconIndirect"), 1u) << "not before a second has passed";
  rt.forms.tick();
  rt.forms.tick(100);
  EXPECT_EQ(graphics.count("CreateIconIndirect"), 3u);
  EXPECT_EQ(rt.errorReport.errors.size(), 1u) << "one report for the run";

  graphics.broken = {};
  rt.forms.tick(100);
  EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xC0C0C0, "07", "DEC")), "");
  const std::size_t requests = rt.shell.requests.size();
  rt.forms.tick(300);
  EXPECT_EQ(rt.shell.requests.size(), requests) << "a refresh that succeeds ends the run";
  EXPECT_EQ(graphics.count("CreateIconIndirect"), 4u);

  // A later failure starts a new run, with a report of its own.
  graphics.broken = "CreateIconIndirect";
  rt.clock.time += 1;
  rt.forms.tick();
  EXPECT_EQ(rt.errorReport.errors.size(), 2u);
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

// A release that keeps failing: what it could not release is kept and tried again once a second,
// nothing is made anew meanwhile, and once its owner is full no new day is composed; the run is
// reported once, and everything goes once the release works again.
TEST(Failure, AReleaseThatKeepsFailingKeepsWhatItCouldNotRelease) {
  Broken b;
  FailingGraphics& graphics = b.graphics;
  HeadlessRuntime& rt = b.rt;
  const LiveObjects shown = graphics.liveObjects();
  graphics.broken = "DestroyIcon";
  for (int day = 1; day <= 6; ++day) {
    rt.clock.time += 1;
    rt.forms.tick(1000);
    LiveObjects expected = shown;
    // Each day's predecessor, not released, as long as its owner has room for it.
    expected.icons += std::min<int>(day, static_cast<int>(kMaxUnreleased) + 1);
    EXPECT_EQ(graphics.liveObjects(), expected) << "day " << day;
  }
  EXPECT_EQ(rt.errorReport.errors.size(), 1u);
  graphics.broken = {};
  rt.forms.tick(100);
  EXPECT_EQ(graphics.liveObjects(), shown);
  EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xC0C0C0, "12", "DEC")), "");
}

// One refresh on a new date, call by call, as the platform sees it; the previous day's icon is
// shown. Released at once: what the refresh took, when the failing call is not itself a release.
struct FailingCall {
  std::size_t number;
  std::string_view name;
  bool releasedAtOnce;
};

void PrintTo(const FailingCall& c, std::ostream* out) {
  *out << c.number << " " << c.name;
}

class OneFailingCall : public testing::TestWithParam<FailingCall> {};

TEST_P(OneFailingCall, LeavesTheLiveCountsWhereTheyWere) {
  const FailingCall& c = GetParam();
  Broken b;
  FailingGraphics& graphics = b.graphics;
  const LiveObjects shown = graphics.liveObjects();
  graphics.failAt(c.number);
  b.rt.clock.time += 1;
  b.rt.forms.tick();
  ASSERT_GE(graphics.calls.size(), c.number);
  EXPECT_EQ(graphics.calls[c.number - 1], c.name);
  if (c.releasedAtOnce) {
    EXPECT_EQ(graphics.liveObjects(), shown);
  }

  // Within a second the entry shows the new date; a release that could not be made has been
  // made since, and a failure is reported once at most.
  b.rt.forms.tick(100);
  EXPECT_EQ(graphics.liveObjects(), shown);
  EXPECT_EQ(differences(b.v.shownIcon(), expectedIcon(0xC0C0C0, "07", "DEC")), "");
  EXPECT_LE(b.rt.errorReport.errors.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Refresh, OneFailingCall,
    testing::Values(FailingCall{1, "CreateCompatibleDC", true},
                    FailingCall{2, "CreateCompatibleBitmap", true},
                    FailingCall{3, "SelectObject", true},  // the memory bitmap in
                    FailingCall{4, "BitBlt", true},        // the background
                    FailingCall{5, "BitBlt", true}, FailingCall{6, "BitBlt", true},
                    FailingCall{7, "BitBlt", true}, FailingCall{8, "BitBlt", true},
                    FailingCall{9, "BitBlt", true},
                    FailingCall{10, "CreateBitmap", true},  // the mask
                    FailingCall{11, "CreateIconIndirect", true},
                    FailingCall{12, "DeleteObject", true},  // the mask
                    FailingCall{13, "readIcon", true},      // the shell's copy of the icon
                    FailingCall{14, "DestroyIcon", false},  // the previous icon
                    FailingCall{15, "SelectObject", true},  // the memory bitmap out
                    FailingCall{16, "DeleteObject", false}, FailingCall{17, "DeleteDC", false}),
    [](const testing::TestParamInfo<FailingCall>& info) {
      return std::to_string(info.param.number) + std::string(info.param.name);
    });

}  // namespace
}  // namespace vorlin::test
