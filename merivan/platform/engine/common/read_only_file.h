#pragma once
// A file opened for positioned reads (pread): no shared file position, so
// the table and its blob file are read independently.
#include <cstddef>
#include <cstdint>
#include <string>

namespace merivan::engine {

class ReadOnlyFile {
 public:
  // Fails with EngineError naming `path` when the file cannot be opened
  // or is no regular file (a folder, a FIFO, a device).
  explicit ReadOnlyFile(std::string path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  const std::string& Path() const { return path_; }
  uint64_t Size() const { return size_; }
  // Reads up to `count` bytes at `offset`; returns the count read (short
  // only at the end of the file). Fails with EngineError on an I/O error.
  size_t ReadAt(uint64_t offset, size_t count, uint8_t* dst) const;
  // Reads exactly `count` bytes at `offset`; a short read fails with
  // EngineError saying `what` (a whole sentence) and naming the file.
  void ReadExactly(uint64_t offset, size_t count, uint8_t* dst, const char* what) const;

 private:
  std::string path_;
  int fd_ = -1;
  uint64_t size_ = 0;
};

}  // namespace merivan::engine
