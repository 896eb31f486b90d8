#include "ui/marqueur.h"

#include "plot/surface.h"
#include "ui/echelle.h"
#include "ui/elements.h"
#include "ui/ressources.h"

#include <QGuiApplication>
#include <QMouseEvent>

Marqueur::Marqueur(Surface *spectre) : QFrame(spectre), m_spectre(spectre)
{
    Elements::FixePointeur(this, Ressources::PointeurSaisie());
}

Marqueur::~Marqueur()
{
    // Destroyed in the middle of a drag: give the pointer back.
    abandonne();
}

void Marqueur::abandonne()
{
    if (!m_glisse)
        return;
    m_glisse = false;
    QGuiApplication::restoreOverrideCursor();
}

void Marqueur::mousePressEvent(QMouseEvent *event)
{
    // Only the left button starts a drag; the press itself changes nothing.
    if (event->button() == Qt::LeftButton && !m_glisse) {
        m_glisse = true;
        m_dansSpectre = true;
        // The press grabs the pointer implicitly; the gripping hand shows until the release.
        QGuiApplication::setOverrideCursor(Ressources::PointeurSaisie(Elements::Zoom(this)));
    }
    event->accept();
}

void Marqueur::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Not the marker's: it goes on to the spectrum below, as a press there.
    event->ignore();
}

void Marqueur::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_glisse)
        return;
    const QPointF global = event->globalPosition();
    if (isVisible() && rect().contains(mapFromGlobal(global).toPoint()))
        return;
    const QPointF local = m_spectre->mapFromGlobal(global);
    const QPointF p = m_spectre->versUtilisateur(local);
    const bool dedans = m_spectre->rect().contains(local.toPoint()) && m_spectre->isVisible();
    if (dedans) {
        m_dansSpectre = true;
        emit pas(float(p.x()), float(p.y()), 2);
    } else if (m_dansSpectre) {
        m_dansSpectre = false;
        emit pas(float(p.x()), float(p.y()), 1);
    }
}

void Marqueur::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_glisse || event->button() != Qt::LeftButton)
        return;
    abandonne();
    if (rect().contains(mapFromGlobal(event->globalPosition()).toPoint()))
        emit depose();
}
