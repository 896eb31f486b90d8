# Shared by scripts/run and scripts/test: installs what is missing, then configures and builds.
# Sourced, not run. Quiet when everything is already there, except for the build's own steps.

SONAVIRELLE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PAQUETS_PROGRAMME=(cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 qt6-tools-dev
                   qt6-l10n-tools qt6-translations-l10n fonts-crosextra-carlito fonts-liberation2 fontconfig libkissfft-dev libsndfile1-dev)
# dpkg-dev reads the package's library dependencies; lintian, appstream and desktop-file-utils
# check the package, its AppStream metadata and its desktop entry; clang builds the timbre
# decoder's fuzzer; at-spi2-core, python3-pyatspi and dbus drive the program through the
# accessibility bus; sox makes the waveforms the analysis is checked on, and aubio-tools is what
# the benchmark holds the analysis against; numpy measures what the private sound server heard.
PAQUETS_TESTS=(xvfb clang-format xauth xdotool imagemagick pulseaudio pulseaudio-utils sox desktop-file-utils python3 libx11-6
               dpkg-dev lintian appstream clang libclang-rt-14-dev at-spi2-core python3-pyatspi dbus aubio-tools
               python3-numpy)

installe_paquets() {
    local manquants=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
    done
    [ ${#manquants[@]} -eq 0 ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "Installing the missing Debian packages: ${manquants[*]}"
    echo "  updating the package lists (apt-get update)..."
    $sudo apt-get update -qq
    echo "  downloading and installing (apt-get install), this can take a few minutes..."
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${manquants[@]}" >/dev/null
    echo "  done."
}

# construit PRESET [TARGET...]: configures the preset if needed and builds the targets (all by
# default), one line per step.
construit() {
    local preset="${1:-default}"
    shift || true
    local cibles=()
    [ $# -gt 0 ] && cibles=(--target "$@")
    cd "$SONAVIRELLE_ROOT" || exit 1
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        echo "Configuring build/$preset..."
        cmake --preset "$preset" >/dev/null || exit 1
    fi
    echo "Building ${*:-everything} in build/$preset ($(nproc) jobs)..."
    cmake --build --preset "$preset" "${cibles[@]}" -j "$(nproc)" -- --no-print-directory 2>&1 \
        | grep --line-buffered -v -E '^Consolidate compiler|^-- |^\[ *[0-9]+%\] (Built target|Automatic (MOC|RCC))' \
        || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "build failed" >&2; exit 1; }
}
