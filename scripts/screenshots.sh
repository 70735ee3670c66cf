#!/usr/bin/env bash
# scripts/screenshots.sh: retakes the pictures of the user guide
# (docs/images/*.png) from the real windows, on a fresh copy of the sample
# league, under a virtual X display (Xvfb). Run it whenever a window changes
# and commit the pictures.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"

install_packages "${BIDMARK_PACKAGES[@]}" xvfb xauth qt6-qpa-plugins
cmake -S "$root" -B "$root/build-screenshots" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBIDMARK_SCREENSHOTS=ON -DBIDMARK_BENCHMARKS=OFF
cmake --build "$root/build-screenshots" -j"$(nproc)" --target bidmark_screenshots

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -R "$root/examples/league" "$work/league"
mkdir -m 700 "$work/runtime"
mkdir -p "$root/docs/images"
cd "$work/league"
XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb timeout 300 \
  xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
  "$root/build-screenshots/docs/bidmark_screenshots" "$root/docs/images"
