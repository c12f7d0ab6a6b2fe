#pragma once
// A thread of our own that never takes a signal: the program's handlers (a
// prompt's Ctrl-C, a terminal's hang-up) must run on the main thread.
#include <pthread.h>
#include <signal.h>

#include <thread>
#include <utility>

namespace merivan::platform {

template <typename Run>
std::thread SignalFreeThread(Run&& run) {
  sigset_t all, previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  std::thread thread(std::forward<Run>(run));
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return thread;
}

}  // namespace merivan::platform
