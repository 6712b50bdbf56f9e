#pragma once
// AtomicFileWriter: replaces a text file as a whole, so that a crash, a full
// disk or any other failure leaves either the old file or the new one, never
// a mixture or an empty file. The new text goes to a temporary file beside
// the file it replaces, is forced to the disk, and is then renamed over it;
// the directory is forced to the disk last.
//
// What users rely on is kept: a file without write permission is refused
// (its mode bits are checked, because root would be let through), a symbolic
// link stays a link and its target is replaced, the replaced file keeps its
// permission bits. The temporary file has one fixed name, "." + name + ".tmp",
// so a leftover from an interrupted save is simply taken over by the next
// save. It is held open with an exclusive lock until it has been renamed, so
// two instances of the program cannot save the same file at once.
//
// Every failure throws CFileException naming the path the caller gave, and
// removes the temporary file: opening fails → the cause of the system error;
// writing or forcing to disk fails → disk full; renaming fails → the cause of
// the system error.

#include "platform/framework/CString.h"
#include "platform/framework/CStdioFile.h"

class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const CString& path);
  // Without a successful Commit, the temporary file is removed and the file
  // is left as it was.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Checks that the file may be replaced and opens the temporary file, in
  // text mode ("\n" is written as CR LF).
  void Open();
  void WriteString(const char* text);
  // Forces the new text to the disk and puts it in place of the file.
  void Commit();

  // The temporary file used for replacing `target` (a resolved path).
  static CString TempPathFor(const CString& target);

 private:
  [[noreturn]] void Fail(const CFileException& error);
  [[noreturn]] void FailErrno(int err);
  // Removes the temporary file while it is still locked, then closes it.
  void Discard();

  CString m_path;    // as the caller named it; used in every message
  CString m_target;  // the file actually replaced, links followed
  CString m_temp;
  CStdioFile m_file;
  bool m_open = false;
  bool m_committed = false;
};
