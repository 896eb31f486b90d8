#include "ui/curseurfrequences.h"

#include "model/regles.h"
#include "plot/surface.h"
#include "ui/couleurs.h"
#include "ui/descriptions.h"
#include "ui/edition.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>

#include <cmath>
#include <utility>

CurseurSpectre::CurseurSpectre(Surface &spectre, Surface &temps, Edition &edition, Gestes gestes, QObject *parent)
    : QObject(parent), m_spectre(spectre), m_temps(temps), m_edition(edition), m_gestes(std::move(gestes))
{
    // Tab reaches the plot; a click leaves the focus where it was, as on the commands.
    spectre.setFocusPolicy(Qt::TabFocus);
    spectre.FixeAnneauFocus(Couleurs::Orange);
    spectre.installEventFilter(this);
    m_temps.installEventFilter(this);

    Edition &e = m_edition;
    // A redraw from elsewhere (an undo, the mouse leaving the editing area) would wipe the
    // cursor's preview line: it is drawn again on top.
    connect(&e, &Edition::spectreChange, this, [this] {
        if (actif() && !m_occupe)
            montre();
    });
    // Every change of the table or of the time base redraws the time plot: the descriptions
    // follow that one signal.
    connect(&e, &Edition::tempsChange, this, &CurseurSpectre::decrit);
    decrit();
}

bool CurseurSpectre::actif() const
{
    return m_spectre.hasFocus();
}

void CurseurSpectre::montre()
{
    m_occupe = true;
    // The mouse's own handler, no button held: the preview line and nothing else.
    m_gestes.survole(float(m_point.frequence), float(m_point.Y()));
    m_occupe = false;
    const Edition &e = m_edition;
    double x = m_point.frequence;
    if (e.musical())
        x = Regles::Accroche(e.table(), float(x), Regles::AccrocheApercu);
    m_spectre.FixeEtiquette(Descriptions::Valeur(x, m_point.amplitude), {x, m_point.Y()});
    decrit();
}

void CurseurSpectre::cache()
{
    m_spectre.FixeEtiquette(QString());
    m_gestes.redessine();
    decrit();
}

void CurseurSpectre::decrit()
{
    const Edition &e = m_edition;
    QString spectre = Descriptions::Spectre(e.table());
    if (actif())
        spectre = Descriptions::AvecCurseur(spectre, m_point);
    // Set only when it changes: assistive technologies are told of every change.
    if (m_spectre.accessibleDescription() != spectre)
        m_spectre.setAccessibleDescription(spectre);
    const QString temps = Descriptions::Temporel(e.table().Sensibilite);
    if (m_temps.accessibleDescription() != temps)
        m_temps.setAccessibleDescription(temps);
}

bool CurseurSpectre::Touche(int touche, Qt::KeyboardModifiers modificateurs, bool repetition)
{
    const Edition &e = m_edition;
    const Composantes &t = e.table();
    const bool ctrl = modificateurs & Qt::ControlModifier;
    const bool maj = modificateurs & Qt::ShiftModifier;
    const int sens = touche == Qt::Key_Right || touche == Qt::Key_Up ? 1 : -1;
    switch (touche) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (ctrl) {
            // A cursor on a multiple keeps its harmonic number, as the components do.
            const double f1 = Regles::FondamentalDiviseur(t);
            const double n = m_point.frequence / f1;
            const bool multiple = t.Frequence[1] >= 1 && n >= 1.0 && n == std::floor(n);
            m_occupe = true;
            m_gestes.glisse(Curseur::PasFondamental(t, e.fondamental(), sens));
            m_gestes.lache();
            m_occupe = false;
            if (multiple)
                m_point.frequence = std::min(n * Regles::FondamentalDiviseur(t), Curseur::FrequenceMaxCurseur);
        } else {
            m_point = Curseur::Deplace(t, m_point, sens, e.musical(), maj);
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_point = Curseur::ChangeAmplitude(m_point, sens);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        // A held key is one click, not a stream of them.
        if (!repetition) {
            const bool ajout = touche == Qt::Key_Return || touche == Qt::Key_Enter;
            m_occupe = true;
            m_gestes.relache(ajout ? 1 : 2, float(m_point.frequence), float(m_point.Y()));
            m_occupe = false;
        }
        break;
    default:
        return false;
    }
    montre();
    return true;
}

bool CurseurSpectre::eventFilter(QObject *objet, QEvent *event)
{
    Surface &spectre = m_spectre;
    const bool estSpectre = objet == &spectre;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (estSpectre) {
            auto *k = static_cast<QKeyEvent *>(event);
            const auto mods = k->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
            if (!(mods & Qt::AltModifier) && Touche(k->key(), mods, k->isAutoRepeat()))
                return true;
        }
        break;
    case QEvent::FocusIn:
        if (estSpectre) {
            if (!m_place)
                m_point = Curseur::Depart(m_edition.table(), m_edition.fondamental());
            m_place = true;
            montre();
        }
        break;
    case QEvent::FocusOut:
        if (estSpectre)
            cache();
        break;
    case QEvent::ToolTip: {
        auto *aide = static_cast<QHelpEvent *>(event);
        const Composantes &t = m_edition.table();
        auto *surface = static_cast<Surface *>(objet);
        QString texte;
        if (estSpectre) {
            if (const int i = Descriptions::ComposanteSous(t, spectre.repere(), aide->pos() / spectre.zoom()))
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
    default:
        break;
    }
    return QObject::eventFilter(objet, event);
}
