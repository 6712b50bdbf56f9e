#include "platform/framework/FileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <vector>

namespace {

// Restarts a call that a signal interrupted before it did anything.
template <typename Call>
auto Restarting(Call call) {
  for (;;) {
    auto result = call();
    if (result != -1 || errno != EINTR) return result;
  }
}

FileSystem& RealFileSystem() {
  static FileSystem real;
  return real;
}

std::atomic<FileSystem*> g_current{nullptr};

}  // namespace

int FileSystem::Open(const char* path, int flags, mode_t mode) {
  return Restarting([&] { return ::open(path, flags, mode); });
}

ssize_t FileSystem::Read(int fd, void* buffer, size_t count) {
  return Restarting([&] { return ::read(fd, buffer, count); });
}

ssize_t FileSystem::Write(int fd, const void* buffer, size_t count) {
  return Restarting([&] { return ::write(fd, buffer, count); });
}

off_t FileSystem::Seek(int fd, off_t offset, int whence) { return ::lseek(fd, offset, whence); }

int FileSystem::Truncate(int fd, off_t length) {
  return Restarting([&] { return ::ftruncate(fd, length); });
}

int FileSystem::Fsync(int fd) {
  return Restarting([&] { return ::fsync(fd); });
}

// close is not restarted: on Linux the descriptor is gone even when close
// reports EINTR, and a second close could hit a descriptor another thread
// has just been given.
int FileSystem::Close(int fd) { return ::close(fd); }

int FileSystem::Flock(int fd, int operation) {
  return Restarting([&] { return ::flock(fd, operation); });
}

int FileSystem::Fstat(int fd, struct stat* info) { return ::fstat(fd, info); }

int FileSystem::Stat(const char* path, struct stat* info) { return ::stat(path, info); }

int FileSystem::Lstat(const char* path, struct stat* info) { return ::lstat(path, info); }

int FileSystem::Access(const char* path, int mode) { return ::faccessat(AT_FDCWD, path, mode, AT_EACCESS); }

int FileSystem::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }

int FileSystem::Rename(const char* from, const char* to) { return ::rename(from, to); }

int FileSystem::Unlink(const char* path) { return ::unlink(path); }

int FileSystem::Readlink(const char* path, std::string& target) {
  // readlink says nothing about the target's length, so grow the buffer
  // until the answer is shorter than the room it had.
  std::vector<char> buffer(256);
  for (;;) {
    ssize_t length = ::readlink(path, buffer.data(), buffer.size());
    if (length < 0) return -1;
    if (static_cast<size_t>(length) < buffer.size()) {
      target.assign(buffer.data(), static_cast<size_t>(length));
      return 0;
    }
    buffer.resize(buffer.size() * 2);
  }
}

int FileSystem::GetCwd(std::string& directory) {
  std::vector<char> buffer(256);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size())) {
      directory = buffer.data();
      return 0;
    }
    if (errno != ERANGE) return -1;
    buffer.resize(buffer.size() * 2);
  }
}

FileSystem& FileSystem::Current() {
  FileSystem* installed = g_current.load(std::memory_order_acquire);
  return installed ? *installed : RealFileSystem();
}

FileSystem* FileSystem::Exchange(FileSystem* next) {
  FileSystem* previous = g_current.exchange(next, std::memory_order_acq_rel);
  return previous ? previous : &RealFileSystem();
}
