#include "platform/framework/FileErrors.h"

#include <cerrno>
#include <initializer_list>
#include <iterator>

namespace FileErrors {
namespace {

struct ErrnoRow {
  int err;
  LONG winError;
};

// One row per errno that a file operation of ours can meet, each mapped to the
// error code that says the same thing, so the cause and message follow from
// the code table below.
constexpr ErrnoRow kErrnoTable[] = {
    {0, ERROR_SUCCESS},                       // Nothing failed.
    {ENOENT, ERROR_FILE_NOT_FOUND},           // The file (or a dangling link's target) does not exist.
    {ENOTDIR, ERROR_PATH_NOT_FOUND},          // A directory part of the path is not a directory.
    {ELOOP, ERROR_PATH_NOT_FOUND},            // Links loop, so the path never leads to a file: a bad path.
    {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},  // The path or one of its names is too long.
    {ENODEV, ERROR_INVALID_DRIVE},            // The path names a device that is not there.
    {EXDEV, ERROR_NOT_SAME_DEVICE},           // A rename across file systems.
    {EMFILE, ERROR_TOO_MANY_OPEN_FILES},      // This process has no descriptor left.
    {ENFILE, ERROR_TOO_MANY_OPEN_FILES},      // The system has no open-file slot left.
    {EACCES, ERROR_ACCESS_DENIED},            // Permission bits refuse the access.
    {EPERM, ERROR_ACCESS_DENIED},             // The operation is not permitted (immutable file, sealed).
    {EISDIR, ERROR_ACCESS_DENIED},            // A directory cannot be opened or replaced as a file.
    {EROFS, ERROR_ACCESS_DENIED},             // The file system is mounted read-only.
    {EEXIST, ERROR_FILE_EXISTS},              // Something already has that name.
    {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},         // A rename onto a directory that holds files.
    {EBADF, ERROR_INVALID_HANDLE},            // The descriptor is not open (or not open for this access).
    {EINVAL, ERROR_INVALID_PARAMETER},        // The call was given an argument it does not accept.
    {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},        // The kernel could not allocate what the call needs.
    {EBUSY, ERROR_SHARING_VIOLATION},         // The file is in use in a way that forbids this access.
    {ETXTBSY, ERROR_SHARING_VIOLATION},       // The file is a running program's image.
    {EAGAIN, ERROR_LOCK_VIOLATION},           // A lock held by another process refuses the access.
#if EWOULDBLOCK != EAGAIN
    {EWOULDBLOCK, ERROR_LOCK_VIOLATION},      // The same as EAGAIN where the two differ.
#endif
    {ENOSPC, ERROR_DISK_FULL},                // The device has no space left.
    {EDQUOT, ERROR_DISK_FULL},                // The user's quota is used up: full, as far as we may write.
    {EFBIG, ERROR_FILE_TOO_LARGE},            // The file would exceed the largest size allowed.
    {ESPIPE, ERROR_SEEK},                     // A seek on something that cannot seek.
    {EIO, ERROR_CRC},                         // The device reported a failure to read or write data.
    {ENXIO, ERROR_NOT_READY},                 // The device behind the file is not there or not ready.
};

struct CauseRow {
  int cause;
  std::initializer_list<LONG> codes;
};

// The error codes that fold into each cause; any other code is generic.
const CauseRow kCauseTable[] = {
    {0, {0}},
    {2, {2, 6, 18, 107}},
    {3, {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
    {4, {4, 36, 68, 113}},
    {5, {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}},
    {6, {11, 26, 60, 66, 114, 182, 191, 193}},
    {7, {16, 145}},
    {8, {62}},
    {9, {24, 25, 27, 30, 131, 132}},
    {10, {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
    {11, {32}},
    {12, {33, 108, 167}},
    {13, {39, 112}},
    {14, {38}},
};

// Indexed by cause. The texts are shown exactly as stored, half-width
// katakana and the blank after cause 8's sentence included.
constexpr const char* kMessages[] = {
    "ｴﾗｰはありません。",
    "%1 へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。",
    "%1 が見つかりません。",
    "%1 は無効なﾊﾟｽです。",
    "開いているﾌｧｲﾙが多すぎるため %1 を開けませんでした。",
    "%1 へのｱｸｾｽは拒否されました。",
    "%1 へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられています。",
    "ｶﾚﾝﾄ ﾃﾞｨﾚｸﾄﾘ %1 は削除できません。",
    "%1 を作成できません。そのﾃﾞｨﾚｸﾄﾘはいっぱいです。 ",
    "%1 のｼｰｸに失敗しました",
    "%1 へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。",
    "%1 へのｱｸｾｽ中に共有違反が発生しました。",
    "%1 へのｱｸｾｽ中にﾛｯｷﾝｸﾞ違反が発生しました。",
    "%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。",
    "%1 のﾌｧｲﾙの終わりです。",
};

}  // namespace

LONG ErrnoToWinError(int err) {
  for (const auto& row : kErrnoTable) {
    if (row.err == err) return row.winError;
  }
  return ERROR_GEN_FAILURE;
}

int WinErrorToCause(LONG winError) {
  for (const auto& row : kCauseTable) {
    for (LONG code : row.codes) {
      if (code == winError) return row.cause;
    }
  }
  return 1;
}

const char* CauseMessage(int cause) {
  if (cause < 0 || cause >= static_cast<int>(std::size(kMessages))) return nullptr;
  return kMessages[cause];
}

}  // namespace FileErrors
