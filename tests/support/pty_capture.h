#pragma once
// A pseudo-terminal for a test to hand to a program as one of its files
// (by SlavePath) and read back byte for byte what the program wrote to it.
// The slave is in raw mode, so line ends reach the test as written.
#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace merivan::testing {

class PtyCapture {
 public:
  // Opens the pair and starts reading; Ok() says whether that worked.
  explicit PtyCapture(unsigned short columns = 80);
  PtyCapture(const PtyCapture&) = delete;
  PtyCapture& operator=(const PtyCapture&) = delete;
  ~PtyCapture();

  bool Ok() const { return slave_ >= 0; }
  const std::string& SlavePath() const { return slavePath_; }
  // Everything written so far, once nothing more has come for a short while
  // (call it after the program has ended).
  std::string Output();

 private:
  void Read();

  int master_ = -1;
  int slave_ = -1;  // held open, so that the master never reads a hang-up
  std::string slavePath_;
  std::mutex mutex_;
  std::string output_;
  std::atomic<bool> stop_{false};
  std::thread reader_;
};

}  // namespace merivan::testing
