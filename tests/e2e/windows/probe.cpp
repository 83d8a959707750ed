// A helper the end-to-end tests run beside vorlin.exe, in the same Wine desktop: it reports the
// windows on screen and plays the shell's part where the test needs it.
//
//   probe windows          visible top-level windows:
//                          handle class "title" left top right bottom client-width client-height
//   probe controls TITLE   the controls of the window titled TITLE, with their check state
//   probe focus            the class and text of the control with the keyboard focus
//   probe forget           the shell forgets the tray entry of vorlin's host window
//   probe taskbar-created  broadcasts "TaskbarCreated", as a restarted shell does
//   probe tips             the tips of the notification area's entries
//   probe month            today's abbreviated month in the user locale, as the program reads it
//   probe pid              the process id of vorlin's host window
//   probe tray-icon        stands in for the shell while "TaskbarCreated" makes vorlin add its
//                          entry again, and prints the icon it was handed: "icon W H", then one
//                          line of hexadecimal RRGGBB pixels per row
//   probe big-icon EXE     the icon that the windows of program EXE show big (Alt+Tab, the
//                          taskbar), loaded as their class loads it and drawn at its own size:
//                          "icon W H", then its pixels as tray-icon prints them
//   probe dpi-changed TITLE DPI
//                          tells the window titled TITLE that its DPI became DPI, suggesting its
//                          frame for the client area scaled as the system scales it
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string utf8(const wchar_t* text) {
  char buffer[512];
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n - 1)) : std::string();
}

std::string classOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return utf8(name);
}

// A window's text on one line: line breaks written as \n.
std::string textOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  std::string line;
  for (char c : utf8(text)) {
    if (c == '\n')
      line += "\\n";
    else if (c != '\r')
      line += c;
  }
  return line;
}

BOOL CALLBACK listWindow(HWND window, LPARAM all) {
  if (!all && !IsWindowVisible(window)) return TRUE;
  RECT r{};
  GetWindowRect(window, &r);
  RECT client{};
  GetClientRect(window, &client);
  std::printf("%p %s \"%s\" %ld %ld %ld %ld %ld %ld\n", static_cast<void*>(window),
              classOf(window).c_str(), textOf(window).c_str(), r.left, r.top, r.right, r.bottom,
              client.right, client.bottom);
  return TRUE;
}

BOOL CALLBACK listControl(HWND control, LPARAM) {
  RECT r{};
  GetWindowRect(control, &r);
  const LRESULT check = SendMessageW(control, BM_GETCHECK, 0, 0);
  std::printf("%s \"%s\" %ld %ld %ld %ld %s\n", classOf(control).c_str(), textOf(control).c_str(),
              r.left, r.top, r.right, r.bottom, check == BST_CHECKED ? "checked" : "-");
  return TRUE;
}

HWND hostWindow() {
  // The hidden host window: class VorlinForm, caption "Form1".
  return FindWindowW(L"VorlinForm", L"Form1");
}

struct TipSearch {
  DWORD explorer = 0;
  int found = 0;
};

bool is64Bit(HANDLE process) {
  BOOL wow = FALSE;
  IsWow64Process(process, &wow);
  if (wow) return false;
  // Not under WOW64: as wide as the system, which is 64-bit when this program runs under WOW64.
  BOOL self = FALSE;
  IsWow64Process(GetCurrentProcess(), &self);
  return self || sizeof(void*) == 8;
}

// Reads the tools of a tooltip window of another process through memory in that process; the
// tool record is laid out for that process's width.
void printTips(HWND tooltip, DWORD pid) {
  HANDLE process = OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
      pid);
  if (process == nullptr) return;
  const bool wide = is64Bit(process);
  const std::size_t recordSize = wide ? 72 : 48;
  const std::size_t textAt = wide ? 48 : 36;
  constexpr SIZE_T kText = 512;
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, 128 + kText, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  const LRESULT count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT i = 0; i < count && remote != nullptr; ++i) {
    unsigned char record[128] = {};
    const auto size = static_cast<std::uint32_t>(recordSize);
    std::memcpy(record, &size, 4);
    const std::uint64_t text = reinterpret_cast<std::uintptr_t>(remote + 128);
    std::memcpy(record + textAt, &text, wide ? 8 : 4);
    WriteProcessMemory(process, remote, record, sizeof record, nullptr);
    if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(remote)))
      continue;
    wchar_t buffer[kText / sizeof(wchar_t)] = {};
    ReadProcessMemory(process, remote + 128, buffer, sizeof buffer - sizeof(wchar_t), nullptr);
    std::printf("tip \"%s\"\n", utf8(buffer).c_str());
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
}

BOOL CALLBACK findTooltips(HWND window, LPARAM) {
  if (classOf(window) != "tooltips_class32") return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != GetCurrentProcessId()) printTips(window, pid);
  return TRUE;
}

// The notification-area request as the shell of this system receives it (WM_COPYDATA): a
// fixed record, then the icon's mask bits and its colour bits as GetBitmapBits gives them.
constexpr std::size_t kNotifyDataSize = 960;
constexpr std::size_t kIconWidthAt = 944;

LRESULT CALLBACK trayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  const auto* bytes = static_cast<const unsigned char*>(data->lpData);
  if (data->cbData < kNotifyDataSize) return TRUE;
  std::uint32_t width = 0, height = 0, planes = 0, bpp = 0;
  std::memcpy(&width, bytes + kIconWidthAt, 4);
  std::memcpy(&height, bytes + kIconWidthAt + 4, 4);
  std::memcpy(&planes, bytes + kIconWidthAt + 8, 4);
  std::memcpy(&bpp, bytes + kIconWidthAt + 12, 4);
  const std::size_t maskBytes = (width * height + 15) / 16 * 2;
  const std::size_t colourBytes = (planes * width * height * bpp + 15) / 16 * 2;
  if (bpp != 32 || data->cbData != kNotifyDataSize + maskBytes + colourBytes) {
    std::printf("unreadable icon: %u x %u, %u bits, %lu bytes\n", width, height, bpp,
                static_cast<unsigned long>(data->cbData));
  } else {
    std::printf("icon %u %u\n", width, height);
    const unsigned char* colour = bytes + kNotifyDataSize + maskBytes;
    for (std::uint32_t y = 0; y < height; ++y) {
      for (std::uint32_t x = 0; x < width; ++x) {
        const unsigned char* p = colour + 4 * (y * width + x);
        std::printf("%02x%02x%02x", p[2], p[1], p[0]);
      }
      std::printf("\n");
    }
  }
  PostQuitMessage(0);
  return TRUE;
}

int captureTrayIcon() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = trayProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Shell_TrayWnd";
  if (!RegisterClassW(&wc)) return 1;
  // Hidden, and above the real one, so that requests find this one first.
  HWND tray = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", nullptr, WS_POPUP,
                              0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
  if (tray == nullptr) return 1;
  SetTimer(tray, 1, 8000, nullptr);
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  MSG msg{};
  int status = 0;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER) {  // no request came
      status = 1;
      break;
    }
    DispatchMessageW(&msg);
  }
  DestroyWindow(tray);
  return status;
}

// WM_DPICHANGED as the system sends it: the new DPI, and the frame suggested for it, here the
// window's frame around its client area scaled from the window's DPI to the new one. The
// suggested rectangle is written into the window's process.
int sendDpiChanged(HWND window, UINT dpi) {
  const UINT old = GetDpiForWindow(window);
  RECT client{};
  GetClientRect(window, &client);
  RECT frame{0, 0, MulDiv(client.right, static_cast<int>(dpi), static_cast<int>(old)),
             MulDiv(client.bottom, static_cast<int>(dpi), static_cast<int>(old))};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  RECT at{};
  GetWindowRect(window, &at);
  const RECT suggested{at.left, at.top, at.left + frame.right - frame.left,
                       at.top + frame.bottom - frame.top};
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (process == nullptr) return 1;
  void* remote =
      VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  int status = 1;
  if (remote != nullptr &&
      WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr)) {
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote));
    status = 0;
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return status;
}

// What `icon` draws at its own size, as tray-icon prints it: "icon W H", W and H the extent it
// covers on a magenta canvas, then its rows.
int printDrawnIcon(HICON icon) {
  constexpr int kCanvas = 128;
  constexpr std::uint32_t kMagenta = 0xFF00FF;
  if (icon == nullptr) return 1;
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = kCanvas;
  header.bmiHeader.biHeight = -kCanvas;  // top row first
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP canvas = CreateDIBSection(dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc == nullptr || canvas == nullptr) return 1;
  HGDIOBJ old = SelectObject(dc, canvas);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  std::fill(pixels, pixels + kCanvas * kCanvas, kMagenta);
  const bool drawn = DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL) != FALSE;
  GdiFlush();
  int width = 0;
  int height = 0;
  for (int y = 0; y < kCanvas; ++y) {
    for (int x = 0; x < kCanvas; ++x) {
      if ((pixels[y * kCanvas + x] & 0xFFFFFF) != kMagenta) {
        width = std::max(width, x + 1);
        height = std::max(height, y + 1);
      }
    }
  }
  if (drawn) {
    std::printf("icon %d %d\n", width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) std::printf("%06x", pixels[y * kCanvas + x] & 0xFFFFFF);
      std::printf("\n");
    }
  }
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  return drawn ? 0 : 1;
}

HWND windowTitled(const char* title) {
  wchar_t wide[256] = {};
  MultiByteToWideChar(CP_UTF8, 0, title, -1, wide, 256);
  return FindWindowW(nullptr, wide);
}

// The controls of the window titled `title` (UTF-8), one a line.
int listControls(const char* title) {
  HWND window = windowTitled(title);
  if (window == nullptr) return 1;
  EnumChildWindows(window, listControl, 0);
  return 0;
}

// The focus of the foreground window's thread: its class and text.
int printFocus() {
  HWND foreground = GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) ||
      info.hwndFocus == nullptr)
    return 1;
  std::printf("%s \"%s\"\n", classOf(info.hwndFocus).c_str(), textOf(info.hwndFocus).c_str());
  return 0;
}

// Deletes the program's tray entry behind its back, as a shell that lost it would.
int forgetEntry() {
  HWND host = hostWindow();
  if (host == nullptr) return 1;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = host;
  data.uID = 1;
  return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
}

int broadcastTaskbarCreated() {
  const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return PostMessageW(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
}

// The locale's abbreviation of this month.
int printMonth() {
  wchar_t month[32] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, L"MMM", month, 32);
  std::printf("%s\n", utf8(month).c_str());
  return 0;
}

int printPid() {
  DWORD pid = 0;
  if (hostWindow() == nullptr || GetWindowThreadProcessId(hostWindow(), &pid) == 0) return 1;
  std::printf("%lu\n", static_cast<unsigned long>(pid));
  return 0;
}

// The program file's icon, loaded as the window class's icon is, at the system's size for it.
int printProgramIcon(const char* file) {
  wchar_t path[MAX_PATH] = {};
  MultiByteToWideChar(CP_UTF8, 0, file, -1, path, MAX_PATH);
  HMODULE program = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (program == nullptr) return 1;
  const int status = printDrawnIcon(LoadIconW(program, MAKEINTRESOURCEW(1)));
  FreeLibrary(program);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc >= 2 ? argv[1] : "";
  if (command == "windows" || command == "all-windows") {
    EnumWindows(listWindow, command == "all-windows");
    return 0;
  }
  if (command == "controls" && argc == 3) return listControls(argv[2]);
  if (command == "focus") return printFocus();
  if (command == "forget") return forgetEntry();
  if (command == "taskbar-created") return broadcastTaskbarCreated();
  if (command == "month") return printMonth();
  if (command == "pid") return printPid();
  if (command == "tray-icon") return captureTrayIcon();
  if (command == "dpi-changed" && argc == 4) {
    HWND window = windowTitled(argv[2]);
    return window != nullptr ? sendDpiChanged(window, static_cast<UINT>(std::atoi(argv[3]))) : 1;
  }
  if (command == "big-icon" && argc == 3) return printProgramIcon(argv[2]);
  if (command == "tips") {
    EnumWindows(findTooltips, 0);
    return 0;
  }
  std::fprintf(stderr,
               "usage: probe windows|all-windows|controls TITLE|focus|forget|taskbar-created|"
               "month|pid|tray-icon|dpi-changed TITLE DPI|big-icon FILE|tips\n");
  return 2;
}
