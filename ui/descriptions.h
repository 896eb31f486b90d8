#pragma once

#include "model/curseur.h"
#include "model/son.h"
#include "plot/repere.h"

#include <QCoreApplication>
#include <QPoint>
#include <QString>

// The values the plots show, as French sentences: the plots' accessible descriptions, the tooltips
// of the lines and of the time axis, the keyboard cursor's caption. Plain functions of the table,
// so that what a screen reader says and what a tooltip says are the same words.
class Descriptions
{
    Q_DECLARE_TR_FUNCTIONS(Descriptions)

public:
    /// Pixels around a component's line (each side, both axes) within which the pointer names it.
    static constexpr int ToleranceSurvol = 3;

    /// A number with a decimal comma and `decimales` digits after it.
    static QString Nombre(double valeur, int decimales);
    /// An amplitude to one decimal, the ",0" of a whole value left out: "10", "2,5".
    static QString Amplitude(double amplitude);

    /// "Spectre : 3 composantes — 440 Hz amplitude 10, 880 Hz amplitude 5, 1320 Hz amplitude 2,5";
    /// the components as committed, slot order (the fundamental first).
    static QString Spectre(const Son &c);
    /// The spectrum's description followed by where the keyboard cursor stands.
    static QString AvecCurseur(const QString &description, Curseur::Point p);
    /// The spectrum's description followed by the measured spectrum shown under it:
    /// "…. Spectre mesuré de « clarinette.flac » : fondamental 441 Hz".
    static QString AvecMesure(const QString &description, const QString &nom, double fondamental);
    /// "Évolution temporelle, 1 ms par division".
    static QString Temporel(float sensibilite);

    /// A component's tooltip and the cursor's caption: "880 Hz — amplitude 5,0".
    static QString Valeur(double frequence, double amplitude);
    /// The time plot's tooltip: "t = 2,35 ms", with more decimals on the finer time bases.
    static QString Instant(double divisions, float sensibilite);

    /// The component whose line is under `pixel` (logical pixels of the spectrum's drawing area),
    /// within ToleranceSurvol: the nearest, the one drawn last on a tie; 0 when none. Only drawn
    /// lines count: slots 2 to 10 with an amplitude above 0 (the fundamental is its marker).
    static int ComposanteSous(const Son &c, const Repere &repere, QPoint pixel);
};
