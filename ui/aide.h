#pragma once

#include <QWidget>

// The help window "Comment ça marche": frameless, modeless, destroyed when closed.
class Aide : public QWidget
{
    Q_OBJECT

public:
    explicit Aide(QWidget *parent = nullptr);
};
