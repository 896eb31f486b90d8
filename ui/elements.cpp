#include "ui/elements.h"

#include "plot/repere.h"
#include "ui/bouton.h"
#include "ui/couleurs.h"
#include "ui/disposition.h"
#include "ui/libelle.h"
#include "ui/ressources.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

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

namespace {

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
        p.setPen(QPen(Couleurs::GrisCommande, 1));
        p.setBrush(Couleurs::Lavande);
        const qreal r = std::min(width(), height()) / 4.0;
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), r, r);
    }
};

// A check box's caption that toggles it: the caption as laid out, inside a button that lets
// assistive technologies press it too. The box is the keyboard's way in, so Tab skips the caption.
Bouton *Legende(QWidget *parent, const char *nom, QRectF twips, const QString &texte, const QFont &police)
{
    auto *b = new Bouton(parent, nom);
    Place(b, twips.x(), twips.y(), twips.width(), twips.height());
    b->setFocusPolicy(Qt::NoFocus);
    FixePointeur(b, Ressources::PointeurMain());
    b->setAccessibleName(texte);
    auto *e = Etiquette(b, "", {0, 0, twips.width(), twips.height()}, texte, Couleurs::GrisCommande, police);
    e->setGeometry(b->rect());
    Disposition &d = Dispositions::De(e);
    d.twips.reset();
    d.remplitParent = true;
    e->setAttribute(Qt::WA_TransparentForMouseEvents);
    return b;
}

QFrame *Panneau(QWidget *parent, const char *nom, QRectF t, const QColor &fond, bool cadre)
{
    auto *p = new QFrame(parent);
    p->setObjectName(QString::fromUtf8(nom));
    if (cadre)
        Cadre(p);
    Fond(p, fond);
    Place(p, t.x(), t.y(), t.width(), t.height());
    return p;
}

QCheckBox *Case(QWidget *parent, const char *nom, QRectF t)
{
    auto *c = new QCheckBox(parent);
    c->setObjectName(QString::fromUtf8(nom));
    Fond(c, Couleurs::GrisFenetre);
    FixePointeur(c, Ressources::PointeurMain());
    Dispositions::De(c).indicateursAgrandis = true;
    Place(c, t.x(), t.y(), t.width(), t.height());
    return c;
}

} // namespace

QHash<QString, QWidget *> Construit(QWidget *racine, std::initializer_list<Element> table, const char *contexte)
{
    QHash<QString, QWidget *> faits;
    for (const Element &e : table) {
        QWidget *parent = e.dans ? faits.value(QString::fromUtf8(e.dans)) : racine;
        Q_ASSERT(parent);
        const QString texte = e.texte ? QCoreApplication::translate(contexte, e.texte) : QString();
        const QString image = e.image ? QString::fromUtf8(e.image) : QString();
        const QFont police = e.points > 0 ? Police("Calibri", e.points) : QFont();
        QWidget *w = nullptr;
        switch (e.genre) {
        case Genre::Etiquette:
        case Genre::Titre:
            w = Etiquette(parent, e.nom, e.twips, texte, e.couleur, police, e.alignement);
            if (e.genre == Genre::Titre)
                Fond(w, e.fond);
            break;
        case Genre::Image:
            w = Image(parent, e.nom, e.twips, image);
            if (!texte.isEmpty())
                w->setAccessibleName(texte);
            break;
        case Genre::BoutonImage:
            w = BoutonImage(parent, e.nom, e.twips, image, texte);
            if (e.bulle)
                w->setToolTip(QCoreApplication::translate(contexte, e.bulle));
            break;
        case Genre::BoutonPanneau: w = BoutonPanneau(parent, e.nom, e.twips, e.fond, true, texte); break;
        case Genre::Panneau:
        case Genre::PanneauCadre: w = Panneau(parent, e.nom, e.twips, e.fond, e.genre == Genre::PanneauCadre); break;
        case Genre::Forme:
            w = new Forme(parent);
            w->setObjectName(QString::fromUtf8(e.nom));
            w->setAttribute(Qt::WA_TransparentForMouseEvents);
            Place(w, e.twips.x(), e.twips.y(), e.twips.width(), e.twips.height());
            break;
        case Genre::Legende: w = Legende(parent, e.nom, e.twips, texte, police); break;
        case Genre::Case:
            w = Case(parent, e.nom, e.twips);
            w->setAccessibleName(texte);
            break;
        }
        faits.insert(QString::fromUtf8(e.nom), w);
    }
    return faits;
}

void Bascule(QWidget *panneau, QWidget *premier, QWidget *remplacant, bool montre)
{
    QWidget *focus = QApplication::focusWidget();
    const bool avaitFocus = focus && (panneau->isAncestorOf(focus) || focus == remplacant);
    panneau->setVisible(montre);
    remplacant->setVisible(!montre);
    if (avaitFocus)
        (montre ? premier : remplacant)->setFocus(Qt::TabFocusReason);
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
