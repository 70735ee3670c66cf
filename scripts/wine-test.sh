#!/usr/bin/env bash
# scripts/wine-test.sh PROGRAM [ARG...]: runs one test program of the Windows
# build under Wine; ctest calls it for every test (the build's
# CMAKE_CROSSCOMPILING_EMULATOR), so each test keeps its own environment.
#
# A GoogleTest or Qt Test program passes when it exits 0 and has written its
# XML results without a failure in them, so one that ends early with status
# 0 fails. Each test it skipped is printed with its reason and added to
# build-windows/logs/skipped.txt.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/test-windows.sh"

program=$1
shift
wine_env
wine_qt_env
logs="$windows_build/logs"
mkdir -p "$logs"
results="$(mktemp "$logs/$(basename "$program" .exe)-XXXXXX.xml")"
# Programs take paths through Wine's Z: drive, the Unix root.
windows_results="Z:${results//\//\\}"
if wine_imports "$program" | grep -qx 'Qt6Test.dll'; then
  kind=qt
  set -- "$@" -o "$windows_results,xml" -o -,txt
else
  kind=gtest
  set -- "$@" --gtest_output="xml:$windows_results"
fi

log="${results%.xml}.log"
status=0
wine_run "$program" "$@" >"$log" 2>&1 || status=$?
tr -d '\r' <"$log"
failed=""
if [ "$status" -ne 0 ]; then
  failed="ended with status $status"
elif [ ! -s "$results" ]; then
  failed="wrote no results"
elif grep -qE '<Incident type="(fail|xpass)"|<failure ' "$results"; then
  failed="reported a failure"
fi
if [ -z "$failed" ]; then
  if [ "$kind" = qt ]; then
    tr -d '\r' <"$log" | sed -nE 's/^SKIP   : ([^(]*\([^)]*\)) (.*)$/  skipped \1: \2/p'
  else
    windows_skipped "$log"
  fi | tee -a "$logs/skipped.txt"
fi
rm -f "$results" "$log"
if [ -n "$failed" ]; then
  echo "wine-test: $(basename "$program") $failed"
  exit 1
fi
