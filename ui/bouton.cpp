#include "ui/bouton.h"

#include "ui/couleurs.h"
#include "ui/disposition.h"
#include "ui/echelle.h"
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
    // Its captions and pictures sit inside its frame.
    Dispositions::De(this).bord = [this] { return bord(); };
}

void Bouton::fixeCadre(bool cadre)
{
    m_cadre = cadre;
    update();
}

int Bouton::bord() const
{
    return m_cadre ? Elements::Trait(this) : 0;
}

void Bouton::fixeImage(const QString &chemin)
{
    m_chemin = chemin;
    rendImage();
}

void Bouton::rendImage()
{
    const QWidget *p = parentWidget();
    m_image = Ressources::Image(m_chemin, size(), p ? p->devicePixelRatioF() : devicePixelRatioF());
    update();
}

void Bouton::resizeEvent(QResizeEvent *event)
{
    // A new size (a zoom): the picture is drawn again at it, never stretched.
    if (!m_chemin.isEmpty() && (m_image.isNull() || m_image.deviceIndependentSize().toSize() != size()))
        rendImage();
    QAbstractButton::resizeEvent(event);
}

void Bouton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_image.isNull())
        p.drawPixmap(QPoint(0, 0), m_image);
    if (m_cadre) {
        const int b = bord();
        if (b == 1) {
            p.setPen(Qt::black);
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        } else {
            const QRect r = rect();
            p.fillRect(QRect(r.left(), r.top(), r.width(), b), Qt::black);
            p.fillRect(QRect(r.left(), r.bottom() - b + 1, r.width(), b), Qt::black);
            p.fillRect(QRect(r.left(), r.top(), b, r.height()), Qt::black);
            p.fillRect(QRect(r.right() - b + 1, r.top(), b, r.height()), Qt::black);
        }
    }
    // The focus shows only once the keyboard has been used in this window: mouse users see
    // the layout's pixels unchanged.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        const int t = Elements::Trait(this);
        p.setPen(QPen(Couleurs::Orange, t == 1 ? 1 : t, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(t + bord(), t + bord(), -1 - t - bord(), -1 - t - bord()));
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
