// Pictures on Qt: the built-in table, the icon check before Qt's reader, one
// QIcon per picture, and the clear ground Qt's reader would paint black.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "icon_maker/ico_writer.h"
#include "platform/qt/pictures_qt.h"
#include "support/qt_test_app.h"

namespace murvane::qt {
namespace {

class Pictures : public ::testing::Test {
 protected:
  void SetUp() override { test::App(); }
  std::u16string Put(const char* name, const std::vector<std::uint8_t>& bytes) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return file.fileName().toStdU16String();
  }
  QTemporaryDir dir;
  QtPictureSource pictures;
};

TEST_F(Pictures, EveryBuiltInNameHasItsPictureAtTheTraySizes) {
  for (const char* name : {"Murvane", "CapsLock.on", "CapsLock.off", "NumLock.on", "NumLock.off",
                           "ScrollLock.on", "ScrollLock.off"}) {
    const PicturePtr picture = pictures.LoadResource(name);
    ASSERT_TRUE(picture) << name;
    EXPECT_TRUE(pictures.IconOf(picture->Handle()).availableSizes().contains(QSize(16, 16)))
        << name;
  }
  EXPECT_FALSE(pictures.LoadResource("CapsLock.half"));
}

TEST_F(Pictures, TheClearGroundOfABitmapImageStaysClear) {
  const PicturePtr on = pictures.LoadResource("CapsLock.on");
  const QImage image = pictures.IconOf(on->Handle()).pixmap(16, 16).toImage();
  EXPECT_EQ(qAlpha(image.pixel(5, 5)), 0) << "inside the key, around the glyph";
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255) << "the key's edge";
}

TEST_F(Pictures, OnlyFilesThatPassTheCheckBecomePictures) {
  EXPECT_FALSE(pictures.LoadIconFile(Put("text.ico", {'h', 'e', 'l', 'l', 'o'})));
  EXPECT_FALSE(pictures.LoadIconFile(dir.filePath(QStringLiteral("missing.ico")).toStdU16String()))
      << "QIcon would make a non-null icon of a missing file";
  std::vector<std::uint8_t> cut = MakeSolidIcon(16, {200, 0, 0});
  cut.resize(cut.size() - 10);
  EXPECT_FALSE(pictures.LoadIconFile(Put("cut.ico", cut)));
  const PicturePtr red = pictures.LoadIconFile(Put("red.ico", MakeSolidIcon(16, {200, 0, 0})));
  ASSERT_TRUE(red);
  EXPECT_EQ(QColor(pictures.IconOf(red->Handle()).pixmap(16, 16).toImage().pixel(8, 8)),
            QColor(200, 0, 0));
}

TEST_F(Pictures, AReleasedPictureTakesItsIconWithItAndHandlesAreNotReused) {
  std::int32_t first = 0;
  for (int i = 0; i < 1000; ++i) {
    const PicturePtr picture = pictures.LoadResource("NumLock.on");
    if (i == 0) first = picture->Handle();
    EXPECT_NE(picture->Handle(), i == 0 ? 0 : first);
  }
  EXPECT_EQ(pictures.LivePictures(), 0u);
  EXPECT_TRUE(pictures.IconOf(first).isNull());
}

}  // namespace
}  // namespace murvane::qt
