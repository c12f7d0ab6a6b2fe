#!/usr/bin/env bash
# Times the headless export of a 1,000,000-record table beside cat of its
# input and its output, with peak memory, then the reader alone. For Paradox
# the same table protected by a password is exported too, its password typed
# at the terminal prompt (through script(1)), and the ratio of the two times
# printed.
# usage: bench/export_bench.sh paradox|dbase
# Release build in build/bench (BENCH_BUILD_DIR). Goal: export under 1.5 s,
# peak memory under 20 MB and the same whatever the table's size; the
# protected table's export at most 1.25 times the plain one's.
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

if [[ "$format" == paradox ]]; then
  protected="$data/million-protected.db"
  [[ -f "$protected" ]] || "$build/bench/$format/$maker" "$protected" 1000000 123
  cat "$protected" >/dev/null
  export_once() {  # table, output: seconds of one headless export, the password typed at the prompt
    local start end
    start=$(date +%s.%N)
    printf '123\n' | env -u DISPLAY LC_ALL=cs_CZ.UTF-8 LOCPATH="$build/locales" \
      script -qec "'$build/merivan/merivan' '$data' '$(basename "$1")' '$2'" /dev/null >/dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
  }
  # Alternating runs, the best of five each, so that both see the same machine.
  best_plain=999 best_protected=999
  for _ in 1 2 3 4 5; do
    t=$(export_once "$table" "$out"); best_plain=$(awk -v a="$t" -v b="$best_plain" 'BEGIN { print (a < b) ? a : b }')
    t=$(export_once "$protected" "$out.protected"); best_protected=$(awk -v a="$t" -v b="$best_protected" 'BEGIN { print (a < b) ? a : b }')
  done
  cmp -s "$out" "$out.protected" || { echo "the protected table exported other text" >&2; exit 1; }
  awk -v p="$best_plain" -v q="$best_protected" \
    'BEGIN { printf "export plain / protected      %6.2f s / %.2f s: ratio %.2f (goal 1.25)\n", p, q, q / p }'
fi
BENCH_TABLE="$table" "$build/bench/$format/$reader" --benchmark_min_time=1 2>/dev/null | tail -n 1
