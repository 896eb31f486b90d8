#pragma once

#include <QList>

class QWidget;

// The order in which assistive technologies read a window. By default they follow the widgets'
// creation order, which is the stacking order the layout needs (later siblings lie above earlier
// ones), not the order in which a reader's eye goes down the window.
namespace OrdreLecture {

/// `parent`'s accessible children, in this order: `ordre` first (widgets that are `parent`'s
/// children, or placed with `Adopte`), then its other children in their usual order. Those
/// hidden on purpose (a page not shown) are left out.
void Ordonne(QWidget *parent, const QList<QWidget *> &ordre);

/// `enfant` is read as a child of `parent` (where it shows), whatever its widget parent.
/// `parent` must then list it with `Ordonne`.
void Adopte(QWidget *parent, QWidget *enfant);

} // namespace OrdreLecture
