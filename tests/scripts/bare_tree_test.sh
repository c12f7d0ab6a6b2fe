#!/usr/bin/env bash
# The README's commands on a copy of the tree as a user's clone has it, with
# no ../shared beside it: scripts/run-sample.sh exports the sample exactly as
# this build's merivan does, and scripts/fuzz.sh builds and runs every fuzzer
# from the bundled samples alone (FUZZ_SECONDS=1). Both end with status 0 and
# say in one line what they leave out.
#   bare_tree_test.sh SOURCE_DIR WORK_DIR MERIVAN LOCALES_DIR
set -euo pipefail
src="$1" work="$2" merivan="$3" locales="$4"
fail() {
  echo "FAILED: $*"
  exit 1
}
if ! git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "skipped: $src is not a git work tree"
  exit 77
fi

rm -rf "$work"
tree="$work/merivan"
mkdir -p "$tree"
# The files of a clone: the tracked ones as they are now, and new ones that
# are not ignored (so uncommitted edits are tested too).
(cd "$src" && git ls-files -z --cached --others --exclude-standard |
  tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | tar -C "$tree" -xf -
[[ ! -e "$work/shared" ]] || fail "$work/shared exists"

# The copy builds the same sources as this tree: share the compiler cache when
# there is one (the same relative paths, so the hits carry over).
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$src")}" CCACHE_NOHASHDIR=1
fi

run() {
  local name="$1" status=0
  shift
  echo "== $name"
  (cd "$tree" && "$@") >"$work/$name.log" 2>&1 || status=$?
  cat "$work/$name.log"
  ((status == 0)) || fail "$name ended with status $status"
}

run run-sample env -u DISPLAY scripts/run-sample.sh
grep -qx "merivan exit status: 0" "$work/run-sample.log" || fail "run-sample.sh did not report status 0"
LOCPATH="$locales" LC_ALL=cs_CZ.UTF-8 "$merivan" "$src/samples" adresati.db "$work/expected.txt"
cmp "$work/expected.txt" "$tree/build/release/adresati.txt" || fail "the sample's output differs from this build's"

run fuzz-dry-run scripts/fuzz.sh --dry-run
note="fuzz.sh: no ../shared/tables beside the tree: seeds from the project's own tables only"
[[ $(grep -cxF "$note" "$work/fuzz-dry-run.log") == 1 ]] || fail "fuzz.sh --dry-run did not give the note once"
grep -qx "dbase_fuzz: $tree/build/fuzz/seeds/dbase " "$work/fuzz-dry-run.log" || fail "dbase_fuzz seeds elsewhere"
grep -qx "paradox_fuzz: $tree/build/fuzz/seeds/paradox" "$work/fuzz-dry-run.log" || fail "paradox_fuzz seeds elsewhere"
[[ -s "$tree/build/fuzz/seeds/paradox/adresati.db" ]] || fail "the sample is not a paradox_fuzz seed"
[[ $(find "$tree/build/fuzz/seeds/paradox" -type f | wc -l) == 1 ]] || fail "paradox_fuzz seeds beyond the sample"

run fuzz env FUZZ_SECONDS=1 scripts/fuzz.sh
[[ $(grep -cxF "$note" "$work/fuzz.log") == 1 ]] || fail "fuzz.sh did not give the note once"
for target in paradox_fuzz dbase_fuzz; do
  grep -qx "fuzzing $target for 1s" "$work/fuzz.log" || fail "$target did not run"
done
[[ $(grep -c '^stat::number_of_executed_units:' "$work/fuzz.log") == 2 ]] || fail "a fuzzer did not finish"
echo "both commands pass on the bare tree"
