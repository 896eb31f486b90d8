#include "plot/repere.h"

#include <cmath>

namespace {

// Each edge is rounded on its own, so two elements sharing an edge in twips share it in pixels.
int Bord(double twips)
{
    return static_cast<int>(std::nearbyint(twips / TwipsParPixel));
}

} // namespace

QRect RectangleTwips(double gauche, double haut, double largeur, double hauteur)
{
    const int x1 = Bord(gauche);
    const int y1 = Bord(haut);
    const int x2 = Bord(gauche + largeur);
    const int y2 = Bord(haut + hauteur);
    return QRect(x1, y1, x2 - x1, y2 - y1);
}
