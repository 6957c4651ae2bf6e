// Icon pictures on Qt. Each picture builds its QIcon once; its handle is a number
// this process hands out, which the tray turns back into that same QIcon.
#pragma once

#include <QIcon>
#include <QString>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "platform/platform.h"

namespace murvane::qt {

// Every image of a checked icon file's bytes in one QIcon; null when none could be read.
QIcon IconFromIcoBytes(std::span<const std::uint8_t> bytes);

// The file's bytes when it is a plain readable file no bigger than an icon may be.
std::vector<std::uint8_t> ReadIconFileBytes(const QString& path);

class QtPictureSource final : public PictureSource {
 public:
  QtPictureSource();
  ~QtPictureSource() override;
  QtPictureSource(const QtPictureSource&) = delete;
  QtPictureSource& operator=(const QtPictureSource&) = delete;

  PicturePtr LoadResource(const std::string& name) override;
  PicturePtr LoadIconFile(const std::u16string& path) override;

  // The icon of a live picture's handle; null for a handle no picture holds.
  QIcon IconOf(std::int32_t handle) const;
  std::size_t LivePictures() const { return live_->size(); }

 private:
  PicturePtr Make(const QIcon& icon);

  using LiveIcons = std::map<std::int32_t, QIcon>;
  // Shared with the pictures, which may outlive this source in a test.
  std::shared_ptr<LiveIcons> live_;
  std::map<std::string, QIcon> builtIns_;
  std::int32_t nextHandle_ = 0x1000;
};

}  // namespace murvane::qt
