<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="fr_FR">
<context>
    <name>APropos</name>
    <message>
        <source>Sonavirelle, version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Un synthétiseur additif pour apprendre ce qu&apos;est le timbre d&apos;un son.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logiciel libre, sous licence GNU GPL version 3 ou ultérieure.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sons d&apos;instruments : notes de la banque de sons FluidR3 GM (paquet fluid-soundfont-gm), © 2000-2002, 2008 Frank Wen, 2008 Toby Smithe, licence MIT. Voyelle chantée : espeak-ng, licence GNU GPL version 3 ou ultérieure.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polices : Carlito (paquet fonts-crosextra-carlito) et Liberation Sans (paquet fonts-liberation2), licence SIL Open Font License 1.1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>À propos de Sonavirelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Accueil</name>
    <message>
        <source>Accueil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sonavirelle 2013</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partition : démarrer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Projet Sonavirelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logiciel éducatif</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sonavirelle permet de générer un son en choisissant les composantes qui le constituent, ce qui illustre la notion de timbre d&apos;un son musical.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On peut aussi ajouter des composantes de fréquences quelconques, non multiples de celle du fondamental&#xa0;: le son généré n&apos;est alors plus un son musical.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Démarrer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Aide</name>
    <message>
        <source>Cliquer sur les icônes           et            pour entendre ou ne plus entendre le son produit. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment ça marche</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fermer l&apos;aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&apos;option «&#xa0;n&apos;autoriser que les fréquences multiples&#xa0;» (cochée par défaut) fait que les composantes ajoutées ont des fréquences multiples de la fréquence fondamentale. On peut décocher cette option pour lever cette contrainte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pour ajouter des composantes, cliquer dans le spectre avec le bouton gauche de la souris&#xa0;; pour les retirer, cliquer avec le bouton droit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment modifier le spectre du son produit ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dans le spectre affiché en bas de l&apos;écran, approcher le curseur de la souris du premier pic et déplacer celui-ci avec le clic gauche.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment modifier la fréquence fondamentale ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment écouter le son produit ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le timbre type «&#xa0;Impairs en 1/n²&#xa0;» sonne comme un signal triangulaire sans en avoir la forme, car ses composantes sont en phase sinus et l&apos;oreille n&apos;entend pas la phase.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icône de l&apos;aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pointeur en forme de main qui saisit le pic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icône «&#xa0;Silence !&#xa0;» (haut-parleur barré)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exemple de spectre&#xa0;: le premier pic, saisi avec la souris</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icône «&#xa0;Ecouter le son produit&#xa0;» (haut-parleur)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Un son enregistré&#xa0;: «&#xa0;Analyser un son…&#xa0;» (menu «&#xa0;Timbres&#xa0;»)&#xa0;; Ctrl+Maj+O fait écouter l&apos;original. Le «&#xa0;Défi d&apos;écoute&#xa0;»&#xa0;: refaire un son caché, «&#xa0;Vérifier&#xa0;» donne le score.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>l&apos;aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fermer la fenêtre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages de l&apos;aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ouvrir un timbre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enregistrer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enregistrer sous…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>exporter le son</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>analyser un son</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>écouter l&apos;original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>annuler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rétablir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>les composantes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>micro en direct</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enregistrer au micro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>agrandir, réduire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>taille normale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plein écran</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>← Première page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page suivante →</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Première page de l&apos;aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page suivante de l&apos;aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment garder et retrouver un son ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment retoucher le son ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment s&apos;aider du clavier, du zoom et du micro ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raccourcis clavier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>À propos de Sonavirelle…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>À propos de Sonavirelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le bouton «&#xa0;Timbres&#xa0;» ouvre le menu. «&#xa0;Ouvrir…&#xa0;», «&#xa0;Enregistrer&#xa0;» (Ctrl+S) et «&#xa0;Enregistrer sous…&#xa0;» (Ctrl+Maj+S) lisent et écrivent les fichiers .timbre&#xa0;; «&#xa0;Récents&#xa0;» reprend les huit derniers. Le titre de la fenêtre nomme le fichier ouvert, suivi de «&#xa0;*&#xa0;» s&apos;il a changé&#xa0;; en fermant, le programme propose d&apos;enregistrer. «&#xa0;Exporter le son…&#xa0;» écrit un fichier WAV de la durée choisie.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Z annule la dernière modification, Ctrl+Maj+Z la rétablit. «&#xa0;Composantes…&#xa0;» (Ctrl+L) règle la fréquence et l&apos;amplitude de chaque composante&#xa0;; «&#xa0;Muette&#xa0;» la fait taire, «&#xa0;Solo&#xa0;» la fait entendre seule, sans changer le timbre. Les lettres du clavier de l&apos;ordinateur jouent le piano&#xa0;: la rangée du milieu les touches blanches, celle du dessus les noires.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab passe d&apos;une commande à l&apos;autre, Espace ou Entrée l&apos;actionne. Ctrl++ et Ctrl+- agrandissent ou réduisent les fenêtres, Ctrl+0 les remet à 100&#xa0;%.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>«&#xa0;Micro ▸ Écouter en direct&#xa0;» montre par-dessus le spectre celui du son capté et sa note&#xa0;; «&#xa0;Enregistrer et analyser&#xa0;» enregistre trois secondes et les refait avec dix sinusoïdes. Quand le son du programme est allumé, le micro l&apos;entend aussi&#xa0;: c&apos;est normal, rien n&apos;est à annuler.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BandeauCommandes</name>
    <message>
        <source>Aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ecouter le son produit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Silence !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Afficher le clavier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timbres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucune sortie son</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucune sortie son : le son partira dès qu&apos;une sortie sera disponible</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Clavier</name>
    <message>
        <source>Clavier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do dièse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ré</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ré dièse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fa dièse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sol dièse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La dièse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Si</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>note name, octave</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — %2 Hz</source>
        <comment>note name, frequency</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <comment>octave number of the lowest key&apos;s C (132 Hz, an octave below the middle C)</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Composantes</name>
    <message>
        <source>Composantes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fréquence (Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucune composante : le tableau est vide.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Composante %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Composante %1 : fréquence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Composante %1 : amplitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Muette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Composante %1 : muette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Composante %1 : solo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CurseurVolume</name>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Silence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+%1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>−%1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume : %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DefiEcoute</name>
    <message>
        <source>Défi d&apos;écoute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Défi n°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nouveau défi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Écouter le défi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Écouter mon son</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vérifier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scores de la séance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numéro du défi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Défi n° %1, niveau %2 : écouter le défi, le refaire dans le spectre, puis vérifier.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau choisi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score : %1 sur 100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plus d&apos;indice : chaque composante cachée est juste ou déjà montrée.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indice : harmonique %1, amplitude %2. Meilleur score possible : %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solution : le spectre caché est sur le spectre. Meilleur score possible : %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Descriptions</name>
    <message>
        <source>Spectre : aucune composante</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Hz amplitude %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spectre : 1 composante — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spectre : %1 composantes — %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. Curseur : %2 Hz, amplitude %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Évolution temporelle, %1 ms par division</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Hz — amplitude %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>t = %1 ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. Spectre mesuré de « %2 » : fondamental %3 Hz</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Direct</name>
    <message>
        <source>Enregistrement interrompu : le micro a été perdu. Rien n&apos;est changé.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enregistrement du micro</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LigneCommande</name>
    <message>
        <source>Affiche cette aide et quitte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Affiche le nom et la version du programme et quitte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Écrit le son dans le fichier WAV SORTIE, sans ouvrir de fenêtre, et quitte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>« %1 --help » donne la liste des options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : option inconnue « %2 » (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : valeur manquante après « %2 » (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : argument inattendu « %2 » (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage : %1 [OPTION]... [FICHIER.timbre]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fait comprendre le timbre d&apos;un son musical : un son périodique d&apos;au plus dix composantes
sinusoïdales, son spectre et sa forme d&apos;onde côte à côte, joué en boucle.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avec un FICHIER.timbre, la fenêtre principale s&apos;ouvre directement sur ce son.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Les options de Qt (-platform, -display, -style...) sont aussi acceptées.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --exporte » attend le nom d&apos;un fichier WAV (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : durée « %2 » : ce n&apos;est pas un nombre de secondes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : durée « %2 » : %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SORTIE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SECONDES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Durée du son exporté, en secondes (3 par défaut), ou du tronçon analysé.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyse le son SON en un timbre, sans ouvrir de fenêtre, l&apos;écrit et quitte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Début du tronçon analysé, en secondes (par défaut, une partie stable du son).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FICHIER.timbre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --analyse » attend le nom d&apos;un fichier son (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --analyse » ne va ni avec « --exporte » ni avec un fichier de timbre (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --%2 %3 » : ce n&apos;est pas un nombre de secondes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --%2 » ne sert qu&apos;avec « --analyse » (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --duree » ne sert qu&apos;avec « --exporte » ou « --analyse » (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fichier de timbre écrit par l&apos;analyse (sans lui, la sortie standard) ou par le défi.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Écrit le défi d&apos;écoute NUMERO (0 à 9999) dans CIBLE.timbre, et quitte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NUMERO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau du défi, de 1 à 5.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Affiche le score d&apos;ESSAI face au défi CIBLE, puis un verdict par harmonique, et quitte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CIBLE.timbre ESSAI.timbre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --sortie » ne sert qu&apos;avec « --analyse » ou « --defi » (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « %2 » : ce nom n&apos;est pas de l&apos;UTF-8 valide ; le programme ne peut pas le reprendre exactement et ne l&apos;utilise pas.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --exporte » attend le nom d&apos;un fichier WAV, pas l&apos;option « %2 » (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonavirelle : la sortie standard n&apos;a pas pu être écrite (%1).
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --exporte %2 » : le nom du fichier doit finir par « .wav » (le son est écrit en WAV).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LigneDefi</name>
    <message>
        <source>%1 : numéro de défi « %2 » : un nombre entier de %3 à %4 est attendu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : niveau « %2 » : un niveau de %3 à %4 est attendu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --%2 » ne sert qu&apos;avec « --defi » (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --defi », « --compare » et « --exporte » s&apos;emploient seuls (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --compare » attend deux fichiers, CIBLE.timbre et ESSAI.timbre (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : argument inattendu « %2 » (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --defi » attend « --niveau N » (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : « --defi » attend « --sortie CIBLE.timbre » (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>juste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>trop fort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>trop faible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>manquant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>en trop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hors harmoniques : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>harmonique %1 : %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LigneRaccourci</name>
    <message>
        <source>%1 : %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MenuMicro</name>
    <message>
        <source>Micro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entrée</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Écouter en direct</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer et analyser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer l&apos;original…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun micro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun micro : rien n&apos;est enregistré.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrement refusé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer l&apos;original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sons WAV (*.wav)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrement impossible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun enregistrement du micro à enregistrer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrement : %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Micro : %1 Hz — %2</source>
        <comment>pitch, note</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Micro : pas de hauteur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>. Micro : %1 Hz (%2)</source>
        <comment>pitch, note</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>. Micro : pas de hauteur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&apos;enregistrement ne donne pas de timbre valable : rien n&apos;est changé.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MenuTimbres</name>
    <message>
        <source>Ouvrir…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer sous…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporter le son…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rétablir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timbres types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir un timbre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timbres (*.timbre)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timbre refusé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer le timbre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrement impossible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporter le son</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Durée (secondes) :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sons WAV (*.wav)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export impossible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flûte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clarinette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hautbois</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trompette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Violon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saxophone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voyelle chantée</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyser un son…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sons d&apos;instruments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spectre mesuré</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Écouter l&apos;original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyser un son</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sons (*.wav *.flac *.ogg *.oga *.opus *.aif *.aiff);;Tous les fichiers (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Son refusé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : le son ne peut pas être préparé (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Défi d&apos;écoute…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Composantes…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Récents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun fichier récent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fichier introuvable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier n&apos;existe plus ; il est retiré des fichiers récents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sonavirelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer les modifications ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le timbre « %1 » a changé depuis son dernier enregistrement.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le timbre a changé et n&apos;a pas été enregistré.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Enregistrer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ne pas enregistrer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Son exporté</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>« %1 » : %2 s de son écrites.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>À propos de Sonavirelle</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanneauFrequences</name>
    <message>
        <source>Afficher le spectre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cliquer ici pour voir le spectre de fréquence du son produit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Masquer le spectre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Masquer cette fenêtre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Effacer toutes les composantes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spectre de fréquence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fréquence fondamentale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensibilité horizontale : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>500 Hz/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Propriétés du spectre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Afficher les fréquences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N&apos;autoriser que les multiples de la fréquence fondamentale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 composante au-delà de 5000 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 composantes au-delà de 5000 Hz</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanneauTemps</name>
    <message>
        <source>Afficher l&apos;évolution temporelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cliquer ici pour voir l&apos;évolution temporelle du signal sonore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Masquer l&apos;évolution temporelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Evolution temporelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensibilité horizontale : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0,1 ms/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0,2 ms/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0,5 ms/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1    ms/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2    ms/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5    ms/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10  ms/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20  ms/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>50  ms/div</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Raisons</name>
    <message>
        <source>aucun dossier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>c&apos;est un lien symbolique</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>c&apos;est un dossier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire (périphérique, tube ou autre)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>il appartient à un autre utilisateur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>il n&apos;est pas inscriptible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la durée doit être un nombre de secondes supérieur à 0 et d&apos;au plus %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aucun fichier n&apos;est nommé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>c&apos;est un lien symbolique, qui n&apos;est pas remplacé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ce son ne peut pas être calculé (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ce son ne peut pas être calculé (un échantillon dépasse 16 bits)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fondamental de %1 Hz (il faut au moins 1 Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>échelle %1 hors de 16 bits (somme des amplitudes %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>coefficient de la composante %1 hors de 16 bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>échantillon %1 hors de 16 bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 est laissé tel quel (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>du fondamental (composante 1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>de la composante %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le timbre n&apos;a aucune composante (il en faut de 1 à 10)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le timbre a %1 composantes (au plus 10)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la fréquence %1 n&apos;est pas un nombre entier de hertz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la fréquence %1 n&apos;est pas entre 0 et 32767 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la fréquence du fondamental doit être d&apos;au moins 1 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>l&apos;amplitude %1 n&apos;est pas entre 0 et 10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier ou le dossier n&apos;existe pas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>accès refusé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le disque est plein</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier dépasse la taille permise (disque plein ou limite atteinte)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le disque est en lecture seule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>un élément du chemin n&apos;est pas un dossier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>trop de liens symboliques</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le nom est trop long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>erreur de lecture ou d&apos;écriture du disque</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>« %1 » : %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier est vide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le texte n&apos;est pas en UTF-8 valide (octet %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier est tronqué (le texte JSON s&apos;arrête avant sa fin)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ce n&apos;est pas un texte JSON valide (erreur vers l&apos;octet %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier de timbre (le texte JSON n&apos;est pas un objet { … })</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier de timbre (« format » doit valoir « %1 »)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la version du format est absente ou n&apos;est pas un nombre entier d&apos;au moins 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier est écrit dans la version %1 du format, plus récente que celle que ce programme sait lire (%2) : il vient d&apos;une version plus récente du programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>« multiples » doit valoir true ou false</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la liste « composantes » est absente</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la composante %1 n&apos;est pas un objet {&quot;frequence&quot;: …, &quot;amplitude&quot;: …}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la fréquence %1 est absente ou n&apos;est pas un nombre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>l&apos;amplitude %1 est absente ou n&apos;est pas un nombre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la lecture de ce fichier n&apos;est pas permise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>c&apos;est un dossier, pas un fichier de timbre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier est trop gros pour être un timbre (10 Mo ou plus)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>l&apos;écriture a échoué (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>de %1 s à %2 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aucune hauteur n&apos;est trouvée entre 40 et 2000 Hz dans le tronçon %1 (silence ou bruit ?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le tronçon %1 est trop court : moins de trois périodes du son trouvé (%2 Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le tronçon %1 est trop court (il faut au moins 50 ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le son analysé ne donne pas un timbre utilisable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le début du tronçon (%1) ne peut pas être négatif</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la durée du tronçon (%1) doit être plus grande que 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le tronçon est trop court (%1 ; il faut au moins 50 ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le tronçon est trop long (%1 ; au plus %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>c&apos;est un dossier, pas un son</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ce n&apos;est pas un son que le programme sait lire (WAV, FLAC, Ogg Vorbis ou Opus, AIFF…)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la fréquence d&apos;échantillonnage (%1 Hz) n&apos;est pas entre 8000 et 192000 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le son a %1 canaux (au plus %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le son ne contient aucun échantillon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>l&apos;en-tête annonce %1 octets de son, mais le fichier n&apos;en fait que %2 (fichier tronqué ou abîmé)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le début du tronçon (%1) est après la fin du son (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le son ne peut pas être lu (fichier tronqué ou abîmé)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le tronçon de %1 à %2 dépasse la fin du son (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le son ne peut pas être lu à partir de %1 (fichier tronqué ou abîmé)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le tronçon de %1 à %2 dépasse la fin du son (le fichier s&apos;arrête à %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la ressource est momentanément indisponible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier ou le périphérique est occupé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier existe déjà</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>opération impossible sur ce fichier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>trop de fichiers ouverts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mémoire insuffisante</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier est en cours d&apos;utilisation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier est sur un autre disque</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le périphérique n&apos;existe pas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>l&apos;opération a été interrompue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>opération non permise par ce système de fichiers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier n&apos;est plus accessible (disque réseau)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>erreur du système n° %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ce nom ne peut pas être écrit exactement sur ce système (octets qui ne sont pas de l&apos;UTF-8)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier appartient à un autre utilisateur, il n&apos;est pas remplacé</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Synthetiseur</name>
    <message>
        <source>Sonavirelle 2010</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Timbre</name>
    <message>
        <source>Son pur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal carré</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dent de scie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Impairs en 1/n²</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
