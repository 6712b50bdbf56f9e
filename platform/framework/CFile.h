#pragma once
// CFile: an open file of the operating system, unbuffered, with the
// framework's open flags. Failures to open are returned (and described in a
// CFileException the caller passes); failures after that are thrown as
// CFileException. Buffering and text translation are CStdioFile's business.
//
// Sharing: the system has no share modes that bind other programs, so an
// exclusive open takes an advisory lock (flock) on the file. Two instances of
// this program then cannot hold the same file exclusively at once; the second
// open fails with a sharing violation. Programs that take no lock are not
// kept out.

#include "platform/framework/CFileException.h"
#include "platform/framework/CString.h"
#include "platform/win/WinTypes.h"

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  static constexpr int hFileNull = -1;

  CFile() = default;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
  // A file still open is closed without reporting anything.
  virtual ~CFile();

  // FALSE when the file cannot be opened; `error`, when given, then holds the
  // cause, the system's error code and the name as given.
  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);

  // Reads up to `count` bytes; fewer only at the end of the file.
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  // Makes everything written so far reach the storage device.
  virtual void Flush();
  virtual void Close();
  // Closes without reporting any failure; for clean-up paths.
  virtual void Abort();

  // The full path of the open file (relative names are made absolute).
  CString GetFilePath() const { return m_strFileName; }
  int GetHandle() const { return m_hFile; }
  UINT GetOpenFlags() const { return m_openFlags; }

  // Deletes a file. The exception names no file, as the framework's does.
  static void Remove(const char* fileName);

 protected:
  // Throws the exception for a system error met on this open file.
  [[noreturn]] void ThrowErrno(int err) const;
  // Closes the descriptor and forgets the file; returns the close's errno or 0.
  int CloseHandle();

 private:
  int m_hFile = hFileNull;
  UINT m_openFlags = 0;
  CString m_strFileName;
};
