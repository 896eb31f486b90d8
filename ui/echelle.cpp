#include "ui/echelle.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace Elements {

double Zoom(const QWidget *w)
{
    const QVariant z = w->window()->property("zoom");
    return z.isValid() ? z.toDouble() : 1.0;
}

int Trait(const QWidget *w, int pixels)
{
    return std::max(1, int(std::lround(pixels * Zoom(w))));
}

} // namespace Elements
