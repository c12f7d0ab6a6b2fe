#!/usr/bin/env bash
# Runs the corvane JUnit tests in one JVM with -Xcheck:jni, against private
# unixODBC ini files made afresh under the work folder. Fails when JUnit
# fails, or when the JVM reports any JNI misuse ("WARNING" lines on stdout)
# or a sanitizer finds something.
set -euo pipefail
preload=""
asan_runtime=""
defines=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --java) java="$2"; shift 2 ;;
    --launcher) launcher="$2"; shift 2 ;;
    --classes) classes="$2"; shift 2 ;;
    --library-dir) library_dir="$2"; shift 2 ;;
    --setup) setup="$2"; shift 2 ;;
    --sqlite-driver) sqlite_driver="$2"; shift 2 ;;
    --work) work="$2"; shift 2 ;;
    --preload) preload="$2"; shift 2 ;;
    --asan-runtime) asan_runtime="$2"; shift 2 ;;
    --define) defines+=("-D$2"); shift 2 ;;
    --) shift; break ;;
    *) echo "run_junit.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done

rm -rf "$work"
mkdir -p "$work/ini"
: >"$work/ini/odbcinst.ini"
: >"$work/ini/odbc.ini"
: >"$work/ini/user-odbc.ini"
: >"$work/faults"
: >"$work/setup.log"

# unixODBC reads the system files from ODBCSYSINI and the user's from ODBCINI;
# with both set it never touches /etc or the home folder. A caller's own
# odbcinst.ini name or search mode (user or system data sources only) must
# not reach it either.
unset ODBCINSTINI ODBCSEARCH
export ODBCSYSINI="$work/ini"
export ODBCINI="$work/ini/user-odbc.ini"
export CORVANE_SETUP_LOG="$work/setup.log"
export CORVANE_FAULTS="$work/faults"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# AddressSanitizer's runtime must come first in the process; the JVM then
# keeps its own SIGSEGV handling (it relies on it), and leak checking is off
# since the JVM keeps its memory to the end.
preloads="$asan_runtime${asan_runtime:+${preload:+:}}$preload"
java_env=()
if [[ -n "$preloads" ]]; then
  java_env=(env "LD_PRELOAD=$preloads")
fi
if [[ -n "$asan_runtime" ]]; then
  export ASAN_OPTIONS="handle_segv=0:allow_user_segv_handler=1:detect_leaks=0:abort_on_error=1"
fi

set +e
"${java_env[@]}" "$java" -Xcheck:jni \
  -Djava.library.path="$library_dir" \
  -Dcorvane.setup="$setup" \
  -Dcorvane.sqliteDriver="$sqlite_driver" \
  -Dcorvane.work="$work" \
  "${defines[@]}" \
  -jar "$launcher" --disable-banner --disable-ansi-colors --details=tree --fail-if-no-tests \
  --class-path "$classes" "$@" 2>&1 | tee "$work/output.txt"
status=${PIPESTATUS[0]}
set -e

if grep -E 'WARNING.*(JNI|[Nn]ative)|runtime error:|ERROR: AddressSanitizer' "$work/output.txt" >"$work/jni-warnings.txt"; then
  echo "FAILED: the JVM or a sanitizer reported misuse:"
  cat "$work/jni-warnings.txt"
  exit 1
fi
exit "$status"
