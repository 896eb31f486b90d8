#!/bin/bash
# The rooms are layered: model < analyse < synth; model < audio, plot; all of them < session < ui (and main.cpp above all). No file may
# include a room above its own or a room beside it, so the include graph has no upward edge,
# hence no cycle between rooms; within ui, the windows' include graph has no cycle either.
# Usage: couches.test.sh BUILD_DIR SOURCE_DIR
source_dir="$2"
exec python3 - "$source_dir" <<'PY'
import os, re, sys
racine = sys.argv[1]
# The rooms each room may include, itself apart.
permis = {
    "model": set(),
    "analyse": {"model"},
    "synth": {"model", "analyse"},
    "audio": set(),
    "plot": {"model"},
    "session": {"model", "analyse", "synth", "audio", "plot"},
    "ui": {"model", "analyse", "synth", "audio", "plot", "session"},
}
inclusion = re.compile(r'^\s*#\s*include\s+"([a-z]+)/([^"]+)"', re.M)
# The session has no widgets: none of Qt Widgets' headers may appear in it.
systeme = re.compile(r'^\s*#\s*include\s+<(?:QtWidgets/)?(Q[A-Za-z]+)>', re.M)
widgets = set()
for dossier in ("/usr/include/x86_64-linux-gnu/qt6/QtWidgets", "/usr/include/qt6/QtWidgets"):
    if os.path.isdir(dossier):
        widgets |= {n for n in os.listdir(dossier) if n.startswith("Q") and "." not in n}
sans_widgets = {"model", "session"}
fautes = []
graphe = {}
for piece in permis:
    for nom in sorted(os.listdir(os.path.join(racine, piece))):
        if not nom.endswith((".h", ".cpp")):
            continue
        texte = open(os.path.join(racine, piece, nom), encoding="utf-8").read()
        fichier = f"{piece}/{nom}"
        if piece in sans_widgets:
            for entete in systeme.findall(texte):
                if entete in widgets:
                    fautes.append(f"{fichier} includes the widget header <{entete}>")
        for cible_piece, cible in inclusion.findall(texte):
            if cible_piece != piece and cible_piece not in permis[piece]:
                fautes.append(f"{fichier} includes {cible_piece}/{cible}")
            # Header-to-header edges, for the cycle search (a .cpp closes no cycle of its own).
            base = os.path.splitext(fichier)[0]
            graphe.setdefault(base, set()).add(os.path.splitext(f"{cible_piece}/{cible}")[0])
# A cycle among the units (header + source taken together), e.g. two windows including each other.
etat = {}
def visite(n, chemin):
    etat[n] = 1
    for m in sorted(graphe.get(n, ())):
        if m == n:
            continue
        if etat.get(m) == 1:
            fautes.append("include cycle: " + " -> ".join(chemin[chemin.index(m):] + [m]))
        elif m not in etat:
            visite(m, chemin + [m])
    etat[n] = 2
for n in sorted(graphe):
    if n not in etat:
        visite(n, [n])
for f in fautes:
    print("FAIL:", f)
print(f"{len(graphe)} units checked, {len(fautes)} faults")
sys.exit(1 if fautes else 0)
PY
