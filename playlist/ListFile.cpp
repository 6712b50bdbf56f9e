#include "playlist/ListFile.h"

#include <cerrno>
#include <string>

#include "platform/framework/AtomicFileWriter.h"
#include "platform/framework/CStdioFile.h"
#include "platform/framework/FileErrors.h"
#include "platform/framework/FileSystem.h"

namespace {

constexpr const char kOwnExecutable[] = "/proc/self/exe";

std::string ExecutablePath() {
  std::string path;
  if (FileSystem::Current().Readlink(kOwnExecutable, path) != 0) {
    CFileException::ThrowErrno(errno, kOwnExecutable);
  }
  return path;
}

}  // namespace

CString GetProgramDir() {
  std::string path = ExecutablePath();
  size_t slash = path.rfind('/');
  return CString(slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1));
}

CString GetProgramName() {
  std::string path = ExecutablePath();
  std::string name = path.substr(path.rfind('/') + 1);
  size_t dot = name.rfind('.');
  return CString(dot == std::string::npos ? name : name.substr(0, dot));
}

CString GetListFilePath() { return GetProgramDir() + kListFileName; }

CStringArray ReadListFile(const CString& path) {
  CStringArray entries;
  CStdioFile file;
  CFileException error;
  // The save never rewrites the list file in place, so a reader cannot see a
  // half-written file and needs no lock that could turn another instance's
  // save into a failure to read.
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText, &error)) {
    if (error.m_lOsError == FileErrors::ERROR_FILE_NOT_FOUND) return entries;
    throw error;
  }
  CString line;
  while (file.ReadString(line)) {
    if (!line.IsEmpty()) entries.Add(line);
  }
  // Everything has been read; closing a file only read can lose nothing.
  file.Abort();
  return entries;
}

void WriteListFile(const CString& path, const CStringArray& entries) {
  AtomicFileWriter writer(path);
  writer.Open();
  for (const CString& entry : entries) {
    writer.WriteString(entry);
    writer.WriteString("\n");
  }
  writer.Commit();
}
