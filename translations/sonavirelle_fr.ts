<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="fr_FR">
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
        <source>Icône «ꃬouter le son produit&#xa0;» (haut-parleur)</source>
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
        <source>Durée du son exporté, en secondes (3 par défaut).</source>
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
        <source>%1 : « --duree » ne sert qu&apos;avec « --exporte » (%2).</source>
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
        <source>Écrit le défi d&apos;écoute NUMERO (0 à 9999) dans CIBLE.timbre, et quitte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niveau du défi, de 1 à 5.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fichier où écrire le défi.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Affiche le score d&apos;ESSAI face au défi CIBLE, puis un verdict par harmonique, et quitte.</source>
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
    <name>Synthetiseur</name>
    <message>
        <source>Sonavirelle 2010</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Afficher le spectre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cliquer ici pour voir le spectre de fréquence du son produit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Afficher l&apos;évolution temporelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cliquer ici pour voir l&apos;évolution temporelle du signal sonore</source>
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
        <source>Evolution temporelle</source>
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
        <source>Masquer le spectre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Masquer l&apos;évolution temporelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timbres</source>
        <translation type="unfinished"></translation>
    </message>
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
        <source>Timbres types</source>
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
</TS>
