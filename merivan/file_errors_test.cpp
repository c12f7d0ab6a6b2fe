#include "merivan/file_errors.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace merivan {
namespace {

TEST(FileErrors, Texts) {
  struct Case {
    int code;
    const char* text;
  } cases[] = {{2, "File not found"},          {3, "Invalid filename"},        {4, "Too many open files"},
               {5, "File access denied"},      {100, "Read beyond end of file"}, {101, "Disk full"},
               {106, "Invalid numeric input"}, {112, "I/O error 112"},         {32, "I/O error 32"},
               {0, "I/O error 0"},             {-7, "I/O error -7"},           {10005, "I/O error 10005"}};
  for (const Case& c : cases) EXPECT_EQ(FileErrorText(c.code), c.text) << c.code;
}

TEST(FileErrors, ErrnoMapping) {
  struct Case {
    int e;
    int code;
  } cases[] = {{ENOENT, 3},  {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {ELOOP, 3},   {EACCES, 5}, {EPERM, 5},
               {EROFS, 5},   {EISDIR, 5},  {ETXTBSY, 5},      {EMFILE, 4},  {ENFILE, 4}, {ENOSPC, 112},
               {EDQUOT, 112}, {EFBIG, 112}, {EAGAIN, 32},     {EIO, kErrnoBase + EIO}, {EINVAL, kErrnoBase + EINVAL}};
  for (const Case& c : cases) {
    EXPECT_EQ(FileErrorCodeOfErrno(c.e), c.code) << c.e;
    const EInOutError err = InOutErrorOfErrno(c.e);
    EXPECT_EQ(err.ErrorCode, c.code);
    EXPECT_EQ(err.Message(), FileErrorText(c.code));
  }
}

}  // namespace
}  // namespace merivan
