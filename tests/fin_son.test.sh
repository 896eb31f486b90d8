#!/usr/bin/env bash
# The program ends within one second of its last window closing, whatever the sound server does.
# The real program, under a private X server, against a private PulseAudio: the main window opened
# on a timbre, the sound on and the microphone listening (Ctrl+M), then the server is stopped
# (SIGSTOP) while the loop plays, or was already stopped when the program connected (half-dead:
# the socket accepts, nothing answers), or is killed; the window is asked to close as its frame's
# button would, and the process must be gone within a second. Servers and programs are stopped by PID.
# Usage: fin_son.test.sh BUILD_DIR SOURCE_DIR. Exit 77 (skipped) only when no server can run.
set -u

BUILD_DIR=${1:?build folder}
SOURCE_DIR=${2:?source folder}
LIMITE_MS=1000

for outil in xdotool python3; do
    command -v "$outil" >/dev/null || { echo "FAIL: $outil is missing (scripts/setup.sh installs it)"; exit 1; }
done
[ -x "$BUILD_DIR/sonavirelle" ] || { echo "FAIL: $BUILD_DIR/sonavirelle was not built"; exit 1; }

source "$SOURCE_DIR/scripts/ecran_x.sh"
source "$SOURCE_DIR/scripts/serveur_son.sh"
TEMP=$(mktemp -d "${TMPDIR:-/tmp}/sonavirelle-fin.XXXXXX")
PROG_PID=""
nettoie() {
    if [ -n "$PROG_PID" ]; then
        kill -CONT "$SERVEUR_SON_PID" 2>/dev/null
        kill -KILL "$PROG_PID" 2>/dev/null
    fi
    [ -n "$SERVEUR_SON_PID" ] && kill -CONT "$SERVEUR_SON_PID" 2>/dev/null
    serveur_son_arrete
    ecran_x_arrete
    rm -rf "$TEMP"
}
trap nettoie EXIT

ecran_x_demarre 1280 1024 "$TEMP/xvfb.log" || { echo "FAIL: no X server"; exit 1; }
# The program in a folder of its own: its test.wav goes there.
APP=$TEMP/app
mkdir -p "$APP"
cp "$BUILD_DIR/sonavirelle" "$APP/"
cp "$SOURCE_DIR/resources/silence.wav" "$APP/" 2>/dev/null
cp "$SOURCE_DIR/tests/corpus_timbre/carre-220.timbre" "$TEMP/"

ECHECS=0
echec() {
    echo "FAIL: $*"
    ECHECS=$((ECHECS + 1))
    [ -f "$TEMP/programme.log" ] && sed 's/^/  | /' "$TEMP/programme.log"
}

# Running: a zombie (ended, not yet waited for by this script) counts as gone.
vivant() {
    local etat
    etat=$(awk '{print $3}' "/proc/$PROG_PID/stat" 2>/dev/null) || return 1
    [ -n "$etat" ] && [ "$etat" != Z ] && [ "$etat" != X ]
}

# essai NAME WHEN: WHEN is what is done to the server: "avant" (stopped before the program starts),
# "pendant" (stopped while the loop plays), "tue" (killed while it plays).
essai() {
    local nom=$1 quand=$2 fenetre="" debut fin _
    if ! serveur_son_demarre sonavirelle_fin >"$TEMP/serveur.log" 2>&1; then
        echo "SKIP: no PulseAudio server could be started here"
        exit 77
    fi
    [ "$quand" = avant ] && kill -STOP "$SERVEUR_SON_PID"
    (
        cd "$APP" || exit 1
        exec env QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$TEMP/config" ./sonavirelle "$TEMP/carre-220.timbre"
    ) >"$TEMP/programme.log" 2>&1 &
    PROG_PID=$!
    for _ in $(seq 100); do
        fenetre=$(xdotool search --onlyvisible --name '^Sonavirelle 2010' 2>/dev/null | head -n 1)
        [ -n "$fenetre" ] && break
        vivant || break
        sleep 0.1
    done
    if [ -z "$fenetre" ]; then
        echec "$nom: the main window did not open"
        kill -KILL "$PROG_PID" 2>/dev/null
        PROG_PID=""
        serveur_son_arrete
        return
    fi
    sleep 0.3
    eval "$(xdotool getwindowgeometry --shell "$fenetre")"
    # The sound switch at (8, 8) px, 225 x 33; then the microphone's live listening.
    timeout 5 xdotool mousemove --sync $((X + 120)) $((Y + 24))
    xdotool click 1
    sleep 0.2
    xdotool key --window "$fenetre" ctrl+m
    sleep 0.8
    case "$quand" in
    pendant) kill -STOP "$SERVEUR_SON_PID" ;;
    tue) kill -KILL "$SERVEUR_SON_PID" ;;
    esac
    sleep 0.5
    vivant || { echec "$nom: the program ended before its window was closed"; PROG_PID=""; serveur_son_arrete; return; }
    # Timed from when the X server holds the request (the helper returns after XSync), not from
    # the helper's own start-up.
    python3 "$SOURCE_DIR/tests/ecran_x.py" ferme "$fenetre"
    debut=$(date +%s%N)
    while vivant && [ $((($(date +%s%N) - debut) / 1000000)) -lt 5000 ]; do
        sleep 0.01
    done
    fin=$((($(date +%s%N) - debut) / 1000000))
    if vivant; then
        echec "$nom: the program still runs 5 s after its last window closed"
        kill -KILL "$PROG_PID" 2>/dev/null
    elif [ "$fin" -ge "$LIMITE_MS" ]; then
        echec "$nom: the program ended $fin ms after its last window closed (limit $LIMITE_MS ms)"
    else
        echo "ok: $nom: gone $fin ms after its last window closed"
    fi
    wait "$PROG_PID" 2>/dev/null
    PROG_PID=""
    kill -CONT "$SERVEUR_SON_PID" 2>/dev/null
    serveur_son_arrete
}

essai "server stopped while the loop plays" pendant
essai "server stopped before the program connected" avant
essai "server killed while the loop plays" tue
exit $((ECHECS > 0))
