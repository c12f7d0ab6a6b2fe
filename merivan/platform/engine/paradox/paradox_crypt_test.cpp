// The table transform and password values against known values, the fast
// per-table paths against the plain transform, and the real protected tables.
#include "merivan/platform/engine/paradox/paradox_crypt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <utility>

#include "merivan/platform/engine/common/byte_order.h"
#include "tests/support/temp_dir.h"

namespace merivan::engine::paradox {
namespace {

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>(gen());
  return v;
}

TEST(ParadoxCrypt, PasswordValues) {
  const std::pair<std::string, uint32_t> cases[] = {
      {"tajne", 0xDF1C0A1Bu}, {"Heslo123", 0x881C6F55u}, {"123", 0x0A25E09Au},
      {"", 0u}, {std::string(256, 'x'), 0u},
  };
  for (const auto& [password, value] : cases) EXPECT_EQ(PasswordValue(password), value) << password;
  // No case folding, and every byte counts, up to the longest allowed.
  EXPECT_NE(PasswordValue("TAJNE"), PasswordValue("tajne"));
  EXPECT_NE(PasswordValue(std::string(255, 'x')), 0u);
  EXPECT_NE(PasswordValue(std::string(254, 'x') + "y"), PasswordValue(std::string(255, 'x')));
  EXPECT_THROW(TableCipher(""), std::invalid_argument);
}

TEST(ParadoxCrypt, ChunkTransformRoundTrips) {
  const std::vector<uint8_t> plain = RandomBytes(kCryptChunk, 1);
  for (const uint8_t key : {0, 1, 0x7F, 0xFF}) {
    uint8_t cipher[kCryptChunk], back[kCryptChunk];
    EncryptChunk(plain.data(), cipher, key, key ^ 0x55, key + 3, key ^ 0xA0);
    EXPECT_NE(std::vector<uint8_t>(cipher, cipher + kCryptChunk), plain);
    DecryptChunk(cipher, back, key, key ^ 0x55, key + 3, key ^ 0xA0);
    EXPECT_EQ(std::vector<uint8_t>(back, back + kCryptChunk), plain) << int(key);
  }
}

// Block n's chunk m is T(K0, K1, m, n mod 256); the .mb's chunks all take
// T(K0, K1, K0 + 1, K1 + 1). The table's fast paths must give exactly that.
TEST(ParadoxCrypt, BlocksAndBlobChunksFollowTheTransform) {
  for (const auto& [password, units] : {std::pair{"123", CipherUnits::kFastest}, {"tajne", CipherUnits::kFastest},
                                        {"Heslo123", CipherUnits::kFastest}, {"123", CipherUnits::kBytes},
                                        {"Heslo123", CipherUnits::kBytes}}) {
    const TableCipher cipher(password, units);
    const uint8_t k0 = static_cast<uint8_t>(cipher.Value()), k1 = static_cast<uint8_t>(cipher.Value() >> 8);
    for (const size_t kb : {1, 2, 3, 4, 16, 32}) {
      for (const uint32_t n : {1u, 2u, 255u, 256u, 257u, 65535u}) {
        SCOPED_TRACE(std::string(password) + (units == CipherUnits::kBytes ? ", bytes, " : ", ") +
                     std::to_string(kb) + " KB, block " + std::to_string(n));
        const std::vector<uint8_t> plain = RandomBytes(kb * 1024, n);
        std::vector<uint8_t> expected(plain.size());
        for (size_t m = 0; m * kCryptChunk < plain.size(); ++m)
          EncryptChunk(&plain[m * kCryptChunk], &expected[m * kCryptChunk], k0, k1, static_cast<uint8_t>(m),
                       static_cast<uint8_t>(n));
        std::vector<uint8_t> block = plain;
        cipher.EncryptBlock(block.data(), block.size(), n);
        ASSERT_EQ(block, expected);
        cipher.DecryptBlock(block.data(), block.size(), n);
        ASSERT_EQ(block, plain);
      }
    }
    const std::vector<uint8_t> plain = RandomBytes(3 * kCryptChunk, 7);
    std::vector<uint8_t> expected(plain.size());
    for (size_t at = 0; at < plain.size(); at += kCryptChunk)
      EncryptChunk(&plain[at], &expected[at], k0, k1, static_cast<uint8_t>(k0 + 1), static_cast<uint8_t>(k1 + 1));
    std::vector<uint8_t> data = plain;
    cipher.EncryptBlobChunks(data.data(), data.size());
    EXPECT_EQ(data, expected);
    cipher.DecryptBlobChunks(data.data(), data.size());
    EXPECT_EQ(data, plain);
  }
}

// Both ways of decrypting agree for every block key and chunk distance.
TEST(ParadoxCrypt, PermutesAndBytesDecryptAlike) {
  const TableCipher fastest("Heslo123", CipherUnits::kFastest), bytes("Heslo123", CipherUnits::kBytes);
  for (uint32_t n = 1; n <= 256; ++n) {
    const std::vector<uint8_t> data = RandomBytes(2 * 1024 + kCryptChunk, n);
    std::vector<uint8_t> a = data, b = data;
    fastest.DecryptBlock(a.data(), a.size(), n);
    bytes.DecryptBlock(b.data(), b.size(), n);
    ASSERT_EQ(a, b) << "block " << n;
  }
}

// The first data block of each protected table of the corpus decrypts with
// "123" to a block chain end and records that hold the known values.
TEST(ParadoxCrypt, DecryptsTheRealTables) {
  const std::string dir = MERIVAN_SHARED_DIR "/tables/paradox";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << dir << " is absent";
  const TableCipher cipher("123");
  const std::pair<const char*, const char*> cases[] = {
      {"encrypted.db", "Value 1"}, {"encrypted35.db", "Test 1"}, {"encryptedmemo.db", ""}};
  for (const auto& [file, text] : cases) {
    SCOPED_TRACE(file);
    std::string bytes = testing::ReadFile(dir + "/" + file);
    const auto* header = reinterpret_cast<const uint8_t*>(bytes.data());
    const uint32_t stored = Le32(header + 0x25) == 0xFF00FF00u ? Le32(header + 0x5C) : Le32(header + 0x25);
    EXPECT_EQ(stored, cipher.Value());
    const size_t headerSize = Le16(header + 2), blockSize = header[5] * 1024u;
    ASSERT_GE(bytes.size(), headerSize + blockSize);
    auto* block = reinterpret_cast<uint8_t*>(&bytes[headerSize]);
    cipher.DecryptBlock(block, blockSize, 1);
    EXPECT_EQ(Le16(block), 0u) << "one block, so no next one";
    const uint32_t recordSize = Le16(header), add = Le16(block + 4);
    EXPECT_EQ(add % recordSize, 0u);
    EXPECT_NE(std::string(reinterpret_cast<char*>(block), blockSize).find(text), std::string::npos);
  }
}

// The whole .mb of the corpus's memo table decrypts to blocks of the known
// types, and its long memo's block to the stored length.
TEST(ParadoxCrypt, DecryptsTheRealBlobFile) {
  const std::string path = MERIVAN_SHARED_DIR "/tables/paradox/encryptedmemo.mb";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is absent";
  std::string bytes = testing::ReadFile(path);
  ASSERT_EQ(bytes.size() % 4096, 0u);
  TableCipher("123").DecryptBlobChunks(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
  size_t single = 0;
  std::vector<uint32_t> lengths;
  for (size_t at = 4096; at < bytes.size();) {
    const auto* b = reinterpret_cast<const uint8_t*>(&bytes[at]);
    ASSERT_TRUE(b[0] == 2 || b[0] == 3 || b[0] == 4) << "block type " << int(b[0]) << " at " << at;
    if (b[0] == 2) {
      ++single;
      lengths.push_back(Le32(b + 3));
      at += size_t{Le16(b + 1)} * 4096;
    } else {
      at += 4096;
    }
  }
  EXPECT_EQ(single, 2u);
  EXPECT_NE(std::find(lengths.begin(), lengths.end(), 494832u), lengths.end());
}

}  // namespace
}  // namespace merivan::engine::paradox
