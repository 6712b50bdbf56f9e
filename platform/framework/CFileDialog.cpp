#include "platform/framework/CFileDialog.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/Afx.h"
#include "platform/framework/CWnd.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog), m_pParentWnd(parent), m_file(kMaxPath, '\0'), m_title(kMaxPath, '\0') {
  if (filter) {
    // "desc|pattern|desc|pattern||": every bar ends a string, and the list
    // always ends with an empty one, whether or not the text closed it.
    m_filter = filter;
    std::replace(m_filter.begin(), m_filter.end(), '|', '\0');
    m_filter.append(2, '\0');
  }
  if (defExt) m_defExt = defExt;
  if (fileName) {
    size_t length = std::min<size_t>(std::strlen(fileName), kMaxPath - 1);
    std::memcpy(m_file.data(), fileName, length);
  }
  m_ofn.lStructSize = sizeof(OPENFILENAMEA);
  m_ofn.lpstrFilter = filter ? m_filter.c_str() : nullptr;
  m_ofn.nFilterIndex = filter ? 1 : 0;
  m_ofn.lpstrFile = m_file.data();
  m_ofn.nMaxFile = kMaxPath;
  m_ofn.lpstrFileTitle = m_title.data();
  m_ofn.nMaxFileTitle = kMaxPath;
  m_ofn.lpstrDefExt = defExt ? m_defExt.c_str() : nullptr;
  m_ofn.Flags = flags | OFN_EXPLORER;
}

int CFileDialog::DoModal() {
  // Only the open form is provided by this system's window system; a save
  // dialog would need questions (overwrite?) that its message boxes cannot ask.
  if (!m_bOpenFileDialog) return IDCANCEL;
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner) {
    if (CWnd* main = AfxGetMainWnd(); main && IsWindow(main->m_hWnd)) owner = main->m_hWnd;
  }
  m_ofn.hwndOwner = owner;
  return GetOpenFileNameA(&m_ofn) ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  return path.Mid(path.ReverseFind('/') + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}
