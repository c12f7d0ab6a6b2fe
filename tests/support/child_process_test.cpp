#include "tests/support/child_process.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "tests/support/temp_dir.h"

namespace merivan::testing {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> ShellArgv(const std::string& script) { return {"/bin/sh", "-c", script}; }

TEST(ChildProcess, OutputStatusAndSignal) {
  struct Case {
    const char* script;
    const char* out;
    const char* err;
    int status;
  };
  for (const Case& c : {Case{"echo out; echo err >&2; exit 3", "out\n", "err\n", 3},
                        Case{"printf 'no line end'", "no line end", "", 0},
                        Case{"read line; echo \"[$line]\"", "[]\n", "", 0},  // stdin at its end
                        Case{"echo before; kill -9 $$", "before\n", "", -9}}) {
    ChildProcess child(ShellArgv(c.script), {});
    ASSERT_TRUE(child.Started()) << c.script;
    child.CloseStdin();
    const ChildOutput output = child.ReadToEnd(10s);
    EXPECT_EQ(output.out, c.out) << c.script;
    EXPECT_EQ(output.err, c.err) << c.script;
    EXPECT_EQ(child.Wait(10s), c.status) << c.script;
  }
}

TEST(ChildProcess, EnvironmentChangesApplyInOrder) {
  setenv("MERIVAN_CHILD_A", "1", 1);
  setenv("MERIVAN_CHILD_B", "2", 1);
  setenv("MERIVAN_KEPT", "3", 1);
  ChildProcess child(ShellArgv("env | grep '^MERIVAN_' | sort"),
                     {"MERIVAN_CHILD_*", "MERIVAN_CHILD_C=4", "MERIVAN_KEPT=5", "MERIVAN_ABSENT"});
  child.CloseStdin();
  EXPECT_EQ(child.ReadToEnd(10s).out, "MERIVAN_CHILD_C=4\nMERIVAN_KEPT=5\n");
  EXPECT_EQ(child.Wait(10s), 0);
}

TEST(ChildProcess, LinesBothWaysAndStderrInAFile) {
  TempDir dir;
  ChildProcess child(ShellArgv("while read line; do echo \"got $line\"; echo \"err $line\" >&2; done"), {},
                     dir / "stderr.txt");
  ASSERT_TRUE(child.Started());
  child.WriteLine("one");
  EXPECT_EQ(child.ReadLine(10s), "got one");
  child.WriteLine("two");
  child.CloseStdin();
  EXPECT_EQ(child.ReadLine(10s), "got two");
  EXPECT_EQ(child.ReadLine(10s), std::nullopt);  // its end
  EXPECT_EQ(child.Wait(10s), 0);
  EXPECT_EQ(ReadFile(dir / "stderr.txt"), "err one\nerr two\n");
}

TEST(ChildProcess, LimitsEndTheWaitingNotTheTest) {
  const auto started = std::chrono::steady_clock::now();
  {
    ChildProcess child(ShellArgv("echo early; exec sleep 60"), {});
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.ReadLine(5s), "early");
    EXPECT_EQ(child.ReadLine(100ms), std::nullopt);
    EXPECT_EQ(child.ReadToEnd(100ms).out, "");
    EXPECT_EQ(child.Wait(100ms), std::nullopt);
  }  // killed and reaped here
  EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
}

TEST(ChildProcess, AProgramThatCannotStart) {
  for (const std::vector<std::string>& argv :
       {std::vector<std::string>{"/nonexistent/program"}, std::vector<std::string>{}}) {
    ChildProcess child(argv, {});
    EXPECT_FALSE(child.Started());
    child.WriteLine("ignored");
    EXPECT_EQ(child.ReadLine(10ms), std::nullopt);
    EXPECT_EQ(child.ReadToEnd(10ms).out, "");
    EXPECT_EQ(child.Wait(10ms), std::nullopt);
  }
}

TEST(RunShell, OutputAndStatus) {
  const CommandResult ok = RunShell("echo a; echo b | wc -l");
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.output, "a\n1\n");
  EXPECT_EQ(RunShell("exit 7").status, 7);
}

}  // namespace
}  // namespace merivan::testing
