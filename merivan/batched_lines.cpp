#include "merivan/batched_lines.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "merivan/recode_cp852.h"
#include "merivan/platform/threads/signal_free_thread.h"

namespace merivan {

namespace {

// A batch holds about this many bytes of records, and of text at most
// the second figure; a few batches are on their way at once.
constexpr size_t kRecordBytes = 256 * 1024;
constexpr size_t kTextBytes = 512 * 1024;
constexpr size_t kMaxInFlight = 5;
// Batches waiting for the line thread beyond which the caller makes its own:
// enough that the thread never runs dry while the caller works on one.
constexpr size_t kMaxWaiting = 2;

size_t RecordsPerBatch(size_t recordSize, size_t lineBound) {
  return std::max<size_t>(1, std::min(kRecordBytes / std::max<size_t>(1, recordSize), kTextBytes / lineBound));
}

}  // namespace

BatchedLines::BatchedLines(std::vector<LineColumn> columns, size_t lineBound, const engine::RecordFormat& format,
                           size_t areaSize, TOutputFile& out, bool recode)
    : columns_(std::move(columns)),
      lineBound_(lineBound),
      format_(format),
      recordSize_(format.RecordSize()),
      perBatch_(RecordsPerBatch(recordSize_, lineBound)),
      areaSize_(areaSize),
      recode_(recode),
      out_(out),
      area_(areaSize) {}

BatchedLines::~BatchedLines() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BatchedLines::Add(const uint8_t* record) {
  if (broken_) return;
  if (!filling_) filling_ = FreeBatch();
  std::memcpy(filling_->records.data() + filling_->count * recordSize_, record, recordSize_);
  if (++filling_->count == perBatch_) Submit(false);
}

void BatchedLines::Finish() {
  if (broken_) return;
  if (filling_ && filling_->count > 0) {
    Submit(true);
  } else if (filling_) {
    free_.push_back(filling_);
    filling_ = nullptr;
  }
  WriteDone(true);
}

BatchedLines::Batch* BatchedLines::FreeBatch() {
  if (free_.empty()) {
    auto batch = std::make_unique<Batch>();
    batch->records.resize(perBatch_ * recordSize_);
    batch->text.resize(perBatch_ * lineBound_);
    free_.push_back(batch.get());
    batches_.push_back(std::move(batch));
  }
  Batch* batch = free_.back();
  free_.pop_back();
  batch->count = 0;
  batch->textSize = 0;
  batch->failure = nullptr;
  batch->done = false;
  return batch;
}

void BatchedLines::Submit(bool last) {
  Batch* batch = filling_;
  filling_ = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    inFlight_.push_back(batch);
    // The last batch is made here: nothing else is left to do meanwhile.
    if (!last && waiting_.size() < kMaxWaiting) {
      waiting_.push_back(batch);
      batch = nullptr;
    }
  }
  if (batch) {
    MakeText(*batch, area_);
    std::lock_guard<std::mutex> lock(mutex_);
    batch->done = true;
  } else {
    if (!thread_.joinable()) thread_ = platform::SignalFreeThread([this] { Run(); });
    changed_.notify_all();
  }
  WriteDone(false);
}

void BatchedLines::MakeText(Batch& batch, std::vector<uint8_t>& area) const {
  char* const begin = batch.text.data();
  char* p = begin;
  const uint8_t* record = batch.records.data();
  try {
    for (size_t i = 0; i < batch.count; ++i, record += recordSize_) {
      WriteBoundedLine(columns_, p, [&](const TField& field, char* at) {
        return field.ValueText(format_, record, area.data(), at);
      });
    }
  } catch (...) {
    batch.failure = std::current_exception();
  }
  // The marks are ASCII, which recoding leaves as it is.
  if (recode_) RecodeToCp852InPlace(begin, p);
  batch.textSize = static_cast<size_t>(p - begin);
}

void BatchedLines::WriteDone(bool waitForAll) {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    while (!inFlight_.empty() && inFlight_.front()->done) {
      Batch* batch = inFlight_.front();
      inFlight_.pop_front();
      lock.unlock();
      try {
        out_.Write(std::string_view(batch->text.data(), batch->textSize));
      } catch (...) {
        broken_ = true;
        throw;
      }
      if (batch->failure) {
        broken_ = true;
        std::rethrow_exception(batch->failure);
      }
      free_.push_back(batch);
      lock.lock();
    }
    if (inFlight_.empty() || (!waitForAll && inFlight_.size() < kMaxInFlight)) return;
    changed_.wait(lock, [this] { return inFlight_.front()->done; });
  }
}

void BatchedLines::Run() {
  std::vector<uint8_t> area(areaSize_);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return !waiting_.empty() || stopping_; });
    if (stopping_) return;
    Batch* batch = waiting_.front();
    waiting_.pop_front();
    lock.unlock();
    MakeText(*batch, area);
    lock.lock();
    batch->done = true;
    changed_.notify_all();
  }
}

}  // namespace merivan
