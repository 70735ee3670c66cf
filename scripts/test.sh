#!/usr/bin/env bash
# scripts/test.sh: builds everything and runs the whole suite twice, in an
# optimised build (build/) and under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
jobs="$(nproc)"

install_packages "${BIDMARK_PACKAGES[@]}" "${BIDMARK_ACCESSIBILITY_PACKAGES[@]}" "${BIDMARK_BROWSER_PACKAGES[@]}"
continue_as_sudo_user "$0" "$@"
export QT_QPA_PLATFORM=offscreen

echo "== Release build and tests (build/), with the screen reader check"
configure_release_build "$root"
cmake --build "$root/build" -j"$jobs"
ctest --test-dir "$root/build" --output-on-failure -j"$jobs"

echo "== Sanitizer build and tests (build-asan/)"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DBIDMARK_SANITIZE=ON -DBIDMARK_BENCHMARKS=OFF
cmake --build "$root/build-asan" -j"$jobs"
ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs"

echo "== All tests passed"
