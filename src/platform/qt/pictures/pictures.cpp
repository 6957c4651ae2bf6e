#include "platform/qt/pictures/pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

#include "platform/ico/ico_check.h"
#include "platform/qt/pictures/ico_mask.h"
#include "platform/qt/text.h"

namespace murvane::qt {
namespace {

class IconPicture final : public Picture {
 public:
  IconPicture(std::int32_t handle, std::weak_ptr<std::map<std::int32_t, QIcon>> live)
      : handle_(handle), live_(std::move(live)) {}
  ~IconPicture() override {
    if (auto live = live_.lock()) live->erase(handle_);
  }
  std::int32_t Handle() const override { return handle_; }

 private:
  std::int32_t handle_;
  std::weak_ptr<std::map<std::int32_t, QIcon>> live_;
};

// "CapsLock.on" is the resource file CapsLock_on.ico; "Murvane" is murvane.ico.
QString ResourcePath(const std::string& name) {
  if (name == "Murvane") return QStringLiteral(":/icons/murvane.ico");
  QString file = QString::fromStdString(name);
  file.replace(QLatin1Char('.'), QLatin1Char('_'));
  return QStringLiteral(":/icons/") + file + QStringLiteral(".ico");
}

// The program's own icon also comes in the hicolor sizes the build made from its
// pixel art, so a panel or window list that asks for 22, 24, 64 or 128 pixels gets
// a crisp image instead of Qt's smooth scaling of the 48-pixel one.
void AddHicolorSizes(QIcon& icon) {
  const QDir sizes(QStringLiteral(":/hicolor"));
  const QList<QSize> drawn = icon.availableSizes();
  for (const QString& file : sizes.entryList({QStringLiteral("*.png")}, QDir::Files)) {
    const QPixmap pixmap(sizes.filePath(file));
    if (!pixmap.isNull() && !drawn.contains(pixmap.size())) icon.addPixmap(pixmap);
  }
}

}  // namespace

QIcon IconFromIcoBytes(std::span<const std::uint8_t> bytes) {
  QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  QIcon icon;
  const int count = reader.imageCount();
  for (int i = 0; i < count; ++i) {
    if (!reader.jumpToImage(i)) break;
    QImage image = reader.read();
    if (image.isNull()) continue;
    ApplyAndMask(image, bytes, i);
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

std::vector<std::uint8_t> ReadIconFileBytes(const QString& path) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return {};
  if (file.size() <= 0 || static_cast<std::size_t>(file.size()) > kMaxIconFileBytes) return {};
  const QByteArray data = file.readAll();
  return {data.begin(), data.end()};
}

QtPictureSource::QtPictureSource() : live_(std::make_shared<LiveIcons>()) {}

QtPictureSource::~QtPictureSource() = default;

PicturePtr QtPictureSource::Make(const QIcon& icon) {
  if (icon.isNull()) return nullptr;
  const std::int32_t handle = nextHandle_;
  nextHandle_ += 4;
  (*live_)[handle] = icon;
  return std::make_shared<IconPicture>(handle, live_);
}

// The built-in pictures are read once; every picture of one shares its QIcon.
PicturePtr QtPictureSource::LoadResource(const std::string& name) {
  auto found = builtIns_.find(name);
  if (found == builtIns_.end()) {
    const std::vector<std::uint8_t> bytes = ReadIconFileBytes(ResourcePath(name));
    if (!IsWellFormedIcon(bytes)) return nullptr;
    QIcon icon = IconFromIcoBytes(bytes);
    if (name == "Murvane") AddHicolorSizes(icon);
    found = builtIns_.emplace(name, icon).first;
  }
  return Make(found->second);
}

// Read once and checked before Qt's loader sees a byte; the icon comes from those
// same bytes, so the file cannot change in between. QIcon(path) would not do:
// it is not null even for a file that does not exist.
PicturePtr QtPictureSource::LoadIconFile(const std::u16string& path) {
  const std::vector<std::uint8_t> bytes = ReadIconFileBytes(ToQString(path));
  if (!IsWellFormedIcon(bytes)) return nullptr;
  return Make(IconFromIcoBytes(bytes));
}

QIcon QtPictureSource::IconOf(std::int32_t handle) const {
  auto found = live_->find(handle);
  return found == live_->end() ? QIcon() : found->second;
}

}  // namespace murvane::qt
