# A private X server (Xvfb) for the tests and benchmarks that need a real one. Sourced, not run.
# Every user of a real X server starts it through here, the same way.
#
#   ecran_x_demarre LARGEUR HAUTEUR JOURNAL   start it on a free display it picks itself, with a
#                                             black root; exports DISPLAY; sets ECRAN_X_PID;
#                                             false (with the server's log shown) if none can start
#   ecran_x_arrete                            stop it, by its PID
#
# -displayfd: the server picks a free display and writes its number once it accepts clients, so
# there is no race with another server starting at the same time.
# -noreset: by default the server resets itself whenever its last client leaves. The readiness
# probe is such a client: the program connecting right after it could meet a server in the
# middle of its reset (slow on a fresh, busy machine, which compiles its keymap again) and fail
# with "could not connect to display".

ECRAN_X_PID=""
ECRAN_X_DOSSIER=""

ecran_x_demarre() {
    local largeur=$1 hauteur=$2 journal=$3 essai n _
    if ! command -v Xvfb >/dev/null 2>&1; then
        echo "Xvfb is not installed (package xvfb)"
        return 1
    fi
    ECRAN_X_DOSSIER=$(mktemp -d "${TMPDIR:-/tmp}/sonavirelle-x.XXXXXX")
    for essai in 1 2 3; do
        rm -f "$ECRAN_X_DOSSIER/ecran"
        Xvfb -displayfd 3 -screen 0 "${largeur}x${hauteur}x24" -dpi 96 -br -noreset -nolisten tcp \
            3>"$ECRAN_X_DOSSIER/ecran" >"$journal" 2>&1 &
        ECRAN_X_PID=$!
        for _ in $(seq 200); do
            [ -s "$ECRAN_X_DOSSIER/ecran" ] && break
            kill -0 "$ECRAN_X_PID" 2>/dev/null || break
            sleep 0.05
        done
        n=$(tr -dc '0-9' <"$ECRAN_X_DOSSIER/ecran" 2>/dev/null)
        if [ -n "$n" ] && DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
            export DISPLAY=":$n"
            return 0
        fi
        ecran_x_arrete_serveur
    done
    cat "$journal"
    return 1
}

ecran_x_arrete_serveur() {
    local _
    if [ -n "$ECRAN_X_PID" ]; then
        kill "$ECRAN_X_PID" 2>/dev/null
        for _ in $(seq 100); do kill -0 "$ECRAN_X_PID" 2>/dev/null || break; sleep 0.05; done
        kill -9 "$ECRAN_X_PID" 2>/dev/null
        wait "$ECRAN_X_PID" 2>/dev/null
    fi
    ECRAN_X_PID=""
}

ecran_x_arrete() {
    ecran_x_arrete_serveur
    [ -n "$ECRAN_X_DOSSIER" ] && rm -rf "$ECRAN_X_DOSSIER"
    ECRAN_X_DOSSIER=""
}
