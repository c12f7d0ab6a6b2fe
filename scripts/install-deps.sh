#!/usr/bin/env bash
# Installs the packages of the given lists in scripts/ that are missing; quiet
# and quick when all are present (apt-get update only when something is
# missing).
#   scripts/install-deps.sh [LIST...]   (default: packages-run.txt packages.txt,
#                                        everything the build and the tests need)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
lists=("$@")
((${#lists[@]})) || lists=(packages-run.txt packages.txt)
wanted=()
for list in "${lists[@]}"; do
  mapfile -t -O "${#wanted[@]}" wanted < <(grep -v '^\s*#' "$here/$list" | awk 'NF {print $1}')
done
missing=()
for p in "${wanted[@]}"; do
  if [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]]; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
