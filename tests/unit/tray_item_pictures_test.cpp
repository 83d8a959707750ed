// What the Linux program hands a StatusNotifierItem host: the icon theme holding the picture at
// every size a host may ask for, each file the largest whole-pixel enlargement that fits, centred
// on transparent pixels; and the exported menu: labels with the protocol's mnemonic mark, and
// separators.
#include <gtest/gtest.h>

#include <vector>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "runtime/form_desc.h"
#include "runtime/qt/forms/menu_items.h"
#include "runtime/qt/tray/status_notifier/icon_theme_folder.h"

namespace {

using vorlin::qt::IconThemeFolder;

// A 16 × 16 picture whose every pixel differs from its neighbours'.
QImage testPicture(int seed) {
  QImage picture(16, 16, QImage::Format_ARGB32);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) picture.setPixel(x, y, qRgb(x * 16, y * 16, seed));
  }
  return picture;
}

// The sizes a host may ask for: every size from 16 to 64, then every eighth size to 128.
std::vector<int> themeSizes() {
  std::vector<int> sizes;
  for (int size = 16; size <= 64; ++size) sizes.push_back(size);
  for (int size = 72; size <= 128; size += 8) sizes.push_back(size);
  return sizes;
}

QString iconFile(const IconThemeFolder& theme, int size) {
  return theme.themePath() + QStringLiteral("/hicolor/%1x%1/apps/").arg(size) + theme.iconName() +
         QStringLiteral(".png");
}

TEST(IconThemeFolder, HoldsThePictureExactlyAtEverySizeAndKeepsOnlyTheLastTwo) {
  IconThemeFolder theme;
  EXPECT_TRUE(theme.themePath().isEmpty());
  const QImage picture = testPicture(0);
  ASSERT_TRUE(theme.publish(picture));

  QFile index(theme.themePath() + QStringLiteral("/hicolor/index.theme"));
  ASSERT_TRUE(index.open(QIODevice::ReadOnly));
  const QByteArray text = index.readAll();
  const std::vector<int> sizes = themeSizes();
  EXPECT_EQ(QDir(theme.themePath() + QStringLiteral("/hicolor"))
                .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                .size(),
            static_cast<qsizetype>(sizes.size()))
      << "a folder for each size, no other";
  for (const int size : sizes) {
    const QImage file(iconFile(theme, size));
    ASSERT_EQ(file.size(), QSize(size, size)) << size;
    const int n = size / 16;
    const int offset = (size - 16 * n) / 2;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const int px = (x - offset) / n, py = (y - offset) / n;
        const bool inside = x >= offset && y >= offset && px < 16 && py < 16;
        ASSERT_EQ(file.pixel(x, y), inside ? picture.pixel(px, py) : 0u)
            << size << " at " << x << "," << y;
      }
    }
    const QByteArray section =
        QStringLiteral("[%1x%1/apps]\nSize=%1\nType=Fixed\n").arg(size).toLatin1();
    EXPECT_TRUE(text.contains(section)) << size;
  }

  // Each picture a new icon in a new folder; the one before stays, the one before that goes.
  const QString first = theme.themePath();
  const QString firstName = theme.iconName();
  ASSERT_TRUE(theme.publish(testPicture(1)));
  EXPECT_NE(theme.themePath(), first);
  EXPECT_NE(theme.iconName(), firstName);
  EXPECT_TRUE(QDir(first).exists());
  EXPECT_EQ(QImage(iconFile(theme, 16)).convertToFormat(QImage::Format_ARGB32),
            testPicture(1).convertToFormat(QImage::Format_ARGB32));
  ASSERT_TRUE(theme.publish(testPicture(2)));
  EXPECT_FALSE(QDir(first).exists());

  // No picture: no icon by name.
  EXPECT_FALSE(theme.publish(QImage()));
  EXPECT_TRUE(theme.iconName().isEmpty());
}

// A folder that cannot be written in gives way to the next; where none can, the theme offers no
// icon by name, and says so on standard error once, however often it is asked to.
TEST(IconThemeFolder, TakesTheNextFolderWhereOneCannotBeMadeAndSaysOnceWhenNoneCan) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("a file"));
  ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
  IconThemeFolder second({file, dir.path()});
  ASSERT_TRUE(second.publish(testPicture(0)));
  EXPECT_TRUE(second.themePath().startsWith(dir.path() + QStringLiteral("/vorlin-icons-")));

  testing::internal::CaptureStderr();
  IconThemeFolder none({file});
  EXPECT_FALSE(none.publish(testPicture(0)));
  EXPECT_FALSE(none.publish(testPicture(1)));
  EXPECT_TRUE(none.iconName().isEmpty());
  const QString said = QString::fromStdString(testing::internal::GetCapturedStderr());
  EXPECT_EQ(said.count(QStringLiteral("vorlin: ")), 1) << said.toStdString();
  EXPECT_TRUE(said.contains(file)) << said.toStdString();
}

TEST(ExportedMenu, LabelsCarryTheProtocolsMnemonicMark) {
  using vorlin::ControlDesc;
  using vorlin::ControlKind;
  const ControlDesc controls[] = {
      {.id = 1, .kind = ControlKind::Menu, .caption = "Menu"},
      {.id = 2, .kind = ControlKind::Menu, .caption = "&Properties", .parent = 1},
      {.id = 3, .kind = ControlKind::Separator, .parent = 1},
      {.id = 4, .kind = ControlKind::Menu, .caption = "Save && snake_case", .parent = 1},
      {.id = 5, .kind = ControlKind::Menu, .caption = "Elsewhere", .parent = 9},
      {.id = 6, .kind = ControlKind::Menu, .caption = "-", .parent = 1},
  };
  const vorlin::FormDesc desc{.name = "frm",
                              .caption = "",
                              .clientWidth = 0,
                              .clientHeight = 0,
                              .icon = nullptr,
                              .controls = controls};
  const QList<vorlin::qt::ExportedMenuEntry> entries = vorlin::qt::exportedMenuEntries(desc, 1);
  ASSERT_EQ(entries.size(), 4);
  EXPECT_EQ(entries[0].label, QStringLiteral("_Properties"));
  EXPECT_EQ(entries[0].control, 2);
  EXPECT_TRUE(entries[1].separator);
  EXPECT_EQ(entries[2].label, QStringLiteral("Save & snake__case"));
  EXPECT_TRUE(entries[3].separator) << "an item captioned \"-\" is a separator line";
}

}  // namespace
