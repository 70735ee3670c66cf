# Sourced by the scripts: installs Debian packages when missing.

# What Bidmark is built and tested with.
BIDMARK_PACKAGES=(
  cmake ninja-build g++
  qt6-base-dev
  qt6-charts-dev libqt6opengl6-dev # the market values chart; Qt Charts' CMake files need Qt OpenGL's
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation # the windows' fonts, also on the offscreen platform
)

# The screen reader check (tests/accessibility): a virtual X display, a
# session bus, the accessibility bus and its Python bindings.
BIDMARK_ACCESSIBILITY_PACKAGES=(qt6-qpa-plugins xvfb xauth dbus dbus-x11 at-spi2-core python3-pyatspi)

# The league page's check (tests/marketvalue/browser_test.py): a real browser,
# headless, and an HTML checker.
BIDMARK_BROWSER_PACKAGES=(chromium tidy python3)

# The Windows build (scripts/test-windows.sh): the MinGW-w64 compiler through
# ccache, GoogleTest's sources, Wine, xz for Qt's archive, and a virtual X
# display where the ZIP's program starts with the windows platform of Qt.
BIDMARK_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix ccache googletest wine64 xvfb xauth xz-utils)

# install_packages PACKAGE...: as root, apt-get update once and install the
# missing ones; otherwise name them and stop.
install_packages() {
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "Bidmark needs these packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing ${missing[*]}"
  if [ -z "${BIDMARK_APT_UPDATED:-}" ]; then
    apt-get update
    BIDMARK_APT_UPDATED=1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# continue_as_sudo_user SCRIPT ARGS...: a script started with sudo installs
# what is missing as root (call it after install_packages), then goes on as
# the user who ran sudo, so that the build folders stay his and his next run
# without sudo can write them. Folders an earlier run as root left in the
# checkout are handed back to him first.
continue_as_sudo_user() {
  if [ "$(id -u)" -ne 0 ] || [ -z "${SUDO_UID:-}" ] || [ "$SUDO_UID" -eq 0 ]; then
    return 0
  fi
  local dir
  for dir in "$root"/build "$root"/build-*; do
    if [ -e "$dir" ]; then chown -R "$SUDO_UID:$SUDO_GID" "$dir"; fi
  done
  echo "Going on as $(id -nu "$SUDO_UID"), who ran sudo"
  exec runuser -u "$(id -nu "$SUDO_UID")" -- bash "$@"
}

# The one configuration of build/: optimised, tests included.
configure_release_build() {
  cmake -S "$1" -B "$1/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBIDMARK_TESTS=ON
}
