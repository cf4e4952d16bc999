# Shared by scripts/run and scripts/test: install what the build needs, configure, build.
set -euo pipefail

LETTRINO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${LETTRINO_BUILD_DIR:-$LETTRINO_ROOT/build}"

# Debian packages the build, the tests and the program need.
PACKAGES=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev libqt6svg6
          libsqlite3-dev sqlite3 mdbtools-dev libgtest-dev libgmock-dev
          poppler-utils clang-format zint libzint-dev libcsv-dev python3)

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build_lettrino() {
    local type="${1:-RelWithDebInfo}"
    shift || true
    cmake -S "$LETTRINO_ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
