// An icon theme of the program's own, in a private folder, holding the tray entry's picture once
// at every size a tray may ask for, each the largest whole-pixel enlargement that fits, centred:
// a host that looks the entry's icon up by name at its own size gets an exact picture, which it
// shows as it is. Each new picture is a new icon in a new folder, so that a host that keeps what
// it has read of a theme still sees it; the one before stays until the next, for a host reading it
// just then.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <optional>

#include "runtime/qt/tray/status_notifier/folder_lock.h"

namespace vorlin::qt {

// The sizes the theme holds: every size from the picture's own to four times it (the panels'
// and bars' icon sizes, at their usual scales), then every eighth size to eight times it.
inline constexpr auto kThemeSizes = [] {
  std::array<int, 49 + 8> sizes{};
  std::size_t i = 0;
  for (int size = 16; size <= 64; ++size) sizes[i++] = size;
  for (int size = 72; size <= 128; size += 8) sizes[i++] = size;
  return sizes;
}();

// Where the program makes its icon theme folders, in the order tried: the user's runtime folder
// (else the temporary folder), then, for a runtime folder that is full or read-only, a folder of
// the program's own in the user's cache ($XDG_CACHE_HOME/vorlin, made with mode 700); and how
// the folders' names begin (six letters and digits follow).
QStringList iconFoldersBases();
QString iconFolderPrefix();

class IconThemeFolder {
 public:
  // A new folder in the first of `bases` where one can be made, locked as this run's own for as
  // long as the object lives (see folder_lock.h), so that a start of the program leaves it alone
  // while this run goes on. It is removed when the object goes, and also when the program ends
  // by exit() without unwinding (as Qt ends it when its X connection breaks).
  explicit IconThemeFolder(QStringList bases = iconFoldersBases());
  ~IconThemeFolder();
  IconThemeFolder(const IconThemeFolder&) = delete;
  IconThemeFolder& operator=(const IconThemeFolder&) = delete;

  // Writes the 16 × 16 `picture` as the theme's new icon, in a folder in the next base where the
  // one it has cannot be written; false when none could be written (said once on standard
  // error) or the picture is null, and the theme then offers no icon.
  bool publish(const QImage& picture);

  // The folder to name as the theme's path, and the icon's name in it; empty when there is none.
  QString themePath() const;
  QString iconName() const;

 private:
  // Gives up the folder, and makes one in the next base where one can be made; false when no
  // base is left.
  bool moveOn();
  bool makeFolder(const QString& base);
  void giveUpFolder();
  bool write(const QImage& picture);
  QString generationPath(int generation) const;

  QStringList bases_;
  qsizetype nextBase_ = 0;
  // The lock is declared first, so that the folder goes while it is still held.
  FolderLock lock_;
  std::optional<QTemporaryDir> root_;
  int generation_ = 0;
  bool published_ = false;
};

}  // namespace vorlin::qt
