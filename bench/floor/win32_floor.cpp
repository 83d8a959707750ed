// The floor for the idle cost of the Windows program: a hidden window with a 10 ms timer that
// does nothing else. Given "tray", it also shows a plain icon in the notification area, to tell
// what the entry itself costs: gray in a one-pixel black frame, as the Linux floor's, a picture
// bench/start_to_icon finds on the screen.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstring>

namespace {

// The entry's picture, 16 x 16 at 32 bits a pixel, opaque; destroyed with its owner.
struct OwnedIcon {
  HICON handle = nullptr;
  OwnedIcon() = default;
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  ~OwnedIcon() {
    if (handle != nullptr) DestroyIcon(handle);
  }
};

HICON framedGray() {
  static DWORD colours[16 * 16];
  static BYTE opaque[16 * 16 / 8];  // the AND mask: all clear
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool frame = x == 0 || y == 0 || x == 15 || y == 15;
      colours[y * 16 + x] = frame ? 0xFF000000u : 0xFFC0C0C0u;
    }
  }
  return CreateIcon(nullptr, 16, 16, 1, 32, opaque, reinterpret_cast<const BYTE*>(colours));
}

LRESULT CALLBACK floorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) return 0;
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = floorProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"VorlinFloor";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"VorlinFloor", L"floor", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, instance, nullptr);
  SetTimer(window, 1, 10, nullptr);
  // Bound at run time, as the program binds it: the plain floor does not load the shell at all.
  using Notify = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);
  Notify notify = nullptr;
  NOTIFYICONDATAW entry{};
  OwnedIcon picture;
  const bool tray = std::strstr(commandLine, "tray") != nullptr;
  if (tray) {
    entry.cbSize = sizeof entry;
    entry.hWnd = window;
    entry.uID = 1;
    entry.uFlags = NIF_ICON | NIF_TIP;
    picture.handle = framedGray();
    entry.hIcon = picture.handle;
    lstrcpyW(entry.szTip, L"floor");
    notify = reinterpret_cast<Notify>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"shell32"), "Shell_NotifyIconW")));
    if (notify != nullptr) notify(NIM_ADD, &entry);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  if (notify != nullptr) notify(NIM_DELETE, &entry);
  return 0;
}
