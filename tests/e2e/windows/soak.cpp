// A test driver of the real runtime. With no argument, the soak: the real program on the real
// graphics and shell calls, refreshed 10,000 times; the binding layer's counts of live objects
// must come back where they were. With "report", the error report of a failure. With
// "failed-start", vorlin.exe's own start on graphics where no picture loads: the report, then the
// status the program ends with.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>

#include "program.h"
#include "runtime/win32/clock.h"
#include "runtime/win32/error_report.h"
#include "runtime/win32/forms.h"
#include "runtime/win32/graphics.h"
#include "runtime/win32/shell.h"

namespace {

// The real graphics calls, but for the pictures, which fail to load as when memory runs out.
class NoPictures final : public vorlin::Graphics {
 public:
  using Handle = vorlin::Handle;
  using Status = vorlin::Status;
  template <typename T>
  using Result = vorlin::Result<T>;

  explicit NoPictures(vorlin::Graphics& real) : real_(real) {}
  Result<Handle> CreateCompatibleDC(Handle dc) override { return real_.CreateCompatibleDC(dc); }
  Result<Handle> CreateCompatibleBitmap(Handle dc, std::int32_t w, std::int32_t h) override {
    return real_.CreateCompatibleBitmap(dc, w, h);
  }
  Result<Handle> SelectObject(Handle dc, Handle o) override { return real_.SelectObject(dc, o); }
  Status BitBlt(Handle d, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Handle s,
                std::int32_t sx, std::int32_t sy, std::uint32_t rop) override {
    return real_.BitBlt(d, x, y, w, h, s, sx, sy, rop);
  }
  Result<Handle> CreateBitmap(std::int32_t w, std::int32_t h, std::uint32_t planes,
                              std::uint32_t bits, const void* data) override {
    return real_.CreateBitmap(w, h, planes, bits, data);
  }
  Status DeleteObject(Handle o) override { return real_.DeleteObject(o); }
  Status DeleteDC(Handle dc) override { return real_.DeleteDC(dc); }
  Result<Handle> CreateIconIndirect(const vorlin::IconInfo& info) override {
    return real_.CreateIconIndirect(info);
  }
  Status DestroyIcon(Handle icon) override { return real_.DestroyIcon(icon); }
  Result<Handle> loadPicture(const vorlin::art::Picture&) override {
    return Status{vorlin::kOutOfMemory, "Out of memory"};
  }
  Status releasePicture(Handle dc) override { return real_.releasePicture(dc); }
  Status readIcon(Handle icon, vorlin::IconPixels& out) override {
    return real_.readIcon(icon, out);
  }
  vorlin::LiveObjects liveObjects() const override { return real_.liveObjects(); }

 private:
  vorlin::Graphics& real_;
};

// What vorlin.exe's WinMain does, on graphics where no picture loads.
int failedStart() {
  vorlin::win32::WinGraphics real;
  NoPictures graphics(real);
  vorlin::win32::WinShell shell;
  vorlin::win32::WinClock clock;
  vorlin::win32::WinErrorReport errorReport;
  vorlin::win32::WinForms forms(graphics, errorReport, GetModuleHandleW(nullptr));
  vorlin::Services services{graphics, shell, forms, clock, errorReport};
  vorlin::Program program(services);
  if (const std::optional<int> ended = program.launch()) return *ended;
  return forms.run();
}

void print(const char* when, const vorlin::LiveObjects& live) {
  std::printf("%-28s device contexts %d, bitmaps %d, icons %d\n", when, live.dcs, live.bitmaps,
              live.icons);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "failed-start") == 0) return failedStart();
  vorlin::win32::WinGraphics graphics;
  vorlin::win32::WinShell shell;
  vorlin::win32::WinClock clock;
  vorlin::win32::WinErrorReport errorReport;
  vorlin::win32::WinForms forms(graphics, errorReport, GetModuleHandleW(nullptr));
  vorlin::Services services{graphics, shell, forms, clock, errorReport};
  vorlin::Program program(services);

  if (argc == 2 && std::strcmp(argv[1], "report") == 0) {
    errorReport.reportError(
        vorlin::Status{vorlin::kInvalidArgument, "Invalid procedure call or argument: déc."});
    return 0;
  }

  const vorlin::LiveObjects before = graphics.liveObjects();
  print("before the start", before);
  if (program.start().failed()) return 1;
  print("host window loaded", graphics.liveObjects());
  if (program.mDate.refreshTrayIcon().failed()) return 1;
  const vorlin::LiveObjects first = graphics.liveObjects();
  print("after the first refresh", first);
  for (int i = 0; i < 10000; ++i) {
    program.mDate.colourIndex = static_cast<std::int16_t>(i % 6);
    if (program.mDate.refreshTrayIcon().failed()) return 1;
  }
  const vorlin::LiveObjects after = graphics.liveObjects();
  print("after 10,000 more refreshes", after);
  // Close: the entry goes, the window and its pictures are unloaded.
  vorlin::raise(errorReport, program.frmDate,
                vorlin::Event{vorlin::EventKind::Click, vorlin::FrmDate::kMnuClose});
  const vorlin::LiveObjects closed = graphics.liveObjects();
  print("after Close", closed);
  const bool flat = after == first && closed == before && first.icons == 1;
  std::printf("%s\n", flat ? "flat" : "LEAK");
  return flat ? 0 : 1;
}
