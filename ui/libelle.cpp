#include "ui/libelle.h"

#include "ui/echelle.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

Libelle::Libelle(const QString &texte, QWidget *parent) : QLabel(texte, parent)
{
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int Libelle::interligne() const
{
    return int(std::lround(QFontMetricsF(font()).height()));
}

QStringList Libelle::lignes() const
{
    const QString t = text();
    const QFontMetricsF m(font());
    // Zoomed, the caption is the 100 % caption scaled: it breaks where it breaks at 100 %.
    const double largeur = width() / Elements::Zoom(this);
    auto tientDans = [&](qsizetype debut, qsizetype fin) {
        // Blanks at the end of a line take no room.
        qsizetype f = fin;
        while (f > debut && t.at(f - 1) == u' ')
            --f;
        return m.horizontalAdvance(t.mid(debut, f - debut)) <= largeur;
    };

    QStringList resultat;
    qsizetype debut = 0;
    while (debut < t.size()) {
        // Candidate ends: after each run of blanks, and the end of the text.
        qsizetype fin = -1;
        for (qsizetype i = debut; i <= t.size(); ++i) {
            const bool coupure = i == t.size() || (t.at(i) != u' ' && i > debut && t.at(i - 1) == u' ');
            if (!coupure)
                continue;
            if (fin >= 0 && !tientDans(debut, i))
                break;
            fin = i; // the first word always goes on the line, even when too long
        }
        resultat << t.mid(debut, fin - debut);
        debut = fin;
    }
    return resultat;
}

void Libelle::paintEvent(QPaintEvent *)
{
    QPainter peintre(this);
    // Zoomed, the text is laid out in the 100 % font, whose whole-pixel advances leave the blanks the
    // layout counts on, and drawn scaled, as on a screen of that pixel ratio: glyphs stay sharp and
    // keep their places relative to the pictures beside them.
    const double zoom = Elements::Zoom(this);
    const double largeur = width() / zoom;
    if (zoom != 1.0)
        peintre.scale(zoom, zoom);
    peintre.setFont(font());
    peintre.setPen(palette().color(foregroundRole()));
    const QFontMetricsF m(font());
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    qreal y = m.ascent();
    for (QString ligne : lignes()) {
        while (ligne.endsWith(u' ') && horizontal != Qt::AlignLeft)
            ligne.chop(1);
        qreal x = 0;
        if (horizontal & Qt::AlignRight)
            x = largeur - m.horizontalAdvance(ligne);
        else if (horizontal & Qt::AlignHCenter)
            x = (largeur - m.horizontalAdvance(ligne)) / 2;
        peintre.drawText(QPointF(x, y), ligne);
        y += interligne();
    }
}
