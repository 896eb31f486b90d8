#!/usr/bin/python3
# The harmonics of a raw 16-bit mono 44100 Hz sound, measured here with numpy and nothing of the
# program's: a Hann window over the first SECONDS, zero-padded four times; the fundamental is the
# strongest peak between 50 and 1000 Hz, each harmonic the strongest bin within ±3 % of k times
# it, placed by a parabola through the log magnitudes. Prints "k hertz amplitude" for k = 1 to
# COUNT, amplitudes as a sine's peak on a full scale of 1.
# Usage: micro_harmoniques.py RAW_FILE SECONDS COUNT
import sys

import numpy as np

brut, secondes, nombre = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
x = np.fromfile(brut, dtype='<i2').astype(np.float64) / 32768.0
x = x[:int(secondes * 44100)]
w = np.hanning(len(x))
taille = 1 << int(np.ceil(np.log2(4 * len(x))))
a = np.abs(np.fft.rfft(x * w, taille)) * 2.0 / w.sum()
pas = 44100.0 / taille


def pic(bas, haut):
    i = int(np.ceil(bas / pas)) + int(np.argmax(a[int(np.ceil(bas / pas)):int(haut / pas) + 1]))
    l, m, r = np.log(a[i - 1:i + 2] + 1e-30)
    d = 0.5 * (l - r) / (l - 2 * m + r) if l - 2 * m + r < 0 else 0.0
    return (i + d) * pas, float(np.exp(m - 0.25 * (l - r) * d))


f1, _ = pic(50.0, 1000.0)
for k in range(1, nombre + 1):
    f, h = pic(0.97 * k * f1, 1.03 * k * f1)
    print(k, f'{f:.3f}', f'{h:.6f}')
