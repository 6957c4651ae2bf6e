#include "tray/cls_tray_icon.h"

#include <utility>

namespace murvane {

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
  WriteField(buffer, NotifyIconField::cbSize, record_.cbSize);
  WriteField(buffer, NotifyIconField::hWnd, record_.hWnd);
  WriteField(buffer, NotifyIconField::uID, record_.uID);
  WriteField(buffer, NotifyIconField::uFlags, record_.uFlags);
  WriteField(buffer, NotifyIconField::uCallbackMessage, record_.uCallbackMessage);
  WriteField(buffer, NotifyIconField::hIcon, record_.hIcon);
  std::string tip = AnsiTip();
  std::copy(tip.begin(), tip.end(), buffer.begin() + kNotifyTipOffset);
  return buffer;
}

// 63 characters may need more than 63 bytes in a double-byte code page; whole
// characters are dropped from the end until the NUL fits, as the shell reads
// the tip up to it.
std::string clsTrayIcon::AnsiTip() {
  std::string tip = ansi_.ToAnsi(record_.szTip);
  if (tip.find('\0') >= kNotifyTipBytes) {
    std::u16string text = record_.szTip.substr(0, record_.szTip.find(u'\0'));
    do {
      text.pop_back();
      if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
      tip = ansi_.ToAnsi(text);
    } while (tip.size() >= kNotifyTipBytes);
  }
  tip.resize(kNotifyTipBytes, '\0');
  return tip;
}

// After a shell call the tip holds only what the ANSI code page could carry.
void clsTrayIcon::FromBuffer(const NotifyIconBuffer& buffer) {
  record_.cbSize = ReadField(buffer, NotifyIconField::cbSize);
  record_.hWnd = ReadField(buffer, NotifyIconField::hWnd);
  record_.uID = ReadField(buffer, NotifyIconField::uID);
  record_.uFlags = ReadField(buffer, NotifyIconField::uFlags);
  record_.uCallbackMessage = ReadField(buffer, NotifyIconField::uCallbackMessage);
  record_.hIcon = ReadField(buffer, NotifyIconField::hIcon);
  std::string tip(buffer.begin() + kNotifyTipOffset,
                  buffer.begin() + kNotifyTipOffset + kNotifyTipBytes);
  record_.szTip = ansi_.FromAnsi(tip);
  record_.szTip.resize(kTipLength, u'\0');
}

void clsTrayIcon::szTip(const std::u16string& vData) {
  std::u16string text = vData.substr(0, kTipLength - 1);
  text.push_back(u'\0');
  text.resize(kTipLength, u' ');
  record_.szTip = std::move(text);
}

std::u16string clsTrayIcon::szTip() {
  return record_.szTip;
}

void clsTrayIcon::hIcon(std::int32_t vData) {
  record_.hIcon = vData;
}
std::int32_t clsTrayIcon::hIcon() {
  return record_.hIcon;
}
void clsTrayIcon::uCallbackMessage(std::int32_t vData) {
  record_.uCallbackMessage = vData;
}
std::int32_t clsTrayIcon::uCallbackMessage() {
  return record_.uCallbackMessage;
}
void clsTrayIcon::uFlags(std::int32_t vData) {
  record_.uFlags = vData;
}
std::int32_t clsTrayIcon::uFlags() {
  return record_.uFlags;
}
void clsTrayIcon::uId(std::int32_t vData) {
  record_.uID = vData;
}
std::int32_t clsTrayIcon::uId() {
  return record_.uID;
}
void clsTrayIcon::hWnd(std::int32_t vData) {
  record_.hWnd = vData;
}
std::int32_t clsTrayIcon::hWnd() {
  return record_.hWnd;
}

}  // namespace murvane
