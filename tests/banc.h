#pragma once

// A fresh program state for one test: a session (its sound, its synthesis into a temporary
// folder) over a player that records what it is asked to do.

#include "espion.h"
#include "model/son.h"
#include "session/edition.h"
#include "synth/generateur.h"
#include "ui/contexte.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

struct Banc
{
    QTemporaryDir dossier;
    LectureEspion lecture;
    Edition edition{lecture, dossier.filePath(QStringLiteral("test.wav"))};
    /// The session's sound, read-only: tests change it through the session's intents.
    const Son &table = edition.son();
    Generateur &generateur = edition.generateur();
    Contexte contexte{edition};

    Banc() { lecture.cheminTest = generateur.chemin(); }

    QByteArray wav() const
    {
        QFile f(generateur.chemin());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// Centred on the screen, up to the window frame (whose size the program cannot know in advance).
// On an axis where the window is larger than the screen's available area, its top-left corner
// stands at the area's edge instead, so that the title bar stays reachable.
inline bool EstCentree(const QWidget *fenetre)
{
    const QRect client = fenetre->geometry(), cadre = fenetre->frameGeometry();
    const QRect zone = fenetre->screen()->availableGeometry();
    const int margeX = std::max(client.left() - cadre.left(), cadre.right() - client.right()) + 1;
    const int margeY = std::max(client.top() - cadre.top(), cadre.bottom() - client.bottom()) + 1;
    const QPoint ecart = client.center() - zone.center();
    const bool centreX =
        client.width() > zone.width() ? std::abs(cadre.left() - zone.left()) <= margeX : std::abs(ecart.x()) <= margeX;
    const bool centreY =
        client.height() > zone.height() ? std::abs(cadre.top() - zone.top()) <= margeY : std::abs(ecart.y()) <= margeY;
    return centreX && centreY;
}

// Presses `element` as an assistive technology does: through its accessible press action (the
// toggle action for a check box). False when the element offers no such action.
inline bool PresseAccessible(QWidget *element)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(element);
    QAccessibleActionInterface *actions = i ? i->actionInterface() : nullptr;
    if (!actions)
        return false;
    const QString action = i->role() == QAccessible::CheckBox ? QAccessibleActionInterface::toggleAction()
                                                              : QAccessibleActionInterface::pressAction();
    if (!actions->actionNames().contains(action))
        return false;
    actions->doAction(action);
    return true;
}

// One round of Tab presses from the widget that holds the focus: the names of the widgets
// reached, in order, up to the first one met again (at most `limite` presses).
inline QStringList TourDeTab(QWidget *fenetre, int limite = 80)
{
    QStringList noms;
    QWidget *premier = QApplication::focusWidget();
    if (!premier || premier->window() != fenetre)
        return noms;
    noms << premier->objectName();
    for (int i = 0; i < limite; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
        QWidget *w = QApplication::focusWidget();
        if (!w || w == premier)
            break;
        noms << w->objectName();
    }
    return noms;
}

// The file a table should give, computed by the synthesis from a copy of the table.
inline QByteArray FichierAttendu(const Son &table)
{
    Synthese::Plan p;
    if (!Synthese::Prepare(table, p))
        return {};
    return Synthese::FichierComplet(p);
}
