#include "ui/annonce.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QVariant>

namespace Annonce {

namespace {

constexpr const char *Propriete = "sonavirelle_annonce";

class Notification : public QAccessibleWidget
{
public:
    explicit Notification(QWidget *w) : QAccessibleWidget(w, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override
    {
        // Like any caption: its accessible name, else the text it shows.
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty())
            if (auto *l = qobject_cast<QLabel *>(widget()))
                s = l->text();
        return s;
    }
};

QAccessibleInterface *Fabrique(const QString &, QObject *objet)
{
    auto *l = qobject_cast<QLabel *>(objet);
    return l && l->property(Propriete).toBool() ? new Notification(l) : nullptr;
}

} // namespace

void Prepare(QLabel *etiquette)
{
    static const bool installee = [] {
        QAccessible::installFactory(Fabrique);
        return true;
    }();
    Q_UNUSED(installee);
    etiquette->setProperty(Propriete, true);
    // An interface Qt made before (a change of name makes one) would stay a plain caption.
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(etiquette);
    if (i && !dynamic_cast<Notification *>(i)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(i));
        QAccessible::queryAccessibleInterface(etiquette);
    }
}

void Dit(QLabel *etiquette, const QString &texte)
{
    // Hidden while it changes, so that it shows with its new text; painted once, at the next frame.
    etiquette->hide();
    etiquette->setText(texte);
    etiquette->setAccessibleName(texte);
    etiquette->show();
    // Other platforms' bridges speak an alert event.
    QAccessibleEvent alerte(etiquette, QAccessible::Alert);
    QAccessible::updateAccessibility(&alerte);
}

void Efface(QLabel *etiquette)
{
    etiquette->hide();
    etiquette->clear();
    etiquette->setAccessibleName(QString());
}

} // namespace Annonce
