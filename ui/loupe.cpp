#include "ui/loupe.h"

#include "plot/repere.h"
#include "plot/surface.h"
#include "synth/reglages.h"
#include "ui/elements.h"
#include "ui/libelle.h"
#include "ui/ressources.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProxyStyle>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// The style's own check boxes and option buttons, drawn at the zoom of their window.
class StyleAgrandi : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metrique, const QStyleOption *option, const QWidget *widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metrique, option, widget);
        switch (metrique) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            return widget ? int(std::lround(base * Elements::Zoom(widget))) : base;
        default:
            return base;
        }
    }
};

QStyle *Agrandi()
{
    static QStyle *style = [] {
        auto *s = new StyleAgrandi(QStyleFactory::create(QApplication::style()->name()));
        s->setParent(qApp);
        return s;
    }();
    return style;
}

int Arrondi(double x)
{
    return int(std::lround(x));
}

// The window's size at `zoom` from its size in twips, frame included.
QSize TailleFenetre(const QWidget *fenetre, double zoom)
{
    const QSizeF twips = fenetre->property("twipsTaille").toSizeF();
    QSize taille = RectangleTwips(0, 0, twips.width() * zoom, twips.height() * zoom).size();
    if (auto *cadre = qobject_cast<const QFrame *>(fenetre))
        taille += QSize(2 * cadre->frameWidth(), 2 * cadre->frameWidth());
    return taille;
}

// The window stays entirely on its screen's available area.
void GardeSurEcran(QWidget *fenetre)
{
    if (fenetre->isFullScreen())
        return;
    const QScreen *ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    if (!fenetre->isVisible() || !ecran->availableGeometry().contains(fenetre->frameGeometry()))
        Elements::Centre(fenetre);
}

void Agrandit(QWidget *w, double z)
{
    // Fonts: those set on an element, and every window's own (windows inherit none). A plot and
    // a caption keep their fonts: their whole drawing is scaled, text included.
    const bool dessinAgrandi = qobject_cast<Surface *>(w) || dynamic_cast<Libelle *>(w);
    if (!dessinAgrandi && (w->isWindow() || w->testAttribute(Qt::WA_SetFont))) {
        if (!w->property("policeBase").isValid())
            w->setProperty("policeBase", QVariant::fromValue(w->font()));
        QFont f = w->property("policeBase").value<QFont>();
        if (f.pointSizeF() > 0)
            f.setPointSizeF(f.pointSizeF() * z);
        else if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, Arrondi(f.pixelSize() * z)));
        w->setFont(f);
    }
    if (auto *cadre = qobject_cast<QFrame *>(w); cadre && cadre->frameShape() != QFrame::NoFrame) {
        if (!w->property("traitBase").isValid())
            w->setProperty("traitBase", cadre->lineWidth());
        cadre->setLineWidth(std::max(1, Arrondi(w->property("traitBase").toInt() * z)));
    }
    if (!w->styleSheet().isEmpty() || w->property("styleBase").isValid()) {
        if (!w->property("styleBase").isValid())
            w->setProperty("styleBase", w->styleSheet());
        // Lengths in pixels scale; a line stays at least one pixel thick.
        static const QRegularExpression longueur(QStringLiteral("(\\d+)px"));
        QString feuille = w->property("styleBase").toString();
        QString resultat;
        qsizetype fin = 0;
        for (auto it = longueur.globalMatch(feuille); it.hasNext();) {
            const auto m = it.next();
            const int n = m.captured(1).toInt();
            resultat += feuille.mid(fin, m.capturedStart() - fin);
            resultat += QStringLiteral("%1px").arg(n > 0 ? std::max(1, Arrondi(n * z)) : 0);
            fin = m.capturedEnd();
        }
        resultat += feuille.mid(fin);
        w->setStyleSheet(resultat);
    }
    if (qobject_cast<QCheckBox *>(w) || qobject_cast<QRadioButton *>(w))
        w->setStyle(z == 1.0 ? nullptr : Agrandi());

    if (w->property("remplitParent").toBool() && w->parentWidget())
        w->setGeometry(w->parentWidget()->rect());
    else
        Elements::Replace(w);

    if (auto *image = qobject_cast<QLabel *>(w); image && w->property("image").isValid()) {
        const QWidget *parent = w->parentWidget() ? w->parentWidget() : w;
        image->setPixmap(Ressources::Image(w->property("image").toString(), w->size(), parent->devicePixelRatioF()));
    }
    if (w->testAttribute(Qt::WA_SetCursor)) {
        if (!w->property("pointeurBase").isValid())
            w->setProperty("pointeurBase", QVariant::fromValue(w->cursor()));
        const QCursor base = w->property("pointeurBase").value<QCursor>();
        if (base.shape() == Qt::BitmapCursor)
            w->setCursor(Ressources::PointeurAgrandi(base, z));
    }
    if (auto *surface = qobject_cast<Surface *>(w))
        surface->FixeZoom(z);
}

} // namespace

Loupe::Loupe(QObject *parent) : QObject(parent) {}

void Loupe::fixe(int pourcents)
{
    // The nearest step; halfway between two, the smaller.
    int pas = Pas.front();
    for (int p : Pas)
        if (std::abs(p - pourcents) < std::abs(pas - pourcents))
            pas = p;
    if (pas == m_pourcents)
        return;
    m_pourcents = pas;
    emit change(m_pourcents);
}

void Loupe::choisit(int pourcents)
{
    fixe(pourcents);
    if (m_memorise)
        Reglages::Ecrit(Reglages::Cle::Zoom, m_pourcents);
}

void Loupe::agrandit()
{
    const auto suivant = std::upper_bound(Pas.begin(), Pas.end(), m_pourcents);
    if (suivant != Pas.end())
        choisit(*suivant);
}

void Loupe::reduit()
{
    const auto courant = std::lower_bound(Pas.begin(), Pas.end(), m_pourcents);
    if (courant != Pas.begin())
        choisit(*(courant - 1));
}

void Loupe::retablit()
{
    choisit(100);
}

int Loupe::Memorisee()
{
    const int p = Reglages::Lit(Reglages::Cle::Zoom).value_or(100);
    return std::find(Pas.begin(), Pas.end(), p) != Pas.end() ? p : 100;
}

int Loupe::PasQuiTient(QSize disponible, QSize aCent, int voulu)
{
    for (auto it = Pas.rbegin(); it != Pas.rend(); ++it) {
        if (*it > voulu)
            continue;
        const double z = *it / 100.0;
        if (Arrondi(aCent.width() * z) <= disponible.width() && Arrondi(aCent.height() * z) <= disponible.height())
            return *it;
    }
    return Pas.front();
}

void Loupe::Applique(QWidget *fenetre, double zoom)
{
    // Nothing to do at the layout's own size when the window was never zoomed: it stays exactly as built.
    if (Elements::Zoom(fenetre) == zoom)
        return;
    fenetre->setProperty("zoom", zoom);
    const QList<QWidget *> elements = fenetre->findChildren<QWidget *>();
    // Child windows (menus) follow the zoom of the window they belong to.
    for (QWidget *w : elements)
        if (w->isWindow())
            w->setProperty("zoom", zoom);
    if (fenetre->property("twipsTaille").isValid()) {
        // The frame's width first: the window's size includes it.
        if (auto *cadre = qobject_cast<QFrame *>(fenetre); cadre && cadre->frameShape() != QFrame::NoFrame) {
            if (!fenetre->property("traitBase").isValid())
                fenetre->setProperty("traitBase", cadre->lineWidth());
            cadre->setLineWidth(std::max(1, Arrondi(fenetre->property("traitBase").toInt() * zoom)));
        }
        const QSize taille = TailleFenetre(fenetre, zoom);
        if (fenetre->minimumSize() == fenetre->maximumSize())
            fenetre->setFixedSize(taille);
        else if (!fenetre->isFullScreen() && !fenetre->isMaximized())
            fenetre->resize(taille);
    }
    Agrandit(fenetre, zoom);
    // Parents come before their children: a panel's frame is known before its contents are placed.
    for (QWidget *w : elements)
        Agrandit(w, zoom);
    GardeSurEcran(fenetre);
}

void Loupe::suit(QWidget *fenetre, bool pleinEcran)
{
    Applique(fenetre, facteur());
    connect(this, &Loupe::change, fenetre, [fenetre](int pourcents) { Applique(fenetre, pourcents / 100.0); });

    // Tied to the loupe as well as to the window: a window may outlive a loupe that is not the run's.
    auto raccourci = [this, fenetre](QList<QKeySequence> touches, auto &&quoi) {
        auto *a = new QAction(fenetre);
        a->setShortcuts(touches);
        a->setShortcutContext(Qt::WindowShortcut);
        fenetre->addAction(a);
        connect(a, &QAction::triggered, this, quoi);
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers pave = Qt::ControlModifier | Qt::KeypadModifier;
    raccourci({QKeySequence(ctrl | Qt::Key_Plus), QKeySequence(ctrl | Qt::Key_Equal),
               QKeySequence(ctrl | Qt::ShiftModifier | Qt::Key_Plus), QKeySequence(pave | Qt::Key_Plus)},
              [this] { agrandit(); });
    raccourci({QKeySequence(ctrl | Qt::Key_Minus), QKeySequence(pave | Qt::Key_Minus)},
              [this] { reduit(); });
    raccourci({QKeySequence(ctrl | Qt::Key_0), QKeySequence(pave | Qt::Key_0)},
              [this] { retablit(); });
    if (pleinEcran)
        raccourci({QKeySequence(Qt::Key_F11)}, [this, fenetre] { basculePleinEcran(fenetre); });
}

void Loupe::basculePleinEcran(QWidget *fenetre)
{
    if (fenetre->isFullScreen()) {
        fenetre->showNormal();
        fixe(m_avantPleinEcran);
        GardeSurEcran(fenetre);
        return;
    }
    m_avantPleinEcran = m_pourcents;
    const QScreen *ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    const QSizeF twips = fenetre->property("twipsTaille").toSizeF();
    const QSize aCent = twips.isValid() ? RectangleTwips(0, 0, twips.width(), twips.height()).size() : TaillePrincipale;
    fenetre->showFullScreen();
    if (ecran)
        fixe(PasQuiTient(ecran->geometry().size(), aCent, Pas.back()));
}
