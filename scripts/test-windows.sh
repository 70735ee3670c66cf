#!/usr/bin/env bash
# scripts/test-windows.sh [SOURCE]: cross-builds the logic libraries and their
# GoogleTest tests for 64-bit Windows with MinGW-w64 and runs every test
# program under Wine, without a display. SOURCE is the CMake project to build,
# by default Bidmark itself, configured without its windows (BIDMARK_GUI=OFF).
#
# Everything lands in build-windows/: GoogleTest built with the same compiler
# (gtest/), the private Wine prefix (wine/) and the project's build (bidmark/,
# or the folder name of SOURCE). Each test program counts once; the last line
# says "N passed, N failed" and the exit status is non-zero on any failure.
#
# Sourced, the script only defines its functions, for example to run one
# program: source scripts/test-windows.sh; windows_prepare; wine_run prog.exe

windows_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
windows_build="$windows_root/build-windows"
windows_toolchain="$windows_root/cmake/mingw-w64-x86_64.cmake"
windows_gtest="$windows_build/gtest"
windows_jobs="$(nproc)"
# wine64 puts its loader and server beside each other, outside PATH.
wine_loader=/usr/lib/wine/wine64
wine_server=/usr/lib/wine/wineserver64

source "$windows_root/scripts/deps.sh"

# windows_prepare: installs the cross compiler and Wine, builds GoogleTest
# once and makes the Wine prefix once.
windows_prepare() {
  local start=$SECONDS
  install_packages cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest
  echo "== Packages ready ($((SECONDS - start)) s)"
  windows_build_gtest
  wine_prefix
  wine_temp_in_memory
}

# windows_build_gtest: GoogleTest from Debian's sources, static, with the
# MinGW compiler, installed into build-windows/gtest.
windows_build_gtest() {
  if [ -f "$windows_gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
    return 0
  fi
  local start=$SECONDS
  rm -rf "$windows_build/gtest-build"
  cmake -S /usr/src/googletest -B "$windows_build/gtest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$windows_toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$windows_gtest" -DBUILD_GMOCK=OFF -DBUILD_SHARED_LIBS=OFF >/dev/null
  cmake --build "$windows_build/gtest-build" -j"$windows_jobs"
  cmake --install "$windows_build/gtest-build" >/dev/null
  echo "== GoogleTest for Windows built ($((SECONDS - start)) s)"
}

# wine_env: the private prefix, quiet and headless. No DISPLAY: console
# programs need no window, and Wine then never tries an X server. The empty
# overrides keep Wine from offering to install Mono and Gecko.
wine_env() {
  export WINEPREFIX="$windows_build/wine"
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY WAYLAND_DISPLAY
}

# wine_prefix: makes the prefix on first use and waits until Wine has
# finished writing it.
wine_prefix() {
  wine_env
  if [ -f "$WINEPREFIX/system.reg" ]; then
    return 0
  fi
  local start=$SECONDS
  mkdir -p "$windows_build"
  if ! "$wine_loader" wineboot --init >/dev/null 2>&1; then
    echo "Wine could not make its prefix in $WINEPREFIX" >&2
    return 1
  fi
  "$wine_server" -w
  echo "== Wine prefix made ($((SECONDS - start)) s)"
}

# wine_temp_in_memory: the tests' temporary folders (Wine's C:\users\...\Temp)
# kept in /dev/shm, as the Linux run keeps the merge tests' leagues there.
wine_temp_in_memory() {
  local temp="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
  if [ -d /dev/shm ] && [ ! -L "$temp" ]; then
    local memory
    memory="$(mktemp -d /dev/shm/bidmark-wine-temp-XXXXXX)"
    rm -rf "$temp"
    ln -s "$memory" "$temp"
  fi
}

# wine_run PROGRAM [ARG...]: runs a Windows program under Wine, at most 10
# minutes. Wine hands back the low byte of the Windows exit code (1 when that
# byte is 0 but the code is not); a crash gives the low byte of its status,
# 5 for an access violation, 3 for abort().
wine_run() {
  wine_env
  timeout 600 "$wine_loader" "$@"
}

# windows_configure SOURCE BUILD: the project, cross-built against our GoogleTest.
windows_configure() {
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$windows_toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DGTest_DIR="$windows_gtest/lib/cmake/GTest" \
    -DBIDMARK_GUI=OFF -DBIDMARK_TESTS=ON -DBIDMARK_BENCHMARKS=OFF >/dev/null
}

# windows_run_tests BUILD: runs every *_test.exe under BUILD, each in its own
# folder. A program passes when it exits 0 and has written its GoogleTest
# report without a failure in it, so one that ends early with status 0 fails.
windows_run_tests() {
  local build=$1 passed=0 failed=0 program name status report
  wine_env
  local logs="$windows_build/logs"
  rm -rf "$logs"
  mkdir -p "$logs"
  local programs=()
  mapfile -t programs < <(find "$build" -name '*_test.exe' -type f | sort)
  for program in "${programs[@]}"; do
    name=$(basename "$program" .exe)
    report="$logs/$name.xml"
    status=0
    # GoogleTest takes a path without a drive letter as relative: name the
    # report through Wine's Z: drive, the Unix root.
    (cd "$(dirname "$program")" && wine_run "$program" --gtest_output="xml:Z:${report//\//\\}") \
      >"$logs/$name.log" 2>&1 || status=$?
    if [ "$status" -eq 0 ] && [ -f "$report" ] &&
      ! grep -qE '<testsuites [^>]*(failures|errors)="[1-9]' "$report"; then
      passed=$((passed + 1))
      echo "PASS $name ($(grep -oE '^\[  PASSED  \] [0-9]+ tests?' "$logs/$name.log" | grep -oE '[0-9]+ tests?'))"
      windows_skipped "$logs/$name.log"
    else
      failed=$((failed + 1))
      echo "FAIL $name (exit $status)"
      tail -n 40 "$logs/$name.log"
    fi
  done
  "$wine_server" -k 2>/dev/null || true
  if [ ${#programs[@]} -eq 0 ]; then
    echo "No test program found under $build" >&2
    failed=$((failed + 1))
  fi
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# windows_skipped LOG: each test a program skipped, with the reason it gave
# (the line after GoogleTest's "Skipped").
windows_skipped() {
  tr -d '\r' <"$1" | awk '
    / Skipped$/ { getline reason; next }
    /^\[  SKIPPED \] [^ ]+ \(/ { print "  skipped " $4 ": " reason; skipped++ }
    END { if (skipped) print "  (" skipped " skipped)" }'
}

windows_main() {
  local project
  project="$(cd "${1:-$windows_root}" && pwd)"
  local build="$windows_build/bidmark"
  [ "$project" = "$windows_root" ] || build="$windows_build/$(basename "$project")"
  local start=$SECONDS
  windows_prepare
  windows_configure "$project" "$build"
  cmake --build "$build" -j"$windows_jobs"
  echo "== Built for Windows ($((SECONDS - start)) s so far)"
  windows_run_tests "$build"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  if [ $# -gt 1 ]; then
    echo "Usage: scripts/test-windows.sh [SOURCE]" >&2
    exit 2
  fi
  windows_main "$@"
fi
