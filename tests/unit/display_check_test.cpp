// The Linux program's question before Qt starts: is there a display Qt would start on? The
// platform lists of QT_QPA_PLATFORM as Qt tries them, platforms Qt lacks, displays that do not
// answer.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "runtime/qt/platform/display_check.h"

namespace {

struct Case {
  const char* platform;  // QT_QPA_PLATFORM
  const char* wayland;   // WAYLAND_DISPLAY; "wayland-test" is a compositor's socket
  const char* x;         // DISPLAY; nothing answers on :8787
  std::string said;      // what the check answers: empty, or the start of the line
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << "QT_QPA_PLATFORM=" << c.platform;
}

// A runtime folder of the test's own, with a socket where a compositor's would be.
class DisplayCheck : public testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vorlin-display-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    socket_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = folder_ + "/wayland-test";
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) unsetenv(name);
  }
  void TearDown() override {
    close(socket_);
    std::filesystem::remove_all(folder_);
  }

 private:
  std::string folder_;
  int socket_ = -1;
};

TEST_P(DisplayCheck, AnswersAsQtWouldStart) {
  const Case& c = GetParam();
  setenv("QT_QPA_PLATFORM", c.platform, 1);
  if (c.wayland != nullptr) setenv("WAYLAND_DISPLAY", c.wayland, 1);
  if (c.x != nullptr) setenv("DISPLAY", c.x, 1);
  const std::string said = vorlin::qt::displayProblem();
  if (c.said.empty()) {
    EXPECT_EQ(said, "");
  } else {
    EXPECT_EQ(said.substr(0, c.said.size()), c.said) << said;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, DisplayCheck,
    testing::Values(
        // Lists: the first platform that answers is taken, whichever comes first.
        Case{"wayland;xcb", nullptr, ":8787", "vorlin: cannot reach the X display :8787"},
        Case{"wayland;xcb", "wayland-test", ":8787", ""},
        Case{"xcb;wayland", "wayland-test", nullptr, ""},
        Case{"xcb:nograb;wayland", "wayland-test", ":8787", ""},
        // A platform Qt lacks is named, with the ones it has; the next of a list is tried.
        Case{"garbage", "wayland-test", nullptr,
             "vorlin: Qt has no platform garbage (QT_QPA_PLATFORM); it has "},
        Case{"garbage;wayland", "wayland-test", nullptr, ""},
        // A platform that needs no display; none named, none there.
        Case{"offscreen", nullptr, nullptr, ""},
        Case{"", nullptr, nullptr, "vorlin: no display: set DISPLAY or WAYLAND_DISPLAY"},
        Case{"", "wayland-gone", nullptr,
             "vorlin: cannot reach the Wayland display wayland-gone"}));

// The platforms the message names are the ones Qt has.
TEST(DisplayCheckNames, APlatformQtLacksIsNamedWithTheOnesItHas) {
  setenv("QT_QPA_PLATFORM", "garbage", 1);
  const std::string said = vorlin::qt::displayProblem();
  EXPECT_NE(said.find("xcb"), std::string::npos) << said;
  EXPECT_NE(said.find("offscreen"), std::string::npos) << said;
}

}  // namespace
