// A running program on the headless runtime, and the icons it is expected to show.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "base/date.h"
#include "graphics_under_test.h"
#include "program.h"
#include "runtime/headless/runtime.h"
#include "support/icon_pixels.h"

namespace vorlin::test {

constexpr double kDec6 = serialFromCivil(2026, 12, 6, 9, 30, 0);

struct Vorlin {
  explicit Vorlin(double clock = kDec6, Graphics* graphics = graphicsUnderTest()) : rt(graphics) {
    rt.clock.time = clock;
    EXPECT_TRUE(program.start().ok());
  }

  HeadlessRuntime rt;
  Program program{rt.services};
  FrmDate& frmDate = program.frmDate;
  FrmProperties& frmProperties = program.frmProperties;

  // The icon the notification area shows now; fails the test when there is no entry.
  IconPixels shownIcon() const {
    if (rt.shell.entries.size() != 1) {
      ADD_FAILURE() << "the notification area holds " << rt.shell.entries.size() << " entries";
      return {};
    }
    return rt.shell.entries.front().icon;
  }

  void openProperties() {
    rt.forms.nextMenuChoice = FrmDate::kMnuProperties;
    rt.forms.trayReport(frmDate, kRightButtonUp);
  }
};

using Messages = std::vector<std::uint32_t>;

// The requests the notification area was handed, in order.
inline Messages messages(const HeadlessShell& shell) {
  Messages out;
  for (const TrayRequest& r : shell.requests) out.push_back(r.message);
  return out;
}

}  // namespace vorlin::test
