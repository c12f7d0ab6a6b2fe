#include "merivan/file_errors.h"

#include <cerrno>

namespace merivan {

std::string FileErrorText(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
  }
}

int FileErrorCodeOfErrno(int e) {
  switch (e) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return kAccessDenied;
    case EMFILE:
    case ENFILE: return kTooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return kDiskFull;
    case EAGAIN: return kSharingViolation;
    default: return kErrnoBase + e;
  }
}

EInOutError InOutErrorOfErrno(int errnoValue) {
  const int code = FileErrorCodeOfErrno(errnoValue);
  return EInOutError(code, FileErrorText(code));
}

}  // namespace merivan
