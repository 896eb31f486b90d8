#pragma once

#include <QMenu>

class Edition;
class QAction;

// The "Timbres" menu of the main window, every command of it made here from one table: open,
// save, export, the classic timbres, undo and redo. Each command is also a shortcut of the
// window, whether the menu is open or not. A new command is one more row.
class MenuTimbres : public QMenu
{
    Q_OBJECT

public:
    MenuTimbres(QWidget *fenetre, Edition &edition);

    /// Opens the file at `chemin`; a refused file is reported in a message box and changes nothing.
    bool ouvreFichier(const QString &chemin);
    /// The message box of a refused timbre file, `pourquoi` being its one-line reason.
    void signaleTimbreRefuse(const QString &pourquoi);
    /// The message box of a refused sound file.
    void signaleSonRefuse(const QString &pourquoi);
    /// The table now is the file at `chemin` (opened): the title names it, the recent files list it.
    void retientFichier(const QString &chemin);
    /// Before the table's changes would be lost: asks whether to save them. True when the caller
    /// may go on (saved, or not to be saved, or nothing changed); false for "Annuler" or a save
    /// that did not happen.
    bool confirmeAbandon();
    /// "Récents ▸": the recent files, read again from the settings each time it opens.
    QMenu *menuRecents() const { return m_recents; }
    void actualiseRecents();
    /// Opens a recent file; one that has gone leaves the list, with a message.
    bool ouvreRecent(const QString &chemin);

    // --- Analysed sounds (ui/menutimbresanalyse.cpp) ---
    /// Analyses the sound at `chemin` and commits it; a refused sound is reported in a message
    /// box and changes nothing. `nom` replaces the file's name in what is shown, when given.
    bool analyseFichier(const QString &chemin, const QString &nom = QString());
    /// Analyses one of the shipped instrument notes (its resource name, "clarinette.flac").
    bool analyseInstrument(const QString &fichier);
    /// The checkable entries: the measured spectrum shown, the original heard.
    QAction *actionSpectreMesure() const { return m_spectreMesure; }
    QAction *actionOriginal() const { return m_original; }
    /// "À propos de Sonavirelle", the menu's last entry: what the window adds goes before it.
    QAction *actionAPropos() const { return m_aPropos; }
    /// True for a name that a sound file usually has (.wav, .flac, .ogg...), not a timbre's.
    static bool NomDeSon(const QString &chemin);

public slots:
    /// Asks for a sound file and analyses it.
    void analyse();
    /// Asks for a .timbre file and opens it.
    void ouvre();
    /// Saves the table and the multiples-only option to the open file, or asks for a name
    /// without one. False when nothing was saved.
    bool enregistre();
    /// Asks for a name and saves the table and the multiples-only option there.
    bool enregistreSous();
    /// Asks for a duration and a WAV name and writes the export there.
    void exporte();

signals:
    /// "Composantes…": the window that owns the menu opens the components' window.
    void composantesDemande();
    /// "Défi d'écoute…": the window that owns the menu opens the listening challenge.
    void defiDemande();

private:
    void ajouteAnalyse();
    bool enregistreDans(const QString &chemin);

    QAction *m_spectreMesure = nullptr;
    QAction *m_original = nullptr;
    QAction *m_aPropos = nullptr;
    QMenu *m_recents = nullptr;
    QWidget *m_fenetre;
    Edition &m_edition;
};
