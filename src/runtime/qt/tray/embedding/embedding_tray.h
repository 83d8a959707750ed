// Whether an embedding tray (XEmbed) is there: a client owns the X screen's tray selection. Learnt
// from the X server's own notices, never by asking again and again: the MANAGER message that a
// new owner of the selection sends to the root window, and the owner's window going away.
#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>

struct xcb_connection_t;

namespace vorlin::qt {

class EmbeddingTray final : public QAbstractNativeEventFilter {
 public:
  // `changed` is called when a tray comes or goes. Off X11 there is never one.
  explicit EmbeddingTray(std::function<void()> changed);
  ~EmbeddingTray() override;
  EmbeddingTray(const EmbeddingTray&) = delete;
  EmbeddingTray& operator=(const EmbeddingTray&) = delete;

  // The selection owner's window, 0 for none.
  std::uint32_t owner() const { return owner_; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  // Reads the selection's owner and follows its window, so that its end is told.
  void lookAgain();

  std::function<void()> changed_;
  xcb_connection_t* connection_ = nullptr;
  std::uint32_t selection_ = 0;  // _NET_SYSTEM_TRAY_S0
  std::uint32_t manager_ = 0;    // MANAGER
  std::uint32_t owner_ = 0;      // the selection owner's window, 0 for none
};

}  // namespace vorlin::qt
