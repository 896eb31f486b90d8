#include "ui/ordrelecture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace OrdreLecture {

namespace {

constexpr const char *ProprieteOrdre = "sonavirelle_lecture_ordre";
constexpr const char *ProprieteParent = "sonavirelle_lecture_parent";

QWidget *ParentLu(const QWidget *w)
{
    return qobject_cast<QWidget *>(w->property(ProprieteParent).value<QObject *>());
}

// A widget whose accessible children come in reading order.
class Ordonne : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    QAccessibleInterface *parent() const override
    {
        if (QWidget *p = ParentLu(widget()))
            return QAccessible::queryAccessibleInterface(p);
        return QAccessibleWidget::parent();
    }
    int childCount() const override { return int(enfants().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> e = enfants();
        return index >= 0 && index < e.size() ? QAccessible::queryAccessibleInterface(e[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *enfant) const override
    {
        return enfant ? int(enfants().indexOf(qobject_cast<QWidget *>(enfant->object()))) : -1;
    }

private:
    QList<QWidget *> enfants() const
    {
        QList<QWidget *> liste;
        // What is hidden on purpose (a page not shown) is not read.
        for (QObject *o : widget()->property(ProprieteOrdre).value<QObjectList>())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isHidden())
                liste << w;
        for (QObject *o : widget()->children()) {
            auto *w = qobject_cast<QWidget *>(o);
            // Windows are read on their own; an adopted child is read where it shows.
            if (w && !w->isWindow() && !w->isHidden() && !liste.contains(w) && !ParentLu(w))
                liste << w;
        }
        return liste;
    }
};

// Only for the widgets given an order or an adoptive parent; everything else keeps Qt's own.
QAccessibleInterface *Fabrique(const QString &, QObject *objet)
{
    auto *w = qobject_cast<QWidget *>(objet);
    if (!w || (!w->property(ProprieteOrdre).isValid() && !w->property(ProprieteParent).isValid()))
        return nullptr;
    const QAccessible::Role role = w->isWindow() ? QAccessible::Window : QAccessible::Grouping;
    return new Ordonne(w, role);
}

void InstalleFabrique()
{
    static const bool installee = [] {
        QAccessible::installFactory(Fabrique);
        return true;
    }();
    Q_UNUSED(installee);
}

// An interface Qt made before the widget was marked (announcing a change of name makes one,
// even with no assistive technology listening) would keep the default order: it is replaced.
void Remplace(QWidget *w)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    if (i && !dynamic_cast<Ordonne *>(i)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(i));
        QAccessible::queryAccessibleInterface(w);
    }
}

} // namespace

void Ordonne(QWidget *parent, const QList<QWidget *> &ordre)
{
    InstalleFabrique();
    QObjectList liste;
    for (QWidget *w : ordre)
        liste << w;
    parent->setProperty(ProprieteOrdre, QVariant::fromValue(liste));
    Remplace(parent);
}

void Adopte(QWidget *parent, QWidget *enfant)
{
    InstalleFabrique();
    enfant->setProperty(ProprieteParent, QVariant::fromValue<QObject *>(parent));
    Remplace(enfant);
}

} // namespace OrdreLecture
