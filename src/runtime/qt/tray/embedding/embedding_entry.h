// The tray entry as a window of the program's own, docked in an embedding (XEmbed) tray: the owner
// of the tray selection that the program itself has seen hold it (embedding_tray.h). A new owner
// gets an entry of its own, made for it. The window shows once the tray has embedded it, is the
// picture by whole pixels and nothing around it, shows the tip, and reports its mouse events as
// the mouse messages of the shell.
#pragma once

#include <QImage>
#include <QWidget>

#include "runtime/qt/tray/tray_entry.h"

namespace vorlin::qt {

class EmbeddingEntry final : public QWidget, public TrayEntry {
 public:
  // An entry for the tray whose selection window is `tray`.
  EmbeddingEntry(std::uint32_t tray, MouseReport reported);

  void showPicture(const QImage& picture) override;
  void showTip(const QString& tip) override { setToolTip(tip); }
  bool belongsWith(const TrayHost& host) const override {
    return host.kind != TrayKind::StatusNotifier && host.tray == tray_;
  }
  // Asks the tray to dock the window.
  void showTo(const TrayHost& host) override;

 protected:
  bool event(QEvent* event) override;
  bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void place();

  std::uint32_t tray_;
  std::uint32_t xembed_ = 0;  // the embedding protocol's messages
  MouseReport reported_;
  QImage picture_;
  QImage placed_;  // the picture at the window's size
  bool docked_ = false;
};

}  // namespace vorlin::qt
