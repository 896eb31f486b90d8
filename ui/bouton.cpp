#include "ui/bouton.h"

#include "ui/couleurs.h"
#include "ui/ressources.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

Bouton::Bouton(QWidget *parent, const char *nom) : QAbstractButton(parent)
{
    setObjectName(QString::fromUtf8(nom));
    // Filled and lettered like the panel or picture it replaces, not like a push button: a button's
    // roles (Button, ButtonText) would take the platform's button colours instead of the layout's,
    // and its captions would inherit them.
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
    // Tab reaches it; a mouse click leaves the focus where it was, as before.
    setFocusPolicy(Qt::TabFocus);
}

void Bouton::fixeCadre(bool cadre)
{
    m_cadre = cadre;
    update();
}

void Bouton::fixeImage(const QString &chemin)
{
    const QWidget *p = parentWidget();
    m_image = Ressources::Image(chemin, size(), p ? p->devicePixelRatioF() : devicePixelRatioF());
    update();
}

void Bouton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_image.isNull())
        p.drawPixmap(QPoint(0, 0), m_image);
    if (m_cadre) {
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    // The focus shows only once the keyboard has been used in this window: mouse users see
    // the layout's pixels unchanged.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        p.setPen(QPen(Couleurs::Orange, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(1 + bord(), 1 + bord(), -2 - bord(), -2 - bord()));
    }
}

void Bouton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        QAbstractButton::mousePressEvent(event);
    // Taken whatever the button: nothing below the element sees it.
    event->accept();
}

void Bouton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is no new press: one double click, one click.
    event->accept();
}

void Bouton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        QAbstractButton::mouseReleaseEvent(event);
    else if (isDown())
        setDown(false); // another button released before the left one: no click
    event->accept();
}

void Bouton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
