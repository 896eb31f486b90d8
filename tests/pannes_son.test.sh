#!/usr/bin/env bash
# The sound server dies while a loop plays: starts a private PulseAudio with a null sink, runs
# tst_pannes's serveurTueEnPleineBoucle against it (the test kills the server by its PID, then
# keeps using the program), and cleans up. Server set-up in scripts/serveur_son.sh.
# Usage: pannes_son.test.sh BUILD_DIR SOURCE_DIR. Exit 77 (skipped) only when no server can run.
set -u

BUILD_DIR=${1:?build folder}
SUITE="$BUILD_DIR/tests/tst_pannes"
PUITS=sonavirelle_nul

[ -x "$SUITE" ] || { echo "FAIL: $SUITE was not built"; exit 1; }

source "${2:?source folder}/scripts/serveur_son.sh"
trap serveur_son_arrete EXIT
if ! serveur_son_demarre "$PUITS"; then
    echo "SKIP: no PulseAudio server could be started here"
    exit 77
fi

# The test kills the server itself, while the loop plays; a run that hangs is cut off here.
SONAVIRELLE_PANNES_PID="$SERVEUR_SON_PID" QT_QPA_PLATFORM=offscreen \
    timeout --kill-after=5 120 "$SUITE" serveurTueEnPleineBoucle
resultat=$?
if [ "$resultat" -eq 124 ] || [ "$resultat" -eq 137 ]; then
    echo "FAIL: the program hung after the sound server died"
fi
sleep 0.1
if kill -0 "$SERVEUR_SON_PID" 2>/dev/null; then
    echo "FAIL: the sound server is still running: the test did not get to kill it"
    resultat=1
fi
exit "$resultat"
