#include "ui/elements.h"

#include "plot/repere.h"
#include "ui/bouton.h"
#include "ui/disposition.h"
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
    Disposition &d = Dispositions::De(w);
    d.twips = QRectF(gauche, haut, largeur, hauteur);
    d.Place(w);
}

void FixePolice(QWidget *w, const QFont &police)
{
    w->setFont(police);
    Dispositions::De(w).police = police;
}

void FixePointeur(QWidget *w, const QCursor &pointeur)
{
    w->setCursor(pointeur);
    // The platform's own shapes keep their size; a pointer image is drawn again at each zoom.
    if (pointeur.shape() == Qt::BitmapCursor)
        Dispositions::De(w).pointeur = pointeur;
}

void FixeFeuille(QWidget *w, const QString &feuille)
{
    w->setStyleSheet(feuille);
    Dispositions::De(w).feuille = feuille;
}

void Fenetre(QWidget *fenetre, QSizeF twips)
{
    Dispositions::De(fenetre).tailleFenetre = twips;
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
    Disposition &d = Dispositions::De(f);
    d.retrace = [f](double z) { f->setLineWidth(std::max(1, int(std::lround(z)))); };
    d.bord = [f] { return f->frameWidth(); };
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
    Dispositions::De(i).redessine = [i, chemin](double) {
        const QWidget *p = i->parentWidget() ? i->parentWidget() : i;
        i->setPixmap(Ressources::Image(chemin, i->size(), p->devicePixelRatioF()));
    };
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
    FixePointeur(b, Ressources::PointeurMain());
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
    FixePointeur(b, Ressources::PointeurMain());
    b->setAccessibleName(accessible);
    return b;
}

} // namespace Elements
