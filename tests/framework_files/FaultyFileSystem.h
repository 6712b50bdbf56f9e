#pragma once
// FaultyFileSystem: the real file system, except for the calls a test tells
// to fail. A failure is chosen by call and by the end of the path it concerns
// (for calls on a descriptor, the path it was opened with), so a test can
// fail the write of the temporary file and nothing else. Failures stay in
// force, as a full disk stays full. Install it with ScopedFileSystem.

#include <map>
#include <string>
#include <vector>

#include "platform/framework/FileSystem.h"

enum class FsCall { Open, Read, Write, Fsync, Close, Rename, Unlink };

class FaultyFileSystem : public FileSystem {
 public:
  // Calls of `call` whose path ends in `pathSuffix` fail with `err`.
  void Fail(FsCall call, std::string pathSuffix, int err);
  // Readlink of `path` answers `target`.
  void SetLink(std::string path, std::string target);

  int Open(const char* path, int flags, mode_t mode) override;
  ssize_t Read(int fd, void* buffer, size_t count) override;
  ssize_t Write(int fd, const void* buffer, size_t count) override;
  int Fsync(int fd) override;
  int Close(int fd) override;
  int Rename(const char* from, const char* to) override;
  int Unlink(const char* path) override;
  int Readlink(const char* path, std::string& target) override;

 private:
  struct Fault {
    FsCall call;
    std::string pathSuffix;
    int err;
  };
  // The errno to fail with, or 0 to let the call through.
  int FaultFor(FsCall call, const std::string& path) const;
  std::string PathOf(int fd) const;

  std::vector<Fault> m_faults;
  std::map<std::string, std::string> m_links;
  std::map<int, std::string> m_openPaths;
};
