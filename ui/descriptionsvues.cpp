#include "ui/descriptionsvues.h"

#include "plot/surface.h"
#include "session/edition.h"
#include "ui/descriptions.h"

#include <QHelpEvent>
#include <QToolTip>

DescriptionsVues::DescriptionsVues(Surface &spectre, Surface &temps, const Edition &edition, QObject *parent)
    : QObject(parent), m_spectre(spectre), m_temps(temps), m_edition(edition)
{
    spectre.installEventFilter(this);
    temps.installEventFilter(this);
    // Every change of the table or of the time base redraws the time plot: the descriptions
    // follow that one signal.
    connect(&edition, &Edition::tempsChange, this, &DescriptionsVues::decrit);
    connect(&edition, &Edition::analyseChange, this, &DescriptionsVues::decrit);
    decrit();
}

void DescriptionsVues::suitCurseur(bool visible, Curseur::Point point)
{
    m_curseurVisible = visible;
    m_curseur = point;
    decrit();
}

void DescriptionsVues::fixeMicro(const QString &suffixe)
{
    if (suffixe == m_micro)
        return;
    m_micro = suffixe;
    decrit();
}

void DescriptionsVues::decrit()
{
    const Son &son = m_edition.son();
    QString spectre = Descriptions::Spectre(son);
    if (const Edition::SpectreAnalyse &a = m_edition.analyse(); !a.points.isEmpty())
        spectre = Descriptions::AvecMesure(spectre, a.nom, a.fondamental);
    if (m_curseurVisible)
        spectre = Descriptions::AvecCurseur(spectre, m_curseur);
    spectre += m_micro;
    // Set only when it changes: assistive technologies are told of every change.
    if (m_spectre.accessibleDescription() != spectre)
        m_spectre.setAccessibleDescription(spectre);
    const QString temps = Descriptions::Temporel(son.Sensibilite);
    if (m_temps.accessibleDescription() != temps)
        m_temps.setAccessibleDescription(temps);
}

bool DescriptionsVues::eventFilter(QObject *objet, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || (objet != &m_spectre && objet != &m_temps))
        return QObject::eventFilter(objet, event);
    auto *aide = static_cast<QHelpEvent *>(event);
    const Son &t = m_edition.son();
    auto *surface = static_cast<Surface *>(objet);
    QString texte;
    if (surface == &m_spectre) {
        if (const int i = Descriptions::ComposanteSous(t, m_spectre.repere(), aide->pos() / m_spectre.zoom()))
            texte = Descriptions::Valeur(t.Frequence[i], t.Amplitude[i]);
    } else {
        texte = Descriptions::Instant(surface->versUtilisateur(aide->pos()).x(), t.Sensibilite);
    }
    if (texte.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(aide->globalPos(), texte, surface);
    return true;
}
