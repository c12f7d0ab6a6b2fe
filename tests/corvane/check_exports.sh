#!/usr/bin/env bash
# libcorvane.so must export exactly the four native methods of Zarvel.
set -euo pipefail
nm="$1"
library="$2"
expected="Java_com_vornik_zarvel_Zarvel_getDataSources
Java_com_vornik_zarvel_Zarvel_getDrivers
Java_com_vornik_zarvel_Zarvel_registerDataSource
Java_com_vornik_zarvel_Zarvel_unregisterDataSource"
actual="$("$nm" -D --defined-only "$library" | awk '{print $NF}' | LC_ALL=C sort)"
if [[ "$actual" != "$expected" ]]; then
  echo "exported symbols differ from the four native methods:"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
echo "exports: the four native methods only"
