// The benchmarks of the date watch and the refresh for the Windows build, run under Wine: the
// tick beside a read of the clock, and one refresh on the software graphics beside one on the
// real graphics calls. Google Benchmark is not built for Windows here, so the timing is done with
// the performance counter: each figure is the median of 15 runs of a fixed number of calls.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "program.h"
#include "runtime/headless/runtime.h"
#include "runtime/win32/clock.h"
#include "runtime/win32/error_report.h"
#include "runtime/win32/forms.h"
#include "runtime/win32/graphics.h"

namespace {

vorlin::win32::WinClock windowsClock;
double windowsNow() {
  return windowsClock.now();
}

template <class Body>
double nanosecondsPerCall(int calls, Body body) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::array<double, 15> runs{};
  for (double& run : runs) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i) body();
    QueryPerformanceCounter(&end);
    run = static_cast<double>(end.QuadPart - start.QuadPart) * 1e9 /
          static_cast<double>(frequency.QuadPart) / calls;
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

// One refresh after another on `graphics` (null: the software stand-in).
double refresh(vorlin::Graphics* graphics, int calls) {
  vorlin::HeadlessRuntime rt(graphics);
  rt.clock.time = 46362.5;
  vorlin::Program program(rt.services);
  if (program.start().failed()) return -1;
  bool failed = false;
  std::size_t n = 0;
  const double ns = nanosecondsPerCall(calls, [&] {
    failed = program.mDate.refreshTrayIcon().failed() || failed;
    if (++n % 4096 == 0) rt.shell.requests.clear();
  });
  return failed ? -1 : ns;
}

}  // namespace

int main(int argc, char** argv) {
  const int scale = argc > 1 ? std::atoi(argv[1]) : 100;  // 1 for a quick proof that it runs
  vorlin::win32::WinGraphics gdi;
  vorlin::win32::WinErrorReport errorReport;
  vorlin::win32::WinForms forms(gdi, errorReport, GetModuleHandleW(nullptr));

  // The system's read of the local date, as a tick would make it on every call.
  volatile double sink = 0;
  const double clockRead =
      nanosecondsPerCall(1000 * scale, [&] { sink = vorlin::win32::systemLocalTime(); });

  vorlin::HeadlessRuntime rt;
  rt.clock.source = &windowsNow;
  vorlin::Program program(rt.services);
  if (program.start().failed()) return 1;
  rt.forms.tick();
  const vorlin::Event tick{.kind = vorlin::EventKind::Timer, .control = vorlin::FrmDate::kTmDate};
  const double sameDayTick = nanosecondsPerCall(
      1000 * scale, [&] { vorlin::raise(rt.errorReport, program.frmDate, tick); });

  // The look-up the message loop makes for a keyboard message, to find the dialog it may belong
  // to: once made for every message, the timer's hundred a second among them.
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  volatile bool visible = false;
  const double dialogLookUp = nanosecondsPerCall(1000 * scale, [&] {
    HWND root = GetAncestor(window, GA_ROOT);
    visible = root != nullptr && IsWindowVisible(root);
  });
  DestroyWindow(window);

  const double software = refresh(nullptr, 20 * scale);
  const double real = refresh(&gdi, 20 * scale);
  std::printf(
      "ClockRead %.1f\nSameDayTick %.1f\nDialogLookUp %.1f\nSoftwareRefresh %.1f\nGdiRefresh "
      "%.1f\n",
      clockRead, sameDayTick, dialogLookUp, software, real);
  return software < 0 || real < 0 || rt.shell.requests.size() != 1 ? 1 : 0;
}
