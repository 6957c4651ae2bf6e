#include "platform/qt/text.h"

namespace murvane::qt {
namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Bytes a sequence starting with `lead` takes; 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

// Where the last character of `bytes` starts, and whether it is complete.
bool EndsWithWholeCharacter(std::string_view bytes, std::size_t& lastStart) {
  std::size_t at = bytes.size();
  while (at > 0 && bytes.size() - at < 4 && IsContinuation(bytes[at - 1])) --at;
  if (at == 0) return true;  // nothing but stray continuation bytes: U+FFFD
  lastStart = at - 1;
  const std::size_t wanted = SequenceLength(static_cast<unsigned char>(bytes[lastStart]));
  return wanted == 0 || bytes.size() - lastStart >= wanted;
}

}  // namespace

std::string ToUtf8Bytes(std::u16string_view text) {
  return ToQString(std::u16string(text)).toStdString();
}

std::u16string FromUtf8Bytes(std::string_view bytes) {
  std::size_t lastStart = 0;
  if (!EndsWithWholeCharacter(bytes, lastStart)) bytes = bytes.substr(0, lastStart);
  return FromQString(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string_view CutOnCharacter(std::string_view bytes, std::size_t limit) {
  if (bytes.size() <= limit) return bytes;
  std::size_t at = limit;
  while (at > 0 && IsContinuation(static_cast<unsigned char>(bytes[at]))) --at;
  return bytes.substr(0, at);
}

}  // namespace murvane::qt
