#!/usr/bin/env bash
# scripts/screenshots.sh: retakes the pictures of the user guide
# (docs/images/*.png) from the real windows, on a fresh copy of the sample
# league, under a virtual X display (Xvfb); then the main window and the
# Players Available window again at a display scale of 2 (*-scale2.png), and
# on Windows (*-windows.png: the program cross-built as scripts/test-windows.sh
# builds it, under Wine with Qt's windows platform on the virtual display).
# Run it whenever a window changes and commit the pictures.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"

install_packages "${BIDMARK_PACKAGES[@]}" xvfb xauth qt6-qpa-plugins
continue_as_sudo_user "$0" "$@"
cmake -S "$root" -B "$root/build-screenshots" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBIDMARK_SCREENSHOTS=ON -DBIDMARK_BENCHMARKS=OFF
cmake --build "$root/build-screenshots" -j"$(nproc)" --target bidmark_screenshots

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
mkdir -p "$root/docs/images"
for scale in 1 2; do
  rm -rf "$work/Bidmark"
  cp -R "$root/examples/league" "$work/Bidmark"
  (cd "$work/Bidmark" &&
     XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale timeout 300 \
       xvfb-run --auto-servernum --server-args="-screen 0 2560x2048x24" \
       "$root/build-screenshots/docs/bidmark_screenshots" "$root/docs/images")
done

# The Windows pictures, where there is Qt for Windows (see test-windows.sh).
source "$root/scripts/test-windows.sh"
windows_prepare
if windows_unpack_qt; then
  windows_configure "$root" "$windows_build/bidmark" qt
  cmake --build "$windows_build/bidmark" -j"$(nproc)" --target bidmark_screenshots
  rm -rf "$work/Bidmark"
  cp -R "$root/examples/league" "$work/Bidmark"
  wine_env
  "$wine_server" -k 2>/dev/null || true # a Wine running without a display keeps windows off it
  (cd "$work/Bidmark" && wine_qt_env &&
     timeout 300 xvfb-run --auto-servernum --server-args="-screen 0 1600x1200x24" \
       "$wine_loader" "$windows_build/bidmark/docs/bidmark_screenshots.exe" "Z:${root//\//\\}\\docs\\images")
  "$wine_server" -k 2>/dev/null || true
else
  echo "No Qt for Windows at $windows_qt_archive: the Windows pictures are not retaken"
fi
