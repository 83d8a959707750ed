// The floor for the idle cost of the Windows program: a hidden window with a 10 ms timer that
// does nothing else.
#include <windows.h>

namespace {

LRESULT CALLBACK floorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) return 0;
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = floorProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"VorlinFloor";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"VorlinFloor", L"floor", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, instance, nullptr);
  SetTimer(window, 1, 10, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
