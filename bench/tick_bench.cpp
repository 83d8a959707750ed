// What the date watch costs while it waits: one same-day tick beside one read of the local date.
#include <benchmark/benchmark.h>

#include "program.h"
#include "runtime/headless/runtime.h"
#include "runtime/posix/clock.h"

namespace {

double localNow() {
  static vorlin::PosixClock clock;
  return clock.now();
}

void ClockRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(localNow());
}
BENCHMARK(ClockRead);

void SameDayTick(benchmark::State& state) {
  vorlin::HeadlessRuntime rt;
  rt.clock.source = &localNow;
  vorlin::Program program(rt.services);
  if (program.start().failed()) state.SkipWithError("the program did not start");
  rt.forms.tick();  // the first tick adds the entry; every later one finds the same day
  const vorlin::Event tick{.kind = vorlin::EventKind::Timer, .control = vorlin::FrmDate::kTmDate};
  for (auto _ : state) vorlin::raise(rt.errorReport, program.frmDate, tick);
  if (rt.shell.requests.size() > 2) state.SkipWithError("the date changed during the run");
}
BENCHMARK(SameDayTick);

}  // namespace
