#!/usr/bin/python3
"""What a recording of "Écouter le défi" holds, measured with numpy and held against the hidden
timbre given by the generator's independent reference (tests/defi_reference.py).

Usage: defi_entendu.py ENREGISTREMENT.raw FONDAMENTALE NUMERO NIVEAU
The recording is mono 16-bit little-endian at 44100 Hz. Prints one line per harmonic 1..10
(measured and hidden proportions); exit status 1 when a proportion is more than 0.02 away.
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from defi_reference import defi  # noqa: E402

FREQUENCE = 44100

chemin, fondamentale, numero, niveau = sys.argv[1], float(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
x = np.fromfile(chemin, dtype='<i2').astype(float)
if x.size < FREQUENCE // 2:
    print('recording too short: %d samples' % x.size)
    sys.exit(1)
fenetre = np.hanning(x.size)
puissance = np.abs(np.fft.rfft(x * fenetre)) ** 2
pas = FREQUENCE / x.size


def amplitude(f):
    # The tone's power summed over the bins within 5 Hz of f (Parseval), so that a tone between
    # two bins is not measured lower than one on a bin.
    centre = int(round(f / pas))
    marge = max(2, int(round(5 / pas)))
    somme = puissance[max(0, centre - marge):centre + marge + 1].sum()
    return 2 * np.sqrt(somme / (x.size * (fenetre ** 2).sum()))


mesure = np.array([amplitude(k * fondamentale) for k in range(1, 11)])
cache = np.zeros(10)
for rang, a in defi(numero, niveau):
    cache[rang - 1] = a
p = mesure / mesure.sum()
q = cache / cache.sum()
ok = mesure[0] > 300
for k in range(10):
    ecart = abs(p[k] - q[k])
    ok = ok and ecart <= 0.02
    print('harmonic %2d: measured %.3f hidden %.3f (amplitude %.0f)' % (k + 1, p[k], q[k], mesure[k]))
sys.exit(0 if ok else 1)
