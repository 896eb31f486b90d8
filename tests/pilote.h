#pragma once

// The main window driven as its user drives it, through its widgets: a click on a command by its
// name, the spectrum's pointer events in its user coordinates (as the plot reports them), the
// marker's drag steps and drop. Nothing here reaches a handler of the window directly.

#include "plot/surface.h"
#include "ui/marqueur.h"
#include "ui/panneautemps.h"
#include "ui/synthetiseur.h"

#include <QAbstractButton>
#include <QPointF>
#include <QRadioButton>

namespace Pilote {

/// A click on the command `nom` of `fenetre` (any window), as the mouse or an assistive technology gives it.
inline void Clique(const auto &fenetre, const char *nom)
{
    auto *commande = (&*fenetre)->template findChild<QAbstractButton *>(QString::fromUtf8(nom));
    Q_ASSERT_X(commande, "Pilote::Clique", nom);
    commande->click();
}

/// The pointer moved over the spectrum to (X, Y) with `boutons` held (1 left, 2 right).
inline void BougeSpectre(const auto &w, int boutons, float X, float Y)
{
    emit(&*w)->spectre().sourisBouge(boutons, QPointF(X, Y));
}

/// The button `bouton` released over the spectrum at (X, Y).
inline void RelacheSpectre(const auto &w, int bouton, float X, float Y)
{
    emit(&*w)->spectre().sourisRelachee(bouton, QPointF(X, Y));
}

/// One step of the marker's drag, the pointer at (X, Y) in the spectrum (`etat` as the marker reports it).
inline void GlisseFondamental(const auto &w, float X, float Y, int etat)
{
    emit(&*w)->fondamental().pas(X, Y, etat);
}

/// The marker dropped.
inline void LacheFondamental(const auto &w)
{
    emit(&*w)->fondamental().depose();
}

/// A click on the time base `index`.
inline void ChoisitBase(const auto &w, int index)
{
    auto *option = (&*w)->template findChild<QRadioButton *>(QStringLiteral("SensibiliteTemp(%1)").arg(index));
    Q_ASSERT(option);
    option->click();
}

} // namespace Pilote
