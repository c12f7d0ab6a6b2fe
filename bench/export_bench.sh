#!/usr/bin/env bash
# Times the headless export of a 1,000,000-record table side by side with
# cat reading the table and writing a file of the output's size, and prints
# the ratio of the two (goal: at most 3), the peak memory (goal: under 20 MB,
# whatever the table's size) and then the reader alone. For Paradox the same
# table protected by a password is exported too, its password typed at the
# terminal question (through script(1)), and the ratio of the two exports'
# CPU times printed (goal: at most 1.25; the best of five alternating runs).
# usage: bench/export_bench.sh paradox|dbase [RUNS]
# Release build in build/bench (BENCH_BUILD_DIR). Each figure is the best of
# RUNS (default 5) runs, the two commands taking turns, so that a loaded
# machine slows both alike; the CPU time (user + system) is shown too,
# which a shared machine disturbs far less than the wall-clock time. The
# peak memory needs /usr/bin/time (Debian package "time").
set -euo pipefail
format="${1:?usage: export_bench.sh paradox|dbase [RUNS]}"
runs="${2:-5}"
case "$format" in
  paradox) maker=make-million-table reader=paradox_read_bench name=million.db ;;
  dbase) maker=make-million-dbase reader=dbase_read_bench name=million.dbf ;;
  *) echo "unknown format: $format (paradox or dbase)" >&2; exit 2 ;;
esac
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build/bench}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DMERIVAN_BENCH=ON -DMERIVAN_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target merivan "$maker" "$reader" >/dev/null
"$root/scripts/make-locales.sh" "$build/locales"

data="$build/bench-data"
mkdir -p "$data"
table="$data/$name"
out="$data/$name.txt"
copy="$data/$name.copy"
[[ -f "$table" ]] || "$build/bench/$format/$maker" "$table"

export_once() {
  env -u DISPLAY LC_ALL=cs_CZ.UTF-8 LOCPATH="$build/locales" "$build/merivan/merivan" "$data" "$name" "$out" 2>/dev/null
}
cat_once() {
  cat "$table" >/dev/null
  cat "$out" >"$copy"
}
# "WALL CPU" seconds of a function above, to the millisecond: bash's own
# time counts the commands' CPU (user + system) too.
seconds() {
  local TIMEFORMAT='%3R %3U %3S'
  { time "$1" >/dev/null 2>&1; } 2>"$data/time.txt"
  awk '{ gsub(",", "."); printf "%.4f %.4f\n", $1, $2 + $3 }' "$data/time.txt"  # a locale's decimal comma too
}
smaller() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a < b) ? a : b }'; }

cat "$table" >/dev/null  # warm the page cache so every run reads from memory
export_once              # and make the output cat copies
export_wall="" export_cpu="" cat_wall="" cat_cpu=""
# Both write a new file each time: replacing a file first frees the old one's
# blocks, which would cost whichever of the two met an older file.
for _ in $(seq "$runs"); do
  rm -f "$out"
  read -r w c < <(seconds export_once)
  export_wall=$(smaller "$w" "$export_wall") export_cpu=$(smaller "$c" "$export_cpu")
  rm -f "$copy"
  read -r w c < <(seconds cat_once)
  cat_wall=$(smaller "$w" "$cat_wall") cat_cpu=$(smaller "$c" "$cat_cpu")
done
rm -f "$copy"

printf '%-34s %8s %8s\n' "" "wall" "cpu"
printf '%-34s %6.3f s %6.3f s\n' "cat input ($(du -h "$table" | cut -f1)) + output ($(du -h "$out" | cut -f1))" \
  "$cat_wall" "$cat_cpu"
printf '%-34s %6.3f s %6.3f s\n' "export (headless)" "$export_wall" "$export_cpu"
ratio() { awk -v e="$1" -v c="$2" 'BEGIN { if (c > 0) printf "%.2f", e / c; else printf "-" }'; }
printf '%-34s %8s %8s (goal: at most 3)\n' "ratio" "$(ratio "$export_wall" "$cat_wall")" \
  "$(ratio "$export_cpu" "$cat_cpu")"
if [[ -x /usr/bin/time ]]; then  # Debian package "time"
  /usr/bin/time -f "%M" -o "$data/time.txt" env -u DISPLAY LC_ALL=cs_CZ.UTF-8 LOCPATH="$build/locales" \
    "$build/merivan/merivan" "$data" "$name" "$out"
  awk '{ printf "%-34s %6.1f MB\n", "export peak memory", $1 / 1024 }' "$data/time.txt"
fi
echo "records written: $(($(wc -l <"$out") - 1))"

if [[ "$format" == paradox ]]; then
  protected="$data/million-protected.db"
  [[ -f "$protected" ]] || "$build/bench/$format/$maker" "$protected" 1000000 123
  cat "$protected" >/dev/null
  # CPU seconds (user + system) of one headless export on a terminal of its
  # own, to the millisecond. The password is typed once the question can be
  # up (typed-ahead text is flushed); the plain export sits idle as long
  # before it starts, so that both begin their work alike after a pause.
  cat >"$data/timed_export.sh" <<'EOT'
pause=$1 cpu=$2
shift 2
sleep "$pause"
TIMEFORMAT='%3U %3S'
{ time "$@" 2>/dev/null; } 2>"$cpu"
EOT
  terminal_export_cpu() {  # table, output, pause before the export
    { sleep 2; printf '123\n'; } | env -u DISPLAY LC_ALL=cs_CZ.UTF-8 LOCPATH="$build/locales" \
      script -qec "bash '$data/timed_export.sh' $3 '$data/cpu.txt' '$build/merivan/merivan' '$data' '$(basename "$1")' '$2'" \
      /dev/null >/dev/null
    awk '{ gsub(",", "."); printf "%.3f", $1 + $2 }' "$data/cpu.txt"  # Czech time gives a decimal comma
  }
  # Alternating runs, the best of five each, so that both see the same machine.
  best_plain=999 best_protected=999
  for _ in 1 2 3 4 5; do
    t=$(terminal_export_cpu "$table" "$out" 2); best_plain=$(awk -v a="$t" -v b="$best_plain" 'BEGIN { print (a < b) ? a : b }')
    t=$(terminal_export_cpu "$protected" "$out.protected" 0)
    best_protected=$(awk -v a="$t" -v b="$best_protected" 'BEGIN { print (a < b) ? a : b }')
  done
  cmp -s "$out" "$out.protected" || { echo "the protected table exported other text" >&2; exit 1; }
  awk -v p="$best_plain" -v q="$best_protected" \
    'BEGIN { printf "export CPU plain / protected  %6.3f s / %.3f s: ratio %.2f (goal 1.25)\n", p, q, q / p }'
fi
# The reader alone (for Paradox: the plain table, then the protected copy beside it).
lines=1
[[ "$format" == paradox ]] && lines=2
BENCH_TABLE="$table" "$build/bench/$format/$reader" --benchmark_min_time=1 2>/dev/null | tail -n "$lines"
