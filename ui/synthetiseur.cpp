#include "ui/synthetiseur.h"

#include "model/composantes.h"
#include "plot/repere.h"
#include "plot/frequences.h"
#include "plot/surface.h"
#include "plot/temporel.h"
#include "ui/aide.h"
#include "ui/clavier.h"
#include "ui/edition.h"
#include "ui/elements.h"
#include "ui/ressources.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>

#include <cmath>

using namespace Elements;

namespace {

const QColor BleuNuit(0, 0, 64);
const QColor GrisFenetre(224, 224, 224);
const QColor GrisCache(192, 192, 192);
const QColor GrisTexte(128, 128, 128);
const QColor Blanc(255, 255, 255);

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
        p.setPen(QPen(GrisTexte, 1));
        p.setBrush(QColor(192, 192, 255));
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

QCheckBox *Case(QWidget *parent, const char *nom, double l, double t, double w, double h)
{
    auto *c = new QCheckBox(parent);
    c->setObjectName(QString::fromUtf8(nom));
    Fond(c, GrisFenetre);
    c->setCursor(Ressources::PointeurMain());
    Place(c, l, t, w, h);
    return c;
}

} // namespace

Synthetiseur::Synthetiseur(Contexte contexte, QWidget *parent)
    : QWidget(parent), m_ctx(contexte), m_edition(new Edition(contexte, this))
{
    construit();
    relieEdition();
    Charge();
}

Synthetiseur::~Synthetiseur()
{
    // Closed in the middle of a drag: give the pointer back.
    if (m_glisse)
        QGuiApplication::restoreOverrideCursor();
}

void Synthetiseur::construit()
{
    setObjectName(QStringLiteral("Synthétiseur"));
    setWindowTitle(QStringLiteral("Sonavirelle 2010"));
    setWindowIcon(QIcon(QStringLiteral(":/images/icone.svg")));
    Fond(this, GrisFenetre);
    // Resizable, but the contents keep their places.
    resize(1024, 624);
    if (QScreen *ecran = QGuiApplication::primaryScreen())
        move(ecran->availableGeometry().center() - QPoint(512, 312));

    const QFont calibri12 = Police("Calibri", 12);
    const QFont calibri10 = Police("Calibri", 10.2);
    const QFont calibri13 = Police("Calibri", 13.8);
    const QFont calibri16 = Police("Calibri", 16.2);
    const QCursor main = Ressources::PointeurMain();

    // Created from the bottom of the stack up: later siblings lie above earlier ones.
    auto *image3 = Image(this, "Image3", {8520, 120, 612, 612}, QStringLiteral(":/images/aide.svg"));
    image3->setToolTip(QStringLiteral("Aide"));
    image3->setCursor(main);
    image3->setAccessibleName(QStringLiteral("Aide"));
    relie(image3, &Synthetiseur::Image3_Click);

    // Placeholders under the two plot panels.
    auto *spectreCache = Panneau(this, "SpectreCache", 120, 5160, 15132, 4092, GrisCache, true);
    spectreCache->setCursor(main);
    spectreCache->setAccessibleName(QStringLiteral("Afficher le spectre"));
    Rectangle(spectreCache, "Shape3", 3120, 1680, 9012, 1092);
    auto *label7 = Etiquette(spectreCache, "Label7", {720, 2040, 13572, 612},
                             QStringLiteral("Cliquer ici pour voir le spectre de fréquence du son produit"), GrisTexte,
                             calibri16);
    label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    relie(spectreCache, &Synthetiseur::SpectreCache_Click);
    relie(label7, &Synthetiseur::SpectreCache_Click);

    auto *picture3 = Panneau(this, "Picture3", 120, 840, 15132, 4092, GrisCache, true);
    picture3->setCursor(main);
    picture3->setAccessibleName(QStringLiteral("Afficher l'évolution temporelle"));
    Rectangle(picture3, "Shape2", 3120, 1560, 9012, 972);
    auto *label8 = Etiquette(picture3, "Label8", {3960, 1800, 7692, 492},
                             QStringLiteral("Cliquer ici pour voir l'évolution temporelle du signal sonore"), GrisTexte,
                             calibri16);
    label8->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    relie(picture3, &Synthetiseur::Picture3_Click);
    relie(label8, &Synthetiseur::Picture3_Click);

    // The spectrum panel.
    m_tourSpectre = Panneau(this, "TourSpectre", 120, 5160, 15132, 4092, BleuNuit, false);
    auto *cacheSpectre = Image(m_tourSpectre, "CacheSpectre", {14760, 48, 288, 288}, QStringLiteral(":/images/croix.svg"));
    cacheSpectre->setToolTip(QStringLiteral("Masquer cette fenêtre"));
    cacheSpectre->setCursor(main);
    cacheSpectre->setAccessibleName(QStringLiteral("Masquer le spectre"));
    relie(cacheSpectre, &Synthetiseur::CacheSpectre_Click);
    auto *effacer = Image(m_tourSpectre, "Effacer", {14280, 48, 384, 384}, QStringLiteral(":/images/page.svg"));
    effacer->setToolTip(QStringLiteral("Effacer toutes les composantes"));
    effacer->setCursor(main);
    effacer->setAccessibleName(QStringLiteral("Effacer toutes les composantes"));
    relie(effacer, &Synthetiseur::Efface);
    Fond(Etiquette(m_tourSpectre, "Label4", {48, 48, 2532, 372}, QStringLiteral("Spectre de fréquence"), Blanc,
                   calibri13),
         BleuNuit);

    m_spectre = new Surface(RepereSpectre, RectangleTwips(48, 408, 13092, 3624).size(), m_tourSpectre);
    m_spectre->setObjectName(QStringLiteral("Spectre"));
    Place(m_spectre, 48, 408, 13092, 3624);
    m_spectre->setFont(Police("Calibri", 9));
    m_spectre->setCursor(Qt::CrossCursor);
    m_spectre->setAccessibleName(QStringLiteral("Spectre de fréquence"));
    connect(m_spectre, &Surface::sourisBouge, this, [this](int boutons, QPointF p) {
        // The marker holds the pointer for the whole drag; a move reaching the spectrum with no
        // button held means the window system ended the drag without telling the marker.
        if (m_glisse && boutons == 0) {
            m_glisse = false;
            QGuiApplication::restoreOverrideCursor();
        }
        if (!m_glisse)
            Spectre_MouseMove(boutons, 0, float(p.x()), float(p.y()));
    });
    connect(m_spectre, &Surface::sourisRelachee, this, [this](int bouton, QPointF p) {
        if (!m_glisse)
            Spectre_MouseUp(bouton, 0, float(p.x()), float(p.y()));
    });

    m_fondamental = new QFrame(m_spectre);
    m_fondamental->setObjectName(QStringLiteral("Fondamental"));
    m_fondamental->setAccessibleName(QStringLiteral("Fréquence fondamentale"));
    Fond(m_fondamental, Spectre::CouleurFondamental);
    m_fondamental->setCursor(Ressources::PointeurSaisie());
    m_fondamental->installEventFilter(this);
    PlaceFondamental(m_edition->fondamental());

    auto *picture4 = Panneau(m_tourSpectre, "Picture4", 13200, 408, 1884, 1212, GrisFenetre, false);
    Etiquette(picture4, "Label9", {120, 120, 1932, 612}, QStringLiteral("Sensibilité horizontale : "), Qt::black,
              calibri12);
    auto *label10 = Etiquette(picture4, "Label10", {120, 840, 1932, 252}, QStringLiteral("500 Hz/div"), GrisTexte,
                              calibri10);
    relie(label10, &Synthetiseur::Label10_Click);

    auto *picture5 = Panneau(m_tourSpectre, "Picture5", 13200, 1680, 1884, 2352, GrisFenetre, false);
    relie(picture5, &Synthetiseur::Picture5_Click);
    Etiquette(picture5, "Label12", {120, 120, 1932, 612}, QStringLiteral("Propriétés du spectre"), Qt::black, calibri12);
    auto *label6 = Etiquette(picture5, "Label6", {360, 720, 1572, 732}, QStringLiteral("Afficher les fréquences"),
                             GrisTexte, calibri10);
    label6->setCursor(main);
    label6->setAccessibleName(QStringLiteral("Afficher les fréquences"));
    relie(label6, &Synthetiseur::Label6_Click);
    auto *label11 = Etiquette(picture5, "Label11", {360, 1320, 1452, 972},
                              QStringLiteral("N'autoriser que les multiples de la fréquence fondamentale"), GrisTexte,
                              calibri10);
    label11->setCursor(main);
    label11->setAccessibleName(QStringLiteral("N'autoriser que les multiples de la fréquence fondamentale"));
    relie(label11, &Synthetiseur::Label11_Click);
    m_afficheFreq = Case(picture5, "AfficheFreq", 120, 720, 252, 255);
    m_afficheFreq->setAccessibleName(QStringLiteral("Afficher les fréquences"));
    connect(m_afficheFreq, &QCheckBox::clicked, this, &Synthetiseur::AfficheFreq_Click);
    m_musical = Case(picture5, "Musical", 120, 1320, 255, 255);
    m_musical->setAccessibleName(QStringLiteral("N'autoriser que les multiples de la fréquence fondamentale"));
    connect(m_musical, &QCheckBox::toggled, m_edition, &Edition::fixeMusical);

    // The time-plot panel.
    m_tourGrapheTemp = Panneau(this, "TourGrapheTemp", 120, 840, 15132, 4092, BleuNuit, true);
    auto *cacheTemp = Image(m_tourGrapheTemp, "CacheTemp", {14760, 48, 288, 288}, QStringLiteral(":/images/croix.svg"));
    cacheTemp->setCursor(main);
    cacheTemp->setAccessibleName(QStringLiteral("Masquer l'évolution temporelle"));
    relie(cacheTemp, &Synthetiseur::CacheTemp_Click);
    Fond(Etiquette(m_tourGrapheTemp, "Label1", {48, 48, 2532, 372}, QStringLiteral("Evolution temporelle"), Blanc,
                   calibri13),
         BleuNuit);
    m_grapheTemp = new Surface(RepereTemporel, RectangleTwips(48, 408, 13092, 3624).size(), m_tourGrapheTemp);
    m_grapheTemp->setObjectName(QStringLiteral("GrapheTemp"));
    Place(m_grapheTemp, 48, 408, 13092, 3624);
    m_grapheTemp->setFont(Police("MS Sans Serif", 7.8));
    m_grapheTemp->setAccessibleName(QStringLiteral("Evolution temporelle"));

    auto *picture2 = Panneau(m_tourGrapheTemp, "Picture2", 13188, 408, 1884, 3624, GrisFenetre, false);
    Etiquette(picture2, "Label2", {120, 120, 1932, 612}, QStringLiteral("Sensibilité horizontale : "), Qt::black,
              calibri12);
    static const char *const legendes[9] = {"0,1 ms/div", "0,2 ms/div", "0,5 ms/div", "1    ms/div", "2    ms/div",
                                            "5    ms/div", "10  ms/div", "20  ms/div", "50  ms/div"};
    for (int i = 0; i < 9; ++i) {
        auto *option = new QRadioButton(QString::fromLatin1(legendes[i]), picture2);
        option->setObjectName(QStringLiteral("SensibiliteTemp(%1)").arg(i));
        option->setFont(calibri10);
        Fond(option, GrisFenetre);
        QPalette p = option->palette();
        p.setColor(QPalette::WindowText, GrisTexte);
        p.setColor(QPalette::ButtonText, GrisTexte);
        option->setPalette(p);
        option->setAccessibleName(QString::fromLatin1(legendes[i]).simplified());
        Place(option, 120, 840 + 240 * i, 1572, 252);
        connect(option, &QRadioButton::clicked, this, [this, i] { SensibiliteTemp_Click(i); });
        m_sensibilite[i] = option;
    }
    m_sensibilite[3]->setChecked(true);

    // The strip of button panels: sound on, sound off (above it), keyboard opener.
    auto boutonPanneau = [&](const char *nom, double gauche, double largeur) {
        auto *p = Panneau(this, nom, gauche, 120, largeur, 492, BleuNuit, true);
        p->setCursor(main);
        return p;
    };
    const QFont blanc12 = calibri12;
    m_play = boutonPanneau("Play", 120, 3372);
    m_play->setAccessibleName(QStringLiteral("Ecouter le son produit"));
    relie(m_play, &Synthetiseur::Play_Click);
    auto *image1 = Image(m_play, "Image1", {120, 0, 444, 444}, QStringLiteral(":/images/hautparleur.svg"));
    image1->setAccessibleName(QStringLiteral("Ecouter le son produit"));
    relie(image1, &Synthetiseur::Play_Click);
    relie(Etiquette(m_play, "Label3", {720, 120, 2532, 372}, QStringLiteral("Ecouter le son produit"), Blanc, blanc12),
          &Synthetiseur::Play_Click);

    m_taGueule = boutonPanneau("TaGueule", 120, 3372);
    m_taGueule->setAccessibleName(QStringLiteral("Silence !"));
    relie(m_taGueule, &Synthetiseur::TaGueule_Click);
    auto *image4 = Image(m_taGueule, "Image4", {120, 0, 444, 444}, QStringLiteral(":/images/hautparleur-muet.svg"));
    image4->setAccessibleName(QStringLiteral("Silence !"));
    relie(image4, &Synthetiseur::TaGueule_Click);
    relie(Etiquette(m_taGueule, "Label13", {720, 96, 2532, 372}, QStringLiteral("Silence !"), Blanc, blanc12),
          &Synthetiseur::TaGueule_Click);
    m_taGueule->hide();

    auto *picture6 = boutonPanneau("Picture6", 3720, 3972);
    picture6->setAccessibleName(QStringLiteral("Afficher le clavier"));
    relie(picture6, &Synthetiseur::Picture6_Click);
    auto *image6 = Image(picture6, "Image6", {2160, 0, 1848, 480}, QStringLiteral(":/images/clavier.svg"));
    image6->setAccessibleName(QStringLiteral("Afficher le clavier"));
    relie(image6, &Synthetiseur::Picture6_Click);
    relie(Etiquette(picture6, "Label14", {120, 96, 2532, 372}, QStringLiteral("Afficher le clavier"), Blanc, blanc12),
          &Synthetiseur::Picture6_Click);
}

void Synthetiseur::relie(QWidget *element, void (Synthetiseur::*handler)())
{
    m_clics.insert(element, handler);
    element->installEventFilter(this);
}

bool Synthetiseur::eventFilter(QObject *objet, QEvent *event)
{
    if (objet == m_fondamental) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            // Only the left button starts a drag; the press itself changes nothing.
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && !m_glisse) {
                m_glisse = true;
                m_dansSpectre = true;
                // The press grabs the pointer implicitly; the gripping hand shows until the release.
                QGuiApplication::setOverrideCursor(Ressources::PointeurSaisie());
            }
            return true;
        case QEvent::MouseMove:
            if (m_glisse)
                glisse(static_cast<QMouseEvent *>(event)->globalPosition());
            return true;
        case QEvent::MouseButtonRelease: {
            auto *souris = static_cast<QMouseEvent *>(event);
            if (m_glisse && souris->button() == Qt::LeftButton) {
                m_glisse = false;
                QGuiApplication::restoreOverrideCursor();
                lache(souris->globalPosition());
            }
            return true;
        }
        default:
            return QWidget::eventFilter(objet, event);
        }
    }

    const auto clic = m_clics.constFind(objet);
    if (clic != m_clics.constEnd()) {
        auto *w = static_cast<QWidget *>(objet);
        if (event->type() == QEvent::MouseButtonPress) {
            auto *souris = static_cast<QMouseEvent *>(event);
            if (souris->button() == Qt::LeftButton)
                m_appui = w;
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *souris = static_cast<QMouseEvent *>(event);
            const bool valide = souris->button() == Qt::LeftButton && m_appui == w
                                && w->rect().contains(souris->position().toPoint());
            m_appui = nullptr;
            if (valide)
                (this->*clic.value())();
            return true;
        }
    }
    return QWidget::eventFilter(objet, event);
}

// The drag of the marker. Notifications go to the element under the pointer: over the marker
// itself nothing moves; over the spectrum every move is a drag step; leaving the spectrum sends
// one last step with the position where the pointer left.
void Synthetiseur::glisse(QPointF positionGlobale)
{
    const QPointF surMarqueur = m_fondamental->mapFromGlobal(positionGlobale);
    if (m_fondamental->isVisible() && m_fondamental->rect().contains(surMarqueur.toPoint()))
        return;
    const QPointF local = m_spectre->mapFromGlobal(positionGlobale);
    const QPointF p = m_spectre->versUtilisateur(local);
    const bool dedans = m_spectre->rect().contains(local.toPoint()) && m_tourSpectre->isVisible();
    if (dedans) {
        m_dansSpectre = true;
        Spectre_DragOver(float(p.x()), float(p.y()), 2);
    } else if (m_dansSpectre) {
        m_dansSpectre = false;
        Spectre_DragOver(float(p.x()), float(p.y()), 1);
    }
}

void Synthetiseur::lache(QPointF positionGlobale)
{
    const QPointF surMarqueur = m_fondamental->mapFromGlobal(positionGlobale);
    if (m_fondamental->rect().contains(surMarqueur.toPoint()))
        Fondamental_DragDrop();
}

void Synthetiseur::Charge()
{
    QPalette p = m_afficheFreq->palette();
    p.setColor(QPalette::WindowText, QColor(255, 0, 255));
    m_afficheFreq->setPalette(p);
    m_musical->setChecked(true);
    Temporel::QuadrilleTemporel(*m_grapheTemp);
    m_edition->Demarre();
}

// What follows an edit is the session's to decide; the window only draws what it is told.
void Synthetiseur::relieEdition()
{
    connect(m_edition, &Edition::spectreChange, this, &Synthetiseur::RedessineSpectre);
    connect(m_edition, &Edition::apercuChange, this, [this](float X, float Y) {
        m_spectre->Efface();
        QuadrilleSpectre();
        m_spectre->Ligne(X, Y, X, 10, Spectre::CouleurApercu);
        TraceSpectre();
    });
    connect(m_edition, &Edition::tempsChange, this, &Synthetiseur::TraceTemporel);
    connect(m_edition, &Edition::fondamentalPlace, this, &Synthetiseur::PlaceFondamental);
    connect(m_edition, &Edition::sonChange, this, [this](bool actif) {
        QWidget *montre = actif ? m_taGueule : m_play;
        QWidget *cache = actif ? m_play : m_taGueule;
        const bool avaitFocus = cache->hasFocus();
        montre->show();
        cache->hide();
        // The switch keeps the keyboard focus from one face to the other.
        if (avaitFocus)
            montre->setFocus(Qt::OtherFocusReason);
    });
}

void Synthetiseur::QuadrilleSpectre()
{
    Spectre::QuadrilleSpectre(*m_spectre);
}

void Synthetiseur::TraceSpectre()
{
    Spectre::TraceSpectre(*m_spectre, m_ctx.table, afficheFreq());
}

void Synthetiseur::TraceTemporel(int Qualite)
{
    Temporel::TraceTemporel(*m_grapheTemp, m_ctx.table, Qualite);
}

void Synthetiseur::RedessineSpectre()
{
    m_spectre->Efface();
    QuadrilleSpectre();
    TraceSpectre();
}

void Synthetiseur::PlaceFondamental(double hertz)
{
    const Repere &r = RepereSpectre;
    // Left edge at the frequency, top on the top grid line, 10 units high, 44 twips wide.
    const double gaucheTwips = (hertz - r.x0) * r.twipsX;
    const double hautTwips = (0.0 - r.y0) * r.twipsY;
    m_fondamental->setGeometry(RectangleTwips(gaucheTwips, hautTwips, 44, 10 * r.twipsY));
}

double Synthetiseur::PositionFondamental() const
{
    return m_edition->fondamental();
}

bool Synthetiseur::musical() const
{
    return m_musical->isChecked();
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
    const bool dedans = m_edition->Survole(X, Y, Button == 1);
    m_spectre->setCursor(dedans ? Qt::CrossCursor : Qt::ForbiddenCursor);
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
    m_afficheFreq->setChecked(!m_afficheFreq->isChecked());
    AfficheFreq_Click();
}

void Synthetiseur::Label11_Click()
{
    m_musical->setChecked(!m_musical->isChecked());
}

void Synthetiseur::SensibiliteTemp_Click(int Index)
{
    if (m_edition->ChoisitSensibilite(Index))
        m_sensibilite[Index]->setChecked(true);
}

void Synthetiseur::CacheSpectre_Click()
{
    m_tourSpectre->hide();
}

void Synthetiseur::SpectreCache_Click()
{
    m_tourSpectre->show();
}

void Synthetiseur::CacheTemp_Click()
{
    m_tourGrapheTemp->hide();
}

void Synthetiseur::Picture3_Click()
{
    m_tourGrapheTemp->show();
}

void Synthetiseur::Picture6_Click()
{
    if (!m_clavier)
        m_clavier = new Clavier(m_edition);
    m_clavier->show();
    m_clavier->raise();
    m_clavier->activateWindow();
}

void Synthetiseur::Image3_Click()
{
    if (!m_aide)
        m_aide = new Aide();
    m_aide->show();
    m_aide->raise();
    m_aide->activateWindow();
}

// The caption "500 Hz/div" and the properties panel have nothing to show: a click does nothing.
void Synthetiseur::Label10_Click() {}
void Synthetiseur::Picture5_Click() {}

void Synthetiseur::closeEvent(QCloseEvent *event)
{
    m_edition->Ferme();
    event->accept();
}
