#include "ui/elements.h"

#include "plot/repere.h"
#include "ui/bouton.h"
#include "ui/libelle.h"
#include "ui/ressources.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace Elements {

void Place(QWidget *w, double gauche, double haut, double largeur, double hauteur)
{
    w->setProperty("twips", QRectF(gauche, haut, largeur, hauteur));
    Replace(w);
}

bool Replace(QWidget *w)
{
    const QVariant v = w->property("twips");
    if (!v.isValid())
        return false;
    const QRectF t = v.toRectF();
    const double z = Zoom(w);
    int d = 0;
    if (auto *cadre = qobject_cast<QFrame *>(w->parentWidget()); cadre && cadre->frameShape() != QFrame::NoFrame)
        d = cadre->frameWidth();
    else if (auto *bouton = qobject_cast<Bouton *>(w->parentWidget()))
        d = bouton->bord();
    // Every edge is scaled in twips and rounded once, as at 100 %.
    QRect r = RectangleTwips(t.x() * z, t.y() * z, t.width() * z, t.height() * z).translated(d, d);
    // A margin around the rectangle, in pixels at 100 % (an outline centred on the rectangle's edge).
    if (const int marge = w->property("marge").toInt()) {
        const int m = Trait(w, marge);
        r.adjust(-m, -m, m, m);
    }
    w->setGeometry(r);
    return true;
}

void Fond(QWidget *w, const QColor &couleur)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, couleur);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void Cadre(QFrame *f)
{
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Plain);
    f->setLineWidth(1);
    QPalette p = f->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    f->setPalette(p);
}

QFont Police(const char *famille, double points)
{
    QFont f(QString::fromLatin1(famille));
    f.setPointSizeF(points);
    // Whole-pixel advances: the blanks left for pictures and the widths of the captions come out
    // as the layout intends.
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QLabel *Etiquette(QWidget *parent, const char *nom, QRectF twips, const QString &texte, const QColor &couleur,
                  const QFont &police, Qt::Alignment alignement)
{
    auto *e = new Libelle(texte, parent);
    e->setObjectName(QString::fromUtf8(nom));
    e->setFont(police);
    e->setAlignment(alignement | Qt::AlignTop);
    QPalette p = e->palette();
    p.setColor(QPalette::WindowText, couleur);
    e->setPalette(p);
    Place(e, twips.x(), twips.y(), twips.width(), twips.height());
    return e;
}

QLabel *Image(QWidget *parent, const char *nom, QRectF twips, const QString &chemin)
{
    auto *i = new QLabel(parent);
    i->setObjectName(QString::fromUtf8(nom));
    Place(i, twips.x(), twips.y(), twips.width(), twips.height());
    i->setPixmap(Ressources::Image(chemin, i->size(), parent->devicePixelRatioF()));
    // Drawn again from its file at each new zoom.
    i->setProperty("image", chemin);
    return i;
}

QPoint PositionCentree(const QRect &zone, const QSize &taille)
{
    const int x = zone.x() + (zone.width() - taille.width()) / 2;
    const int y = zone.y() + (zone.height() - taille.height()) / 2;
    return {std::max(x, zone.x()), std::max(y, zone.y())};
}

void Centre(QWidget *fenetre)
{
    QScreen *ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (ecran)
        fenetre->move(PositionCentree(ecran->availableGeometry(), fenetre->size()));
}

Bouton *BoutonImage(QWidget *parent, const char *nom, QRectF twips, const QString &chemin, const QString &accessible)
{
    auto *b = new Bouton(parent, nom);
    Place(b, twips.x(), twips.y(), twips.width(), twips.height());
    b->fixeImage(chemin);
    b->setCursor(Ressources::PointeurMain());
    b->setAccessibleName(accessible);
    return b;
}

Bouton *BoutonPanneau(QWidget *parent, const char *nom, QRectF twips, const QColor &fond, bool cadre,
                      const QString &accessible)
{
    auto *b = new Bouton(parent, nom);
    b->fixeCadre(cadre);
    Fond(b, fond);
    Place(b, twips.x(), twips.y(), twips.width(), twips.height());
    b->setCursor(Ressources::PointeurMain());
    b->setAccessibleName(accessible);
    return b;
}

} // namespace Elements
