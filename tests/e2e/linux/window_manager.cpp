#include "window_manager.h"

// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
// clang-format on

#include <stdexcept>

#include "x_reading.h"

namespace e2e {
namespace {

// Whether `title` names `w` or a window inside it.
bool holds(Display* d, Window w, const std::string& title) {
  if (x::title(d, w) == title) return true;
  for (const Window child : x::children(d, w)) {
    if (holds(d, child, title)) return true;
  }
  return false;
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
        return x::property(display_, DefaultRootWindow(display_), check, XA_WINDOW, 1).size() == 1;
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
        return x::property(display_, probe, extents, XA_CARDINAL, 4).size() == 4;
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
  for (const Window w : x::children(display_, DefaultRootWindow(display_))) {
    XWindowAttributes a;
    if (XGetWindowAttributes(display_, w, &a) && a.map_state == IsViewable &&
        holds(display_, w, title))
      return QRect(a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width);
  }
  return {};
}

}  // namespace e2e
