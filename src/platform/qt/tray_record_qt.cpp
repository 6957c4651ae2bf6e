#include "platform/qt/tray_record_qt.h"

#include <string_view>

#include "platform/qt/text_qt.h"

namespace murvane::qt {

TrayRequest DecodeTrayRecord(const NotifyIconBuffer& record) {
  TrayRequest request;
  request.window = ReadField(record, NotifyIconField::hWnd);
  request.id = ReadField(record, NotifyIconField::uID);
  request.flags = ReadField(record, NotifyIconField::uFlags);
  request.callbackMessage = ReadField(record, NotifyIconField::uCallbackMessage);
  request.picture = ReadField(record, NotifyIconField::hIcon);
  std::string_view tip(reinterpret_cast<const char*>(record.data()) + kNotifyTipOffset,
                       kNotifyTipBytes);
  tip = tip.substr(0, tip.find('\0'));
  request.tip = ToQString(FromUtf8Bytes(tip));
  return request;
}

}  // namespace murvane::qt
