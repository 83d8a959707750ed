// The software graphics stand-in behaves as the composer expects of the platform.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>

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
  EXPECT_EQ(g.DeleteObject(bitmap).code(), 5) << "the report reads Run-time error '5'";
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
  const Handle white = g.loadPicture(art::background(5)).value;
  (void)g.BitBlt(dc, 0, 0, 16, 16, white, 0, 0, kSrcCopy);
  EXPECT_EQ(g.pixel(dc, 4, 4), 0xFFFFFFu);
  // No bitmap of no pixels, none selected into what is no device context, none into two.
  EXPECT_EQ(g.CreateCompatibleBitmap(fresh, 0, 16).value, 0);
  EXPECT_EQ(g.CreateCompatibleBitmap(fresh, 16, 0).value, 0);
  const Handle one = g.CreateCompatibleBitmap(0, 1, 1).value;
  EXPECT_NE(one, 0);
  EXPECT_EQ(g.SelectObject(one, mono).value, 0);
  EXPECT_EQ(g.SelectObject(fresh, mono).value, 0) << "selected into dc already";
  EXPECT_TRUE(g.DeleteObject(one).ok());
  // A bitmap selected into a context survives DeleteObject, which answers that it failed, as
  // the platform describes it.
  EXPECT_TRUE(g.DeleteObject(mono).failed());
  EXPECT_EQ(g.liveObjects().bitmaps, 3);  // with the yellow and the white
  // An icon takes a mask and a colour bitmap: with either missing, none is made.
  EXPECT_EQ(g.CreateIconIndirect({-1, 0, 0, 0, mono}).value, 0);
  EXPECT_EQ(g.CreateIconIndirect({-1, 0, 0, mono, 0}).value, 0);
  EXPECT_EQ(g.liveObjects().icons, 0);
  EXPECT_TRUE(g.DeleteDC(fresh).ok());
  EXPECT_TRUE(g.DeleteDC(dc).ok());
  EXPECT_TRUE(g.DeleteObject(mono).ok()) << "out of its context, the bitmap goes";
  EXPECT_TRUE(g.releasePicture(yellow).ok());
  EXPECT_TRUE(g.releasePicture(white).ok());
}

// A monochrome bitmap is made of rows of bits, the first pixel in a byte's highest bit, each row
// padded to whole 16-bit words (31 pixels: 4 bytes). Colour bitmaps are made compatible only.
TEST(SoftGraphics, AMonochromeBitmapReadsRowsOfWords) {
  SoftGraphics g;
  const std::array<std::uint8_t, 8> bits{0x80, 0x01, 0x00, 0x02, 0x40, 0x00, 0x80, 0x00};
  const Handle bitmap = g.CreateBitmap(31, 2, 1, 1, bits.data()).value;
  const Handle dc = g.CreateCompatibleDC(0).value;
  (void)g.SelectObject(dc, bitmap);
  const std::set<std::pair<int, int>> set{{0, 0}, {15, 0}, {30, 0}, {1, 1}, {16, 1}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 31; ++x)
      EXPECT_EQ(g.pixel(dc, x, y), set.count({x, y}) != 0 ? 0xFFFFFFu : 0u) << x << "," << y;
  }
  // A second row starts a word further at 16 pixels, two at 17.
  for (const auto& [width, start] : {std::pair{16, 2}, std::pair{17, 4}}) {
    std::array<std::uint8_t, 8> rows{};
    rows[static_cast<std::size_t>(start)] = 0x80;
    (void)g.SelectObject(dc, g.CreateBitmap(width, 2, 1, 1, rows.data()).value);
    EXPECT_EQ(g.pixel(dc, 0, 1), 0xFFFFFFu) << width;
  }
  EXPECT_EQ(g.CreateBitmap(16, 16, 1, 32, bits.data()).value, 0);
}

}  // namespace
}  // namespace vorlin::test
