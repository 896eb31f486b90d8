<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="fr_FR">
<context>
    <name>APropos</name>
    <message>
        <source>Sonavirelle, version %1</source>
        <translation>Sonavirelle, version %1</translation>
    </message>
    <message>
        <source>Un synthétiseur additif pour apprendre ce qu&apos;est le timbre d&apos;un son.</source>
        <translation>An additive synthesiser to learn what the timbre of a sound is.</translation>
    </message>
    <message>
        <source>Logiciel libre, sous licence GNU GPL version 3 ou ultérieure.</source>
        <translation>Free software, under the GNU GPL version 3 or later.</translation>
    </message>
    <message>
        <source>Sons d&apos;instruments : notes de la banque de sons FluidR3 GM (paquet fluid-soundfont-gm), © 2000-2002, 2008 Frank Wen, 2008 Toby Smithe, licence MIT. Voyelle chantée : espeak-ng, licence GNU GPL version 3 ou ultérieure.</source>
        <translation>Instrument sounds: notes of the FluidR3 GM sound font (package fluid-soundfont-gm), © 2000-2002, 2008 Frank Wen, 2008 Toby Smithe, MIT licence. Sung vowel: espeak-ng, GNU GPL version 3 or later.</translation>
    </message>
    <message>
        <source>Polices : Carlito (paquet fonts-crosextra-carlito) et Liberation Sans (paquet fonts-liberation2), licence SIL Open Font License 1.1.</source>
        <translation>Fonts: Carlito (package fonts-crosextra-carlito) and Liberation Sans (package fonts-liberation2), SIL Open Font License 1.1.</translation>
    </message>
    <message>
        <source>À propos de Sonavirelle</source>
        <translation>About Sonavirelle</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Accueil</name>
    <message>
        <source>Accueil</source>
        <translation>Welcome</translation>
    </message>
    <message>
        <source>Sonavirelle 2013</source>
        <translation>Sonavirelle 2013</translation>
    </message>
    <message>
        <source>Partition : démarrer</source>
        <translation>Sheet music: start</translation>
    </message>
    <message>
        <source>Projet Sonavirelle</source>
        <translation>Sonavirelle project</translation>
    </message>
    <message>
        <source>Logiciel éducatif</source>
        <translation>Educational software</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Sonavirelle permet de générer un son en choisissant les composantes qui le constituent, ce qui illustre la notion de timbre d&apos;un son musical.</source>
        <translation>Sonavirelle lets you make a sound by choosing the components it is made of, which shows what the timbre of a musical sound is.</translation>
    </message>
    <message>
        <source>On peut aussi ajouter des composantes de fréquences quelconques, non multiples de celle du fondamental&#xa0;: le son généré n&apos;est alors plus un son musical.</source>
        <translation>You can also add components of any frequency, not multiples of the fundamental&apos;s: the sound made is then no longer a musical sound.</translation>
    </message>
    <message>
        <source>Démarrer</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>Aide</name>
    <message>
        <source>Cliquer sur les icônes           et            pour entendre ou ne plus entendre le son produit. </source>
        <translation>Click on the icons                and           to hear or stop hearing the sound. </translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Comment ça marche</source>
        <translation>How it works</translation>
    </message>
    <message>
        <source>Icône de l&apos;aide</source>
        <translation>Help icon</translation>
    </message>
    <message>
        <source>Fermer l&apos;aide</source>
        <translation>Close the help</translation>
    </message>
    <message>
        <source>L&apos;option «&#xa0;n&apos;autoriser que les fréquences multiples&#xa0;» (cochée par défaut) fait que les composantes ajoutées ont des fréquences multiples de la fréquence fondamentale. On peut décocher cette option pour lever cette contrainte.</source>
        <translation>The option “Allow only multiples of the fundamental frequency” (ticked by default) gives every component you add a frequency that is a multiple of the fundamental frequency. Untick this option to lift this constraint.</translation>
    </message>
    <message>
        <source>Le timbre type «&#xa0;Impairs en 1/n²&#xa0;» sonne comme un signal triangulaire sans en avoir la forme, car ses composantes sont en phase sinus et l&apos;oreille n&apos;entend pas la phase.</source>
        <translation>The classic timbre “Odd harmonics in 1/n²” sounds like a triangle wave without having its shape, because its components are in sine phase and the ear does not hear the phase.</translation>
    </message>
    <message>
        <source>Pour ajouter des composantes, cliquer dans le spectre avec le bouton gauche de la souris&#xa0;; pour les retirer, cliquer avec le bouton droit.</source>
        <translation>To add components, click in the spectrum with the left mouse button; to remove them, click with the right button.</translation>
    </message>
    <message>
        <source>Comment modifier le spectre du son produit ?</source>
        <translation>How do I change the spectrum of the sound?</translation>
    </message>
    <message>
        <source>Dans le spectre affiché en bas de l&apos;écran, approcher le curseur de la souris du premier pic et déplacer celui-ci avec le clic gauche.</source>
        <translation>In the spectrum at the bottom of the screen, bring the mouse pointer to the first peak and drag it with the left button.</translation>
    </message>
    <message>
        <source>Comment modifier la fréquence fondamentale ?</source>
        <translation>How do I change the fundamental frequency?</translation>
    </message>
    <message>
        <source>Comment écouter le son produit ?</source>
        <translation>How do I hear the sound?</translation>
    </message>
    <message>
        <source>Icône «&#xa0;Silence !&#xa0;» (haut-parleur barré)</source>
        <translation>“Silence!” icon (crossed-out loudspeaker)</translation>
    </message>
    <message>
        <source>Pointeur en forme de main qui saisit le pic</source>
        <translation>Pointer shaped like a hand gripping the peak</translation>
    </message>
    <message>
        <source>Exemple de spectre&#xa0;: le premier pic, saisi avec la souris</source>
        <translation>Example spectrum: the first peak, gripped with the mouse</translation>
    </message>
    <message>
        <source>Icône «&#xa0;Ecouter le son produit&#xa0;» (haut-parleur)</source>
        <translation>“Play the sound” icon (loudspeaker)</translation>
    </message>
    <message>
        <source>Un son enregistré&#xa0;: «&#xa0;Analyser un son…&#xa0;» (menu «&#xa0;Timbres&#xa0;»)&#xa0;; Ctrl+Maj+O fait écouter l&apos;original. Le «&#xa0;Défi d&apos;écoute&#xa0;»&#xa0;: refaire un son caché, «&#xa0;Vérifier&#xa0;» donne le score.</source>
        <translation>A recorded sound: “Analyse a sound…” (Timbres menu); Ctrl+Shift+O plays the original. “Listening challenge”: rebuild a hidden sound; “Check” scores it.</translation>
    </message>
    <message>
        <source>l&apos;aide</source>
        <translation>help</translation>
    </message>
    <message>
        <source>fermer la fenêtre</source>
        <translation>close the window</translation>
    </message>
    <message>
        <source>pages de l&apos;aide</source>
        <translation>pages of the help</translation>
    </message>
    <message>
        <source>ouvrir un timbre</source>
        <translation>open a timbre</translation>
    </message>
    <message>
        <source>enregistrer</source>
        <translation>save</translation>
    </message>
    <message>
        <source>enregistrer sous…</source>
        <translation>save as…</translation>
    </message>
    <message>
        <source>exporter le son</source>
        <translation>export the sound</translation>
    </message>
    <message>
        <source>analyser un son</source>
        <translation>analyse a sound</translation>
    </message>
    <message>
        <source>écouter l&apos;original</source>
        <translation>hear the original</translation>
    </message>
    <message>
        <source>annuler</source>
        <translation>undo</translation>
    </message>
    <message>
        <source>rétablir</source>
        <translation>redo</translation>
    </message>
    <message>
        <source>les composantes</source>
        <translation>the components</translation>
    </message>
    <message>
        <source>micro en direct</source>
        <translation>live microphone</translation>
    </message>
    <message>
        <source>enregistrer au micro</source>
        <translation>record and analyse</translation>
    </message>
    <message>
        <source>agrandir, réduire</source>
        <translation>zoom in, zoom out</translation>
    </message>
    <message>
        <source>taille normale</source>
        <translation>back to 100 %</translation>
    </message>
    <message>
        <source>plein écran</source>
        <translation>full screen</translation>
    </message>
    <message>
        <source>← Première page</source>
        <translation>← First page</translation>
    </message>
    <message>
        <source>Page suivante →</source>
        <translation>Next page →</translation>
    </message>
    <message>
        <source>Première page de l&apos;aide</source>
        <translation>First page of the help</translation>
    </message>
    <message>
        <source>Page suivante de l&apos;aide</source>
        <translation>Next page of the help</translation>
    </message>
    <message>
        <source>Comment garder et retrouver un son ?</source>
        <translation>How do I keep a sound and find it again?</translation>
    </message>
    <message>
        <source>Comment retoucher le son ?</source>
        <translation>How do I touch up the sound?</translation>
    </message>
    <message>
        <source>Comment s&apos;aider du clavier, du zoom et du micro ?</source>
        <translation>How do the keyboard, the zoom and the microphone help?</translation>
    </message>
    <message>
        <source>Raccourcis clavier</source>
        <translation>Keyboard shortcuts</translation>
    </message>
    <message>
        <source>À propos de Sonavirelle…</source>
        <translation>About Sonavirelle…</translation>
    </message>
    <message>
        <source>À propos de Sonavirelle</source>
        <translation>About Sonavirelle</translation>
    </message>
    <message>
        <source>Le bouton «&#xa0;Timbres&#xa0;» ouvre le menu. «&#xa0;Ouvrir…&#xa0;», «&#xa0;Enregistrer&#xa0;» (Ctrl+S) et «&#xa0;Enregistrer sous…&#xa0;» (Ctrl+Maj+S) lisent et écrivent les fichiers .timbre&#xa0;; «&#xa0;Récents&#xa0;» reprend les huit derniers. Le titre de la fenêtre nomme le fichier ouvert, suivi de «&#xa0;*&#xa0;» s&apos;il a changé&#xa0;; en fermant, le programme propose d&apos;enregistrer. «&#xa0;Exporter le son…&#xa0;» écrit un fichier WAV de la durée choisie.</source>
        <translation>The “Timbres” button opens the menu. “Open…”, “Save” (Ctrl+S) and “Save as…” (Ctrl+Shift+S) read and write .timbre files; “Recent” lists the last eight. The window&apos;s title names the open file, followed by “*” once it has changed; on closing, the program offers to save it. “Export the sound…” writes a WAV file of the length chosen.</translation>
    </message>
    <message>
        <source>Ctrl+Z annule la dernière modification, Ctrl+Maj+Z la rétablit. «&#xa0;Composantes…&#xa0;» (Ctrl+L) règle la fréquence et l&apos;amplitude de chaque composante&#xa0;; «&#xa0;Muette&#xa0;» la fait taire, «&#xa0;Solo&#xa0;» la fait entendre seule, sans changer le timbre. Les lettres du clavier de l&apos;ordinateur jouent le piano&#xa0;: la rangée du milieu les touches blanches, celle du dessus les noires.</source>
        <translation>Ctrl+Z undoes the last change, Ctrl+Shift+Z redoes it. “Components…” (Ctrl+L) sets each component&apos;s frequency and amplitude; “Mute” silences it, “Solo” lets it be heard alone, without changing the timbre. The computer keyboard&apos;s letters play the piano: the home row the white keys, the row above it the black ones.</translation>
    </message>
    <message>
        <source>Tab passe d&apos;une commande à l&apos;autre, Espace ou Entrée l&apos;actionne. Ctrl++ et Ctrl+- agrandissent ou réduisent les fenêtres, Ctrl+0 les remet à 100&#xa0;%.</source>
        <translation>Tab goes from one command to the next, Space or Enter presses it. Ctrl++ and Ctrl+- zoom the windows in or out, Ctrl+0 takes them back to 100&#xa0;%.</translation>
    </message>
    <message>
        <source>«&#xa0;Micro ▸ Écouter en direct&#xa0;» montre par-dessus le spectre celui du son capté et sa note&#xa0;; «&#xa0;Enregistrer et analyser&#xa0;» enregistre trois secondes et les refait avec dix sinusoïdes. Quand le son du programme est allumé, le micro l&apos;entend aussi&#xa0;: c&apos;est normal, rien n&apos;est à annuler.</source>
        <translation>“Microphone ▸ Listen live” shows the spectrum of the sound picked up and its note over the spectrum; “Record and analyse” records three seconds and rebuilds them from ten sines. When the program&apos;s own sound is on, the microphone hears it too: that is normal, nothing needs cancelling.</translation>
    </message>
</context>
<context>
    <name>BandeauCommandes</name>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Ecouter le son produit</source>
        <translation>Play the sound</translation>
    </message>
    <message>
        <source>Silence !</source>
        <translation>Silence!</translation>
    </message>
    <message>
        <source>Afficher le clavier</source>
        <translation>Show the keyboard</translation>
    </message>
    <message>
        <source>Timbres</source>
        <translation>Timbres</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Aucune sortie son</source>
        <translation>No sound output</translation>
    </message>
    <message>
        <source>Aucune sortie son : le son partira dès qu&apos;une sortie sera disponible</source>
        <translation>No sound output: the sound will start as soon as an output is available</translation>
    </message>
</context>
<context>
    <name>Clavier</name>
    <message>
        <source>Clavier</source>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>Do</source>
        <translation>C</translation>
    </message>
    <message>
        <source>Do dièse</source>
        <translation>C♯</translation>
    </message>
    <message>
        <source>Ré</source>
        <translation>D</translation>
    </message>
    <message>
        <source>Ré dièse</source>
        <translation>D♯</translation>
    </message>
    <message>
        <source>Mi</source>
        <translation>E</translation>
    </message>
    <message>
        <source>Fa</source>
        <translation>F</translation>
    </message>
    <message>
        <source>Fa dièse</source>
        <translation>F♯</translation>
    </message>
    <message>
        <source>Sol</source>
        <translation>G</translation>
    </message>
    <message>
        <source>Sol dièse</source>
        <translation>G♯</translation>
    </message>
    <message>
        <source>La</source>
        <translation>A</translation>
    </message>
    <message>
        <source>La dièse</source>
        <translation>A♯</translation>
    </message>
    <message>
        <source>Si</source>
        <translation>B</translation>
    </message>
    <message>
        <source>2</source>
        <comment>octave number of the lowest key&apos;s C (132 Hz, an octave below the middle C)</comment>
        <translation>3</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>note name, octave</comment>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>%1 — %2 Hz</source>
        <comment>note name, frequency</comment>
        <translation>%1 — %2 Hz</translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
</context>
<context>
    <name>Composantes</name>
    <message>
        <source>Composantes</source>
        <translation>Components</translation>
    </message>
    <message>
        <source>N°</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Fréquence (Hz)</source>
        <translation>Frequency (Hz)</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>Aucune composante : le tableau est vide.</source>
        <translation>No component: the table is empty.</translation>
    </message>
    <message>
        <source>Composante %1</source>
        <translation>Component %1</translation>
    </message>
    <message>
        <source>Composante %1 : fréquence</source>
        <translation>Component %1: frequency</translation>
    </message>
    <message>
        <source>Composante %1 : amplitude</source>
        <translation>Component %1: amplitude</translation>
    </message>
    <message>
        <source>Muette</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Composante %1 : muette</source>
        <translation>Component %1: muted</translation>
    </message>
    <message>
        <source>Solo</source>
        <translation>Solo</translation>
    </message>
    <message>
        <source>Composante %1 : solo</source>
        <translation>Component %1: solo</translation>
    </message>
</context>
<context>
    <name>CurseurVolume</name>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Silence</source>
        <translation>Silent</translation>
    </message>
    <message>
        <source>+%1 dB</source>
        <translation>+%1 dB</translation>
    </message>
    <message>
        <source>−%1 dB</source>
        <translation>−%1 dB</translation>
    </message>
    <message>
        <source>0 dB</source>
        <translation>0 dB</translation>
    </message>
    <message>
        <source>Volume : %1</source>
        <translation>Volume: %1</translation>
    </message>
</context>
<context>
    <name>DefiEcoute</name>
    <message>
        <source>Défi d&apos;écoute</source>
        <translation>Listening challenge</translation>
    </message>
    <message>
        <source>Niveau :</source>
        <translation>Level:</translation>
    </message>
    <message>
        <source>Niveau 1</source>
        <translation>Level 1</translation>
    </message>
    <message>
        <source>Niveau 2</source>
        <translation>Level 2</translation>
    </message>
    <message>
        <source>Niveau 3</source>
        <translation>Level 3</translation>
    </message>
    <message>
        <source>Niveau 4</source>
        <translation>Level 4</translation>
    </message>
    <message>
        <source>Niveau 5</source>
        <translation>Level 5</translation>
    </message>
    <message>
        <source>Défi n°</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Nouveau défi</source>
        <translation>New challenge</translation>
    </message>
    <message>
        <source>Écouter le défi</source>
        <translation>Hear the challenge</translation>
    </message>
    <message>
        <source>Écouter mon son</source>
        <translation>Hear my sound</translation>
    </message>
    <message>
        <source>Vérifier</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Indice</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>Solution</source>
        <translation>Solution</translation>
    </message>
    <message>
        <source>Scores de la séance</source>
        <translation>Scores of the session</translation>
    </message>
    <message>
        <source>Numéro du défi</source>
        <translation>Challenge number</translation>
    </message>
    <message>
        <source>N°</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Niveau</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Indices</source>
        <translation>Hints</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Défi n° %1, niveau %2 : écouter le défi, le refaire dans le spectre, puis vérifier.</source>
        <translation>Challenge no. %1, level %2: hear the challenge, rebuild it in the spectrum, then check.</translation>
    </message>
    <message>
        <source>Niveau choisi</source>
        <translation>Level chosen</translation>
    </message>
    <message>
        <source>Score : %1 sur 100</source>
        <translation>Score: %1 out of 100</translation>
    </message>
    <message>
        <source>Plus d&apos;indice : chaque composante cachée est juste ou déjà montrée.</source>
        <translation>No more hints: every hidden component is right or already shown.</translation>
    </message>
    <message>
        <source>Indice : harmonique %1, amplitude %2. Meilleur score possible : %3.</source>
        <translation>Hint: harmonic %1, amplitude %2. Best possible score: %3.</translation>
    </message>
    <message>
        <source>Solution : le spectre caché est sur le spectre. Meilleur score possible : %1.</source>
        <translation>Solution: the hidden spectrum is on the spectrum. Best possible score: %1.</translation>
    </message>
</context>
<context>
    <name>Descriptions</name>
    <message>
        <source>Spectre : aucune composante</source>
        <translation>Spectrum: no components</translation>
    </message>
    <message>
        <source>%1 Hz amplitude %2</source>
        <translation>%1 Hz amplitude %2</translation>
    </message>
    <message>
        <source>Spectre : 1 composante — %1</source>
        <translation>Spectrum: 1 component — %1</translation>
    </message>
    <message>
        <source>Spectre : %1 composantes — %2</source>
        <translation>Spectrum: %1 components — %2</translation>
    </message>
    <message>
        <source>%1. Curseur : %2 Hz, amplitude %3</source>
        <translation>%1. Cursor: %2 Hz, amplitude %3</translation>
    </message>
    <message>
        <source>Évolution temporelle, %1 ms par division</source>
        <translation>Waveform, %1 ms per division</translation>
    </message>
    <message>
        <source>%1 Hz — amplitude %2</source>
        <translation>%1 Hz — amplitude %2</translation>
    </message>
    <message>
        <source>t = %1 ms</source>
        <translation>t = %1 ms</translation>
    </message>
    <message>
        <source>%1. Spectre mesuré de « %2 » : fondamental %3 Hz</source>
        <translation>%1. Measured spectrum of “%2”: fundamental %3 Hz</translation>
    </message>
</context>
<context>
    <name>Direct</name>
    <message>
        <source>Enregistrement interrompu : le micro a été perdu. Rien n&apos;est changé.</source>
        <translation>Recording cut short: the microphone was lost. Nothing was changed.</translation>
    </message>
    <message>
        <source>enregistrement du micro</source>
        <translation>microphone recording</translation>
    </message>
</context>
<context>
    <name>LigneCommande</name>
    <message>
        <source>Affiche cette aide et quitte.</source>
        <translation>Shows this help and exits.</translation>
    </message>
    <message>
        <source>Affiche le nom et la version du programme et quitte.</source>
        <translation>Shows the program&apos;s name and version and exits.</translation>
    </message>
    <message>
        <source>Écrit le son dans le fichier WAV SORTIE, sans ouvrir de fenêtre, et quitte.</source>
        <translation>Writes the sound to the WAV file OUTPUT, without opening any window, and exits.</translation>
    </message>
    <message>
        <source>SORTIE</source>
        <translation>OUTPUT</translation>
    </message>
    <message>
        <source>SECONDES</source>
        <translation>SECONDS</translation>
    </message>
    <message>
        <source>« %1 --help » donne la liste des options</source>
        <translation>“%1 --help” lists the options</translation>
    </message>
    <message>
        <source>%1 : option inconnue « %2 » (%3).</source>
        <translation>%1: unknown option “%2” (%3).</translation>
    </message>
    <message>
        <source>%1 : valeur manquante après « %2 » (%3).</source>
        <translation>%1: missing value after “%2” (%3).</translation>
    </message>
    <message>
        <source>%1 : argument inattendu « %2 » (%3).</source>
        <translation>%1: unexpected argument “%2” (%3).</translation>
    </message>
    <message>
        <source>Usage : %1 [OPTION]... [FICHIER.timbre]</source>
        <translation>Usage: %1 [OPTION]... [FILE.timbre]</translation>
    </message>
    <message>
        <source>Fait comprendre le timbre d&apos;un son musical : un son périodique d&apos;au plus dix composantes
sinusoïdales, son spectre et sa forme d&apos;onde côte à côte, joué en boucle.</source>
        <translation>Teaches what the timbre of a musical sound is: a periodic sound of at most ten sine
components, its spectrum and its waveform side by side, played in a loop.</translation>
    </message>
    <message>
        <source>Avec un FICHIER.timbre, la fenêtre principale s&apos;ouvre directement sur ce son.</source>
        <translation>With a FILE.timbre, the main window opens directly on that sound.</translation>
    </message>
    <message>
        <source>Options :</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Les options de Qt (-platform, -display, -style...) sont aussi acceptées.</source>
        <translation>Qt&apos;s options (-platform, -display, -style...) are accepted too.</translation>
    </message>
    <message>
        <source>%1 : « --exporte » attend le nom d&apos;un fichier WAV (%2).</source>
        <translation>%1: “--exporte” expects the name of a WAV file (%2).</translation>
    </message>
    <message>
        <source>%1 : durée « %2 » : ce n&apos;est pas un nombre de secondes.</source>
        <translation>%1: duration “%2”: not a number of seconds.</translation>
    </message>
    <message>
        <source>%1 : durée « %2 » : %3</source>
        <translation>%1: duration “%2”: %3</translation>
    </message>
    <message>
        <source>Durée du son exporté, en secondes (3 par défaut), ou du tronçon analysé.</source>
        <translation>Length of the exported sound in seconds (3 by default), or of the analysed stretch.</translation>
    </message>
    <message>
        <source>Analyse le son SON en un timbre, sans ouvrir de fenêtre, l&apos;écrit et quitte.</source>
        <translation>Analyses the sound SOUND into a timbre without opening a window, writes it and quits.</translation>
    </message>
    <message>
        <source>SON</source>
        <translation>SOUND</translation>
    </message>
    <message>
        <source>Début du tronçon analysé, en secondes (par défaut, une partie stable du son).</source>
        <translation>Start of the analysed stretch in seconds (by default, a steady part of the sound).</translation>
    </message>
    <message>
        <source>FICHIER.timbre</source>
        <translation>FILE.timbre</translation>
    </message>
    <message>
        <source>%1 : « --analyse » attend le nom d&apos;un fichier son (%2).</source>
        <translation>%1: “--analyse” expects the name of a sound file (%2).</translation>
    </message>
    <message>
        <source>%1 : « --analyse » ne va ni avec « --exporte » ni avec un fichier de timbre (%2).</source>
        <translation>%1: “--analyse” goes with neither “--exporte” nor a timbre file (%2).</translation>
    </message>
    <message>
        <source>%1 : « --%2 %3 » : ce n&apos;est pas un nombre de secondes.</source>
        <translation>%1: “--%2 %3”: this is not a number of seconds.</translation>
    </message>
    <message>
        <source>%1 : « --%2 » ne sert qu&apos;avec « --analyse » (%3).</source>
        <translation>%1: “--%2” is only used with “--analyse” (%3).</translation>
    </message>
    <message>
        <source>%1 : « --duree » ne sert qu&apos;avec « --exporte » ou « --analyse » (%2).</source>
        <translation>%1: “--duree” is only used with “--exporte” or “--analyse” (%2).</translation>
    </message>
    <message>
        <source>Fichier de timbre écrit par l&apos;analyse (sans lui, la sortie standard) ou par le défi.</source>
        <translation>Timbre file written by the analysis (without it, standard output) or by the challenge.</translation>
    </message>
    <message>
        <source>Écrit le défi d&apos;écoute NUMERO (0 à 9999) dans CIBLE.timbre, et quitte.</source>
        <translation>Writes the listening challenge NUMBER (0 to 9999) to TARGET.timbre, and quits.</translation>
    </message>
    <message>
        <source>NUMERO</source>
        <translation>NUMBER</translation>
    </message>
    <message>
        <source>Niveau du défi, de 1 à 5.</source>
        <translation>Level of the challenge, 1 to 5.</translation>
    </message>
    <message>
        <source>Affiche le score d&apos;ESSAI face au défi CIBLE, puis un verdict par harmonique, et quitte.</source>
        <translation>Prints the score of ATTEMPT against the challenge TARGET, then a verdict per harmonic, and quits.</translation>
    </message>
    <message>
        <source>CIBLE.timbre ESSAI.timbre</source>
        <translation>TARGET.timbre ATTEMPT.timbre</translation>
    </message>
    <message>
        <source>%1 : « --sortie » ne sert qu&apos;avec « --analyse » ou « --defi » (%2).</source>
        <translation>%1: “--sortie” is only used with “--analyse” or “--defi” (%2).</translation>
    </message>
    <message>
        <source>%1 : « %2 » : ce nom n&apos;est pas de l&apos;UTF-8 valide ; le programme ne peut pas le reprendre exactement et ne l&apos;utilise pas.</source>
        <translation>%1: “%2”: this name is not valid UTF-8; the program cannot reproduce it exactly and does not use it.</translation>
    </message>
    <message>
        <source>%1 : « --exporte » attend le nom d&apos;un fichier WAV, pas l&apos;option « %2 » (%3).</source>
        <translation>%1: “--exporte” expects the name of a WAV file, not the option “%2” (%3).</translation>
    </message>
    <message>
        <source>sonavirelle : la sortie standard n&apos;a pas pu être écrite (%1).
</source>
        <translation>sonavirelle: standard output could not be written (%1).
</translation>
    </message>
    <message>
        <source>%1 : « --exporte %2 » : le nom du fichier doit finir par « .wav » (le son est écrit en WAV).</source>
        <translation>%1: “--exporte %2”: the file name must end in “.wav” (the sound is written as WAV).</translation>
    </message>
</context>
<context>
    <name>LigneDefi</name>
    <message>
        <source>%1 : numéro de défi « %2 » : un nombre entier de %3 à %4 est attendu.</source>
        <translation>%1: challenge number “%2”: a whole number from %3 to %4 is expected.</translation>
    </message>
    <message>
        <source>%1 : niveau « %2 » : un niveau de %3 à %4 est attendu.</source>
        <translation>%1: level “%2”: a level from %3 to %4 is expected.</translation>
    </message>
    <message>
        <source>%1 : « --%2 » ne sert qu&apos;avec « --defi » (%3).</source>
        <translation>%1: “--%2” is only used with “--defi” (%3).</translation>
    </message>
    <message>
        <source>%1 : « --defi », « --compare » et « --exporte » s&apos;emploient seuls (%2).</source>
        <translation>%1: “--defi”, “--compare” and “--exporte” are used alone (%2).</translation>
    </message>
    <message>
        <source>%1 : « --compare » attend deux fichiers, CIBLE.timbre et ESSAI.timbre (%2).</source>
        <translation>%1: “--compare” expects two files, TARGET.timbre and ATTEMPT.timbre (%2).</translation>
    </message>
    <message>
        <source>%1 : argument inattendu « %2 » (%3).</source>
        <translation>%1: unexpected argument “%2” (%3).</translation>
    </message>
    <message>
        <source>%1 : « --defi » attend « --niveau N » (%2).</source>
        <translation>%1: “--defi” expects “--niveau N” (%2).</translation>
    </message>
    <message>
        <source>%1 : « --defi » attend « --sortie CIBLE.timbre » (%2).</source>
        <translation>%1: “--defi” expects “--sortie TARGET.timbre” (%2).</translation>
    </message>
    <message>
        <source>juste</source>
        <translation>right</translation>
    </message>
    <message>
        <source>trop fort</source>
        <translation>too loud</translation>
    </message>
    <message>
        <source>trop faible</source>
        <translation>too soft</translation>
    </message>
    <message>
        <source>manquant</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>en trop</source>
        <translation>extra</translation>
    </message>
    <message>
        <source>hors harmoniques : %1</source>
        <translation>off the harmonics: %1</translation>
    </message>
    <message>
        <source>harmonique %1 : %2</source>
        <translation>harmonic %1: %2</translation>
    </message>
</context>
<context>
    <name>LigneRaccourci</name>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>MenuMicro</name>
    <message>
        <source>Micro</source>
        <translation>Microphone</translation>
    </message>
    <message>
        <source>Entrée</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Écouter en direct</source>
        <translation>Listen live</translation>
    </message>
    <message>
        <source>Enregistrer et analyser</source>
        <translation>Record and analyse</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;original…</source>
        <translation>Save the original…</translation>
    </message>
    <message>
        <source>Aucun micro</source>
        <translation>No microphone</translation>
    </message>
    <message>
        <source>Aucun micro : rien n&apos;est enregistré.</source>
        <translation>No microphone: nothing was recorded.</translation>
    </message>
    <message>
        <source>Enregistrement refusé</source>
        <translation>Recording refused</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;original</source>
        <translation>Save the original</translation>
    </message>
    <message>
        <source>Sons WAV (*.wav)</source>
        <translation>WAV sounds (*.wav)</translation>
    </message>
    <message>
        <source>Enregistrement impossible</source>
        <translation>Cannot save</translation>
    </message>
    <message>
        <source>Aucun enregistrement du micro à enregistrer.</source>
        <translation>No microphone recording to save.</translation>
    </message>
    <message>
        <source>Enregistrement : %1 s</source>
        <translation>Recording: %1 s</translation>
    </message>
    <message>
        <source>Micro : %1 Hz — %2</source>
        <comment>pitch, note</comment>
        <translation>Microphone: %1 Hz — %2</translation>
    </message>
    <message>
        <source>Micro : pas de hauteur</source>
        <translation>Microphone: no pitch</translation>
    </message>
    <message>
        <source>. Micro : %1 Hz (%2)</source>
        <comment>pitch, note</comment>
        <translation>. Microphone: %1 Hz (%2)</translation>
    </message>
    <message>
        <source>. Micro : pas de hauteur</source>
        <translation>. Microphone: no pitch</translation>
    </message>
    <message>
        <source>L&apos;enregistrement ne donne pas de timbre valable : rien n&apos;est changé.</source>
        <translation>The recording does not give a valid timbre: nothing is changed.</translation>
    </message>
</context>
<context>
    <name>MenuTimbres</name>
    <message>
        <source>Ouvrir…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>Enregistrer sous…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>Exporter le son…</source>
        <translation>Export the sound…</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Rétablir</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Timbres types</source>
        <translation>Classic timbres</translation>
    </message>
    <message>
        <source>Ouvrir un timbre</source>
        <translation>Open a timbre</translation>
    </message>
    <message>
        <source>Timbres (*.timbre)</source>
        <translation>Timbres (*.timbre)</translation>
    </message>
    <message>
        <source>Timbre refusé</source>
        <translation>Timbre refused</translation>
    </message>
    <message>
        <source>Enregistrer le timbre</source>
        <translation>Save the timbre</translation>
    </message>
    <message>
        <source>Enregistrement impossible</source>
        <translation>Cannot save</translation>
    </message>
    <message>
        <source>Exporter le son</source>
        <translation>Export the sound</translation>
    </message>
    <message>
        <source>Durée (secondes) :</source>
        <translation>Duration (seconds):</translation>
    </message>
    <message>
        <source>Sons WAV (*.wav)</source>
        <translation>WAV sounds (*.wav)</translation>
    </message>
    <message>
        <source>Export impossible</source>
        <translation>Cannot export</translation>
    </message>
    <message>
        <source>Flûte</source>
        <translation>Flute</translation>
    </message>
    <message>
        <source>Clarinette</source>
        <translation>Clarinet</translation>
    </message>
    <message>
        <source>Hautbois</source>
        <translation>Oboe</translation>
    </message>
    <message>
        <source>Trompette</source>
        <translation>Trumpet</translation>
    </message>
    <message>
        <source>Violon</source>
        <translation>Violin</translation>
    </message>
    <message>
        <source>Saxophone</source>
        <translation>Saxophone</translation>
    </message>
    <message>
        <source>Voyelle chantée</source>
        <translation>Sung vowel</translation>
    </message>
    <message>
        <source>Analyser un son…</source>
        <translation>Analyse a sound…</translation>
    </message>
    <message>
        <source>Sons d&apos;instruments</source>
        <translation>Instrument sounds</translation>
    </message>
    <message>
        <source>Spectre mesuré</source>
        <translation>Measured spectrum</translation>
    </message>
    <message>
        <source>Écouter l&apos;original</source>
        <translation>Hear the original</translation>
    </message>
    <message>
        <source>Analyser un son</source>
        <translation>Analyse a sound</translation>
    </message>
    <message>
        <source>Sons (*.wav *.flac *.ogg *.oga *.opus *.aif *.aiff);;Tous les fichiers (*)</source>
        <translation>Sounds (*.wav *.flac *.ogg *.oga *.opus *.aif *.aiff);;All files (*)</translation>
    </message>
    <message>
        <source>Son refusé</source>
        <translation>Sound refused</translation>
    </message>
    <message>
        <source>%1 : le son ne peut pas être préparé (%2)</source>
        <translation>%1: the sound cannot be prepared (%2)</translation>
    </message>
    <message>
        <source>Défi d&apos;écoute…</source>
        <translation>Listening challenge…</translation>
    </message>
    <message>
        <source>Composantes…</source>
        <translation>Components…</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Récents</source>
        <translation>Recent</translation>
    </message>
    <message>
        <source>Aucun fichier récent</source>
        <translation>No recent file</translation>
    </message>
    <message>
        <source>Fichier introuvable</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>le fichier n&apos;existe plus ; il est retiré des fichiers récents</source>
        <translation>the file no longer exists; it is removed from the recent files</translation>
    </message>
    <message>
        <source>Sonavirelle</source>
        <translation>Sonavirelle</translation>
    </message>
    <message>
        <source>Enregistrer les modifications ?</source>
        <translation>Save the changes?</translation>
    </message>
    <message>
        <source>Le timbre « %1 » a changé depuis son dernier enregistrement.</source>
        <translation>The timbre “%1” has changed since it was last saved.</translation>
    </message>
    <message>
        <source>Le timbre a changé et n&apos;a pas été enregistré.</source>
        <translation>The timbre has changed and has not been saved.</translation>
    </message>
    <message>
        <source>&amp;Enregistrer</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Ne pas enregistrer</source>
        <translation>Do&amp;n&apos;t save</translation>
    </message>
    <message>
        <source>Son exporté</source>
        <translation>Sound exported</translation>
    </message>
    <message>
        <source>« %1 » : %2 s de son écrites.</source>
        <translation>“%1”: %2 s of sound written.</translation>
    </message>
    <message>
        <source>À propos de Sonavirelle</source>
        <translation>About Sonavirelle</translation>
    </message>
</context>
<context>
    <name>PanneauFrequences</name>
    <message>
        <source>Afficher le spectre</source>
        <translation>Show the spectrum</translation>
    </message>
    <message>
        <source>Cliquer ici pour voir le spectre de fréquence du son produit</source>
        <translation>Click here to see the frequency spectrum of the sound</translation>
    </message>
    <message>
        <source>Masquer le spectre</source>
        <translation>Hide the spectrum</translation>
    </message>
    <message>
        <source>Masquer cette fenêtre</source>
        <translation>Hide this window</translation>
    </message>
    <message>
        <source>Effacer toutes les composantes</source>
        <translation>Clear all components</translation>
    </message>
    <message>
        <source>Spectre de fréquence</source>
        <translation>Frequency spectrum</translation>
    </message>
    <message>
        <source>Fréquence fondamentale</source>
        <translation>Fundamental frequency</translation>
    </message>
    <message>
        <source>Sensibilité horizontale : </source>
        <translation>Horizontal scale: </translation>
    </message>
    <message>
        <source>500 Hz/div</source>
        <translation>500 Hz/div</translation>
    </message>
    <message>
        <source>Propriétés du spectre</source>
        <translation>Spectrum settings</translation>
    </message>
    <message>
        <source>Afficher les fréquences</source>
        <translation>Show the frequencies</translation>
    </message>
    <message>
        <source>N&apos;autoriser que les multiples de la fréquence fondamentale</source>
        <translation>Allow only multiples of the fundamental frequency</translation>
    </message>
    <message>
        <source>1 composante au-delà de 5000 Hz</source>
        <translation>1 component above 5000 Hz</translation>
    </message>
    <message>
        <source>%1 composantes au-delà de 5000 Hz</source>
        <translation>%1 components above 5000 Hz</translation>
    </message>
</context>
<context>
    <name>PanneauTemps</name>
    <message>
        <source>Afficher l&apos;évolution temporelle</source>
        <translation>Show the waveform</translation>
    </message>
    <message>
        <source>Cliquer ici pour voir l&apos;évolution temporelle du signal sonore</source>
        <translation>Click here to see the waveform of the sound signal</translation>
    </message>
    <message>
        <source>Masquer l&apos;évolution temporelle</source>
        <translation>Hide the waveform</translation>
    </message>
    <message>
        <source>Evolution temporelle</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>Sensibilité horizontale : </source>
        <translation>Horizontal scale: </translation>
    </message>
    <message>
        <source>0,1 ms/div</source>
        <translation>0.1 ms/div</translation>
    </message>
    <message>
        <source>0,2 ms/div</source>
        <translation>0.2 ms/div</translation>
    </message>
    <message>
        <source>0,5 ms/div</source>
        <translation>0.5 ms/div</translation>
    </message>
    <message>
        <source>1    ms/div</source>
        <translation>1    ms/div</translation>
    </message>
    <message>
        <source>2    ms/div</source>
        <translation>2    ms/div</translation>
    </message>
    <message>
        <source>5    ms/div</source>
        <translation>5    ms/div</translation>
    </message>
    <message>
        <source>10  ms/div</source>
        <translation>10  ms/div</translation>
    </message>
    <message>
        <source>20  ms/div</source>
        <translation>20  ms/div</translation>
    </message>
    <message>
        <source>50  ms/div</source>
        <translation>50  ms/div</translation>
    </message>
</context>
<context>
    <name>Raisons</name>
    <message>
        <source>aucun dossier</source>
        <translation>no folder</translation>
    </message>
    <message>
        <source>c&apos;est un lien symbolique</source>
        <translation>it is a symbolic link</translation>
    </message>
    <message>
        <source>c&apos;est un dossier</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire (périphérique, tube ou autre)</source>
        <translation>it is not a regular file (a device, a pipe or other)</translation>
    </message>
    <message>
        <source>il appartient à un autre utilisateur</source>
        <translation>it belongs to another user</translation>
    </message>
    <message>
        <source>il n&apos;est pas inscriptible</source>
        <translation>it is not writable</translation>
    </message>
    <message>
        <source>la durée doit être un nombre de secondes supérieur à 0 et d&apos;au plus %1</source>
        <translation>the duration must be a number of seconds above 0 and at most %1</translation>
    </message>
    <message>
        <source>aucun fichier n&apos;est nommé</source>
        <translation>no file is named</translation>
    </message>
    <message>
        <source>c&apos;est un lien symbolique, qui n&apos;est pas remplacé</source>
        <translation>it is a symbolic link, which is not replaced</translation>
    </message>
    <message>
        <source>ce son ne peut pas être calculé (%1)</source>
        <translation>this sound cannot be computed (%1)</translation>
    </message>
    <message>
        <source>ce son ne peut pas être calculé (un échantillon dépasse 16 bits)</source>
        <translation>this sound cannot be computed (a sample is outside 16 bits)</translation>
    </message>
    <message>
        <source>fondamental de %1 Hz (il faut au moins 1 Hz)</source>
        <translation>fundamental of %1 Hz (at least 1 Hz is needed)</translation>
    </message>
    <message>
        <source>échelle %1 hors de 16 bits (somme des amplitudes %2)</source>
        <translation>scale %1 outside 16 bits (sum of amplitudes %2)</translation>
    </message>
    <message>
        <source>coefficient de la composante %1 hors de 16 bits</source>
        <translation>coefficient of component %1 outside 16 bits</translation>
    </message>
    <message>
        <source>échantillon %1 hors de 16 bits</source>
        <translation>sample %1 outside 16 bits</translation>
    </message>
    <message>
        <source>%1 est laissé tel quel (%2)</source>
        <translation>%1 is left alone (%2)</translation>
    </message>
    <message>
        <source>du fondamental (composante 1)</source>
        <translation>of the fundamental (component 1)</translation>
    </message>
    <message>
        <source>de la composante %1</source>
        <translation>of component %1</translation>
    </message>
    <message>
        <source>le timbre n&apos;a aucune composante (il en faut de 1 à 10)</source>
        <translation>the timbre has no components (it needs 1 to 10)</translation>
    </message>
    <message>
        <source>le timbre a %1 composantes (au plus 10)</source>
        <translation>the timbre has %1 components (at most 10)</translation>
    </message>
    <message>
        <source>la fréquence %1 n&apos;est pas un nombre entier de hertz</source>
        <translation>the frequency %1 is not a whole number of hertz</translation>
    </message>
    <message>
        <source>la fréquence %1 n&apos;est pas entre 0 et 32767 Hz</source>
        <translation>the frequency %1 is not between 0 and 32767 Hz</translation>
    </message>
    <message>
        <source>la fréquence du fondamental doit être d&apos;au moins 1 Hz</source>
        <translation>the fundamental&apos;s frequency must be at least 1 Hz</translation>
    </message>
    <message>
        <source>l&apos;amplitude %1 n&apos;est pas entre 0 et 10</source>
        <translation>the amplitude %1 is not between 0 and 10</translation>
    </message>
    <message>
        <source>le fichier ou le dossier n&apos;existe pas</source>
        <translation>the file or folder does not exist</translation>
    </message>
    <message>
        <source>accès refusé</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>le disque est plein</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>le fichier dépasse la taille permise (disque plein ou limite atteinte)</source>
        <translation>the file is larger than allowed (disk full or limit reached)</translation>
    </message>
    <message>
        <source>le disque est en lecture seule</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>un élément du chemin n&apos;est pas un dossier</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>trop de liens symboliques</source>
        <translation>too many symbolic links</translation>
    </message>
    <message>
        <source>le nom est trop long</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>erreur de lecture ou d&apos;écriture du disque</source>
        <translation>disk read or write error</translation>
    </message>
    <message>
        <source>« %1 » : %2</source>
        <translation>“%1”: %2</translation>
    </message>
    <message>
        <source>le fichier est vide</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>le texte n&apos;est pas en UTF-8 valide (octet %1)</source>
        <translation>the text is not valid UTF-8 (byte %1)</translation>
    </message>
    <message>
        <source>le fichier est tronqué (le texte JSON s&apos;arrête avant sa fin)</source>
        <translation>the file is truncated (the JSON text stops before its end)</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un texte JSON valide (erreur vers l&apos;octet %1)</source>
        <translation>it is not valid JSON text (error near byte %1)</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier de timbre (le texte JSON n&apos;est pas un objet { … })</source>
        <translation>it is not a timbre file (the JSON text is not an object { … })</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier de timbre (« format » doit valoir « %1 »)</source>
        <translation>it is not a timbre file (“format” must be “%1”)</translation>
    </message>
    <message>
        <source>la version du format est absente ou n&apos;est pas un nombre entier d&apos;au moins 1</source>
        <translation>the format version is missing or is not a whole number of at least 1</translation>
    </message>
    <message>
        <source>le fichier est écrit dans la version %1 du format, plus récente que celle que ce programme sait lire (%2) : il vient d&apos;une version plus récente du programme</source>
        <translation>the file is written in version %1 of the format, newer than the one this program can read (%2): it comes from a newer version of the program</translation>
    </message>
    <message>
        <source>« multiples » doit valoir true ou false</source>
        <translation>“multiples” must be true or false</translation>
    </message>
    <message>
        <source>la liste « composantes » est absente</source>
        <translation>the list “composantes” is missing</translation>
    </message>
    <message>
        <source>la composante %1 n&apos;est pas un objet {&quot;frequence&quot;: …, &quot;amplitude&quot;: …}</source>
        <translation>component %1 is not an object {&quot;frequence&quot;: …, &quot;amplitude&quot;: …}</translation>
    </message>
    <message>
        <source>la fréquence %1 est absente ou n&apos;est pas un nombre</source>
        <translation>the frequency %1 is missing or is not a number</translation>
    </message>
    <message>
        <source>l&apos;amplitude %1 est absente ou n&apos;est pas un nombre</source>
        <translation>the amplitude %1 is missing or is not a number</translation>
    </message>
    <message>
        <source>la lecture de ce fichier n&apos;est pas permise</source>
        <translation>reading this file is not allowed</translation>
    </message>
    <message>
        <source>c&apos;est un dossier, pas un fichier de timbre</source>
        <translation>it is a folder, not a timbre file</translation>
    </message>
    <message>
        <source>le fichier est trop gros pour être un timbre (10 Mo ou plus)</source>
        <translation>the file is too large for a timbre (10 MB or more)</translation>
    </message>
    <message>
        <source>l&apos;écriture a échoué (%1)</source>
        <translation>writing failed (%1)</translation>
    </message>
    <message>
        <source>de %1 s à %2 s</source>
        <translation>from %1 s to %2 s</translation>
    </message>
    <message>
        <source>aucune hauteur n&apos;est trouvée entre 40 et 2000 Hz dans le tronçon %1 (silence ou bruit ?)</source>
        <translation>no pitch is found between 40 and 2000 Hz in the stretch %1 (silence or noise?)</translation>
    </message>
    <message>
        <source>le tronçon %1 est trop court : moins de trois périodes du son trouvé (%2 Hz)</source>
        <translation>the stretch %1 is too short: less than three periods of the pitch found (%2 Hz)</translation>
    </message>
    <message>
        <source>le tronçon %1 est trop court (il faut au moins 50 ms)</source>
        <translation>the stretch %1 is too short (at least 50 ms is needed)</translation>
    </message>
    <message>
        <source>le son analysé ne donne pas un timbre utilisable</source>
        <translation>the analysed sound does not give a usable timbre</translation>
    </message>
    <message>
        <source>le début du tronçon (%1) ne peut pas être négatif</source>
        <translation>the start of the stretch (%1) cannot be negative</translation>
    </message>
    <message>
        <source>la durée du tronçon (%1) doit être plus grande que 0</source>
        <translation>the length of the stretch (%1) must be greater than 0</translation>
    </message>
    <message>
        <source>le tronçon est trop court (%1 ; il faut au moins 50 ms)</source>
        <translation>the stretch is too short (%1; at least 50 ms is needed)</translation>
    </message>
    <message>
        <source>le tronçon est trop long (%1 ; au plus %2)</source>
        <translation>the stretch is too long (%1; at most %2)</translation>
    </message>
    <message>
        <source>c&apos;est un dossier, pas un son</source>
        <translation>it is a folder, not a sound</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un son que le programme sait lire (WAV, FLAC, Ogg Vorbis ou Opus, AIFF…)</source>
        <translation>it is not a sound the program can read (WAV, FLAC, Ogg Vorbis or Opus, AIFF…)</translation>
    </message>
    <message>
        <source>la fréquence d&apos;échantillonnage (%1 Hz) n&apos;est pas entre 8000 et 192000 Hz</source>
        <translation>the sample rate (%1 Hz) is not between 8000 and 192000 Hz</translation>
    </message>
    <message>
        <source>le son a %1 canaux (au plus %2)</source>
        <translation>the sound has %1 channels (at most %2)</translation>
    </message>
    <message>
        <source>le son ne contient aucun échantillon</source>
        <translation>the sound holds no samples</translation>
    </message>
    <message>
        <source>l&apos;en-tête annonce %1 octets de son, mais le fichier n&apos;en fait que %2 (fichier tronqué ou abîmé)</source>
        <translation>the header announces %1 bytes of sound, but the file is only %2 bytes long (truncated or damaged file)</translation>
    </message>
    <message>
        <source>le début du tronçon (%1) est après la fin du son (%2)</source>
        <translation>the start of the stretch (%1) is after the end of the sound (%2)</translation>
    </message>
    <message>
        <source>le son ne peut pas être lu (fichier tronqué ou abîmé)</source>
        <translation>the sound cannot be read (truncated or damaged file)</translation>
    </message>
    <message>
        <source>le tronçon de %1 à %2 dépasse la fin du son (%3)</source>
        <translation>the stretch from %1 to %2 goes past the end of the sound (%3)</translation>
    </message>
    <message>
        <source>le son ne peut pas être lu à partir de %1 (fichier tronqué ou abîmé)</source>
        <translation>the sound cannot be read from %1 on (truncated or damaged file)</translation>
    </message>
    <message>
        <source>le tronçon de %1 à %2 dépasse la fin du son (le fichier s&apos;arrête à %3)</source>
        <translation>the stretch from %1 to %2 goes past the end of the sound (the file ends at %3)</translation>
    </message>
    <message>
        <source>la ressource est momentanément indisponible</source>
        <translation>the resource is temporarily unavailable</translation>
    </message>
    <message>
        <source>le fichier ou le périphérique est occupé</source>
        <translation>the file or device is busy</translation>
    </message>
    <message>
        <source>le fichier existe déjà</source>
        <translation>the file already exists</translation>
    </message>
    <message>
        <source>opération impossible sur ce fichier</source>
        <translation>this operation is not possible on this file</translation>
    </message>
    <message>
        <source>trop de fichiers ouverts</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>mémoire insuffisante</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>le fichier est en cours d&apos;utilisation</source>
        <translation>the file is in use</translation>
    </message>
    <message>
        <source>le fichier est sur un autre disque</source>
        <translation>the file is on another disk</translation>
    </message>
    <message>
        <source>le périphérique n&apos;existe pas</source>
        <translation>the device does not exist</translation>
    </message>
    <message>
        <source>l&apos;opération a été interrompue</source>
        <translation>the operation was interrupted</translation>
    </message>
    <message>
        <source>opération non permise par ce système de fichiers</source>
        <translation>operation not allowed by this file system</translation>
    </message>
    <message>
        <source>le fichier n&apos;est plus accessible (disque réseau)</source>
        <translation>the file is no longer reachable (network disk)</translation>
    </message>
    <message>
        <source>erreur du système n° %1</source>
        <translation>system error no. %1</translation>
    </message>
    <message>
        <source>ce nom ne peut pas être écrit exactement sur ce système (octets qui ne sont pas de l&apos;UTF-8)</source>
        <translation>this name cannot be written exactly on this system (bytes that are not UTF-8)</translation>
    </message>
    <message>
        <source>le fichier appartient à un autre utilisateur, il n&apos;est pas remplacé</source>
        <translation>the file belongs to another user, it is not replaced</translation>
    </message>
</context>
<context>
    <name>Synthetiseur</name>
    <message>
        <source>Sonavirelle 2010</source>
        <translation>Sonavirelle 2010</translation>
    </message>
</context>
<context>
    <name>Timbre</name>
    <message>
        <source>Son pur</source>
        <translation>Pure tone</translation>
    </message>
    <message>
        <source>Signal carré</source>
        <translation>Square wave</translation>
    </message>
    <message>
        <source>Dent de scie</source>
        <translation>Sawtooth</translation>
    </message>
    <message>
        <source>Impairs en 1/n²</source>
        <translation>Odd harmonics in 1/n²</translation>
    </message>
</context>
</TS>
