#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb managed by xfwm4 (a
# window manager that honours the size, type and Motif hints), then stops
# both. The display number is the first free one, chosen by Xvfb itself.
set -euo pipefail

if [[ -z "${MERIVAN_X_SESSION:-}" ]]; then
  export MERIVAN_X_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi

session_dir="$(mktemp -d)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# Font-library leak reports that are not ours (see lsan.supp).
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export NO_AT_BRIDGE=1
export XDG_CONFIG_HOME="$session_dir/config" XDG_CACHE_HOME="$session_dir/cache"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$session_dir"
}
trap cleanup EXIT

exec 3> "$session_dir/display"
Xvfb -displayfd 3 -screen 0 "${MERIVAN_X_SCREEN:-1024x768x24}" -nolisten tcp -noreset >"$session_dir/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do
  [[ -s "$session_dir/display" ]] && break
  sleep 0.1
done
number="$(tr -dc 0-9 < "$session_dir/display")"
if [[ -z "$number" ]]; then
  echo "Xvfb did not start:" >&2
  cat "$session_dir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$number"

xfwm4 --compositor=off --sm-client-disable >"$session_dir/xfwm4.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  echo "xfwm4 did not start:" >&2
  cat "$session_dir/xfwm4.log" >&2
  exit 1
fi

status=0
"$@" || status=$?
exit "$status"
