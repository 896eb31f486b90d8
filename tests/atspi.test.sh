#!/usr/bin/env bash
# The program through the accessibility bus (AT-SPI), under a real X server: a private D-Bus
# session, the accessibility bus launched on it, the program with its accessibility always on,
# and tests/atspi.py (Debian's python3 with pyatspi) finding every command by its French name,
# pressing it through its action and checking the effect (windows, plots, test.wav, the challenge's
# score heard as a notification).
# Screenshots in BUILD_DIR/atspi/.
#
# Usage: atspi.test.sh BUILD_DIR SOURCE_DIR. Exit 77 (skipped) only when the packages it needs
# cannot be installed or no X server can start.
set -uo pipefail

if [ -z "${ATSPI_SOUS_GARDE:-}" ]; then
    ATSPI_SOUS_GARDE=1 exec timeout -s TERM 240 bash "$0" "$@"
fi

BUILD_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)
ARTEFACTS=$BUILD_DIR/atspi
rm -rf "$ARTEFACTS"
mkdir -p "$ARTEFACTS"
PYTHON=/usr/bin/python3 # Debian's, where python3-pyatspi lives (not a python3 found on PATH)
LANCEUR=/usr/libexec/at-spi-bus-launcher

pret() {
    [ -x "$PYTHON" ] && "$PYTHON" -c 'import pyatspi' 2>/dev/null && [ -x "$LANCEUR" ] \
        && command -v dbus-daemon >/dev/null && command -v xdotool >/dev/null && command -v import >/dev/null
}
if ! pret; then
    # The packages are in scripts/setup.sh's test list; a fresh machine may not have run it yet.
    if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
        source "$SOURCE_DIR/scripts/setup.sh"
        installe_paquets at-spi2-core python3-pyatspi dbus xdotool imagemagick >/dev/null 2>&1
    fi
    pret || { echo "SKIP: at-spi2-core, python3-pyatspi or dbus cannot be installed"; exit 77; }
fi
[ -x "$BUILD_DIR/sonavirelle" ] || { echo "FAIL: $BUILD_DIR/sonavirelle is not built"; exit 1; }

TEMP=$(mktemp -d)
BUS_PID=""
LANCEUR_PID=""
PROG_PID=""
# Each helper runs in a session of its own (setsid), so that it and whatever it starts (the
# accessibility bus, its registry) are stopped together, by that process group's id.
arrete_groupe() {
    local pid=$1 _
    [ -n "$pid" ] || return 0
    kill -TERM -- "-$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 -- "-$pid" 2>/dev/null || break; sleep 0.05; done
    kill -KILL -- "-$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}
fin() {
    arrete_groupe "$PROG_PID"
    arrete_groupe "$LANCEUR_PID"
    arrete_groupe "$BUS_PID"
    declare -F ecran_x_arrete >/dev/null && ecran_x_arrete || true
    rm -rf "$TEMP"
}
trap fin EXIT
trap 'echo "FAIL: interrupted (stuck for 240 s?)"; exit 1' TERM INT

source "$SOURCE_DIR/scripts/ecran_x.sh"
if ! ecran_x_demarre 1280 1024 "$ARTEFACTS/xvfb.log"; then
    echo "SKIP: no X server could start"
    exit 77
fi
echo "X server on $DISPLAY"

# --- A private session bus, then the accessibility bus registered on it.
mkdir -p "$TEMP/run"
chmod 700 "$TEMP/run"
export XDG_RUNTIME_DIR=$TEMP/run
export DBUS_SESSION_BUS_ADDRESS=unix:path=$TEMP/bus
setsid dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --nofork --nopidfile \
    >"$ARTEFACTS/dbus.log" 2>&1 &
BUS_PID=$!
for _ in $(seq 100); do [ -S "$TEMP/bus" ] && break; sleep 0.05; done
[ -S "$TEMP/bus" ] || { echo "FAIL: the D-Bus session did not start"; cat "$ARTEFACTS/dbus.log"; exit 1; }
setsid "$LANCEUR" --launch-immediately >"$ARTEFACTS/at-spi.log" 2>&1 &
LANCEUR_PID=$!
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    sleep 0.1
done

# --- The program in a copy of its application folder, so that test.wav lands there.
APP=$TEMP/app
mkdir -p "$APP"
cp "$BUILD_DIR/sonavirelle" "$APP/"
if [ -f "$BUILD_DIR/silence.wav" ]; then
    cp "$BUILD_DIR/silence.wav" "$APP/"
elif [ -f "$SOURCE_DIR/resources/silence.wav" ]; then
    cp "$SOURCE_DIR/resources/silence.wav" "$APP/"
fi
# No sound server: the switch must work without one.
printf 'autospawn = no\n' >"$TEMP/client.conf"
(
    cd "$APP" || exit 1
    exec setsid env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb PULSE_SERVER="unix:$TEMP/sans-serveur" \
        PULSE_CLIENTCONFIG="$TEMP/client.conf" ./sonavirelle
) >"$ARTEFACTS/programme.log" 2>&1 &
PROG_PID=$!

timeout -s TERM 150 "$PYTHON" "$SOURCE_DIR/tests/atspi.py" "$APP" "$SOURCE_DIR" "$ARTEFACTS"
STATUT=$?
if [ "$STATUT" -ne 0 ]; then
    [ "$STATUT" -eq 124 ] && echo "FAIL: the AT-SPI steps did not end within 150 s"
    echo "--- program output"
    cat "$ARTEFACTS/programme.log"
    echo "--- accessibility bus"
    cat "$ARTEFACTS/at-spi.log"
    exit 1
fi
kill -0 "$PROG_PID" 2>/dev/null || { echo "FAIL: the program ended during the steps"; exit 1; }
echo "screenshots in $ARTEFACTS"
