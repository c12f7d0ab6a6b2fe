#!/usr/bin/env bash
# Times the headless export of a 1,000,000-record table beside cat of its
# input and its output, with peak memory, then the reader alone.
# usage: bench/export_bench.sh paradox|dbase
# Release build in build/bench (BENCH_BUILD_DIR). Goal: export under 1.5 s,
# peak memory under 20 MB and the same whatever the table's size.
set -euo pipefail
format="${1:?usage: export_bench.sh paradox|dbase}"
case "$format" in
  paradox) maker=make-million-table reader=paradox_read_bench name=million.db ;;
  dbase) maker=make-million-dbase reader=dbase_read_bench name=million.dbf ;;
  *) echo "unknown format: $format (paradox or dbase)" >&2; exit 2 ;;
esac
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build/bench}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DMERIVAN_BENCH=ON -DMERIVAN_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target merivan "$maker" "$reader" >/dev/null
"$root/scripts/make-locales.sh" "$build/locales"

data="$build/bench-data"
mkdir -p "$data"
table="$data/$name"
out="$data/$name.txt"
[[ -f "$table" ]] || "$build/bench/$format/$maker" "$table"

measure() {  # label, command...
  local label="$1"; shift
  if [[ ! -x /usr/bin/time ]]; then  # Debian package "time" gives the peak memory too
    local start end
    start=$(date +%s.%N); "$@"; end=$(date +%s.%N)
    awk -v l="$label" -v a="$start" -v b="$end" 'BEGIN { printf "%-28s %6.2f s\n", l, b - a }'
    return
  fi
  /usr/bin/time -f "%e %M" -o "$data/time.txt" "$@"
  read -r seconds kb <"$data/time.txt"
  awk -v l="$label" -v s="$seconds" -v k="$kb" 'BEGIN { printf "%-28s %6.2f s  peak %6.1f MB\n", l, s, k / 1024 }'
}

cat "$table" >/dev/null  # warm the page cache so every run reads from memory
measure "cat input ($(du -h "$table" | cut -f1))" sh -c 'cat "$1" >/dev/null' cat "$table"
measure "export (headless)" env -u DISPLAY LC_ALL=cs_CZ.UTF-8 LOCPATH="$build/locales" \
  "$build/merivan/merivan" "$data" "$name" "$out"
measure "cat output ($(du -h "$out" | cut -f1))" sh -c 'cat "$1" >/dev/null' cat "$out"
echo "records written: $(($(wc -l <"$out") - 1))"
BENCH_TABLE="$table" "$build/bench/$format/$reader" --benchmark_min_time=1 2>/dev/null | tail -n 1
