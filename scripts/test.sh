#!/usr/bin/env bash
# The test command: installs what is missing, builds the test build (ASan +
# UBSan) and runs every test, then the fuzzers for a short while.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build/test}"
"$root/scripts/install-deps.sh"
"$root/scripts/make-locales.sh" "$build/locales"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DMERIVAN_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
# Tests that need X start their own server; the rest must never see one.
env -u DISPLAY ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
if [[ -x "$root/scripts/fuzz.sh" ]]; then
  "$root/scripts/fuzz.sh"
fi
