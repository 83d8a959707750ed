// The soak: the program started on the services given, its icon refreshed once, then again and
// again through every background in turn, then closed, with the live objects counted on the way.
#pragma once

#include <cstdint>
#include <functional>

#include "program.h"

namespace vorlin::test {

struct SoakCounts {
  LiveObjects before;   // before the start
  LiveObjects started;  // the host window loaded
  LiveObjects first;    // after the first refresh
  LiveObjects last;     // after every other refresh
  LiveObjects closed;   // after Close
  bool ran = false;     // the start and every refresh succeeded

  // One icon more once the entry shows one, the same counts after every refresh as after the
  // first, and after Close what there was before the start.
  bool flat() const {
    return ran && first.icons == started.icons + 1 && last == first && closed == before;
  }
};

// `afterEach` runs after each of the `refreshes` after the first.
inline SoakCounts soak(Services& services, long refreshes,
                       const std::function<void(long)>& afterEach = {}) {
  SoakCounts counts;
  Program program(services);
  const Graphics& graphics = services.graphics;
  counts.before = graphics.liveObjects();
  if (program.start().failed()) return counts;
  counts.started = graphics.liveObjects();
  if (program.mDate.refreshTrayIcon().failed()) return counts;
  counts.first = graphics.liveObjects();
  for (long i = 0; i < refreshes; ++i) {
    program.mDate.colourIndex = static_cast<std::int16_t>(i % 6);
    if (program.mDate.refreshTrayIcon().failed()) return counts;
    if (afterEach) afterEach(i);
  }
  counts.last = graphics.liveObjects();
  // Close: the entry goes, the host window and its pictures are unloaded.
  raise(services.errorReport, program.frmDate,
        Event{.kind = EventKind::Click, .control = FrmDate::kMnuClose});
  counts.closed = graphics.liveObjects();
  counts.ran = true;
  return counts;
}

}  // namespace vorlin::test
