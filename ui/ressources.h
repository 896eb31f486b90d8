#pragma once

#include <QCursor>
#include <QPixmap>
#include <QSize>
#include <QString>

// Pictures and pointers, drawn as SVG and compiled in. Names are paths in the resource system:
//   :/images/hautparleur.svg       loudspeaker with sound waves on dark blue
//   :/images/hautparleur-muet.svg  the same, struck through in orange
//   :/images/croix.svg             red diagonal cross on dark blue
//   :/images/page.svg              white sheet with a turned corner on dark blue
//   :/images/aide.svg              round blue-grey button with a white question mark
//   :/images/clavier.svg           a short stretch of piano keys, black on white
//   :/images/musique.svg           black notes on a five-line staff, on white
//   :/images/icone.svg             white notes on a black five-line staff (application icon)
//   :/pointeurs/main.svg           pointing hand, 32 × 32, hot spot (12, 1)
//   :/pointeurs/saisie.svg         gripping hand, 32 × 32, hot spot (4, 16)
namespace Ressources {

/// The picture rendered at `taille` logical pixels and the given device pixel ratio (crisp at any scale).
QPixmap Image(const QString &chemin, QSize taille, qreal ratio = 1.0);
/// Pointer image A: the pointing hand, `zoom` times its size.
QCursor PointeurMain(double zoom = 1.0);
/// Pointer image B: the gripping hand, `zoom` times its size.
QCursor PointeurSaisie(double zoom = 1.0);
/// `base` (one of the two pointers above at their own size, or any other) redrawn `zoom` times its size;
/// another pointer is returned unchanged.
QCursor PointeurAgrandi(const QCursor &base, double zoom);
/// Fonts: Calibri, Arial and MS Sans Serif mapped onto metric-compatible free fonts.
void InstallePolices();

} // namespace Ressources
