#include "bench/paradox/million_table.h"

#include <vector>

#include "merivan/platform/locale/codepage.h"
#include "tests/fixtures/paradox_writer.h"

namespace merivan::bench {

using namespace fixtures;

void WriteMillionTable(const std::string& path, int records, const std::string& password) {
  // Czech first names and surnames in code page 852 (accented letters included).
  std::vector<std::string> first, last;
  for (const char* n : {"Jiří", "Božena", "Přemysl", "Kateřina", "Zdeněk", "Lenka", "Tomáš", "Šárka"})
    first.push_back(platform::Utf8ToCodePage(n, 852));
  for (const char* n : {"Dvořák", "Němcová", "Šťastný", "Čermáková", "Růžička", "Procházka", "Král", "Svobodová"})
    last.push_back(platform::Utf8ToCodePage(n, 852));
  PxLayout layout;
  layout.version = 0x0C;
  layout.blockSizeKb = 4;  // 26,000 blocks: block numbers are 16-bit
  layout.codePage = 852;
  layout.tableName = path.substr(path.find_last_of('/') + 1);
  layout.password = password;
  layout.fields = {{"Jmeno", PxType::Alpha, 40},  {"Prijmeni", PxType::Alpha, 40}, {"Cislo", PxType::Long},
                   {"Castka", PxType::Number},    {"Narozen", PxType::Date},       {"Aktivni", PxType::Logical},
                   {"Zmeneno", PxType::Timestamp}};
  ParadoxWriter w(path, layout);
  std::vector<PxValue> row(layout.fields.size());
  const int64_t firstDay = PxDayNumber(1940, 1, 1);
  for (int i = 0; i < records; ++i) {
    row[0] = PxText(first[i % 8] + " " + std::to_string(i % 1000));
    row[1] = PxText(last[(i / 8) % 8]);
    row[2] = PxInt(i + 1);
    row[3] = PxReal((i % 100000) * 1.25 - 5000.0);
    row[4] = PxInt(firstDay + i % 25000);
    row[5] = PxInt(i % 3 != 0);
    row[6] = PxReal(static_cast<double>(firstDay + 20000 + i % 5000) * 86400000.0 + (i % 86400) * 1000.0);
    w.Add(row);
  }
  w.Finish();
}

}  // namespace merivan::bench
