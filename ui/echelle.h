#pragma once

class QWidget;

// The zoom a window is shown at, as every element of it reads it (kept in the window's layout,
// ui/disposition.cpp).
namespace Elements {

/// The zoom of the window `w` belongs to (1 until it is first zoomed).
double Zoom(const QWidget *w);
/// A line `pixels` thick at 100 %, at the zoom of `w`'s window: whole pixels, never less than one.
int Trait(const QWidget *w, int pixels = 1);

} // namespace Elements
