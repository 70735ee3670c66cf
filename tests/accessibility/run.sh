#!/usr/bin/env bash
# tests/accessibility/run.sh: what a screen reader sees of Bidmark. Builds the
# program when needed, then, on a virtual X display with its own session bus
# and accessibility bus, runs it twice on fresh copies of the sample league
# (the team route: main window, Players Available, Contract; the commissioner
# route: password prompt, Commissioners Menu, Market Value Calculator, signing
# mode) and lists every window's controls as AT-SPI shows them. Exits 1 when
# a control that takes focus, or a list, has no name or not the name in
# expected-names.txt, or a window could not be reached.
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
    (cd "$work/league" &&
       exec env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
         "$root/build/bidmark" >"$work/$route.log" 2>&1) &
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
install_packages "${BIDMARK_PACKAGES[@]}" qt6-qpa-plugins xvfb xauth dbus dbus-x11 \
  at-spi2-core python3-pyatspi

if [ ! -f "$root/build/build.ninja" ]; then
  cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBIDMARK_BENCHMARKS=OFF -DBIDMARK_TESTS=OFF
fi
cmake --build "$root/build" -j2 --target bidmark

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
start=$(date +%s%N)
status=0
XDG_RUNTIME_DIR="$work/runtime" xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
  dbus-run-session -- "$here/run.sh" --in-session "$work" || status=$?
echo "=== whole run: $(elapsed "$start")"
exit "$status"
