#pragma once

#include <QMenu>

class Edition;

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

public slots:
    /// Asks for a .timbre file and opens it.
    void ouvre();
    /// Asks for a name and saves the table and the multiples-only option there.
    void enregistre();
    /// Asks for a duration and a WAV name and writes the export there.
    void exporte();

signals:
    /// "Défi d'écoute…": the window that owns the menu opens the listening challenge.
    void defiDemande();

private:
    QWidget *m_fenetre;
    Edition &m_edition;
};
