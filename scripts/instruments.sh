#!/usr/bin/env bash
# Renders the instrument sounds of resources/instruments/: one steady note each, 2 s, mono,
# 44.1 kHz, 16-bit FLAC. Run by hand when the set changes (never at build time); the files are
# committed. The instruments come from the FluidR3 GM sound font (MIT, Debian's
# fluid-soundfont-gm) played by fluidsynth; the sung vowel from espeak-ng (GPL-3+).
# Needs: fluidsynth fluid-soundfont-gm espeak-ng sox python3.
# Usage: scripts/instruments.sh [OUTPUT_FOLDER]
set -euo pipefail

RACINE=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SORTIE=${1:-$RACINE/resources/instruments}
POLICE=/usr/share/sounds/sf2/FluidR3_GM.sf2
for outil in fluidsynth espeak-ng sox python3; do
    command -v "$outil" >/dev/null || { echo "missing: $outil" >&2; exit 1; }
done
[ -f "$POLICE" ] || { echo "missing: $POLICE (package fluid-soundfont-gm)" >&2; exit 1; }
mkdir -p "$SORTIE"
TEMP=$(mktemp -d)
trap 'rm -rf "$TEMP"' EXIT

# name, General MIDI program (0-based), MIDI note: each in a register where it sounds typical.
INSTRUMENTS=(
    "flute 73 72"      # C5, 523.25 Hz
    "clarinette 71 55" # G3, 196.00 Hz: the low register, where odd harmonics dominate
    "hautbois 68 69"   # A4, 440.00 Hz
    "trompette 56 67"  # G4, 392.00 Hz
    "violon 40 67"     # G4, 392.00 Hz
    "saxophone 65 61"  # alto saxophone, C#4, 277.18 Hz
)

# midi FILE PROGRAM NOTE: a one-track MIDI file holding the note for 1.8 s (the 2 s file keeps
# the start of the release), without vibrato or expression changes.
midi() {
    python3 - "$@" <<'PY'
import struct, sys
fichier, programme, note = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
division = 480                      # ticks per quarter note; 120 bpm: 960 ticks a second
def duree(ticks):                   # MIDI variable-length quantity
    octets = [ticks & 0x7F]
    ticks >>= 7
    while ticks:
        octets.insert(0, 0x80 | (ticks & 0x7F))
        ticks >>= 7
    return bytes(octets)
piste = (duree(0) + bytes([0xC0, programme]) +
         duree(0) + bytes([0xB0, 1, 0]) +       # modulation wheel off
         duree(0) + bytes([0xB0, 7, 100]) +     # channel volume
         duree(0) + bytes([0x90, note, 100]) +
         duree(int(1.8 * 960)) + bytes([0x80, note, 0]) +
         duree(int(0.6 * 960)) + bytes([0xFF, 0x2F, 0x00]))
with open(fichier, "wb") as f:
    f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, division))
    f.write(b"MTrk" + struct.pack(">I", len(piste)) + piste)
PY
}

for ligne in "${INSTRUMENTS[@]}"; do
    read -r nom programme note <<<"$ligne"
    midi "$TEMP/$nom.mid" "$programme" "$note"
    # No reverb, no chorus: the note as the sound font holds it.
    fluidsynth -q -n -i -R 0 -C 0 -g 0.6 -r 44100 -F "$TEMP/$nom.wav" "$POLICE" "$TEMP/$nom.mid" >/dev/null 2>&1
    sox "$TEMP/$nom.wav" -r 44100 -c 1 -b 16 "$SORTIE/$nom.flac" remix - trim 0 2 norm -3
    echo "$SORTIE/$nom.flac"
done

# The sung vowel: a French « a » held as long as espeak-ng holds one, resampled to 44.1 kHz, its
# trailing silence cut.
espeak-ng -v fr -s 80 -p 40 -w "$TEMP/voyelle.wav" "[[a::::]]" 2>/dev/null
sox "$TEMP/voyelle.wav" -r 44100 -c 1 -b 16 "$SORTIE/voyelle.flac" reverse silence 1 0.01 0.5% reverse norm -3
echo "$SORTIE/voyelle.flac"
