// Qt 6.4's icon reader takes a 24-bit (or paletted) icon image as opaque and
// drops its AND mask, so a clear ground comes out black. The mask is applied
// here from the file's own bytes.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>

namespace murvane::qt {

// `file` must have passed the icon check; `entry` counts from 0. Leaves PNG
// entries and 32-bit ones, which carry their own alpha, as they are.
void ApplyAndMask(QImage& image, std::span<const std::uint8_t> file, int entry);

}  // namespace murvane::qt
