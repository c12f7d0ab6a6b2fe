#pragma once
// File errors: the numeric codes of EInOutError, their texts, and how the
// errno values of Linux map onto them.
#include <string>

#include "merivan/exceptions.h"

namespace merivan {

// Codes of the file layer (the Windows system error numbers where one exists).
enum FileErrorCode {
  kFileNotFound = 2,
  kPathNotFound = 3,
  kTooManyOpenFiles = 4,
  kAccessDenied = 5,
  kSharingViolation = 32,
  kDiskFull = 112,  // ERROR_DISK_FULL: shows as "I/O error 112"
  kReadBeyondEnd = 100,
  kDiskFullFileLayer = 101,
  kInvalidNumericInput = 106,
};

// Codes above this one carry an errno that has no Windows counterpart here:
// code = kErrnoBase + errno.
constexpr int kErrnoBase = 10000;

// "File not found", "Invalid filename", ..., or "I/O error %d".
std::string FileErrorText(int code);

// ENOENT, ENOTDIR, ENAMETOOLONG, ELOOP -> 3; EACCES, EPERM, EROFS, EISDIR,
// ETXTBSY -> 5; EMFILE, ENFILE -> 4; ENOSPC, EDQUOT, EFBIG -> 112; EAGAIN
// (a file another program holds locked) -> 32; any other errno e
// -> kErrnoBase + e.
int FileErrorCodeOfErrno(int errnoValue);

EInOutError InOutErrorOfErrno(int errnoValue);

}  // namespace merivan
