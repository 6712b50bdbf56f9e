#pragma once
// TempTree: a fresh folder under the system's temporary folder for one
// test, by its real path (no symbolic links in it, so it compares equal to
// what getcwd reports), removed with everything in it afterwards.

#include <string>

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& Path() const { return m_path; }
  std::string Path(const std::string& relative) const { return m_path + "/" + relative; }

  // An empty file, or a folder, at `relative`; missing folders on the way are made.
  void AddFile(const std::string& relative) const;
  void AddFolder(const std::string& relative) const;

 private:
  std::string m_path;
};

// The process's current folder, put back when the scope ends.
class CurrentFolderGuard {
 public:
  CurrentFolderGuard();
  ~CurrentFolderGuard();
  CurrentFolderGuard(const CurrentFolderGuard&) = delete;
  CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;

 private:
  std::string m_saved;
};

std::string CurrentFolder();
