#pragma once

#include "ui/echelle.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <initializer_list>

class Bouton;
class QCursor;
class QFrame;
class QLabel;
class QWidget;

// Building blocks shared by the windows: elements placed from the layout's twips, with the
// layout's colours and fonts.
namespace Elements {

/// Places `w` from a rectangle in twips, scaled by its window's zoom and rounded once; children of a
/// framed panel sit inside its frame. The rectangle is kept in the element's layout, for every zoom.
void Place(QWidget *w, double gauche, double haut, double largeur, double hauteur);
/// Sets the font of `w` as the layout gives it at 100 %; the zoom scales it.
void FixePolice(QWidget *w, const QFont &police);
/// Sets the pointer of `w`; a pointer image is drawn again at each zoom.
void FixePointeur(QWidget *w, const QCursor &pointeur);
/// Sets the style sheet of `w` at 100 %; the zoom scales its lengths in pixels.
void FixeFeuille(QWidget *w, const QString &feuille);
/// A window whose size comes from the layout: `twips` is its drawing area at 100 %.
void Fenetre(QWidget *fenetre, QSizeF twips);
/// Fills the element's background with `couleur`.
void Fond(QWidget *w, const QColor &couleur);
/// A flat one-pixel black frame, as thick as the zoom makes it; the contents sit inside it.
void Cadre(QFrame *f);
/// A layout font: whole-pixel advances, as the layout's texts were measured.
QFont Police(const char *famille, double points);
/// A caption: wraps at blanks, transparent unless given a background with Fond().
QLabel *Etiquette(QWidget *parent, const char *nom, QRectF twips, const QString &texte, const QColor &couleur,
                  const QFont &police, Qt::Alignment alignement = Qt::AlignLeft);
/// A picture stretched to its rectangle, rendered at the parent's device pixel ratio.
QLabel *Image(QWidget *parent, const char *nom, QRectF twips, const QString &chemin);
/// A clickable picture: drawn as Image() draws it, with a pointing hand over it and an accessible name.
Bouton *BoutonImage(QWidget *parent, const char *nom, QRectF twips, const QString &chemin, const QString &accessible);
/// A clickable panel filled with `fond`, optionally framed, with a pointing hand and an accessible name.
Bouton *BoutonPanneau(QWidget *parent, const char *nom, QRectF twips, const QColor &fond, bool cadre,
                      const QString &accessible);

/// The kinds of element a panel's table lists.
enum class Genre {
    Etiquette,     ///< a caption in `couleur`, transparent
    Titre,         ///< a caption in `couleur` on `fond`
    Image,         ///< a picture; `texte` is its accessible name
    BoutonImage,   ///< a clickable picture; `texte` is its accessible name, `bulle` its tooltip
    BoutonPanneau, ///< a clickable framed panel filled with `fond`; `texte` is its accessible name
    Panneau,       ///< a panel filled with `fond`
    PanneauCadre,  ///< a framed panel filled with `fond`
    Forme,         ///< a placeholder's rounded shape, letting clicks through
    Legende,       ///< a check box's caption that toggles it; Tab skips it
    Case,          ///< a check box without caption; `texte` is its accessible name
};

/// One element of a panel as the layout gives it: its name (the objectName), its container
/// (the name of an element above it in the table; none: the panel's own parent), its kind, its
/// rectangle in twips and its text, untranslated.
struct Element
{
    const char *nom;
    const char *dans;
    Genre genre;
    QRectF twips;
    const char *texte = nullptr;
    QColor couleur = Qt::black;
    QColor fond = {};
    /// Calibri at this size, for captions.
    double points = 0;
    const char *image = nullptr;
    const char *bulle = nullptr;
    Qt::Alignment alignement = Qt::AlignLeft;
};

/// Builds `table` in its order (a later sibling lies above an earlier one) under `parent`, its
/// texts translated in `contexte`; the elements by name.
QHash<QString, QWidget *> Construit(QWidget *parent, std::initializer_list<Element> table, const char *contexte);

/// Shows a plot panel or its placeholder, never both. The keyboard focus follows to what shows
/// (to the panel's command `premier`).
void Bascule(QWidget *panneau, QWidget *premier, QWidget *remplacant, bool montre);

/// Top-left corner that centres a window of `taille` in `zone`. A window larger than the zone
/// keeps its top-left corner in the zone: the title bar and the top-left contents stay reachable.
QPoint PositionCentree(const QRect &zone, const QSize &taille);
/// Centres a window on its screen's available area (the primary screen before it has one).
void Centre(QWidget *fenetre);

} // namespace Elements
