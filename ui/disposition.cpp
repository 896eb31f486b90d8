#include "ui/disposition.h"

#include "plot/repere.h"
#include "ui/echelle.h"
#include "ui/ressources.h"

#include <QApplication>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace {

int Arrondi(double x)
{
    return int(std::lround(x));
}

// Never destroyed: elements may go after the program's statics.
std::unordered_map<const QWidget *, std::unique_ptr<Disposition>> &Registre()
{
    static auto *registre = new std::unordered_map<const QWidget *, std::unique_ptr<Disposition>>;
    return *registre;
}

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
        case PM_RadioButtonLabelSpacing: return widget ? Arrondi(base * Elements::Zoom(widget)) : base;
        default: return base;
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

// Lengths in pixels scale; a line stays at least one pixel thick.
QString FeuilleAgrandie(const QString &feuille, double z)
{
    static const QRegularExpression longueur(QStringLiteral("(\\d+)px"));
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
    return resultat;
}

} // namespace

namespace Dispositions {

Disposition &De(QWidget *w)
{
    auto &registre = Registre();
    auto it = registre.find(w);
    if (it == registre.end()) {
        it = registre.emplace(w, std::make_unique<Disposition>()).first;
        QObject::connect(w, &QObject::destroyed, [w] { Registre().erase(w); });
    }
    return *it->second;
}

const Disposition *Trouve(const QWidget *w)
{
    const auto &registre = Registre();
    const auto it = registre.find(w);
    return it == registre.end() ? nullptr : it->second.get();
}

} // namespace Dispositions

namespace Elements {

double Zoom(const QWidget *w)
{
    const Disposition *d = Dispositions::Trouve(w->window());
    return d ? d->zoom : 1.0;
}

int Trait(const QWidget *w, int pixels)
{
    return std::max(1, Arrondi(pixels * Zoom(w)));
}

} // namespace Elements

bool Disposition::Place(QWidget *w) const
{
    if (!twips)
        return false;
    const QRectF t = *twips;
    const double z = Elements::Zoom(w);
    const Disposition *parent = w->parentWidget() ? Dispositions::Trouve(w->parentWidget()) : nullptr;
    const int d = parent && parent->bord ? parent->bord() : 0;
    // Every edge is scaled in twips and rounded once, as at 100 %.
    QRect r = RectangleTwips(t.x() * z, t.y() * z, t.width() * z, t.height() * z).translated(d, d);
    if (marge) {
        const int m = Elements::Trait(w, marge);
        r.adjust(-m, -m, m, m);
    }
    w->setGeometry(r);
    return true;
}

void Disposition::Redispose(QWidget *w, double z) const
{
    if (police) {
        QFont f = *police;
        if (f.pointSizeF() > 0)
            f.setPointSizeF(f.pointSizeF() * z);
        else if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, Arrondi(f.pixelSize() * z)));
        w->setFont(f);
    }
    if (retrace)
        retrace(z);
    if (!feuille.isEmpty())
        w->setStyleSheet(FeuilleAgrandie(feuille, z));
    if (indicateursAgrandis)
        w->setStyle(z == 1.0 ? nullptr : Agrandi());
    if (remplitParent && w->parentWidget())
        w->setGeometry(w->parentWidget()->rect());
    else
        Place(w);
    if (redessine)
        redessine(z);
    if (pointeur)
        w->setCursor(pointeur->shape() == Qt::BitmapCursor ? Ressources::PointeurAgrandi(*pointeur, z) : *pointeur);
}
