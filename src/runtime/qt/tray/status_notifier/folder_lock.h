// The lock that marks a folder as a running program's own: a lock file inside the folder, locked
// (flock) for as long as its owner lives. The system drops the lock when the process ends, however
// it ends, so a folder whose lock can be taken belongs to no running program.
#pragma once

#include <QString>

namespace vorlin::qt {

class FolderLock {
 public:
  FolderLock() = default;
  ~FolderLock();
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Takes the lock of `folder` without waiting, making its lock file if there is none. Not held
  // when another holds it, or when the folder or its lock file went meanwhile (whoever removes a
  // folder of ours holds its lock while doing so).
  static FolderLock take(const QString& folder);

  // The name of the lock file inside a locked folder.
  static QString fileName();

  bool held() const { return fd_ >= 0; }

 private:
  explicit FolderLock(int fd) : fd_(fd) {}

  int fd_ = -1;
};

}  // namespace vorlin::qt
