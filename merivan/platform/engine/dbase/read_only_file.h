#pragma once
// A file opened for reading at explicit offsets. Reads never go past the
// file's end: they return the bytes that exist, so callers can check them.
#include <cstddef>
#include <cstdint>
#include <string>

namespace merivan::engine {

class ReadOnlyFile {
 public:
  // Throws EDBEngineError naming `path` when it cannot be opened.
  explicit ReadOnlyFile(const std::string& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  const std::string& Path() const { return path_; }
  uint64_t Size() const { return size_; }

  // Reads up to `count` bytes at `offset`; returns how many were read.
  size_t ReadAt(uint64_t offset, size_t count, uint8_t* dst) const;
  // Reads exactly `count` bytes or fails with EDBEngineError("<what>").
  void ReadExactly(uint64_t offset, size_t count, uint8_t* dst, const char* what) const;

 private:
  std::string path_;
  int fd_ = -1;
  uint64_t size_ = 0;
};

// The engine's message for a damaged or unusable file: what is wrong, then the file.
std::string EngineMessage(const std::string& what, const std::string& path);

}  // namespace merivan::engine
