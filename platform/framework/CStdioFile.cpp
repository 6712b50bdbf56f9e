#include "platform/framework/CStdioFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/framework/FileSystem.h"

namespace {

constexpr char kEndOfFileMark = 0x1A;

// The bytes that interrupt a run of ordinary line text in text mode.
bool StopsTextRun(char c) { return c == '\n' || c == '\r' || c == '\0' || c == kEndOfFileMark; }

}  // namespace

CStdioFile::~CStdioFile() {
  if (GetHandle() != hFileNull) CStdioFile::Abort();
}

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  if (!CFile::Open(fileName, openFlags, error)) return FALSE;
  Reset();
  return TRUE;
}

BOOL CStdioFile::ReadString(CString& line) {
  if (m_writeUsed) {
    if (int err = WriteOut()) ThrowDiskFull(err);
  }
  const bool text = IsText();
  std::string collected;
  bool readAnything = false;
  for (;;) {
    if (m_readPos == m_readEnd && !Fill()) break;
    const char* begin = m_readBuffer.data() + m_readPos;
    const char* end = m_readBuffer.data() + m_readEnd;
    const char* stop = begin;
    if (text) {
      while (stop < end && !StopsTextRun(*stop)) ++stop;
    } else {
      while (stop < end && *stop != '\n' && *stop != '\0') ++stop;
    }
    collected.append(begin, stop);
    m_readPos += static_cast<size_t>(stop - begin);
    if (stop != begin) readAnything = true;
    if (stop == end) continue;

    char c = *stop;
    if (c == kEndOfFileMark) {
      m_sawEndMark = true;
      m_readPos = m_readEnd;
      break;
    }
    ++m_readPos;
    readAnything = true;
    if (c == '\r') {
      // CR LF is one line end; a CR on its own is part of the line.
      if (Peek() == '\n') {
        ++m_readPos;
        break;
      }
      collected += '\r';
      continue;
    }
    break;  // LF, or a NUL that ends this line's text.
  }
  if (!readAnything) return FALSE;
  line = CString(std::move(collected));
  return TRUE;
}

UINT CStdioFile::Read(void* buffer, UINT count) {
  if (m_writeUsed) {
    if (int err = WriteOut()) ThrowDiskFull(err);
  }
  auto* out = static_cast<char*>(buffer);
  UINT done = 0;
  const bool text = IsText();
  while (done < count) {
    if (m_readPos == m_readEnd && !Fill()) break;
    char c = m_readBuffer[m_readPos];
    if (text && c == kEndOfFileMark) {
      m_sawEndMark = true;
      m_readPos = m_readEnd;
      break;
    }
    ++m_readPos;
    if (text && c == '\r' && Peek() == '\n') {
      ++m_readPos;
      c = '\n';
    }
    out[done++] = c;
  }
  return done;
}

void CStdioFile::Write(const void* buffer, UINT count) {
  if (GetHandle() == hFileNull) ThrowErrno(EBADF);
  DropReadAhead();
  const auto* bytes = static_cast<const char*>(buffer);
  const char* end = bytes + count;
  if (!IsText()) {
    Append(bytes, count);
    return;
  }
  while (bytes < end) {
    const auto* lineEnd = static_cast<const char*>(std::memchr(bytes, '\n', static_cast<size_t>(end - bytes)));
    if (!lineEnd) {
      Append(bytes, static_cast<size_t>(end - bytes));
      break;
    }
    Append(bytes, static_cast<size_t>(lineEnd - bytes));
    Append("\r\n", 2);
    bytes = lineEnd + 1;
  }
}

void CStdioFile::WriteString(const char* text) {
  if (text) Write(text, static_cast<UINT>(std::strlen(text)));
}

void CStdioFile::Flush() {
  if (GetHandle() == hFileNull || !IsWritable()) return;
  if (int err = WriteOut()) ThrowDiskFull(err);
  if (FileSystem::Current().Fsync(GetHandle()) != 0) ThrowDiskFull(errno);
}

void CStdioFile::Close() {
  if (GetHandle() == hFileNull) return;
  const bool writable = IsWritable();
  int writeErr = WriteOut();
  int closeErr = CloseHandle();
  Reset();
  if (writeErr) ThrowDiskFull(writeErr);
  if (closeErr) {
    // For a file being written, a failing close may have lost data that the
    // system still held, which is the same failure as a full disk.
    if (writable) ThrowDiskFull(closeErr);
    ThrowErrno(closeErr);
  }
}

void CStdioFile::Abort() {
  if (GetHandle() != hFileNull) {
    WriteOut();
    CFile::Abort();
  }
  Reset();
}

void CStdioFile::Append(const char* bytes, size_t count) {
  if (m_writeBuffer.empty()) m_writeBuffer.resize(kWriteBufferSize);
  while (count > 0) {
    if (m_writeUsed == m_writeBuffer.size()) {
      if (int err = WriteOut()) ThrowDiskFull(err);
    }
    size_t take = std::min(count, m_writeBuffer.size() - m_writeUsed);
    std::memcpy(m_writeBuffer.data() + m_writeUsed, bytes, take);
    m_writeUsed += take;
    bytes += take;
    count -= take;
  }
}

int CStdioFile::WriteOut() {
  FileSystem& fs = FileSystem::Current();
  size_t done = 0;
  int err = 0;
  while (done < m_writeUsed) {
    ssize_t put = fs.Write(GetHandle(), m_writeBuffer.data() + done, m_writeUsed - done);
    if (put < 0) {
      err = errno;
      break;
    }
    if (put == 0) {
      err = ENOSPC;
      break;
    }
    done += static_cast<size_t>(put);
  }
  m_writeUsed = 0;
  return err;
}

void CStdioFile::DropReadAhead() {
  if (m_readEnd > m_readPos) {
    auto unread = static_cast<off_t>(m_readEnd - m_readPos);
    if (FileSystem::Current().Seek(GetHandle(), -unread, SEEK_CUR) < 0) ThrowErrno(errno);
  }
  m_readPos = m_readEnd = 0;
}

bool CStdioFile::Fill() {
  if (m_sawEndMark) return false;
  if (m_readBuffer.empty()) m_readBuffer.resize(kReadBufferSize);
  ssize_t got = FileSystem::Current().Read(GetHandle(), m_readBuffer.data(), m_readBuffer.size());
  if (got < 0) ThrowReadError(errno);
  m_readPos = 0;
  m_readEnd = static_cast<size_t>(got);
  return got > 0;
}

int CStdioFile::Peek() {
  if (m_readPos == m_readEnd && !Fill()) return -1;
  return static_cast<unsigned char>(m_readBuffer[m_readPos]);
}

void CStdioFile::ThrowDiskFull(int err) const {
  CFileException::Throw(CFileException::diskFull, CFileException::ErrnoToOsError(err), GetFilePath());
}

void CStdioFile::ThrowReadError(int err) const {
  CFileException::Throw(CFileException::generic, CFileException::ErrnoToOsError(err), GetFilePath());
}

void CStdioFile::Reset() {
  m_writeUsed = 0;
  m_readPos = m_readEnd = 0;
  m_sawEndMark = false;
}
