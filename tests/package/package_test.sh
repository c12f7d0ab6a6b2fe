#!/usr/bin/env bash
# The Debian package as a user gets it: built by `cpack -G DEB` in a Release
# build folder of its own (kept between runs, so a rerun rebuilds only what
# changed), unpacked by dpkg-deb -x into a scratch folder. Checks its control
# fields and files, runs the installed merivan on the sample beside this
# build's merivan, renders the manual page, and loads the installed
# libcorvane.so into a JVM through java.library.path.
#   package_test.sh --source DIR --package-build DIR --work DIR --merivan EXE
#     --locales DIR --cmake EXE --cpack EXE --java EXE --javac EXE
#     --sqlite-driver SO -- CONFIGURE_ARGS...
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
while [[ $# -gt 0 ]]; do
  case "$1" in
    --source) src="$2"; shift 2 ;;
    --package-build) package_build="$2"; shift 2 ;;
    --work) work="$2"; shift 2 ;;
    --merivan) merivan="$2"; shift 2 ;;
    --locales) locales="$2"; shift 2 ;;
    --cmake) cmake="$2"; shift 2 ;;
    --cpack) cpack="$2"; shift 2 ;;
    --java) java="$2"; shift 2 ;;
    --javac) javac="$2"; shift 2 ;;
    --sqlite-driver) sqlite_driver="$2"; shift 2 ;;
    --) shift; break ;;
    *) echo "package_test.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
fail() {
  echo "FAILED: $*"
  exit 1
}

echo "== building the package in $package_build"
"$cmake" -S "$src" -B "$package_build" -DCMAKE_BUILD_TYPE=Release -DMERIVAN_TESTS=OFF "$@" >/dev/null
"$cmake" --build "$package_build" -j"$(nproc)" >"$package_build/build.log" 2>&1 ||
  { cat "$package_build/build.log"; fail "the Release build failed"; }
rm -f "$package_build"/*.deb
(cd "$package_build" && "$cpack" -G DEB >cpack.log 2>&1) || { cat "$package_build/cpack.log"; fail "cpack failed"; }
debs=("$package_build"/merivan_*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "expected one merivan_*.deb, found: ${debs[*]}"
deb="${debs[0]}"
echo "package: $deb"

rm -rf "$work"
mkdir -p "$work"
root="$work/root"
dpkg-deb -x "$deb" "$root"
multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
jni_dir="$root/usr/lib/$multiarch/jni"

echo "== control fields"
dpkg-deb -f "$deb" Package Version Architecture Depends
[[ $(dpkg-deb -f "$deb" Package) == merivan ]] || fail "the package is not named merivan"
[[ $(dpkg-deb -f "$deb" Architecture) == "$(dpkg --print-architecture)" ]] || fail "wrong architecture"
depends="$(dpkg-deb -f "$deb" Depends)"
# The runtime libraries of both deliverables, the installer library corvane
# opens when first needed, and the font the windows draw with.
for wanted in 'libicu[0-9]+' libx11-6 libxft2 libfontconfig1 libfreetype6 libodbc2 libodbcinst2 \
  fonts-dejavu-core libc6 'libstdc\+\+6'; do
  grep -Eq "(^|, )$wanted( \(|,|$)" <<<"$depends" || fail "Depends lacks $wanted: $depends"
done

echo "== files"
expected="$(printf '%s\n' usr/bin/merivan "usr/lib/$multiarch/jni/libcorvane.so" \
  usr/share/doc/merivan/README.md usr/share/man/man1/merivan.1.gz | sort)"
actual="$(cd "$root" && find . -type f -printf '%P\n' | sort)"
[[ "$actual" == "$expected" ]] || fail "the package holds"$'\n'"$actual"$'\n'"instead of"$'\n'"$expected"
for binary in "$root/usr/bin/merivan" "$jni_dir/libcorvane.so"; do
  if readelf -d "$binary" | grep -E 'R(UN)?PATH'; then
    fail "$binary keeps a search path into the build"
  fi
done
cmp "$src/README.md" "$root/usr/share/doc/merivan/README.md" || fail "README differs"

echo "== the installed merivan"
unset DISPLAY LD_LIBRARY_PATH LD_PRELOAD
in_czech() {
  env LOCPATH="$locales" LC_ALL=cs_CZ.UTF-8 "$@"
}
in_czech "$merivan" "$src/samples" adresati.db "$work/expected.txt"
in_czech "$root/usr/bin/merivan" "$src/samples" adresati.db "$work/installed.txt" ||
  fail "the installed merivan ended with status $?"
cmp "$work/expected.txt" "$work/installed.txt" || fail "the installed merivan's output differs from the build's"
status=0
in_czech "$root/usr/bin/merivan" "$src/samples" nic.db "$work/missing.txt" 2>"$work/missing.err" || status=$?
cat "$work/missing.err"
((status == 255)) || fail "a missing table ended with status $status, not 255"
grep -q "^Při přípravě k importu souboru nic.db došlo k chybě: " "$work/missing.err" || fail "no failure message"

echo "== the manual page"
gzip -dc "$root/usr/share/man/man1/merivan.1.gz" >"$work/merivan.1"
version="$(dpkg-deb -f "$deb" Version)"
grep -q "^\.TH MERIVAN 1 [0-9-]* \"merivan $version\"" "$work/merivan.1" ||
  fail "the manual page is not of version $version: $(grep '^\.TH' "$work/merivan.1")"
groff -man -Tutf8 -ww -P-cbou "$work/merivan.1" >"$work/merivan.txt" 2>"$work/groff.err"
if [[ -s "$work/groff.err" ]]; then
  cat "$work/groff.err"
  fail "groff warns about the manual page"
fi
for section in NAME SYNOPSIS DESCRIPTION ARGUMENTS "OUTPUT FORMAT" "EXIT STATUS" "FILE ERRORS" ENVIRONMENT EXAMPLES; do
  grep -qx "$section" "$work/merivan.txt" || fail "the manual page has no section $section"
done
grep -q "Při přípravě k importu souboru TABLE došlo k chybě: MESSAGE" "$work/merivan.txt" ||
  fail "the manual page does not render the failure message"

echo "== the installed libcorvane.so in a JVM"
"$javac" -Xlint:all -Werror -encoding UTF-8 -d "$work/classes" \
  "$src"/tests/corvane/java/com/vornik/zarvel/{Zarvel,DataSource,ODBCDriver}.java "$here/PackageProbe.java"
mkdir -p "$work/ini"
printf '[SQLite3]\nDescription=SQLite3 ODBC driver\nDriver=%s\n' "$sqlite_driver" >"$work/ini/odbcinst.ini"
: >"$work/ini/odbc.ini"
printf '[packaged]\nDriver=SQLite3\nDatabase=%s\n' "$work/packaged.sqlite" >"$work/ini/user-odbc.ini"
unset ODBCINSTINI ODBCSEARCH
export ODBCSYSINI="$work/ini" ODBCINI="$work/ini/user-odbc.ini"
"$java" -Xcheck:jni -Djava.library.path="$jni_dir" -cp "$work/classes" PackageProbe >"$work/probe.txt" 2>&1 ||
  { cat "$work/probe.txt"; fail "the Java host failed"; }
cat "$work/probe.txt"
expected_probe="$(printf '%s\n' "driver SQLite3 {Description=SQLite3 ODBC driver, Driver=$sqlite_driver}" \
  "source packaged SQLite3" "library $jni_dir/libcorvane.so")"
[[ "$(cat "$work/probe.txt")" == "$expected_probe" ]] || fail "the Java host saw other than"$'\n'"$expected_probe"
echo "the package installs and runs"
