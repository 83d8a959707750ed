// A tray entry as the shell sees it, whatever the host: it shows a picture and a tip, and is shown
// to the host there now. Each kind of host has an entry of its own kind (status_notifier_entry.h,
// embedding_entry.h). The shell keeps the picture and the tip, so that moving to another host is
// making the entry of that host's kind, handing it both, and dropping the old one; dropping an
// entry takes it out of the notification area.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>

namespace vorlin::qt {

enum class TrayKind { None, StatusNotifier, Embedding };

// The notification area as the program knows it now.
struct TrayHost {
  TrayKind kind = TrayKind::None;  // the kind of host that takes an entry now
  std::uint32_t tray = 0;          // the embedding tray's window, whether it takes entries or not
  // Counts the times a StatusNotifierItem host became ready: a watcher with a host appeared, or a
  // host registered. An item tells the watcher about itself again when it changes.
  unsigned generation = 0;
};

// The entry's mouse reports, each as the mouse message the shell reports (tray_messages.h).
using MouseReport = std::function<void(std::uint32_t mouseMessage)>;

class TrayEntry {
 public:
  virtual ~TrayEntry() = default;

  // The 16 × 16 picture; a null image shows none.
  virtual void showPicture(const QImage& picture) = 0;
  virtual void showTip(const QString& tip) = 0;
  // Whether the entry belongs with `host`: shown there, or waiting there for a host of its kind.
  virtual bool belongsWith(const TrayHost& host) const = 0;
  // Shows the entry to `host`, one it belongs with, where it has not been shown yet.
  virtual void showTo(const TrayHost& host) = 0;
};

}  // namespace vorlin::qt
