#include "ui/synthetiseur.h"

#include "plot/temporel.h"
#include "session/edition.h"
#include "ui/bandeaucommandes.h"
#include "ui/couleurs.h"
#include "ui/curseurfrequences.h"
#include "ui/descriptionsvues.h"
#include "ui/elements.h"
#include "ui/loupe.h"
#include "ui/menumicro.h"
#include "ui/menutimbres.h"
#include "ui/panneaufrequences.h"
#include "ui/panneautemps.h"
#include "ui/touchespiano.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

using namespace Elements;

Synthetiseur::Synthetiseur(Contexte contexte, const Timbre *depart, QWidget *parent) : QWidget(parent), m_ctx(contexte)
{
    construit();
    // The start-up, in its order: the options' looks, the time plot's grid, then the session's
    // first sound (the default one, or the timbre given), drawn and written.
    m_spectre->prepare();
    Temporel::QuadrilleTemporel(m_temps->graphe());
    m_ctx.edition.Demarre(depart);
    // Laid out at the run's zoom once drawn; plots and marker are drawn again at each new one.
    m_loupe = m_ctx.loupe ? m_ctx.loupe : new Loupe(this);
    m_loupe->suit(this, true);
    connect(m_loupe, &Loupe::change, this, &Synthetiseur::apresZoom);
    connect(&m_ctx.edition, &Edition::documentChange, this, &Synthetiseur::montreTitre);
    montreTitre();
    if (m_loupe->pourcents() != 100)
        apresZoom();
}

Synthetiseur::~Synthetiseur()
{
    // The spectrum's cursor watches its focus: it goes before the focus is cleared from a window
    // that is no longer whole.
    delete m_spectre;
    delete m_descriptions;
    // The session outlives this window; a keyboard window left open edits nothing without it.
    if (m_clavier)
        m_clavier->detache();
    // Hook: the challenge window left open has no spectrum nor session to work on any more.
    if (m_defi)
        m_defi->detache();
    // The components' window edits this window's table: it goes with it.
    if (m_composantes)
        m_composantes->detache();
}

void Synthetiseur::construit()
{
    setObjectName(QStringLiteral("Synthétiseur"));
    setWindowTitle(tr("Sonavirelle 2010"));
    setWindowIcon(QIcon(QStringLiteral(":/images/icone.svg")));
    Fond(this, Couleurs::GrisFenetre);
    // Resizable, but the contents keep their places.
    resize(1024, 624);
    Fenetre(this, QSizeF(15360, 9360));
    Centre(this);

    m_bandeau = new BandeauCommandes(this, m_ctx.edition);
    m_temps = new PanneauTemps(this, m_ctx.edition);
    m_spectre = new PanneauFrequences(this, m_ctx.edition);
    // The window's elements from the bottom of the stack up: a later one lies above an earlier one.
    for (const char *nom : {"Image3", "SpectreCache", "Picture3", "TourSpectre", "TourGrapheTemp", "Play", "TaGueule",
                            "Picture6", "Timbres", "LabelVolume", "Volume", "AvisSon"})
        findChild<QWidget *>(QString::fromUtf8(nom), Qt::FindDirectChildrenOnly)->raise();
    m_descriptions = new DescriptionsVues(spectre(), grapheTemp(), m_ctx.edition, this);
    connect(&curseur(), &CurseurSpectre::change, m_descriptions, &DescriptionsVues::suitCurseur);
    // Hook (microphone): the "Micro" menu at the end of "Timbres", before "À propos"; its notices lie in the spectrum panel.
    m_micro = new MenuMicro(this, m_ctx.edition, *m_spectre, *m_descriptions);
    QAction *aPropos = menuTimbres()->actionAPropos();
    menuTimbres()->insertMenu(aPropos, m_micro);
    menuTimbres()->insertSeparator(aPropos);
    connect(m_bandeau, &BandeauCommandes::clavierDemande, this, &Synthetiseur::ouvreClavier);
    connect(m_bandeau, &BandeauCommandes::aideDemandee, this, &Synthetiseur::ouvreAide);
    // Hook: the "Timbres" menu's "Défi d'écoute…".
    connect(&m_bandeau->menu(), &MenuTimbres::defiDemande, this, &Synthetiseur::ouvreDefi);
    connect(&m_bandeau->menu(), &MenuTimbres::composantesDemande, this, &Synthetiseur::ouvreComposantes);
    setAcceptDrops(true);
    // Hook: the "Spectre mesuré" entry shows and hides the spectrum panel's measured layer.
    connect(menuTimbres()->actionSpectreMesure(), &QAction::toggled, m_spectre, &PanneauFrequences::montreMesure);

    // Tab goes through the commands in reading order, whichever of two faces is shown.
    const QList<QWidget *> ordre = m_bandeau->ordreTab() + m_temps->ordreTab() + m_spectre->ordreTab();
    for (qsizetype i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);
    // The window opens with the first command of the strip in focus.
    m_bandeau->premier()->setFocus(Qt::OtherFocusReason);

    auto *aide = new QAction(this);
    aide->setShortcut(QKeySequence(Qt::Key_F1));
    aide->setShortcutContext(Qt::WindowShortcut);
    addAction(aide);
    connect(aide, &QAction::triggered, this, &Synthetiseur::ouvreAide);
    // The letter rows play the keys, exactly as a click on the keyboard window's key would.
    TouchesPiano::Relie(this, [this](int note) {
        if (m_clavier)
            m_clavier->note_MouseDown(note);
        else
            m_ctx.edition.ChoisitNote(note);
    });
}

void Synthetiseur::apresZoom()
{
    RedessineSpectre();
    TraceTemporel(2);
    m_spectre->placeFondamental(m_ctx.edition.fondamental());
}

void Synthetiseur::montreTitre()
{
    const QString &fichier = m_ctx.edition.fichier();
    QString titre = tr("Sonavirelle 2010");
    if (!fichier.isEmpty())
        titre += QStringLiteral(" — ") + QFileInfo(fichier).fileName()
                 + (m_ctx.edition.modifie() ? QStringLiteral(" *") : QString());
    if (windowTitle() != titre)
        setWindowTitle(titre);
}

void Synthetiseur::TraceTemporel(int Qualite)
{
    m_temps->trace(Qualite);
}

void Synthetiseur::RedessineSpectre()
{
    m_spectre->redessine();
}

double Synthetiseur::PositionFondamental() const
{
    return m_ctx.edition.fondamental();
}

void Synthetiseur::Efface()
{
    m_ctx.edition.Efface();
}

bool Synthetiseur::OuvreFichier(const QString &chemin)
{
    return m_bandeau->menu().ouvreFichier(chemin);
}

MenuTimbres *Synthetiseur::menuTimbres() const
{
    return &m_bandeau->menu();
}

Surface &Synthetiseur::spectre() const
{
    return m_spectre->spectre();
}

Surface &Synthetiseur::grapheTemp() const
{
    return m_temps->graphe();
}

Marqueur &Synthetiseur::fondamental() const
{
    return m_spectre->fondamental();
}

CurseurSpectre &Synthetiseur::curseur() const
{
    return m_spectre->curseur();
}

CurseurVolume &Synthetiseur::volume() const
{
    return m_bandeau->volume();
}

bool Synthetiseur::musical() const
{
    return m_ctx.edition.musical();
}

bool Synthetiseur::afficheFreq() const
{
    return m_spectre->afficheFreq();
}

void Synthetiseur::ouvreClavier()
{
    if (!m_clavier) {
        m_clavier = new Clavier(&m_ctx.edition);
        connect(m_clavier, &Clavier::aideDemandee, this, &Synthetiseur::ouvreAide);
        m_loupe->suit(m_clavier);
    }
    m_clavier->show();
    m_clavier->raise();
    m_clavier->activateWindow();
}

void Synthetiseur::ouvreAide()
{
    if (!m_aide) {
        m_aide = new Aide();
        m_loupe->suit(m_aide);
    }
    m_aide->show();
    m_aide->raise();
    m_aide->activateWindow();
}

void Synthetiseur::ouvreDefi()
{
    if (!m_defi) {
        m_defi = new DefiEcoute(&m_ctx.edition, m_spectre);
        connect(m_defi, &DefiEcoute::aideDemandee, this, &Synthetiseur::ouvreAide);
        m_loupe->suit(m_defi);
    }
    m_defi->show();
    m_defi->raise();
    m_defi->activateWindow();
}

void Synthetiseur::ouvreComposantes()
{
    if (!m_composantes) {
        m_composantes = new Composantes(&m_ctx.edition);
        connect(m_composantes, &Composantes::aideDemandee, this, &Synthetiseur::ouvreAide);
        m_loupe->suit(m_composantes);
    }
    m_composantes->show();
    m_composantes->raise();
    m_composantes->activateWindow();
}

namespace {

// The first local .timbre file a drag carries, or (hook) the first sound file; nothing otherwise.
QString TimbreDepose(const QMimeData *donnees)
{
    if (!donnees || !donnees->hasUrls())
        return {};
    for (const QUrl &url : donnees->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".timbre"), Qt::CaseInsensitive))
            return url.toLocalFile();
    for (const QUrl &url : donnees->urls())
        if (url.isLocalFile() && MenuTimbres::NomDeSon(url.toLocalFile()))
            return url.toLocalFile();
    return {};
}

} // namespace

void Synthetiseur::dragEnterEvent(QDragEnterEvent *event)
{
    if (!TimbreDepose(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Synthetiseur::dropEvent(QDropEvent *event)
{
    const QString chemin = TimbreDepose(event->mimeData());
    if (chemin.isEmpty())
        return;
    event->acceptProposedAction();
    // Hook: a dropped sound is analysed.
    if (MenuTimbres::NomDeSon(chemin))
        menuTimbres()->analyseFichier(chemin);
    else
        OuvreFichier(chemin);
}

void Synthetiseur::closeEvent(QCloseEvent *event)
{
    // Unsaved changes are asked about first; "Annuler" (or a save that did not happen) keeps the
    // window open, the sound going on as it was.
    if (!menuTimbres()->confirmeAbandon()) {
        event->ignore();
        return;
    }
    m_ctx.edition.Ferme();
    m_micro->ecouteDirect(false); // hook (microphone): nothing listens once the window is closed
    event->accept();
}
