#!/usr/bin/python3
# The waveform's pitch of raw float32 mono samples, by YIN computed here with numpy: the difference
# d(tau) = sum over the compared stretch of (x_j - x_{j+tau})^2, summed directly in float64, lag by
# lag, with none of the program's code. The rules are the estimator's: lags for 40 to 2000 Hz, the
# compared stretch three of the longest periods in the middle of the samples, silence under a mean
# square of 1e-10, the cumulative mean normalised difference's first dip under 0.15 (down to its
# bottom), else its deepest point if under 0.4, else no pitch; the period placed by a parabola.
# Prints the pitch in hertz, 0 when none.
# Usage: hauteur_yin.py RAW_FLOAT32_FILE SAMPLE_RATE
import math
import sys

import numpy as np

x = np.fromfile(sys.argv[1], dtype='<f4').astype(np.float64)
fe = float(sys.argv[2])
n = len(x)
tau_min = max(2, int(fe / 2000.0))
tau_max = min(int(math.ceil(fe / 40.0)), n // 2)
if tau_max < tau_min + 2:
    print(0)
    sys.exit(0)
largeur = min(n - tau_max, max(3 * int(math.ceil(fe / 40.0)), 1))
debut = (n - largeur - tau_max) // 2
y = x[debut:debut + largeur + tau_max]
if not np.mean(y * y) > 1e-10:
    print(0)
    sys.exit(0)
a = y[:largeur]
d = np.array([np.sum((a - y[tau:tau + largeur]) ** 2) for tau in range(tau_max + 1)])
cmnd = np.ones(tau_max + 1)
cumul = np.cumsum(d[1:])
with np.errstate(divide='ignore', invalid='ignore'):
    cmnd[1:] = np.where(cumul > 0, d[1:] * np.arange(1, tau_max + 1) / cumul, 1.0)
tau = 0
for t in range(tau_min, tau_max):
    if cmnd[t] < 0.15:
        while t + 1 < tau_max and cmnd[t + 1] < cmnd[t]:
            t += 1
        tau = t
        break
if tau == 0:
    t = tau_min + int(np.argmin(cmnd[tau_min:tau_max]))
    if not cmnd[t] <= 0.4:
        print(0)
        sys.exit(0)
    tau = t
p, q, r = cmnd[tau - 1], cmnd[tau], cmnd[tau + 1]
periode = float(tau)
if p - 2 * q + r > 0:
    periode += min(max(0.5 * (p - r) / (p - 2 * q + r), -0.5), 0.5)
print(f'{fe / periode:.6f}')
