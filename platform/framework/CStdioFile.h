#pragma once
// CStdioFile: a buffered file of lines. In text mode (the default; typeBinary
// turns it off) a written "\n" reaches the disk as CR LF, and on reading CR LF
// becomes "\n", a CR on its own stays as it is and the byte 0x1A ends the
// file. Writes collect in a 4096-byte buffer, so most write errors surface at
// Flush or Close; any failure to write is reported as a full disk, naming the
// file. A failure to read after the open is reported as generic.

#include <cstddef>
#include <vector>

#include "platform/framework/CFile.h"

class CStdioFile : public CFile {
 public:
  static constexpr size_t kWriteBufferSize = 4096;
  static constexpr size_t kReadBufferSize = 64 * 1024;

  CStdioFile() = default;
  // A file still open is closed; what is still buffered is written if it
  // can be, and nothing is reported.
  ~CStdioFile() override;

  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;

  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  void WriteString(const char* text);

  // Reads the next line into `line` without its line end. A NUL byte ends
  // the line's text there, and what follows it is read as the next line.
  // Lines may be of any length. FALSE at the end of the file with nothing
  // read.
  BOOL ReadString(CString& line);

  // Writes out the buffer and makes everything reach the storage device.
  void Flush() override;
  void Close() override;
  void Abort() override;

 private:
  bool IsText() const { return !(GetOpenFlags() & typeBinary); }
  bool IsWritable() const { return (GetOpenFlags() & 3) != modeRead; }
  void Append(const char* bytes, size_t count);
  // Hands the buffered bytes to the system; returns the errno of a failure
  // or 0. The buffer is emptied either way, so a failure is reported once.
  int WriteOut();
  // Gives unread buffered bytes back to the file before writing.
  void DropReadAhead();
  // Refills the read buffer; false at the end of the file.
  bool Fill();
  // The next byte without taking it, or -1 at the end of the file.
  int Peek();
  [[noreturn]] void ThrowDiskFull(int err) const;
  [[noreturn]] void ThrowReadError(int err) const;
  void Reset();

  std::vector<char> m_writeBuffer;
  size_t m_writeUsed = 0;
  std::vector<char> m_readBuffer;
  size_t m_readPos = 0;
  size_t m_readEnd = 0;
  // Set by the end-of-file byte in text mode: nothing after it is read.
  bool m_sawEndMark = false;
};
