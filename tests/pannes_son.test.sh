#!/usr/bin/env bash
# The sound server stalls, dies or is missing while a loop is wanted: starts a private PulseAudio
# with a null sink for each of tst_pannes's serveurFige (the test stops the server with SIGSTOP,
# uses the program, lets the server go on and listens to the sink), serveurTueEnPleineBoucle (the
# test kills the server by its PID, keeps using the program, then starts the same server again and
# stops it by its own PID), serveurRevient (killed for 5 s, then in another run for 30 s, the loop
# heard again) and serveurAbsentAuDemarrage (no server at start, one started later), and cleans up.
# Server set-up in scripts/serveur_son.sh.
# Usage: pannes_son.test.sh BUILD_DIR SOURCE_DIR. Exit 77 (skipped) only when no server can run.
set -u

BUILD_DIR=${1:?build folder}
SUITE="$BUILD_DIR/tests/tst_pannes"
PUITS=sonavirelle_nul

[ -x "$SUITE" ] || { echo "FAIL: $SUITE was not built"; exit 1; }

source "${2:?source folder}/scripts/serveur_son.sh"
trap serveur_son_arrete EXIT

# Each test in a process of its own, as the program runs, against a server of its own: Qt's sound
# service lives on the thread of the first player of the process. serveurTueEnPleineBoucle and
# serveurRevient kill the server themselves while the loop plays, and start it again from its
# command line; serveurAbsentAuDemarrage gets that command line with the server already gone.
# A run that hangs is cut off here.
resultat=0
for fonction in ${SONAVIRELLE_PANNES_TESTS:-serveurFige serveurTueEnPleineBoucle serveurRevient:5s serveurRevient:30s serveurAbsentAuDemarrage}; do
    if ! serveur_son_demarre "$PUITS"; then
        [ "$fonction" = serveurFige ] && { echo "SKIP: no PulseAudio server could be started here"; exit 77; }
        echo "FAIL: the sound server could not be started again for $fonction"
        exit 1
    fi
    serveur_son_entretien
    ligne="$SERVEUR_SON_DOSSIER/ligne-serveur"
    cp "/proc/$SERVEUR_SON_PID/cmdline" "$ligne"
    if [ "$fonction" = serveurAbsentAuDemarrage ]; then
        kill -KILL "$SERVEUR_SON_PID"
        for _ in $(seq 50); do kill -0 "$SERVEUR_SON_PID" 2>/dev/null || break; sleep 0.05; done
    fi
    SONAVIRELLE_PANNES_PID="$SERVEUR_SON_PID" SONAVIRELLE_PANNES_LIGNE="$ligne" SONAVIRELLE_PULSE_SINK="$PUITS" \
        QT_QPA_PLATFORM=offscreen timeout --kill-after=5 150 "$SUITE" "$fonction"
    r=$?
    if [ "$r" -eq 124 ] || [ "$r" -eq 137 ]; then
        echo "FAIL: $fonction hung (the sound server stopped or died)"
    fi
    [ "$resultat" -eq 0 ] && resultat=$r
    sleep 0.1
    case "$fonction" in
    serveurTueEnPleineBoucle | serveurRevient:*)
        if kill -0 "$SERVEUR_SON_PID" 2>/dev/null; then
            echo "FAIL: the sound server is still running: $fonction did not get to kill it"
            resultat=1
        fi
        ;;
    esac
    serveur_son_arrete
done
exit "$resultat"
