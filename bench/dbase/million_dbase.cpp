#include "bench/dbase/million_dbase.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "tests/fixtures/dbase_writer.h"

namespace merivan::bench {

void WriteMillionDbase(const std::string& path, int records) {
  fixtures::DbaseTableLayout layout;
  layout.version = 0x04;
  layout.languageDriver = 0x64;  // code page 852
  layout.columns = {{"JMENO", 'C', 40},   {"PRIJMENI", 'C', 40}, {"CISLO", 'N', 9},
                  {"CASTKA", 'N', 12, 2}, {"NAROZEN", 'D', 8},  {"AKTIVNI", 'L', 1}};
  const fixtures::DbaseWriter w(layout);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::string header = w.HeaderBytes(static_cast<uint32_t>(records));
  out.write(header.data(), static_cast<std::streamsize>(header.size()));
  static const char* const kFirst[] = {"Jan", "Petr", "Ji\xD8\xA1", "Marie", "Jana", "Eva"};
  static const char* const kLast[] = {"Nov\xA0k", "Svoboda", "Dvo\xFD\xA0k", "\x9B\x65rn\xEC", "Proch\xA0zka"};
  char number[16], amount[16], date[16];
  for (int i = 0; i < records; ++i) {
    std::snprintf(number, sizeof number, "%9d", i);
    std::snprintf(amount, sizeof amount, "%12.2f", (i % 100000) * 1.25 - 5000);
    std::snprintf(date, sizeof date, "%04d%02d%02d", 1930 + i % 70, 1 + i % 12, 1 + i % 28);
    const std::string record = w.RecordBytes({kFirst[i % 6], kLast[i % 5], number, amount, date, i % 3 ? "T" : "F"});
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
  }
  out.put('\x1A');
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace merivan::bench
