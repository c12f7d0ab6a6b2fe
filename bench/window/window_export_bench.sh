#!/usr/bin/env bash
# The 1,000,000-record export with the progress window shown (private Xvfb +
# xfwm4) beside the same export without a display. Goal: the windowed run
# takes at most 1.3 times the headless one. Prints the best of RUNS of each.
# Both run in cs_CZ.UTF-8 from the build's locales (LOCPATH, made by
# scripts/make-locales.sh), as a Czech user's export does.
# usage: LOCPATH=BUILD/locales window_export_bench.sh MERIVAN MAKE_MILLION_TABLE WORK_DIR [RUNS]
set -euo pipefail
merivan="$1"
maker="$2"
work="$3"
runs="${4:-3}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
if [[ ! -d "${LOCPATH:-}/cs_CZ.UTF-8" ]]; then
  echo "no cs_CZ.UTF-8 in LOCPATH='${LOCPATH:-}': run scripts/make-locales.sh BUILD/locales" >&2
  exit 1
fi
export LOCPATH

mkdir -p "$work/table"
table="$work/table/million.db"
[[ -s "$table" ]] || "$maker" "$table"

# Seconds taken by one export, the display as the caller's environment has it.
time_export() {
  local out="$1" start end
  start=$(date +%s.%N)
  # A run that fails shows its error box and waits: never for ever here.
  if ! LC_ALL=cs_CZ.UTF-8 timeout 900 "$bench_merivan" "$bench_work/table" million.db "$out" >/dev/null; then
    echo "merivan failed on the benchmark table" >&2
    return 1
  fi
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", b - a }'
}

best_of() {
  local best="" t
  for _ in $(seq "$bench_runs"); do
    t=$("$@") || return 1
    if [[ -z "$best" ]] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best="$t"; fi
  done
  echo "$best"
}

export -f time_export best_of
bench_merivan="$merivan" bench_work="$work" bench_runs="$runs"
export bench_merivan bench_work bench_runs

headless=$(env -u DISPLAY bash -c "best_of time_export '$work/headless.txt'")
windowed=$("$root/tests/x11/with_x_server.sh" bash -c "best_of time_export '$work/windowed.txt'" 2>/dev/null)
cmp -s "$work/headless.txt" "$work/windowed.txt" || { echo "the two exports differ" >&2; exit 1; }
records=$(($(wc -l < "$work/headless.txt") - 1))
ratio=$(awk -v w="$windowed" -v h="$headless" 'BEGIN { printf "%.3f", w / h }')
printf 'records exported: %d\n' "$records"
printf 'headless: %.3f s\nwindowed: %.3f s\nratio:    %.3f (goal: at most 1.3)\n' "$headless" "$windowed" "$ratio"
if awk -v r="$ratio" 'BEGIN { exit !(r <= 1.3) }'; then echo "goal met"; else echo "goal missed"; fi
