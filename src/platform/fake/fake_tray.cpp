#include <algorithm>

#include "platform/fake/fake_platform.h"

namespace murvane::fake {

namespace {

constexpr std::int32_t kNifMessage = 1;
constexpr std::int32_t kNifIcon = 2;
constexpr std::int32_t kNifTip = 4;

std::int32_t Field(const NotifyIconBuffer& record, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i)
    bits |= static_cast<std::uint32_t>(record[offset + i]) << (8 * i);
  return static_cast<std::int32_t>(bits);
}

std::string TipOfRecord(const NotifyIconBuffer& record) {
  std::string tip(record.begin() + 24, record.begin() + 88);
  return tip.substr(0, tip.find('\0'));
}

void ApplyFields(ShownIcon& icon, const NotifyIconBuffer& record) {
  std::int32_t flags = Field(record, 12);
  if (flags & kNifMessage) icon.uCallbackMessage = Field(record, 16);
  if (flags & kNifIcon) icon.hIcon = Field(record, 20);
  if (flags & kNifTip) icon.tip = TipOfRecord(record);
  icon.uFlags = flags;
}

}  // namespace

std::string FakeAnsi::ToAnsi(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  return bytes;
}

std::u16string FakeAnsi::FromAnsi(const std::string& bytes) {
  std::u16string text;
  for (char c : bytes) text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return text;
}

std::int32_t NotifyCall::uID() const {
  return Field(record, 8);
}
std::int32_t NotifyCall::hIcon() const {
  return Field(record, 20);
}
std::string NotifyCall::Tip() const {
  return TipOfRecord(record);
}

const ShownIcon* FakeTray::Find(std::int32_t uID) const {
  for (const ShownIcon& icon : shown_) {
    if (icon.uID == uID) return &icon;
  }
  return nullptr;
}

bool FakeTray::Notify(NotifyMessage message, NotifyIconBuffer& record) {
  const std::int32_t hWnd = Field(record, 4);
  const std::int32_t uID = Field(record, 8);
  auto found = std::find_if(shown_.begin(), shown_.end(), [&](const ShownIcon& icon) {
    return icon.hWnd == hWnd && icon.uID == uID;
  });
  bool answer = false;
  if (Field(record, 0) != static_cast<std::int32_t>(kNotifyIconDataSize)) {
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

}  // namespace murvane::fake
