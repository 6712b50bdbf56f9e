#pragma once
// FileErrors: the tables that turn a failed file operation into words for
// people. An errno from the system is first translated into the window
// system's error code with the same meaning (the number the file exception
// keeps), that code is folded into one of the fifteen causes of the file
// exception, and each cause has one fixed Japanese message. Keeping the three
// tables together means every file error is reported the same way, whichever
// class met it.

#include "platform/win/WinTypes.h"

namespace FileErrors {

// The error codes the errno table produces, under their usual names.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_PATH_NOT_FOUND = 3;
constexpr LONG ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr LONG ERROR_INVALID_DRIVE = 15;
constexpr LONG ERROR_NOT_SAME_DEVICE = 17;
constexpr LONG ERROR_NOT_READY = 21;
constexpr LONG ERROR_CRC = 23;
constexpr LONG ERROR_SEEK = 25;
constexpr LONG ERROR_GEN_FAILURE = 31;
constexpr LONG ERROR_SHARING_VIOLATION = 32;
constexpr LONG ERROR_LOCK_VIOLATION = 33;
constexpr LONG ERROR_HANDLE_EOF = 38;
constexpr LONG ERROR_FILE_EXISTS = 80;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_DISK_FULL = 112;
constexpr LONG ERROR_DIR_NOT_EMPTY = 145;
constexpr LONG ERROR_FILENAME_EXCED_RANGE = 206;
constexpr LONG ERROR_FILE_TOO_LARGE = 223;

// The error code with the same meaning as `err`; an errno the table does not
// know becomes ERROR_GEN_FAILURE, which reports as the generic cause.
LONG ErrnoToWinError(int err);

// The file-exception cause (0 to 14) for an error code; every code the table
// does not list gives 1, generic.
int WinErrorToCause(LONG winError);

// The message of a cause, with "%1" where the file name goes; nullptr for a
// number outside 0 to 14.
const char* CauseMessage(int cause);

}  // namespace FileErrors
