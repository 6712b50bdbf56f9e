#pragma once
// CFileDialog: the framework's face of the window system's file-open
// dialog. It turns the framework's filter form ("text|pattern|...||") into
// the window system's, keeps the file name in a buffer of its own, picks
// the owner (the given parent or the main window) and runs the dialog. Only
// the open form exists on this system; the dialog itself, its look and its
// rules are the window system's.

#include <string>
#include <vector>

#include "platform/framework/CString.h"
#include "platform/win/CommonDialogs.h"

class CWnd;

class CFileDialog {
 public:
  // The file-name buffer holds a whole path of this system (PATH_MAX bytes),
  // so that a file deep in the folder tree can be chosen.
  static constexpr DWORD kMaxPath = 4096;

  CFileDialog(BOOL openFileDialog, const char* defExt = nullptr, const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);
  virtual ~CFileDialog() = default;
  // m_ofn points into this object's own buffers.
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // IDOK when the user chose a file, IDCANCEL on cancel or failure (the
  // reason is then in CommDlgExtendedError()).
  virtual int DoModal();

  // The full path, the file name and its extension (without the dot).
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;

  OPENFILENAMEA m_ofn;

 private:
  BOOL m_bOpenFileDialog;
  CWnd* m_pParentWnd;
  std::string m_filter;       // the window system's form: NUL-separated, ended by two NULs
  std::string m_defExt;
  std::vector<char> m_file;   // kMaxPath bytes
  std::vector<char> m_title;  // the file name alone, kMaxPath bytes
};
