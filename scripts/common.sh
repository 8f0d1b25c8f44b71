# Shared by scripts/run and scripts/test: Debian packages and the build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TESSARIN_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
    g++ cmake ninja-build pkg-config clang-format
    qt6-base-dev qt6-charts-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
    libcurl4-openssl-dev clang-14 libclang-rt-14-dev
    ccache fonts-ipafont-gothic poppler-utils dpkg-dev desktop-file-utils appstream
    libzip-dev libpugixml-dev qt6-multimedia-dev python3-openpyxl libqt6sql6-sqlite
    qt6-translations-l10n dbus systemd
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=()
    local p
    for p in "${PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
}

# ccache with paths taken relative to the repository lets the second build folder of
# scripts/test reuse the first one's objects.
build() {
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
    cmake --build "$BUILD_DIR"
}
