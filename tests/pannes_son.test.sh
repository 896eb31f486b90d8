#!/usr/bin/env bash
# The sound server stalls, then dies, while a loop plays: starts a private PulseAudio with a null
# sink, runs tst_pannes's serveurFige (the test stops the server with SIGSTOP, uses the program,
# lets the server go on and listens to the sink) and serveurTueEnPleineBoucle (the test kills the
# server by its PID, keeps using the program, then starts the same server again and stops it by its
# own PID) against it, and cleans up. Server set-up in scripts/serveur_son.sh.
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
serveur_son_entretien

# The tests stop and kill the server themselves, while the loop plays; a run that hangs is cut off here.
# Each in a process of its own, as the program runs: Qt's sound service lives on the thread of the
# first player of the process, and only there does it reconnect to a server that comes back.
resultat=0
for fonction in serveurFige serveurTueEnPleineBoucle; do
    SONAVIRELLE_PANNES_PID="$SERVEUR_SON_PID" SONAVIRELLE_PULSE_SINK="$PUITS" QT_QPA_PLATFORM=offscreen \
        timeout --kill-after=5 120 "$SUITE" "$fonction"
    r=$?
    [ "$resultat" -eq 0 ] && resultat=$r
done
if [ "$resultat" -eq 124 ] || [ "$resultat" -eq 137 ]; then
    echo "FAIL: the program hung after the sound server died"
fi
sleep 0.1
if kill -0 "$SERVEUR_SON_PID" 2>/dev/null; then
    echo "FAIL: the sound server is still running: the test did not get to kill it"
    resultat=1
fi
exit "$resultat"
