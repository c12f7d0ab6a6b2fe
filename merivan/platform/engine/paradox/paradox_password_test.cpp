// Protected tables open only with their password: the passwords given are
// tried in turn, typed text is converted to the table's code page first, all
// 32 bits of the stored value must match, and a table that is not protected
// but whose encryption words are damaged reads as damaged.
#include <gtest/gtest.h>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/paradox/paradox_crypt.h"
#include "merivan/platform/engine/paradox/paradox_table.h"
#include "merivan/platform/engine/paradox/paradox_test_util.h"
#include "merivan/platform/locale/codepage.h"
#include "tests/fixtures/paradox_writer.h"

namespace merivan::engine {
namespace {

using namespace fixtures;
using namespace paradox_test;

const std::string kNoPassword = "The table is password-protected and no password was given.";
const std::string kWrongPassword = "The table is password-protected and the password given is wrong.";

// Two fields, one a memo in the .mb; records 1..n.
std::string WriteTable(const std::string& dir, int version, const std::string& password, int codePage = 1250) {
  PxLayout l;
  l.version = version;
  l.codePage = codePage;
  l.password = password;
  l.fields = {{"N", PxType::Long}, {"Poznamka", PxType::Memo, 12}};
  std::vector<std::vector<PxValue>> rows;
  for (int i = 1; i <= 40; ++i) rows.push_back({PxInt(i), PxText(std::string(i * 40, static_cast<char>('a' + i % 26)))});
  const std::string path = dir + "/chranena.db";
  WriteParadoxTable(path, l, rows);
  return path;
}

// The message of opening and reading `path` with `passwords`; "" when it reads.
std::string Failure(const std::string& path, const Passwords& passwords) {
  try {
    auto t = OpenParadoxTable(path, passwords);
    const auto rows = ReadAll(*t);
    EXPECT_EQ(rows.size(), 40u);
    if (rows.size() == 40u) {
      EXPECT_EQ(rows[39][1], std::string(1600, 'a' + 40 % 26));
    }
  } catch (const EngineError& e) {
    const bool password = e.Message().rfind("The table is password-protected", 0) == 0;
    EXPECT_EQ(e.NeedsPassword(), password) << e.what();
    return e.what();
  }
  return "";
}

TEST(ParadoxPassword, OnlyTheTablesPasswordOpensIt) {
  const std::string dir = ScratchDir();
  for (const int version : {3, 4, 5, 0x0C}) {
    SCOPED_TRACE("version " + std::to_string(version));
    const std::string path = WriteTable(dir, version, "Tajne");
    const std::string file = "\r\nFile: " + path;
    const struct {
      Passwords given;
      std::string failure;
    } cases[] = {
        {{}, kNoPassword + file},
        {{"tajne"}, kWrongPassword + file},  // no case folding
        {{"Tajne "}, kWrongPassword + file},
        {{""}, kWrongPassword + file},
        {{"Tajne"}, ""},
        {{"123", "", "Tajne"}, ""},  // the passwords of the session, the right one among them
        {{"Tajne", "123"}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Failure(path, c.given), c.failure) << c.given.size();
  }
}

// Typed text is UTF-8; the table's password is in its code page (852 or
// 1250 as the header says; 3.x tables: the user's OEM code page, 852 here).
TEST(ParadoxPassword, TypedTextIsConvertedToTheTablesCodePage) {
  const std::string dir = ScratchDir();
  const std::string typed = "Heslíčko";
  for (const auto& [version, codePage] : {std::pair{0x0C, 852}, {0x0C, 1250}, {4, 852}}) {
    SCOPED_TRACE(codePage);
    const std::string path = WriteTable(dir, version, platform::Utf8ToCodePage(typed, codePage), codePage);
    EXPECT_EQ(Failure(path, {typed}), "");
    EXPECT_EQ(Failure(path, {platform::Utf8ToCodePage(typed, codePage)}), kWrongPassword + "\r\nFile: " + path);
  }
}

// The key is the stored value's low half; a password that gives it but not
// the upper half is still the wrong password, though it would decrypt.
TEST(ParadoxPassword, AllThirtyTwoBitsMustMatch) {
  const std::string dir = ScratchDir();
  const std::string path = WriteTable(dir, 0x0C, "123");
  std::string bytes = ReadFile(path);
  bytes[0x5E] ^= 0x01;
  WriteFile(path, bytes);
  EXPECT_EQ(Failure(path, {"123"}), kWrongPassword + "\r\nFile: " + path);
}

// One byte of a plain table's encryption words changed: a damaged table,
// never one that asks for a password no one has.
TEST(ParadoxPassword, DamagedEncryptionWordsAreDamage) {
  const std::string dir = ScratchDir();
  const struct {
    int version;
    size_t offset;
    const char* message;
  } cases[] = {
      {0x0C, 0x25, "encryption mark at offset 0x25 reads 0xFF00FF01"},
      {0x0C, 0x26, "encryption mark at offset 0x25 reads 0xFF00FE00"},
      {0x0C, 0x28, "encryption mark at offset 0x25 reads 0xFE00FF00"},
      {0x0C, 0x5C, "encryption word 0x00000001 is not the value of any password"},
      {0x0C, 0x5D, "encryption word 0x00000100 is not the value of any password"},
      {0x0C, 0x5E, "its data blocks are not encrypted"},
      {0x0C, 0x5F, "its data blocks are not encrypted"},
      {5, 0x5E, "its data blocks are not encrypted"},
      {3, 0x25, "encryption word 0x00000001 is not the value of any password"},
      {4, 0x26, "encryption word 0x00000100 is not the value of any password"},
      {4, 0x27, "its data blocks are not encrypted"},
      {3, 0x28, "its data blocks are not encrypted"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("version " + std::to_string(c.version) + ", offset " + std::to_string(c.offset));
    const std::string path = WriteTable(dir, c.version, "");
    std::string bytes = ReadFile(path);
    bytes[c.offset] ^= 0x01;
    WriteFile(path, bytes);
    for (const Passwords& given : {Passwords{}, Passwords{"123"}}) {
      const std::string message = Failure(path, given);
      EXPECT_EQ(message.rfind("Damaged Paradox table: ", 0), 0u) << message;
      EXPECT_NE(message.find(c.message), std::string::npos) << message;
      EXPECT_EQ(message.find("password-protected and"), std::string::npos) << message;
    }
  }
}

// Protected data that does not decrypt to a table (here: the stored value
// changed to another password's, so the blocks decrypt with the wrong keys)
// is reported as damage by the block checks.
TEST(ParadoxPassword, DataThatDoesNotDecryptIsDamage) {
  const std::string dir = ScratchDir();
  const std::string path = WriteTable(dir, 0x0C, "123");
  std::string bytes = ReadFile(path);
  const uint32_t other = paradox::PasswordValue("tajne");
  for (int b = 0; b < 4; ++b) bytes[0x5C + b] = static_cast<char>(other >> (8 * b));
  WriteFile(path, bytes);
  EXPECT_EQ(Failure(path, {"tajne"}).rfind("Damaged Paradox table: ", 0), 0u);
}

}  // namespace
}  // namespace merivan::engine
