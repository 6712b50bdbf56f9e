#include "platform/framework/CListBox.h"

#include <vector>

void CListBox::GetText(int index, CString& text) const {
  LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length < 0) {
    text.Empty();
    return;
  }
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  text = CString(buffer.data(), static_cast<int>(length));
}
