// A start of the Linux program removes the icon theme folders of runs that ended without unwinding
// and nothing else: a running program's folder, and what only looks like one, stay.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include "runtime/qt/tray/status_notifier/icon_theme_folder.h"
#include "runtime/qt/tray/status_notifier/stale_icon_folders.h"

namespace {

using vorlin::qt::IconThemeFolder;

QImage bluePicture() {
  QImage picture(16, 16, QImage::Format_ARGB32);
  picture.fill(qRgb(0, 0, 255));
  return picture;
}

void writeFile(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write("x");
}

QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
}

TEST(StaleIconFolders, GoWhileALiveRunsFolderAndLookAlikesStay) {
  QTemporaryDir base;
  QTemporaryDir outside;
  ASSERT_TRUE(base.isValid() && outside.isValid());
  const QDir dir(base.path());

  // A run killed while its folder was in use: the folder stays behind, with its pictures (put in
  // here: the child of a forked test draws nothing, as Qt's painting threads are not forked).
  const pid_t child = fork();
  if (child == 0) {
    const IconThemeFolder killed({base.path()});
    ::kill(::getpid(), SIGKILL);
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the run was not killed";
  const QStringList killedRun = entries(base.path());
  ASSERT_EQ(killedRun.size(), 1);
  ASSERT_TRUE(dir.mkpath(killedRun[0] + QStringLiteral("/1/icons/hicolor/16x16/apps")));
  writeFile(
      dir.filePath(killedRun[0] + QStringLiteral("/1/icons/hicolor/16x16/apps/vorlin-1.png")));

  // A folder of a run from before folders were locked, and a run that goes on.
  ASSERT_TRUE(dir.mkpath(QStringLiteral("vorlin-icons-Old123/1/icons")));
  writeFile(dir.filePath(QStringLiteral("vorlin-icons-Old123/1/icons/vorlin-1.png")));
  IconThemeFolder live({base.path()});
  ASSERT_TRUE(live.publish(bluePicture()));
  const QString livePicture = live.themePath() + QStringLiteral("/hicolor/16x16/apps/") +
                              live.iconName() + QStringLiteral(".png");
  ASSERT_TRUE(QFile::exists(livePicture));
  const QString liveRun =
      QFileInfo(QDir::cleanPath(live.themePath() + QStringLiteral("/../.."))).fileName();
  ASSERT_TRUE(liveRun.startsWith(QStringLiteral("vorlin-icons-")) && liveRun != killedRun[0]);

  // Look-alikes: names off the pattern, a file, a symbolic link to a folder elsewhere.
  ASSERT_TRUE(dir.mkdir(QStringLiteral("vorlin-icons-abc")));
  ASSERT_TRUE(dir.mkdir(QStringLiteral("vorlin-icons-Ab-12")));
  writeFile(dir.filePath(QStringLiteral("vorlin-icons-abc/kept")));
  ASSERT_TRUE(dir.mkdir(QStringLiteral("other-Abc123")));
  writeFile(dir.filePath(QStringLiteral("vorlin-icons-File01")));
  writeFile(outside.filePath(QStringLiteral("kept")));
  ASSERT_TRUE(QFile::link(outside.path(), dir.filePath(QStringLiteral("vorlin-icons-Link01"))));

  vorlin::qt::removeStaleIconFolders(base.path());

  QStringList kept{QStringLiteral("other-Abc123"),        QStringLiteral("vorlin-icons-Ab-12"),
                   QStringLiteral("vorlin-icons-File01"), QStringLiteral("vorlin-icons-Link01"),
                   QStringLiteral("vorlin-icons-abc"),    liveRun};
  kept.sort();
  EXPECT_EQ(entries(base.path()), kept);
  EXPECT_TRUE(QFile::exists(livePicture));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("vorlin-icons-abc/kept"))));
  EXPECT_TRUE(QFile::exists(outside.filePath(QStringLiteral("kept"))));
}

}  // namespace
