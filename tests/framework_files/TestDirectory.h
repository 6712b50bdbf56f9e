#pragma once
// TestDirectory: a fresh directory under the system's temporary directory
// for one test, removed with everything in it afterwards (permissions a test
// took away are given back first so the removal cannot fail half-way).

#include <string>

class TestDirectory {
 public:
  TestDirectory();
  ~TestDirectory();
  TestDirectory(const TestDirectory&) = delete;
  TestDirectory& operator=(const TestDirectory&) = delete;

  const std::string& Path() const { return m_path; }
  // `name` inside the directory.
  std::string Path(const std::string& name) const { return m_path + "/" + name; }

  static void WriteBytes(const std::string& path, const std::string& bytes);
  static std::string ReadBytes(const std::string& path);
  static bool Exists(const std::string& path);

  // True when permission bits do not bind this process (root, or a process
  // with the capability to override them).
  static bool PermissionsBypassed();

 private:
  std::string m_path;
};
