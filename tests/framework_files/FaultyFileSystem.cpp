#include "tests/framework_files/FaultyFileSystem.h"

#include <cerrno>

void FaultyFileSystem::Fail(FsCall call, std::string pathSuffix, int err) {
  m_faults.push_back({call, std::move(pathSuffix), err});
}

void FaultyFileSystem::SetLink(std::string path, std::string target) { m_links[std::move(path)] = std::move(target); }

int FaultyFileSystem::FaultFor(FsCall call, const std::string& path) const {
  for (const auto& fault : m_faults) {
    if (fault.call != call) continue;
    const std::string& suffix = fault.pathSuffix;
    if (path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
      return fault.err;
    }
  }
  return 0;
}

std::string FaultyFileSystem::PathOf(int fd) const {
  auto it = m_openPaths.find(fd);
  return it == m_openPaths.end() ? std::string() : it->second;
}

int FaultyFileSystem::Open(const char* path, int flags, mode_t mode) {
  if (int err = FaultFor(FsCall::Open, path)) {
    errno = err;
    return -1;
  }
  int fd = FileSystem::Open(path, flags, mode);
  if (fd >= 0) m_openPaths[fd] = path;
  return fd;
}

ssize_t FaultyFileSystem::Read(int fd, void* buffer, size_t count) {
  if (int err = FaultFor(FsCall::Read, PathOf(fd))) {
    errno = err;
    return -1;
  }
  return FileSystem::Read(fd, buffer, count);
}

ssize_t FaultyFileSystem::Write(int fd, const void* buffer, size_t count) {
  if (int err = FaultFor(FsCall::Write, PathOf(fd))) {
    errno = err;
    return -1;
  }
  return FileSystem::Write(fd, buffer, count);
}

int FaultyFileSystem::Fsync(int fd) {
  if (int err = FaultFor(FsCall::Fsync, PathOf(fd))) {
    errno = err;
    return -1;
  }
  return FileSystem::Fsync(fd);
}

int FaultyFileSystem::Close(int fd) {
  std::string path = PathOf(fd);
  m_openPaths.erase(fd);
  // The descriptor is released even when the close reports a failure, as
  // on the real system.
  int result = FileSystem::Close(fd);
  if (int err = FaultFor(FsCall::Close, path)) {
    errno = err;
    return -1;
  }
  return result;
}

int FaultyFileSystem::Rename(const char* from, const char* to) {
  if (int err = FaultFor(FsCall::Rename, to)) {
    errno = err;
    return -1;
  }
  return FileSystem::Rename(from, to);
}

int FaultyFileSystem::Unlink(const char* path) {
  if (int err = FaultFor(FsCall::Unlink, path)) {
    errno = err;
    return -1;
  }
  return FileSystem::Unlink(path);
}

int FaultyFileSystem::Readlink(const char* path, std::string& target) {
  auto it = m_links.find(path);
  if (it == m_links.end()) return FileSystem::Readlink(path, target);
  target = it->second;
  return 0;
}
