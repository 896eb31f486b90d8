#!/usr/bin/env python3
"""Carries translations from an older catalogue into a freshly lupdate'd one.

When code moves to another class or file, lupdate files its texts under a new context, with an
empty (unfinished) translation, and -no-obsolete drops the old entries. This fills every entry of
CIBLE that has no finished translation from ANCIEN (and from CIBLE's own obsolete or vanished
entries, when lupdate kept them):

  1. same context, same source text, same disambiguation comment;
  2. otherwise same source text and comment in any context, when all such entries agree on one
     translation (a text translated two ways in two contexts is left for a person to choose).

CIBLE is rewritten in place, only inside the <translation> elements it fills; everything else
stays as lupdate wrote it. Prints what was carried over and every entry still unfinished; exit
status 1 when one is left, so nothing is lost silently.

Usage, after moving code (the English catalogue as an example):
  git show HEAD:translations/sonavirelle_en.ts > /tmp/ancien.ts
  cmake --build build/default --target update_translations
  scripts/traductions.py /tmp/ancien.ts translations/sonavirelle_en.ts
"""

import re
import sys
import xml.etree.ElementTree as ET

FINI = None  # type attribute of a finished translation
ECARTES = ('obsolete', 'vanished')


def texte(element):
    return '' if element is None or element.text is None else element.text


def entrees(chemin):
    """(context, source, comment, translation, type) of every message of a catalogue."""
    racine = ET.parse(chemin).getroot()
    for contexte in racine.iter('context'):
        nom = texte(contexte.find('name'))
        for message in contexte.iter('message'):
            traduction = message.find('translation')
            yield (nom, texte(message.find('source')), texte(message.find('comment')),
                   texte(traduction), None if traduction is None else traduction.get('type'))


def echappe(t):
    # As lupdate writes them.
    t = t.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;')
    t = t.replace("'", '&apos;').replace('"', '&quot;')
    return re.sub(r'[\x00-\x08\x0b\x0c\x0e-\x1f\xa0]', lambda m: '&#x%x;' % ord(m.group()), t)


def connues(sources):
    """Finished translations by (context, source, comment) and by (source, comment)."""
    exactes, par_texte = {}, {}
    for contexte, source, commentaire, traduction, genre in sources:
        if not traduction or genre not in (FINI,) + ECARTES:
            continue
        exactes.setdefault((contexte, source, commentaire), traduction)
        par_texte.setdefault((source, commentaire), set()).add(traduction)
    return exactes, par_texte


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write(__doc__)
        return 2
    ancien, cible = arguments
    exactes, par_texte = connues(list(entrees(ancien)) + list(entrees(cible)))

    with open(cible, encoding='utf-8') as f:
        contenu = f.read()
    # The file is walked context by context and message by message, as lupdate lays it out.
    bloc_contexte = re.compile(r'<context>.*?</context>', re.S)
    bloc_message = re.compile(r'<message\b[^>]*>.*?</message>', re.S)
    reportees, restantes = [], []

    def remplit_contexte(mc):
        bloc = mc.group()
        nom = texte(ET.fromstring(bloc).find('name'))

        def remplit_message(mm):
            message = mm.group()
            e = ET.fromstring(message)
            t = e.find('translation')
            genre = None if t is None else t.get('type')
            if t is None or genre in ECARTES or (genre is FINI and texte(t)):
                return message
            source, commentaire = texte(e.find('source')), texte(e.find('comment'))
            traduction = exactes.get((nom, source, commentaire))
            if traduction is None and len(par_texte.get((source, commentaire), ())) == 1:
                traduction = next(iter(par_texte[(source, commentaire)]))
            if traduction is None:
                restantes.append((nom, source, commentaire))
                return message
            reportees.append((nom, source))
            return re.sub(r'<translation\b[^>]*?(/>|>.*?</translation>)',
                          lambda _: '<translation>' + echappe(traduction) + '</translation>', message,
                          count=1, flags=re.S)

        return bloc_message.sub(remplit_message, bloc)

    contenu = bloc_contexte.sub(remplit_contexte, contenu)
    with open(cible, 'w', encoding='utf-8') as f:
        f.write(contenu)

    for nom, source in reportees:
        print('carried over: %s: %s' % (nom, source))
    for nom, source, commentaire in restantes:
        print('STILL UNFINISHED: %s: %s%s' % (nom, source, ' (%s)' % commentaire if commentaire else ''))
    print('%d carried over, %d still unfinished' % (len(reportees), len(restantes)))
    return 1 if restantes else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
