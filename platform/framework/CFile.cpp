#include "platform/framework/CFile.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

#include "platform/framework/FileErrors.h"
#include "platform/framework/FileSystem.h"

namespace {

// A relative name is taken from the current directory, as the open itself
// takes it, so that messages name the file wherever the program was started.
CString FullPathOf(const char* fileName) {
  if (fileName[0] == '/') return CString(fileName);
  std::string directory;
  if (FileSystem::Current().GetCwd(directory) != 0) return CString(fileName);
  if (directory.empty() || directory.back() != '/') directory += '/';
  return CString(directory + fileName);
}

// The advisory lock that stands in for a share mode, or 0 for none. A share
// mode that keeps others from writing lets other readers in, so it is a
// shared lock; the modes that keep readers out are exclusive.
int LockFor(UINT openFlags) {
  switch (openFlags & 0x70) {
    case CFile::shareDenyNone:
      return 0;
    case CFile::shareDenyWrite:
      return LOCK_SH;
    default:
      return LOCK_EX;
  }
}

void Describe(CFileException* error, LONG winError, const char* fileName) {
  if (!error) return;
  error->m_cause = CFileException::OsErrorToCause(winError);
  error->m_lOsError = winError;
  error->m_strFileName = fileName;
}

}  // namespace

CFile::~CFile() {
  if (m_hFile != hFileNull) CFile::Abort();
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  if (!fileName || !*fileName) {
    Describe(error, FileErrors::ErrnoToWinError(ENOENT), fileName ? fileName : "");
    return FALSE;
  }
  if (m_hFile != hFileNull) {
    // Opening over an open file would leak it (and, for a buffered file,
    // lose what is still buffered); the caller must close first.
    Describe(error, FileErrors::ERROR_INVALID_PARAMETER, fileName);
    return FALSE;
  }

  int flags = O_CLOEXEC;
  switch (openFlags & 3) {
    case modeRead:
      flags |= O_RDONLY;
      break;
    case modeWrite:
      flags |= O_WRONLY;
      break;
    case modeReadWrite:
      flags |= O_RDWR;
      break;
    default:
      Describe(error, FileErrors::ErrnoToWinError(EINVAL), fileName);
      return FALSE;
  }
  // Truncation waits until the lock is held, so that a file another
  // instance holds is refused intact rather than emptied first.
  if (openFlags & modeCreate) flags |= O_CREAT;

  FileSystem& fs = FileSystem::Current();
  int fd = fs.Open(fileName, flags, 0666);
  if (fd < 0) {
    Describe(error, FileErrors::ErrnoToWinError(errno), fileName);
    return FALSE;
  }
  auto fail = [&](LONG winError) {
    fs.Close(fd);
    Describe(error, winError, fileName);
    return FALSE;
  };

  // A directory opens for reading here, but it is not a file to read or
  // write; refuse it the way a write to it would be refused.
  struct stat info {};
  if (fs.Fstat(fd, &info) != 0) return fail(FileErrors::ErrnoToWinError(errno));
  if (S_ISDIR(info.st_mode)) return fail(FileErrors::ErrnoToWinError(EISDIR));

  if (int lock = LockFor(openFlags)) {
    if (fs.Flock(fd, lock | LOCK_NB) != 0) {
      // Held by someone else: that is a sharing violation. A file system
      // that cannot lock at all still lets the file be used, unlocked.
      if (errno == EWOULDBLOCK) return fail(FileErrors::ERROR_SHARING_VIOLATION);
    }
  }
  if ((openFlags & modeCreate) && !(openFlags & modeNoTruncate) && info.st_size != 0) {
    if (fs.Truncate(fd, 0) != 0) return fail(FileErrors::ErrnoToWinError(errno));
  }

  m_hFile = fd;
  m_openFlags = openFlags;
  m_strFileName = FullPathOf(fileName);
  return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
  FileSystem& fs = FileSystem::Current();
  auto* bytes = static_cast<char*>(buffer);
  UINT done = 0;
  while (done < count) {
    ssize_t got = fs.Read(m_hFile, bytes + done, count - done);
    if (got < 0) ThrowErrno(errno);
    if (got == 0) break;
    done += static_cast<UINT>(got);
  }
  return done;
}

void CFile::Write(const void* buffer, UINT count) {
  FileSystem& fs = FileSystem::Current();
  const auto* bytes = static_cast<const char*>(buffer);
  UINT done = 0;
  while (done < count) {
    ssize_t put = fs.Write(m_hFile, bytes + done, count - done);
    if (put < 0) ThrowErrno(errno);
    // A write that takes nothing has run out of room.
    if (put == 0) ThrowErrno(ENOSPC);
    done += static_cast<UINT>(put);
  }
}

void CFile::Flush() {
  if (m_hFile == hFileNull) return;
  if (FileSystem::Current().Fsync(m_hFile) != 0) ThrowErrno(errno);
}

void CFile::Close() {
  if (m_hFile == hFileNull) return;
  if (int err = CloseHandle()) ThrowErrno(err);
}

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandle();
}

void CFile::Remove(const char* fileName) {
  if (FileSystem::Current().Unlink(fileName) != 0) CFileException::ThrowErrno(errno, nullptr);
}

void CFile::ThrowErrno(int err) const { CFileException::ThrowErrno(err, m_strFileName); }

int CFile::CloseHandle() {
  int fd = m_hFile;
  m_hFile = hFileNull;
  return FileSystem::Current().Close(fd) == 0 ? 0 : errno;
}
