#include "ui/synthetiseur.h"

#include "model/son.h"
#include "plot/repere.h"
#include "plot/frequences.h"
#include "plot/surface.h"
#include "plot/temporel.h"
#include "plot/vues.h"
#include "synth/export.h"
#include "synth/timbrefichier.h"
#include "ui/aide.h"
#include "ui/bouton.h"
#include "ui/clavier.h"
#include "ui/couleurs.h"
#include "ui/curseurfrequences.h"
#include "ui/curseurvolume.h"
#include "ui/descriptionsvues.h"
#include "ui/disposition.h"
#include "session/edition.h"
#include "ui/elements.h"
#include "ui/loupe.h"
#include "ui/marqueur.h"
#include "ui/ressources.h"
#include "ui/touchespiano.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFrame>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QUndoStack>
#include <QUrl>

#include <cmath>
#include <memory>

using namespace Couleurs;
using namespace Elements;

namespace {

QFrame *Panneau(QWidget *parent, const char *nom, double l, double t, double w, double h, const QColor &fond,
                bool cadre)
{
    auto *p = new QFrame(parent);
    p->setObjectName(QString::fromUtf8(nom));
    if (cadre)
        Cadre(p);
    Fond(p, fond);
    Place(p, l, t, w, h);
    return p;
}

// A rounded rectangle filled with (192, 192, 255) and outlined in grey, behind a placeholder's caption.
class Forme : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(GrisCommande, 1));
        p.setBrush(Lavande);
        const qreal r = std::min(width(), height()) / 4.0;
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), r, r);
    }
};

Forme *Rectangle(QWidget *parent, const char *nom, double l, double t, double w, double h)
{
    auto *f = new Forme(parent);
    f->setObjectName(QString::fromUtf8(nom));
    f->setAttribute(Qt::WA_TransparentForMouseEvents);
    Place(f, l, t, w, h);
    return f;
}

// A check box's caption that toggles it: the caption as laid out, inside a button that lets
// assistive technologies press it too. The box is the keyboard's way in, so Tab skips the caption.
Bouton *Legende(QWidget *parent, const char *nom, QRectF twips, const QString &texte, const QFont &police)
{
    auto *b = new Bouton(parent, nom);
    Place(b, twips.x(), twips.y(), twips.width(), twips.height());
    b->setFocusPolicy(Qt::NoFocus);
    FixePointeur(b, Ressources::PointeurMain());
    b->setAccessibleName(texte);
    auto *e = Etiquette(b, "", {0, 0, twips.width(), twips.height()}, texte, GrisCommande, police);
    e->setGeometry(b->rect());
    Disposition &d = Dispositions::De(e);
    d.twips.reset();
    d.remplitParent = true;
    e->setAttribute(Qt::WA_TransparentForMouseEvents);
    return b;
}

// Shows a plot panel or its placeholder, never both. The keyboard focus follows to what shows
// (to a panel's first command).
void Bascule(QWidget *panneau, QWidget *premier, QWidget *remplacant, bool montre)
{
    QWidget *focus = QApplication::focusWidget();
    const bool avaitFocus = focus && (panneau->isAncestorOf(focus) || focus == remplacant);
    panneau->setVisible(montre);
    remplacant->setVisible(!montre);
    if (avaitFocus)
        (montre ? premier : remplacant)->setFocus(Qt::TabFocusReason);
}

QCheckBox *Case(QWidget *parent, const char *nom, double l, double t, double w, double h)
{
    auto *c = new QCheckBox(parent);
    c->setObjectName(QString::fromUtf8(nom));
    Fond(c, GrisFenetre);
    FixePointeur(c, Ressources::PointeurMain());
    Dispositions::De(c).indicateursAgrandis = true;
    Place(c, l, t, w, h);
    return c;
}

} // namespace

Synthetiseur::Synthetiseur(Contexte contexte, const Timbre *depart, QWidget *parent)
    : QWidget(parent), m_ctx(contexte), m_edition(&contexte.edition)
{
    construit();
    m_vueSpectre = std::make_unique<VueSpectre>(*m_spectre);
    m_vueTemps = std::make_unique<VueTemps>(*m_grapheTemp);
    relieEdition();
    m_curseur = new CurseurSpectre(*m_spectre, *m_edition, this);
    m_descriptions = new DescriptionsVues(*m_spectre, *m_grapheTemp, *m_edition, this);
    connect(m_curseur, &CurseurSpectre::change, m_descriptions, &DescriptionsVues::suitCurseur);
    Charge(depart);
    // Laid out at the run's zoom once drawn; plots and marker are drawn again at each new one.
    m_loupe = m_ctx.loupe ? m_ctx.loupe : new Loupe(this);
    m_loupe->suit(this, true);
    connect(m_loupe, &Loupe::change, this, &Synthetiseur::apresZoom);
    if (m_loupe->pourcents() != 100)
        apresZoom();
}

void Synthetiseur::apresZoom()
{
    RedessineSpectre();
    TraceTemporel(2);
    PlaceFondamental(m_edition->fondamental());
}

Synthetiseur::~Synthetiseur()
{
    // The cursor watches the spectrum's focus: it goes before the focus is cleared from a window
    // that is no longer whole.
    delete m_curseur;
    delete m_descriptions;
    // The session outlives this window; a keyboard window left open edits nothing without it.
    if (m_clavier)
        m_clavier->detache();
}

void Synthetiseur::construit()
{
    setObjectName(QStringLiteral("Synthétiseur"));
    setWindowTitle(tr("Sonavirelle 2010"));
    setWindowIcon(QIcon(QStringLiteral(":/images/icone.svg")));
    Fond(this, GrisFenetre);
    // Resizable, but the contents keep their places.
    resize(1024, 624);
    Fenetre(this, QSizeF(15360, 9360));
    Centre(this);

    const QFont calibri12 = Police("Calibri", 12);
    const QFont calibri10 = Police("Calibri", 10.2);
    const QFont calibri13 = Police("Calibri", 13.8);
    const QFont calibri16 = Police("Calibri", 16.2);

    // Created from the bottom of the stack up: later siblings lie above earlier ones.
    auto *image3 = BoutonImage(this, "Image3", {8520, 120, 612, 612}, QStringLiteral(":/images/aide.svg"),
                               tr("Aide"));
    image3->setToolTip(tr("Aide"));
    connect(image3, &Bouton::clicked, this, &Synthetiseur::Image3_Click);

    // Placeholders under the two plot panels.
    // Their captions and shapes let the clicks through to the placeholder.
    m_spectreCache = BoutonPanneau(this, "SpectreCache", {120, 5160, 15132, 4092}, GrisCache, true,
                                   tr("Afficher le spectre"));
    auto *spectreCache = m_spectreCache;
    Rectangle(spectreCache, "Shape3", 3120, 1680, 9012, 1092);
    auto *label7 = Etiquette(spectreCache, "Label7", {720, 2040, 13572, 612},
                             tr("Cliquer ici pour voir le spectre de fréquence du son produit"), GrisCommande,
                             calibri16);
    label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    connect(m_spectreCache, &Bouton::clicked, this, &Synthetiseur::SpectreCache_Click);

    m_picture3 = BoutonPanneau(this, "Picture3", {120, 840, 15132, 4092}, GrisCache, true,
                               tr("Afficher l'évolution temporelle"));
    auto *picture3 = m_picture3;
    Rectangle(picture3, "Shape2", 3120, 1560, 9012, 972);
    auto *label8 = Etiquette(picture3, "Label8", {3960, 1800, 7692, 492},
                             tr("Cliquer ici pour voir l'évolution temporelle du signal sonore"), GrisCommande,
                             calibri16);
    label8->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    connect(m_picture3, &Bouton::clicked, this, &Synthetiseur::Picture3_Click);

    // The spectrum panel.
    m_tourSpectre = Panneau(this, "TourSpectre", 120, 5160, 15132, 4092, BleuNuit, false);
    auto *cacheSpectre = BoutonImage(m_tourSpectre, "CacheSpectre", {14760, 48, 288, 288},
                                     QStringLiteral(":/images/croix.svg"), tr("Masquer le spectre"));
    cacheSpectre->setToolTip(tr("Masquer cette fenêtre"));
    connect(cacheSpectre, &Bouton::clicked, this, &Synthetiseur::CacheSpectre_Click);
    auto *effacer = BoutonImage(m_tourSpectre, "Effacer", {14280, 48, 384, 384}, QStringLiteral(":/images/page.svg"),
                                tr("Effacer toutes les composantes"));
    effacer->setToolTip(tr("Effacer toutes les composantes"));
    connect(effacer, &Bouton::clicked, this, &Synthetiseur::Efface);
    Fond(Etiquette(m_tourSpectre, "Label4", {48, 48, 2532, 372}, tr("Spectre de fréquence"), Blanc,
                   calibri13),
         BleuNuit);

    m_spectre = new Surface(RepereSpectre, RectangleTwips(48, 408, 13092, 3624).size(), m_tourSpectre);
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
    connect(m_fondamental, &Marqueur::pas, this, [this](float X, float Y, int etat) { Spectre_DragOver(X, Y, etat); });
    connect(m_fondamental, &Marqueur::depose, this, &Synthetiseur::Fondamental_DragDrop);
    PlaceFondamental(m_edition->fondamental());

    auto *picture4 = Panneau(m_tourSpectre, "Picture4", 13200, 408, 1884, 1212, GrisFenetre, false);
    Etiquette(picture4, "Label9", {120, 120, 1932, 612}, tr("Sensibilité horizontale : "), Qt::black,
              calibri12);
    Etiquette(picture4, "Label10", {120, 840, 1932, 252}, tr("500 Hz/div"), GrisCommande, calibri10);

    auto *picture5 = Panneau(m_tourSpectre, "Picture5", 13200, 1680, 1884, 2352, GrisFenetre, false);
    Etiquette(picture5, "Label12", {120, 120, 1932, 612}, tr("Propriétés du spectre"), Qt::black, calibri12);
    // The check boxes' captions toggle them too; the boxes themselves are the keyboard's way in.
    auto *label6 = Legende(picture5, "Label6", {360, 720, 1572, 732}, tr("Afficher les fréquences"),
                           calibri10);
    connect(label6, &Bouton::clicked, this, &Synthetiseur::Label6_Click);
    auto *label11 = Legende(picture5, "Label11", {360, 1320, 1452, 972},
                            tr("N'autoriser que les multiples de la fréquence fondamentale"), calibri10);
    connect(label11, &Bouton::clicked, this, &Synthetiseur::Label11_Click);
    m_afficheFreq = Case(picture5, "AfficheFreq", 120, 720, 252, 255);
    m_afficheFreq->setAccessibleName(tr("Afficher les fréquences"));
    // However it is ticked (mouse, keyboard, caption, an assistive technology), the plot follows.
    connect(m_afficheFreq, &QCheckBox::toggled, this, &Synthetiseur::AfficheFreq_Click);
    m_musical = Case(picture5, "Musical", 120, 1320, 255, 255);
    m_musical->setAccessibleName(tr("N'autoriser que les multiples de la fréquence fondamentale"));
    connect(m_musical, &QCheckBox::toggled, m_edition, &Edition::fixeMusical);

    // The time-plot panel.
    m_tourGrapheTemp = Panneau(this, "TourGrapheTemp", 120, 840, 15132, 4092, BleuNuit, true);
    auto *cacheTemp = BoutonImage(m_tourGrapheTemp, "CacheTemp", {14760, 48, 288, 288},
                                  QStringLiteral(":/images/croix.svg"), tr("Masquer l'évolution temporelle"));
    connect(cacheTemp, &Bouton::clicked, this, &Synthetiseur::CacheTemp_Click);
    Fond(Etiquette(m_tourGrapheTemp, "Label1", {48, 48, 2532, 372}, tr("Evolution temporelle"), Blanc,
                   calibri13),
         BleuNuit);
    m_grapheTemp = new Surface(RepereTemporel, RectangleTwips(48, 408, 13092, 3624).size(), m_tourGrapheTemp);
    m_grapheTemp->setObjectName(QStringLiteral("GrapheTemp"));
    Place(m_grapheTemp, 48, 408, 13092, 3624);
    m_grapheTemp->setFont(Police("MS Sans Serif", 7.8));
    Dispositions::De(m_grapheTemp).redessine = [s = m_grapheTemp](double z) { s->FixeZoom(z); };
    m_grapheTemp->setAccessibleName(tr("Evolution temporelle"));

    auto *picture2 = Panneau(m_tourGrapheTemp, "Picture2", 13188, 408, 1884, 3624, GrisFenetre, false);
    Etiquette(picture2, "Label2", {120, 120, 1932, 612}, tr("Sensibilité horizontale : "), Qt::black,
              calibri12);
    static const char *const legendes[9] = {
        QT_TRANSLATE_NOOP("Synthetiseur", "0,1 ms/div"), QT_TRANSLATE_NOOP("Synthetiseur", "0,2 ms/div"),
        QT_TRANSLATE_NOOP("Synthetiseur", "0,5 ms/div"), QT_TRANSLATE_NOOP("Synthetiseur", "1    ms/div"),
        QT_TRANSLATE_NOOP("Synthetiseur", "2    ms/div"), QT_TRANSLATE_NOOP("Synthetiseur", "5    ms/div"),
        QT_TRANSLATE_NOOP("Synthetiseur", "10  ms/div"), QT_TRANSLATE_NOOP("Synthetiseur", "20  ms/div"),
        QT_TRANSLATE_NOOP("Synthetiseur", "50  ms/div")};
    for (int i = 0; i < 9; ++i) {
        auto *option = new QRadioButton(tr(legendes[i]), picture2);
        option->setObjectName(QStringLiteral("SensibiliteTemp(%1)").arg(i));
        FixePolice(option, calibri10);
        Dispositions::De(option).indicateursAgrandis = true;
        Fond(option, GrisFenetre);
        QPalette p = option->palette();
        p.setColor(QPalette::WindowText, GrisCommande);
        p.setColor(QPalette::ButtonText, GrisCommande);
        option->setPalette(p);
        option->setAccessibleName(tr(legendes[i]).simplified());
        Place(option, 120, 840 + 240 * i, 1572, 252);
        if (i == 3)
            option->setChecked(true);
        // A choice acts however it is made (mouse, arrows, an assistive technology's toggle),
        // through toggled; a click on the option already chosen toggles nothing yet acts too.
        // Once per click either way: pressed tells which of the two the click will be.
        auto dejaChoisie = std::make_shared<bool>(false);
        connect(option, &QRadioButton::pressed, this, [option, dejaChoisie] { *dejaChoisie = option->isChecked(); });
        connect(option, &QRadioButton::toggled, this, [this, i](bool coche) {
            if (coche)
                SensibiliteTemp_Click(i);
        });
        connect(option, &QRadioButton::clicked, this, [this, i, dejaChoisie] {
            if (*dejaChoisie)
                SensibiliteTemp_Click(i);
            *dejaChoisie = false;
        });
        option->installEventFilter(this);
        m_sensibilite[i] = option;
    }

    // The strip of button panels: sound on, sound off (above it), keyboard opener. Their pictures
    // and captions let the clicks through to the panel.
    auto boutonPanneau = [&](const char *nom, double gauche, double largeur, const QString &accessible) {
        return BoutonPanneau(this, nom, {gauche, 120, largeur, 492}, BleuNuit, true, accessible);
    };
    const QFont blanc12 = calibri12;
    m_play = boutonPanneau("Play", 120, 3372, tr("Ecouter le son produit"));
    connect(m_play, &Bouton::clicked, this, &Synthetiseur::Play_Click);
    auto *image1 = Image(m_play, "Image1", {120, 0, 444, 444}, QStringLiteral(":/images/hautparleur.svg"));
    image1->setAccessibleName(tr("Ecouter le son produit"));
    Etiquette(m_play, "Label3", {720, 120, 2532, 372}, tr("Ecouter le son produit"), Blanc, blanc12);

    m_taGueule = boutonPanneau("TaGueule", 120, 3372, tr("Silence !"));
    connect(m_taGueule, &Bouton::clicked, this, &Synthetiseur::TaGueule_Click);
    auto *image4 = Image(m_taGueule, "Image4", {120, 0, 444, 444}, QStringLiteral(":/images/hautparleur-muet.svg"));
    image4->setAccessibleName(tr("Silence !"));
    Etiquette(m_taGueule, "Label13", {720, 96, 2532, 372}, tr("Silence !"), Blanc, blanc12);
    m_taGueule->hide();

    auto *picture6 = boutonPanneau("Picture6", 3720, 3972, tr("Afficher le clavier"));
    connect(picture6, &Bouton::clicked, this, &Synthetiseur::Picture6_Click);
    auto *image6 = Image(picture6, "Image6", {2160, 0, 1848, 480}, QStringLiteral(":/images/clavier.svg"));
    image6->setAccessibleName(tr("Afficher le clavier"));
    Etiquette(picture6, "Label14", {120, 96, 2532, 372}, tr("Afficher le clavier"), Blanc, blanc12);

    // The timbre menu's opener, in the free part of the strip right of the help icon.
    m_timbres = boutonPanneau("Timbres", 9360, 2160, tr("Timbres"));
    connect(m_timbres, &Bouton::clicked, this, &Synthetiseur::Timbres_Click);
    Etiquette(m_timbres, "Label15", {120, 96, 1920, 372}, tr("Timbres"), Blanc, blanc12);
    construitMenuTimbres();
    setAcceptDrops(true);

    // The listening volume, in the strip's free part right of the timbre menu.
    auto *legendeVolume = Etiquette(this, "LabelVolume", {11760, 216, 1080, 372}, tr("Volume"), Qt::black, calibri12);
    m_volume = new CurseurVolume(this);
    m_volume->setObjectName(QStringLiteral("Volume"));
    Place(m_volume, 12840, 120, 2412, 492);
    legendeVolume->setBuddy(m_volume);
    m_edition->FixeVolume(m_volume->decibels());
    connect(m_volume, &QSlider::valueChanged, m_edition, [this] { m_edition->FixeVolume(m_volume->decibels()); });

    // Said where the sound command is, in the gap between the strip and the time plot.
    m_avisSon = Etiquette(this, "AvisSon", {120, 612, 7572, 228}, tr("Aucune sortie son"), BleuNuit,
                          Police("Calibri", 10.2));
    QFont gras = m_avisSon->font();
    gras.setBold(true);
    m_avisSon->setFont(gras);
    m_avisSon->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_avisSon->setAccessibleName(m_avisSon->text());
    m_avisSon->hide();

    // A placeholder is covered by its panel while the panel shows; hidden then, Tab skips it.
    m_spectreCache->hide();
    m_picture3->hide();

    m_cacheTemp = cacheTemp;
    m_effacer = effacer;
    // Tab goes through the commands in reading order, whichever of two faces is shown.
    QWidget *ordre[] = {m_play, m_taGueule, picture6, image3, m_timbres, m_volume, m_picture3, cacheTemp};
    for (std::size_t i = 1; i < std::size(ordre); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);
    QWidget *precedent = cacheTemp;
    for (QRadioButton *option : m_sensibilite) {
        setTabOrder(precedent, option);
        precedent = option;
    }
    QWidget *suite[] = {precedent, m_spectreCache, effacer, cacheSpectre, m_spectre, m_afficheFreq, label6, m_musical, label11};
    for (std::size_t i = 1; i < std::size(suite); ++i)
        setTabOrder(suite[i - 1], suite[i]);
    // The window opens with the first command of the strip in focus.
    m_play->setFocus(Qt::OtherFocusReason);

    auto *aide = new QAction(this);
    aide->setShortcut(QKeySequence(Qt::Key_F1));
    aide->setShortcutContext(Qt::WindowShortcut);
    addAction(aide);
    connect(aide, &QAction::triggered, this, &Synthetiseur::Image3_Click);
    // The letter rows play the keys, exactly as a click on the keyboard window's key would.
    TouchesPiano::Relie(this, [this](int note) {
        if (m_clavier)
            m_clavier->note_MouseDown(note);
        else
            m_edition->ChoisitNote(note);
    });
}

bool Synthetiseur::eventFilter(QObject *objet, QEvent *event)
{
    // The nine time bases are one stop of the Tab round, on the one chosen; arrows move inside.
    if (event->type() == QEvent::FocusIn) {
        const auto raison = static_cast<QFocusEvent *>(event)->reason();
        auto *option = qobject_cast<QRadioButton *>(objet);
        if (option && !option->isChecked() && (raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason)) {
            for (QRadioButton *o : m_sensibilite)
                if (o->isChecked())
                    o->setFocus(raison);
        }
    }
    return QWidget::eventFilter(objet, event);
}

void Synthetiseur::Charge(const Timbre *depart)
{
    QPalette p = m_afficheFreq->palette();
    p.setColor(QPalette::WindowText, Magenta);
    m_afficheFreq->setPalette(p);
    m_musical->setChecked(m_edition->musical());
    Temporel::QuadrilleTemporel(*m_grapheTemp);
    m_edition->Demarre(depart);
}

// What follows an edit is the session's to decide; the window only draws what it is told.
void Synthetiseur::relieEdition()
{
    connect(m_edition, &Edition::spectreChange, this, &Synthetiseur::RedessineSpectre);
    connect(m_edition, &Edition::apercuRetire, this, &Synthetiseur::RedessineSpectre);
    connect(m_edition, &Edition::apercuChange, this, [this](float X, float Y) {
        m_vueSpectre->fixeSon(m_edition->son());
        m_vueSpectre->fixeApercu(QPointF(X, Y));
        m_vueSpectre->dessine();
    });
    connect(m_edition, &Edition::tempsChange, this, &Synthetiseur::TraceTemporel);
    connect(m_edition, &Edition::fondamentalPlace, this, &Synthetiseur::PlaceFondamental);
    connect(m_edition, &Edition::survolChange, m_spectre,
            [this](bool dedans) { m_spectre->setCursor(dedans ? Qt::CrossCursor : Qt::ForbiddenCursor); });
    // The check box shows the session's option; it keeps no state of its own.
    connect(m_edition, &Edition::musicalChange, m_musical, &QCheckBox::setChecked);
    connect(m_edition, &Edition::sonChange, this, &Synthetiseur::montreSon);
    connect(m_edition, &Edition::sortieChange, this, &Synthetiseur::montreSon);
    montreSon();
}

// The sound command shows "Silence !" only while sound can be heard. With no output, the wish to
// listen is kept (the player keeps looking) and the notice says the sound starts once an output
// is found; the notice goes when one is.
void Synthetiseur::montreSon()
{
    const bool sortie = m_edition->sortieDisponible();
    const bool actif = m_edition->son().SonActif && sortie;
    QWidget *montre = actif ? m_taGueule : m_play;
    QWidget *cache = actif ? m_play : m_taGueule;
    const bool avaitFocus = cache->hasFocus();
    montre->show();
    cache->hide();
    // The switch keeps the keyboard focus from one face to the other.
    if (avaitFocus)
        montre->setFocus(Qt::OtherFocusReason);

    const QString avis = m_edition->son().SonActif
                             ? tr("Aucune sortie son : le son partira dès qu'une sortie sera disponible")
                             : tr("Aucune sortie son");
    if (m_avisSon->text() != avis) {
        m_avisSon->setText(avis);
        m_avisSon->setAccessibleName(avis);
        if (m_avisSon->isVisible()) {
            QAccessibleEvent nom(m_avisSon, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&nom);
        }
    }
    if (m_avisSon->isHidden() == sortie)
        return;
    m_avisSon->setVisible(!sortie);
    if (!sortie) {
        // Screen readers announce it as an alert, not only as one more caption.
        QAccessibleEvent alerte(m_avisSon, QAccessible::Alert);
        QAccessible::updateAccessibility(&alerte);
    }
}

void Synthetiseur::TraceTemporel(int Qualite)
{
    m_vueTemps->fixeSon(m_edition->son());
    m_vueTemps->fixeQualite(Qualite);
    m_vueTemps->dessine();
}

void Synthetiseur::RedessineSpectre()
{
    m_vueSpectre->fixeSon(m_edition->son());
    m_vueSpectre->fixeAfficheFreq(afficheFreq());
    m_vueSpectre->fixeApercu(std::nullopt);
    m_vueSpectre->dessine();
}

void Synthetiseur::PlaceFondamental(double hertz)
{
    const Repere &r = RepereSpectre;
    // Left edge at the frequency, top on the top grid line, 10 units high, 44 twips wide; every
    // edge scaled by the zoom before it is rounded.
    const double z = Zoom(this);
    const double gaucheTwips = (hertz - r.x0) * r.twipsX;
    const double hautTwips = (0.0 - r.y0) * r.twipsY;
    m_fondamental->setGeometry(RectangleTwips(gaucheTwips * z, hautTwips * z, 44 * z, 10 * r.twipsY * z));
}

double Synthetiseur::PositionFondamental() const
{
    return m_edition->fondamental();
}

bool Synthetiseur::musical() const
{
    return m_edition->musical();
}

bool Synthetiseur::afficheFreq() const
{
    return m_afficheFreq->isChecked();
}

// The handlers below forward the user's intent to the editing session.

void Synthetiseur::Efface()
{
    m_edition->Efface();
}

void Synthetiseur::Spectre_MouseMove(int Button, int /*Shift*/, float X, float Y)
{
    // The pointer's shape follows the session's survolChange.
    m_edition->Survole(X, Y, Button == 1);
}

void Synthetiseur::Spectre_MouseUp(int Button, int /*Shift*/, float X, float Y)
{
    if (Button == 1)
        m_edition->Ajoute(X, Y);
    else if (Button == 2)
        m_edition->RetireDerniere();
}

void Synthetiseur::Spectre_DragOver(float X, float /*Y*/, int /*State*/)
{
    // The marker is not hidden during the step: hiding the widget that holds the pointer would
    // end the drag. Nothing is painted before the step returns, so nothing flickers either.
    m_edition->GlisseFondamental(X);
    m_fondamental->show();
    m_fondamental->raise();
}

void Synthetiseur::Fondamental_DragDrop()
{
    m_fondamental->show();
    m_edition->LacheFondamental();
}

void Synthetiseur::Play_Click()
{
    m_edition->Ecoute();
}

void Synthetiseur::TaGueule_Click()
{
    m_edition->Coupe();
}

void Synthetiseur::AfficheFreq_Click()
{
    RedessineSpectre();
}

void Synthetiseur::Label6_Click()
{
    // The box's toggled redraws.
    m_afficheFreq->setChecked(!m_afficheFreq->isChecked());
}

void Synthetiseur::Label11_Click()
{
    m_edition->fixeMusical(!m_edition->musical());
}

void Synthetiseur::SensibiliteTemp_Click(int Index)
{
    if (m_edition->ChoisitSensibilite(Index)) {
        m_sensibilite[Index]->setChecked(true);
        return;
    }
    // Refused: the option of the time base in force stays (or becomes again) the checked one.
    for (int i = 0; i < int(std::size(m_sensibilite)); ++i)
        if (Temporel::Sensibilites[i] == m_edition->son().Sensibilite)
            m_sensibilite[i]->setChecked(true);
}

void Synthetiseur::CacheSpectre_Click()
{
    Bascule(m_tourSpectre, m_effacer, m_spectreCache, false);
}

void Synthetiseur::SpectreCache_Click()
{
    Bascule(m_tourSpectre, m_effacer, m_spectreCache, true);
}

void Synthetiseur::CacheTemp_Click()
{
    Bascule(m_tourGrapheTemp, m_cacheTemp, m_picture3, false);
}

void Synthetiseur::Picture3_Click()
{
    Bascule(m_tourGrapheTemp, m_cacheTemp, m_picture3, true);
}

void Synthetiseur::Picture6_Click()
{
    if (!m_clavier) {
        m_clavier = new Clavier(m_edition);
        connect(m_clavier, &Clavier::aideDemandee, this, &Synthetiseur::Image3_Click);
        m_loupe->suit(m_clavier);
    }
    m_clavier->show();
    m_clavier->raise();
    m_clavier->activateWindow();
}

void Synthetiseur::Image3_Click()
{
    if (!m_aide) {
        m_aide = new Aide();
        m_loupe->suit(m_aide);
    }
    m_aide->show();
    m_aide->raise();
    m_aide->activateWindow();
}

// The menu's commands are also the window's shortcuts, whether the menu is open or not.
void Synthetiseur::construitMenuTimbres()
{
    m_menuTimbres = new QMenu(this);
    m_menuTimbres->setObjectName(QStringLiteral("MenuTimbres"));
    auto commande = [this](const QString &texte, QList<QKeySequence> touches, auto &&quoi) {
        auto *a = m_menuTimbres->addAction(texte);
        a->setShortcuts(touches);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, quoi);
        return a;
    };
    commande(tr("Ouvrir…"), {QKeySequence(Qt::CTRL | Qt::Key_O)}, [this] { Ouvrir(); });
    commande(tr("Enregistrer sous…"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { EnregistrerSous(); });
    commande(tr("Exporter le son…"), {QKeySequence(Qt::CTRL | Qt::Key_E)}, [this] { ExporterSon(); });
    QMenu *types = m_menuTimbres->addMenu(tr("Timbres types"));
    for (Timbres::Type type : Timbres::Types)
        connect(types->addAction(TimbreFichier::Nom(type)), &QAction::triggered, this,
                [this, type] { m_edition->ChoisitTimbreType(type); });
    m_menuTimbres->addSeparator();
    QAction *annuler = commande(tr("Annuler"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { m_edition->Annule(); });
    QAction *retablir = commande(tr("Rétablir"),
                                 {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
                                 [this] { m_edition->Retablit(); });
    annuler->setEnabled(false);
    retablir->setEnabled(false);
    connect(&m_edition->historique(), &QUndoStack::canUndoChanged, annuler, &QAction::setEnabled);
    connect(&m_edition->historique(), &QUndoStack::canRedoChanged, retablir, &QAction::setEnabled);
}

void Synthetiseur::Timbres_Click()
{
    m_menuTimbres->popup(m_timbres->mapToGlobal(QPoint(0, m_timbres->height())));
}

void Synthetiseur::Ouvrir()
{
    const QString chemin =
        QFileDialog::getOpenFileName(this, tr("Ouvrir un timbre"), QString(), tr("Timbres (*.timbre)"));
    if (!chemin.isEmpty())
        OuvreFichier(chemin);
}

bool Synthetiseur::OuvreFichier(const QString &chemin)
{
    QString pourquoi;
    const std::optional<Timbre> t = TimbreFichier::Charge(chemin, &pourquoi);
    if (!t) {
        QMessageBox::warning(this, tr("Timbre refusé"), pourquoi);
        return false;
    }
    m_edition->ChargeTimbre(*t);
    return true;
}

void Synthetiseur::EnregistrerSous()
{
    QString chemin =
        QFileDialog::getSaveFileName(this, tr("Enregistrer le timbre"), QString(), tr("Timbres (*.timbre)"));
    if (chemin.isEmpty())
        return;
    if (!chemin.endsWith(QLatin1String(".timbre"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".timbre");
    QString pourquoi;
    if (!TimbreFichier::Enregistre(chemin, m_edition->TimbreCourant(), &pourquoi))
        QMessageBox::warning(this, tr("Enregistrement impossible"), pourquoi);
}

void Synthetiseur::ExporterSon()
{
    bool ok = false;
    const double secondes = QInputDialog::getDouble(this, tr("Exporter le son"), tr("Durée (secondes) :"), 3.0, 0.1,
                                                    Export::DureeMaximale, 1, &ok);
    if (!ok)
        return;
    QString chemin = QFileDialog::getSaveFileName(this, tr("Exporter le son"), QString(), tr("Sons WAV (*.wav)"));
    if (chemin.isEmpty())
        return;
    if (!chemin.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".wav");
    QString pourquoi;
    if (!Export::Ecrit(m_edition->son(), secondes, chemin, &pourquoi))
        QMessageBox::warning(this, tr("Export impossible"), pourquoi);
}

namespace {

// The first local .timbre file a drag carries, or nothing.
QString TimbreDepose(const QMimeData *donnees)
{
    if (!donnees || !donnees->hasUrls())
        return {};
    for (const QUrl &url : donnees->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".timbre"), Qt::CaseInsensitive))
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
    OuvreFichier(chemin);
}

void Synthetiseur::closeEvent(QCloseEvent *event)
{
    m_edition->Ferme();
    event->accept();
}
