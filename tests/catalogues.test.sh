#!/usr/bin/env bash
# The catalogues hold every text of every room: lupdate is run afresh, into a scratch file, over
# the build's own list of sources, and the committed catalogues must list exactly the texts it
# finds (a tr() added without refreshing them, or a text that moved to another context and lost
# its translation, fails here). That list must name every source file of every room and main.cpp.
# The English catalogue must have a finished translation for each text.
#
# Usage: catalogues.test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

BUILD_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)
PROJET=$BUILD_DIR/.lupdate/sonavirelle_synth_project.cmake
[ -f "$PROJET" ] || { echo "FAIL: $PROJET is missing (is the build configured?)"; exit 1; }
OUTILS=$(sed -n 's/^Qt6LinguistTools_DIR:[A-Z]*=//p' "$BUILD_DIR/CMakeCache.txt")
BINAIRES=$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || echo /usr/lib/qt6/bin)
LUPDATE=$BINAIRES/lupdate
[ -x "$LUPDATE" ] || LUPDATE=/usr/lib/qt6/bin/lupdate
[ -x "$LUPDATE" ] || { echo "FAIL: no lupdate"; exit 1; }

TEMP=$(mktemp -d)
trap 'rm -rf "$TEMP"' EXIT
sed "s|^set(lupdate_translations .*|set(lupdate_translations \"$TEMP/frais.ts\")|" "$PROJET" >"$TEMP/projet.cmake"
cmake -DIN_FILE="$TEMP/projet.cmake" -DOUT_FILE="$TEMP/projet.json" -P "$OUTILS/GenerateLUpdateProject.cmake"
"$LUPDATE" -project "$TEMP/projet.json" -no-obsolete -locations none -silent >"$TEMP/lupdate.log" 2>&1 \
    || { cat "$TEMP/lupdate.log"; echo "FAIL: lupdate"; exit 1; }

/usr/bin/python3 - "$PROJET" "$SOURCE_DIR" "$TEMP/frais.ts" <<'EOF'
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET

projet, source, frais = sys.argv[1:4]
echecs = []

# Every source file of every room (any folder of the tree holding C++ but the tests, the
# benchmarks and the packaging tools) and main.cpp are read by lupdate.
with open(projet, encoding='utf-8') as f:
    lues = set(re.search(r'set\(lupdate_sources "([^"]*)"\)', f.read()).group(1).split(';'))
hors = {'tests', 'bench', 'packaging'}
for chemin in sorted(glob.glob(os.path.join(source, '*', '*.cpp')) + glob.glob(os.path.join(source, '*', '*.h'))
                     + [os.path.join(source, 'main.cpp')]):
    piece = os.path.relpath(chemin, source).split(os.sep)[0]
    if piece in hors or piece.startswith('build') or piece.startswith('.'):
        continue
    if chemin not in lues:
        echecs.append('not read by lupdate: ' + os.path.relpath(chemin, source))


def messages(chemin):
    resultat = {}
    for contexte in ET.parse(chemin).getroot().iter('context'):
        nom = contexte.findtext('name') or ''
        for m in contexte.iter('message'):
            t = m.find('translation')
            resultat[(nom, m.findtext('source') or '', m.findtext('comment') or '')] = (
                '' if t is None or t.text is None else t.text, None if t is None else t.get('type'))
    return resultat


attendus = messages(frais)
if len(attendus) < 100:
    echecs.append('lupdate found only %d texts' % len(attendus))
for langue in ('fr', 'en'):
    nom = 'translations/sonavirelle_%s.ts' % langue
    catalogue = messages(os.path.join(source, nom))
    for cle in sorted(set(attendus) - set(catalogue)):
        echecs.append('%s lacks %s: %r (refresh it: update_translations, then scripts/traductions.py)' % (nom, cle[0], cle[1]))
    for cle in sorted(set(catalogue) - set(attendus)):
        echecs.append('%s holds a text no room has any more, %s: %r' % (nom, cle[0], cle[1]))
    if langue == 'en':
        for cle, (traduction, genre) in sorted(catalogue.items()):
            if genre is not None or not traduction:
                echecs.append('%s: unfinished, %s: %r' % (nom, cle[0], cle[1]))

for e in echecs:
    print('FAIL: ' + e)
if echecs:
    sys.exit(1)
print('%d texts, in both catalogues, all translated into English' % len(attendus))
EOF

# scripts/traductions.py refills a fresh catalogue whose texts moved to other contexts (as when the
# main window's code moves into panels), and says so when a text has no translation to carry.
sed -e 's|<name>Synthetiseur</name>|<name>PanneauSpectre</name>|' -e 's|<name>Raisons</name>|<name>Fichiers</name>|' \
    -e 's|language="[^"]*"|language="en_US"|' "$TEMP/frais.ts" >"$TEMP/deplace.ts"
/usr/bin/python3 "$SOURCE_DIR/scripts/traductions.py" "$SOURCE_DIR/translations/sonavirelle_en.ts" "$TEMP/deplace.ts" \
    >"$TEMP/report.log" || { cat "$TEMP/report.log"; echo "FAIL: traductions.py left texts unfinished"; exit 1; }
/usr/bin/python3 - "$SOURCE_DIR/translations/sonavirelle_en.ts" "$TEMP/deplace.ts" <<'EOF2'
import sys
import xml.etree.ElementTree as ET
def lit(chemin, renomme={}):
    r = {}
    for c in ET.parse(chemin).getroot().iter('context'):
        nom = renomme.get(c.findtext('name'), c.findtext('name'))
        for m in c.iter('message'):
            t = m.find('translation')
            r[(nom, m.findtext('source'), m.findtext('comment'))] = (t.text, t.get('type'))
    return r
avant = lit(sys.argv[1], {'Synthetiseur': 'PanneauSpectre', 'Raisons': 'Fichiers'})
apres = lit(sys.argv[2])
if avant != apres:
    print('FAIL: traductions.py did not carry the translations over to the moved texts')
    sys.exit(1)
EOF2
sed -e 's|<source>Afficher le clavier</source>|<source>Afficher le piano</source>|' "$TEMP/deplace.ts" >"$TEMP/nouveau.ts"
/usr/bin/python3 - "$TEMP/nouveau.ts" <<'EOF2'
import re, sys
chemin = sys.argv[1]
t = open(chemin, encoding='utf-8').read()
t = re.sub(r'(<source>Afficher le piano</source>\s*)<translation>[^<]*</translation>',
           r'\1<translation type="unfinished"></translation>', t)
open(chemin, 'w', encoding='utf-8').write(t)
EOF2
if /usr/bin/python3 "$SOURCE_DIR/scripts/traductions.py" "$SOURCE_DIR/translations/sonavirelle_en.ts" "$TEMP/nouveau.ts" \
    >"$TEMP/report.log"; then
    echo "FAIL: traductions.py did not report a text it has no translation for"
    exit 1
fi
grep -q 'STILL UNFINISHED: BandeauCommandes: Afficher le piano' "$TEMP/report.log" \
    || { cat "$TEMP/report.log"; echo "FAIL: the unfinished text is not named"; exit 1; }
echo "traductions.py carries translations to moved texts and names the ones it cannot"
