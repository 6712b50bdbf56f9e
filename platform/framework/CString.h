#pragma once
// CString: the byte string every part of the program passes around: paths,
// list-file lines, sequencer commands and texts for people. Bytes are kept as
// they are (UTF-8 on this system, but any bytes survive). Copies share nothing
// visible to the caller; the standard string underneath does the work.

#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/win/WinTypes.h"

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_data(text ? text : "") {}  // NOLINT: implicit by design
  CString(const char* text, int length) : m_data(text ? std::string(text, static_cast<size_t>(length)) : std::string()) {}
  CString(std::string text) : m_data(std::move(text)) {}  // NOLINT
  CString(std::string_view text) : m_data(text) {}        // NOLINT
  CString(char ch, int repeat = 1) : m_data(static_cast<size_t>(repeat), ch) {}

  int GetLength() const { return static_cast<int>(m_data.size()); }
  bool IsEmpty() const { return m_data.empty(); }
  void Empty() { m_data.clear(); m_data.shrink_to_fit(); }

  char GetAt(int index) const { return m_data.at(static_cast<size_t>(index)); }
  void SetAt(int index, char ch) { m_data.at(static_cast<size_t>(index)) = ch; }
  char operator[](int index) const { return GetAt(index); }

  operator LPCTSTR() const { return m_data.c_str(); }  // NOLINT: the framework's conversion
  const char* c_str() const { return m_data.c_str(); }
  const std::string& str() const { return m_data; }

  CString& operator=(const char* text) { m_data = text ? text : ""; return *this; }
  CString& operator+=(const CString& other) { m_data += other.m_data; return *this; }
  CString& operator+=(const char* text) { if (text) m_data += text; return *this; }
  CString& operator+=(char ch) { m_data += ch; return *this; }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_data + b.m_data); }
  friend CString operator+(const CString& a, const char* b) { return CString(a.m_data + (b ? b : "")); }
  friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_data); }
  friend bool operator==(const CString& a, const CString& b) { return a.m_data == b.m_data; }
  friend bool operator==(const CString& a, const char* b) { return a.m_data == (b ? b : ""); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.m_data < b.m_data; }

  int Compare(const char* other) const { return m_data.compare(other ? other : ""); }

  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  int ReverseFind(char ch) const;
  int Replace(const char* from, const char* to);
  void MakeLower();
  void TrimLeft();
  void TrimRight();

  // printf-style formatting into this string; the result may be of any length.
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(const char* format, va_list args);

  // Loads string resource `id` of the running program; false if there is none.
  BOOL LoadString(UINT id);

 private:
  std::string m_data;
};
