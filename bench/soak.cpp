// Refreshes the icon N times on the software graphics and checks that nothing is left behind:
// the live device contexts, bitmaps and icons are where they were after the first refresh, and
// after Close nothing is alive at all. Run under AddressSanitizer, leaks of memory show too.
#include <cstdio>
#include <cstdlib>

#include "runtime/headless/runtime.h"
#include "support/soak.h"

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::atol(argv[1]) : 100000;
  vorlin::HeadlessRuntime rt;
  rt.clock.time = 46362.5;
  // The recording shell keeps every request: a few at a time are enough here.
  const vorlin::test::SoakCounts counts = vorlin::test::soak(rt.services, count, [&](long i) {
    if (i % 4096 == 0) rt.shell.requests.clear();
  });
  if (!counts.ran) return 2;
  const vorlin::LiveObjects& first = counts.first;
  const vorlin::LiveObjects& after = counts.last;
  const vorlin::LiveObjects& closed = counts.closed;
  std::printf(
      "refreshes %ld: live dcs/bitmaps/icons after the first %d/%d/%d, after all %d/%d/%d, "
      "after Close %d/%d/%d\n",
      count, first.dcs, first.bitmaps, first.icons, after.dcs, after.bitmaps, after.icons,
      closed.dcs, closed.bitmaps, closed.icons);
  return counts.flat() && closed == vorlin::LiveObjects{} && rt.errorReport.errors.empty() ? 0 : 1;
}
