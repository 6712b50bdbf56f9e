#pragma once
// FileSystem: the one place where the file classes call the operating system.
// Each member behaves as the system call of the same name: it returns -1 and
// leaves the reason in errno when it fails, and calls interrupted by a signal
// are restarted (all but Close, which must never be repeated). The class
// itself is the real thing; a test derives from it, overrides the calls it
// wants to fail and installs its instance with ScopedFileSystem, which is how
// disk-full and permission failures are tested on machines where they cannot
// be produced for real (root ignores permission bits). Nothing here knows
// about file exceptions; the callers turn errno into one.

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

class FileSystem {
 public:
  FileSystem() = default;
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;
  virtual ~FileSystem() = default;

  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Read(int fd, void* buffer, size_t count);
  virtual ssize_t Write(int fd, const void* buffer, size_t count);
  virtual off_t Seek(int fd, off_t offset, int whence);
  virtual int Truncate(int fd, off_t length);
  virtual int Fsync(int fd);
  virtual int Close(int fd);
  virtual int Flock(int fd, int operation);
  virtual int Fstat(int fd, struct stat* info);
  virtual int Stat(const char* path, struct stat* info);
  virtual int Lstat(const char* path, struct stat* info);
  // Checks access with the effective ids, as an open would.
  virtual int Access(const char* path, int mode);
  virtual int Fchmod(int fd, mode_t mode);
  virtual int Rename(const char* from, const char* to);
  virtual int Unlink(const char* path);
  // Reads a link's whole target into `target`, however long it is.
  virtual int Readlink(const char* path, std::string& target);
  virtual int GetCwd(std::string& directory);

  // The instance every file class uses; the real file system unless a test
  // has installed another.
  static FileSystem& Current();

 private:
  friend class ScopedFileSystem;
  static FileSystem* Exchange(FileSystem* next);
};

// Installs a file system for the lifetime of this object and puts the
// previous one back afterwards. Scopes nest; they must end in reverse order.
class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(FileSystem& fileSystem) : m_previous(FileSystem::Exchange(&fileSystem)) {}
  ~ScopedFileSystem() { FileSystem::Exchange(m_previous); }
  ScopedFileSystem(const ScopedFileSystem&) = delete;
  ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

 private:
  FileSystem* m_previous;
};
