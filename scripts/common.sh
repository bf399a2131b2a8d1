# Shared by scripts/run and scripts/test: installs missing Debian packages and builds.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"

# Installs the named Debian packages that are not installed yet.
need_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
                qt6-qpa-plugins fonts-liberation libgl-dev libqt6sql6-sqlite libqt6sql6-psql
                qt6-charts-dev libqt6opengl6-dev)
# Beyond the build: the Debian package (dpkg-shlibdeps, gzip for the manual page), the checks
# of scripts/check-package, and the screenshots of packaging/screenshots.sh.
PACKAGE_PACKAGES=(dpkg-dev gzip)
CHECK_PACKAGES=(desktop-file-utils appstream lintian)
SCREENSHOT_PACKAGES=(xvfb xauth xdotool imagemagick python3)

# build PRESET [cmake options...]: configures once (with ccache where there is one), then
# builds incrementally.
build() {
    local preset=$1
    shift
    local dir=$ROOT/build
    [ "$preset" = dev ] || dir=$ROOT/build-$preset
    if [ ! -f "$dir/build.ninja" ]; then
        local launcher=()
        command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        cmake --preset "$preset" "${launcher[@]}" "$@"
    fi
    cmake --build --preset "$preset"
}
