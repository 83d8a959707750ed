// A stand-in embedding tray that claims the screen's tray selection four times as it starts, within
// 0.1 s, as budgie-panel does: four owner windows in a row, each announced with MANAGER. Only the
// owner holding the selection docks the icons asked of it (SYSTEM_TRAY_REQUEST_DOCK), as a tray
// does: it reparents the icon into itself, tells it so (XEMBED_EMBEDDED_NOTIFY) and maps it. An
// owner that loses the selection hands its icons back to the root window, hides, and stays until
// the tray ends, as the replaced tray of a panel still starting may. The owners are titled
// "burst tray 1" to "burst tray 4" and drawn as a small panel at the top right of the screen.
// SIGTERM ends it, its icons handed back first.
//
// The gaps between the claims are chosen at random, so that over many starts the claims fall at
// every moment of a client's answers to the ones before.
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
// clang-format on
#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "x_reading.h"

namespace {

constexpr int kClaims = 4;
constexpr int kPanelSide = 32;
constexpr int kIconOffset = 5;
constexpr long kDockRequest = 0;
constexpr long kEmbeddedNotify = 0;
constexpr unsigned long kXEmbedMapped = 1;

volatile sig_atomic_t ended = 0;

void endRequested(int) {
  ended = 1;
}

class BurstTray {
 public:
  explicit BurstTray(Display* display)
      : display_(display),
        root_(DefaultRootWindow(display)),
        selection_(XInternAtom(display, "_NET_SYSTEM_TRAY_S0", False)),
        opcode_(XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False)),
        manager_(XInternAtom(display, "MANAGER", False)),
        xembed_(XInternAtom(display, "_XEMBED", False)),
        xembedInfo_(XInternAtom(display, "_XEMBED_INFO", False)) {}

  // Claims the selection with a new owner window; the owner before gives its icons back.
  void claim(int number) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = 0x336699;
    const Window next =
        XCreateWindow(display_, root_, DisplayWidth(display_, DefaultScreen(display_)) - kPanelSide,
                      0, kPanelSide, kPanelSide, 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect | CWBackPixel, &attributes);
    XStoreName(display_, next, ("burst tray " + std::to_string(number)).c_str());
    XMapRaised(display_, next);
    XSetSelectionOwner(display_, selection_, next, CurrentTime);
    send(root_, StructureNotifyMask, manager_,
         {CurrentTime, static_cast<long>(selection_), static_cast<long>(next)});
    if (owner_ != 0) {
      giveIconsBack();
      XUnmapWindow(display_, owner_);
    }
    owner_ = next;
    XFlush(display_);
  }

  // Answers what has come, waiting at most `wait` for the first of it (null: until it comes).
  // False once the tray is to end.
  bool answer(const timespec* wait) {
    if (XPending(display_) == 0) {
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      sigset_t none;
      sigemptyset(&none);
      if (ppoll(&connection, 1, wait, &none) < 0 && errno != EINTR) return false;
    }
    while (!ended && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == ClientMessage && event.xclient.message_type == opcode_ &&
          event.xclient.window == owner_ && event.xclient.data.l[1] == kDockRequest) {
        dock(static_cast<Window>(event.xclient.data.l[2]));
      }
    }
    XFlush(display_);
    return !ended;
  }

  void giveIconsBack() {
    for (const Window icon : icons_) {
      XUnmapWindow(display_, icon);
      XReparentWindow(display_, icon, root_, 0, 0);
      XRemoveFromSaveSet(display_, icon);
    }
    icons_.clear();
    XFlush(display_);
  }

 private:
  // Sends `window` a client message of `type` carrying `data`, to the clients that selected `mask`
  // on it (none: its creator).
  void send(Window window, long mask, Atom type, std::initializer_list<long> data) {
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = type;
    message.xclient.format = 32;
    std::copy(data.begin(), data.end(), message.xclient.data.l);
    XSendEvent(display_, window, False, mask, &message);
  }

  void dock(Window icon) {
    for (const Window docked : icons_) {
      if (docked == icon) return;
    }
    icons_.push_back(icon);
    XAddToSaveSet(display_, icon);
    XReparentWindow(display_, icon, owner_, kIconOffset, kIconOffset);
    send(icon, NoEventMask, xembed_, {CurrentTime, kEmbeddedNotify, 0, static_cast<long>(owner_)});
    if (wantsMapping(icon)) XMapRaised(display_, icon);
  }

  bool wantsMapping(Window icon) const {
    const std::vector<unsigned long> info =
        e2e::x::property(display_, icon, xembedInfo_, AnyPropertyType, 2);
    return info.size() == 2 && (info[1] & kXEmbedMapped) != 0;
  }

  Display* display_;
  Window root_;
  Atom selection_, opcode_, manager_, xembed_, xembedInfo_;
  Window owner_ = 0;
  std::vector<Window> icons_;  // docked in the owner
};

// An icon that goes away while it is docked or handed back is no fault of the tray's.
int ignoreErrors(Display*, XErrorEvent*) {
  return 0;
}

timespec until(std::chrono::steady_clock::time_point end) {
  const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::max(end - std::chrono::steady_clock::now(), std::chrono::steady_clock::duration{}));
  return {static_cast<time_t>(left.count() / 1000000000),
          static_cast<long>(left.count() % 1000000000)};
}

}  // namespace

int main() {
  // Taken only while the tray waits for the server, so that it ends between two answers.
  sigset_t term;
  sigemptyset(&term);
  sigaddset(&term, SIGTERM);
  sigprocmask(SIG_BLOCK, &term, nullptr);
  struct sigaction action {};
  action.sa_handler = endRequested;
  sigaction(SIGTERM, &action, nullptr);

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "burst tray: no display\n");
    return 1;
  }
  XSetErrorHandler(ignoreErrors);
  BurstTray tray(display);
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> gapMs(0, 100 / (kClaims - 1));
  bool running = true;
  for (int number = 1; running && number <= kClaims; ++number) {
    tray.claim(number);
    if (number == kClaims) break;
    const auto next = std::chrono::steady_clock::now() + std::chrono::milliseconds(gapMs(random));
    while (running && std::chrono::steady_clock::now() < next) {
      const timespec wait = until(next);
      running = tray.answer(&wait);
    }
  }
  while (running) running = tray.answer(nullptr);
  tray.giveIconsBack();
  XCloseDisplay(display);
  return 0;
}
