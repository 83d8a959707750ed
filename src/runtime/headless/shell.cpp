#include "runtime/headless/shell.h"

#include <algorithm>

namespace vorlin {

Result<bool> HeadlessShell::Shell_NotifyIconA(std::uint32_t message,
                                              const NotifyIconRecord& record) {
  if (unbound) {
    ++unboundCalls;
    return {{kEntryPointNotFound, "shell32: Shell_NotifyIconA could not be bound"}, false};
  }
  const NotifyIconFields f = decodeRecord(record);
  const auto entry = std::find_if(entries.begin(), entries.end(), [&](const TrayEntry& e) {
    return e.hWnd == f.hWnd && e.uID == f.uID;
  });
  bool answer = f.cbSize == kNotifyIconRecordSize;
  if (refuseNextRequests > 0) {
    --refuseNextRequests;
    answer = false;
  }
  IconPixels icon;
  if (answer && message != kNimDelete && (f.uFlags & kNifIcon)) {
    answer = graphics_.readIcon(f.hIcon, icon).ok();
  }
  if (answer) {
    switch (message) {
      case kNimAdd:
        answer = entry == entries.end();
        if (answer)
          entries.push_back({f.hWnd, f.uID, f.uCallbackMessage, std::string(f.tip()), icon});
        break;
      case kNimModify:
        answer = entry != entries.end();
        if (answer) *entry = {f.hWnd, f.uID, f.uCallbackMessage, std::string(f.tip()), icon};
        break;
      case kNimDelete:
        answer = entry != entries.end();
        if (answer) entries.erase(entry);
        break;
      default:
        answer = false;
    }
  }
  if (carryOutButAnswerNo > 0) {
    --carryOutButAnswerNo;
    answer = false;
  }
  requests.push_back({message, record, answer});
  return {kOk, answer};
}

}  // namespace vorlin
