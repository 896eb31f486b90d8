#pragma once

#include "model/curseur.h"

#include <QObject>

class Edition;
class Surface;

// What the two plots tell about their values: their accessible descriptions, kept current from
// the session's signals (and from where the keyboard cursor stands), and their tooltips (a
// component's line under the pointer, the time under the pointer).
class DescriptionsVues : public QObject
{
    Q_OBJECT

public:
    DescriptionsVues(Surface &spectre, Surface &temps, const Edition &edition, QObject *parent);

    /// The keyboard cursor shown at `point`, or hidden.
    void suitCurseur(bool visible, Curseur::Point point);
    /// What the microphone adds at the end of the spectrum's description (". Micro : …"); empty: nothing.
    void fixeMicro(const QString &suffixe);

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void decrit();

    Surface &m_spectre;
    Surface &m_temps;
    const Edition &m_edition;
    bool m_curseurVisible = false;
    Curseur::Point m_curseur;
    QString m_micro;
};
