// The real graphics calls against the software stand-in where the composer tests, which run on
// the real calls too (composer_test.cpp), do not reach: cells addressed beside the strips, the
// counts of live objects through one icon, and a picture box's pixels.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "art/artwork.h"
#include "runtime/soft/graphics.h"
#include "runtime/win32/graphics.h"
#include "support/expected_icon.h"

namespace vorlin {
namespace {

struct Blit {
  int destX;
  int destY;
  bool letters;  // from the letter strip, else the digit strip
  int srcX;
};

// Composes an icon from the cells given: background copied, glyph cells ANDed on, an all-zero
// mask; then reads it back and releases everything, counting what is live on the way.
IconPixels compose(Graphics& g, int background, const std::vector<Blit>& blits) {
  const LiveObjects before = g.liveObjects();
  const Handle bg = g.loadPicture(art::background(background)).value;
  const Handle digits = g.loadPicture(art::digitStrip()).value;
  const Handle letters = g.loadPicture(art::letterStrip()).value;
  const Handle memory = g.CreateCompatibleDC(bg).value;
  const Handle bitmap = g.CreateCompatibleBitmap(bg, 16, 16).value;
  const Handle old = g.SelectObject(memory, bitmap).value;
  EXPECT_TRUE(g.BitBlt(memory, 0, 0, 16, 16, bg, 0, 0, kSrcCopy).ok());
  for (const Blit& b : blits) {
    EXPECT_TRUE(
        g.BitBlt(memory, b.destX, b.destY, 4, 6, b.letters ? letters : digits, b.srcX, 0, kSrcAnd)
            .ok());
  }
  const std::array<std::uint8_t, 32> zeros{};
  const Handle mask = g.CreateBitmap(16, 16, 1, 1, zeros.data()).value;
  const Handle icon = g.CreateIconIndirect({-1, 0, 0, mask, bitmap}).value;
  EXPECT_NE(icon, 0);
  IconPixels pixels;
  EXPECT_TRUE(g.readIcon(icon, pixels).ok());
  const LiveObjects live = g.liveObjects();
  EXPECT_EQ(live.dcs, before.dcs + 4);
  EXPECT_EQ(live.bitmaps, before.bitmaps + 5);
  EXPECT_EQ(live.icons, before.icons + 1);

  EXPECT_EQ(g.SelectObject(memory, old).value, bitmap);
  EXPECT_TRUE(g.DeleteObject(bitmap).ok());
  EXPECT_TRUE(g.DeleteDC(memory).ok());
  EXPECT_TRUE(g.DeleteObject(mask).ok());
  EXPECT_TRUE(g.DestroyIcon(icon).ok());
  for (Handle dc : {bg, digits, letters}) EXPECT_TRUE(g.releasePicture(dc).ok());
  EXPECT_EQ(g.liveObjects(), before);
  return pixels;
}

void expectSame(const IconPixels& real, const IconPixels& soft) {
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(real.at(x, y), soft.at(x, y)) << "at (" << x << ", " << y << ")";
      EXPECT_EQ(real.mask[static_cast<unsigned>(y * 16 + x)], 0) << "mask at " << x << ", " << y;
    }
  }
}

class RealAgainstSoft : public ::testing::TestWithParam<int> {
 protected:
  win32::WinGraphics real_;
  SoftGraphics soft_;
};

TEST_P(RealAgainstSoft, CellsFromOutsideTheStripsAgree) {
  // Characters outside A to Z address cells beside the strip; both leave the background.
  const std::vector<Blit> outside{{1, 9, true, -325},
                                  {6, 9, true, -5},
                                  {11, 9, true, 130},
                                  {3, 2, false, 47},
                                  {8, 2, false, 950}};
  const IconPixels real = compose(real_, GetParam(), outside);
  expectSame(real, compose(soft_, GetParam(), outside));
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, RealAgainstSoft, ::testing::Range(0, 6));

// Each release answers the platform's answer: once an object is released, releasing it again
// fails, on the real calls as in the software stand-in, and the counts move once.
void expectReleasesAnswered(Graphics& g) {
  const LiveObjects before = g.liveObjects();
  const std::array<std::uint8_t, 32> zeros{};
  const Handle dc = g.CreateCompatibleDC(0).value;
  const Handle colour = g.CreateCompatibleBitmap(dc, 16, 16).value;
  const Handle mask = g.CreateBitmap(16, 16, 1, 1, zeros.data()).value;
  const Handle icon = g.CreateIconIndirect({-1, 0, 0, mask, colour}).value;
  ASSERT_NE(icon, 0);
  EXPECT_TRUE(g.DestroyIcon(icon).ok());
  EXPECT_TRUE(g.DestroyIcon(icon).failed());
  for (Handle bitmap : {colour, mask}) {
    EXPECT_TRUE(g.DeleteObject(bitmap).ok());
    EXPECT_TRUE(g.DeleteObject(bitmap).failed());
  }
  EXPECT_TRUE(g.DeleteDC(dc).ok());
  EXPECT_TRUE(g.DeleteDC(dc).failed());
  EXPECT_EQ(g.liveObjects(), before);
}

TEST(RealGraphics, AReleaseOfWhatIsGoneFailsAsInTheStandIn) {
  win32::WinGraphics real;
  expectReleasesAnswered(real);
  SoftGraphics soft;
  expectReleasesAnswered(soft);
}

TEST(RealGraphics, APictureBoxKeepsItsPictureAtTheOrigin) {
  win32::WinGraphics g;
  const Handle dc = g.loadPicture(art::letterStrip()).value;
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 129; ++x) {
      const COLORREF c = GetPixel(win32::fromHandle<HDC>(dc), x, y);
      const art::Rgb rgb = art::rgb(GetRValue(c), GetGValue(c), GetBValue(c));
      ASSERT_EQ(rgb, test::stripPixel(test::kLetterGlyphs, x, y)) << x << ", " << y;
    }
  }
  EXPECT_TRUE(g.releasePicture(dc).ok());
  EXPECT_EQ(g.liveObjects(), LiveObjects{});
}

}  // namespace
}  // namespace vorlin
