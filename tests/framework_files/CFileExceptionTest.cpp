#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/framework/CFileException.h"

namespace {

struct MessageCase {
  int cause;
  const char* withName;  // the message for the file "/music/list.txt"
  const char* untitled;  // the message when no name was recorded
};

const MessageCase kMessages[] = {
    {CFileException::none, "ｴﾗｰはありません。", "ｴﾗｰはありません。"},
    {CFileException::generic, "/music/list.txt へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。",
     "無題のﾌｧｲﾙ へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。"},
    {CFileException::fileNotFound, "/music/list.txt が見つかりません。", "無題のﾌｧｲﾙ が見つかりません。"},
    {CFileException::badPath, "/music/list.txt は無効なﾊﾟｽです。", "無題のﾌｧｲﾙ は無効なﾊﾟｽです。"},
    {CFileException::tooManyOpenFiles, "開いているﾌｧｲﾙが多すぎるため /music/list.txt を開けませんでした。",
     "開いているﾌｧｲﾙが多すぎるため 無題のﾌｧｲﾙ を開けませんでした。"},
    {CFileException::accessDenied, "/music/list.txt へのｱｸｾｽは拒否されました。", "無題のﾌｧｲﾙ へのｱｸｾｽは拒否されました。"},
    {CFileException::invalidFile, "/music/list.txt へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられています。",
     "無題のﾌｧｲﾙ へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられています。"},
    {CFileException::removeCurrentDir, "ｶﾚﾝﾄ ﾃﾞｨﾚｸﾄﾘ /music/list.txt は削除できません。",
     "ｶﾚﾝﾄ ﾃﾞｨﾚｸﾄﾘ 無題のﾌｧｲﾙ は削除できません。"},
    {CFileException::directoryFull, "/music/list.txt を作成できません。そのﾃﾞｨﾚｸﾄﾘはいっぱいです。 ",
     "無題のﾌｧｲﾙ を作成できません。そのﾃﾞｨﾚｸﾄﾘはいっぱいです。 "},
    {CFileException::badSeek, "/music/list.txt のｼｰｸに失敗しました", "無題のﾌｧｲﾙ のｼｰｸに失敗しました"},
    {CFileException::hardIO, "/music/list.txt へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。",
     "無題のﾌｧｲﾙ へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。"},
    {CFileException::sharingViolation, "/music/list.txt へのｱｸｾｽ中に共有違反が発生しました。",
     "無題のﾌｧｲﾙ へのｱｸｾｽ中に共有違反が発生しました。"},
    {CFileException::lockViolation, "/music/list.txt へのｱｸｾｽ中にﾛｯｷﾝｸﾞ違反が発生しました。",
     "無題のﾌｧｲﾙ へのｱｸｾｽ中にﾛｯｷﾝｸﾞ違反が発生しました。"},
    {CFileException::diskFull, "/music/list.txt へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。",
     "無題のﾌｧｲﾙ へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"},
    {CFileException::endOfFile, "/music/list.txt のﾌｧｲﾙの終わりです。", "無題のﾌｧｲﾙ のﾌｧｲﾙの終わりです。"},
};

TEST(CFileExceptionTest, EveryCauseHasItsMessageWithTheFileNameOrUntitled) {
  for (const auto& row : kMessages) {
    SCOPED_TRACE(row.cause);
    EXPECT_EQ(CFileException(row.cause, -1, "/music/list.txt").GetErrorMessage().str(), row.withName);
    EXPECT_EQ(CFileException(row.cause, -1, nullptr).GetErrorMessage().str(), row.untitled);
    EXPECT_EQ(CFileException(row.cause, -1, "").GetErrorMessage().str(), row.untitled);
  }
}

TEST(CFileExceptionTest, NonAsciiFileNameIsSubstitutedByteForByte) {
  const char* sjisName = "C:\x83\x7E\x83\x85\x81\x5B\x83\x57\x83\x62\x83\x4E.txt";
  EXPECT_EQ(CFileException(CFileException::fileNotFound, 2, sjisName).GetErrorMessage().str(),
            std::string(sjisName) + " が見つかりません。");
}

struct ErrnoCase {
  int err;
  LONG osError;
  int cause;
};

const ErrnoCase kErrnoCases[] = {
    {0, 0, CFileException::none},
    {ENOENT, 2, CFileException::fileNotFound},
    {ENOTDIR, 3, CFileException::badPath},
    {ELOOP, 3, CFileException::badPath},
    {ENAMETOOLONG, 206, CFileException::badPath},
    {EMFILE, 4, CFileException::tooManyOpenFiles},
    {ENFILE, 4, CFileException::tooManyOpenFiles},
    {EACCES, 5, CFileException::accessDenied},
    {EPERM, 5, CFileException::accessDenied},
    {EISDIR, 5, CFileException::accessDenied},
    {EROFS, 5, CFileException::accessDenied},
    {EEXIST, 80, CFileException::accessDenied},
    {EBADF, 6, CFileException::fileNotFound},
    {ENOMEM, 8, CFileException::generic},
    {EBUSY, 32, CFileException::sharingViolation},
    {ETXTBSY, 32, CFileException::sharingViolation},
    {EAGAIN, 33, CFileException::lockViolation},
    {ENOSPC, 112, CFileException::diskFull},
    {EDQUOT, 112, CFileException::diskFull},
    {EIO, 23, CFileException::hardIO},
    {ESPIPE, 25, CFileException::badSeek},
    {EXDEV, 17, CFileException::badPath},
    {ENOTEMPTY, 145, CFileException::removeCurrentDir},
    {EINVAL, 87, CFileException::generic},
    {EFBIG, 223, CFileException::generic},
    {EPROTO, 31, CFileException::generic},  // not in the table: generic failure
};

TEST(CFileExceptionTest, ErrnoMapsToTheErrorCodeOfTheSameMeaningAndItsCause) {
  for (const auto& row : kErrnoCases) {
    SCOPED_TRACE(row.err);
    EXPECT_EQ(CFileException::ErrnoToOsError(row.err), row.osError);
    EXPECT_EQ(CFileException::OsErrorToCause(CFileException::ErrnoToOsError(row.err)), row.cause);
  }
}

TEST(CFileExceptionTest, ErrorCodesFoldIntoCausesByTheTable) {
  const std::pair<LONG, int> cases[] = {
      {0, 0},    {2, 2},   {6, 2},    {107, 2}, {3, 3},   {206, 3},  {267, 3},  {4, 4},   {113, 4},  {5, 5},
      {183, 5},  {999, 5}, {11, 6},   {193, 6}, {16, 7},  {145, 7},  {62, 8},   {24, 9},  {132, 9},  {20, 10},
      {997, 10}, {32, 11}, {33, 12},  {167, 12}, {39, 13}, {112, 13}, {38, 14},  {1, 1},   {7, 1},    {31, 1},
      {1000, 1}, {-1, 1},  {1117, 1},
  };
  for (const auto& [code, cause] : cases) {
    EXPECT_EQ(CFileException::OsErrorToCause(code), cause) << "error code " << code;
  }
}

TEST(CFileExceptionTest, ThrowErrnoRecordsCodeCauseAndName) {
  try {
    CFileException::ThrowErrno(ENOSPC, "/music/list.txt");
    FAIL() << "nothing thrown";
  } catch (const CException& thrown) {
    const auto* file = dynamic_cast<const CFileException*>(&thrown);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->m_cause, CFileException::diskFull);
    EXPECT_EQ(file->m_lOsError, 112);
    EXPECT_EQ(file->m_strFileName, "/music/list.txt");
    EXPECT_STREQ(thrown.what(), "/music/list.txt へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。");
  }
}

}  // namespace
