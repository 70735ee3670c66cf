#!/usr/bin/env bash
# scripts/test-windows.sh [SOURCE]: cross-builds Bidmark for 64-bit Windows
# with MinGW-w64 and runs every test under Wine: the program with its windows
# and every test, against the Qt for MinGW in ../shared/qt6-mingw/, the tests
# without a display, and the ZIP for Windows, its program started from the
# unpacked folder on a virtual display. Where that Qt is missing (a clone outside the project), it says so
# and builds the logic and its tests only (BIDMARK_GUI=OFF); it never
# downloads anything. SOURCE is the CMake project to build, by default
# Bidmark itself.
#
# Everything lands in build-windows/, kept between runs: GoogleTest built with
# the same compiler (gtest/), Qt unpacked (qt6-mingw/), the private Wine
# prefix (wine/), the project's build (bidmark/, logic/ without Qt, or the
# folder name of SOURCE) and the ZIP (bidmark-*.zip). The compiler runs
# through ccache, whose cache lies outside the clone. ctest runs each test
# through scripts/wine-test.sh; the last line says "N passed, N failed" and
# the exit status is non-zero on any failure.
#
# Sourced, the script only defines its functions, for example to run one
# program: source scripts/test-windows.sh; windows_prepare; wine_run prog.exe

windows_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
windows_build="$windows_root/build-windows"
windows_toolchain="$windows_root/cmake/mingw-w64-x86_64.cmake"
windows_gtest="$windows_build/gtest"
# Qt 6.4.2 cross-built for MinGW, and Debian's Qt of the same version for its
# host tools (moc, rcc, uic).
windows_qt_archive="$windows_root/../shared/qt6-mingw/qt6-mingw-6.4.2-x86_64-w64-mingw32.tar.xz"
windows_qt="$windows_build/qt6-mingw"
# The MinGW runtime DLLs (libstdc++, libgcc, winpthread) the Qt build needs.
windows_runtime=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
windows_jobs="$(nproc)"
# wine64 puts its loader and server beside each other, outside PATH.
wine_loader=/usr/lib/wine/wine64
wine_server=/usr/lib/wine/wineserver64

source "$windows_root/scripts/deps.sh"

# windows_prepare: installs the cross compiler and Wine, builds GoogleTest
# once and makes the Wine prefix once.
windows_prepare() {
  local start=$SECONDS
  install_packages "${BIDMARK_PACKAGES[@]}" "${BIDMARK_WINDOWS_PACKAGES[@]}"
  echo "== Packages ready ($((SECONDS - start)) s)"
  windows_build_gtest
  wine_prefix
  wine_fonts
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
    -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
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

# wine_fonts: Wine has no Courier New, the fixed-pitch font Qt takes on
# Windows; Liberation Mono, which has its metrics, stands in for it, as the
# windows' columns need.
wine_fonts() {
  wine_env
  if ! grep -q '"Courier New"="Liberation Mono"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$wine_loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f >/dev/null 2>&1
    "$wine_server" -w
  fi
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

# wine_qt_env: what the Qt programs of the build need under Wine. Wine does
# not hand QT_* variables on: a WINEQT_* variable is seen as QT_*. The Qt and
# MinGW runtime DLLs are found on WINEPATH; offscreen needs a font folder,
# and a Qt Test program prints only when told to.
wine_qt_env() {
  local name dirs=() dir
  for name in $(compgen -e | grep '^QT_' || true); do
    export "WINE$name=${!name}"
  done
  for dir in "$windows_qt/bin" "${windows_runtime[@]}"; do
    dirs+=("Z:${dir//\//\\}")
  done
  export WINEPATH="$(IFS=';'; echo "${dirs[*]}")"
  export WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\liberation'
  export WINEQT_FORCE_STDERR_LOGGING=1
}

# wine_imports PROGRAM: the DLLs a Windows program imports, one a line.
wine_imports() {
  x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'
}

# windows_unpack_qt: Qt for MinGW unpacked into build-windows/qt6-mingw
# once (again when the archive changes); false when there is no archive.
windows_unpack_qt() {
  [ -f "$windows_qt_archive" ] || return 1
  local sum
  sum="$(sha256sum <"$windows_qt_archive")"
  if [ "$(cat "$windows_qt/.archive" 2>/dev/null)" != "$sum" ]; then
    rm -rf "$windows_qt"
    if ! tar -xJf "$windows_qt_archive" -C "$windows_build"; then
      echo "Cannot unpack $windows_qt_archive" >&2
      exit 1
    fi
    echo "$sum" >"$windows_qt/.archive"
    echo "== Qt for Windows unpacked into $windows_qt"
  fi
}

# windows_configure SOURCE BUILD [qt]: the project cross-built against our
# GoogleTest, through ccache, its tests run by ctest under Wine. With qt the
# whole program against Qt for MinGW, its runtime in DLLs beside it as Qt's
# own; without, the logic only, linked fully static.
windows_configure() {
  local options=(-DCMAKE_BUILD_TYPE=Release -DGTest_DIR="$windows_gtest/lib/cmake/GTest"
    -DBIDMARK_TESTS=ON -DBIDMARK_BENCHMARKS=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    -DCMAKE_CROSSCOMPILING_EMULATOR="$windows_root/scripts/wine-test.sh")
  local toolchain=$windows_toolchain
  if [ "${3:-}" = qt ]; then
    toolchain="$windows_qt/lib/cmake/Qt6/qt.toolchain.cmake"
    options+=(-DQT_CHAINLOAD_TOOLCHAIN_FILE="$windows_toolchain"
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
      -DBIDMARK_GUI=ON -DBIDMARK_SCREENSHOTS=ON)
  else
    options+=(-DCMAKE_EXE_LINKER_FLAGS=-static -DBIDMARK_GUI=OFF)
  fi
  # A build made with the other toolchain starts afresh.
  if [ -f "$2/CMakeCache.txt" ] && ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$2/CMakeCache.txt"; then
    rm -rf "$2"
  fi
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${options[@]}" >/dev/null
}

# windows_run_tests BUILD: every test of BUILD under Wine (ctest, two at a
# time), then each test a program skipped with its reason; counts the tests
# as ctest does, into windows_passed and windows_failed.
windows_run_tests() {
  local build=$1
  local logs="$windows_build/logs"
  rm -rf "$logs"
  mkdir -p "$logs"
  ctest --test-dir "$build" -j"$windows_jobs" --output-on-failure \
    --output-junit "$logs/results.xml" | tee "$logs/ctest.log" || true
  "$wine_server" -k 2>/dev/null || true
  if [ -f "$logs/skipped.txt" ]; then
    echo "== Skipped under Wine, with their reasons"
    grep -v '^  (' "$logs/skipped.txt"
  fi
  # The counts of JUnit's <testsuite>, an attribute a line.
  local total failed
  total="$(grep -m1 -oE '^\s*tests="[0-9]+"' "$logs/results.xml" 2>/dev/null | grep -oE '[0-9]+' || echo 0)"
  failed="$(grep -m1 -oE '^\s*failures="[0-9]+"' "$logs/results.xml" 2>/dev/null | grep -oE '[0-9]+' || echo 1)"
  if [ "${total:-0}" -eq 0 ]; then
    echo "No test found under $build" >&2
    failed=1
  fi
  windows_passed=$((total - failed)) windows_failed=$failed
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
  local build="$windows_build/bidmark" with=qt
  mkdir -p "$windows_build"
  export CCACHE_BASEDIR="$project" # the same cache entries from every clone
  local start=$SECONDS
  windows_prepare
  if ! windows_unpack_qt; then
    echo "== No Qt for Windows at $windows_qt_archive: the windows, the program and its ZIP are skipped; the logic only"
    build="$windows_build/logic" with=""
  fi
  [ "$project" = "$windows_root" ] || build="$windows_build/$(basename "$project")"
  windows_configure "$project" "$build" $with
  cmake --build "$build" -j"$windows_jobs"
  echo "== Built for Windows ($((SECONDS - start)) s so far)"
  windows_run_tests "$build"
  # The ZIP the package test made and started.
  if compgen -G "$build/package/bidmark-*.zip" >/dev/null; then
    rm -f "$windows_build"/bidmark-*.zip
    cp "$build"/package/bidmark-*.zip "$windows_build/"
  fi
  echo "== Windows stage took $((SECONDS - start)) s"
  echo "$windows_passed passed, $windows_failed failed"
  [ "$windows_failed" -eq 0 ]
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  if [ $# -gt 1 ]; then
    echo "Usage: scripts/test-windows.sh [SOURCE]" >&2
    exit 2
  fi
  windows_main "$@"
fi
