#!/usr/bin/env bash
# The 1,000,000-record export with the progress window shown (private Xvfb +
# xfwm4) beside the same export without a display. Goal: the windowed run
# takes at most 1.1 times the headless one. Prints the best of RUNS of each,
# in wall-clock time and in the CPU time (user + system) of merivan itself:
# on a shared machine the wall-clock time also counts the turns of the X
# server, the window manager and everyone else, the CPU time only the
# program's own work, so the goal is judged by the CPU time.
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

# "WALL CPU" seconds of one export, the display as the caller's environment has it.
time_export() {
  local out="$1"
  # A run that fails shows its error box and waits: never for ever here.
  if ! LC_ALL=cs_CZ.UTF-8 /usr/bin/time -f "%e %U %S" -o "$bench_work/time.txt" \
      timeout 900 "$bench_merivan" "$bench_work/table" million.db "$out" >/dev/null; then
    echo "merivan failed on the benchmark table" >&2
    return 1
  fi
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' "$bench_work/time.txt"
}

# The smallest wall-clock and the smallest CPU time of RUNS runs.
best_of() {
  local wall="" cpu="" w c
  for _ in $(seq "$bench_runs"); do
    read -r w c < <("$@") || return 1
    if [[ -z "$wall" ]] || awk -v t="$w" -v b="$wall" 'BEGIN { exit !(t < b) }'; then wall="$w"; fi
    if [[ -z "$cpu" ]] || awk -v t="$c" -v b="$cpu" 'BEGIN { exit !(t < b) }'; then cpu="$c"; fi
  done
  echo "$wall $cpu"
}

export -f time_export best_of
bench_merivan="$merivan" bench_work="$work" bench_runs="$runs"
export bench_merivan bench_work bench_runs

[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
read -r headless headless_cpu < <(env -u DISPLAY bash -c "best_of time_export '$work/headless.txt'")
read -r windowed windowed_cpu < <("$root/tests/x11/with_x_server.sh" bash -c "best_of time_export '$work/windowed.txt'" 2>/dev/null)
cmp -s "$work/headless.txt" "$work/windowed.txt" || { echo "the two exports differ" >&2; exit 1; }
records=$(($(wc -l < "$work/headless.txt") - 1))
ratio=$(awk -v w="$windowed" -v h="$headless" 'BEGIN { printf "%.3f", w / h }')
cpu_ratio=$(awk -v w="$windowed_cpu" -v h="$headless_cpu" 'BEGIN { printf "%.3f", w / h }')
printf 'records exported: %d\n' "$records"
printf '          wall      cpu\n'
printf 'headless: %.3f s   %.3f s\n' "$headless" "$headless_cpu"
printf 'windowed: %.3f s   %.3f s\n' "$windowed" "$windowed_cpu"
printf 'ratio:    %.3f     %.3f (goal: at most 1.1 in CPU time)\n' "$ratio" "$cpu_ratio"
if awk -v r="$cpu_ratio" 'BEGIN { exit !(r <= 1.1) }'; then echo "goal met"; else echo "goal missed"; fi
