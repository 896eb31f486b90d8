#pragma once

#include <QWidget>

// The help window "Aide" ("Comment ça marche"): frameless, modeless, kept out of the task bar,
// centred when created and destroyed when its red cross is clicked.
class Aide : public QWidget
{
    Q_OBJECT

public:
    explicit Aide(QWidget *parent = nullptr);

private:
    void construit();
};
