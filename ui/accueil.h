#pragma once

#include "ui/contexte.h"

#include <QFrame>
#include <QPointer>

class Synthetiseur;

// The welcome window "accueil", the first window of a run: a short presentation, a start
// button and a quit cross. No title bar; a thin border around its drawing area.
class Accueil : public QFrame
{
    Q_OBJECT

public:
    explicit Accueil(Contexte contexte);

    /// Opens the main window (its constructor runs the start-up) and destroys this one.
    void Demarrer();

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void construit();

    Contexte m_ctx;
    QPointer<Synthetiseur> m_principal;
    QWidget *m_musique = nullptr; // Image1: starts, like the button
    QWidget *m_croix = nullptr;   // Image2: quits
};
