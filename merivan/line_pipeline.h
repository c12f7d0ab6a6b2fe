#pragma once
// Record lines made on a thread of their own. The export's loop holds each
// record's values in a batch (the table is read on the loop's thread only),
// and the lines of a full batch are written to the sink on the other core
// while the loop goes on with the next one.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "merivan/store/tfield.h"

namespace merivan {

class LinePipeline {
 public:
  struct Column {
    const TField* field;  // one with a TextBound
    bool quoted;
  };

  // `lineBound`: the most bytes a line takes, at most TextSink::kMaxReserve.
  LinePipeline(std::vector<Column> columns, TextSink& sink, size_t lineBound);
  // Lines held and not yet written are dropped: call Finish to keep them.
  ~LinePipeline();
  LinePipeline(const LinePipeline&) = delete;
  LinePipeline& operator=(const LinePipeline&) = delete;

  // Holds the current record's line. When a value cannot be read, the line
  // ends before it, as it would have been written, and the held lines are
  // written before the failure goes on; a failure of an earlier line (its
  // text, or the sink) comes out here instead, as it came first.
  void Hold();
  // Writes every line held so far; the first failure goes on.
  void Finish();

 private:
  struct Batch {
    std::vector<uint8_t> values;
    size_t lines = 0;
    size_t columnsOfLast = 0;  // of the last line: all, or those before a failed read
  };

  void HandOver();
  void WaitForWriter(std::unique_lock<std::mutex>& lock);
  void Write(const uint8_t* values, size_t lines, size_t columnsOfLast);
  void Run();

  const std::vector<Column> columns_;
  std::vector<size_t> offsets_;  // of each column's held value in a line's
  size_t lineValues_ = 0;        // held bytes of one line
  size_t linesPerBatch_ = 0;
  TextSink& sink_;
  const size_t lineBound_;

  Batch filling_;  // the loop's
  Batch writing_;  // the writer's while busy_
  std::mutex mutex_;
  std::condition_variable changed_;
  bool busy_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;  // the writer's first; it writes nothing after it
  std::thread writer_;          // started by the first full batch
};

}  // namespace merivan
