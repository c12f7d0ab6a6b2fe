#!/usr/bin/env bash
# Registers an SQLite data source from Java through corvane (stock driver
# and its own setup library in a private odbcinst.ini), then exports its
# address table with merivan.
set -euo pipefail
java="$1" javac="$2" corvane="$3" sqlite_driver="$4" merivan="$5" work="$6" hosts="$7" sources="$8" asan="${9:-}"

rm -rf "$work"
mkdir -p "$work/ini" "$work/classes"
printf '[SQLite3]\nDriver=%s\nSetup=%s\n\n' "$sqlite_driver" "$sqlite_driver" >"$work/ini/odbcinst.ini"
: >"$work/ini/odbc.ini"
: >"$work/ini/user-odbc.ini"
unset ODBCINSTINI ODBCSEARCH
export ODBCSYSINI="$work/ini" ODBCINI="$work/ini/user-odbc.ini"

sqlite3 "$work/adresy.sqlite" "CREATE TABLE adresati (Jmeno varchar(20), Aktivni boolean);
  INSERT INTO adresati VALUES ('Jiří', 1), ('Božena', 0);"

"$javac" -Xlint:all -Werror -encoding UTF-8 -d "$work/classes" \
  "$hosts/Zarvel.java" "$hosts/DataSource.java" "$hosts/ODBCDriver.java" "$sources/RegisterThenExport.java"
# The JVM keeps its memory to the end and handles SIGSEGV itself; merivan,
# started from it, checks its own leaks apart from the driver loader's.
export ASAN_OPTIONS="handle_segv=0:allow_user_segv_handler=1:detect_leaks=0"
preload=()
[[ -n "$asan" ]] && preload=(env "LD_PRELOAD=$asan")
LC_ALL=cs_CZ.UTF-8 LANG=cs_CZ.UTF-8 "${preload[@]}" "$java" -Xcheck:jni -Dcorvane.library="$corvane" \
  -cp "$work/classes" com.vornik.zarvel.tests.RegisterThenExport "$merivan" "$work/adresy.sqlite" "$work/out.txt"
