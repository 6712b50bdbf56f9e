#include "platform/framework/CString.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "platform/win/Resources.h"

CString CString::Left(int count) const {
  count = std::clamp(count, 0, GetLength());
  return CString(m_data.substr(0, static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
  count = std::clamp(count, 0, GetLength());
  return CString(m_data.substr(m_data.size() - static_cast<size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = std::clamp(first, 0, GetLength());
  count = std::clamp(count, 0, GetLength() - first);
  return CString(m_data.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Find(char ch, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  auto pos = m_data.find(ch, static_cast<size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  auto pos = m_data.find(sub, static_cast<size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const {
  auto pos = m_data.rfind(ch);
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(const char* from, const char* to) {
  if (!from || !*from) return 0;
  std::string_view f(from);
  std::string_view t(to ? to : "");
  std::string out;
  int count = 0;
  size_t pos = 0;
  while (true) {
    size_t hit = m_data.find(f, pos);
    if (hit == std::string::npos) break;
    out.append(m_data, pos, hit - pos);
    out.append(t);
    pos = hit + f.size();
    ++count;
  }
  if (count) {
    out.append(m_data, pos, std::string::npos);
    m_data = std::move(out);
  }
  return count;
}

void CString::MakeLower() {
  for (auto& c : m_data) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

void CString::TrimLeft() {
  size_t i = 0;
  while (i < m_data.size() && std::isspace(static_cast<unsigned char>(m_data[i]))) ++i;
  m_data.erase(0, i);
}

void CString::TrimRight() {
  while (!m_data.empty() && std::isspace(static_cast<unsigned char>(m_data.back()))) m_data.pop_back();
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed < 0) {
    m_data.clear();
    return;
  }
  std::vector<char> buffer(static_cast<size_t>(needed) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  m_data.assign(buffer.data(), static_cast<size_t>(needed));
}

BOOL CString::LoadString(UINT id) {
  const char* text = win::FindStringResource(id);
  if (!text) {
    m_data.clear();
    return FALSE;
  }
  m_data = text;
  return TRUE;
}
