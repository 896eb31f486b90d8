#include "ui/echelle.h"

#include "ui/disposition.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace Elements {

double Zoom(const QWidget *w)
{
    const Disposition *d = Dispositions::Trouve(w->window());
    return d ? d->zoom : 1.0;
}

int Trait(const QWidget *w, int pixels)
{
    return std::max(1, int(std::lround(pixels * Zoom(w))));
}

} // namespace Elements
