#include "platform/mci/MidiFileLoader.h"

#include "platform/mci/SmfReader.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mci {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_fd; }

 private:
  int m_fd;
};

Error ErrorForErrno(int error) {
  return (error == ENOENT || error == ENOTDIR) ? Error::FileNotFound : Error::FileUnreadable;
}

}  // namespace

Error MidiFileLoader::Load(const std::string& path, MidiSong& song) {
  if (path.empty()) return Error::FileNotFound;
  // Non-blocking open so that a FIFO or device node cannot stall the caller;
  // only regular files are read.
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) return ErrorForErrno(errno);
  struct stat info {};
  if (fstat(file.Get(), &info) != 0) return Error::FileUnreadable;
  if (!S_ISREG(info.st_mode)) return Error::FileUnreadable;
  if (info.st_size == 0) return Error::FileEmpty;
  if (static_cast<std::uint64_t>(info.st_size) > SmfReader::kMaxFileSize) {
    return Error::FileTooLarge;
  }

  // The size may change while we read; never read more than the cap, and
  // take what is really there.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = read(file.Get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Error::FileUnreadable;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  if (bytes.empty()) return Error::FileEmpty;

  switch (SmfReader::Read(bytes, song)) {
    case SmfStatus::Ok:
      return Error::None;
    case SmfStatus::TooLarge:
      return Error::FileTooLarge;
    case SmfStatus::NotMidi:
      return Error::NotMidiFile;
    default:
      return Error::DamagedMidiFile;
  }
}

}  // namespace mci
