// Writes the benchmark's 1,000,000-record dBASE IV table:  make-million-dbase <path.dbf>
#include <cstdio>
#include <exception>

#include "bench/dbase/million_dbase.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <table.dbf>\n", argv[0]);
    return 2;
  }
  try {
    merivan::bench::WriteMillionDbase(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
