#!/usr/bin/env bash
# A damaged .timbre given on the command line, as the desktop gives it on a double-click, under a
# real X server: the main window opens on the default sound and the "Timbre refusé" box stands
# over it. test.wav is checked against the default sound's file by tst_exportation.
# Screenshot in BUILD_DIR/fichier_refuse/.
#
# Usage: fichier_refuse.test.sh BUILD_DIR SOURCE_DIR. Exit 77 (skipped) when no X server can start.
set -uo pipefail

BUILD_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)
ARTEFACTS=$BUILD_DIR/fichier_refuse
rm -rf "$ARTEFACTS"
mkdir -p "$ARTEFACTS"
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
[ -x "$BUILD_DIR/sonavirelle" ] || { echo "FAIL: $BUILD_DIR/sonavirelle is not built"; exit 1; }

TEMP=$(mktemp -d)
PROG_PID=""
fin() {
    [ -n "$PROG_PID" ] && kill "$PROG_PID" 2>/dev/null && wait "$PROG_PID" 2>/dev/null
    declare -F ecran_x_arrete >/dev/null && ecran_x_arrete || true
    rm -rf "$TEMP"
}
trap fin EXIT

source "$SOURCE_DIR/scripts/ecran_x.sh"
ecran_x_demarre 1280 1024 "$ARTEFACTS/xvfb.log" || { echo "SKIP: no X server could start"; exit 77; }

cp "$BUILD_DIR/sonavirelle" "$TEMP/sonavirelle"
printf '%s' '{"format":"sonavirelle-timbre","version":2,"composantes":[{"frequence":440,"amplitude":10}]}' \
    >"$TEMP/abîmé.timbre"
HOME=$TEMP XDG_CONFIG_HOME=$TEMP/config LANG=fr_FR.UTF-8 PULSE_SERVER=unix:/nonexistent \
    "$TEMP/sonavirelle" "$TEMP/abîmé.timbre" >"$ARTEFACTS/programme.log" 2>&1 &
PROG_PID=$!

ECHECS=0
attend_fenetre() {
    local _
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        kill -0 "$PROG_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
attend_fenetre '^Sonavirelle 2010$' || { echo "FAIL: the main window did not show"; ECHECS=1; }
attend_fenetre '^Timbre refus.+$' || { echo "FAIL: no 'Timbre refusé' box"; ECHECS=1; }
sleep 0.3
import -window root "$ARTEFACTS/fenetre.png" 2>/dev/null || true
xdotool search --onlyvisible --name '^Bienvenue|^Accueil$' >/dev/null 2>&1 && {
    echo "FAIL: the welcome window showed"
    ECHECS=1
}
kill -0 "$PROG_PID" 2>/dev/null || { echo "FAIL: the program ended"; ECHECS=1; }
grep -q "abîmé.timbre" "$ARTEFACTS/programme.log" || { echo "FAIL: no reason on standard error"; ECHECS=1; }
if [ "$ECHECS" -ne 0 ]; then
    cat "$ARTEFACTS/programme.log"
    exit 1
fi
echo "main window and message box shown; screenshot in $ARTEFACTS"
