// Build tool: writes the program icon as <out>/<size>x<size>/apps/<name>.png for
// every size the hicolor theme's panels, menus and software centres ask for, so
// the package needs no image tool to make them.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <cstdio>
#include <map>

#include "platform/ico/ico_check.h"
#include "platform/qt/pictures/ico_mask.h"
#include "platform/qt/pictures/pictures.h"

namespace {

constexpr int kHicolorSizes[] = {16, 22, 24, 32, 48, 64, 128};

// Every square image of the .ico, by its width, with its AND mask applied.
std::map<int, QImage> ReadSquareImages(const std::vector<std::uint8_t>& bytes) {
  QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  std::map<int, QImage> images;
  for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
    QImage image = reader.read();
    if (image.isNull() || image.width() != image.height()) continue;
    murvane::qt::ApplyAndMask(image, bytes, i);
    images[image.width()] = image.convertToFormat(QImage::Format_ARGB32);
  }
  return images;
}

// Each source pixel becomes a factor x factor block: pixel art stays crisp.
QImage Enlarge(const QImage& source, int factor) {
  QImage out(source.width() * factor, source.height() * factor, QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, source.pixel(x / factor, y / factor));
  }
  return out;
}

// The largest drawn image that a whole factor takes to the size; failing that
// (22, 24), the largest smaller one centred on a clear square, as the hicolor
// theme's small sizes usually leave a margin.
QImage ImageOfSize(const std::map<int, QImage>& images, int size) {
  for (auto it = images.rbegin(); it != images.rend(); ++it) {
    if (size % it->first == 0) return Enlarge(it->second, size / it->first);
  }
  for (auto it = images.rbegin(); it != images.rend(); ++it) {
    if (it->first > size) continue;
    QImage out(size, size, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter(&out).drawImage((size - it->first) / 2, (size - it->first) / 2, it->second);
    return out;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fputs("usage: export_icon_pngs <file.ico> <out folder> <name>\n", stderr);
    return 2;
  }
  const std::vector<std::uint8_t> bytes =
      murvane::qt::ReadIconFileBytes(QString::fromLocal8Bit(argv[1]));
  if (!murvane::IsWellFormedIcon(bytes)) return 1;
  const std::map<int, QImage> images = ReadSquareImages(bytes);
  const QString out = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  for (int size : kHicolorSizes) {
    const QImage image = ImageOfSize(images, size);
    const QString folder = out + QStringLiteral("/%1x%1/apps").arg(size);
    if (image.isNull() || !QDir().mkpath(folder) ||
        !image.save(folder + QLatin1Char('/') + name + ".png")) {
      std::fprintf(stderr, "export_icon_pngs: cannot write the %dx%d image\n", size, size);
      return 1;
    }
  }
  return 0;
}
