// A notification area in memory that records every request it is handed, for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/graphics.h"
#include "runtime/shell.h"

namespace vorlin {

struct TrayRequest {
  std::uint32_t message;
  NotifyIconRecord record;
  bool answer;  // what the shell answered
  NotifyIconFields fields() const { return decodeRecord(record); }
};

struct TrayEntry {
  Handle hWnd;
  std::uint32_t uID;
  std::uint32_t callbackMessage;
  std::string tip;
  IconPixels icon;  // the shell's own copy of the icon it was handed
};

class HeadlessShell final : public Shell {
 public:
  explicit HeadlessShell(Graphics& graphics) : graphics_(graphics) {}

  Result<bool> Shell_NotifyIconA(std::uint32_t message, const NotifyIconRecord& record) override;

  // The notification area goes away and comes back empty, as when the shell restarts.
  void restart() { entries.clear(); }

  std::vector<TrayRequest> requests;
  std::vector<TrayEntry> entries;
  int refuseNextRequests = 0;  // the next requests are answered "no"
  // The next requests are carried out but answered "no", as by a shell that timed out.
  int carryOutButAnswerNo = 0;
  // The call cannot be made at all, as when it cannot be bound: it fails, and nothing is
  // recorded but the count of calls.
  bool unbound = false;
  int unboundCalls = 0;

 private:
  Graphics& graphics_;
};

}  // namespace vorlin
