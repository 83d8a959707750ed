#include "window_manager.h"

// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
// clang-format on

#include <stdexcept>

namespace e2e {
namespace {

bool titled(Display* d, Window w, const std::string& title) {
  char* name = nullptr;
  const bool match = XFetchName(d, w, &name) && name != nullptr && title == name;
  if (name != nullptr) XFree(name);
  return match;
}

// Whether `title` names `w` or a window inside it.
bool holds(Display* d, Window w, const std::string& title) {
  if (titled(d, w, title)) return true;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(d, w, &root, &parent, &children, &count)) return false;
  bool found = false;
  for (unsigned i = 0; i < count && !found; ++i) found = holds(d, children[i], title);
  if (children != nullptr) XFree(children);
  return found;
}

}  // namespace

WindowManager::WindowManager(const Desktop& desktop) {
  display_ = XOpenDisplay(desktop.name().c_str());
  if (display_ == nullptr) throw std::runtime_error("no display " + desktop.name());
  openbox_ =
      std::make_unique<Process>(std::vector<std::string>{"openbox", "--sm-disable"}, desktop.env());
  const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
  const bool running = pollUntil(
      [&] {
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        const bool set =
            XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False, XA_WINDOW,
                               &type, &format, &n, &after, &data) == Success &&
            n == 1;
        if (data != nullptr) XFree(data);
        return set;
      },
      10s);
  if (!running) throw std::runtime_error("openbox did not take over the screen");
  // Started: it announces itself before it reads its first event, and answers what it was sent
  // since only then. A window manager is running once it answers, as a program's window that
  // opens later finds it.
  if (!answersFrameRequests()) throw std::runtime_error("openbox does not answer");
}

bool WindowManager::answersFrameRequests() const {
  const Window probe =
      XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 10, 10, 0, 0, 0);
  const Atom request = XInternAtom(display_, "_NET_REQUEST_FRAME_EXTENTS", False);
  const Atom extents = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
  const bool answered = pollUntil(
      [&] {
        XEvent ask{};
        ask.xclient.type = ClientMessage;
        ask.xclient.window = probe;
        ask.xclient.message_type = request;
        ask.xclient.format = 32;
        XSendEvent(display_, DefaultRootWindow(display_), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &ask);
        XSync(display_, False);
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        const bool set = XGetWindowProperty(display_, probe, extents, 0, 4, False, XA_CARDINAL,
                                            &type, &format, &n, &after, &data) == Success &&
                         n == 4;
        if (data != nullptr) XFree(data);
        return set;
      },
      10s);
  XDestroyWindow(display_, probe);
  XSync(display_, False);
  return answered;
}

WindowManager::~WindowManager() {
  openbox_.reset();
  if (display_ != nullptr) XCloseDisplay(display_);
}

QRect WindowManager::frameOf(const std::string& title) const {
  XSync(display_, False);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  QRect frame;
  if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
    return frame;
  for (unsigned i = 0; i < count && frame.isEmpty(); ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display_, children[i], &a) || a.map_state != IsViewable ||
        !holds(display_, children[i], title))
      continue;
    frame = QRect(a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width);
  }
  if (children != nullptr) XFree(children);
  return frame;
}

}  // namespace e2e
