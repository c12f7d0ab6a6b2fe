// The progress line of a headless run: drawn on stderr when that is a
// terminal (a real pseudo-terminal here), blanked at the end and before an
// error report, and never among the output's lines.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>

#include "tests/fixtures/paradox_writer.h"
#include "tests/support/merivan_process.h"
#include "tests/support/pty_capture.h"

namespace merivan::e2e {
namespace {

using namespace merivan::fixtures;
using testing::PtyCapture;

constexpr int kRecords = 6000;  // more than the 64 KB output buffer holds

void WriteRecords(const std::string& path, int count) {
  PxLayout layout;
  layout.codePage = 852;
  layout.fields = {{"Jmeno", PxType::Alpha, 30}, {"Cislo", PxType::Long}};
  std::vector<std::vector<PxValue>> records;
  for (int i = 0; i < count; ++i) records.push_back({PxText("Zaznam cislo " + std::to_string(i)), PxInt(i)});
  WriteParadoxTable(path, layout, records);
}

class ProgressLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteRecords(dir_ / "zaznamy.db", kRecords);
    ASSERT_TRUE(terminal_.Ok()) << "no pseudo-terminal";
  }

  // The export with stderr on the pipe, as the reference bytes.
  std::string PipedExport(const std::string& table = "zaznamy.db") {
    const RunResult r = RunMerivan({dir_.path(), table, dir_ / "piped.txt"});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.err, "");  // stderr not a terminal: no progress line
    return ReadFile(dir_ / "piped.txt");
  }

  TempDir dir_;
  PtyCapture terminal_{80, /*raw=*/false};  // as a new terminal is: LF shown as CR LF
};

// Everything shown on the terminal once the program has ended.
std::string Shown(PtyCapture& terminal) { return terminal.Output(); }

void SetColumns(const PtyCapture& terminal, unsigned short columns) {
  const int fd = open(terminal.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  winsize size{};
  size.ws_row = 24;
  size.ws_col = columns;
  EXPECT_EQ(ioctl(fd, TIOCSWINSZ, &size), 0);
  close(fd);
}

// What a line drawn and then blanked leaves: "\r" + line, ..., "\r" + blanks + "\r".
void ExpectLineDrawnThenBlanked(const std::string& shown, size_t end) {
  const std::string first = "\rzaznamy.db  0%  1/" + std::to_string(kRecords);
  ASSERT_EQ(shown.rfind(first, 0), 0u) << shown;
  const size_t clear = shown.rfind('\r', end - 1);
  ASSERT_NE(clear, std::string::npos);
  const size_t blanksStart = shown.rfind('\r', clear - 1) + 1;
  EXPECT_EQ(shown.substr(blanksStart, clear - blanksStart), std::string(clear - blanksStart, ' '));
  // The blanks cover the longest line drawn.
  size_t longest = 0;
  for (size_t from = 0; from < blanksStart - 1;) {
    const size_t next = shown.find('\r', from + 1);
    longest = std::max(longest, next - from - 1);
    from = next;
  }
  EXPECT_GE(clear - blanksStart, longest) << shown;
  EXPECT_EQ(clear + 1, end);
}

TEST_F(ProgressLineTest, DrawnOnTheTerminalAndBlankedAtTheEnd) {
  const std::string reference = PipedExport();
  const RunResult r = RunMerivan({dir_.path(), "zaznamy.db", dir_ / "out.txt"}, "cs_CZ.UTF-8", terminal_.SlavePath());
  EXPECT_EQ(r.exitStatus, 0);
  const std::string shown = Shown(terminal_);
  ExpectLineDrawnThenBlanked(shown, shown.size());
  EXPECT_EQ(shown.find('\n'), std::string::npos) << shown;
  EXPECT_EQ(ReadFile(dir_ / "out.txt"), reference);
}

TEST_F(ProgressLineTest, BlankedBeforeTheErrorReport) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  const RunResult r = RunMerivan({dir_.path(), "zaznamy.db", "/dev/full"}, "cs_CZ.UTF-8", terminal_.SlavePath());
  EXPECT_EQ(r.exitStatus, 255);
  const std::string shown = Shown(terminal_);
  // The terminal shows the line end as CR LF.
  const std::string report = "Při přípravě k importu souboru zaznamy.db došlo k chybě: I/O error 112\r\n";
  const size_t at = shown.find(report);
  ASSERT_NE(at, std::string::npos) << shown;
  EXPECT_EQ(at + report.size(), shown.size());
  ExpectLineDrawnThenBlanked(shown, at);
}

// An output that is the terminal itself gets the lines of the export and
// nothing else. (A short table: nobody reads the terminal while it runs.)
TEST_F(ProgressLineTest, NoneWhenTheOutputIsTheTerminal) {
  WriteRecords(dir_ / "kratka.db", 40);
  const std::string reference = PipedExport("kratka.db");
  const RunResult r =
      RunMerivan({dir_.path(), "kratka.db", terminal_.SlavePath()}, "cs_CZ.UTF-8", terminal_.SlavePath());
  EXPECT_EQ(r.exitStatus, 0);
  // The terminal shows each line end LF as CR LF, so the CR LF of the lines
  // arrives as CR CR LF.
  std::string expected;
  for (const char c : reference) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const std::string shown = Shown(terminal_);
  EXPECT_TRUE(shown == expected) << shown.substr(0, 200);
}

// A narrow terminal gets a line cut to its width less one, never wrapped.
TEST_F(ProgressLineTest, CutToANarrowTerminal) {
  SetColumns(terminal_, 12);
  const RunResult r = RunMerivan({dir_.path(), "zaznamy.db", dir_ / "out.txt"}, "cs_CZ.UTF-8", terminal_.SlavePath());
  EXPECT_EQ(r.exitStatus, 0);
  const std::string shown = Shown(terminal_);
  ASSERT_EQ(shown.rfind("\rzaznamy.db \r", 0), 0u) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 13), "\r" + std::string(11, ' ') + "\r");
}

}  // namespace
}  // namespace merivan::e2e
