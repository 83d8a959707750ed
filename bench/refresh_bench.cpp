// One whole refresh on the software graphics: compose, make the icon, hand the shell its request.
#include <benchmark/benchmark.h>

#include "program.h"
#include "runtime/headless/runtime.h"

namespace {

void SoftwareRefresh(benchmark::State& state) {
  vorlin::HeadlessRuntime rt;
  rt.clock.time = 46362.5;  // 6 December 2026, noon
  vorlin::Program program(rt.services);
  if (program.start().failed()) state.SkipWithError("the program did not start");
  std::size_t n = 0;
  for (auto _ : state) {
    if (program.mDate.refreshTrayIcon().failed()) state.SkipWithError("refresh failed");
    if (++n % 4096 == 0) rt.shell.requests.clear();  // the recording shell keeps every request
  }
}
BENCHMARK(SoftwareRefresh);

}  // namespace
