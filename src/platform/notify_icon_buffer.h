// The first NOTIFYICONDATAA form, little-endian, exactly as the shell receives it:
// where each field sits, how one is read or written, and how a shell reads a whole
// record. The tray record, the fake shell and every backend go through these, so
// the layout is written once.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace murvane {

constexpr std::size_t kNotifyIconDataSize = 88;
using NotifyIconBuffer = std::array<std::uint8_t, kNotifyIconDataSize>;

enum class NotifyIconField : std::size_t {
  cbSize = 0,
  hWnd = 4,
  uID = 8,
  uFlags = 12,
  uCallbackMessage = 16,
  hIcon = 20,
};
constexpr std::size_t kNotifyTipOffset = 24;

// uFlags: which of uCallbackMessage, hIcon and szTip the shell is to use.
constexpr std::int32_t kNifMessage = 1;
constexpr std::int32_t kNifIcon = 2;
constexpr std::int32_t kNifTip = 4;
constexpr std::size_t kNotifyTipBytes = 64;

inline std::int32_t ReadField(const NotifyIconBuffer& buffer, NotifyIconField field) {
  const auto at = static_cast<std::size_t>(field);
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(buffer[at + i]) << (8 * i);
  return static_cast<std::int32_t>(bits);
}

inline void WriteField(NotifyIconBuffer& buffer, NotifyIconField field, std::int32_t value) {
  const auto at = static_cast<std::size_t>(field);
  const auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) buffer[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// A record as a shell takes it: the numbers, and the tip's ANSI bytes up to the
// first NUL (all 64 when there is none).
struct NotifyIconRequest {
  std::int32_t hWnd = 0;
  std::int32_t uID = 0;
  std::int32_t uFlags = 0;
  std::int32_t uCallbackMessage = 0;
  std::int32_t hIcon = 0;
  std::string tip;
};

inline NotifyIconRequest ReadNotifyIcon(const NotifyIconBuffer& buffer) {
  const auto* tip = reinterpret_cast<const char*>(buffer.data()) + kNotifyTipOffset;
  std::string tipBytes(tip, kNotifyTipBytes);
  tipBytes.resize(std::min(tipBytes.find('\0'), kNotifyTipBytes));
  return {ReadField(buffer, NotifyIconField::hWnd),
          ReadField(buffer, NotifyIconField::uID),
          ReadField(buffer, NotifyIconField::uFlags),
          ReadField(buffer, NotifyIconField::uCallbackMessage),
          ReadField(buffer, NotifyIconField::hIcon),
          std::move(tipBytes)};
}

}  // namespace murvane
