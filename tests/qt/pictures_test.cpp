// Pictures on Qt: the built-in table, the icon check before Qt's reader, one
// QIcon per picture, and the clear ground Qt's reader would paint black.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "icon_maker/ico_writer.h"
#include "platform/qt/pictures/pictures.h"
#include "support/qt_test_app.h"

namespace murvane::qt {
namespace {

class Pictures : public ::testing::Test {
 protected:
  void SetUp() override { test::App(); }
  PicturePtr Load(const char* name, const std::vector<std::uint8_t>& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();
    return pictures.LoadIconFile(file.fileName().toStdU16String());
  }
  QImage Image(const PicturePtr& picture) {
    return pictures.IconOf(picture->Handle()).pixmap(16, 16).toImage();
  }
  QTemporaryDir dir;
  QtPictureSource pictures;
};

TEST_F(Pictures, EveryBuiltInNameHasItsPictureWithAClearGround) {
  for (const char* name :
       {"Murvane", "CapsLock.on", "CapsLock.off", "NumLock.on", "NumLock.off", "ScrollLock.on",
        "ScrollLock.off", "CapsLock.on.dark", "NumLock.on.dark", "ScrollLock.on.dark"}) {
    const PicturePtr picture = pictures.LoadResource(name);
    ASSERT_TRUE(picture) << name;
    EXPECT_TRUE(pictures.IconOf(picture->Handle()).availableSizes().contains(QSize(16, 16)));
  }
  // The program's icon carries the hicolor sizes too, as drawn, not smoothed.
  const QIcon murvane = pictures.IconOf(pictures.LoadResource("Murvane")->Handle());
  for (int size : {22, 24, 64, 128})
    EXPECT_TRUE(murvane.availableSizes().contains(QSize(size, size))) << size;
  const QImage big = murvane.pixmap(128, 128).toImage();
  // The 32-pixel art's second row ends white, grey: at 128 a sharp step, no blend.
  EXPECT_EQ(big.pixel(123, 5), qRgb(255, 255, 255));
  EXPECT_EQ(big.pixel(124, 5), qRgb(128, 128, 128));
  // The glyph, white for a dark panel; the clear ground around it, inside the key; its edge.
  const QImage on = Image(pictures.LoadResource("CapsLock.on"));
  const QImage dark = Image(pictures.LoadResource("CapsLock.on.dark"));
  EXPECT_EQ(
      std::tuple(on.pixel(7, 2), dark.pixel(7, 2), qAlpha(on.pixel(5, 5)), qAlpha(on.pixel(0, 0))),
      std::tuple(qRgb(0, 0, 0), qRgb(255, 255, 255), 0, 255));
}

TEST_F(Pictures, OnlyFilesThatPassTheCheckBecomePictures) {
  std::vector<std::uint8_t> cursor = MakeSolidIcon(16, {200, 0, 0});
  cursor[2] = 2;  // a cursor: Qt's reader would take it, Windows' icon loader does not
  EXPECT_FALSE(Load("cursor.ico", cursor));
  EXPECT_FALSE(pictures.LoadIconFile(dir.filePath("missing.ico").toStdU16String()))
      << "QIcon would make a non-null icon of a missing file";
  const PicturePtr red = Load("red.ico", MakeSolidIcon(16, {200, 0, 0}));
  ASSERT_TRUE(red);
  EXPECT_EQ(QColor(Image(red).pixel(8, 8)), QColor(200, 0, 0));
}

TEST_F(Pictures, AReleasedPictureTakesItsIconWithItAndHandlesAreNotReused) {
  const std::int32_t first = pictures.LoadResource("NumLock.on")->Handle();
  for (int i = 0; i < 1000; ++i) EXPECT_NE(pictures.LoadResource("NumLock.on")->Handle(), first);
  EXPECT_EQ(pictures.LivePictures(), 0u);
  EXPECT_TRUE(pictures.IconOf(first).isNull());
}

}  // namespace
}  // namespace murvane::qt
