#!/usr/bin/env bash
# "Écouter l'original" and "Écouter le défi" against a real sound server: starts a private PulseAudio
# with a null sink, runs tst_ecouteoriginal against it (which records the sink's monitor and has
# numpy measure the challenge heard), and stops the server again.
# Usage: ecoute_originale.test.sh BUILD_DIR SOURCE_DIR [test function...]. Exit 77 (skipped) only when no server can run.
set -u

BUILD_DIR=${1:?build folder}
SUITE="$BUILD_DIR/tests/tst_ecouteoriginal"
PUITS=sonavirelle_nul

[ -x "$SUITE" ] || { echo "FAIL: $SUITE was not built"; exit 1; }

source "${2:?source folder}/scripts/serveur_son.sh"
trap serveur_son_arrete EXIT
if ! serveur_son_demarre "$PUITS"; then
    echo "SKIP: no PulseAudio server could be started here"
    exit 77
fi
serveur_son_entretien

SONAVIRELLE_PULSE_SINK="$PUITS" SONAVIRELLE_SOURCE="$2" QT_QPA_PLATFORM=offscreen "$SUITE" "${@:3}"
