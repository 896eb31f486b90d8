#!/usr/bin/python3
"""A second, independent implementation of the challenge generator, written from its documented
mapping only (model/defi.h): the rows pinned in tests/tst_defi.cpp come from here, and the suite
compares the whole range against it.

Usage: defi_reference.py NUMERO NIVEAU   one challenge
       defi_reference.py --tout          every number 0..9999 at every level 1..5
Each line: NUMERO NIVEAU then RANG:AMPLITUDE for each hidden component, fundamental first.
"""
import sys

MASQUE = (1 << 64) - 1


def melanges(etat):
    """SplitMix64: the state advances by the golden-ratio constant, each output is its mix."""
    while True:
        etat = (etat + 0x9E3779B97F4A7C15) & MASQUE
        z = etat
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASQUE
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASQUE
        yield z ^ (z >> 31)


def tirage(x, n):
    return ((x >> 32) * n) >> 32


def defi(numero, niveau):
    tirages = melanges(numero * 2**32 + niveau)
    candidats = list(range(2, 9))
    for i in range(niveau):
        j = i + tirage(next(tirages), 7 - i)
        candidats[i], candidats[j] = candidats[j], candidats[i]
    rangs = sorted(candidats[:niveau])
    return [(1, 10)] + [(r, 2 + tirage(next(tirages), 9)) for r in rangs]


def ligne(numero, niveau):
    return " ".join([str(numero), str(niveau)] + [f"{r}:{a}" for r, a in defi(numero, niveau)])


if __name__ == "__main__":
    if sys.argv[1:] == ["--tout"]:
        sortie = [ligne(n, v) for n in range(10000) for v in range(1, 6)]
        print("\n".join(sortie))
    else:
        print(ligne(int(sys.argv[1]), int(sys.argv[2])))
