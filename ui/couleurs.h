#pragma once

#include <QColor>

// The layout's colours, named once for every window.
namespace Couleurs {

inline const QColor BleuNuit(0, 0, 64);          ///< panels, title bars, the keyboard's frame
inline const QColor GrisFenetre(224, 224, 224);  ///< window and property panels
inline const QColor GrisCache(192, 192, 192);    ///< placeholders of hidden plots
inline const QColor GrisCommande(128, 128, 128); ///< captions of the main window's commands
inline const QColor GrisParagraphe(64, 64, 64);  ///< paragraphs of the welcome and help windows
inline const QColor Blanc(255, 255, 255);
inline const QColor Lavande(192, 192, 255); ///< placeholders' shapes, the help's miniature grid
inline const QColor Orange(255, 128, 0);    ///< the peak in the help, the keyboard focus
inline const QColor Magenta(255, 0, 255);   ///< the frequencies check box's caption

} // namespace Couleurs
