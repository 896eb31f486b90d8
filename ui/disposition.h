#pragma once

#include <QCursor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// How one element of a layout lays itself out at a zoom, kept with it from the moment it is
// built: its rectangle in twips and what it draws again at a new size. The zoom asks every
// element of a window, parents first, to lay itself out again; it knows no widget class.
struct Disposition
{
    /// The rectangle in twips in its parent's drawing area; none: placed by its owner, or not at all.
    std::optional<QRectF> twips;
    /// Fills its parent instead of a rectangle of its own (a caption inside its button).
    bool remplitParent = false;
    /// A margin around the rectangle, in pixels at 100 % (an outline centred on the rectangle's edge).
    int marge = 0;
    /// The font at 100 %, scaled at each zoom; none for what draws its text scaled itself.
    std::optional<QFont> police;
    /// Draws its frame's line again at the zoom, before it is placed (its width counts in its size).
    std::function<void(double)> retrace;
    /// The style sheet at 100 %, its lengths in pixels scaled.
    QString feuille;
    /// The style's own boxes and round buttons drawn at the zoom.
    bool indicateursAgrandis = false;
    /// The pointer image at 100 %, drawn again at each zoom.
    std::optional<QCursor> pointeur;
    /// How far its children sit inside it: its frame's width at the current zoom.
    std::function<int()> bord;
    /// What it draws again once placed at a new zoom (a picture, a plot).
    std::function<void(double)> redessine;

    // A window's own.
    /// Its drawing area in twips, when its size comes from the layout.
    std::optional<QSizeF> tailleFenetre;
    /// The zoom the window is shown at.
    double zoom = 1.0;

    /// Lays `w`, the element this is the layout of, out again at `facteur` (1: the layout's own pixels).
    void Redispose(QWidget *w, double facteur) const;
    /// Places `w` from its rectangle at its window's zoom; false when it has none.
    bool Place(QWidget *w) const;
};

namespace Dispositions {

/// The layout of `w`, empty when first asked for; it goes with the element.
Disposition &De(QWidget *w);
/// The layout of `w`, or null when it has none.
const Disposition *Trouve(const QWidget *w);

} // namespace Dispositions
