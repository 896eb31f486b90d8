#!/usr/bin/python3
"""The program driven through the accessibility bus (AT-SPI), as a screen reader or a switch
access tool drives it: every command is found by its French name and pressed through its
action; the effect is checked on the screen (X server), in test.wav, and in the events the bus
brings (the listening challenge's score, spoken as a notification that shows).

Run by tests/atspi.test.sh with Debian's /usr/bin/python3 (python3-pyatspi), the program already
started in APP_DIR with its welcome window shown:

  atspi.py APP_DIR SOURCE_DIR ARTIFACTS_DIR

Prints one line per step; exit status 1 at the first step that fails.
"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APP, SOURCE, ARTEFACTS = sys.argv[1:4]
WAV = os.path.join(APP, 'test.wav')
ECRAN = [sys.executable, os.path.join(SOURCE, 'tests', 'ecran_x.py')]
VERIF = [sys.executable, os.path.join(SOURCE, 'tests', 'verif_wav.py')]


def echec(message):
    print('FAIL: ' + message, flush=True)
    photo('echec')
    sys.exit(1)


def photo(nom):
    subprocess.run(['import', '-window', 'root', os.path.join(ARTEFACTS, nom + '.png')], check=False)


def pompe():
    """Hands the events that came over the bus to their listeners."""
    contexte = GLib.MainContext.default()
    while contexte.pending():
        contexte.iteration(False)


def attend(condition, quoi, delai=10.0, fatal=True):
    """Polls `condition` until it returns something true; fails the run after `delai` seconds
    (returns None instead when not `fatal`)."""
    fin = time.monotonic() + delai
    while True:
        pompe()
        try:
            resultat = condition()
        except Exception:  # the tree changes under us while windows open and close
            resultat = None
        if resultat:
            return resultat
        if time.monotonic() > fin:
            if not fatal:
                return None
            echec(quoi + ' (waited %.0f s)' % delai)
        time.sleep(0.1)


def programme():
    bureau = pyatspi.Registry.getDesktop(0)
    for i in range(bureau.childCount):
        app = bureau.getChildAtIndex(i)
        # Qt names the application after QCoreApplication::applicationName.
        if app is not None and app.name.lower() == 'sonavirelle':
            return app
    return None


def applications():
    bureau = pyatspi.Registry.getDesktop(0)
    return [bureau.getChildAtIndex(i).name for i in range(bureau.childCount)]


def etats(objet):
    return objet.getState()


def montre(objet):
    return etats(objet).contains(pyatspi.STATE_SHOWING)


def cherche(nom, role=None, visible=True, sauf=None):
    """The element named `nom` (with that role name, not with role `sauf`), among the program's
    shown windows."""
    app = programme()
    if app is None:
        return None

    def convient(o):
        return (o is not None and o.name == nom and (role is None or o.getRoleName() == role)
                and (sauf is None or o.getRoleName() != sauf) and (not visible or montre(o)))

    for i in range(app.childCount):
        fenetre = app.getChildAtIndex(i)
        if fenetre is None or not montre(fenetre):
            continue
        if convient(fenetre):
            return fenetre
        trouve = pyatspi.findDescendant(fenetre, convient)
        if trouve is not None:
            return trouve
    return None


def presse(objet, noms=('Press', 'Toggle')):
    """Invokes the element's press (or toggle) action, as an assistive technology does."""
    actions = objet.queryAction()
    offertes = [actions.getName(i) for i in range(actions.nActions)]
    for nom in noms:
        if nom in offertes:
            actions.doAction(offertes.index(nom))
            return
    echec('%s "%s" offers no action among %s (it has %s)' % (objet.getRoleName(), objet.name, noms, offertes))


def commande(nom, role='push button'):
    objet = attend(lambda: cherche(nom, role), 'no %s named "%s" is shown' % (role, nom))
    presse(objet)
    return objet


def graphe_(nom):
    """A plot, not the caption above it that has the same text."""
    return cherche(nom, sauf='label')


def empreinte(objet):
    """Digest of what the screen shows in the element's rectangle."""
    r = objet.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    sortie = subprocess.run(ECRAN + ['empreinte', str(r.x), str(r.y), str(r.width), str(r.height)],
                            capture_output=True, text=True, check=True)
    return sortie.stdout.strip()


def octets():
    try:
        with open(WAV, 'rb') as f:
            return f.read()
    except OSError:
        return None


def verifie_wav(etape, *termes):
    sortie = subprocess.run(VERIF + ['compare', WAV] + list(termes), capture_output=True, text=True)
    if sortie.returncode != 0:
        echec('%s: test.wav: %s%s' % (etape, sortie.stdout, sortie.stderr))


def etape(texte):
    print('step: ' + texte, flush=True)


# What a screen reader hears without looking: objects shown (a notification appearing is spoken at
# once), names changed, windows made. Listening from the start lets the program know in time.
RECUS = []


def recoit(evenement):
    try:
        source = evenement.source
        source.clear_cache()  # its name now, not one read before
        RECUS.append((evenement.type, evenement.detail1, source.getRole(), source.name, source))
    except Exception:  # an object gone meanwhile
        pass


pyatspi.Registry.registerEventListener(recoit, 'object:state-changed:showing',
                                       'object:property-change:accessible-name', 'window:create')

etape('the welcome window on the bus')
if not attend(programme, 'the program did not appear on the accessibility bus', 30, fatal=False):
    echec('the program did not appear on the accessibility bus; applications there: %s' % applications())
commande('Démarrer')
attend(lambda: cherche('Sonavirelle 2010'), 'the main window did not show')
attend(lambda: octets() is not None, 'test.wav was not written at start-up')
verifie_wav('start-up', '--taille', '2048', '440:10')
photo('01-principale')

etape('"Afficher le clavier" shows the keyboard window')
commande('Afficher le clavier')
attend(lambda: cherche('Clavier'), 'the keyboard window did not show')

etape('a piano key pressed through its action changes test.wav')
avant = octets()
touche = attend(lambda: cherche('La 3 — 443 Hz', 'push button'), 'no piano key named "La 3 — 443 Hz"')
presse(touche)
attend(lambda: octets() != avant, 'the key did not rewrite test.wav')
time.sleep(0.3)
verifie_wav('key', '443:10')
apres_touche = octets()
photo('02-touche')

etape('"Aide" shows the help window, its cross closes it')
commande('Aide')
attend(lambda: cherche('Comment ça marche'), 'the help window did not show')
commande("Fermer l'aide")
attend(lambda: cherche('Comment ça marche') is None, 'the help window did not close')



def masque_et_montre(quoi, masquer, afficher, nom):
    """Hides a plot with its cross, shows it again from its placeholder; returns the plot."""
    etape('the %s hidden and shown again' % quoi)
    commande(masquer)
    attend(lambda: cherche(afficher, 'push button'), 'the %s placeholder did not show' % quoi)
    attend(lambda: graphe_(nom) is None, 'the %s is still shown' % quoi)
    commande(afficher)
    return attend(lambda: graphe_(nom), 'the %s did not come back' % quoi)


graphe = masque_et_montre('time plot', "Masquer l'évolution temporelle", "Afficher l'évolution temporelle",
                          'Evolution temporelle')
spectre = masque_et_montre('spectrum', 'Masquer le spectre', 'Afficher le spectre', 'Spectre de fréquence')

etape('"10 ms/div" chosen through its action redraws the time plot')
time.sleep(0.3)
temps_avant = empreinte(graphe)
option = commande('10 ms/div', 'radio button')
attend(lambda: etats(option).contains(pyatspi.STATE_CHECKED), '"10 ms/div" is not checked')
attend(lambda: empreinte(graphe) != temps_avant, 'the time plot was not redrawn at 10 ms/div', 5)
attend(lambda: graphe.description == 'Évolution temporelle, 10 ms par division',
       'the time plot does not describe its new time base (it says "%s")' % graphe.description, 5)
photo('03-10ms')

etape('"Afficher les fréquences" toggled through its action redraws the spectrum')
spectre_avant = empreinte(spectre)
case = commande('Afficher les fréquences', 'check box')
attend(lambda: etats(case).contains(pyatspi.STATE_CHECKED), '"Afficher les fréquences" is not checked')
attend(lambda: empreinte(spectre) != spectre_avant, 'the spectrum was not redrawn with the frequencies', 5)
presse(case)
attend(lambda: not etats(case).contains(pyatspi.STATE_CHECKED), '"Afficher les fréquences" is still checked')
attend(lambda: empreinte(spectre) == spectre_avant, 'the spectrum was not redrawn without the frequencies', 5)

etape('with no sound server, "Ecouter le son produit" does not pretend to play and the notice says why')
AVIS = 'Aucune sortie son'
AVIS_ATTENTE = "Aucune sortie son : le son partira dès qu'une sortie sera disponible"
attend(lambda: cherche(AVIS, 'label'), 'the no-output notice is not shown')
avant = octets()
ecouter = commande('Ecouter le son produit')
attend(lambda: cherche(AVIS_ATTENTE, 'label'), 'the notice does not say the sound waits for an output')
time.sleep(0.5)
if cherche('Silence !', 'push button') is not None:
    echec('"Silence !" shows although no output plays')
if not montre(ecouter):
    echec('"Ecouter le son produit" was hidden although no output plays')
if octets() != avant:
    echec('the sound switch rewrote test.wav')

etape('"Effacer toutes les composantes" after a component added with the pointer')
r = spectre.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(['xdotool', 'mousemove', '--sync', str(r.x + r.width // 3), str(r.y + r.height // 2)], check=True)
time.sleep(0.2)
subprocess.run(['xdotool', 'click', '1'], check=True)
attend(lambda: octets() != apres_touche, 'the click in the spectrum did not add a component')
attend(lambda: spectre.description.startswith('Spectre : 2 composantes — '),
       'the spectrum does not describe its two components (it says "%s")' % spectre.description, 5)
time.sleep(0.3)
commande('Effacer toutes les composantes')
attend(lambda: octets() == apres_touche, 'clearing did not bring test.wav back to the fundamental alone')
attend(lambda: spectre.description.startswith('Spectre : 1 composante — '),
       'the cleared spectrum does not describe its one component (it says "%s")' % spectre.description, 5)
photo('04-effacer')

etape('the letter rows play the piano through the X server (keycodes of a QWERTY map)')


def note(index):
    sortie = subprocess.run(VERIF + ['note', str(index)], capture_output=True, text=True, check=True)
    return sortie.stdout.strip()


def joue(titre, touche, index):
    fenetre = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', titre],
                             capture_output=True, text=True).stdout.split()
    if not fenetre:
        echec('no window titled %s' % titre)
    subprocess.run(['xdotool', 'windowfocus', '--sync', fenetre[0]], check=True)
    time.sleep(0.3)
    avant = octets()
    subprocess.run(['xdotool', 'key', touche], check=True)
    attend(lambda: octets() != avant, '"%s" in %s did not rewrite test.wav' % (touche, titre))
    time.sleep(0.3)
    verifie_wav('key ' + touche, note(index) + ':10')


# Keycode 38 (A on QWERTY, Q on AZERTY) plays Do 3; keycode 25 (W / Z) Do dièse 3.
joue('^Sonavirelle 2010$', 'a', 12)
joue('^Clavier$', 'w', 13)
photo('05-lettres')

etape('the "Défi d\'écoute" window, opened from the "Timbres" menu: every command a button with a press action')
# Qt keeps popup menus out of the application's tree: the menu is found as a screen reader finds
# it, by the event of its showing.
pompe()
del RECUS[:]
commande('Timbres')
menu = attend(lambda: [r[4] for r in RECUS if r[0] == 'object:state-changed:showing' and r[1] == 1
                       and r[2] == pyatspi.ROLE_POPUP_MENU], 'no menu showed after "Timbres"')[-1]
presse(attend(lambda: pyatspi.findDescendant(menu, lambda o: o.name == "Défi d'écoute…"),
              'the menu has no "Défi d\'écoute…"'))
defi = attend(lambda: cherche("Défi d'écoute"), 'the challenge window did not show')
COMMANDES = ['Niveau 1', 'Niveau 2', 'Niveau 3', 'Niveau 4', 'Niveau 5', 'Nouveau défi', 'Écouter le défi',
             'Écouter mon son', 'Vérifier', 'Indice', 'Solution']
boutons = pyatspi.findAllDescendants(defi, lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON)
if sorted(b.name for b in boutons) != sorted(COMMANDES):
    echec('the challenge window\'s buttons are %s, not %s' % (sorted(b.name for b in boutons), sorted(COMMANDES)))
for b in boutons:
    actions = b.queryAction()
    if 'Press' not in [actions.getName(i) for i in range(actions.nActions)]:
        echec('"%s" offers no press action' % b.name)
photo('06-defi')

etape('"Vérifier" announces the score as a notification that shows')
# Challenge 4821 at level 3 (the window's first) hides 1:10 2:4 5:10 7:5; test.wav held the
# fundamental alone just above. Each side divided by its sum, D = half the distance between them.
defi_cache = {1: 10, 2: 4, 5: 10, 7: 5}
p = {k: a / sum(defi_cache.values()) for k, a in defi_cache.items()}
q = {1: 1.0}
D = sum(abs(p.get(k, 0) - q.get(k, 0)) for k in range(11)) / 2
SCORE = 'Score : %d sur 100' % round(100 * (1 - D))
pompe()
del RECUS[:]
presse(attend(lambda: cherche('Vérifier', 'push button'), 'no "Vérifier" button'))


def annonce():
    return [r for r in RECUS if r[0] == 'object:state-changed:showing' and r[1] == 1
            and r[2] == pyatspi.ROLE_NOTIFICATION and r[3] == SCORE]


if not attend(annonce, '', 5, fatal=False):
    echec('no notification "%s" showed; the bus brought %s' % (SCORE, [r[:4] for r in RECUS]))
if pyatspi.findDescendant(defi, lambda o: o.name == SCORE and o.getRole() == pyatspi.ROLE_NOTIFICATION) is None:
    echec('the challenge window holds no notification "%s"' % SCORE)
photo('07-score')

print('all AT-SPI steps passed', flush=True)
