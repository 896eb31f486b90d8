#include "ui/panneaufrequences.h"

#include "plot/frequences.h"
#include "plot/repere.h"
#include "plot/surface.h"
#include "plot/vues.h"
#include "session/edition.h"
#include "ui/bouton.h"
#include "ui/couleurs.h"
#include "ui/curseurfrequences.h"
#include "ui/disposition.h"
#include "ui/echelle.h"
#include "ui/elements.h"
#include "ui/marqueur.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>

using namespace Couleurs;
using namespace Elements;

PanneauFrequences::PanneauFrequences(QWidget *fenetre, Edition &edition)
    : QObject(fenetre), m_edition(edition), m_fenetre(fenetre)
{
    // The placeholder's caption and shape let the clicks through to it.
    const auto e =
        Construit(fenetre,
                  {
                      {"SpectreCache",
                       nullptr,
                       Genre::BoutonPanneau,
                       {120, 5160, 15132, 4092},
                       QT_TR_NOOP("Afficher le spectre"),
                       {},
                       GrisCache},
                      {"Shape3", "SpectreCache", Genre::Forme, {3120, 1680, 9012, 1092}},
                      {"Label7",
                       "SpectreCache",
                       Genre::Etiquette,
                       {720, 2040, 13572, 612},
                       QT_TR_NOOP("Cliquer ici pour voir le spectre de fréquence du son produit"),
                       GrisCommande,
                       {},
                       16.2,
                       nullptr,
                       nullptr,
                       Qt::AlignHCenter},
                      {"TourSpectre", nullptr, Genre::Panneau, {120, 5160, 15132, 4092}, nullptr, {}, BleuNuit},
                      {"CacheSpectre",
                       "TourSpectre",
                       Genre::BoutonImage,
                       {14760, 48, 288, 288},
                       QT_TR_NOOP("Masquer le spectre"),
                       {},
                       {},
                       0,
                       ":/images/croix.svg",
                       QT_TR_NOOP("Masquer cette fenêtre")},
                      {"Effacer",
                       "TourSpectre",
                       Genre::BoutonImage,
                       {14280, 48, 384, 384},
                       QT_TR_NOOP("Effacer toutes les composantes"),
                       {},
                       {},
                       0,
                       ":/images/page.svg",
                       QT_TR_NOOP("Effacer toutes les composantes")},
                      {"Label4",
                       "TourSpectre",
                       Genre::Titre,
                       {48, 48, 2532, 372},
                       QT_TR_NOOP("Spectre de fréquence"),
                       Blanc,
                       BleuNuit,
                       13.8},
                  },
                  "PanneauFrequences");
    m_spectreCache = static_cast<Bouton *>(e.value(QStringLiteral("SpectreCache")));
    m_tour = e.value(QStringLiteral("TourSpectre"));
    m_cacheSpectre = static_cast<Bouton *>(e.value(QStringLiteral("CacheSpectre")));
    m_effacer = static_cast<Bouton *>(e.value(QStringLiteral("Effacer")));
    connect(m_spectreCache, &Bouton::clicked, this, &PanneauFrequences::SpectreCache_Click);
    connect(m_cacheSpectre, &Bouton::clicked, this, &PanneauFrequences::CacheSpectre_Click);
    connect(m_effacer, &Bouton::clicked, this, &PanneauFrequences::Effacer_Click);

    m_spectre = new Surface(RepereSpectre, RectangleTwips(48, 408, 13092, 3624).size(), m_tour);
    m_spectre->setObjectName(QStringLiteral("Spectre"));
    Place(m_spectre, 48, 408, 13092, 3624);
    m_spectre->setFont(Police("Calibri", 9));
    // Its whole drawing is scaled, text included.
    Dispositions::De(m_spectre).redessine = [s = m_spectre](double z) { s->FixeZoom(z); };
    m_spectre->setCursor(Qt::CrossCursor);
    m_spectre->setAccessibleName(tr("Spectre de fréquence"));
    connect(m_spectre, &Surface::sourisBouge, this, [this](int boutons, QPointF p) {
        // The marker holds the pointer for the whole drag; a move reaching the spectrum with no
        // button held means the window system ended the drag without telling the marker.
        if (m_fondamental->enGlissement() && boutons == 0)
            m_fondamental->abandonne();
        if (!m_fondamental->enGlissement())
            Spectre_MouseMove(boutons, 0, float(p.x()), float(p.y()));
    });
    connect(m_spectre, &Surface::sourisRelachee, this, [this](int bouton, QPointF p) {
        if (!m_fondamental->enGlissement())
            Spectre_MouseUp(bouton, 0, float(p.x()), float(p.y()));
    });

    m_fondamental = new Marqueur(m_spectre);
    m_fondamental->setObjectName(QStringLiteral("Fondamental"));
    m_fondamental->setAccessibleName(tr("Fréquence fondamentale"));
    Fond(m_fondamental, Spectre::CouleurFondamental);
    connect(m_fondamental, &Marqueur::pas, this, &PanneauFrequences::Spectre_DragOver);
    connect(m_fondamental, &Marqueur::depose, this, &PanneauFrequences::Fondamental_DragDrop);
    placeFondamental(m_edition.fondamental());

    // The check boxes' captions toggle them too; the boxes themselves are the keyboard's way in.
    const auto c = Construit(
        m_tour,
        {
            {"Picture4", nullptr, Genre::Panneau, {13200, 408, 1884, 1212}, nullptr, {}, GrisFenetre},
            {"Label9",
             "Picture4",
             Genre::Etiquette,
             {120, 120, 1932, 612},
             QT_TR_NOOP("Sensibilité horizontale : "),
             Qt::black,
             {},
             12},
            {"Label10",
             "Picture4",
             Genre::Etiquette,
             {120, 840, 1932, 252},
             QT_TR_NOOP("500 Hz/div"),
             GrisCommande,
             {},
             10.2},
            {"Picture5", nullptr, Genre::Panneau, {13200, 1680, 1884, 2352}, nullptr, {}, GrisFenetre},
            {"Label12",
             "Picture5",
             Genre::Etiquette,
             {120, 120, 1932, 612},
             QT_TR_NOOP("Propriétés du spectre"),
             Qt::black,
             {},
             12},
            {"Label6",
             "Picture5",
             Genre::Legende,
             {360, 720, 1572, 732},
             QT_TR_NOOP("Afficher les fréquences"),
             {},
             {},
             10.2},
            {"Label11",
             "Picture5",
             Genre::Legende,
             {360, 1320, 1452, 972},
             QT_TR_NOOP("N'autoriser que les multiples de la fréquence fondamentale"),
             {},
             {},
             10.2},
            {"AfficheFreq", "Picture5", Genre::Case, {120, 720, 252, 255}, QT_TR_NOOP("Afficher les fréquences")},
            {"Musical",
             "Picture5",
             Genre::Case,
             {120, 1320, 255, 255},
             QT_TR_NOOP("N'autoriser que les multiples de la fréquence fondamentale")},
        },
        "PanneauFrequences");
    m_label6 = static_cast<Bouton *>(c.value(QStringLiteral("Label6")));
    m_label11 = static_cast<Bouton *>(c.value(QStringLiteral("Label11")));
    m_afficheFreq = static_cast<QCheckBox *>(c.value(QStringLiteral("AfficheFreq")));
    m_musical = static_cast<QCheckBox *>(c.value(QStringLiteral("Musical")));
    connect(m_label6, &Bouton::clicked, this, &PanneauFrequences::Label6_Click);
    connect(m_label11, &Bouton::clicked, this, &PanneauFrequences::Label11_Click);
    // However it is ticked (mouse, keyboard, caption, an assistive technology), the plot follows.
    connect(m_afficheFreq, &QCheckBox::toggled, this, &PanneauFrequences::AfficheFreq_Click);
    connect(m_musical, &QCheckBox::toggled, &m_edition, &Edition::fixeMusical);
    // A placeholder is covered by its panel while the panel shows; hidden then, Tab skips it.
    m_spectreCache->hide();

    m_vue = std::make_unique<VueSpectre>(*m_spectre);
    // What follows an edit is the session's to decide; the panel only draws what it is told.
    connect(&m_edition, &Edition::spectreChange, this, &PanneauFrequences::redessine);
    connect(&m_edition, &Edition::apercuRetire, this, &PanneauFrequences::redessine);
    connect(&m_edition, &Edition::analyseChange, this, &PanneauFrequences::redessine);
    connect(&m_edition, &Edition::apercuChange, this, [this](float X, float Y) {
        m_vue->fixeSon(m_edition.son());
        m_vue->fixeApercu(QPointF(X, Y));
        m_vue->dessine();
        m_apercu = true;
    });
    connect(&m_edition, &Edition::fondamentalPlace, this, &PanneauFrequences::placeFondamental);
    connect(&m_edition, &Edition::survolChange, m_spectre,
            [this](bool dedans) { m_spectre->setCursor(dedans ? Qt::CrossCursor : Qt::ForbiddenCursor); });
    // The check box shows the session's option; it keeps no state of its own.
    connect(&m_edition, &Edition::musicalChange, m_musical, &QCheckBox::setChecked);
    m_curseur = new CurseurSpectre(*m_spectre, m_edition, this);

    // Right of the microphone's notices, up to the clear icon. An add redraws only the time plot
    // (the spectrum waits for the next pointer move), so the time plot's signal counts as well.
    m_auDela = ajouteAvis("AvisAuDela", {9720, 60, 4440, 300}, QString());
    m_auDela->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(&m_edition, &Edition::spectreChange, this, &PanneauFrequences::montreAuDela);
    connect(&m_edition, &Edition::tempsChange, this, &PanneauFrequences::montreAuDela);
    montreAuDela();

    // The pointer that goes to a dialog (or a menu) leaves no preview line behind.
    fenetre->installEventFilter(this);
    m_spectre->installEventFilter(this);
}

PanneauFrequences::~PanneauFrequences()
{
    // The cursor watches the spectrum's focus: it goes before the focus is cleared from a window
    // that is no longer whole.
    delete m_curseur;
}

QList<QWidget *> PanneauFrequences::ordreTab() const
{
    return {m_spectreCache, m_effacer, m_cacheSpectre, m_spectre, m_afficheFreq, m_label6, m_musical, m_label11};
}

void PanneauFrequences::prepare()
{
    QPalette p = m_afficheFreq->palette();
    p.setColor(QPalette::WindowText, Magenta);
    m_afficheFreq->setPalette(p);
    m_musical->setChecked(m_edition.musical());
}

bool PanneauFrequences::afficheFreq() const
{
    return m_afficheFreq->isChecked();
}

QLabel *PanneauFrequences::ajouteAvis(const char *nom, QRectF twips, const QString &texte)
{
    QLabel *avis = Etiquette(m_tour, nom, twips, texte, Blanc, Police("Calibri", 10.2));
    Fond(avis, BleuNuit);
    avis->setAccessibleName(texte);
    avis->hide();
    return avis;
}

bool PanneauFrequences::eventFilter(QObject *objet, QEvent *evenement)
{
    // A modal window opened by a shortcut while the pointer is over the plot takes the moves
    // away without a last one outside the editing area: the window's deactivation (a dialog, or
    // another program) or a leave while a dialog or a menu is up removes the line. A plain leave
    // keeps it, as the plot is drawn only on the moves it gets.
    const bool quitte = (objet == m_fenetre && evenement->type() == QEvent::WindowDeactivate)
                        || (objet == m_spectre && evenement->type() == QEvent::Leave
                            && (QApplication::activeModalWidget() || QApplication::activePopupWidget()));
    if (quitte && m_apercu)
        m_edition.QuitteSpectre();
    return QObject::eventFilter(objet, evenement);
}

void PanneauFrequences::montreAuDela()
{
    // The plot's right edge: 13092 twips at 2.6184 twips per hertz.
    constexpr double BordDroit = 5000.0;
    const int n = ComposantesAuDela(m_edition.son(), BordDroit);
    // Two texts rather than a plural form: the French source is shown as it is, untranslated.
    const QString texte = n == 0   ? QString()
                          : n == 1 ? tr("1 composante au-delà de 5000 Hz")
                                   : tr("%1 composantes au-delà de 5000 Hz").arg(n);
    if (texte != m_auDela->text()) {
        m_auDela->setText(texte);
        m_auDela->setAccessibleName(texte);
    }
    m_auDela->setVisible(n > 0);
}

void PanneauFrequences::montreMesure(bool oui)
{
    m_montreMesure = oui;
    redessine();
}

void PanneauFrequences::redessine()
{
    // The measured spectrum of the last analysis, behind the lines, unless hidden.
    m_vue->fixeCouche(Couche::Mesure, m_montreMesure ? m_edition.analyse().points : QList<QPointF>());
    m_vue->fixeSon(m_edition.son());
    m_vue->fixeAfficheFreq(afficheFreq());
    m_vue->fixeApercu(std::nullopt);
    m_vue->dessine();
    m_apercu = false;
}

void PanneauFrequences::placeFondamental(double hertz)
{
    const Repere &r = RepereSpectre;
    // Left edge at the frequency, top on the top grid line, 10 units high, 44 twips wide; every
    // edge scaled by the zoom before it is rounded.
    const double z = Zoom(m_spectre);
    const double gaucheTwips = (hertz - r.x0) * r.twipsX;
    const double hautTwips = (0.0 - r.y0) * r.twipsY;
    m_fondamental->setGeometry(RectangleTwips(gaucheTwips * z, hautTwips * z, 44 * z, 10 * r.twipsY * z));
}

void PanneauFrequences::montre(bool oui)
{
    Bascule(m_tour, m_effacer, m_spectreCache, oui);
}

void PanneauFrequences::survole(int boutons, QPointF point)
{
    // The pointer's shape follows the session's survolChange.
    m_edition.Survole(float(point.x()), float(point.y()), boutons == 1);
}

void PanneauFrequences::relache(int bouton, QPointF point)
{
    if (bouton == 1)
        m_edition.Ajoute(float(point.x()), float(point.y()));
    else if (bouton == 2)
        m_edition.RetireDerniere();
}

void PanneauFrequences::glisseFondamental(float hertz)
{
    // The marker is not hidden during the step: hiding the widget that holds the pointer would
    // end the drag. Nothing is painted before the step returns, so nothing flickers either.
    m_edition.GlisseFondamental(hertz);
    m_fondamental->show();
    m_fondamental->raise();
}

void PanneauFrequences::lacheFondamental()
{
    m_fondamental->show();
    m_edition.LacheFondamental();
}

void PanneauFrequences::Effacer_Click()
{
    m_edition.Efface();
}

void PanneauFrequences::Label6_Click()
{
    // The box's toggled redraws.
    m_afficheFreq->setChecked(!m_afficheFreq->isChecked());
}

void PanneauFrequences::Label11_Click()
{
    m_edition.fixeMusical(!m_edition.musical());
}
