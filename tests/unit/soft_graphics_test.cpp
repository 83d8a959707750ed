// The software graphics stand-in behaves as the composer expects of the platform.
#include <gtest/gtest.h>

#include "art/artwork.h"
#include "runtime/soft/graphics.h"
#include "support/expected_icon.h"

namespace vorlin::test {
namespace {

TEST(SoftGraphics, CopyAndAndWithSourceRectanglesReachingOutside) {
  SoftGraphics g;
  const Handle strip = g.loadPicture(art::letterStrip()).value;
  const Handle dc = g.CreateCompatibleDC(strip).value;
  const Handle bitmap = g.CreateCompatibleBitmap(strip, 16, 16).value;
  const Handle old = g.SelectObject(dc, bitmap).value;
  const Handle red = g.loadPicture(art::background(4)).value;
  ASSERT_TRUE(g.BitBlt(dc, 0, 0, 16, 16, red, 0, 0, kSrcCopy).ok());
  // "Z" is the last cell: the source rectangle from x 127 reaches two columns past the strip.
  ASSERT_TRUE(g.BitBlt(dc, 1, 9, 4, 6, strip, 127, 0, kSrcAnd).ok());
  ASSERT_TRUE(g.BitBlt(dc, 6, 9, 4, 6, strip, -2, 0, kSrcAnd).ok());
  for (int y = 9; y < 15; ++y) {
    EXPECT_EQ(g.pixel(dc, 1, y), stripPixel(kLetterGlyphs, 127, y - 9) & 0xFF0000);
    EXPECT_EQ(g.pixel(dc, 2, y), stripPixel(kLetterGlyphs, 128, y - 9) & 0xFF0000);
    EXPECT_EQ(g.pixel(dc, 3, y), 0xFF0000u) << "outside the strip: untouched";
    EXPECT_EQ(g.pixel(dc, 6, y), 0xFF0000u) << "outside the strip: untouched";
    EXPECT_EQ(g.pixel(dc, 8, y), stripPixel(kLetterGlyphs, 0, y - 9) & 0xFF0000);
  }
  EXPECT_EQ(g.pixel(dc, 8, 9), 0xFF0000u) << "A's top-left is paper";
  EXPECT_EQ(g.pixel(dc, 9, 9), 0x070000u) << "ink ANDed into red";
  ASSERT_EQ(g.SelectObject(dc, old).value, bitmap);
  // Each release answers whether it released a live object of its kind.
  EXPECT_TRUE(g.DeleteObject(bitmap).ok());
  EXPECT_TRUE(g.DeleteDC(dc).ok());
  EXPECT_TRUE(g.releasePicture(strip).ok());
  EXPECT_TRUE(g.releasePicture(red).ok());
  EXPECT_EQ(g.liveObjects(), LiveObjects{});
  EXPECT_EQ(g.DeleteObject(bitmap).message(),
            "Invalid procedure call or argument: gdi32: DeleteObject failed");
  EXPECT_EQ(g.DeleteDC(dc).message(), "Invalid procedure call or argument: gdi32: DeleteDC failed");
  EXPECT_TRUE(g.DeleteDC(bitmap).failed()) << "a bitmap is no device context";
  EXPECT_TRUE(g.releasePicture(red).failed());
}

TEST(SoftGraphics, ABitmapCompatibleWithAFreshMemoryContextIsMonochrome) {
  SoftGraphics g;
  const Handle fresh = g.CreateCompatibleDC(0).value;
  const Handle mono = g.CreateCompatibleBitmap(fresh, 16, 16).value;
  const Handle dc = g.CreateCompatibleDC(0).value;
  (void)g.SelectObject(dc, mono);
  const Handle yellow = g.loadPicture(art::background(3)).value;
  (void)g.BitBlt(dc, 0, 0, 16, 16, yellow, 0, 0, kSrcCopy);
  EXPECT_EQ(g.pixel(dc, 4, 4), 0u) << "yellow is not the white of a monochrome bitmap";
  // A bitmap selected into a context survives DeleteObject, which answers that it failed, as
  // the platform describes it.
  EXPECT_TRUE(g.DeleteObject(mono).failed());
  EXPECT_EQ(g.liveObjects().bitmaps, 2);
  // An icon takes a mask and a colour bitmap: with either missing, none is made.
  EXPECT_EQ(g.CreateIconIndirect({-1, 0, 0, 0, mono}).value, 0);
  EXPECT_EQ(g.CreateIconIndirect({-1, 0, 0, mono, 0}).value, 0);
  EXPECT_EQ(g.liveObjects().icons, 0);
  EXPECT_TRUE(g.DeleteDC(fresh).ok());
  EXPECT_TRUE(g.DeleteDC(dc).ok());
  EXPECT_TRUE(g.DeleteObject(mono).ok()) << "out of its context, the bitmap goes";
}

}  // namespace
}  // namespace vorlin::test
