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
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: probe windows|controls TITLE|focus|forget|taskbar-created|tips|pid\n");
    return 2;
  }
  const std::string command = argv[1];
  if (command == "windows" || command == "all-windows") {
    EnumWindows(listWindow, command == "all-windows");
    return 0;
  }
  if (command == "controls" && argc == 3) {
    wchar_t title[256] = {};
    MultiByteToWideChar(CP_UTF8, 0, argv[2], -1, title, 256);
    HWND window = FindWindowW(nullptr, title);
    if (window == nullptr) return 1;
    EnumChildWindows(window, listControl, 0);
    return 0;
  }
  if (command == "focus") {
    // The focus of the foreground window's thread.
    HWND foreground = GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) ||
        info.hwndFocus == nullptr)
      return 1;
    std::printf("%s \"%s\"\n", classOf(info.hwndFocus).c_str(), textOf(info.hwndFocus).c_str());
    return 0;
  }
  if (command == "forget") {
    HWND host = hostWindow();
    if (host == nullptr) return 1;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = host;
    data.uID = 1;
    return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
  }
  if (command == "taskbar-created") {
    const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return PostMessageW(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
  }
  if (command == "month") {
    wchar_t month[32] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, L"MMM", month, 32);
    std::printf("%s\n", utf8(month).c_str());
    return 0;
  }
  if (command == "pid") {
    DWORD pid = 0;
    if (hostWindow() == nullptr || GetWindowThreadProcessId(hostWindow(), &pid) == 0) return 1;
    std::printf("%lu\n", static_cast<unsigned long>(pid));
    return 0;
  }
  if (command == "tips") {
    EnumWindows(findTooltips, 0);
    return 0;
  }
  std::fprintf(stderr, "probe: unknown command %s\n", command.c_str());
  return 2;
}
