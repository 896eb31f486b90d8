#!/bin/bash
# Installs the build into a scratch prefix and packs it as a .deb, then checks that what
# the program and the desktop need is where they look for it.
# Usage: install.test.sh BUILD_DIR SOURCE_DIR

construction="$1"
source="$2"

if [ ! -x "$construction/sonavirelle" ]; then
    echo "SKIP: the program is not built in $construction"
    exit 77
fi

travail="$(mktemp -d)"
trap 'rm -rf "$travail"' EXIT
erreurs=0
echec() { echo "FAIL: $*"; erreurs=$((erreurs + 1)); }

# Checks that a prefix holds every installed file, laid out as the program expects.
verifie_arbre() {
    local racine="$1" quoi="$2"
    [ -x "$racine/bin/sonavirelle" ] || echec "$quoi: bin/sonavirelle missing or not executable"
    # The program looks for silence.wav in its own folder.
    if [ -f "$construction/silence.wav" ]; then
        cmp -s "$construction/silence.wav" "$racine/bin/silence.wav" \
            || echec "$quoi: bin/silence.wav missing or not the build's copy"
    fi
    local bureau="$racine/share/applications/sonavirelle.desktop"
    [ -f "$bureau" ] || echec "$quoi: share/applications/sonavirelle.desktop missing"
    cmp -s "$source/resources/icone.svg" "$racine/share/icons/hicolor/scalable/apps/sonavirelle.svg" \
        || echec "$quoi: scalable icon missing or not the application icon"
}

# --- cmake --install ---------------------------------------------------------------------
prefixe="$travail/prefixe"
if ! cmake --install "$construction" --prefix "$prefixe" >"$travail/install.log" 2>&1; then
    cat "$travail/install.log"
    echec "cmake --install failed"
    exit 1
fi
verifie_arbre "$prefixe" "install"

bureau="$prefixe/share/applications/sonavirelle.desktop"
if [ -f "$bureau" ]; then
    if command -v desktop-file-validate >/dev/null; then
        # Some errors only warn today ("will be fatal in the future"): treat them as errors.
        rapport="$(desktop-file-validate "$bureau" 2>&1)"
        if [ $? -ne 0 ] || grep -q 'error' <<<"$rapport"; then
            echo "$rapport"
            echec "desktop-file-validate rejects the desktop entry"
        fi
    fi
    for cle in 'Type=Application' 'Name=Sonavirelle' 'Exec=sonavirelle' 'Icon=sonavirelle' 'Terminal=false'; do
        grep -qx "$cle" "$bureau" || echec "desktop entry lacks $cle"
    done
    grep -q '^Comment=..*' "$bureau" || echec "desktop entry has no Comment"
    categories="$(sed -n 's/^Categories=//p' "$bureau")"
    for c in Education Audio; do
        [[ ";$categories" == *";$c;"* ]] || echec "desktop entry not in category $c ($categories)"
    done
    # What the entry names must be what was installed.
    commande="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$bureau")"
    [ -x "$prefixe/bin/$commande" ] || echec "Exec=$commande is not an installed program"
    icone="$(sed -n 's/^Icon=//p' "$bureau")"
    [ -f "$prefixe/share/icons/hicolor/scalable/apps/$icone.svg" ] || echec "Icon=$icone has no installed icon"
fi

# --- Debian package ----------------------------------------------------------------------
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null && [ -f "$construction/CPackConfig.cmake" ]; then
    if ! cpack --config "$construction/CPackConfig.cmake" -B "$travail/paquet" >"$travail/cpack.log" 2>&1; then
        cat "$travail/cpack.log"
        echec "cpack failed"
    else
        deb="$(ls "$travail"/paquet/*.deb 2>/dev/null | head -n 1)"
        if [ -z "$deb" ]; then
            echec "cpack made no .deb"
        else
            dpkg-deb -x "$deb" "$travail/deb"
            verifie_arbre "$travail/deb/usr" "deb"
            dependances="$(dpkg-deb -f "$deb" Depends)"
            for p in fonts-crosextra-carlito fonts-liberation2 libqt6widgets6 libqt6multimedia6 libqt6svg6; do
                grep -q "$p" <<<"$dependances" || echec "package does not depend on $p ($dependances)"
            done
            [ "$(dpkg-deb -f "$deb" Maintainer)" = "Sonavirelle" ] || echec "package maintainer is not Sonavirelle"
        fi
    fi
else
    echo "note: cpack or dpkg-deb missing, package not checked"
fi

if [ "$erreurs" -ne 0 ]; then
    echo "$erreurs check(s) failed"
    exit 1
fi
echo "install and package: all checks passed"
