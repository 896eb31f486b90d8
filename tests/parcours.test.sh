#!/usr/bin/env bash
# A person's journey through the real program, under a real X server and with real pointer
# events: welcome window, "Démarrer", add and remove a component, drag the fundamental, a key of
# the keyboard, clear, sound on, add, sound off, close. After every step test.wav is compared
# with an independent computation (tests/verif_wav.py) of the table that step must leave.
# The program plays to a private sound server's null sink; where none can run (or with
# PARCOURS_SANS_SON=1) it has no output, and "sound on" must leave the switch as it is and show the
# no-output notice instead. A screenshot of every step is kept in BUILD_DIR/parcours/.
#
# Usage: parcours.test.sh BUILD_DIR SOURCE_DIR. Exit 77 (skipped) only when no X server can start.
set -uo pipefail

# A stuck step must not leave the X server and the program behind: the script runs under a
# timeout of its own, well below the test runner's, and cleans up through its traps.
if [ -z "${PARCOURS_SOUS_GARDE:-}" ]; then
    PARCOURS_SOUS_GARDE=1 exec timeout -s TERM 240 bash "$0" "$@"
fi

BUILD_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)
VERIF=(python3 "$SOURCE_DIR/tests/verif_wav.py")
ECRAN=(python3 "$SOURCE_DIR/tests/ecran_x.py")
ARTEFACTS=$BUILD_DIR/parcours
rm -rf "$ARTEFACTS"
mkdir -p "$ARTEFACTS"

for outil in xdotool import python3; do
    command -v "$outil" >/dev/null || { echo "FAIL: $outil is missing (scripts/setup.sh installs it)"; exit 1; }
done
[ -x "$BUILD_DIR/sonavirelle" ] || { echo "FAIL: $BUILD_DIR/sonavirelle is not built"; exit 1; }

TEMP=$(mktemp -d)
PROG_PID=""
fin() {
    if [ -n "$PROG_PID" ] && kill -0 "$PROG_PID" 2>/dev/null; then
        kill "$PROG_PID" 2>/dev/null
        wait "$PROG_PID" 2>/dev/null
    fi
    declare -F ecran_x_arrete >/dev/null && ecran_x_arrete || true
    declare -F serveur_son_arrete >/dev/null && serveur_son_arrete || true
    rm -rf "$TEMP"
}
trap fin EXIT
trap 'echo "FAIL: interrupted (stuck for 240 s?)"; exit 1' TERM INT

# --- X server on a free display, black root (pixels never painted by the program stay black).
ECRAN_L=1280
ECRAN_H=1024
source "$SOURCE_DIR/scripts/ecran_x.sh"
if ! ecran_x_demarre "$ECRAN_L" "$ECRAN_H" "$ARTEFACTS/xvfb.log"; then
    echo "SKIP: no X server could start"
    exit 77
fi
echo "X server on $DISPLAY"

# --- The program in a copy of its application folder, so that test.wav lands there.
APP=$TEMP/app
mkdir -p "$APP" "$TEMP/run"
chmod 700 "$TEMP/run"
cp "$BUILD_DIR/sonavirelle" "$APP/"
if [ -f "$BUILD_DIR/silence.wav" ]; then
    cp "$BUILD_DIR/silence.wav" "$APP/"
elif [ -f "$SOURCE_DIR/resources/silence.wav" ]; then
    cp "$SOURCE_DIR/resources/silence.wav" "$APP/"
fi
WAV=$APP/test.wav
# No sound server: the program must work without one.
printf 'autospawn = no\n' >"$TEMP/client.conf"

# --- A private sound server with a null sink, so that "Ecouter" really plays. Where none can run
# (or PARCOURS_SANS_SON=1), the program is given an address where nobody answers and must say so.
SORTIE_SON=0
if [ -z "${PARCOURS_SANS_SON:-}" ]; then
    source "$SOURCE_DIR/scripts/serveur_son.sh"
    if serveur_son_demarre sonavirelle_parcours >"$ARTEFACTS/serveur-son.log" 2>&1; then
        SORTIE_SON=1
    fi
fi
[ "$SORTIE_SON" = 1 ] || PULSE_SERVER="unix:$TEMP/sans-serveur"
echo "sound output: $([ "$SORTIE_SON" = 1 ] && echo "private server" || echo none)"

ECHECS=0
echec() {
    echo "FAIL: $*"
    ECHECS=$((ECHECS + 1))
}
abandon() {
    echo "FAIL: $*"
    echo "--- program output"
    cat "$ARTEFACTS/programme.log"
    exit 1
}

PHOTO=0
photo() {
    PHOTO=$((PHOTO + 1))
    DERNIERE_PHOTO=$(printf '%s/%02d-%s.png' "$ARTEFACTS" "$PHOTO" "$1")
    import -window root "$DERNIERE_PHOTO"
}

etat() {
    stat -c '%i %y %s' "$WAV" 2>/dev/null || echo absent
}

# Waits for test.wav to be replaced after a step; false after 5 s.
attend_ecriture() {
    local avant=$1
    for _ in $(seq 50); do
        [ "$(etat)" != "$avant" ] && { sleep 0.1; return 0; }
        sleep 0.1
    done
    return 1
}

# verifie STEP [--taille N] TERM...: the file must hold exactly the table TERM... (FREQ:AMP per slot).
verifie() {
    local etape=$1
    shift
    for _ in $(seq 10); do
        if "${VERIF[@]}" compare "$WAV" "$@" >"$ARTEFACTS/$etape.txt" 2>&1; then
            echo "  $(cat "$ARTEFACTS/$etape.txt")"
            return 0
        fi
        sleep 0.2
    done
    echec "$etape: $(cat "$ARTEFACTS/$etape.txt")"
}

# etape_ecrit STEP STATE_BEFORE TERM...: the step must rewrite test.wav with that table.
etape_ecrit() {
    local etape=$1 avant=$2
    shift 2
    if attend_ecriture "$avant"; then
        verifie "$etape" "$@"
    else
        echec "$etape: test.wav was not rewritten"
    fi
}

etape_n_ecrit_pas() {
    sleep 0.4
    [ "$(etat)" = "$2" ] || echec "$1: test.wav was rewritten, nothing should have been synthesised"
}

deplace() {
    timeout 5 xdotool mousemove --sync "$1" "$2"
    sleep 0.15
}

clic() {
    deplace "$1" "$2"
    xdotool click "${3:-1}"
    sleep 0.2
}

# Visible window whose title matches, or among the program's windows; empty after 10 s.
cherche() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$PROG_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

visible() {
    xdotool search --onlyvisible "$@" 2>/dev/null | grep -q .
}

# Sets X, Y, WIDTH, HEIGHT of a window (without a window manager: its client area).
geometrie() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
}

# What is on the screen, read back from the X server.
empreinte() {
    "${ECRAN[@]}" empreinte "$@"
}

# The upper part of the time plot GrapheTemp (at (12, 84) px in the window, 873 px wide); the
# keyboard window, centred on the screen, may cover its lower part.
empreinte_temps() {
    empreinte $((FX + 12)) $((FY + 84)) 873 150
}

pixel_spectre() {
    "${ECRAN[@]}" pixel $((SX + $1)) $((SY + $2))
}

# attend_pixel STEP WHAT COL ROW "R G B": Spectre's pixel must show that colour (within 2 s).
attend_pixel() {
    local lu
    for _ in $(seq 20); do
        lu=$(pixel_spectre "$3" "$4")
        [ "$lu" = "$5" ] && return 0
        sleep 0.1
    done
    echec "$1: $2: Spectre pixel ($3, $4) is ($lu), expected ($5)"
}

# attend_temps STEP DIGEST_BEFORE: the time plot on screen must change (within 2 s).
attend_temps() {
    for _ in $(seq 20); do
        [ "$(empreinte_temps)" != "$2" ] && return 0
        sleep 0.1
    done
    echec "$1: the time plot on the screen did not change"
}

vivant() {
    kill -0 "$PROG_PID" 2>/dev/null
}

# --- Start: the welcome window alone, nothing written yet.
DEBUT=$SECONDS
(
    cd "$APP" || exit 1
    exec env XDG_RUNTIME_DIR="$TEMP/run" QT_QPA_PLATFORM=xcb PULSE_SERVER="$PULSE_SERVER" \
        XDG_CONFIG_HOME="$TEMP/config" PULSE_CLIENTCONFIG="$TEMP/client.conf" ./sonavirelle
) >"$ARTEFACTS/programme.log" 2>&1 &
PROG_PID=$!

echo "step: welcome window"
ACCUEIL=$(cherche --pid "$PROG_PID") || abandon "no window appeared"
sleep 0.3
photo accueil
[ -e "$WAV" ] && echec "welcome: test.wav exists before the main window is opened"
geometrie "$ACCUEIL"
# "Démarrer": Command1 at (120, 120), 121 x 41 px, in the framed Picture1 at (256, 64) px; the
# window and Picture1 each have a one-pixel frame.
clic $((X + 1 + 256 + 1 + 120 + 60)) $((Y + 1 + 64 + 1 + 120 + 20))

echo "step: main window"
PRINCIPALE=$(cherche --name '^Sonavirelle 2010$') || abandon "'Démarrer' did not open the main window"
sleep 0.3
photo principale
xdotool search --onlyvisible --pid "$PROG_PID" 2>/dev/null | grep -qx "$ACCUEIL" \
    && echec "main window: the welcome window is still shown"
verifie demarrage --taille 2048 440:10
geometrie "$PRINCIPALE"
[ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 624 ] || abandon "main window is ${WIDTH}x${HEIGHT}, expected 1024x624"
FX=$X
FY=$Y
# Spectre's top-left pixel in the window: TourSpectre at (8, 344), Spectre at (3, 27) inside it.
SX=$((FX + 8 + 3))
SY=$((FY + 344 + 27))
APERCU="255 150 100"
RAIE="237 127 28"
# A row between every line's top and the base line, off the grid rows.
RANG=$("${VERIF[@]}" rangee 1.5)
FOND=$(pixel_spectre 300 "$RANG")

echo "step: add a component near 880 Hz"
read -r COL ROW < <("${VERIF[@]}" pixel 880 5)
F2=$("${VERIF[@]}" ajout "$COL" 440)
C_APERCU=$("${VERIF[@]}" colonne "$("${VERIF[@]}" apercu "$COL" 440)")
AVANT=$(etat)
deplace $((SX + COL - 20)) $((SY + ROW))
deplace $((SX + COL)) $((SY + ROW))
etape_n_ecrit_pas "preview" "$AVANT"
T=$(empreinte_temps)
xdotool click 1
etape_ecrit ajout "$AVANT" 440:10 "$F2:y$ROW"
attend_temps ajout "$T"
# The add does not redraw the spectrum: the preview line stays until the next pointer move.
attend_pixel ajout "preview line" "$C_APERCU" "$RANG" "$APERCU"
photo ajout

echo "step: remove it with a right click"
AVANT=$(etat)
T=$(empreinte_temps)
xdotool click 3
etape_ecrit retrait "$AVANT" --taille 2048 440:10
attend_temps retrait "$T"
attend_pixel retrait "spectrum redrawn without the line" "$C_APERCU" "$RANG" "$FOND"
photo retrait

echo "step: drag the fundamental"
AVANT=$(etat)
T=$(empreinte_temps)
# The marker's left edge is at 1152 twips (77 px) in Spectre and it is 3 px wide.
deplace $((SX + 78)) $((SY + 120))
xdotool mousedown 1
sleep 0.2
for c in 84 90 96 102 108; do
    deplace $((SX + c)) $((SY + 120))
done
etape_n_ecrit_pas "drag" "$AVANT"
attend_temps "drag" "$T"
photo glissement
xdotool mouseup 1
F1=$("${VERIF[@]}" glisse 108)
etape_ecrit lacher "$AVANT" "$F1:10"
photo lacher

echo "step: add the second harmonic"
read -r COL ROW < <("${VERIF[@]}" pixel $((2 * F1)) 7)
H=$("${VERIF[@]}" ajout "$COL" "$F1")
C_APERCU=$("${VERIF[@]}" colonne "$("${VERIF[@]}" apercu "$COL" "$F1")")
AVANT=$(etat)
deplace $((SX + COL)) $((SY + ROW))
T=$(empreinte_temps)
xdotool click 1
etape_ecrit harmonique "$AVANT" "$F1:10" "$H:y$ROW"
attend_temps harmonique "$T"
attend_pixel harmonique "preview line" "$C_APERCU" "$RANG" "$APERCU"
AMPLITUDE_H=y$ROW

echo "step: open the keyboard"
AVANT=$(etat)
# "Afficher le clavier": the panel Picture6 at (248, 8) px, 265 x 33.
clic $((FX + 300)) $((FY + 24))
CLAVIER=$(cherche --name '^Clavier$') || abandon "the keyboard window did not open"
sleep 0.3
photo clavier
etape_n_ecrit_pas "keyboard opened" "$AVANT"

echo "step: press a key"
geometrie "$CLAVIER"
CX=$X
CY=$Y
# Key 21 (the 13th white key) spans x 408..441 px; below y 42 only white keys lie there.
F=$("${VERIF[@]}" note 21)
H2=$("${VERIF[@]}" transpose "$F" "$H" "$F1")
C_RAIE=$("${VERIF[@]}" colonne "$H2")
AVANT=$(etat)
T=$(empreinte_temps)
clic $((CX + 424)) $((CY + 55))
etape_ecrit touche "$AVANT" "$F:10" "$H2:$AMPLITUDE_H"
attend_temps touche "$T"
attend_pixel touche "line of the transposed harmonic" "$C_RAIE" "$RANG" "$RAIE"
attend_pixel touche "line of the transposed harmonic" $((C_RAIE + 1)) "$RANG" "$RAIE"
photo touche

echo "step: clear"
AVANT=$(etat)
T=$(empreinte_temps)
# Effacer: at (952, 3) px in TourSpectre, 26 x 26.
clic $((FX + 8 + 952 + 13)) $((FY + 344 + 3 + 13))
etape_ecrit effacer "$AVANT" "$F:10"
attend_temps effacer "$T"
attend_pixel effacer "spectrum cleared" "$C_RAIE" "$RANG" "$FOND"
photo effacer
# The sound switch: Play and TaGueule share the rectangle at (8, 8) px, 225 x 33.
INTERRUPTEUR=("$((FX + 8))" "$((FY + 8))" 225 33)
SON_COUPE=$(empreinte "${INTERRUPTEUR[@]}")
# The no-output notice's place, under the switch: from (8, 41) px, 15 high; the gap right of the
# help icon, as wide, is bare window: the notice shows when the two differ.
AVIS=("$((FX + 8))" "$((FY + 41))" 400 15)
SANS_AVIS=$(empreinte "$((FX + 614))" "$((FY + 41))" 400 15)

echo "step: sound on"
AVANT=$(etat)
clic $((FX + 120)) $((FY + 24))
etape_n_ecrit_pas "sound on" "$AVANT"
if [ "$SORTIE_SON" = 1 ]; then
    # The face changes once the loop plays.
    for _ in $(seq 50); do
        [ "$(empreinte "${INTERRUPTEUR[@]}")" != "$SON_COUPE" ] && break
        sleep 0.1
    done
    photo son
    [ "$(empreinte "${INTERRUPTEUR[@]}")" != "$SON_COUPE" ] \
        || echec "sound on: the switch still shows 'Ecouter le son produit'"
    [ "$(empreinte "${AVIS[@]}")" = "$SANS_AVIS" ] || echec "sound on: a no-output notice shows with a server"
else
    # Nothing can play: the switch does not pretend, the notice says why.
    sleep 0.5
    photo son
    [ "$(empreinte "${INTERRUPTEUR[@]}")" = "$SON_COUPE" ] \
        || echec "sound on without output: the switch shows 'Silence !'"
    [ "$(empreinte "${AVIS[@]}")" != "$SANS_AVIS" ] || echec "sound on without output: no notice under the switch"
fi
vivant || abandon "the program ended when the sound was turned on"

echo "step: add while the sound is on"
read -r COL ROW < <("${VERIF[@]}" pixel $((3 * F)) 2.5)
H3=$("${VERIF[@]}" ajout "$COL" "$F")
C_APERCU=$("${VERIF[@]}" colonne "$("${VERIF[@]}" apercu "$COL" "$F")")
AVANT=$(etat)
deplace $((SX + COL)) $((SY + ROW))
T=$(empreinte_temps)
xdotool click 1
etape_ecrit ajout-son "$AVANT" "$F:10" "$H3:y$ROW"
attend_temps ajout-son "$T"
attend_pixel ajout-son "preview line" "$C_APERCU" "$RANG" "$APERCU"
photo ajout-son

echo "step: sound off"
AVANT=$(etat)
clic $((FX + 120)) $((FY + 24))
etape_n_ecrit_pas "sound off" "$AVANT"
photo silence
[ "$(empreinte "${INTERRUPTEUR[@]}")" = "$SON_COUPE" ] \
    || echec "sound off: the switch does not show 'Ecouter le son produit' again"

echo "step: close the main window, the keyboard stays"
AVANT=$(etat)
"${ECRAN[@]}" ferme "$PRINCIPALE"
# The table changed since the start: the window asks first; N answers "Ne pas enregistrer".
INVITE=""
for _ in $(seq 50); do
    INVITE=$(xdotool search --onlyvisible --name '^Sonavirelle$' 2>/dev/null | head -1)
    [ -n "$INVITE" ] && break
    sleep 0.1
done
[ -n "$INVITE" ] || echec "close with changes: no 'Enregistrer les modifications ?' box"
photo invite
[ -n "$INVITE" ] && xdotool windowfocus --sync "$INVITE" key n
sleep 0.5
photo fermeture
visible --name '^Sonavirelle 2010$' && echec "close: the main window is still shown"
vivant || abandon "the program ended although the keyboard window is open"
visible --name '^Clavier$' || echec "close: the keyboard window was closed with the main window"
etape_n_ecrit_pas "close" "$AVANT"

echo "step: a key pressed after the main window is gone"
clic $((CX + 424)) $((CY + 55))
vivant || abandon "a key press after the main window was closed ended the program"
etape_n_ecrit_pas "late key" "$AVANT"

echo "step: close the keyboard, the program ends"
"${ECRAN[@]}" ferme "$CLAVIER"
for _ in $(seq 50); do
    vivant || break
    sleep 0.1
done
if vivant; then
    echec "the program is still running after its last window was closed"
else
    wait "$PROG_PID"
    STATUT=$?
    PROG_PID=""
    [ "$STATUT" = 0 ] || echec "the program ended with status $STATUT"
fi

echo "journey took $((SECONDS - DEBUT)) s; screenshots in $ARTEFACTS"
if [ "$ECHECS" -gt 0 ]; then
    echo "--- program output"
    cat "$ARTEFACTS/programme.log"
    exit 1
fi
echo "all steps passed"
