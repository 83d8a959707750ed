// A running program on the headless runtime, and the icons it is expected to show.
#pragma once

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "art/artwork.h"
#include "base/date.h"
#include "glyph_tables.h"
#include "graphics_under_test.h"
#include "program.h"
#include "runtime/headless/runtime.h"

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

inline art::Rgb inkOn(art::Rgb background) {
  return background & art::kInk;
}

// The icon as it must look: `day` two digits, `month` three capitals (a space leaves its cell
// blank), on `background`.
inline IconPixels expectedIcon(art::Rgb background, std::string_view day, std::string_view month) {
  IconPixels icon;
  icon.colour.fill(background);
  auto draw = [&](const Glyph& glyph, int left, int top) {
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 4; ++x) {
        if (glyph[static_cast<unsigned>(y)][static_cast<unsigned>(x)] == '#')
          icon.colour[static_cast<unsigned>((top + y) * 16 + left + x)] = inkOn(background);
      }
    }
  };
  draw(kDigitGlyphs[static_cast<unsigned>(day[0] - '0')], 3, 2);
  draw(kDigitGlyphs[static_cast<unsigned>(day[1] - '0')], 8, 2);
  for (unsigned i = 0; i < 3; ++i) {
    if (month[i] != ' ')
      draw(kLetterGlyphs[static_cast<unsigned>(month[i] - 'A')], 1 + 5 * static_cast<int>(i), 9);
  }
  return icon;
}

// Pixels that differ, as "(x,y) shown want" lines; empty when the icons agree.
inline std::string differences(const IconPixels& shown, const IconPixels& want) {
  std::string out;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      if (shown.at(x, y) != want.at(x, y) || shown.mask[static_cast<unsigned>(y * 16 + x)] !=
                                                 want.mask[static_cast<unsigned>(y * 16 + x)]) {
        char line[64];
        std::snprintf(line, sizeof line, "(%d,%d) %06X/%d want %06X/%d\n", x, y, shown.at(x, y),
                      shown.mask[static_cast<unsigned>(y * 16 + x)], want.at(x, y),
                      want.mask[static_cast<unsigned>(y * 16 + x)]);
        out += line;
      }
    }
  }
  return out;
}

}  // namespace vorlin::test
