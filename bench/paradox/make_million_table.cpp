// Writes the benchmark table:  make-million-table <path.db> [records [password]]
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "bench/paradox/million_table.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make-million-table <path.db> [records [password]]\n");
    return 2;
  }
  try {
    merivan::bench::WriteMillionTable(argv[1], argc > 2 ? std::atoi(argv[2]) : merivan::bench::kMillion,
                                      argc > 3 ? argv[3] : "");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make-million-table: %s\n", e.what());
    return 1;
  }
  return 0;
}
