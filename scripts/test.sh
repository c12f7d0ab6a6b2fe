#!/usr/bin/env bash
# The test command: installs what is missing, builds the test build (ASan +
# UBSan) and runs every test, then the fuzzers for a short while. The tests
# and fuzz seeds of the table corpus in ../shared run only when it is there.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build/test}"
"$root/scripts/install-deps.sh"
if [[ ! -d "$root/../shared/tables" ]]; then
  echo "test.sh: no ../shared/tables beside the tree: the corpus tests are skipped"
fi
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DMERIVAN_SANITIZE=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
# Tests that need X start their own server; the rest must never see one.
env -u DISPLAY ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
"$root/scripts/fuzz.sh"
