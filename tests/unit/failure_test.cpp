// A platform call that cannot be made ends the refresh with its failure, which reaches the error
// report; the program goes on and leaves nothing allocated behind.
#include <gtest/gtest.h>

#include <string>

#include "vorlin_fixture.h"

namespace vorlin::test {
namespace {

constexpr Status kUnbound{kEntryPointNotFound, "user32: CreateIconIndirect could not be bound"};

// The software graphics, except that CreateIconIndirect cannot be bound while `broken` is set.
class BrokenIconCall final : public Graphics {
 public:
  bool broken = false;
  SoftGraphics soft;

  Result<Handle> CreateCompatibleDC(Handle dc) override { return soft.CreateCompatibleDC(dc); }
  Result<Handle> CreateCompatibleBitmap(Handle dc, std::int32_t w, std::int32_t h) override {
    return soft.CreateCompatibleBitmap(dc, w, h);
  }
  Result<Handle> SelectObject(Handle dc, Handle o) override { return soft.SelectObject(dc, o); }
  Status BitBlt(Handle d, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Handle s,
                std::int32_t sx, std::int32_t sy, std::uint32_t rop) override {
    return soft.BitBlt(d, x, y, w, h, s, sx, sy, rop);
  }
  Result<Handle> CreateBitmap(std::int32_t w, std::int32_t h, std::uint32_t planes,
                              std::uint32_t bits, const void* data) override {
    return soft.CreateBitmap(w, h, planes, bits, data);
  }
  Status DeleteObject(Handle o) override { return soft.DeleteObject(o); }
  Status DeleteDC(Handle dc) override { return soft.DeleteDC(dc); }
  Result<Handle> CreateIconIndirect(const IconInfo& info) override {
    if (broken) return kUnbound;
    return soft.CreateIconIndirect(info);
  }
  Status DestroyIcon(Handle icon) override { return soft.DestroyIcon(icon); }
  Result<Handle> loadPicture(const art::Picture& p) override { return soft.loadPicture(p); }
  Status releasePicture(Handle dc) override { return soft.releasePicture(dc); }
  Status readIcon(Handle icon, IconPixels& out) override { return soft.readIcon(icon, out); }
  LiveObjects liveObjects() const override { return soft.liveObjects(); }
};

// The program, its first icon shown, on graphics that can be broken.
struct Broken {
  Broken() { v.rt.tick(); }
  BrokenIconCall graphics;
  Vorlin v{kDec6, &graphics};
  HeadlessRuntime& rt = v.rt;
  Program& program = v.program;
};

TEST(Failure, ReachesTheErrorReportAndLeavesNothingBehind) {
  Broken b;
  BrokenIconCall& graphics = b.graphics;
  HeadlessRuntime& rt = b.rt;
  const LiveObjects shown = graphics.liveObjects();

  graphics.broken = true;
  rt.clock += 1;
  rt.tick();
  ASSERT_EQ(rt.errors.size(), 1u);
  EXPECT_EQ(rt.errors[0].code, kEntryPointNotFound);
  EXPECT_EQ(rt.errors[0].message, "user32: CreateIconIndirect could not be bound");
  EXPECT_EQ(graphics.liveObjects(), shown) << "memory context, bitmap and mask released";
  EXPECT_EQ(rt.shell.requests.size(), 1u) << "no request without a new icon";
  EXPECT_EQ(rt.shell.entries.size(), 1u) << "the entry keeps yesterday's icon";

  // The failed date is not retried by every tick; the program goes on and the next event works.
  rt.tick(200);
  EXPECT_EQ(rt.errors.size(), 1u);
  graphics.broken = false;
  b.v.openProperties();
  rt.clickButton(b.program.frmProperties, FrmProperties::kCmdOK);
  EXPECT_EQ(rt.shell.requests.size(), 2u);
  EXPECT_EQ(differences(rt.shell.entries.front().icon, expectedIcon(0xC0C0C0, "07", "DEC")), "");
}

TEST(Failure, OkThatCannotRecomposeKeepsTheDialogOpen) {
  Broken b;
  b.v.openProperties();
  b.rt.clickOption(b.program.frmProperties, FrmProperties::kOptColour, 4);
  b.graphics.broken = true;
  b.rt.clickButton(b.program.frmProperties, FrmProperties::kCmdOK);
  EXPECT_EQ(b.rt.errors.size(), 1u);
  EXPECT_TRUE(b.rt.isLoaded(b.program.frmProperties));
  EXPECT_EQ(b.program.mDate.colourIndex, 4);
}

}  // namespace
}  // namespace vorlin::test
