#!/usr/bin/env bash
# The sound server dies while a loop plays: starts a private PulseAudio with a null sink, runs
# tst_pannes's serveurTueEnPleineBoucle against it (the test kills the server by its PID, then
# keeps using the program), and cleans up. Server set-up as in audio_reel.test.sh.
# Usage: pannes_son.test.sh BUILD_DIR SOURCE_DIR. Exit 77 (skipped) only when no server can run.
set -u

BUILD_DIR=${1:?build folder}
SUITE="$BUILD_DIR/tests/tst_pannes"
PUITS=sonavirelle_nul

for outil in pulseaudio pactl; do
    if ! command -v "$outil" >/dev/null 2>&1; then
        echo "SKIP: $outil is not installed (package pulseaudio / pulseaudio-utils)"
        exit 77
    fi
done
[ -x "$SUITE" ] || { echo "FAIL: $SUITE was not built"; exit 1; }

DOSSIER=$(mktemp -d "${TMPDIR:-/tmp}/sonavirelle-pannes.XXXXXX")
chmod 700 "$DOSSIER"
PID_SERVEUR=""
termine() {
    if [ -n "$PID_SERVEUR" ]; then
        kill "$PID_SERVEUR" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$PID_SERVEUR" 2>/dev/null || break; sleep 0.05; done
    fi
    rm -rf "$DOSSIER"
}
trap termine EXIT

# Everything the server and its clients keep stays in DOSSIER: neither the user's own server
# nor a parallel run is touched.
export XDG_RUNTIME_DIR="$DOSSIER" HOME="$DOSSIER" XDG_CONFIG_HOME="$DOSSIER/config"
export PULSE_SERVER="unix:$DOSSIER/pulse.sock"
unset PULSE_SINK PULSE_SOURCE

pulseaudio --daemonize=no --exit-idle-time=-1 --use-pid-file=no -n --log-target=stderr \
    --load="module-null-sink sink_name=$PUITS rate=44100 channels=2" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$DOSSIER/pulse.sock" \
    2>"$DOSSIER/pulse.log" &
PID_SERVEUR=$!
disown "$PID_SERVEUR" # its death by SIGKILL is expected: no job report for it

pret=0
for _ in $(seq 100); do
    if pactl info >/dev/null 2>&1; then pret=1; break; fi
    kill -0 "$PID_SERVEUR" 2>/dev/null || break
    sleep 0.05
done
if [ "$pret" -ne 1 ]; then
    echo "SKIP: no PulseAudio server could be started here:"
    tail -n 5 "$DOSSIER/pulse.log"
    exit 77
fi
pactl set-default-sink "$PUITS"

# The test kills the server itself, while the loop plays; a run that hangs is cut off here.
SONAVIRELLE_PANNES_PID="$PID_SERVEUR" QT_QPA_PLATFORM=offscreen \
    timeout --kill-after=5 120 "$SUITE" serveurTueEnPleineBoucle
resultat=$?
if [ "$resultat" -eq 124 ] || [ "$resultat" -eq 137 ]; then
    echo "FAIL: the program hung after the sound server died"
fi
sleep 0.1
if kill -0 "$PID_SERVEUR" 2>/dev/null; then
    echo "FAIL: the sound server is still running: the test did not get to kill it"
    resultat=1
fi
exit "$resultat"
