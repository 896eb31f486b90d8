#!/usr/bin/python3
# The reference values of the shipped instrument sounds, computed once with numpy, apart from the
# program's own code: the stretch decoded by sox, the fundamental from the MIDI note (or, for the
# vowel, from the autocorrelation), each harmonic's peak the highest bin of a Hann-windowed
# spectrum padded 32 times, within ±3 % of k × F0, with no interpolation.
# Produced by:  /usr/bin/python3 tests/instruments/reference.py > tests/instruments/reference.json
import json, os, subprocess, sys
import numpy as np

RACINE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
# name: MIDI note (None: found from the sound), stretch start and length in seconds.
SONS = {
    "flute": (72, 0.7, 0.5), "clarinette": (55, 0.7, 0.5), "hautbois": (69, 0.7, 0.5),
    "trompette": (67, 0.7, 0.5), "violon": (67, 0.7, 0.5), "saxophone": (61, 0.7, 0.5),
    "voyelle": (None, 0.1, 0.25),
}

def troncon(nom, debut, duree):
    chemin = os.path.join(RACINE, "resources", "instruments", nom + ".flac")
    brut = subprocess.run(["sox", chemin, "-t", "f32", "-c", "1", "-", "trim", str(debut), str(duree)],
                          check=True, capture_output=True).stdout
    return np.frombuffer(brut, dtype="<f4").astype(np.float64), 44100.0

def spectre(x):
    fenetre = np.hanning(len(x))
    taille = 1 << int(np.ceil(np.log2(len(x) * 32)))
    return np.abs(np.fft.rfft(x * fenetre, taille)) * 2.0 / fenetre.sum(), taille

def pics(x, fe, f0):
    mag, taille = spectre(x)
    pas = fe / taille
    resultat = []
    for k in range(1, 11):
        if k * f0 >= fe / 2:
            resultat.append((0.0, 0.0))
            continue
        bas, haut = int(np.ceil(k * f0 * 0.97 / pas)), int(np.floor(k * f0 * 1.03 / pas))
        i = bas + int(np.argmax(mag[bas:haut + 1]))
        resultat.append((i * pas, mag[i]))
    return resultat

def par_autocorrelation(x, fe):
    r = np.fft.irfft(np.abs(np.fft.rfft(x, 2 * len(x))) ** 2)[: len(x)]
    bas, haut = int(fe / 2000), int(fe / 40)
    zone = r[bas:haut]
    # The shortest lag whose correlation nearly reaches the best one: not an octave below.
    return fe / (bas + int(np.argmax(zone >= 0.9 * zone.max())))

references = {}
for nom, (note, debut, duree) in SONS.items():
    x, fe = troncon(nom, debut, duree)
    f0 = 440.0 * 2 ** ((note - 69) / 12) if note is not None else par_autocorrelation(x, fe)
    for _ in range(3):  # F0 from the harmonics found, weighted by their amplitude
        p = [(k + 1, f, a) for k, (f, a) in enumerate(pics(x, fe, f0)) if a > 0]
        f0 = sum(a * f for _, f, a in p) / sum(a * k for k, _, a in p)
    amplitudes = [a for _, a in pics(x, fe, f0)]
    plus = max(amplitudes)
    references[nom] = {"debut": debut, "duree": duree, "fondamental": round(f0, 3),
                       "amplitudes": [round(10 * a / plus, 3) for a in amplitudes]}
json.dump({"commande": "/usr/bin/python3 tests/instruments/reference.py > tests/instruments/reference.json",
           "numpy": np.__version__, "sons": references}, sys.stdout, indent=1)
print()
