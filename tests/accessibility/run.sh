#!/usr/bin/env bash
# tests/accessibility/run.sh [BUILD]: what a screen reader sees of Bidmark. On
# a virtual X display with its own session bus and accessibility bus, runs
# the program twice on fresh copies of the sample league, named on its
# command line (the team route: main window, Players Available, Contract; the
# commissioner route: password prompt, Commissioners Menu, Market Value
# Calculator, signing mode) and lists every window's controls as AT-SPI shows
# them. Exits 1 when a control that takes focus, or a list, has no name or not
# the name in expected-names.txt, or a window could not be reached.
#
# BUILD is a build folder holding the program (the test suite passes its
# own); without it the script builds build/ first.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"

# elapsed START: the seconds since START (date +%s%N), to the millisecond.
elapsed() {
  local ms=$(( ($(date +%s%N) - $1) / 1000000 ))
  printf '%d.%03d s' $((ms / 1000)) $((ms % 1000))
}

# Inside the session: xvfb-run gives DISPLAY, dbus-run-session the session bus.
if [ "${1:-}" = "--in-session" ]; then
  work="$2"
  program_file="$3"
  launcher=""
  program=""
  cleanup() {
    if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; fi
    if [ -n "$launcher" ]; then kill "$launcher" 2>/dev/null || true; fi
  }
  trap cleanup EXIT

  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
  launcher=$!
  # The program looks for the accessibility bus once, when it starts. Ask
  # whether the launcher holds its name yet: a call to the name itself would
  # have the session bus start a second launcher.
  bus_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
  }
  for _ in $(seq 100); do
    if bus_up; then break; fi
    sleep 0.1
  done
  if ! bus_up; then
    echo "The accessibility bus did not start:" >&2
    cat "$work/bus.log" >&2
    exit 1
  fi

  status=0
  for route in team commissioner; do
    start=$(date +%s%N)
    rm -rf "$work/league"
    cp -R "$root/examples/league" "$work/league"
    (cd "$work" &&
       exec env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
         "$program_file" "$work/league" >"$work/$route.log" 2>&1) &
    program=$!
    echo "=== route $route"
    if ! timeout 120 /usr/bin/python3 "$here/walk.py" --pid "$program" --route "$route" \
           --expect "$here/expected-names.txt"; then
      status=1
      if [ -s "$work/$route.log" ]; then
        echo "--- the program's output:"
        cat "$work/$route.log"
      fi
    fi
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=""
    echo "=== route $route: $(elapsed "$start")"
  done
  exit "$status"
fi

source "$root/scripts/deps.sh"
install_packages "${BIDMARK_PACKAGES[@]}" "${BIDMARK_ACCESSIBILITY_PACKAGES[@]}"

if [ $# -gt 1 ]; then
  echo "Usage: tests/accessibility/run.sh [BUILD]" >&2
  exit 2
fi
build="$root/build"
if [ $# -eq 1 ]; then
  build="$(cd "$1" && pwd)" # the program runs from another folder
else
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DBIDMARK_BENCHMARKS=OFF -DBIDMARK_TESTS=OFF
  fi
  cmake --build "$build" -j2 --target bidmark
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
start=$(date +%s%N)
status=0
# The program remembers its league folders: here, not in the user's settings.
XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
  xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
  dbus-run-session -- "$here/run.sh" --in-session "$work" "$build/bidmark" || status=$?
echo "=== whole run: $(elapsed "$start")"
exit "$status"
