#include "x_reading.h"

#include <X11/Xlib.h>

namespace e2e::x {

std::vector<unsigned long> property(Display* display, unsigned long window, unsigned long name,
                                    unsigned long type, long length) {
  Atom actual = 0;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  if (XGetWindowProperty(display, window, name, 0, length, False, type, &actual, &format, &n,
                         &after, &data) == Success &&
      data != nullptr) {
    // Xlib hands 32-bit items as one `long` each.
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    if (format == 32) items.assign(longs, longs + n);
    XFree(data);
  }
  return items;
}

std::vector<unsigned long> children(Display* display, unsigned long window) {
  Window root = 0, parent = 0;
  Window* list = nullptr;
  unsigned int count = 0;
  std::vector<unsigned long> out;
  if (XQueryTree(display, window, &root, &parent, &list, &count) && list != nullptr) {
    out.assign(list, list + count);
  }
  if (list != nullptr) XFree(list);
  return out;
}

std::string title(Display* display, unsigned long window) {
  char* name = nullptr;
  std::string text;
  if (XFetchName(display, window, &name) && name != nullptr) text = name;
  if (name != nullptr) XFree(name);
  return text;
}

}  // namespace e2e::x
