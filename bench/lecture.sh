#!/usr/bin/env bash
# Runs bench_lecture against a private PulseAudio with a null sink (never the user's own server),
# then stops that server. Usage: bench/lecture.sh [BUILD_DIR] [SOURCE_DIR]
# BUILD_DIR defaults to build/release; bench/run passes its own.
set -u

RACINE=${2:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
B=${1:-$RACINE/build/release}
BANC="$B/bench/bench_lecture"
PUITS=banc_lecture

[ -x "$BANC" ] || { echo "$BANC is not built" >&2; exit 1; }
for outil in pulseaudio pactl pacat parec; do
    command -v "$outil" >/dev/null 2>&1 || { echo "$outil is not installed: edit to playing not measured" >&2; exit 1; }
done

DOSSIER=$(mktemp -d "${TMPDIR:-/tmp}/sonavirelle-banc.XXXXXX")
chmod 700 "$DOSSIER"
PIDS=()
termine() {
    local i
    # Clients first, then the server.
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        kill "${PIDS[i]}" 2>/dev/null
        wait "${PIDS[i]}" 2>/dev/null
    done
    rm -rf "$DOSSIER"
}
trap termine EXIT

export XDG_RUNTIME_DIR="$DOSSIER" HOME="$DOSSIER" XDG_CONFIG_HOME="$DOSSIER/config"
export PULSE_SERVER="unix:$DOSSIER/pulse.sock"
pulseaudio --daemonize=no --exit-idle-time=-1 --use-pid-file=no -n --log-target=stderr \
    --load="module-null-sink sink_name=$PUITS rate=44100 channels=2" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$DOSSIER/pulse.sock" \
    2>"$DOSSIER/pulse.log" &
PIDS+=($!)
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.05
done
pactl info >/dev/null 2>&1 || { echo "no PulseAudio server could be started" >&2; exit 1; }
pactl set-default-sink "$PUITS"

# Another client at a low latency, as a desktop's sound card runs: a lone null sink otherwise
# works in two-second blocks. The short recording returns once the sink has switched.
pacat --playback --raw --latency-msec=20 -d "$PUITS" </dev/zero 2>/dev/null &
PIDS+=($!)
timeout 10 parec -d "$PUITS.monitor" --raw --latency-msec=10 2>/dev/null | head -c 4410 >/dev/null

"$BANC"
