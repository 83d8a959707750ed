// Refreshes the icon N times on the software graphics and checks that nothing is left behind:
// the live device contexts, bitmaps and icons are where they were after the first refresh, and
// after Close nothing is alive at all. Run under AddressSanitizer, leaks of memory show too.
#include <cstdio>
#include <cstdlib>

#include "program.h"
#include "runtime/headless/runtime.h"

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::atol(argv[1]) : 100000;
  vorlin::HeadlessRuntime rt;
  rt.clock.time = 46362.5;
  vorlin::Program program(rt.services);
  if (program.start().failed()) return 2;
  rt.forms.tick();
  const vorlin::LiveObjects first = rt.graphics.liveObjects();
  for (long i = 0; i < count; ++i) {
    program.mDate.colourIndex = static_cast<std::int16_t>(i % 6);
    if (program.mDate.refreshTrayIcon().failed()) return 2;
    if (i % 4096 == 0) rt.shell.requests.clear();
  }
  const vorlin::LiveObjects after = rt.graphics.liveObjects();
  rt.forms.clickMenu(program.frmDate, vorlin::FrmDate::kMnuClose);
  const vorlin::LiveObjects closed = rt.graphics.liveObjects();
  std::printf(
      "refreshes %ld: live dcs/bitmaps/icons after the first %d/%d/%d, after all %d/%d/%d, "
      "after Close %d/%d/%d\n",
      count, first.dcs, first.bitmaps, first.icons, after.dcs, after.bitmaps, after.icons,
      closed.dcs, closed.bitmaps, closed.icons);
  return after == first && closed == vorlin::LiveObjects{} && rt.errorReport.errors.empty() ? 0 : 1;
}
