#!/usr/bin/env bash
# Times the headless export of an address table of 1,000,000 rows (ROWS) in
# SQLite through a database alias (the real SQLite ODBC driver, private ini
# files) beside `sqlite3 -csv` of the same table, in the same run, with peak
# memory; then the same at a tenth of the size, to show the peak does not
# grow with the table.
# usage: bench/odbc/odbc_bench.sh   (Release build in build/bench, BENCH_BUILD_DIR)
# Goal: at most 2 times sqlite3's own export, peak memory under 30 MB.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build/bench}"
rows="${ROWS:-1000000}"
driver="/usr/lib/$(gcc -dumpmachine)/odbc/libsqlite3odbc.so"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DMERIVAN_BENCH=ON -DMERIVAN_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target merivan >/dev/null
"$root/scripts/make-locales.sh" "$build/locales"

data="$build/bench-data/odbc"
mkdir -p "$data"
printf '[SQLite3]\nDriver=%s\n' "$driver" >"$data/odbcinst.ini"
: >"$data/user-odbc.ini"
export ODBCSYSINI="$data" ODBCINI="$data/user-odbc.ini"

# The layout of the Paradox and dBASE benchmark tables, Czech names included.
make_table() {  # file, rows
  [[ -f "$1" ]] && return
  sqlite3 "$1" <<SQL
CREATE TABLE adresati (Jmeno varchar(40), Prijmeni varchar(40), Cislo integer, Castka double,
  Narozen date, Aktivni boolean, Zmeneno timestamp);
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < $2 - 1)
INSERT INTO adresati SELECT
  json_extract('["Jiří","Božena","Přemysl","Kateřina","Zdeněk","Lenka","Tomáš","Šárka"]', '\$[' || (i % 8) || ']')
    || ' ' || (i % 1000),
  json_extract('["Dvořák","Němcová","Šťastný","Čermáková","Růžička","Procházka","Král","Svobodová"]',
    '\$[' || (i / 8 % 8) || ']'),
  i, i * 0.25, date('1950-01-01', '+' || (i % 20000) || ' days'), i % 3 <> 0,
  datetime('2002-03-05 14:05:09', '+' || i || ' seconds')
FROM n;
SQL
}

# Wall time, CPU time (user + system) and peak memory. The ratio is taken
# of the CPU times, which other work on a shared machine disturbs least.
measure() {  # label, command...
  local label="$1"; shift
  /usr/bin/time -f "%e %U %S %M" -o "$data/time.txt" "$@"
  read -r seconds user system kb <"$data/time.txt"
  awk -v l="$label" -v s="$seconds" -v u="$user" -v y="$system" -v k="$kb" \
    'BEGIN { printf "%-34s %6.2f s wall %6.2f s CPU  peak %6.1f MB\n", l, s, u + y, k / 1024 }'
  awk -v u="$user" -v y="$system" 'BEGIN { print u + y }' >"$data/last.txt"
}

run() {  # rows
  local db="$data/adresy-$1.sqlite"
  make_table "$db" "$1"
  # StepAPI: the driver steps through the result instead of holding it whole.
  printf '[adresy%s]\nDriver=SQLite3\nDatabase=%s\nStepAPI=1\n' "$1" "$db" >>"$ODBCINI"
  cat "$db" >/dev/null  # from the page cache for both
  echo "$1 rows ($(du -h "$db" | cut -f1)):"
  measure "  sqlite3 -csv" sh -c 'sqlite3 -csv "$1" "SELECT * FROM adresati" >"$2"' sh "$db" "$data/out.csv"
  local own
  own=$(cat "$data/last.txt")
  measure "  merivan adresy$1 adresati" env -u DISPLAY LC_ALL=cs_CZ.UTF-8 LOCPATH="$build/locales" \
    "$build/merivan/merivan" "adresy$1" adresati "$data/out.txt"
  awk -v a="$(cat "$data/last.txt")" -v b="$own" 'BEGIN { printf "  CPU ratio %.2f (goal 2)\n", a / b }'
  echo "  lines: csv $(wc -l <"$data/out.csv"), merivan $(($(wc -l <"$data/out.txt") - 1))"
}

: >"$ODBCINI"
run "$rows"
run $((rows / 10))
