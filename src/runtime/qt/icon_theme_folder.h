// An icon theme of the program's own, in a private folder, holding the tray entry's picture once
// at every size a tray may ask for, each the largest whole-pixel enlargement that fits, centred:
// a host that looks the entry's icon up by name at its own size gets an exact picture, which it
// shows as it is. Each new picture is a new icon in a new folder, so that a host that keeps what
// it has read of a theme still sees it; the one before stays until the next, for a host reading it
// just then.
#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <optional>

#include "runtime/qt/folder_lock.h"

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

// Where the program makes its icon theme folders: the user's runtime folder, else the temporary
// folder; and how their names begin (six letters and digits follow).
QString iconFoldersBase();
QString iconFolderPrefix();

class IconThemeFolder {
 public:
  // A new folder in `base`, locked as this run's own for as long as the object lives (see
  // folder_lock.h), so that a start of the program leaves it alone while this run goes on.
  explicit IconThemeFolder(const QString& base = iconFoldersBase());

  // Writes the 16 × 16 `picture` as the theme's new icon; false when it could not be written
  // (or is null), and the theme then offers no icon.
  bool publish(const QImage& picture);

  // The folder to name as the theme's path, and the icon's name in it; empty when there is none.
  QString themePath() const;
  QString iconName() const;

 private:
  QString generationPath(int generation) const;

  // The lock is declared first, so that the folder goes while it is still held.
  FolderLock lock_;
  std::optional<QTemporaryDir> root_;
  int generation_ = 0;
  bool published_ = false;
};

}  // namespace vorlin::qt
