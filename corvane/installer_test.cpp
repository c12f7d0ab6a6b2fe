#include "corvane/installer.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(InstallerBinding, FindsSQLConfigDataSourceInTheInstallerLibrary) {
  EXPECT_NE(bindInstallerFunction("libodbcinst.so.2", "SQLConfigDataSource"), nullptr);
}

TEST(InstallerBinding, AMissingLibraryOrFunctionGivesNoFunction) {
  EXPECT_EQ(bindInstallerFunction("libcorvane-no-such-installer.so.9", "SQLConfigDataSource"), nullptr);
  EXPECT_EQ(bindInstallerFunction("libodbcinst.so.2", "SQLConfigDataSourceThatIsNot"), nullptr);
}

}  // namespace
}  // namespace corvane
