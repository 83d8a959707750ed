#include "runtime/qt/tray/status_notifier/icon_theme_folder.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

#include "runtime/qt/pictures/whole_pixel_icon.h"
#include "runtime/qt/tray/status_notifier/png_file.h"

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

// The folders of the live themes. Qt ends the program with exit() when its X connection breaks,
// and no object is unwound then: this list, made at the first theme, goes after main's objects
// on a normal end (when it is empty) and before Qt's own on an exit().
class LiveFolders {
 public:
  ~LiveFolders() {
    for (const QString& folder : folders_) QDir(folder).removeRecursively();
  }
  void add(const QString& folder) { folders_.append(folder); }
  void remove(const QString& folder) { folders_.removeOne(folder); }

 private:
  QStringList folders_;
};

LiveFolders& liveFolders() {
  static LiveFolders folders;
  return folders;
}

void reportNoFolder(const QStringList& bases) {
  static bool reported = false;
  if (reported) return;
  reported = true;
  std::fprintf(stderr,
               "vorlin: the tray icon's files could not be written in %s: a tray that looks the "
               "icon up by name shows it from its pixels, perhaps scaled\n",
               qPrintable(bases.join(QStringLiteral(" nor "))));
}

}  // namespace

QStringList iconFoldersBases() {
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return {runtime.isEmpty() ? QDir::tempPath() : runtime,
          QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
              QStringLiteral("/vorlin")};
}

QString iconFolderPrefix() {
  return QStringLiteral("vorlin-icons-");
}

IconThemeFolder::IconThemeFolder(QStringList bases) : bases_(std::move(bases)) {
  moveOn();
}

IconThemeFolder::~IconThemeFolder() {
  giveUpFolder();
}

bool IconThemeFolder::moveOn() {
  giveUpFolder();
  while (nextBase_ < bases_.size()) {
    if (makeFolder(bases_[nextBase_++])) return true;
  }
  return false;
}

bool IconThemeFolder::makeFolder(const QString& base) {
  // The program's own base is made private; one that is there already is left as it is.
  if (!QFileInfo::exists(base)) {
    QDir().mkpath(QFileInfo(base).path());
    ::mkdir(QFile::encodeName(base).constData(), 0700);
  }
  const QString pattern = base + QLatin1Char('/') + iconFolderPrefix() + QStringLiteral("XXXXXX");
  // A start that is removing stale folders just now may take a new folder's lock before this run
  // does; the folder is then given up for another. Where no lock can be had at all (a file system
  // without locks), the folder serves unlocked.
  for (int attempt = 0; attempt < 3; ++attempt) {
    root_.emplace(pattern);
    if (!root_->isValid()) {
      root_.reset();
      return false;
    }
    lock_ = FolderLock::take(root_->path());
    if (lock_.held()) break;
  }
  liveFolders().add(root_->path());
  return true;
}

void IconThemeFolder::giveUpFolder() {
  published_ = false;
  if (!root_) return;
  liveFolders().remove(root_->path());
  root_.reset();
  lock_ = FolderLock();
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
  if (picture.isNull()) return false;
  // With no folder left (every base failed before), each base is tried again.
  if (!root_) {
    nextBase_ = 0;
    moveOn();
  }
  while (root_) {
    if (write(picture)) return published_ = true;
    moveOn();
  }
  reportNoFolder(bases_);
  return false;
}

bool IconThemeFolder::write(const QImage& picture) {
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
  return index.open(QIODevice::WriteOnly) && index.write(text) == text.size() && index.flush();
}

}  // namespace vorlin::qt
