// The fake shell: answers the 88-byte record as the Windows shell does, and keeps every call.
#include <algorithm>
#include <utility>

#include "platform/fake/fake_platform.h"

namespace murvane::fake {

namespace {

void ApplyFields(ShownIcon& icon, const NotifyIconBuffer& record) {
  NotifyIconRequest request = ReadNotifyIcon(record);
  if (request.uFlags & kNifMessage) icon.uCallbackMessage = request.uCallbackMessage;
  if (request.uFlags & kNifIcon) icon.hIcon = request.hIcon;
  if (request.uFlags & kNifTip) icon.tip = std::move(request.tip);
  icon.uFlags = request.uFlags;
}

}  // namespace

std::string FakeAnsi::ToAnsi(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) {
    if (doubleByte && c >= 0x100 && c < 0x8000) {
      bytes.push_back(static_cast<char>(0x80 | (c >> 8)));
      bytes.push_back(static_cast<char>(c & 0xFF));
    } else if (doubleByte ? c < 0x80 : c <= 0xFF) {
      bytes.push_back(static_cast<char>(c));
    } else {
      bytes.push_back('?');
    }
  }
  return bytes;
}

std::u16string FakeAnsi::FromAnsi(const std::string& bytes) {
  std::u16string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (doubleByte && byte >= 0x80 && i + 1 < bytes.size()) {
      text.push_back(
          static_cast<char16_t>(((byte & 0x7F) << 8) | static_cast<unsigned char>(bytes[++i])));
    } else {
      text.push_back(static_cast<char16_t>(byte));
    }
  }
  return text;
}

std::int32_t NotifyCall::uID() const {
  return ReadField(record, NotifyIconField::uID);
}

const ShownIcon* FakeTray::Find(std::int32_t uID) const {
  for (const ShownIcon& icon : shown_) {
    if (icon.uID == uID) return &icon;
  }
  return nullptr;
}

bool FakeTray::Notify(NotifyMessage message, NotifyIconBuffer& record) {
  const std::int32_t hWnd = ReadField(record, NotifyIconField::hWnd);
  const std::int32_t uID = ReadField(record, NotifyIconField::uID);
  auto found = std::find_if(shown_.begin(), shown_.end(), [&](const ShownIcon& icon) {
    return icon.hWnd == hWnd && icon.uID == uID;
  });
  if (HoldsReleasedHandle(record)) ++callsWithReleasedHandle_;
  if (auto during = std::exchange(duringNextCall, nullptr)) during();
  bool answer = false;
  if (ReadField(record, NotifyIconField::cbSize) !=
      static_cast<std::int32_t>(kNotifyIconDataSize)) {
    answer = false;  // the shell refuses a record of a size it does not know
  } else if (message == NotifyMessage::Add && found == shown_.end()) {
    ShownIcon icon{hWnd, uID, 0, 0, 0, ""};
    ApplyFields(icon, record);
    shown_.push_back(icon);
    answer = true;
  } else if (message == NotifyMessage::Modify && found != shown_.end()) {
    ApplyFields(*found, record);
    answer = true;
  } else if (message == NotifyMessage::Delete && found != shown_.end()) {
    shown_.erase(found);
    answer = true;
  }
  calls_.push_back({message, record, answer});
  return answer;
}

bool FakeTray::HoldsReleasedHandle(const NotifyIconBuffer& record) const {
  if (!isLive) return false;
  auto released = [&](std::int32_t handle) { return handle != 0 && !isLive(handle); };
  if (released(ReadField(record, NotifyIconField::hIcon))) return true;
  return std::any_of(shown_.begin(), shown_.end(),
                     [&](const ShownIcon& icon) { return released(icon.hIcon); });
}

}  // namespace murvane::fake
