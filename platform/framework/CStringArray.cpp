#include "platform/framework/CStringArray.h"

#include <stdexcept>

void CStringArray::InsertAt(int index, const CString& value) {
  if (index < 0 || index > GetSize()) throw std::out_of_range("CStringArray::InsertAt");
  m_items.insert(m_items.begin() + index, value);
}

void CStringArray::RemoveAt(int index, int count) {
  if (index < 0 || count < 0 || index + count > GetSize()) throw std::out_of_range("CStringArray::RemoveAt");
  m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
}
