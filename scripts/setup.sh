# Sourced by run.sh and test.sh: makes sure the Debian packages the build
# needs are installed, installing the missing ones when we may.

# Packages every build needs.
PICKRPG_BUILD_PACKAGES="cmake ninja-build g++ pkg-config ccache libsdl2-dev libgl-dev
  libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri libglx-mesa0 libgtest-dev
  libgmock-dev libbenchmark-dev libfreetype-dev fonts-dejavu-core"
# Packages the full test run needs on top: the Windows cross build, Wine, a
# virtual display and the tools that drive and photograph it.
PICKRPG_TEST_PACKAGES="mingw-w64 wine wine64 xvfb xfonts-base xdotool x11-utils imagemagick clang
  libclang-rt-14-dev"

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
