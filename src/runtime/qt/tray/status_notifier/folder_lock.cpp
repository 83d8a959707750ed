#include "runtime/qt/tray/status_notifier/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <utility>

namespace vorlin::qt {

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

QString FolderLock::fileName() {
  return QStringLiteral("lock");
}

FolderLock FolderLock::take(const QString& folder) {
  const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + fileName());
  FolderLock lock(::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!lock.held()) return {};
  if (::flock(lock.fd_, LOCK_EX | LOCK_NB) != 0) return {};
  // The file locked must still be the folder's lock file: one removed between opening and locking
  // guards nothing.
  struct stat opened {};
  struct stat named {};
  if (::fstat(lock.fd_, &opened) != 0 || ::lstat(path.constData(), &named) != 0 ||
      opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
    return {};
  }
  return lock;
}

}  // namespace vorlin::qt
