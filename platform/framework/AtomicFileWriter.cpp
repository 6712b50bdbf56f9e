#include "platform/framework/AtomicFileWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/framework/FileSystem.h"

namespace {

// The most links followed before the path is taken to loop; the system
// itself gives up at the same count.
constexpr int kMaxLinkHops = 40;

// The directory part of `path` with its final '/', or "" for a bare name.
std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links from `path` to the file they end at and returns 0,
// or the errno that stopped it. A link whose target does not exist yet ends
// at that target, so saving through it creates the file it names.
int ResolveLinks(const std::string& path, std::string& target) {
  FileSystem& fs = FileSystem::Current();
  std::string current = path;
  for (int hops = 0;; ++hops) {
    struct stat info {};
    if (fs.Lstat(current.c_str(), &info) != 0) {
      if (errno == ENOENT) break;
      return errno;
    }
    if (!S_ISLNK(info.st_mode)) break;
    if (hops == kMaxLinkHops) return ELOOP;
    std::string link;
    if (fs.Readlink(current.c_str(), link) != 0) return errno;
    if (link.empty()) return ENOENT;
    current = link[0] == '/' ? link : DirectoryOf(current) + link;
  }
  target = current;
  return 0;
}

// Forces the directory entry of a rename to the disk; returns 0 or the errno
// of a failed sync. A directory that cannot be opened, or a file system that
// cannot sync directories, gets no sync: the rename is then as durable as
// that system makes it, and the save itself did succeed.
int SyncDirectory(const std::string& directory) {
  FileSystem& fs = FileSystem::Current();
  int fd = fs.Open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return 0;
  int err = fs.Fsync(fd) == 0 ? 0 : errno;
  fs.Close(fd);
  if (err == EINVAL || err == ENOTSUP) return 0;
  return err;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const CString& path) : m_path(path) {}

AtomicFileWriter::~AtomicFileWriter() {
  if (m_open) Discard();
}

CString AtomicFileWriter::TempPathFor(const CString& target) {
  return CString(DirectoryOf(target.str()) + "." + NameOf(target.str()) + ".tmp");
}

void AtomicFileWriter::Open() {
  FileSystem& fs = FileSystem::Current();
  std::string target;
  if (int err = ResolveLinks(m_path.str(), target)) FailErrno(err);
  m_target = CString(target);

  bool exists = false;
  mode_t mode = 0;
  struct stat info {};
  if (fs.Stat(m_target, &info) == 0) {
    if (S_ISDIR(info.st_mode)) FailErrno(EISDIR);
    // A device or a pipe is not ours to replace with a plain file.
    if (!S_ISREG(info.st_mode)) FailErrno(EACCES);
    // A file without any write permission is read-only for everyone, root
    // included, who would otherwise pass the access check below.
    if ((info.st_mode & 0222) == 0) FailErrno(EACCES);
    // Replacing goes through the directory, which could let us replace a
    // file we may not write; refuse what an open for writing would refuse.
    if (fs.Access(m_target, W_OK) != 0) FailErrno(errno);
    exists = true;
    mode = info.st_mode & 07777;
  } else if (errno != ENOENT) {
    FailErrno(errno);
  }

  m_temp = TempPathFor(m_target);
  // A leftover link in the temporary file's place would send the new text
  // into whatever file it points at; remove it first.
  struct stat tempInfo {};
  if (fs.Lstat(m_temp, &tempInfo) == 0 && S_ISLNK(tempInfo.st_mode)) fs.Unlink(m_temp);

  CFileException error;
  if (!m_file.Open(m_temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeText, &error)) {
    Fail(error);
  }
  m_open = true;
  if (exists && fs.Fchmod(m_file.GetHandle(), mode) != 0) FailErrno(errno);
}

void AtomicFileWriter::WriteString(const char* text) {
  try {
    m_file.WriteString(text);
  } catch (const CFileException& error) {
    Fail(error);
  }
}

void AtomicFileWriter::Commit() {
  try {
    m_file.Flush();
  } catch (const CFileException& error) {
    Fail(error);
  }
  if (FileSystem::Current().Rename(m_temp, m_target) != 0) FailErrno(errno);
  m_committed = true;
  int syncErr = SyncDirectory(DirectoryOf(m_target.str()));
  // The text has reached the disk, so closing can lose nothing more. The
  // file is closed only now, after the rename, so that no other instance
  // can take the temporary name over between the sync and the rename.
  m_file.Abort();
  m_open = false;
  // The new file is in place, but it may not survive a crash; say so
  // rather than claim a save that might be lost.
  if (syncErr) {
    CFileException::Throw(CFileException::diskFull, CFileException::ErrnoToOsError(syncErr), m_path);
  }
}

void AtomicFileWriter::Fail(const CFileException& error) {
  CFileException named(error.m_cause, error.m_lOsError, m_path);
  Discard();
  throw named;
}

void AtomicFileWriter::FailErrno(int err) {
  LONG winError = CFileException::ErrnoToOsError(err);
  Fail(CFileException(CFileException::OsErrorToCause(winError), winError, m_path));
}

void AtomicFileWriter::Discard() {
  if (m_open && !m_committed) FileSystem::Current().Unlink(m_temp);
  m_file.Abort();
  m_open = false;
}
