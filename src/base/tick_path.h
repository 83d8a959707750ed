// The date watch runs a hundred times a second, each time after the process slept, with the
// caches and the translation of addresses gone cold: every page of code its tick touches costs
// a walk of the page tables and misses in the cache. The functions of the tick are marked with
// VORLIN_TICK_PATH, which the compiler places side by side (the hot text section), so that a tick
// touches one or two pages of the program's code rather than one for each file it passes.
#pragma once

#if defined(__GNUC__)
#define VORLIN_TICK_PATH __attribute__((hot))
#else
#define VORLIN_TICK_PATH
#endif
