# Sourced by run.sh and test.sh: makes sure the Debian packages the build
# needs are installed, installing the missing ones when we may.

# Packages every build needs.
PICKRPG_BUILD_PACKAGES="cmake ninja-build g++ pkg-config ccache libsdl2-dev libgl-dev
  libglu1-mesa-dev libegl-dev libgles-dev libegl-mesa0 libgl1-mesa-dri libglx-mesa0 libgtest-dev
  libgmock-dev libbenchmark-dev libfreetype-dev zlib1g-dev fonts-dejavu-core"
# Packages the full test run needs on top: the Windows cross build, Wine, a
# virtual display with a window manager and the tools that drive and
# photograph it.
PICKRPG_TEST_PACKAGES="mingw-w64 wine wine64 xvfb openbox xfonts-base xdotool x11-utils imagemagick
  clang libclang-rt-14-dev"
# The packages and their checks: the Debian package's dependencies
# (dpkg-shlibdeps) and lint (lintian), the Windows installer, the validators
# of the desktop entry, the AppStream metadata and the manual page, and the
# readers of the icons and of the executable's resources.
PICKRPG_TEST_PACKAGES="$PICKRPG_TEST_PACKAGES dpkg-dev lintian nsis unzip desktop-file-utils
  appstream groff-base icoutils"
# The browser build: Emscripten, the parser its JavaScript optimiser needs,
# and Python's server that hosts the page. Its test adds Chromium and npm;
# NodeSource's Node.js brings an npm of its own and conflicts with Debian's.
PICKRPG_WEB_PACKAGES="emscripten node-acorn python3"
PICKRPG_TEST_PACKAGES="$PICKRPG_TEST_PACKAGES $PICKRPG_WEB_PACKAGES chromium"
command -v npm >/dev/null 2>&1 || PICKRPG_TEST_PACKAGES="$PICKRPG_TEST_PACKAGES npm"

missing_packages() {
  local missing=""
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing="$missing $package"
  done
  echo "$missing"
}

install_packages() {
  # shellcheck disable=SC2086
  local missing
  missing=$(missing_packages $*)
  [ -z "$missing" ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
      sudo="sudo"
    else
      echo "pickrpg needs these Debian packages:$missing" >&2
      echo "Install them with: sudo apt-get install$missing" >&2
      return 1
    fi
  fi
  echo "Installing:$missing"
  $sudo apt-get update -q >/dev/null || return 1
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing \
    >/dev/null || return 1
}
