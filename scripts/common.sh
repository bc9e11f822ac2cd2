# Shared by scripts/play and scripts/test: the Debian packages each needs, installed when
# missing, and the build. Elsewhere (no apt-get), they build with what is installed, and CMake
# says what is missing.

set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    libxcb1-dev libxcb-damage0-dev librsvg2-bin fonts-lato fonts-dejavu-core)
# The Debian package's tools: cpack asks `file` which binaries to pass to dpkg-shlibdeps.
PACKAGE_PACKAGES=(dpkg-dev file)
TEST_PACKAGES=(xvfb openbox xdotool wmctrl x11-utils imagemagick dbus-daemon at-spi2-core python3-pyatspi valgrind
    weston qt6-wayland python3-fonttools fontconfig
    "${PACKAGE_PACKAGES[@]}" desktop-file-utils appstream clang libclang-rt-dev)
# libclang-rt-dev is the runtime (libFuzzer, sanitizers) of the clang that clang installs.

# Installs the packages that are not installed yet (as root, or through sudo), on a machine
# with Debian's package tools.
need_packages() {
    if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        echo "No apt-get here: building with what is installed."
        return
    fi
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
# those of earlier runs), then rebuilds only what changed. CMake's own output shows only when it
# fails. Ninja where it is installed.
build() {
    build_from . "$@"
}

# build_from SOURCE DIR [CMAKE OPTIONS...]: the same for another CMake project of the tree.
build_from() {
    local source=$1 dir=$2 log
    shift 2
    local missing=()
    command -v cmake >/dev/null || missing+=("CMake 3.25 or later (Debian and Ubuntu: cmake)")
    command -v ninja >/dev/null || command -v make >/dev/null ||
        missing+=("a build tool, Ninja or make (Debian and Ubuntu: ninja-build)")
    [ -n "${CXX:-}" ] || command -v c++ >/dev/null || command -v g++ >/dev/null ||
        command -v clang++ >/dev/null || missing+=("a C++20 compiler (Debian and Ubuntu: g++)")
    if [ ${#missing[@]} -gt 0 ]; then
        echo "vorlan-cup cannot be built here; this is missing:" >&2
        printf '  %s\n' "${missing[@]}" >&2
        return 1
    fi
    local generator=()
    [ -f "$dir/CMakeCache.txt" ] || ! command -v ninja >/dev/null || generator=(-G Ninja)
    log=$(cmake -S "$source" -B "$dir" "${generator[@]}" "$@" 2>&1) || {
        echo "$log" >&2
        return 1
    }
    grep '^vorlan-cup: ' <<<"$log" >&2 || true
    cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)"
}
