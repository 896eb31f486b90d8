#pragma once

#include "ui/aide.h"
#include "ui/contexte.h"

#include <QFrame>
#include <QPointer>

class QPushButton;
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
    void keyPressEvent(QKeyEvent *event) override;

private:
    void construit();

    Contexte m_ctx;
    QPointer<Synthetiseur> m_principal;
    QPushButton *m_demarrer = nullptr;
    QPointer<Aide> m_aide;
};
