#!/bin/bash
# Installs the build into a scratch prefix and packs it as a .deb, then checks that what the
# program, the desktop and Debian's tools need is where they look for it; runs the installed
# program, as root and as an unprivileged user, and checks that it writes test.wav in the
# per-user folder only.
# Usage: install.test.sh BUILD_DIR SOURCE_DIR

# A stuck program must not leave the X server behind: the script runs under a timeout of its own.
if [ -z "${INSTALL_SOUS_GARDE:-}" ]; then
    INSTALL_SOUS_GARDE=1 exec timeout -s TERM 400 bash "$0" "$@"
fi

construction="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"

if [ ! -x "$construction/sonavirelle" ]; then
    echo "SKIP: the program is not built in $construction"
    exit 77
fi

travail="$(mktemp -d)"
PROG_PID=""
source "$source/scripts/ecran_x.sh"
fin() {
    if [ -n "$PROG_PID" ] && kill -0 "$PROG_PID" 2>/dev/null; then
        kill "$PROG_PID" 2>/dev/null
        wait "$PROG_PID" 2>/dev/null
    fi
    ecran_x_arrete
    rm -rf "$travail"
}
trap fin EXIT
trap 'echo "FAIL: interrupted (stuck for 400 s?)"; exit 1' TERM INT
erreurs=0
echec() { echo "FAIL: $*"; erreurs=$((erreurs + 1)); }

for outil in cpack dpkg-deb lintian appstreamcli desktop-file-validate python3 Xvfb xdotool; do
    command -v "$outil" >/dev/null || { echo "FAIL: $outil is missing (scripts/setup.sh installs it)"; exit 1; }
done

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$construction/CMakeCache.txt")"
[ -n "$version" ] || { echo "FAIL: no project version in $construction/CMakeCache.txt"; exit 1; }

# The generated icons, manual pages and changelog (part of "all"; built here if only the program was).
if ! cmake --build "$construction" --target sonavirelle_fichiers_paquet >"$travail/build.log" 2>&1; then
    cat "$travail/build.log"
    echo "FAIL: the package's generated files do not build"
    exit 1
fi

# Width and height of a PNG file, from its header.
taille_png() {
    python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); assert d[:8]==b"\x89PNG\r\n\x1a\n"; print("%dx%d" % struct.unpack(">II", d[16:24]))' "$1" 2>/dev/null
}

# Checks that a prefix holds every installed file, laid out as the program and the desktop expect.
verifie_arbre() {
    local racine="$1" quoi="$2"
    [ -x "$racine/bin/sonavirelle" ] || echec "$quoi: bin/sonavirelle missing or not executable"
    # Nothing but the program in bin/.
    local dans_bin
    dans_bin="$(ls -A "$racine/bin" 2>/dev/null | tr '\n' ' ')"
    [ "$dans_bin" = "sonavirelle " ] || echec "$quoi: bin/ holds more than the program: $dans_bin"
    # The program looks for its data in ../share/sonavirelle from its own folder.
    cmp -s "$source/resources/silence.wav" "$racine/share/sonavirelle/silence.wav" \
        || echec "$quoi: share/sonavirelle/silence.wav missing or not the source's copy"
    [ -f "$racine/share/applications/sonavirelle.desktop" ] || echec "$quoi: share/applications/sonavirelle.desktop missing"
    cmp -s "$source/packaging/sonavirelle-timbre.xml" "$racine/share/mime/packages/sonavirelle-timbre.xml" \
        || echec "$quoi: share/mime/packages/sonavirelle-timbre.xml missing or not the source's copy"
    cmp -s "$source/resources/icone.svg" "$racine/share/icons/hicolor/scalable/apps/sonavirelle.svg" \
        || echec "$quoi: scalable icon missing or not the application icon"
    local n
    for n in 16 22 24 32 48 64 128 256; do
        local png="$racine/share/icons/hicolor/${n}x${n}/apps/sonavirelle.png"
        [ "$(taille_png "$png")" = "${n}x${n}" ] || echec "$quoi: $png missing or not ${n}x${n}"
    done
    local meta
    meta="$(ls "$racine"/share/metainfo/*.metainfo.xml 2>/dev/null | head -n 1)"
    [ -n "$meta" ] || echec "$quoi: no AppStream metadata in share/metainfo"
    for page in man/man6/sonavirelle.6.gz man/fr/man6/sonavirelle.6.gz; do
        gzip -t "$racine/share/$page" 2>/dev/null || echec "$quoi: share/$page missing or not gzip"
    done
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "$racine/share/doc/sonavirelle/copyright" 2>/dev/null || echec "$quoi: no machine-readable copyright"
    gzip -t "$racine/share/doc/sonavirelle/changelog.Debian.gz" 2>/dev/null || echec "$quoi: no changelog.Debian.gz"
}

# --- cmake --install ---------------------------------------------------------------------
prefixe="$travail/prefixe"
if ! cmake --install "$construction" --prefix "$prefixe" >"$travail/install.log" 2>&1; then
    cat "$travail/install.log"
    echec "cmake --install failed"
    exit 1
fi
verifie_arbre "$prefixe" "install"

# --- desktop entry -----------------------------------------------------------------------
bureau="$prefixe/share/applications/sonavirelle.desktop"
if [ -f "$bureau" ]; then
    # Hints too ("Education and AudioVideo are both main categories"): the entry must be clean.
    rapport="$(desktop-file-validate "$bureau" 2>&1)"
    if [ $? -ne 0 ] || [ -n "$rapport" ]; then
        echo "$rapport"
        echec "desktop-file-validate reports on the desktop entry"
    fi
    for cle in 'Type=Application' 'Name=Sonavirelle' 'Exec=sonavirelle %f' 'Icon=sonavirelle' 'Terminal=false' \
        'MimeType=application/x-sonavirelle-timbre;'; do
        grep -qx "$cle" "$bureau" || echec "desktop entry lacks $cle"
    done
    grep -q '^Comment=..*' "$bureau" || echec "desktop entry has no Comment"
    categories="$(sed -n 's/^Categories=//p' "$bureau")"
    for c in Education Music; do
        [[ ";$categories" == *";$c;"* ]] || echec "desktop entry not in category $c ($categories)"
    done
    principales=0
    for c in AudioVideo Audio Video Development Education Game Graphics Network Office Science Settings System Utility; do
        [[ ";$categories" == *";$c;"* ]] && principales=$((principales + 1))
    done
    [ "$principales" -eq 1 ] || echec "desktop entry has $principales main categories ($categories)"
    # What the entry names must be what was installed.
    commande="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$bureau")"
    [ -x "$prefixe/bin/$commande" ] || echec "Exec=$commande is not an installed program"
    # The type the entry opens is one the package declares, matching the .timbre files.
    python3 - "$prefixe/share/mime/packages/sonavirelle-timbre.xml" <<'FIN' || echec "the MIME type for .timbre is not declared"
import sys, xml.etree.ElementTree as ET
ns = {'m': 'http://www.freedesktop.org/standards/shared-mime-info'}
t = ET.parse(sys.argv[1]).getroot().find("m:mime-type[@type='application/x-sonavirelle-timbre']", ns)
sys.exit(0 if t is not None and t.find("m:glob[@pattern='*.timbre']", ns) is not None else 1)
FIN
    icone="$(sed -n 's/^Icon=//p' "$bureau")"
    [ -f "$prefixe/share/icons/hicolor/scalable/apps/$icone.svg" ] || echec "Icon=$icone has no installed icon"
    [ -f "$prefixe/share/icons/hicolor/48x48/apps/$icone.png" ] || echec "Icon=$icone has no 48x48 PNG"
fi

# --- AppStream metadata --------------------------------------------------------------------
meta="$(ls "$prefixe"/share/metainfo/*.metainfo.xml 2>/dev/null | head -n 1)"
if [ -n "$meta" ]; then
    if ! appstreamcli validate --no-net --pedantic "$meta" >"$travail/appstream.log" 2>&1; then
        cat "$travail/appstream.log"
        echec "appstreamcli validate rejects $meta"
    fi
    grep -q -E '^ *[EWIP]: ' "$travail/appstream.log" && { cat "$travail/appstream.log"; echec "appstreamcli reports on $meta"; }
    python3 - "$meta" "$prefixe" "$source" "$version" >"$travail/meta.log" 2>&1 <<'EOF' || { cat "$travail/meta.log"; echec "AppStream metadata content"; }
import os, sys, xml.etree.ElementTree as ET
meta, prefixe, source, version = sys.argv[1:]
r = ET.parse(meta).getroot()
LANG = '{http://www.w3.org/XML/1998/namespace}lang'
fautes = []
id_ = r.findtext('id')
if os.path.basename(meta) != id_ + '.metainfo.xml':
    fautes.append('file name %s does not match the id %s' % (os.path.basename(meta), id_))
for quoi in ('summary', 'description/p'):
    langues = {e.get(LANG) for e in r.findall(quoi)}
    if langues != {None, 'fr'}:
        fautes.append('%s in languages %s, expected English and French' % (quoi, langues))
lanc = r.find("launchable[@type='desktop-id']")
if lanc is None or not os.path.isfile(os.path.join(prefixe, 'share/applications', lanc.text)):
    fautes.append('launchable does not name an installed desktop entry')
if r.find('content_rating') is None:
    fautes.append('no content rating')
images = [e.text for e in r.findall('screenshots/screenshot/image')]
if not images:
    fautes.append('no screenshots')
for url in images:
    if '/docs/' not in url or not os.path.isfile(os.path.join(source, 'docs', url.rsplit('/docs/', 1)[1])):
        fautes.append('screenshot %s is not a picture of docs/' % url)
if [e.get('version') for e in r.findall('releases/release')][:1] != [version]:
    fautes.append('latest release is not %s' % version)
print('\n'.join(fautes))
sys.exit(1 if fautes else 0)
EOF
fi

# --- command line without a display --------------------------------------------------------
sans_ecran() { timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
sortie="$(sans_ecran "$prefixe/bin/sonavirelle" --version 2>"$travail/err")"
code=$?
[ "$code" -eq 0 ] && [ "$sortie" = "Sonavirelle $version" ] && [ ! -s "$travail/err" ] \
    || echec "--version: status $code, printed '$sortie' $(cat "$travail/err"), expected 'Sonavirelle $version'"
sortie="$(sans_ecran "$prefixe/bin/sonavirelle" --help 2>"$travail/err")"
code=$?
[ "$code" -eq 0 ] && [ ! -s "$travail/err" ] || echec "--help: status $code, $(cat "$travail/err")"
for attendu in '^Usage : sonavirelle ' '^  -h, --help ' '^  -v, --version ' '^Options :$'; do
    grep -q -E -- "$attendu" <<<"$sortie" || echec "--help lacks '$attendu': $sortie"
done
sortie="$(sans_ecran "$prefixe/bin/sonavirelle" --inconnue 2>"$travail/err")"
code=$?
[ "$code" -ne 0 ] && [ "$code" -ne 124 ] && [ -z "$sortie" ] && grep -q 'option inconnue « --inconnue »' "$travail/err" \
    || echec "unknown option: status $code, printed '$sortie' / '$(cat "$travail/err")'"

# --- Debian package ----------------------------------------------------------------------
if ! cpack --config "$construction/CPackConfig.cmake" -B "$travail/paquet" >"$travail/cpack.log" 2>&1; then
    cat "$travail/cpack.log"
    echec "cpack failed"
    exit 1
fi
deb="$(ls "$travail"/paquet/*.deb 2>/dev/null | head -n 1)"
[ -n "$deb" ] || { echec "cpack made no .deb"; exit 1; }
dpkg-deb -x "$deb" "$travail/deb"
verifie_arbre "$travail/deb/usr" "deb"
# Every file in a place Debian and the program expect, none elsewhere.
dpkg-deb -c "$deb" | awk '{print $NF}' | grep -v '/$' | grep -v -E \
    '^\./usr/(bin/sonavirelle|share/(sonavirelle|applications|icons/hicolor|metainfo|man|mime/packages|doc/sonavirelle|lintian/overrides)/.+)$' \
    >"$travail/ailleurs" && echec "package files in unexpected places: $(tr '\n' ' ' <"$travail/ailleurs")"
dependances="$(dpkg-deb -f "$deb" Depends)"
for p in fonts-crosextra-carlito fonts-liberation2 qt6-translations-l10n libqt6widgets6 libqt6multimedia6 libqt6svg6; do
    grep -q "$p" <<<"$dependances" || echec "package does not depend on $p ($dependances)"
done
grep -q -E '^[^<>]+ <[^@<> ]+@[^@<> ]+\.[^@<> ]+>$' <<<"$(dpkg-deb -f "$deb" Maintainer)" \
    || echec "package maintainer is not 'Name <address>': $(dpkg-deb -f "$deb" Maintainer)"
version_paquet="$(dpkg-deb -f "$deb" Version)"
[[ "$version_paquet" == "$version"-* ]] || echec "package version $version_paquet is not the project's $version"
entete="$(zcat "$travail/deb/usr/share/doc/sonavirelle/changelog.Debian.gz" | head -n 1)"
[[ "$entete" == "sonavirelle ($version_paquet) "* ]] || echec "changelog's top entry '$entete' is not version $version_paquet"
lintian --pedantic --display-info "$deb" >"$travail/lintian.log" 2>&1
grep -E '^[EW]: ' "$travail/lintian.log" && echec "lintian --pedantic reports errors or warnings"
grep -q -E '^[IP]: ' "$travail/lintian.log" && { echo "lintian notes:"; grep -E '^[IP]: ' "$travail/lintian.log"; }

# --- the installed program, run from the package's tree (a relocated install) -------------
arbre="$travail/deb/usr"
chmod 755 "$travail"
ecran=""
ecran_x_demarre 1280 1024 "$travail/xvfb.log" >"$travail/xvfb-demarrage.log" 2>&1 && ecran="$DISPLAY"
printf 'autospawn = no\n' >"$travail/client.conf"
chmod 644 "$travail/client.conf"

# lance WHO USER_HOME [XDG_DATA_HOME]: starts the installed program as WHO (root: as is), opens the
# main window and waits for test.wav in the per-user folder; fails if anything is written in the tree.
lance() {
    local qui="$1" maison="$2" xdg="${3:-}"
    local attendu="${xdg:-$maison/.local/share}/Sonavirelle/Sonavirelle/test.wav"
    local avant apres
    avant="$(cd "$arbre" && find . | sort)"
    local execution=()
    [ "$qui" != "$(id -un)" ] && execution=(setpriv --reuid="$qui" --regid="$(id -g "$qui")" --clear-groups)
    mkdir -p "$travail/run-$qui"
    chmod 700 "$travail/run-$qui"
    chown "$qui" "$travail/run-$qui" "$maison" ${xdg:+"$xdg"} 2>/dev/null
    (
        cd "$maison" || exit 1
        exec "${execution[@]}" env HOME="$maison" ${xdg:+XDG_DATA_HOME="$xdg"} DISPLAY="$ecran" QT_QPA_PLATFORM=xcb \
            XDG_RUNTIME_DIR="$travail/run-$qui" PULSE_SERVER="unix:$travail/sans-serveur" \
            PULSE_CLIENTCONFIG="$travail/client.conf" "$arbre/bin/sonavirelle"
    ) >"$travail/programme-$qui.log" 2>&1 &
    PROG_PID=$!
    local fenetre=""
    for _ in $(seq 100); do
        fenetre=$(DISPLAY="$ecran" xdotool search --onlyvisible --pid "$PROG_PID" 2>/dev/null | head -n 1)
        [ -n "$fenetre" ] && break
        kill -0 "$PROG_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$fenetre" ]; then
        cat "$travail/programme-$qui.log"
        echec "run as $qui: no window appeared"
    else
        sleep 0.3
        eval "$(DISPLAY="$ecran" xdotool getwindowgeometry --shell "$fenetre")"
        # "Démarrer" (see parcours.test.sh): opens the main window, which writes the first test.wav.
        DISPLAY="$ecran" xdotool mousemove --sync $((X + 1 + 256 + 1 + 120 + 60)) $((Y + 1 + 64 + 1 + 120 + 20)) click 1
        for _ in $(seq 100); do
            [ -s "$attendu" ] && break
            sleep 0.1
        done
        sleep 0.3
        if [ ! -f "$attendu" ]; then
            cat "$travail/programme-$qui.log"
            echec "run as $qui: no test.wav in the per-user folder ($attendu)"
        else
            python3 "$source/tests/verif_wav.py" compare "$attendu" --taille 2048 440:10 >"$travail/wav.log" 2>&1 \
                || echec "run as $qui: $attendu is not the default sound: $(cat "$travail/wav.log")"
            [ "$(stat -c %U "$attendu")" = "$qui" ] || echec "run as $qui: test.wav belongs to $(stat -c %U "$attendu")"
            echo "run as $qui: test.wav written in $attendu"
        fi
    fi
    kill "$PROG_PID" 2>/dev/null
    wait "$PROG_PID" 2>/dev/null
    PROG_PID=""
    apres="$(cd "$arbre" && find . | sort)"
    [ "$avant" = "$apres" ] || echec "run as $qui wrote into the install: $(diff <(echo "$avant") <(echo "$apres") | grep '^>' | tr '\n' ' ')"
}

if [ -z "$ecran" ]; then
    cat "$travail/xvfb-demarrage.log"
    echec "no X server could start: the installed program was not run"
else
    if [ "$(id -u)" -eq 0 ]; then
        # root can write beside the executable; the installed program must not.
        mkdir -p "$travail/maison-root"
        lance root "$travail/maison-root"
        inconnu=nobody
    else
        inconnu="$(id -un)"
    fi
    mkdir -p "$travail/maison-$inconnu" "$travail/donnees-$inconnu"
    lance "$inconnu" "$travail/maison-$inconnu" "$travail/donnees-$inconnu"
fi

if [ "$erreurs" -ne 0 ]; then
    echo "$erreurs check(s) failed"
    exit 1
fi
echo "install and package: all checks passed"
