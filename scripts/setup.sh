# Shared by scripts/run and scripts/test: installs what is missing, then configures and builds.
# Sourced, not run. Quiet when everything is already there.

SONAVIRELLE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PAQUETS_PROGRAMME=(cmake g++ make qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 qt6-tools-dev qt6-l10n-tools
                   fonts-crosextra-carlito fonts-liberation2 fontconfig)
PAQUETS_TESTS=(xvfb xauth xdotool imagemagick pulseaudio pulseaudio-utils sox desktop-file-utils python3 libx11-6)

installe_paquets() {
    local manquants=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
    done
    [ ${#manquants[@]} -eq 0 ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "Installing: ${manquants[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${manquants[@]}" >/dev/null
}

construit() {
    local preset="${1:-default}"
    cd "$SONAVIRELLE_ROOT" || exit 1
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        cmake --preset "$preset" >/dev/null || exit 1
    fi
    cmake --build --preset "$preset" -j "$(nproc)" -- --no-print-directory 2>&1 \
        | grep -v -E '^\[ *[0-9]+%\]|^Consolidate compiler|^-- ' || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "build failed" >&2; exit 1; }
}
