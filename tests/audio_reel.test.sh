#!/usr/bin/env bash
# The player against a real sound server: starts a private PulseAudio with a null sink, runs
# tst_audio_reel against it (which records the sink's monitor), and stops the server again.
# Usage: audio_reel.test.sh BUILD_DIR SOURCE_DIR [test function...]. Exit 77 (skipped) only when no server can run.
set -u

BUILD_DIR=${1:?build folder}
SUITE="$BUILD_DIR/tests/tst_audio_reel"
PUITS=sonavirelle_nul

for outil in pulseaudio pactl parec pacat; do
    if ! command -v "$outil" >/dev/null 2>&1; then
        echo "SKIP: $outil is not installed (package pulseaudio / pulseaudio-utils)"
        exit 77
    fi
done
[ -x "$SUITE" ] || { echo "FAIL: $SUITE was not built"; exit 1; }

DOSSIER=$(mktemp -d "${TMPDIR:-/tmp}/sonavirelle-pulse.XXXXXX")
chmod 700 "$DOSSIER"
PID_SERVEUR=""
PID_ENTRETIEN=""
termine() {
    if [ -n "$PID_ENTRETIEN" ]; then
        kill "$PID_ENTRETIEN" 2>/dev/null
        wait "$PID_ENTRETIEN" 2>/dev/null
    fi
    if [ -n "$PID_SERVEUR" ]; then
        kill "$PID_SERVEUR" 2>/dev/null
        wait "$PID_SERVEUR" 2>/dev/null
    fi
    rm -rf "$DOSSIER"
}
trap termine EXIT

# Everything the server and its clients keep (runtime folder, cookie, state) stays in DOSSIER,
# so that neither the user's own server nor a parallel run is touched.
export XDG_RUNTIME_DIR="$DOSSIER" HOME="$DOSSIER" XDG_CONFIG_HOME="$DOSSIER/config"
export PULSE_SERVER="unix:$DOSSIER/pulse.sock"
unset PULSE_SINK PULSE_SOURCE

pulseaudio --daemonize=no --exit-idle-time=-1 --use-pid-file=no -n --log-target=stderr \
    --load="module-null-sink sink_name=$PUITS rate=44100 channels=2" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$DOSSIER/pulse.sock" \
    2>"$DOSSIER/pulse.log" &
PID_SERVEUR=$!

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

# Silence played at a low latency keeps the null sink's clock steady: without it the monitor
# delivers recordings late and in bursts.
pacat --playback --raw --latency-msec=20 -d "$PUITS" </dev/zero &
PID_ENTRETIEN=$!
# A new null sink first runs with a latency of about two seconds; the first recording returns
# once it has switched to the low latency asked for above.
timeout 10 parec -d "$PUITS.monitor" --raw --latency-msec=10 2>/dev/null | head -c 4410 >/dev/null

SONAVIRELLE_PULSE_SINK="$PUITS" QT_QPA_PLATFORM=offscreen "$SUITE" "${@:3}"
