#!/usr/bin/env bash
# zip_test.sh BUILD PROBE: makes the Windows ZIP with CPack from BUILD (cross-
# built for Windows) into BUILD/package, checks what it holds, unpacks it and
# starts its programs under Wine as a league member would: bidmark.exe on a
# copy of the sample league, with Qt's windows platform on a virtual X
# display and no DLL but the ZIP's. PROBE, a Qt plugin that is never in the
# ZIP, tells what the main window shows.
set -euo pipefail
build=$1
probe=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/test-windows.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

echo "== cpack -G ZIP"
rm -rf "$build/package"
cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
zips=("$build"/package/bidmark-*.zip)
zip=${zips[0]}
[ -f "$zip" ] || fail "no bidmark-*.zip was made"
echo "$(basename "$zip"): $(($(stat -c %s "$zip") / 1024)) KiB"
(cd "$work" && cmake -E tar xf "$zip")
root="$work/$(basename "$zip" .zip)"
(cd "$root" && find . -type f | sort | sed 's|^\./|  |')
for file in Bidmark.cmd bin/bidmark.exe bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Charts.dll \
    bin/platforms/qwindows.dll bin/libstdc++-6.dll bin/libgcc_s_seh-1.dll bin/libwinpthread-1.dll \
    sample-league/teams.txt sample-league/fa.txt guide/USER-GUIDE.md guide/images/main-windows.png; do
  [ -f "$root/$file" ] || fail "not in the ZIP: $file"
done
! compgen -G "$root/bin/*_test.exe" >/dev/null || fail "a test program is in the ZIP"
[ ! -e "$root/bin/platforms/qoffscreen.dll" ] || fail "the offscreen platform is in the ZIP"

league="$work/league"
cp -R "$root/sample-league" "$league"
teams=()
mapfile -t teams < <(tr -d '\r' <"$league/teams.txt")
windows_path() { echo "Z:${1//\//\\}"; }

echo "== bidmark.exe starts on the sample league (Wine, windows platform, Xvfb)"
mkdir -p "$root/bin/generic"
cp "$probe" "$root/bin/generic/"
wine_env # no WINEPATH: the ZIP's DLLs only
# A Wine already running without a display would keep the windows off it.
"$wine_server" -k 2>/dev/null || true
status=0
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
  timeout 120 "$wine_loader" "$root/bin/bidmark.exe" \
  -plugin "bidmarkstartprobe:$(windows_path "$work/seen.txt")" "$(windows_path "$league")" \
  >"$work/output" 2>&1 || status=$?
"$wine_server" -k 2>/dev/null || true
[ "$status" -eq 0 ] || fail "bidmark.exe ended with status $status: $(cat "$work/output")"
[ -f "$work/seen.txt" ] || fail "the main window never appeared: $(cat "$work/output")"
cat "$work/seen.txt"
grep -qx 'platform windows' "$work/seen.txt" || fail "not on the windows platform"
grep -qx 'title Bidmark' "$work/seen.txt" || fail "the main window is not titled Bidmark"
for team in "${teams[@]}"; do
  grep -qxF "team $team" "$work/seen.txt" || fail "the main window does not list $team"
done

echo "== Bidmark.cmd starts it in a league folder of the user's, new, and offers the sample league"
"$wine_server" -k 2>/dev/null || true
BIDMARK_LEAGUE="$(windows_path "$work/new league")" xvfb-run --auto-servernum \
  bash -c '"$0" cmd /c "$1" -plugin "$2" && "$3" -w' "$wine_loader" "$(windows_path "$root/Bidmark.cmd")" \
  "bidmarkstartprobe:$(windows_path "$work/seen-cmd.txt")" "$wine_server" >"$work/output" 2>&1 || true
[ -f "$work/seen-cmd.txt" ] || fail "Bidmark.cmd did not start bidmark.exe: $(cat "$work/output")"
cat "$work/seen-cmd.txt"
[ -d "$work/new league" ] || fail "Bidmark.cmd did not make the league folder"
grep -q 'copy the sample league here' "$work/seen-cmd.txt" || fail "no offer of the sample league"

# The console program: its status lists the teams too.
[ -f "$root/bin/bidmark-cli.exe" ] || fail "no bin/bidmark-cli.exe in the ZIP"
echo "== bidmark-cli.exe status"
(cd "$league" && wine_run "$root/bin/bidmark-cli.exe" status) >"$work/status" 2>&1 ||
  fail "bidmark-cli.exe status failed: $(cat "$work/status")"
for team in "${teams[@]}"; do
  grep -qF "$team" "$work/status" || fail "bidmark-cli.exe status does not list $team"
done
# A league folder named beyond the ANSI code page ("Łódź"), given on the
# command line: the program takes the wide command line.
echo "== bidmark-cli.exe --league=\"...\\Łódź\" status"
cp -R "$root/sample-league" "$work/Łódź"
LC_ALL=C.UTF-8 wine_run "$root/bin/bidmark-cli.exe" --league="$(windows_path "$work/Łódź")" status \
  >"$work/status-named" 2>&1 || fail "bidmark-cli.exe --league=Łódź status failed: $(cat "$work/status-named")"
grep -qF "${teams[0]}" "$work/status-named" || fail "bidmark-cli.exe --league=Łódź does not list ${teams[0]}"
echo "== ZIP test passed"
