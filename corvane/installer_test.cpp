#include "corvane/installer.h"

#include <gtest/gtest.h>
#include <odbcinst.h>

namespace corvane {
namespace {

TEST(InstallerBinding, FindsSQLConfigDataSourceInTheInstallerLibrary) {
  EXPECT_NE(bindInstallerSymbol("libodbcinst.so.2", "SQLConfigDataSource"), nullptr);
}

TEST(InstallerBinding, AMissingLibraryOrFunctionGivesNoFunction) {
  EXPECT_EQ(bindInstallerSymbol("libcorvane-no-such-installer.so.9", "SQLConfigDataSource"), nullptr);
  EXPECT_EQ(bindInstallerSymbol("libodbcinst.so.2", "SQLConfigDataSourceThatIsNot"), nullptr);
}

ConfigDataSourceFunction bound(const char* library, const char* function) {
  return bindInstallerFunction<ConfigDataSourceFunction>(library, function);
}

BOOL refuse(HWND, WORD, LPCSTR, LPCSTR) { return 0; }
BOOL accept(HWND window, WORD request, LPCSTR driver, LPCSTR attributes) {
  // What the request was given must reach the function unchanged.
  return window == nullptr && request == ODBC_REMOVE_DSN && driver[0] == 'D' && attributes[0] == 'A' ? 1 : 0;
}

TEST(InstallerRequest, OnlyABoundFunctionReturningTrueIsSuccess) {
  struct Case {
    const char* what;
    ConfigDataSourceFunction configure;
    bool succeeds;
  };
  const Case cases[] = {
      {"missing library", bound("libcorvane-no-such-installer.so.9", "SQLConfigDataSource"), false},
      {"missing function", bound("libodbcinst.so.2", "SQLConfigDataSourceThatIsNot"), false},
      {"FALSE", &refuse, false},
      {"TRUE", &accept, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(configDataSource(c.configure, ODBC_REMOVE_DSN, "Driver", "A=1\0"), c.succeeds) << c.what;
  }
}

}  // namespace
}  // namespace corvane
