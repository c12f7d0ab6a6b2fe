#!/usr/bin/env bash
# Installs what building and running merivan need (scripts/packages-run.txt)
# when it is missing, builds merivan (Release) and exports the bundled Czech
# address table samples/adresati.db with the active-only filter on, then
# shows where the output went and its first lines.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build/release}"
out="$build/adresati.txt"

"$root/scripts/install-deps.sh" packages-run.txt
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DMERIVAN_TESTS=OFF -DMERIVAN_CORVANE=OFF >/dev/null
# The sample is Czech: run in a Czech locale (compiled into the build folder,
# so the machine's own locales stay untouched) to get Windows-1250 output and
# the Czech decimal comma and date order.
cmake --build "$build" -j"$(nproc)" --target merivan merivan_locales
status=0
LOCPATH="$build/locales" LC_ALL=cs_CZ.UTF-8 "$build/merivan/merivan" "$root/samples" adresati.db "$out" || status=$?
echo "merivan exit status: $status"
echo "output file: $out"
if [[ -f "$out" ]]; then
  echo "first lines (Windows-1250 shown as UTF-8):"
  head -c 2000 "$out" | iconv -f CP1250 -t UTF-8 | head -n 8
fi
exit "$status"
