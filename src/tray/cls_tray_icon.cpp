#include "tray/cls_tray_icon.h"

namespace murvane {

namespace {

constexpr std::size_t kTipOffset = 24;

void PutInt32(NotifyIconBuffer& buffer, std::size_t offset, std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i)
    buffer[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t GetInt32(const NotifyIconBuffer& buffer, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i)
    bits |= static_cast<std::uint32_t>(buffer[offset + i]) << (8 * i);
  return static_cast<std::int32_t>(bits);
}

}  // namespace

clsTrayIcon::clsTrayIcon(NotificationArea& shell, AnsiCodePage& ansi)
    : shell_(shell), ansi_(ansi) {}

std::int16_t clsTrayIcon::Add() {
  return Send(NotifyMessage::Add);
}
std::int16_t clsTrayIcon::Modify() {
  return Send(NotifyMessage::Modify);
}
std::int16_t clsTrayIcon::Delete() {
  return Send(NotifyMessage::Delete);
}

std::int16_t clsTrayIcon::Send(NotifyMessage message) {
  NotifyIconBuffer buffer = ToBuffer();
  bool done = shell_.Notify(message, buffer);
  FromBuffer(buffer);
  return done ? 1 : 0;
}

NotifyIconBuffer clsTrayIcon::ToBuffer() {
  NotifyIconBuffer buffer{};
  PutInt32(buffer, 0, record_.cbSize);
  PutInt32(buffer, 4, record_.hWnd);
  PutInt32(buffer, 8, record_.uID);
  PutInt32(buffer, 12, record_.uFlags);
  PutInt32(buffer, 16, record_.uCallbackMessage);
  PutInt32(buffer, 20, record_.hIcon);
  std::string tip = ansi_.ToAnsi(record_.szTip);
  tip.resize(kTipLength, '\0');
  std::copy(tip.begin(), tip.end(), buffer.begin() + kTipOffset);
  return buffer;
}

// After a shell call the tip holds only what the ANSI code page could carry.
void clsTrayIcon::FromBuffer(const NotifyIconBuffer& buffer) {
  record_.cbSize = GetInt32(buffer, 0);
  record_.hWnd = GetInt32(buffer, 4);
  record_.uID = GetInt32(buffer, 8);
  record_.uFlags = GetInt32(buffer, 12);
  record_.uCallbackMessage = GetInt32(buffer, 16);
  record_.hIcon = GetInt32(buffer, 20);
  std::string tip(buffer.begin() + kTipOffset, buffer.begin() + kTipOffset + kTipLength);
  record_.szTip = ansi_.FromAnsi(tip);
  record_.szTip.resize(kTipLength, u'\0');
}

void clsTrayIcon::szTip(const std::u16string& vData) {
  std::u16string text = vData.substr(0, kTipLength - 1);
  text.push_back(u'\0');
  text.resize(kTipLength, u' ');
  mSzTip_ = text;
  record_.szTip = mSzTip_;
}

std::u16string clsTrayIcon::szTip() {
  mSzTip_ = record_.szTip;
  return mSzTip_;
}

void clsTrayIcon::hIcon(std::int32_t vData) {
  record_.hIcon = mHIcon_ = vData;
}
std::int32_t clsTrayIcon::hIcon() {
  return mHIcon_ = record_.hIcon;
}
void clsTrayIcon::uCallbackMessage(std::int32_t vData) {
  record_.uCallbackMessage = mUCallbackMessage_ = vData;
}
std::int32_t clsTrayIcon::uCallbackMessage() {
  return mUCallbackMessage_ = record_.uCallbackMessage;
}
void clsTrayIcon::uFlags(std::int32_t vData) {
  record_.uFlags = mUFlags_ = vData;
}
std::int32_t clsTrayIcon::uFlags() {
  return mUFlags_ = record_.uFlags;
}
void clsTrayIcon::uId(std::int32_t vData) {
  record_.uID = mUId_ = vData;
}
std::int32_t clsTrayIcon::uId() {
  return mUId_ = record_.uID;
}
void clsTrayIcon::hWnd(std::int32_t vData) {
  record_.hWnd = mHWnd_ = vData;
}
std::int32_t clsTrayIcon::hWnd() {
  return mHWnd_ = record_.hWnd;
}

}  // namespace murvane
