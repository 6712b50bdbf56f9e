#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/framework/CStdioFile.h"
#include "platform/framework/FileSystem.h"
#include "tests/framework_files/CaughtFileException.h"
#include "tests/framework_files/FaultyFileSystem.h"
#include "tests/framework_files/TestDirectory.h"

namespace {

constexpr UINT kWriteText = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeText;

TEST(StdioFileTest, TextModeWritesCrLfAndBinaryModeWritesBytesAsGiven) {
  TestDirectory dir;
  struct Case {
    UINT type;
    const char* expected;
  };
  const Case cases[] = {
      {CFile::typeText, "one\r\n\r\ntwo\rthree\r\n"},
      {0, "one\r\n\r\ntwo\rthree\r\n"},  // text is the default
      {CFile::typeBinary, "one\n\ntwo\rthree\n"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.type);
    std::string path = dir.Path("out.txt");
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | row.type));
    file.WriteString("one\n\ntwo\r");
    file.WriteString("three\n");
    file.Close();
    EXPECT_EQ(TestDirectory::ReadBytes(path), row.expected);
  }
}

TEST(StdioFileTest, WritesLongerThanTheBufferArriveWholeAndInOrder) {
  TestDirectory dir;
  std::string path = dir.Path("long.txt");
  std::string expected;
  CStdioFile file;
  ASSERT_TRUE(file.Open(path.c_str(), kWriteText));
  for (int i = 0; i < 3000; ++i) {
    std::string line = "line " + std::to_string(i);
    file.WriteString((line + "\n").c_str());
    expected += line + "\r\n";
  }
  file.Close();
  EXPECT_GT(expected.size(), 4 * CStdioFile::kWriteBufferSize);
  EXPECT_EQ(TestDirectory::ReadBytes(path), expected);
}

TEST(StdioFileTest, FileLeftOpenIsWrittenOutWhenDestroyed) {
  TestDirectory dir;
  std::string path = dir.Path("left-open.txt");
  {
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str(), kWriteText));
    file.WriteString("kept\n");
  }
  EXPECT_EQ(TestDirectory::ReadBytes(path), "kept\r\n");
}

TEST(StdioFileTest, ReadTranslatesLineEndsAndStopsAtTheEndMark) {
  TestDirectory dir;
  std::string path = dir.Path("in.txt");
  TestDirectory::WriteBytes(path, "a\r\nb\rc\x1a" "after");
  CStdioFile file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::typeText));
  char buffer[32] = {};
  UINT got = file.Read(buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, got), "a\nb\rc");
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
}

// Every failure to get written text to the disk, at whatever step and with
// whatever system error, is reported as a full disk naming the file.
TEST(StdioFileTest, WriteFailuresAreReportedAsDiskFullWithTheFullPath) {
  struct Case {
    const char* name;
    FsCall call;
    int err;
    size_t bytes;  // how much is written before closing
  };
  const Case cases[] = {
      {"write while the buffer fills", FsCall::Write, ENOSPC, 3 * CStdioFile::kWriteBufferSize},
      {"write of the last buffer at close", FsCall::Write, EIO, 10},
      {"permission error at write", FsCall::Write, EACCES, 10},
      {"close", FsCall::Close, EIO, 10},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    TestDirectory dir;
    std::string path = dir.Path("out.txt");
    FaultyFileSystem faulty;
    faulty.Fail(row.call, "/out.txt", row.err);
    ScopedFileSystem scope(faulty);
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str(), kWriteText));
    std::string text(row.bytes, 'x');
    CFileException error = Caught([&] {
      file.WriteString(text.c_str());
      file.Close();
    });
    EXPECT_EQ(error.m_cause, CFileException::diskFull);
    EXPECT_EQ(error.m_lOsError, CFileException::ErrnoToOsError(row.err));
    EXPECT_EQ(error.GetErrorMessage().str(), path + " へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。");
  }
}

TEST(StdioFileTest, FlushFailingToReachTheDiskIsDiskFull) {
  TestDirectory dir;
  std::string path = dir.Path("out.txt");
  FaultyFileSystem faulty;
  faulty.Fail(FsCall::Fsync, "/out.txt", EIO);
  ScopedFileSystem scope(faulty);
  CStdioFile file;
  ASSERT_TRUE(file.Open(path.c_str(), kWriteText));
  file.WriteString("x\n");
  CFileException error = Caught([&] { file.Flush(); });
  EXPECT_EQ(error.m_cause, CFileException::diskFull);
  EXPECT_EQ(error.m_strFileName, path);
  // The buffer itself did reach the system before the sync failed.
  EXPECT_EQ(TestDirectory::ReadBytes(path), "x\r\n");
}

TEST(StdioFileTest, ReadErrorAfterOpenIsGenericWithTheFullPath) {
  TestDirectory dir;
  std::string path = dir.Path("in.txt");
  TestDirectory::WriteBytes(path, "a\r\n");
  FaultyFileSystem faulty;
  faulty.Fail(FsCall::Read, "/in.txt", EIO);
  ScopedFileSystem scope(faulty);
  CStdioFile file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::typeText));
  CString line;
  CFileException error = Caught([&] { file.ReadString(line); });
  EXPECT_EQ(error.m_cause, CFileException::generic);
  EXPECT_EQ(error.GetErrorMessage().str(), path + " へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。");
}

TEST(StdioFileTest, RelativeNameIsReportedAsAFullPath) {
  TestDirectory dir;
  char previous[4096];
  ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
  CStdioFile file;
  BOOL opened = file.Open("relative.txt", kWriteText);
  CString path = file.GetFilePath();
  file.Close();
  ASSERT_EQ(::chdir(previous), 0);
  ASSERT_TRUE(opened);
  char real[4096];
  ASSERT_NE(::realpath(dir.Path().c_str(), real), nullptr);
  EXPECT_EQ(path.str(), std::string(real) + "/relative.txt");
}

TEST(FileOpenTest, FailureToOpenDescribesCauseCodeAndTheNameAsGiven) {
  TestDirectory dir;
  TestDirectory::WriteBytes(dir.Path("plain"), "");
  struct Case {
    std::string name;
    UINT flags;
    int cause;
    LONG osError;
  };
  const Case cases[] = {
      {dir.Path("missing.txt"), CFile::modeRead, CFileException::fileNotFound, 2},
      {dir.Path("no-dir/list.txt"), CFile::modeCreate | CFile::modeWrite, CFileException::fileNotFound, 2},
      {dir.Path("plain/list.txt"), CFile::modeRead, CFileException::badPath, 3},
      {dir.Path(""), CFile::modeRead, CFileException::accessDenied, 5},  // a directory
      {dir.Path(std::string(300, 'n')), CFile::modeRead, CFileException::badPath, 206},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(row.name.c_str(), row.flags, &error));
    EXPECT_EQ(error.m_cause, row.cause);
    EXPECT_EQ(error.m_lOsError, row.osError);
    EXPECT_EQ(error.m_strFileName.str(), row.name);
    EXPECT_EQ(file.GetHandle(), CFile::hFileNull);
  }
}

// Another instance holding the file exclusively keeps an exclusive open out,
// and the refused open must not have emptied the file on its way.
TEST(FileOpenTest, ExclusiveOpenOfAFileHeldExclusivelyIsASharingViolation) {
  TestDirectory dir;
  std::string path = dir.Path("held.txt");
  TestDirectory::WriteBytes(path, "precious\r\n");
  int holder = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);

  CStdioFile second;
  CFileException error;
  EXPECT_FALSE(second.Open(path.c_str(), kWriteText, &error));
  EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
  EXPECT_EQ(error.m_lOsError, 32);
  EXPECT_EQ(TestDirectory::ReadBytes(path), "precious\r\n");

  CStdioFile reader;
  EXPECT_TRUE(reader.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone));
  reader.Close();
  ::close(holder);

  CStdioFile third;
  EXPECT_TRUE(third.Open(path.c_str(), kWriteText));
  third.Close();
  EXPECT_EQ(TestDirectory::ReadBytes(path), "");
}

TEST(FileRemoveTest, RemovesAFileAndReportsAFailureWithoutAName) {
  TestDirectory dir;
  std::string path = dir.Path("gone.txt");
  TestDirectory::WriteBytes(path, "x");
  CFile::Remove(path.c_str());
  EXPECT_FALSE(TestDirectory::Exists(path));

  CFileException error = Caught([&] { CFile::Remove(path.c_str()); });
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(error.m_lOsError, 2);
  EXPECT_EQ(error.GetErrorMessage().str(), "無題のﾌｧｲﾙ が見つかりません。");
}

}  // namespace
