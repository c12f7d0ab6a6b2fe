#include "merivan/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "merivan/exceptions.h"
#include "merivan/file_errors.h"
#include "tests/support/temp_dir.h"

namespace merivan {
namespace {

class OutputFileTest : public ::testing::Test {
 protected:
  static std::string Contents(const std::string& path) { return testing::ReadFile(path); }
  static bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

  // The code of the EInOutError that `f` raises, or 0.
  template <typename F>
  static int ErrorCode(F f) {
    try {
      f();
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Message(), e.ErrorCode == 3 ? "Invalid filename" : e.ErrorCode == 5 ? "File access denied"
                                                                                       : "I/O error " + std::to_string(e.ErrorCode));
      return e.ErrorCode;
    }
    return 0;
  }

  testing::TempDir tmp_;
  const std::string dir_ = tmp_.path();
};

TEST_F(OutputFileTest, WritesThroughTheBufferAndReplacesOldContents) {
  const std::string path = dir_ + "/out.txt";
  std::ofstream(path) << "old contents that are longer";
  TOutputFile out(path);
  EXPECT_EQ(Contents(path), "");  // emptied on creation
  // Bytes that differ from buffer to buffer, so that a buffer written twice,
  // left out or out of turn shows.
  std::string big(TOutputFile::kBufferSize * 5 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i / 4099 % 26);
  out.Write("a;");
  out.Write('b');
  out.Write(big);
  out.Close();
  EXPECT_EQ(Contents(path), "a;b" + big);
}

TEST_F(OutputFileTest, CreateFailures) {
  EXPECT_EQ(ErrorCode([&] { TOutputFile f(dir_ + "/missing/out.txt"); }), 3);
  EXPECT_FALSE(Exists(dir_ + "/missing"));
  std::ofstream(dir_ + "/plain") << "x";
  EXPECT_EQ(ErrorCode([&] { TOutputFile f(dir_ + "/plain/out.txt"); }), 3);  // ENOTDIR
  EXPECT_EQ(ErrorCode([&] { TOutputFile f(dir_); }), 5);                      // EISDIR
  EXPECT_EQ(ErrorCode([&] { TOutputFile f(dir_ + "/" + std::string(300, 'n')); }), 3);
  // A directory nobody may create files in: root passes permission bits, but
  // not sysfs's refusal.
  if (geteuid() != 0) {
    ASSERT_EQ(mkdir((dir_ + "/ro").c_str(), 0555), 0);
    EXPECT_EQ(ErrorCode([&] { TOutputFile f(dir_ + "/ro/out.txt"); }), 5);
  } else if (Exists("/sys/kernel")) {
    EXPECT_EQ(ErrorCode([&] { TOutputFile f("/sys/kernel/merivan-out.txt"); }), 5);
  }
}

TEST_F(OutputFileTest, DanglingSymbolicLinkCreatesItsTarget) {
  const std::string target = dir_ + "/target.txt";
  const std::string link = dir_ + "/link.txt";
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  TOutputFile out(link);
  out.Write("x");
  out.Close();
  EXPECT_EQ(Contents(target), "x");
}

TEST_F(OutputFileTest, ASecondWriterIsKeptOutAndReadersAreNot) {
  const std::string path = dir_ + "/out.txt";
  TOutputFile first(path);
  first.Write("abc");
  EXPECT_EQ(ErrorCode([&] { TOutputFile second(path); }), 32);
  first.Close();
  EXPECT_EQ(Contents(path), "abc");  // the refused writer did not empty it
  TOutputFile again(path);  // free again once closed
  const int reader = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  EXPECT_NE(reader, -1);
  if (reader >= 0) close(reader);
  again.Close();
}

TEST_F(OutputFileTest, PipeWithoutReaderFailsInsteadOfWaiting) {
  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ErrorCode([&] { TOutputFile f(fifo); }), kErrnoBase + ENXIO);
}

TEST_F(OutputFileTest, FullDeviceFailsWithCode112) {
  if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  {
    TOutputFile out("/dev/full");
    out.Write("record\r\n");
    EXPECT_EQ(ErrorCode([&] { out.Close(); }), 112);
  }
  {
    // A full buffer is written while the next one fills: its failure comes
    // with the next call that fills a buffer.
    TOutputFile out("/dev/full");
    out.Write(std::string(TOutputFile::kBufferSize + 1, 'x'));
    EXPECT_EQ(ErrorCode([&] { out.Write(std::string(TOutputFile::kBufferSize, 'y')); }), 112);
    EXPECT_EQ(ErrorCode([&] { out.Close(); }), 0);  // reported once; nothing is left to write
  }
  {
    TOutputFile out("/dev/full");
    out.Write(std::string(TOutputFile::kBufferSize * 2, 'x'));
    EXPECT_EQ(ErrorCode([&] { out.Close(); }), 112);
  }
}

}  // namespace
}  // namespace merivan
