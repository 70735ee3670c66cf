#!/usr/bin/env bash
# package_test.sh BUILD: installs BUILD into a temporary prefix and checks
# what lands where, starts the installed program through its launcher on a
# copy of the installed sample league, and builds the Debian package.
set -euo pipefail

build="$1"
work="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

echo "== cmake --install"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/bidmark bin/bidmark-cli bin/bidmark-league \
    share/applications/bidmark.desktop \
    share/icons/hicolor/scalable/apps/bidmark.svg \
    share/bidmark/sample-league/fa.txt share/bidmark/sample-league/teams.txt \
    share/doc/bidmark/USER-GUIDE.md share/doc/bidmark/images/main.png; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ -x "$prefix/bin/bidmark-league" ] || fail "bidmark-league is not executable"
"$prefix/bin/bidmark-cli" --league="$prefix/share/bidmark/sample-league" status >/dev/null \
  || fail "the installed bidmark-cli does not run"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/bidmark.desktop"
fi

echo "== the installed program starts in the league folder"
league="$work/league"
cp -R "$prefix/share/bidmark/sample-league" "$league"
export XDG_RUNTIME_DIR="$work/runtime"
export XDG_CONFIG_HOME="$work/config" # the recent league folders: not the user's
mkdir -m 700 "$XDG_RUNTIME_DIR"
BIDMARK_LEAGUE="$league" QT_QPA_PLATFORM=offscreen "$prefix/bin/bidmark-league" \
  >"$work/output" 2>&1 &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || fail "bidmark did not stay up: $(cat "$work/output")"
[ "$(readlink "/proc/$pid/exe")" = "$prefix/bin/bidmark" ] || fail "the launcher ran another bidmark"
[ "$(readlink "/proc/$pid/cwd")" = "$league" ] || fail "bidmark does not work in the league folder"
kill "$pid"
wait "$pid" || true
pid=""
# The offscreen platform's own notice is no error of ours.
errors="$(grep -v '^This plugin does not support propagateSizeHints()$' "$work/output" || true)"
[ -z "$errors" ] || fail "bidmark wrote: $errors"

echo "== cpack -G DEB"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null
debs=("$work"/deb/bidmark_*.deb)
[ -f "${debs[0]}" ] || fail "no bidmark_*.deb was built"
depends="$(dpkg-deb -f "${debs[0]}" Depends)"
for package in libqt6widgets6 libqt6gui6 libqt6core6 libqt6charts6 qt6-qpa-plugins fonts-liberation; do
  [[ "$depends" == *"$package"* ]] || fail "the package does not depend on $package: $depends"
done
contents="$(dpkg-deb -c "${debs[0]}")"
for file in ./usr/bin/bidmark ./usr/bin/bidmark-cli ./usr/bin/bidmark-league ./usr/share/applications/bidmark.desktop \
    ./usr/share/bidmark/sample-league/fa.txt ./usr/share/doc/bidmark/USER-GUIDE.md; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done
echo "== package test passed"
