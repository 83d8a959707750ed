// The entry among neighbours that do not answer or are not there: a panel that hangs holds the
// program up in nothing, and a desktop with no notification area is told so once, asked nothing
// more, and gets the entry as soon as a panel starts.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>

#include "expected_icon.h"
#include "vorlin_session.h"
#include "xfce_panel.h"

namespace e2e {
namespace {

// Ends the program with SIGTERM: true when it ended within `deadline`, with status 0.
bool endsWithin(Process& program, std::chrono::milliseconds deadline) {
  program.signal(SIGTERM);
  return program.waitForExit(patience(deadline)) && program.exitStatus() == 0;
}

// The panel's process stopped, its watcher on the bus answering nothing: the program started then
// ends at once on SIGTERM; started again, it shows its entry as soon as the panel answers; while
// the panel hangs again, midnight changes the item's icon, and SIGTERM ends it at once.
TEST(HungPanel, HoldsTheProgramUpInNothing) {
  SessionBus bus;
  VorlinSession vorlin({.fakeTime = "2024-12-06 10:00:00",
                        .panel = {.trayer = false},
                        .env = bus.env(),
                        .startNow = false});
  XfcePanel panel(vorlin.desktop(), bus);
  ASSERT_TRUE(panel.start());
  panel.hang();
  for (const bool answersLater : {false, true}) {
    vorlin.start();
    ASSERT_TRUE(pollUntil([&] { return !bus.namesOf(vorlin.process().pid()).empty(); }, 5s));
    if (answersLater) break;
    EXPECT_TRUE(endsWithin(vorlin.process(), 1s)) << "started while the panel hangs";
  }
  panel.resume();
  ASSERT_TRUE(vorlin.waitForIcon(expectedIcon(kGray, 6, "DEC"), 2s))
      << saveShot(vorlin.desktop().screenshot(), "resumed");

  panel.hang();
  const std::string item = bus.itemOf(vorlin.process().pid());
  ASSERT_NE(item, "");
  const std::string before = bus.itemProperty(item, "IconName");
  vorlin.setTime("2024-12-07 00:00:01");
  // Within a second of the clock (read once a second), and its refresh.
  EXPECT_TRUE(pollUntil([&] { return bus.itemProperty(item, "IconName") != before; }, 2s));
  EXPECT_TRUE(endsWithin(vorlin.process(), 1s)) << "ended while the panel hangs";
  EXPECT_FALSE(bus.hasName(item));
}

// No notification area of either kind, as on GNOME without its extension or a bare window
// manager: after about 10 s one report says so (on GNOME, naming the extension that gives one),
// a message box shows it, and the program sends nothing on the bus while it waits; a panel that
// starts then gets the exact icon within 2 s, the box goes, and no second report comes. The
// program draws the box itself, and ends at once when asked to while it shows.
struct NoTrayCase {
  const char* desktop;  // XDG_CURRENT_DESKTOP; empty: unset
  const char* advice;   // what the report says to do
  bool monitored;       // the bus is watched for the program's messages
  bool ended;           // the program is ended (SIGTERM) while the box shows, not given a panel
};

class NoTray : public testing::TestWithParam<NoTrayCase> {};

TEST_P(NoTray, IsToldOnceAndWaitsForAPanelOrItsEnd) {
  SessionBus bus;
  Env env = bus.env();
  env.push_back({"XDG_CURRENT_DESKTOP", GetParam().desktop});
  VorlinSession vorlin({.fakeTime = "2024-12-06 10:00:00", .panel = {.trayer = false}, .env = env});
  const auto reports = [&] {
    const std::string output = vorlin.output();
    int count = 0;
    for (std::size_t at = 0; (at = output.find("vorlin: Run-time error", at)) != std::string::npos;
         ++at) {
      ++count;
    }
    return count;
  };
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(pollUntil([&] { return reports() > 0; }, 12s));
  EXPECT_GE(std::chrono::steady_clock::now() - started, 9s) << "told too soon";
  const std::string told = vorlin.output();
  EXPECT_NE(told.find("This desktop shows no notification area"), std::string::npos) << told;
  EXPECT_NE(told.find(GetParam().advice), std::string::npos) << told;
  EXPECT_NE(told.find("starting at login"), std::string::npos) << told;
  EXPECT_TRUE(pollUntil([&] { return vorlin.desktop().findWindow("Vorlin") != 0; }, 2s))
      << saveShot(vorlin.desktop().screenshot(), "no-report-box");
  EXPECT_TRUE(drawsItself(vorlin, "Vorlin"));
  if (GetParam().monitored) {
    // Ten seconds: ten times the period of any retry of the program's own.
    EXPECT_EQ(bus.messagesFrom(vorlin.process().pid(), 10s), 0);
  }
  if (GetParam().ended) {
    EXPECT_TRUE(endsOnSignal(
        vorlin.process(), SIGTERM, [&] { return vorlin.desktop().findWindow("Vorlin") != 0; }, 1s));
    return;
  }

  XfcePanel panel(vorlin.desktop(), bus);
  ASSERT_TRUE(panel.start());
  EXPECT_TRUE(vorlin.waitForIcon(expectedIcon(kGray, 6, "DEC"), 2s))
      << saveShot(vorlin.desktop().screenshot(), "panel-started");
  EXPECT_TRUE(pollUntil([&] { return vorlin.desktop().findWindow("Vorlin") == 0; }, 2s))
      << "the report stays: " << saveShot(vorlin.desktop().screenshot(), "report-stays");
  EXPECT_EQ(reports(), 1);
}

INSTANTIATE_TEST_SUITE_P(Desktops, NoTray,
                         testing::Values(NoTrayCase{"GNOME", "gnome-shell-extension-appindicator",
                                                    true, false},
                                         NoTrayCase{"", "as soon as a panel", false, true}),
                         [](const testing::TestParamInfo<NoTrayCase>& info) {
                           return *info.param.desktop != '\0' ? std::string(info.param.desktop)
                                                              : std::string("Unnamed");
                         });

}  // namespace
}  // namespace e2e
