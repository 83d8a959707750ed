// What the program asks of the notification area, request by request and byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "vorlin_fixture.h"

namespace vorlin::test {
namespace {

TEST(TrayRequests, AddedOnTheFirstTickThenModifiedWhenTheDateChanges) {
  Vorlin v(serialFromCivil(2026, 12, 6, 23, 59, 58));
  EXPECT_TRUE(v.rt.shell.requests.empty()) << "nothing before the first tick";
  v.rt.forms.tick();
  EXPECT_EQ(messages(v.rt.shell), Messages{kNimAdd});
  v.rt.forms.tick(50);
  v.rt.clock.time = serialFromCivil(2026, 12, 6, 23, 59, 59);  // the time alone changes nothing
  v.rt.forms.tick(50);
  EXPECT_EQ(messages(v.rt.shell), Messages{kNimAdd});
  v.rt.clock.time = serialFromCivil(2026, 12, 7, 0, 0, 0);
  v.rt.forms.tick();
  v.rt.forms.tick(5);
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify}));
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "07", "DEC")), "");
  v.rt.clock.time = serialFromCivil(2026, 12, 6, 12, 0, 0);  // the clock set back a day
  v.rt.forms.tick();
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify, kNimModify}));
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "06", "DEC")), "");
  EXPECT_EQ(v.rt.shell.entries.size(), 1u);
}

TEST(TrayRequests, EveryRecordHasTheSameFieldsAndTip) {
  Vorlin v;
  v.rt.forms.tick();
  v.openProperties();
  v.rt.forms.clickButton(v.frmProperties, FrmProperties::kCmdOK);
  ASSERT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify}));
  const Handle hWnd = v.rt.forms.windowHandle(v.frmDate).value;
  for (const TrayRequest& r : v.rt.shell.requests) {
    const NotifyIconFields f = r.fields();
    NotifyIconRecord want{88, 0, 0, 0};
    writeU32(want, 4, static_cast<std::uint32_t>(hWnd));
    want[8] = 1;
    want[12] = 7;
    want[17] = 2;  // 512
    writeU32(want, 20, static_cast<std::uint32_t>(f.hIcon));
    std::memcpy(want.data() + 24, "Tenwick Vorlin", 14);
    std::memset(want.data() + 39, ' ', 88 - 39);
    EXPECT_EQ(r.record, want);
    EXPECT_NE(f.hIcon, 0);
    EXPECT_EQ(f.tip(), "Tenwick Vorlin");
  }
  EXPECT_NE(v.rt.shell.requests[0].fields().hIcon, v.rt.shell.requests[1].fields().hIcon);
}

TEST(TrayRequests, RefusedAddIsRetriedOnceASecondUntilItSucceeds) {
  Vorlin v;
  v.rt.shell.refuseNextRequests = 3;
  // A refused add may have found the entry there: a modify asks.
  v.rt.forms.tick();
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify}));
  v.rt.forms.tick(99);  // 990 ms later
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify}));
  v.rt.forms.tick();
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify, kNimAdd, kNimModify}));
  v.rt.forms.tick(100);
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify, kNimAdd, kNimModify, kNimAdd}));
  EXPECT_TRUE(v.rt.shell.requests.back().answer);
  v.rt.forms.tick(300);
  EXPECT_EQ(v.rt.shell.requests.size(), 5u) << "nothing more once the entry is there";
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "06", "DEC")), "");
  EXPECT_TRUE(v.rt.errorReport.errors.empty());
}

TEST(TrayRequests, LostEntryComesBackByModifyFallbackAndByTaskbarCreated) {
  Vorlin v;
  v.rt.forms.tick();
  v.rt.shell.restart();
  v.rt.clock.time += 1;
  v.rt.forms.tick();
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify, kNimAdd}));
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "07", "DEC")), "");

  v.rt.shell.restart();
  v.rt.forms.taskbarCreated(v.frmDate);
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimModify, kNimAdd, kNimAdd}));
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "07", "DEC")), "");
}

// A way of driving the program, by name: the cases of the tests below.
struct Driving {
  const char* name;
  void (*drive)(Vorlin&);
};

void PrintTo(const Driving& c, std::ostream* out) {
  *out << c.name;
}

std::string nameOf(const testing::TestParamInfo<Driving>& info) {
  return info.param.name;
}

// The ways into an add the shell refuses while the entry is there.
class RefusedAddWithTheEntryThere : public testing::TestWithParam<Driving> {};

TEST_P(RefusedAddWithTheEntryThere, TheNextRefreshReachesTheShellAndCloseRemovesTheEntry) {
  Vorlin v;
  GetParam().drive(v);
  const auto refusedAdd = [](const TrayRequest& r) { return r.message == kNimAdd && !r.answer; };
  ASSERT_TRUE(std::any_of(v.rt.shell.requests.begin(), v.rt.shell.requests.end(), refusedAdd));
  ASSERT_EQ(v.rt.shell.entries.size(), 1u);

  v.rt.clock.time = serialFromCivil(2026, 12, 9, 8, 0, 0);
  v.rt.forms.tick();
  EXPECT_EQ(differences(v.shownIcon(), expectedIcon(0xC0C0C0, "09", "DEC")), "");
  v.rt.forms.clickMenu(v.frmDate, FrmDate::kMnuClose);
  EXPECT_EQ(v.rt.shell.requests.back().message, kNimDelete);
  EXPECT_TRUE(v.rt.shell.entries.empty());
  EXPECT_FALSE(v.rt.forms.running());
  EXPECT_TRUE(v.rt.errorReport.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Tray, RefusedAddWithTheEntryThere,
                         testing::Values(Driving{"FirstAddAnsweredNo",
                                                 [](Vorlin& v) {
                                                   v.rt.shell.carryOutButAnswerNo = 1;
                                                   v.rt.forms.tick();
                                                 }},
                                         Driving{"ModifyAnsweredNo",
                                                 [](Vorlin& v) {
                                                   v.rt.forms.tick();
                                                   v.rt.shell.carryOutButAnswerNo = 1;
                                                   v.rt.clock.time += 1;
                                                   v.rt.forms.tick();
                                                 }},
                                         Driving{"TaskbarCreatedWithTheEntryThere",
                                                 [](Vorlin& v) {
                                                   v.rt.forms.tick();
                                                   v.rt.forms.taskbarCreated(v.frmDate);
                                                 }}),
                         nameOf);

// Close in the menu, and the program ended from outside: the entry goes, then the window.
class Ended : public testing::TestWithParam<Driving> {};

TEST_P(Ended, RemovesTheEntryAndEndsTheProgram) {
  Vorlin v;
  v.rt.forms.tick();
  const Handle hWnd = v.rt.forms.windowHandle(v.frmDate).value;
  GetParam().drive(v);
  EXPECT_EQ(messages(v.rt.shell), (Messages{kNimAdd, kNimDelete}));
  EXPECT_EQ(v.rt.shell.requests.back().fields().hWnd, hWnd) << "the entry goes before its window";
  EXPECT_TRUE(v.rt.shell.entries.empty());
  EXPECT_FALSE(v.rt.forms.running());
  EXPECT_TRUE(v.rt.errorReport.errors.empty());
  v.rt.forms.tick(10);
  EXPECT_EQ(v.rt.shell.requests.size(), 2u) << "the timer went with the window";
}

INSTANTIATE_TEST_SUITE_P(Program, Ended,
                         testing::Values(Driving{"CloseInTheMenu",
                                                 [](Vorlin& v) {
                                                   v.rt.forms.nextMenuChoice = FrmDate::kMnuClose;
                                                   v.rt.forms.trayReport(v.frmDate, kRightButtonUp);
                                                 }},
                                         Driving{"HostWindowClosedByAnotherProgram",
                                                 [](Vorlin& v) {
                                                   v.rt.forms.closeFromFrame(v.frmDate);
                                                 }},
                                         Driving{"FromOutsideWithTheDialogOpen",
                                                 [](Vorlin& v) {
                                                   v.openProperties();
                                                   v.program.endFromOutside();
                                                 }}),
                         nameOf);

TEST(TrayReports, OnlyARightButtonReleaseOpensTheMenu) {
  Vorlin v;
  v.rt.forms.tick();
  for (int message : {512, 513, 514, 515, 516, 518, 519, 520})
    v.rt.forms.trayReport(v.frmDate, message);
  // A report is rounded to the nearest message, halves to even: 516.5 is 516 and 517.5 is 518.
  for (float message : {516.5f, 517.5f}) v.rt.forms.trayReport(v.frmDate, message);
  EXPECT_TRUE(v.rt.forms.popups.empty());
  v.rt.forms.twipsPerPixel = 10;  // 144 dots an inch
  v.rt.forms.trayReport(v.frmDate, kRightButtonUp);
  ASSERT_EQ(v.rt.forms.popups.size(), 1u);
  EXPECT_EQ(v.rt.forms.popups[0].form, "frmDate");
  EXPECT_EQ(v.rt.forms.popups[0].menu, FrmDate::kMnuVorlin);
  EXPECT_EQ(v.rt.forms.popups[0].flags, 8);
  EXPECT_TRUE(v.rt.forms.running()) << "a dismissed menu changes nothing";
  EXPECT_EQ(v.rt.shell.requests.size(), 1u);
}

TEST(TrayReports, AFailureIsReportedAndTheProgramGoesOn) {
  Vorlin v;
  v.rt.forms.tick();
  v.rt.forms.twipsPerPixel = 0;
  v.rt.forms.trayReport(v.frmDate, kRightButtonUp);
  ASSERT_EQ(v.rt.errorReport.errors.size(), 1u);
  EXPECT_EQ(v.rt.errorReport.errors[0].code, 6) << "the report reads Run-time error '6'";
  EXPECT_TRUE(v.rt.forms.popups.empty());
  v.rt.forms.twipsPerPixel = 15;
  v.rt.forms.trayReport(v.frmDate, kRightButtonUp);
  EXPECT_EQ(v.rt.forms.popups.size(), 1u);
}

}  // namespace
}  // namespace vorlin::test
