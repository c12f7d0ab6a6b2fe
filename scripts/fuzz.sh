#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan + libFuzzer) in their
# own build folder and runs each one for a short while (FUZZ_SECONDS, 60 by
# default), side by side. A crash, leak or sanitizer report fails the script;
# the input that caused it is left in the run folder. The seeds are the
# bundled samples and, when ../shared is beside the tree, its tables.
#   scripts/fuzz.sh [--dry-run] [target...]   (default: every target listed below)
# --dry-run prints each target with its seed folders and builds nothing.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build/fuzz}"
seconds="${FUZZ_SECONDS:-60}"
shared="$root/../shared"
dry_run=false
if [[ ${1:-} == --dry-run ]]; then
  dry_run=true
  shift
fi

# Seeds for the Paradox reader: each table, followed by its .mb file when it
# has one (the target splits the input at "\n--mb--\n"). The protected ones
# (the corpus's and samples/chranena.db) have the password the target gives.
seeds_paradox() {
  local out="$build/seeds/paradox" db mb
  rm -rf "$out"
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
  # A plain table with one byte of its password word changed: damage to report, not a password to ask.
  if [[ -f "$out/adresati.db" ]]; then
    cp "$out/adresati.db" "$out/damaged-password-word.db"
    printf '\x01' | dd of="$out/damaged-password-word.db" bs=1 seek=$((0x5E)) conv=notrunc status=none
  fi
  echo "$out"
}

# Seeds for the dBASE reader: tables with memo files (damaged memo pointers
# among them) written by make-dbase-seeds, and the shared tables when present.
seeds_dbase() {
  local out="$build/seeds/dbase"
  if ! $dry_run; then
    mkdir -p "$out"
    cmake --build "$build" --target make-dbase-seeds >/dev/null
    "$(find "$build" -type f -name make-dbase-seeds -perm -u+x -print -quit)" "$out"
  fi
  echo "$out"
  if [[ -d $shared/tables/dbase ]]; then
    echo "$shared/tables/dbase"
  fi
}

if ! $dry_run; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERIVAN_FUZZ=ON -DMERIVAN_SANITIZE=ON \
    -DMERIVAN_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
[[ -d $shared/tables ]] || echo "fuzz.sh: no ../shared/tables beside the tree: seeds from the project's own tables only"

# Each target's seed folders, separated by blanks.
declare -A seeds
seeds[paradox_fuzz]="$(seeds_paradox)"
seeds[dbase_fuzz]="$(seeds_dbase | tr '
' ' ')"

targets=("$@")
((${#targets[@]})) || targets=("${!seeds[@]}")
for target in "${targets[@]}"; do
  if [[ ! -v "seeds[$target]" ]]; then
    echo "fuzz.sh: unknown target $target (known: ${!seeds[*]})" >&2
    exit 2
  fi
done

if $dry_run; then
  for target in "${targets[@]}"; do
    echo "$target: ${seeds[$target]:-(no seeds)}"
  done
  exit 0
fi

cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# The targets run side by side, one a core, each into its own log; a target
# that fails (crash, leak, sanitizer report) fails the script.
pids=()
for target in "${targets[@]}"; do
  exe="$(find "$build" -type f -name "$target" -perm -u+x -print -quit)"
  run="$build/runs/$target"
  mkdir -p "$run/corpus"
  echo "fuzzing $target for ${seconds}s"
  # shellcheck disable=SC2086  # the seed folders are a list
  (cd "$run" && exec "$exe" -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=1024 -timeout=10 \
    -print_final_stats=1 corpus ${seeds[$target]}) >"$run/fuzz.log" 2>&1 &
  pids+=($!)
done
failed=()
for i in "${!targets[@]}"; do
  status=0
  wait "${pids[$i]}" || status=$?
  echo "== ${targets[$i]}: status $status (log: $build/runs/${targets[$i]}/fuzz.log)"
  tail -n 12 "$build/runs/${targets[$i]}/fuzz.log"
  ((status == 0)) || failed+=("${targets[$i]}")
done
if ((${#failed[@]})); then
  echo "fuzz.sh: failed: ${failed[*]}" >&2
  exit 1
fi
