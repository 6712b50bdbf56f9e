#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "platform/framework/AtomicFileWriter.h"
#include "platform/framework/FileSystem.h"
#include "playlist/ListFile.h"
#include "tests/framework_files/CaughtFileException.h"
#include "tests/framework_files/FaultyFileSystem.h"
#include "tests/framework_files/TestDirectory.h"

namespace {

using Entries = std::vector<std::string>;

Entries ToVector(const CStringArray& array) {
  Entries out;
  for (const CString& entry : array) out.push_back(entry.str());
  return out;
}

CStringArray ToArray(const Entries& entries) {
  CStringArray out;
  for (const auto& entry : entries) out.Add(CString(entry));
  return out;
}

class ListFileTest : public ::testing::Test {
 protected:
  std::string ListPath() const { return m_dir.Path(kListFileName); }
  std::string TempPath() const { return m_dir.Path(std::string(".") + kListFileName + ".tmp"); }

  TestDirectory m_dir;
};

// --- reading ---------------------------------------------------------------

struct ReadCase {
  const char* name;
  std::string bytes;
  Entries expected;
};

std::vector<ReadCase> ReadCases() {
  const std::string longPath = "/" + std::string(999, 'p');
  // A line whose CR is the last byte of the first read buffer and whose LF
  // is the first byte of the next.
  const std::string acrossBuffers(CStdioFile::kReadBufferSize - 1, 'x');
  return {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF only", "a\nb\n", {"a", "b"}},
      {"lone CR stays in the line", "a\rb\r\nc\r", {"a\rb", "c\r"}},
      {"CR before CR LF", "a\r\r\nb\r\n", {"a\r", "b"}},
      {"0x1A ends the file", "a\r\nb\x1a" "c\r\nd\r\n", {"a", "b"}},
      {"0x1A first", "\x1a" "a\r\n", {}},
      {"NUL ends the text, the rest is the next line", std::string("a\0b\r\nc\r\n", 8), {"a", "b", "c"}},
      {"blank lines are skipped, the rest is read", "a\r\n\r\n\nb\r\n", {"a", "b"}},
      {"1000-byte path", longPath + "\r\n" + "x\r\n", {longPath, "x"}},
      {"CR LF across the read buffer", acrossBuffers + "\r\nnext\r\n", {acrossBuffers, "next"}},
      {"UTF-8 and Shift-JIS kept byte for byte", "/home/ユーザー/曲.mid\r\nC:\\\x83\x7E\x83\x85.mid\r\n",
       {"/home/ユーザー/曲.mid", "C:\\\x83\x7E\x83\x85.mid"}},
      {"no final line end", "a\r\nb", {"a", "b"}},
      {"empty file", "", {}},
  };
}

TEST_F(ListFileTest, ReadsListFileBytesIntoEntries) {
  for (const auto& row : ReadCases()) {
    SCOPED_TRACE(row.name);
    TestDirectory::WriteBytes(ListPath(), row.bytes);
    EXPECT_EQ(ToVector(ReadListFile(CString(ListPath()))), row.expected);
  }
}

TEST_F(ListFileTest, MissingListFileIsAnEmptyPlaylist) {
  EXPECT_TRUE(ReadListFile(CString(ListPath())).IsEmpty());
  // A link to a file that is not there yet is just as missing.
  ASSERT_EQ(::symlink("nowhere.txt", ListPath().c_str()), 0);
  EXPECT_TRUE(ReadListFile(CString(ListPath())).IsEmpty());
}

TEST_F(ListFileTest, ReadOnlyListFileStillLoads) {
  TestDirectory::WriteBytes(ListPath(), "a\r\n");
  ASSERT_EQ(::chmod(ListPath().c_str(), 0444), 0);
  EXPECT_EQ(ToVector(ReadListFile(CString(ListPath()))), Entries{"a"});
}

// --- writing -----------------------------------------------------------------

TEST_F(ListFileTest, WriteThenReadRoundTrips) {
  const std::vector<Entries> lists = {
      {"a", "b"},
      {},
      {"/home/ユーザー/曲.mid", "C:\\\x83\x7E\x83\x85.mid", "a", "a"},
      {std::string(5000, 'q'), "short"},
  };
  for (const auto& entries : lists) {
    WriteListFile(CString(ListPath()), ToArray(entries));
    EXPECT_EQ(ToVector(ReadListFile(CString(ListPath()))), entries);
  }
}

TEST_F(ListFileTest, BytesOnDiskAreEachEntryFollowedByCrLf) {
  WriteListFile(CString(ListPath()), ToArray({"a", "b"}));
  EXPECT_EQ(TestDirectory::ReadBytes(ListPath()), "a\r\nb\r\n");
  WriteListFile(CString(ListPath()), ToArray({}));
  EXPECT_TRUE(TestDirectory::Exists(ListPath()));
  EXPECT_EQ(TestDirectory::ReadBytes(ListPath()), "");
  EXPECT_FALSE(TestDirectory::Exists(TempPath()));
}

TEST_F(ListFileTest, SavePreservesThePermissionBits) {
  TestDirectory::WriteBytes(ListPath(), "old\r\n");
  ASSERT_EQ(::chmod(ListPath().c_str(), 0640), 0);
  WriteListFile(CString(ListPath()), ToArray({"new"}));
  struct stat info {};
  ASSERT_EQ(::stat(ListPath().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(ListFileTest, SymlinkedListFileStaysALinkAndItsTargetIsReplaced) {
  ASSERT_EQ(::mkdir(m_dir.Path("real").c_str(), 0755), 0);
  const std::string target = m_dir.Path("real/list.txt");
  struct Case {
    const char* name;
    bool targetExists;
  };
  for (const Case row : {Case{"existing target", true}, Case{"dangling link", false}}) {
    SCOPED_TRACE(row.name);
    ::unlink(ListPath().c_str());
    ::unlink(target.c_str());
    if (row.targetExists) TestDirectory::WriteBytes(target, "old\r\n");
    ASSERT_EQ(::symlink("real/list.txt", ListPath().c_str()), 0);

    WriteListFile(CString(ListPath()), ToArray({"new"}));

    struct stat info {};
    ASSERT_EQ(::lstat(ListPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(TestDirectory::ReadBytes(target), "new\r\n");
    EXPECT_FALSE(TestDirectory::Exists(m_dir.Path("real/.list.txt.tmp")));
    EXPECT_FALSE(TestDirectory::Exists(TempPath()));
  }
}

TEST_F(ListFileTest, LeftoverTempFileIsIgnoredByReadingAndTakenOverByTheNextSave) {
  TestDirectory::WriteBytes(ListPath(), "kept\r\n");
  TestDirectory::WriteBytes(TempPath(), "half-writ");
  EXPECT_EQ(ToVector(ReadListFile(CString(ListPath()))), Entries{"kept"});

  WriteListFile(CString(ListPath()), ToArray({"new"}));
  EXPECT_FALSE(TestDirectory::Exists(TempPath()));
  EXPECT_EQ(TestDirectory::ReadBytes(ListPath()), "new\r\n");
}

TEST_F(ListFileTest, LeftoverLinkInTheTempFilesPlaceIsNotWrittenThrough) {
  const std::string victim = m_dir.Path("victim.txt");
  TestDirectory::WriteBytes(victim, "untouched");
  ASSERT_EQ(::symlink(victim.c_str(), TempPath().c_str()), 0);
  WriteListFile(CString(ListPath()), ToArray({"new"}));
  EXPECT_EQ(TestDirectory::ReadBytes(victim), "untouched");
  EXPECT_EQ(TestDirectory::ReadBytes(ListPath()), "new\r\n");
}

// Another instance saving holds the temporary file locked: this save is
// refused, the other's temporary file is left alone, and reading still works.
TEST_F(ListFileTest, SaveWhileAnotherInstanceSavesIsASharingViolation) {
  TestDirectory::WriteBytes(ListPath(), "old\r\n");
  int other = ::open(TempPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ASSERT_EQ(::write(other, "other", 5), 5);

  CFileException error = Caught([&] { WriteListFile(CString(ListPath()), ToArray({"new"})); });
  EXPECT_EQ(error.GetErrorMessage().str(), ListPath() + " へのｱｸｾｽ中に共有違反が発生しました。");
  EXPECT_EQ(TestDirectory::ReadBytes(ListPath()), "old\r\n");
  EXPECT_EQ(TestDirectory::ReadBytes(TempPath()), "other");
  EXPECT_EQ(ToVector(ReadListFile(CString(ListPath()))), Entries{"old"});
  ::close(other);
}

// --- failures ---------------------------------------------------------------

struct FailureCase {
  const char* name;
  // Prepares the failure: changes the directory for real, or fails a call at
  // the seam when the real change would not bind this process.
  std::function<void(const TestDirectory&, FaultyFileSystem&)> arrange;
  bool save;          // a save, or else a load
  std::string path;   // the path passed, relative to the test directory
  const char* message;  // the message after the path
};

std::vector<FailureCase> FailureCases() {
  const bool bypassed = TestDirectory::PermissionsBypassed();
  const std::string list = kListFileName;
  const std::string temp = std::string("/.") + kListFileName + ".tmp";
  auto none = [](const TestDirectory&, FaultyFileSystem&) {};
  return {
      {"read-only list file",
       [list](const TestDirectory& dir, FaultyFileSystem&) { ::chmod(dir.Path(list).c_str(), 0444); }, true, list,
       " へのｱｸｾｽは拒否されました。"},
      {"read-only directory",
       [bypassed, temp](const TestDirectory& dir, FaultyFileSystem& faulty) {
         if (bypassed) {
           faulty.Fail(FsCall::Open, temp, EACCES);
         } else {
           ::chmod(dir.Path().c_str(), 0555);
         }
       },
       true, list, " へのｱｸｾｽは拒否されました。"},
      {"unreadable list file",
       [bypassed, list](const TestDirectory& dir, FaultyFileSystem& faulty) {
         if (bypassed) {
           faulty.Fail(FsCall::Open, "/" + list, EACCES);
         } else {
           ::chmod(dir.Path(list).c_str(), 0);
         }
       },
       false, list, " へのｱｸｾｽは拒否されました。"},
      {"read error after open",
       [list](const TestDirectory&, FaultyFileSystem& faulty) { faulty.Fail(FsCall::Read, "/" + list, EIO); }, false,
       list, " へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。"},
      {"disk full while writing lines",
       [temp](const TestDirectory&, FaultyFileSystem& faulty) { faulty.Fail(FsCall::Write, temp, ENOSPC); }, true,
       list, " へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"},
      {"sync to disk fails",
       [temp](const TestDirectory&, FaultyFileSystem& faulty) { faulty.Fail(FsCall::Fsync, temp, EIO); }, true, list,
       " へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"},
      {"rename fails",
       [list](const TestDirectory&, FaultyFileSystem& faulty) { faulty.Fail(FsCall::Rename, "/" + list, EBUSY); },
       true, list, " へのｱｸｾｽ中に共有違反が発生しました。"},
      {"path is a directory, saved", none, true, "folder", " へのｱｸｾｽは拒否されました。"},
      {"path is a directory, loaded", none, false, "folder", " へのｱｸｾｽは拒否されました。"},
      {"path through a plain file", none, true, list + "/x", " は無効なﾊﾟｽです。"},
  };
}

TEST_F(ListFileTest, FailuresAreReportedByCauseAndLeaveTheOldFileAsItWas) {
  const std::string oldBytes = "old 1\r\nold 2\r\n";
  for (const auto& row : FailureCases()) {
    SCOPED_TRACE(row.name);
    TestDirectory dir;
    TestDirectory::WriteBytes(dir.Path(kListFileName), oldBytes);
    ASSERT_EQ(::mkdir(dir.Path("folder").c_str(), 0755), 0);
    FaultyFileSystem faulty;
    row.arrange(dir, faulty);
    const std::string path = dir.Path(row.path);
    // Large enough that lines are written while the save is still going.
    const CStringArray entries = ToArray({std::string(3000, 'n'), std::string(3000, 'm'), "last"});
    CFileException error = Caught([&] {
      ScopedFileSystem scope(faulty);
      if (row.save) {
        WriteListFile(CString(path), entries);
      } else {
        ReadListFile(CString(path));
      }
    });
    ::chmod(dir.Path().c_str(), 0755);
    ::chmod(dir.Path(kListFileName).c_str(), 0644);
    EXPECT_EQ(error.GetErrorMessage().str(), path + row.message);
    EXPECT_EQ(TestDirectory::ReadBytes(dir.Path(kListFileName)), oldBytes);
    EXPECT_FALSE(TestDirectory::Exists(dir.Path(std::string(".") + kListFileName + ".tmp")));
  }
}

// The temporary file is closed only after it has been synced and renamed; a
// failing close then cannot have lost anything, and the save stands.
TEST_F(ListFileTest, CloseFailingAfterTheRenameDoesNotUndoTheSave) {
  TestDirectory::WriteBytes(ListPath(), "old\r\n");
  FaultyFileSystem faulty;
  faulty.Fail(FsCall::Close, ".tmp", EIO);
  ScopedFileSystem scope(faulty);
  WriteListFile(CString(ListPath()), ToArray({"new"}));
  EXPECT_EQ(TestDirectory::ReadBytes(ListPath()), "new\r\n");
}

// --- the program's own place ---------------------------------------------------

TEST(ProgramDirTest, IsTheDirectoryOfTheRunningExecutable) {
  char expected[PATH_MAX];
  ASSERT_NE(::realpath(VUSK_TEST_BINARY_DIR, expected), nullptr);
  EXPECT_EQ(GetProgramDir().str(), std::string(expected) + "/");
  EXPECT_EQ(GetProgramName().str(), "framework_files_tests");
  EXPECT_EQ(GetListFilePath().str(), std::string(expected) + "/MidiList.txt");
}

TEST(ProgramDirTest, LongExecutablePathsAreNotCut) {
  struct Case {
    std::string executable;
    std::string dir;
    std::string name;
  };
  const std::string deep = "/" + std::string(300, 'd') + "/" + std::string(200, 'e');
  const Case cases[] = {
      {deep + "/vusk", deep + "/", "vusk"},
      {"/opt/ミュージック/vusk.bin", "/opt/ミュージック/", "vusk"},
      {"/vusk", "/", "vusk"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.executable);
    FaultyFileSystem faulty;
    faulty.SetLink("/proc/self/exe", row.executable);
    ScopedFileSystem scope(faulty);
    EXPECT_EQ(GetProgramDir().str(), row.dir);
    EXPECT_EQ(GetProgramName().str(), row.name);
  }
}

}  // namespace
