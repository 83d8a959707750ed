#include "runtime/qt/tray/status_notifier/stale_icon_folders.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "runtime/qt/tray/status_notifier/folder_lock.h"
#include "runtime/qt/tray/status_notifier/icon_theme_folder.h"

namespace vorlin::qt {
namespace {

// Empties `folder` and removes it, the lock file last: until the lock file goes, a run that opens
// it finds it locked; a run that makes a new lock file after that keeps the folder, as a folder
// that is not empty is not removed.
void removeLockedFolder(const QString& folder) {
  const QDir dir(folder);
  const QFileInfoList entries =
      dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  for (const QFileInfo& entry : entries) {
    if (entry.fileName() == FolderLock::fileName()) continue;
    // A symbolic link goes itself; what it points to stays.
    if (entry.isDir() && !entry.isSymLink()) {
      QDir(entry.filePath()).removeRecursively();
    } else {
      QFile::remove(entry.filePath());
    }
  }
  QFile::remove(dir.filePath(FolderLock::fileName()));
  QDir().rmdir(folder);
}

// Whether `name` is that of an icon folder: the prefix, then six ASCII letters and digits. (Read
// without a regular expression: compiling one maps a third of a megabyte of machine code.)
bool isIconFolderName(const QString& name) {
  const QString prefix = iconFolderPrefix();
  if (name.size() != prefix.size() + 6 || !name.startsWith(prefix)) return false;
  for (qsizetype i = prefix.size(); i < name.size(); ++i) {
    const char16_t c = name[i].unicode();
    const bool alnum =
        (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    if (!alnum) return false;
  }
  return true;
}

}  // namespace

void removeStaleIconFolders(const QString& base) {
  const QFileInfoList entries =
      QDir(base).entryInfoList(QDir::Dirs | QDir::NoSymLinks | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QFileInfo& entry : entries) {
    if (!isIconFolderName(entry.fileName()) || entry.isSymLink() || !entry.isDir() ||
        entry.ownerId() != ::getuid()) {
      continue;
    }
    // The lock is held while the folder goes, so that no run starting now takes it for its own.
    const FolderLock lock = FolderLock::take(entry.filePath());
    if (lock.held()) removeLockedFolder(entry.filePath());
  }
}

}  // namespace vorlin::qt
