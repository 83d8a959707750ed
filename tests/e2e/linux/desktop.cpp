#include "desktop.h"

// Before the X headers, whose macros would clash with it.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
// clang-format on
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <thread>

#include "x_reading.h"

namespace e2e {

bool pollUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + patience(deadline);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
}

namespace {

// Windows come and go while the tests look at them: a request about a window that is gone fails
// and answers nothing, instead of ending the test process as Xlib's own handler would.
int ignoreVanishedWindows(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable ||
      error->error_code == BadMatch)
    return 0;
  char text[160] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "X error %d (request %d): %s\n", error->error_code, error->request_code,
               text);
  return 0;
}

std::string freeDisplay() {
  for (int n = 90 + getpid() % 400;; ++n) {
    const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
    if (access(lock.c_str(), F_OK) != 0) return ":" + std::to_string(n);
  }
}

}  // namespace

Desktop::Desktop(const Panel& panel) : name_(freeDisplay()) {
  xvfb_ = std::make_unique<Process>(
      std::vector<std::string>{"Xvfb", name_, "-screen", "0",
                               std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24",
                               "-dpi", "96", "-nolisten", "tcp"},
      Env{});
  XSetErrorHandler(ignoreVanishedWindows);
  if (!pollUntil([&] { return (display_ = XOpenDisplay(name_.c_str())) != nullptr; }, 10s)) {
    throw std::runtime_error("Xvfb did not start on " + name_);
  }
  if (panel.trayer) startTrayer(panel.height);
}

void Desktop::startTrayer(int height) {
  trayer_ = std::make_unique<Process>(
      std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype",
                               "request", "--height", std::to_string(height), "--SetDockType",
                               "true", "--transparent", "false", "--tint", "0x336699"},
      env());
  const Atom tray = XInternAtom(display_, "_NET_SYSTEM_TRAY_S0", False);
  if (!pollUntil([&] { return XGetSelectionOwner(display_, tray) != None; }, 10s)) {
    throw std::runtime_error("the tray panel did not start");
  }
}

void Desktop::stopTrayer() {
  trayer_.reset();
}

Desktop::~Desktop() {
  endDisplay();
}

void Desktop::endDisplay() {
  trayer_.reset();
  // The tests' own connection first: Xlib ends a process whose connection breaks.
  if (display_ != nullptr) XCloseDisplay(display_);
  display_ = nullptr;
  xvfb_.reset();
}

Env Desktop::env() const {
  return {{"DISPLAY", name_},
          {"WAYLAND_DISPLAY", ""},
          // No session bus: none is started on demand either.
          {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/vorlin-no-bus"},
          {"QT_QPA_PLATFORM", "xcb"},
          {"XDG_RUNTIME_DIR", ""}};
}

QImage Desktop::screenshot() const {
  const Window root = DefaultRootWindow(display_);
  XImage* x = XGetImage(display_, root, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
  if (x == nullptr) throw std::runtime_error("screenshot failed");
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y) {
    for (int xx = 0; xx < kWidth; ++xx) {
      image.setPixel(xx, y, 0xFF000000u | static_cast<QRgb>(XGetPixel(x, xx, y) & 0xFFFFFF));
    }
  }
  XDestroyImage(x);
  return image;
}

namespace {

bool mapped(Display* d, Window w) {
  XWindowAttributes a;
  return XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
}

std::vector<Window> mappedTopLevels(Display* d) {
  std::vector<Window> out;
  for (const Window w : x::children(d, DefaultRootWindow(d))) {
    if (mapped(d, w)) out.push_back(w);
  }
  return out;
}

}  // namespace

unsigned long Desktop::findWindow(const std::string& title) const {
  XSync(display_, False);
  for (Window w : mappedTopLevels(display_)) {
    if (x::title(display_, w) == title) return w;
  }
  return 0;
}

std::string Desktop::title(unsigned long window) const {
  return x::title(display_, window);
}

unsigned long Desktop::trayOwner() const {
  return XGetSelectionOwner(display_, XInternAtom(display_, "_NET_SYSTEM_TRAY_S0", False));
}

bool Desktop::holdsWindowOf(unsigned long window, pid_t pid) const {
  XSync(display_, False);
  const Atom pidProperty = XInternAtom(display_, "_NET_WM_PID", False);
  const std::vector<unsigned long> ofPid{static_cast<unsigned long>(pid)};
  for (const Window child : x::children(display_, window)) {
    if (mapped(display_, child) &&
        x::property(display_, child, pidProperty, XA_CARDINAL, 1) == ofPid)
      return true;
  }
  return false;
}

QRect Desktop::geometry(unsigned long window) const {
  XWindowAttributes a;
  if (!XGetWindowAttributes(display_, window, &a)) return {};
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  return QRect(x, y, a.width, a.height);
}

std::vector<QRect> Desktop::tooltips() const {
  XSync(display_, False);
  const Atom type = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
  const Atom tooltip = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_TOOLTIP", False);
  std::vector<QRect> out;
  for (Window w : mappedTopLevels(display_)) {
    for (const Atom atom : x::property(display_, w, type, XA_ATOM, 16)) {
      if (atom == tooltip) out.push_back(geometry(w));
    }
  }
  return out;
}

std::vector<QImage> Desktop::icons(unsigned long window) const {
  const std::vector<unsigned long> data = x::property(
      display_, window, XInternAtom(display_, "_NET_WM_ICON", False), XA_CARDINAL, 1L << 20);
  const unsigned long n = data.size();
  std::vector<QImage> out;
  // Width, height, then ARGB pixels row by row; image after image.
  for (unsigned long i = 0; i + 2 <= n;) {
    const unsigned long width = data[i], height = data[i + 1];
    if (width == 0 || height == 0 || n - i - 2 < width * height) break;
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32);
    for (unsigned long p = 0; p < width * height; ++p) {
      image.setPixel(static_cast<int>(p % width), static_cast<int>(p / width),
                     static_cast<QRgb>(data[i + 2 + p]));
    }
    out.push_back(image);
    i += 2 + width * height;
  }
  return out;
}

void Desktop::closeThroughFrame(unsigned long window) const {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &e);
  XFlush(display_);
}

void Desktop::xdotool(const std::vector<std::string>& args) const {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  if (runCommand(argv, env()) != 0) throw std::runtime_error("xdotool failed");
}

void Desktop::moveTo(QPoint p) const {
  xdotool({"mousemove", std::to_string(p.x()), std::to_string(p.y())});
}
void Desktop::press(int button) const {
  xdotool({"mousedown", std::to_string(button)});
}
void Desktop::release(int button) const {
  xdotool({"mouseup", std::to_string(button)});
}
void Desktop::click(QPoint p, int button) const {
  moveTo(p);
  xdotool({"click", std::to_string(button)});
}

std::optional<QPoint> findIcon(const QImage& screen, const QImage& icon, QRect area) {
  area = area.intersected(screen.rect());
  for (int y = area.top(); y + icon.height() <= area.bottom() + 1; ++y) {
    for (int x = area.left(); x + icon.width() <= area.right() + 1; ++x) {
      bool same = true;
      for (int j = 0; same && j < icon.height(); ++j) {
        for (int i = 0; same && i < icon.width(); ++i) {
          same = (screen.pixel(x + i, y + j) & 0xFFFFFF) == (icon.pixel(i, j) & 0xFFFFFF);
        }
      }
      if (same) return QPoint(x, y);
    }
  }
  return std::nullopt;
}

std::string saveShot(const QImage& image, const std::string& what) {
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string test = info != nullptr ? std::string(info->test_suite_name()) + "." + info->name()
                                     : std::string("shot");
  for (char& c : test) {
    if (c == '/') c = '_';
  }
  const std::string name = std::string(VORLIN_E2E_OUTPUT) + "/" + test + "-" + what + ".png";
  image.save(QString::fromStdString(name));
  return name;
}

}  // namespace e2e
