#pragma once
// The window system's file-open dialog, under the names programs are
// written against, and the seam through which it reads folders. The dialog
// is drawn by our own renderer and runs a modal loop of the window system;
// its owner is disabled while it is up.

#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

struct OPENFILENAMEA {
  DWORD lStructSize = sizeof(OPENFILENAMEA);
  HWND hwndOwner = nullptr;  // null: the thread's active window
  // Pairs of a description and a pattern list ("*.mid;*.midi"), each
  // NUL-terminated, the whole list ended by one more NUL.
  LPCSTR lpstrFilter = nullptr;
  DWORD nFilterIndex = 0;  // 1-based; on return, the filter in use
  LPSTR lpstrFile = nullptr;  // in: the initial name; out: the full path
  DWORD nMaxFile = 0;         // bytes in lpstrFile, with the terminating NUL
  LPSTR lpstrFileTitle = nullptr;  // optional: receives the file name alone
  DWORD nMaxFileTitle = 0;
  LPCSTR lpstrInitialDir = nullptr;  // null: the process's current folder
  LPCSTR lpstrTitle = nullptr;       // null: "ファイルを開く"
  DWORD Flags = 0;
  WORD nFileOffset = 0;     // on return: where the file name starts in lpstrFile
  WORD nFileExtension = 0;  // on return: where the extension starts (after the dot), or the end
  LPCSTR lpstrDefExt = nullptr;  // appended with a dot to a typed name without an extension
};

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

// CommDlgExtendedError codes.
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// Runs the file-open dialog. TRUE when the user confirmed a file: its full
// path is in lpstrFile and, unless OFN_NOCHANGEDIR, its folder has become
// the process's current folder. FALSE on cancel (lpstrFile untouched and
// CommDlgExtendedError() 0) or on a failure that CommDlgExtendedError()
// names, such as a path that does not fit nMaxFile.
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
// Why the last file dialog of this thread returned FALSE; 0 for a cancel.
DWORD CommDlgExtendedError();

namespace win {

// The file dialog's controls, for whoever drives the dialog from outside
// (tests, automation): besides these it has IDOK "開く" and IDCANCEL "キャンセル".
constexpr int kFileDialogFolderId = 1101;  // static: the current folder's full path
constexpr int kFileDialogUpId = 1102;      // push button: one folder up
constexpr int kFileDialogListId = 1120;    // list box: "name/" for folders, then files
constexpr int kFileDialogTypeId = 1136;    // one-line list box: the filter descriptions
constexpr int kFileDialogNameId = 1152;    // edit: the file name

struct DirectoryEntry {
  std::string name;
  bool isDirectory = false;  // a folder, or a link to one
};

// Where the file dialog reads folders. The class itself reads the real file
// system; a test derives from it and installs its instance with
// ScopedDirectoryReader, which is how an unreadable folder is tested even
// where permission bits do not bind the process (root).
class DirectoryReader {
 public:
  DirectoryReader() = default;
  DirectoryReader(const DirectoryReader&) = delete;
  DirectoryReader& operator=(const DirectoryReader&) = delete;
  virtual ~DirectoryReader() = default;

  // The entries of folder `path` without "." and "..", in no order; false,
  // with an errno value in `error`, when the folder cannot be read.
  virtual bool List(const std::string& path, std::vector<DirectoryEntry>& entries, int& error);

  enum class Kind { Missing, File, Directory };
  // What `path` names, following symbolic links.
  virtual Kind KindOf(const std::string& path);

  // The reader the file dialog uses: the real one unless a test installed another.
  static DirectoryReader& Current();

 private:
  friend class ScopedDirectoryReader;
  static DirectoryReader* Exchange(DirectoryReader* next);
};

// Installs a reader for the lifetime of this object and puts the previous
// one back afterwards. Scopes nest; they must end in reverse order.
class ScopedDirectoryReader {
 public:
  explicit ScopedDirectoryReader(DirectoryReader& reader) : m_previous(DirectoryReader::Exchange(&reader)) {}
  ~ScopedDirectoryReader() { DirectoryReader::Exchange(m_previous); }
  ScopedDirectoryReader(const ScopedDirectoryReader&) = delete;
  ScopedDirectoryReader& operator=(const ScopedDirectoryReader&) = delete;

 private:
  DirectoryReader* m_previous;
};

}  // namespace win
