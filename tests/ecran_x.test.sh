#!/usr/bin/env bash
# The private X server as every X test starts it (scripts/ecran_x.sh), twice in a row, each time
# with the program connecting right after the readiness probe and painting its first window:
# run beside the rest of the suite, as CI runs it, this is the case of a fresh, busy machine.
# Usage: ecran_x.test.sh BUILD_DIR SOURCE_DIR. Exit 77 (skipped) only when no X server can start.
set -u

BUILD_DIR=$(cd "${1:?build folder}" && pwd)
SOURCE_DIR=$(cd "${2:?source folder}" && pwd)
[ -x "$BUILD_DIR/sonavirelle" ] || { echo "FAIL: $BUILD_DIR/sonavirelle is not built"; exit 1; }
for outil in xdotool python3; do
    command -v "$outil" >/dev/null || { echo "FAIL: $outil is missing (scripts/setup.sh installs it)"; exit 1; }
done
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }

source "$SOURCE_DIR/scripts/ecran_x.sh"
JOURNAL=$(mktemp)
trap 'ecran_x_arrete; rm -f "$JOURNAL"' EXIT
# No sound server: the program must start without one.
export PULSE_SERVER=unix:/nonexistent/sonavirelle-ecran-x QT_QPA_PLATFORM=xcb
# The program's settings (its zoom) are not the user's: none at all here.
export XDG_CONFIG_HOME=/nonexistent/sonavirelle-ecran-x

echecs=0
for tour in 1 2; do
    if ! ecran_x_demarre 1280 1024 "$JOURNAL"; then
        echo "FAIL: round $tour: no X server could start"
        exit 1
    fi
    # The welcome window is centred on the screen: its centre pixel lights at the first paint.
    if mesure=$(python3 "$SOURCE_DIR/tests/ecran_x.py" demarrage 640 512 30 "$BUILD_DIR/sonavirelle" 2>&1); then
        echo "round $tour on $DISPLAY: first paint after ${mesure%% *} ms"
    else
        echo "FAIL: round $tour on $DISPLAY: the program did not paint its window: $mesure"
        echecs=$((echecs + 1))
    fi
    ecran_x_arrete
done
[ "$echecs" -eq 0 ]
