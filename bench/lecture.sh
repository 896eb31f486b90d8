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

source "$RACINE/scripts/serveur_son.sh"
trap serveur_son_arrete EXIT
serveur_son_demarre "$PUITS" >&2 || { echo "no PulseAudio server could be started: edit to playing not measured" >&2; exit 1; }
# Another client at a low latency, as a desktop's sound card runs.
serveur_son_entretien

SONAVIRELLE_BANC_SERVEUR_PID="$SERVEUR_SON_PID" "$BANC"
