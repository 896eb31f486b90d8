#include "ui/curseurfrequences.h"

#include "model/regles.h"
#include "plot/surface.h"
#include "session/edition.h"
#include "ui/couleurs.h"
#include "ui/descriptions.h"

#include <QKeyEvent>

#include <cmath>

CurseurSpectre::CurseurSpectre(Surface &spectre, Edition &edition, QObject *parent)
    : QObject(parent), m_spectre(spectre), m_edition(edition)
{
    // Tab reaches the plot; a click leaves the focus where it was, as on the commands.
    spectre.setFocusPolicy(Qt::TabFocus);
    spectre.FixeAnneauFocus(Couleurs::Orange);
    spectre.installEventFilter(this);

    // A redraw from elsewhere (an undo, a key's edit, the mouse leaving the editing area) wipes
    // the preview line: it is drawn again. Drawing it never redraws the table, and a cursor
    // outside the editing area has no line to draw again, so this never comes back here.
    connect(&edition, &Edition::spectreChange, this, [this] {
        if (actif())
            montre();
    });
    connect(&edition, &Edition::apercuRetire, this, [this] {
        if (actif() && dansZone())
            montre();
    });
}

bool CurseurSpectre::actif() const
{
    return m_spectre.hasFocus();
}

bool CurseurSpectre::dansZone() const
{
    return Regles::DansZoneEdition(m_edition.son(), float(m_point.frequence), float(m_point.Y()));
}

void CurseurSpectre::montre()
{
    // The mouse's own intent, no button held: the preview line and nothing else.
    if (dansZone())
        m_edition.Survole(float(m_point.frequence), float(m_point.Y()), false);
    else
        m_edition.QuitteSpectre();
    double x = m_point.frequence;
    if (m_edition.musical())
        x = Regles::Accroche(m_edition.son(), float(x), Regles::AccrocheApercu);
    m_spectre.FixeEtiquette(Descriptions::Valeur(x, m_point.amplitude), {x, m_point.Y()});
    emit change(true, m_point);
}

void CurseurSpectre::cache()
{
    m_spectre.FixeEtiquette(QString());
    m_edition.QuitteSpectre();
    emit change(false, m_point);
}

bool CurseurSpectre::Touche(int touche, Qt::KeyboardModifiers modificateurs, bool repetition)
{
    Edition &e = m_edition;
    const Son &t = e.son();
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
            e.GlisseFondamental(Curseur::PasFondamental(t, e.fondamental(), sens));
            e.LacheFondamental();
            if (multiple)
                m_point.frequence = std::min(n * Regles::FondamentalDiviseur(t), Curseur::FrequenceMaxCurseur);
        } else {
            m_point = Curseur::Deplace(t, m_point, sens, e.musical(), maj);
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down: m_point = Curseur::ChangeAmplitude(m_point, sens); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        // A held key is one click, not a stream of them.
        if (!repetition) {
            if (touche == Qt::Key_Return || touche == Qt::Key_Enter)
                e.Ajoute(float(m_point.frequence), float(m_point.Y()));
            else
                e.RetireDerniere();
        }
        break;
    default: return false;
    }
    montre();
    return true;
}

bool CurseurSpectre::eventFilter(QObject *objet, QEvent *event)
{
    if (objet != &m_spectre)
        return QObject::eventFilter(objet, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *k = static_cast<QKeyEvent *>(event);
        const auto mods = k->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        if (!(mods & Qt::AltModifier) && Touche(k->key(), mods, k->isAutoRepeat()))
            return true;
        break;
    }
    case QEvent::FocusIn:
        if (!m_place)
            m_point = Curseur::Depart(m_edition.son(), m_edition.fondamental());
        m_place = true;
        montre();
        break;
    case QEvent::FocusOut: cache(); break;
    default: break;
    }
    return QObject::eventFilter(objet, event);
}
