#include "TempTree.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

void MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
    mkdir(path.substr(0, slash).c_str(), 0755);
  mkdir(path.c_str(), 0755);
}

int RemoveOne(const char* path, const struct stat*, int, struct FTW*) { return std::remove(path); }

}  // namespace

TempTree::TempTree() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/filedialog-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  char real[PATH_MAX];
  if (!realpath(pattern.c_str(), real)) throw std::runtime_error("cannot resolve the temporary folder");
  m_path = real;
}

TempTree::~TempTree() { nftw(m_path.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS); }

void TempTree::AddFile(const std::string& relative) const {
  std::string path = Path(relative);
  MakeFolders(path.substr(0, path.rfind('/')));
  std::ofstream(path, std::ios::binary).put('\0');
}

void TempTree::AddFolder(const std::string& relative) const { MakeFolders(Path(relative)); }

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) ? buffer : "";
}

CurrentFolderGuard::CurrentFolderGuard() : m_saved(CurrentFolder()) {}

CurrentFolderGuard::~CurrentFolderGuard() {
  if (!m_saved.empty() && chdir(m_saved.c_str()) != 0) std::perror("chdir back");
}
