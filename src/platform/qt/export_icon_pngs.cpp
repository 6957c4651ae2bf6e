// Build tool: writes every image of an .ico file as <out>/<size>x<size>/apps/<name>.png,
// the hicolor theme's layout, so the package needs no image tool to make them.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageReader>
#include <cstdio>

#include "platform/ico/ico_check.h"
#include "platform/qt/ico_mask_qt.h"
#include "platform/qt/pictures_qt.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fputs("usage: export_icon_pngs <file.ico> <out folder> <name>\n", stderr);
    return 2;
  }
  const std::vector<std::uint8_t> bytes =
      murvane::qt::ReadIconFileBytes(QString::fromLocal8Bit(argv[1]));
  if (!murvane::IsWellFormedIcon(bytes)) return 1;
  QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  const QString out = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  int written = 0;
  for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
    QImage image = reader.read();
    if (image.isNull() || image.width() != image.height()) continue;
    murvane::qt::ApplyAndMask(image, bytes, i);
    const QString size = QStringLiteral("%1x%1").arg(image.width());
    const QString folder = out + QLatin1Char('/') + size + QStringLiteral("/apps");
    if (!QDir().mkpath(folder) || !image.save(folder + QLatin1Char('/') + name + ".png")) return 1;
    ++written;
  }
  return written > 0 ? 0 : 1;
}
