#include "ui/loupe.h"

#include "plot/repere.h"
#include "plot/surface.h"
#include "synth/reglages.h"
#include "ui/disposition.h"
#include "ui/elements.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

int Arrondi(double x)
{
    return int(std::lround(x));
}

// The window's size at `zoom` from its size in twips, frame included.
QSize TailleFenetre(const Disposition &d, double zoom)
{
    const QSizeF twips = *d.tailleFenetre;
    QSize taille = RectangleTwips(0, 0, twips.width() * zoom, twips.height() * zoom).size();
    if (d.bord)
        taille += QSize(2 * d.bord(), 2 * d.bord());
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

} // namespace

Loupe::Loupe(QObject *parent) : QObject(parent)
{
}

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
    const QList<QWidget *> elements = fenetre->findChildren<QWidget *>();
    // A window's own font scales: its elements inherit it. Child windows (menus) follow the zoom
    // of the window they belong to.
    auto fenetreSuit = [zoom](QWidget *w) {
        Disposition &d = Dispositions::De(w);
        d.zoom = zoom;
        if (!d.police)
            d.police = w->font();
    };
    fenetreSuit(fenetre);
    for (QWidget *w : elements)
        if (w->isWindow())
            fenetreSuit(w);
    const Disposition &d = *Dispositions::Trouve(fenetre);
    if (d.tailleFenetre) {
        // The frame's width first: the window's size includes it.
        if (d.retrace)
            d.retrace(zoom);
        const QSize taille = TailleFenetre(d, zoom);
        if (fenetre->minimumSize() == fenetre->maximumSize())
            fenetre->setFixedSize(taille);
        else if (!fenetre->isFullScreen() && !fenetre->isMaximized())
            fenetre->resize(taille);
    }
    d.Redispose(fenetre, zoom);
    // Parents come before their children: a panel's frame is known before its contents are placed.
    for (QWidget *w : elements)
        if (const Disposition *e = Dispositions::Trouve(w))
            e->Redispose(w, zoom);
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
    raccourci({QKeySequence(ctrl | Qt::Key_Minus), QKeySequence(pave | Qt::Key_Minus)}, [this] { reduit(); });
    raccourci({QKeySequence(ctrl | Qt::Key_0), QKeySequence(pave | Qt::Key_0)}, [this] { retablit(); });
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
    const Disposition *d = Dispositions::Trouve(fenetre);
    const QSize aCent = d && d->tailleFenetre
                            ? RectangleTwips(0, 0, d->tailleFenetre->width(), d->tailleFenetre->height()).size()
                            : TaillePrincipale;
    fenetre->showFullScreen();
    if (ecran)
        fixe(PasQuiTient(ecran->geometry().size(), aCent, Pas.back()));
}
