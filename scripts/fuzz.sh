#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan + libFuzzer) in their
# own build folder and runs each one for a short while (FUZZ_SECONDS, 60 by
# default). A crash, leak or sanitizer report fails the script; the input
# that caused it is left in the run folder.
#   scripts/fuzz.sh [target...]     (default: every target listed below)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build/fuzz}"
seconds="${FUZZ_SECONDS:-60}"
shared="$root/../shared"

# Seeds for the Paradox reader: each table, followed by its .mb file when it
# has one (the target splits the input at "\n--mb--\n").
seeds_paradox() {
  local out="$build/seeds/paradox" db mb
  mkdir -p "$out"
  for db in "$shared"/tables/paradox/*.[dD][bB] "$root"/samples/*.db; do
    [[ -f "$db" ]] || continue
    mb="${db%.*}.mb"; [[ -f "$mb" ]] || mb="${db%.*}.MB"
    if [[ -f "$mb" && $(stat -c %s "$mb") -le 65536 ]]; then
      { cat "$db"; printf '\n--mb--\n'; cat "$mb"; } >"$out/$(basename "$db")"
    else
      cp "$db" "$out/$(basename "$db")"
    fi
  done
  echo "$out"
}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERIVAN_FUZZ=ON -DMERIVAN_SANITIZE=ON \
  -DMERIVAN_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null

# Seeds for the dBASE reader: the shared tables, and tables with memo files
# (damaged memo pointers among them) written by make-dbase-seeds.
seeds_dbase() {
  local out="$build/seeds/dbase"
  mkdir -p "$out"
  cmake --build "$build" --target make-dbase-seeds >/dev/null
  "$(find "$build" -type f -name make-dbase-seeds -perm -u+x | head -n1)" "$out"
  echo "$out"
  [[ -d $shared/tables/dbase ]] && echo "$shared/tables/dbase"
  return 0
}

# One line per target: the target name, then its seed folders.
declare -A seeds
seeds[paradox_fuzz]="$(seeds_paradox)"
seeds[dbase_fuzz]="$(seeds_dbase | tr '\n' ' ')"

targets=("$@")
((${#targets[@]})) || targets=("${!seeds[@]}")

cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

for target in "${targets[@]}"; do
  exe="$(find "$build" -type f -name "$target" -perm -u+x | head -n1)"
  run="$build/runs/$target"
  mkdir -p "$run/corpus"
  echo "fuzzing $target for ${seconds}s"
  # shellcheck disable=SC2086  # the seed folders are a list
  (cd "$run" && "$exe" -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=1024 -timeout=10 \
    -print_final_stats=1 corpus ${seeds[$target]}) 2>&1 | tail -n 12
done
