#pragma once

#include "ui/aide.h"
#include "ui/clavier.h"
#include "ui/composantes.h"
#include "ui/contexte.h"
#include "ui/defiecoute.h"
#include "ui/menutimbres.h"

#include <QPointer>
#include <QWidget>

class BandeauCommandes;
class CurseurSpectre;
class CurseurVolume;
class DescriptionsVues;
class Edition;
class Loupe;
class Marqueur;
class MenuMicro;
class PanneauFrequences;
class PanneauTemps;
class Surface;
struct Timbre;

// The main window "Synthétiseur": the top command strip, the time panel and the spectrum panel,
// each built by a class of its own; the window puts them together, keeps the keyboard and help
// windows it opens, and takes the timbre files dropped on it. Its constructor runs the session's
// start-up (the default sound, or the timbre it is given, drawn and written, sound off).
class Synthetiseur : public QWidget
{
    Q_OBJECT

public:
    /// Starts on `depart` (a timbre from the command line) instead of the default sound, when given.
    explicit Synthetiseur(Contexte contexte, const Timbre *depart = nullptr, QWidget *parent = nullptr);
    ~Synthetiseur() override;

    // The window's drawing operations and commands, which other windows call.
    /// The time plot drawn again from the session's sound, at this quality.
    void TraceTemporel(int Qualite);
    /// The spectrum drawn again from the session's sound, without a preview line.
    void RedessineSpectre();
    /// The marker's left edge in hertz (fractional, as the layout puts it).
    double PositionFondamental() const;
    /// The clear command (Effacer, and the last step of the start-up).
    void Efface();
    /// Opens the file at `chemin`; a refused file is reported in a message box and changes nothing.
    bool OuvreFichier(const QString &chemin);

    BandeauCommandes &bandeau() const { return *m_bandeau; }
    PanneauTemps &temps() const { return *m_temps; }
    PanneauFrequences &panneauSpectre() const { return *m_spectre; }
    MenuTimbres *menuTimbres() const;
    MenuMicro *menuMicro() const { return m_micro; }
    Surface &spectre() const;
    Surface &grapheTemp() const;
    Marqueur &fondamental() const;
    CurseurSpectre &curseur() const;
    CurseurVolume &volume() const;
    bool musical() const;
    bool afficheFreq() const;
    Clavier *clavier() const { return m_clavier; }
    Aide *aide() const { return m_aide; }
    DefiEcoute *defi() const { return m_defi; }
    Composantes *composantes() const { return m_composantes; }
    Edition &edition() const { return m_ctx.edition; }
    Loupe &loupe() const { return *m_loupe; }

public slots:
    /// Shows the keyboard window, made on first use.
    void ouvreClavier();
    /// Shows the help window, made on first use.
    void ouvreAide();
    /// Shows the listening challenge's window, made on first use.
    void ouvreDefi();
    /// Shows the components' window, made on first use.
    void ouvreComposantes();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void construit();
    void apresZoom();
    /// "Sonavirelle 2010", or with a file "Sonavirelle 2010 — nom.timbre", " *" once changed.
    void montreTitre();

    Contexte m_ctx;
    BandeauCommandes *m_bandeau = nullptr;
    PanneauTemps *m_temps = nullptr;
    PanneauFrequences *m_spectre = nullptr;
    DescriptionsVues *m_descriptions = nullptr;
    QPointer<Clavier> m_clavier;
    QPointer<Aide> m_aide;
    QPointer<DefiEcoute> m_defi;
    QPointer<Composantes> m_composantes;
    Loupe *m_loupe = nullptr;
    MenuMicro *m_micro = nullptr;
};
