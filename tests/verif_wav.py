#!/usr/bin/env python3
"""Independent checker for test.wav, used by the end-to-end journey.

It recomputes, from a component table given on the command line, the exact bytes the
program must have written, and compares them with the file. Nothing here is shared with
the program's own synthesis: the rules are written again from scratch, with Python floats
(IEEE doubles) and float32 rounding emulated through struct.

It also converts spectrum pixels to the values the program derives from them, so that the
journey can say what a click at a given pixel must produce.

  verif_wav.py compare FILE [--taille N] TERM...   TERM = FREQ:AMP, one per slot from 1;
                                                   AMP may be yROW (amplitude of pixel row ROW)
  verif_wav.py pixel HZ AMP                        column and row of Spectre nearest (HZ, AMP)
  verif_wav.py ajout COL F1                        frequency committed by a left release at COL,
                                                   multiples of F1 only
  verif_wav.py apercu COL F1                       frequency of the preview line for a pointer at COL,
                                                   multiples of F1 only
  verif_wav.py glisse COL                          fundamental after a drag step at COL
  verif_wav.py colonne HZ                          pixel column of Spectre where a line at HZ is drawn
  verif_wav.py rangee AMP                          pixel row of Spectre at amplitude AMP
  verif_wav.py note INDEX                          fundamental set by keyboard key INDEX
  verif_wav.py transpose F FREQ_ANCIENNE F1_ANCIEN frequency of a slot after a key press
"""

import math
import struct
import sys
import wave

TAUX = 44100
DEUX_PI = 6.2832          # the program's constant for 2π, used as written
TWIPS_PAR_PIXEL = 15.0
TWIPS_PAR_HERTZ = 2.6184  # Spectre: 0 Hz at the left edge
TWIPS_PAR_UNITE = 293.9888  # Spectre: y = −1 at the top edge, amplitude = 10 − y


def f32(v):
    """Round a double to the nearest float32, as a C++ float conversion does."""
    return struct.unpack('<f', struct.pack('<f', v))[0]


def plus_proche(v):
    """Nearest integer, exact halves to the even neighbour (Python's round does this)."""
    return int(round(v))


def x_utilisateur(colonne):
    """Spectrum x (hertz) of a pixel column, as delivered to the handlers: a float."""
    return f32(0.0 + colonne * TWIPS_PAR_PIXEL / TWIPS_PAR_HERTZ)


def y_utilisateur(rangee):
    return f32(-1.0 + rangee * TWIPS_PAR_PIXEL / TWIPS_PAR_UNITE)


def amplitude(rangee):
    return f32(10.0 - y_utilisateur(rangee))


def frequence_ajoutee(colonne, f1):
    x = x_utilisateur(colonne)
    x = f32(math.floor(x / f1 + 0.5) * f1)
    return plus_proche(x)


def fondamental_glisse(colonne):
    return math.floor(x_utilisateur(colonne) + 0.5)


def frequence_note(index):
    return math.floor(132.0 * 2.0 ** (index / 12.0))


def sons(table):
    """The expected file for `table`, a list of (frequency, amplitude) for slots 1, 2, ..."""
    frequences = [0] * 11
    amplitudes = [0.0] * 11
    for i, (f, a) in enumerate(table, start=1):
        frequences[i] = f
        amplitudes[i] = f32(a)
    f1 = frequences[1]
    if f1 < 1:
        raise ValueError('the fundamental must be at least 1 Hz')
    n_total = plus_proche((1.0 / f1) * 10 * TAUX)
    somme = 0.0
    for i in range(1, 11):
        somme = f32(somme + amplitudes[i])
    if amplitudes[1] == 0.0:
        k = 0
    else:
        k = math.floor(amplitudes[1] * 0.01 * 32767 / somme)
    c = [plus_proche(k * amplitudes[j]) for j in range(11)]
    echantillons = []
    for n in range(n_total):
        s = 0
        for i in range(1, 11):
            s = plus_proche(c[i] * math.sin(n * DEUX_PI * frequences[i] / TAUX) + s)
        if not -32768 <= s <= 32767:
            raise ValueError('sample %d leaves 16 bits: %d' % (n, s))
        echantillons.append(s)
    entete = (b'RIFF' + struct.pack('<I', 2 * n_total + 36) + b'WAVEfmt '
              + struct.pack('<IHHIIHH', 16, 1, 1, TAUX, 16 // 8 * TAUX, 2, 16)
              + b'data' + struct.pack('<I', 2 * n_total))
    return entete + struct.pack('<%dh' % n_total, *echantillons), k, c


def lit_terme(terme):
    f, a = terme.split(':')
    return int(f), amplitude(int(a[1:])) if a.startswith('y') else float(a)


def compare(chemin, termes, taille=None):
    table = [lit_terme(t) for t in termes]
    attendu, k, c = sons(table)
    with open(chemin, 'rb') as fichier:
        lu = fichier.read()
    description = ', '.join('%d Hz/%.6g' % fa for fa in table)
    erreurs = []
    if taille is not None and len(lu) != taille:
        erreurs.append('file is %d bytes, expected %d' % (len(lu), taille))
    if len(lu) < len(attendu):
        erreurs.append('file is %d bytes, expected at least %d' % (len(lu), len(attendu)))
    if lu[:44] != attendu[:44]:
        erreurs.append('header differs: %s, expected %s' % (lu[:44].hex(' '), attendu[:44].hex(' ')))
    else:
        # The standard reader must accept it as 16-bit mono at 44100 Hz.
        with wave.open(chemin, 'rb') as w:
            forme = (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes())
        n_total = (len(attendu) - 44) // 2
        if forme != (1, 2, TAUX, n_total):
            erreurs.append('wave reader sees %s, expected %s' % (forme, (1, 2, TAUX, n_total)))
        fin = min(len(lu), len(attendu))
        for n in range(0, (fin - 44) // 2):
            o = 44 + 2 * n
            if lu[o:o + 2] != attendu[o:o + 2]:
                v_lu = struct.unpack('<h', lu[o:o + 2])[0]
                v_att = struct.unpack('<h', attendu[o:o + 2])[0]
                erreurs.append('sample %d is %d, expected %d' % (n, v_lu, v_att))
                break
    if erreurs:
        print('test.wav does not hold [%s] (k=%d, c=%s):' % (description, k, c[1:len(table) + 1]))
        for e in erreurs:
            print('  ' + e)
        return 1
    print('test.wav holds [%s]: %d bytes, k=%d, c=%s' % (description, len(lu), k, c[1:len(table) + 1]))
    return 0


def main(args):
    if not args:
        print(__doc__)
        return 2
    commande, reste = args[0], args[1:]
    if commande == 'compare':
        taille = None
        if len(reste) > 2 and reste[1] == '--taille':
            taille = int(reste[2])
            del reste[1:3]
        return compare(reste[0], reste[1:], taille)
    if commande == 'pixel':
        hz, amp = float(reste[0]), float(reste[1])
        colonne = plus_proche(hz * TWIPS_PAR_HERTZ / TWIPS_PAR_PIXEL)
        rangee = plus_proche((10.0 - amp + 1.0) * TWIPS_PAR_UNITE / TWIPS_PAR_PIXEL)
        print(colonne, rangee)
    elif commande == 'colonne':
        print(math.floor(float(reste[0]) * TWIPS_PAR_HERTZ / TWIPS_PAR_PIXEL))
    elif commande == 'rangee':
        print(math.floor((10.0 - float(reste[0]) + 1.0) * TWIPS_PAR_UNITE / TWIPS_PAR_PIXEL))
    elif commande == 'apercu':
        x = x_utilisateur(int(reste[0]))
        print(f32(math.floor(x / int(reste[1]) + 0.45) * int(reste[1])))
    elif commande == 'ajout':
        print(frequence_ajoutee(int(reste[0]), int(reste[1])))
    elif commande == 'glisse':
        print(fondamental_glisse(int(reste[0])))
    elif commande == 'note':
        print(frequence_note(int(reste[0])))
    elif commande == 'transpose':
        f, ancienne, f1 = (int(v) for v in reste[:3])
        print(plus_proche(f * (ancienne / f1)))
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
