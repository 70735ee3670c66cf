#!/usr/bin/env bash
# scripts/run.sh [FOLDER]: builds Bidmark and opens it with FOLDER as its
# league folder. Without FOLDER it opens a fresh copy of the sample league
# in build/league/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"

if [ $# -gt 1 ]; then
  echo "Usage: scripts/run.sh [FOLDER]" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: Bidmark is a desktop program. Run it in a desktop session," >&2
  echo "or under Xvfb: xvfb-run scripts/run.sh" >&2
  exit 1
fi
folder=""
if [ $# -eq 1 ]; then
  if [ ! -d "$1" ]; then
    echo "No such folder: $1" >&2
    exit 1
  fi
  folder="$(cd "$1" && pwd)"
fi

install_packages "${BIDMARK_PACKAGES[@]}"
continue_as_sudo_user "$0" "$@"
configure_release_build "$root"
cmake --build "$root/build" -j"$(nproc)" --target bidmark

if [ -z "$folder" ]; then
  folder="$root/build/league"
  rm -rf "$folder"
  cp -R "$root/examples/league" "$folder"
fi
cd "$folder"
exec "$root/build/bidmark"
