// A private D-Bus session bus for one test, in a home and runtime folder of its own, and what the
// test reads from it: the StatusNotifierItem watcher's items and an item's icon pixmaps.
#pragma once

#include <sys/types.h>

#include <QImage>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "process.h"

namespace e2e {

// busctl's arguments for: the watcher's registered items; choosing entry `entry` of the exported
// menu of the item registered as `item` ("SERVICE/PATH" or "SERVICE").
std::vector<std::string> registeredItemsCall();
std::vector<std::string> menuEntryCall(const std::string& item, int entry);
// The items in busctl's answer to registeredItemsCall().
std::vector<std::string> itemsOf(const std::string& answer);

class SessionBus {
 public:
  SessionBus();
  ~SessionBus();
  SessionBus(const SessionBus&) = delete;
  SessionBus& operator=(const SessionBus&) = delete;

  // HOME, XDG_RUNTIME_DIR and the bus address, for every process of the test.
  Env env() const;
  const std::string& home() const { return home_; }
  const std::string& runtime() const { return runtime_; }  // XDG_RUNTIME_DIR

  // Whether a client owns `name` on the bus.
  bool hasName(const std::string& name) const;
  // The process of the client that owns `name`, or 0.
  pid_t ownerPid(const std::string& name) const;
  // The unique names of the process's connections to the bus.
  std::vector<std::string> namesOf(pid_t pid) const;
  // The one of the process's connections that serves a StatusNotifierItem, or "".
  std::string itemOf(pid_t pid) const;
  // How many messages the process sends on the bus in `period`, as a monitor of the bus sees them.
  int messagesFrom(pid_t pid, std::chrono::seconds period) const;
  // The watcher's RegisteredStatusNotifierItems; empty when there is no watcher.
  std::vector<std::string> registeredItems() const;
  // Asks the item `count` times in a row for its context menu at (400, 300), as a host that shows
  // no menu of its own does; true when every call was answered without an error.
  bool askForContextMenu(const std::string& item, int count) const;
  // Chooses entry `entry` (1: the first) of the item's exported menu, as a host that shows it
  // does when the user picks it.
  void chooseMenuEntry(const std::string& item, int entry) const;
  // Calls a method of the item's menu with busctl's arguments ("GetLayout", "iias", "0", ...):
  // how busctl ended, what it printed of the answer, and of an error reply its message.
  CommandResult callMenu(const std::string& item, const std::vector<std::string>& call) const;
  // Sends the item and its menu calls of every shape for `seconds`, from `seed`: the fuzzer's
  // summary, which ends in "0 unanswered" when every call had an answer.
  std::string fuzz(const std::string& item, unsigned seed, int seconds) const;
  // A property of the item as busctl prints it: "s \"Vorlin\"".
  std::string itemProperty(const std::string& item, const std::string& name) const;
  // The IconPixmap images of the item registered as `item` ("SERVICE/PATH" or "SERVICE").
  std::vector<QImage> itemPixmaps(const std::string& item) const;

 private:
  std::string busctl(const std::vector<std::string>& args) const;

  std::string root_;
  std::string home_;
  std::string runtime_;
  std::unique_ptr<Process> daemon_;
};

}  // namespace e2e
