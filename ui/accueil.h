#pragma once

#include "ui/contexte.h"

#include <QWidget>

class Synthetiseur;

// The welcome window shown at start: a short presentation, a start button and a quit cross.
class Accueil : public QWidget
{
    Q_OBJECT

public:
    explicit Accueil(Contexte contexte);

    /// Opens the main window and destroys this one.
    void Demarrer();

signals:
    /// The main window has just been created and shown.
    void demarre(Synthetiseur *principal);

private:
    Contexte m_ctx;
};
