#pragma once
// CFileException: what the file classes throw when a file operation fails. It
// records why (one of fifteen causes), the system's error code and the file's
// name, and gives the message a person reads. The exception is caught and
// shown by the guard around window messages; the file classes only throw.
// CException is the small base of the framework's exceptions, so that guard
// needs only one catch.

#include <exception>

#include "platform/framework/CString.h"
#include "platform/win/WinTypes.h"

class CException : public std::exception {
 public:
  // The text shown to the user.
  virtual CString GetErrorMessage() const = 0;
  const char* what() const noexcept override;

 private:
  mutable CString m_what;
};

class CFileException : public CException {
 public:
  enum {
    none = 0,
    generic = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };

  explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr);

  // The cause's message with "%1" replaced by the file name, or by the words
  // for an untitled file when no name was recorded.
  CString GetErrorMessage() const override;

  static int OsErrorToCause(LONG winError);
  static LONG ErrnoToOsError(int err);

  [[noreturn]] static void Throw(int cause, LONG osError, const char* fileName);
  [[noreturn]] static void ThrowOsError(LONG winError, const char* fileName = nullptr);
  [[noreturn]] static void ThrowErrno(int err, const char* fileName = nullptr);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};
