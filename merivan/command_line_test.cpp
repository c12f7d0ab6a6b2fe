#include "merivan/command_line.h"

#include <gtest/gtest.h>

#include "merivan/application.h"
#include "merivan/platform/window/headless_window_system.h"

namespace merivan {
namespace {

using Args = std::vector<std::string>;

TEST(ArgumentsOf, DropsEmptyArgumentsAndKeepsTheOrder) {
  struct Case {
    std::vector<const char*> argv;
    Args args;
  } cases[] = {
      {{"merivan"}, {"merivan"}},
      {{"merivan", "db", "", "adresati.db", "out.txt"}, {"merivan", "db", "adresati.db", "out.txt"}},
      {{"merivan", "", "", ""}, {"merivan"}},
      {{"", "a"}, {"", "a"}},
      {{"merivan", "path with blanks", " ", "\t"}, {"merivan", "path with blanks", " ", "\t"}},
      {{}, {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(ArgumentsOf(static_cast<int>(c.argv.size()), c.argv.data()), c.args);
}

TEST(ArgumentsOf, KeepsLongArgumentsWhole) {
  const std::string longName(5000, 'x');
  const char* argv[] = {"merivan", longName.c_str()};
  EXPECT_EQ(ArgumentsOf(2, argv)[1], longName);
}

TEST(TApplication, ParamStrAndCount) {
  TApplication app({"merivan", "a", "b"}, std::make_unique<platform::HeadlessWindowSystem>());
  EXPECT_EQ(app.ParamCount(), 2);
  EXPECT_EQ(app.ParamStr(0), "merivan");
  EXPECT_EQ(app.ParamStr(2), "b");
  EXPECT_EQ(app.ParamStr(3), "");
  EXPECT_EQ(app.ParamStr(-1), "");
}

}  // namespace
}  // namespace merivan
