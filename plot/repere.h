#pragma once

#include <QPointF>
#include <QRect>

// Twips, user units and pixels. 15 twips make one pixel at 96 dots per inch.
inline constexpr double TwipsParPixel = 15.0;

/// Rectangle from a layout in twips, rounded once: each edge to the nearest pixel.
QRect RectangleTwips(double gauche, double haut, double largeur, double hauteur);

/// A plot's user coordinate system, fixed by the layout: the value at the top-left corner
/// of the drawing area and the number of twips per unit on each axis (y grows downwards).
struct Repere
{
    double x0 = 0.0;     ///< user x at the left edge
    double y0 = 0.0;     ///< user y at the top edge
    double twipsX = 1.0; ///< twips per user unit, horizontally
    double twipsY = 1.0; ///< twips per user unit, vertically

    /// User point to logical pixels of the drawing area (fractional; not rounded).
    QPointF versPixels(double x, double y) const
    {
        return {(x - x0) * twipsX / TwipsParPixel, (y - y0) * twipsY / TwipsParPixel};
    }
    /// Logical pixels of the drawing area to user units.
    QPointF versUtilisateur(QPointF p) const
    {
        return {x0 + p.x() * TwipsParPixel / twipsX, y0 + p.y() * TwipsParPixel / twipsY};
    }
};

/// The spectrum: 0 Hz at the left edge, 2.6184 twips per hertz; y = −1 at the top, 293.9888 twips per unit.
inline constexpr Repere RepereSpectre{0.0, -1.0, 2.6184, 293.9888};
/// The time plot: 0 divisions at the left edge, 1306.8478 twips per division; y = −6 at the top, 300 twips per unit.
inline constexpr Repere RepereTemporel{0.0, -6.0, 1306.8478, 300.0};
