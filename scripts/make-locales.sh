#!/usr/bin/env bash
# Compiles the glibc locales the tests and the sample run in into a folder of
# the build (set LOCPATH to it), so the machine's own locales are left alone.
# The build runs it as the target merivan_locales.
#   scripts/make-locales.sh FOLDER
set -euo pipefail
out="$1"
mkdir -p "$out"
for loc in cs_CZ en_US de_DE fr_FR sk_SK ja_JP; do
  [[ -d "$out/$loc.UTF-8" ]] && continue
  # localedef ends with status 1 for mere warnings, the locale written all the
  # same: only a locale that is not there afterwards is a failure.
  if ! log="$(localedef -i "$loc" -f UTF-8 "$out/$loc.UTF-8" 2>&1)" && [[ ! -d "$out/$loc.UTF-8" ]]; then
    echo "make-locales.sh: cannot compile $loc.UTF-8 (are the Debian 'locales' sources installed?)" >&2
    echo "$log" >&2
    exit 1
  fi
done
# A terminal in a legacy character set, for the terminal questions.
[[ -d "$out/cs_CZ.ISO-8859-2" ]] || localedef -i cs_CZ -f ISO-8859-2 "$out/cs_CZ.ISO-8859-2" 2>/dev/null || true
