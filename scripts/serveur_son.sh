# A private PulseAudio server with a null sink, for the tests and benchmarks that need real sound.
# Sourced, not run. Everything the server and its clients keep (runtime folder, cookie, state)
# stays in one temporary folder, so neither the user's own server nor a parallel run is touched.
#
#   serveur_son_demarre PUITS   start it; exports PULSE_SERVER; sets SERVEUR_SON_PID; false if none can run
#   serveur_son_entretien       keep the sink's clock steady and wait until it runs at a low latency
#   serveur_son_arrete          stop the clients, then the server (dead or alive), and remove the folder

SERVEUR_SON_DOSSIER=""
SERVEUR_SON_PID=""
SERVEUR_SON_PUITS=""
SERVEUR_SON_CLIENTS=()

serveur_son_demarre() {
    SERVEUR_SON_PUITS=$1
    local outil
    for outil in pulseaudio pactl pacat parec; do
        if ! command -v "$outil" >/dev/null 2>&1; then
            echo "$outil is not installed (packages pulseaudio, pulseaudio-utils)"
            return 1
        fi
    done
    SERVEUR_SON_DOSSIER=$(mktemp -d "${TMPDIR:-/tmp}/sonavirelle-pulse.XXXXXX")
    chmod 700 "$SERVEUR_SON_DOSSIER"
    export XDG_RUNTIME_DIR="$SERVEUR_SON_DOSSIER" HOME="$SERVEUR_SON_DOSSIER"
    export XDG_CONFIG_HOME="$SERVEUR_SON_DOSSIER/config"
    export PULSE_SERVER="unix:$SERVEUR_SON_DOSSIER/pulse.sock"
    unset PULSE_SINK PULSE_SOURCE

    pulseaudio --daemonize=no --exit-idle-time=-1 --use-pid-file=no -n --log-target=stderr \
        --load="module-null-sink sink_name=$SERVEUR_SON_PUITS rate=44100 channels=2" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$SERVEUR_SON_DOSSIER/pulse.sock" \
        2>"$SERVEUR_SON_DOSSIER/pulse.log" &
    SERVEUR_SON_PID=$!
    disown "$SERVEUR_SON_PID" # a test may kill it on purpose: no job report for it

    local _
    for _ in $(seq 100); do
        if pactl info >/dev/null 2>&1; then
            pactl set-default-sink "$SERVEUR_SON_PUITS"
            return 0
        fi
        kill -0 "$SERVEUR_SON_PID" 2>/dev/null || break
        sleep 0.05
    done
    tail -n 5 "$SERVEUR_SON_DOSSIER/pulse.log"
    return 1
}

serveur_son_entretien() {
    # Silence played at a low latency keeps the null sink's clock steady: alone it works in
    # two-second blocks and its monitor delivers recordings late and in bursts.
    pacat --playback --raw --latency-msec=20 -d "$SERVEUR_SON_PUITS" </dev/zero 2>/dev/null &
    SERVEUR_SON_CLIENTS+=($!)
    # The first short recording returns once the sink has switched to that low latency.
    timeout 10 parec -d "$SERVEUR_SON_PUITS.monitor" --raw --latency-msec=10 2>/dev/null | head -c 4410 >/dev/null
}

serveur_son_arrete() {
    local pid _
    for pid in "${SERVEUR_SON_CLIENTS[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if [ -n "$SERVEUR_SON_PID" ]; then
        kill "$SERVEUR_SON_PID" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$SERVEUR_SON_PID" 2>/dev/null || break; sleep 0.05; done
    fi
    [ -n "$SERVEUR_SON_DOSSIER" ] && rm -rf "$SERVEUR_SON_DOSSIER"
    SERVEUR_SON_CLIENTS=()
    SERVEUR_SON_PID=""
    SERVEUR_SON_DOSSIER=""
}
