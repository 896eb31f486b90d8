#!/usr/bin/env bash
# The microphone against a private PulseAudio server whose only input is a module-pipe-source,
# fed in real time (50 ms blocks) with a 220 Hz sawtooth made by sox. Each of tst_micro's tests
# runs in a process of its own against a server of its own; the tests load and unload the pipe
# source themselves (pactl), the feeder follows its FIFO. Server set-up in scripts/serveur_son.sh.
# Usage: micro.test.sh BUILD_DIR SOURCE_DIR. Exit 77 (skipped) only when no server can run.
set -u

BUILD_DIR=${1:?build folder}
SOURCE_DIR=${2:?source folder}
SUITE="$BUILD_DIR/tests/tst_micro"
PUITS=sonavirelle_nul

[ -x "$SUITE" ] || { echo "FAIL: $SUITE was not built"; exit 1; }
command -v sox >/dev/null || { echo "FAIL: sox is not installed"; exit 1; }

source "$SOURCE_DIR/scripts/serveur_son.sh"
ALIMENTATION=""
arrete() {
    [ -n "$ALIMENTATION" ] && { kill "$ALIMENTATION" 2>/dev/null; wait "$ALIMENTATION" 2>/dev/null; }
    ALIMENTATION=""
    serveur_son_arrete
}
trap arrete EXIT

resultat=0
for fonction in ${SONAVIRELLE_MICRO_TESTS:-direct enregistre sansEntreeAuDemarrage perteEnEnregistrement longue}; do
    if ! serveur_son_demarre "$PUITS"; then
        [ "$resultat" -eq 0 ] && [ "$fonction" = direct ] && { echo "SKIP: no PulseAudio server could be started here"; exit 77; }
        echo "FAIL: the sound server could not be started for $fonction"
        exit 1
    fi
    # Ten seconds, a whole number of periods: looped without a seam.
    sox -n -r 44100 -c 1 -b 16 -e signed-integer -t raw "$SERVEUR_SON_DOSSIER/scie.raw" synth 10 sawtooth 220 vol 0.5
    # The recording's test listens to the sink's monitor: its clock is kept steady.
    [ "$fonction" = enregistre ] && serveur_son_entretien
    fifo="$SERVEUR_SON_DOSSIER/micro.fifo"
    /usr/bin/python3 "$SOURCE_DIR/tests/micro_source.py" "$fifo" "$SERVEUR_SON_DOSSIER/scie.raw" &
    ALIMENTATION=$!
    SONAVIRELLE_PULSE_SINK="$PUITS" SONAVIRELLE_MICRO_FIFO="$fifo" SONAVIRELLE_MICRO_BRUT="$SERVEUR_SON_DOSSIER/scie.raw" SONAVIRELLE_SOURCE="$SOURCE_DIR" QT_QPA_PLATFORM=offscreen \
        timeout --kill-after=5 150 "$SUITE" "$fonction"
    r=$?
    if [ "$r" -eq 124 ] || [ "$r" -eq 137 ]; then
        echo "FAIL: $fonction hung"
    fi
    [ "$resultat" -eq 0 ] && resultat=$r
    arrete
done
exit "$resultat"
