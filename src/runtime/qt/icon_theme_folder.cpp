#include "runtime/qt/icon_theme_folder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "runtime/qt/png_file.h"
#include "runtime/qt/whole_pixel_icon.h"

namespace vorlin::qt {
namespace {

QString sizeFolder(int size) {
  return QStringLiteral("%1x%1/apps").arg(size);
}

// The theme's description: one fixed-size folder per size, so that a lookup at a size it holds
// takes that folder's picture as it is.
QByteArray themeIndex() {
  QByteArray folders;
  QByteArray sections;
  for (const int size : kThemeSizes) {
    const QByteArray folder = sizeFolder(size).toLatin1();
    if (!folders.isEmpty()) folders += ',';
    folders += folder;
    sections += "\n[" + folder + "]\nSize=" + QByteArray::number(size) + "\nType=Fixed\n";
  }
  return "[Icon Theme]\nName=hicolor\nComment=Vorlin's tray icon\nDirectories=" + folders + "\n" +
         sections;
}

}  // namespace

QString iconFoldersBase() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return base.isEmpty() ? QDir::tempPath() : base;
}

QString iconFolderPrefix() {
  return QStringLiteral("vorlin-icons-");
}

IconThemeFolder::IconThemeFolder(const QString& base) {
  const QString pattern = base + QLatin1Char('/') + iconFolderPrefix() + QStringLiteral("XXXXXX");
  // A start that is removing stale folders just now may take a new folder's lock before this run
  // does; the folder is then given up for another. Where no lock can be had at all (a file system
  // without locks), the folder serves unlocked.
  for (int attempt = 0; attempt < 3; ++attempt) {
    root_.emplace(pattern);
    if (!root_->isValid()) return;
    lock_ = FolderLock::take(root_->path());
    if (lock_.held()) return;
  }
}

QString IconThemeFolder::generationPath(int generation) const {
  return root_->path() + QLatin1Char('/') + QString::number(generation);
}

QString IconThemeFolder::themePath() const {
  // A folder named "icons": some hosts take a theme path only by that name.
  return published_ ? generationPath(generation_) + QStringLiteral("/icons") : QString();
}

QString IconThemeFolder::iconName() const {
  return published_ ? QStringLiteral("vorlin-%1").arg(generation_) : QString();
}

bool IconThemeFolder::publish(const QImage& picture) {
  published_ = false;
  if (picture.isNull() || !root_->isValid()) return false;
  ++generation_;
  // The one before the last goes; the last stays for a host that reads it just now.
  QDir(generationPath(generation_ - 2)).removeRecursively();
  const QString theme = generationPath(generation_) + QStringLiteral("/icons/hicolor/");
  const QString file = QStringLiteral("vorlin-%1.png").arg(generation_);
  for (const int size : kThemeSizes) {
    const QString folder = theme + sizeFolder(size);
    if (!QDir().mkpath(folder)) return false;
    // The fastest compression: the pictures are flat colour, and written at every change.
    if (!writePng(placed(picture, QSize(size, size)), folder + QLatin1Char('/') + file)) {
      return false;
    }
  }
  QFile index(theme + QStringLiteral("index.theme"));
  const QByteArray text = themeIndex();
  if (!index.open(QIODevice::WriteOnly) || index.write(text) != text.size()) return false;
  published_ = true;
  return true;
}

}  // namespace vorlin::qt
