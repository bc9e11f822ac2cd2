# Shared by scripts/play and scripts/test: the Debian packages each needs, installed when
# missing, and the build.

set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    libxcb1-dev libxcb-damage0-dev librsvg2-bin fonts-lato fonts-dejavu-core)
# The Debian package's tools: cpack asks `file` which binaries to pass to dpkg-shlibdeps.
PACKAGE_PACKAGES=(dpkg-dev file)
TEST_PACKAGES=(xvfb openbox xdotool wmctrl x11-utils imagemagick dbus-daemon at-spi2-core python3-pyatspi valgrind
    "${PACKAGE_PACKAGES[@]}" desktop-file-utils appstream clang libclang-rt-14-dev)

# Installs the packages that are not installed yet (as root, or through sudo).
need_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# build DIR [CMAKE OPTIONS...]: configures with the options given (the build folder keeps
# those of earlier runs), then rebuilds only what changed.
build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir"
}
