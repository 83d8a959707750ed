// What a test reads off an X display: a window's properties, children and title, each reply
// freed once read.
#pragma once

#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace e2e::x {

// The 32-bit items, at most `length` of them, of `window`'s property `name` of `type` (0 for any
// type); none when the window or the property is missing or its items are not 32-bit.
std::vector<unsigned long> property(Display* display, unsigned long window, unsigned long name,
                                    unsigned long type, long length);
// The children of `window`, the lowest in the stacking order first.
std::vector<unsigned long> children(Display* display, unsigned long window);
std::string title(Display* display, unsigned long window);

}  // namespace e2e::x
