// The entry on the taskbar of Windows 11, not in its overflow. Windows 11 shows a new entry in the
// overflow until the user chooses; Explorer keeps the choice as the value IsPromoted of the
// entry's settings, a subkey of HKCU\Control Panel\NotifyIconSettings that it makes when the
// entry first appears, and shows a change at once. Where the program's own settings hold no
// choice, IsPromoted is set to 1: the date shows on the taskbar. A choice the user made (any
// IsPromoted) and another program's settings are never touched; nothing is deleted, and nothing
// else is stored. Without such settings (Windows 10, Wine) nothing happens; failures are ignored.
#pragma once

#include <windows.h>

#include <iterator>

namespace vorlin::win32 {

class TrayPromotion {
 public:
  // The entry was added (the first add, or again after TaskbarCreated). Explorer may make its
  // settings a moment later: they are looked for 1, 3 and 8 s after the add.
  void added() {
    addedAt_ = GetTickCount();
    next_ = 0;
  }

  // A tick of the program's own timer, which drives the looks: no thread, no wait.
  void tick() {
    if (next_ < kLooks) lookIfDue();
  }

 private:
  static constexpr DWORD kLookAfter[] = {1000, 3000, 8000};  // ms after the add
  static constexpr unsigned kLooks = std::size(kLookAfter);
  void lookIfDue();

  DWORD addedAt_ = 0;
  unsigned next_ = kLooks;  // the next look; kLooks when none is left
};

}  // namespace vorlin::win32
