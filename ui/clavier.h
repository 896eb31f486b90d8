#pragma once

#include "ui/contexte.h"

#include <QPointer>
#include <QWidget>

class Synthetiseur;

// The keyboard window "Clavier": 49 keys over four octaves; a press on a key moves the
// fundamental to that note and rescales the other components with it.
class Clavier : public QWidget
{
    Q_OBJECT

public:
    Clavier(Contexte contexte, Synthetiseur *principal);

    /// A press on key `Index` (any mouse button, on the press).
    void note_MouseDown(int Index);

    static constexpr int NombreTouches = 49;

private:
    Contexte m_ctx;
    QPointer<Synthetiseur> m_principal;
};
