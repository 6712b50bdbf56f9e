#include "platform/framework/CFileException.h"

#include "platform/framework/FileErrors.h"

namespace {

// Shown in place of the file name when the operation recorded none.
constexpr const char* kUntitledFile = "無題のﾌｧｲﾙ";

}  // namespace

const char* CException::what() const noexcept {
  try {
    m_what = GetErrorMessage();
    return m_what.c_str();
  } catch (...) {
    return "CException";
  }
}

CFileException::CFileException(int cause, LONG osError, const char* fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

CString CFileException::GetErrorMessage() const {
  // A cause nobody defined cannot be explained better than "unexpected".
  const char* text = FileErrors::CauseMessage(m_cause);
  CString message(text ? text : FileErrors::CauseMessage(generic));
  message.Replace("%1", m_strFileName.IsEmpty() ? kUntitledFile : m_strFileName.c_str());
  return message;
}

int CFileException::OsErrorToCause(LONG winError) { return FileErrors::WinErrorToCause(winError); }

LONG CFileException::ErrnoToOsError(int err) { return FileErrors::ErrnoToWinError(err); }

void CFileException::Throw(int cause, LONG osError, const char* fileName) {
  throw CFileException(cause, osError, fileName);
}

void CFileException::ThrowOsError(LONG winError, const char* fileName) {
  Throw(OsErrorToCause(winError), winError, fileName);
}

void CFileException::ThrowErrno(int err, const char* fileName) { ThrowOsError(ErrnoToOsError(err), fileName); }
