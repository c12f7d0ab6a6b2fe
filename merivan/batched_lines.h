#pragma once
// The export's record lines made on two threads. Copies of the records are
// gathered in batches; a full batch is made into text by a line thread of
// our own, or by the caller when that thread already has one waiting, and
// finished batches go to the output file in table order.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "merivan/output_file.h"
#include "merivan/store/tfield.h"

namespace merivan {

struct LineColumn {
  const TField* field;
  bool quoted;
};

// One record's line at `p`, which has room for the bound of every text, the
// marks and the line end; `text(field, at)` writes a field's text and returns
// its end. `p` is left where writing stopped, also when a text fails.
template <typename Text>
void WriteBoundedLine(const std::vector<LineColumn>& columns, char*& p, Text text) {
  for (const LineColumn& c : columns) {
    if (&c != &columns.front()) *p++ = ';';
    if (c.quoted) *p++ = '"';
    p = text(*c.field, p);
    if (c.quoted) *p++ = '"';
  }
  *p++ = '\r';
  *p++ = '\n';
}

class BatchedLines {
 public:
  // `lineBound`: the most bytes a line can take. The fields must all have a
  // bound and be InRecordCopy; `format` is their table's, `areaSize` its
  // TTable::ValueAreaSize. With `recode` the lines are recoded to code page 852.
  BatchedLines(std::vector<LineColumn> columns, size_t lineBound, const engine::RecordFormat& format,
               size_t areaSize, TOutputFile& out, bool recode);
  // Stops the line thread; lines not yet written are dropped.
  ~BatchedLines();
  BatchedLines(const BatchedLines&) = delete;
  BatchedLines& operator=(const BatchedLines&) = delete;

  // Takes a copy of the record's bytes (the format's RecordSize). May write
  // finished batches, and raise the failure of an earlier record once all
  // lines before it are written, its own line as far as it went.
  void Add(const uint8_t* record);
  // Makes and writes every line added, raising the first failure as Add
  // does. Nothing is written after a failure, also by later calls.
  void Finish();

 private:
  struct Batch {
    std::vector<uint8_t> records;
    size_t count = 0;
    std::vector<char> text;
    size_t textSize = 0;
    std::exception_ptr failure;
    bool done = false;
  };

  // Hands the full batch on: to the line thread unless it has enough
  // waiting already, else makes its text here.
  void Submit(bool last);
  void MakeText(Batch& batch, std::vector<uint8_t>& area) const;
  // Writes the finished batches at the front, waiting for all of them or
  // only while too many are on their way.
  void WriteDone(bool waitForAll);
  Batch* FreeBatch();
  void Run();

  const std::vector<LineColumn> columns_;
  const size_t lineBound_;
  const engine::RecordFormat& format_;
  const size_t recordSize_;
  const size_t perBatch_;
  const size_t areaSize_;
  const bool recode_;
  TOutputFile& out_;
  std::vector<uint8_t> area_;  // the caller's scratch; the line thread has its own

  // The caller's side only.
  std::vector<std::unique_ptr<Batch>> batches_;  // every batch made, reused
  std::vector<Batch*> free_;
  Batch* filling_ = nullptr;
  bool broken_ = false;  // a failure went out: nothing more is written

  // Shared with the line thread, under mutex_ (as is every batch's `done`).
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Batch*> inFlight_;  // handed on and not yet written, in table order
  std::deque<Batch*> waiting_;   // for the line thread, not yet taken
  bool stopping_ = false;
  std::thread thread_;  // started by the first batch handed to it
};

}  // namespace merivan
