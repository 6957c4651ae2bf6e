#include "ui/dialogs/common_dialog.h"

#include <algorithm>

namespace murvane {

namespace {

// OFN_CREATEPROMPT | OFN_EXPLORER | OFN_NODEREFERENCELINKS | OFN_LONGNAMES
constexpr std::uint32_t kOpenFlags = 0x382000;
const std::u16string kTwoNuls(2, u'\0');

std::u16string DialogFilter(std::u16string filter) {
  std::replace(filter.begin(), filter.end(), u'|', u'\0');
  return filter + kTwoNuls;
}

}  // namespace

modCommonDialog::modCommonDialog(Platform& platform) : platform_(platform) {}

std::u16string modCommonDialog::ShowOpen(std::int32_t owner, const std::u16string& filter,
                                         const std::u16string& initialFolder) {
  record_.lStructSize = kOpenFileNameSize;
  record_.hwndOwner = owner;
  record_.lpstrFilter = DialogFilter(filter);
  // The second pair is preselected; with a single pair the dialog shows that one.
  record_.nFilterIndex = 2;
  record_.lpstrFile = u"Untitled.bas" + std::u16string(1024, u' ') + kTwoNuls;
  record_.nMaxFile = static_cast<std::uint32_t>(record_.lpstrFile.size());
  record_.lpstrDefExt = u"bas" + kTwoNuls;
  record_.lpstrFileTitle = std::u16string(1, u'\0') + std::u16string(512, u' ') + kTwoNuls;
  record_.nMaxFileTitle = static_cast<std::uint32_t>(record_.lpstrFileTitle.size());
  record_.lpstrInitialDir = initialFolder + kTwoNuls;
  record_.lpstrTitle = platform_.identity.title + u" - Apri";
  record_.Flags = kOpenFlags;
  if (!platform_.fileDialog.GetOpenFileName(record_)) return u"";
  return record_.lpstrFile;
}

std::u16string UpToFirstNul(const std::u16string& text) {
  return text.substr(0, text.find(u'\0'));
}

}  // namespace murvane
