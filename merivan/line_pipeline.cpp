#include "merivan/line_pipeline.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <utility>

namespace merivan {

namespace {

// Held values of about this many bytes go to the writer at a time: a few
// hand-overs per megabyte of output, and little memory whatever the table.
constexpr size_t kBatchBytes = 256 * 1024;

}  // namespace

LinePipeline::LinePipeline(std::vector<Column> columns, TextSink& sink, size_t lineBound)
    : columns_(std::move(columns)), sink_(sink), lineBound_(lineBound) {
  for (const Column& c : columns_) {
    offsets_.push_back(lineValues_);
    lineValues_ += c.field->HeldSize();
  }
  linesPerBatch_ = std::max<size_t>(1, kBatchBytes / std::max<size_t>(1, lineValues_));
  filling_.values.resize(linesPerBatch_ * lineValues_);
}

LinePipeline::~LinePipeline() {
  if (!writer_.joinable()) return;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    stopping_ = true;
  }
  changed_.notify_all();
  writer_.join();
}

void LinePipeline::Hold() {
  if (filling_.lines == linesPerBatch_) HandOver();
  uint8_t* values = filling_.values.data() + filling_.lines * lineValues_;
  size_t held = 0;
  try {
    for (; held < columns_.size(); ++held) columns_[held].field->Hold(values + offsets_[held]);
  } catch (...) {
    filling_.columnsOfLast = held;
    ++filling_.lines;
    const std::exception_ptr readFailure = std::current_exception();
    Finish();
    std::rethrow_exception(readFailure);
  }
  filling_.columnsOfLast = held;
  ++filling_.lines;
}

void LinePipeline::Finish() {
  if (!writer_.joinable()) {
    // Never a full batch: the lines are written here, no thread needed.
    if (failure_) std::rethrow_exception(failure_);
    const size_t lines = std::exchange(filling_.lines, 0);
    try {
      Write(filling_.values.data(), lines, filling_.columnsOfLast);
    } catch (...) {
      failure_ = std::current_exception();
      throw;
    }
    return;
  }
  if (filling_.lines > 0) HandOver();
  std::unique_lock<std::mutex> lock(mutex_);
  WaitForWriter(lock);
}

void LinePipeline::HandOver() {
  if (!writer_.joinable()) {
    writing_.values.resize(filling_.values.size());
    // Signal handlers (a terminal's hang-up, Ctrl-C at a prompt) belong to
    // the main thread: the writer blocks every signal.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    writer_ = std::thread([this] { Run(); });
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  }
  {
    std::unique_lock<std::mutex> lock(mutex_);
    WaitForWriter(lock);
    std::swap(filling_, writing_);
    filling_.lines = 0;
    busy_ = true;
  }
  changed_.notify_all();
}

void LinePipeline::WaitForWriter(std::unique_lock<std::mutex>& lock) {
  changed_.wait(lock, [this] { return !busy_; });
  if (failure_) std::rethrow_exception(failure_);
}

void LinePipeline::Write(const uint8_t* values, size_t lines, size_t columnsOfLast) {
  for (size_t line = 0; line < lines; ++line, values += lineValues_) {
    const size_t count = line + 1 == lines ? columnsOfLast : columns_.size();
    char* p = sink_.Reserve(lineBound_);
    try {
      for (size_t k = 0; k < count; ++k) {
        const Column& c = columns_[k];
        if (k > 0) *p++ = ';';
        if (c.quoted) *p++ = '"';
        p = c.field->HeldText(values + offsets_[k], p);
        if (c.quoted) *p++ = '"';
      }
    } catch (...) {
      sink_.Commit(p);  // what came before the failing value stays
      throw;
    }
    if (count < columns_.size()) {
      // The value after these could not be read: the line ends where its
      // text would have begun.
      if (count > 0) *p++ = ';';
      if (columns_[count].quoted) *p++ = '"';
      sink_.Commit(p);
      return;
    }
    *p++ = '\r';
    *p++ = '\n';
    sink_.Commit(p);
  }
}

void LinePipeline::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (stopping_) return;
    std::exception_ptr failure;
    if (!failure_) {
      lock.unlock();
      try {
        Write(writing_.values.data(), writing_.lines, writing_.columnsOfLast);
      } catch (...) {
        failure = std::current_exception();
      }
      lock.lock();
    }
    if (failure) failure_ = failure;
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace merivan
