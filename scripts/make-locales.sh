#!/usr/bin/env bash
# Compiles the glibc locales the tests use into a folder of the build (set
# LOCPATH to it), so the machine's own locales are left alone.
set -euo pipefail
out="$1"
mkdir -p "$out"
for loc in cs_CZ en_US de_DE fr_FR sk_SK ja_JP; do
  [[ -d "$out/$loc.UTF-8" ]] && continue
  localedef -i "$loc" -f UTF-8 "$out/$loc.UTF-8" 2>/dev/null || localedef -i "$loc" -f UTF-8 "$out/$loc.UTF-8" || true
done
# A terminal in a legacy character set, for the terminal questions.
[[ -d "$out/cs_CZ.ISO-8859-2" ]] || localedef -i cs_CZ -f ISO-8859-2 "$out/cs_CZ.ISO-8859-2" 2>/dev/null || true
