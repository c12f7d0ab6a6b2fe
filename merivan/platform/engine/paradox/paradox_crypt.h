#pragma once
// Password-protected Paradox tables. The header stays plain; every data
// block of the .db and every 256-byte chunk of the .mb is put through one
// keyed transform of 256-byte chunks, keyed by the low 16 bits of the value
// the table's password gives (the header stores that value whole).
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace merivan::engine::paradox {

constexpr size_t kCryptChunk = 256;
constexpr size_t kMaxPasswordBytes = 255;

// One chunk through the transform T(p, q, r, s); `in` and `out` must not overlap.
void EncryptChunk(const uint8_t* in, uint8_t* out, uint8_t p, uint8_t q, uint8_t r, uint8_t s);
void DecryptChunk(const uint8_t* in, uint8_t* out, uint8_t p, uint8_t q, uint8_t r, uint8_t s);

// The value a password gives, over its bytes in the table's code page, no
// case folding. 0, which marks a plain table, for an empty password or one
// longer than 255 bytes: no table can be protected by those.
uint32_t PasswordValue(std::string_view password);

// The keys of one table, made only from a password. The reader compares
// Value() with the header's whole value before it decrypts anything.
// How a TableCipher decrypts: by the processor's byte permutes where it has
// them (x86-64 with AVX-512 VBMI), or a byte at a time; both give the same bytes.
enum class CipherUnits { kFastest, kBytes };

class TableCipher {
 public:
  // `password` must give a value other than 0 (std::invalid_argument otherwise).
  explicit TableCipher(std::string_view password, CipherUnits units = CipherUnits::kFastest);

  uint32_t Value() const { return value_; }

  // Data block `n` (1-based) of the .db, in place; `size` is a multiple of 256.
  void DecryptBlock(uint8_t* block, size_t size, uint32_t n) const;
  void EncryptBlock(uint8_t* block, size_t size, uint32_t n) const;

  // Whole chunks of the .mb file, in place; `size` is a multiple of 256 and
  // the data starts at a multiple of 256 in the file (every chunk has the
  // same key wherever it lies).
  void DecryptBlobChunks(uint8_t* data, size_t size) const;
  void EncryptBlobChunks(uint8_t* data, size_t size) const;

 private:
  // Chunks of `size` bytes at `data`, the first one being chunk `m` of a
  // block with the given s.
  void Decrypt(uint8_t* data, size_t size, uint8_t s, uint8_t m) const;
  void Encrypt(uint8_t* data, size_t size, uint8_t s, uint8_t m) const;

  uint32_t value_;
  uint8_t k0_, k1_;
  bool permutes_;  // decrypts by DecryptByPermutes
  // Chunk m of block n takes, at plain position i, the key byte
  // rows_[s][i] ^ cols_[(m - s) & 255][i] with s = n & 255: the transform's
  // three table look-ups split into the part fixed by the block and the part
  // fixed by the chunk's distance from it, computed once per table. The .mb
  // key is the one of chunk K0 + 1 of a block with s = K1 + 1.
  std::vector<uint8_t> rows_;  // [s][i] = A[i + K0] ^ B[C[i] - s + K1]
  std::vector<uint8_t> cols_;  // [d][i] = C[C[i] + d]
  std::vector<uint8_t> sources_;  // [s][i] = C[i] - s: the cipher position of plain position i
};

}  // namespace merivan::engine::paradox
