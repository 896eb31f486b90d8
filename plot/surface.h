#pragma once

#include "plot/repere.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QWidget>

// A retained drawing surface in user coordinates: what is drawn stays in an image until the
// next clear, whether the widget is shown, hidden or covered; painting only copies the image.
// Pointer events are reported in user coordinates; Qt's implicit grab keeps the release
// with the surface that saw the press, even outside it.
//
// Pixel rule, shared by lines, points and text: a user point falls in the logical pixel
// (floor(px), floor(py)). A line of width w sweeps a w × w square whose top-left corner is that
// pixel, so a 1-pixel vertical line fills exactly one column. At a device pixel ratio of 2 the same
// logical pixels are painted, each as 2 × 2 device pixels; text is rasterised at device resolution.
class Surface : public QWidget
{
    Q_OBJECT

public:
    /// `taille` in logical pixels; `ratio` 0 takes the screen's device pixel ratio.
    Surface(const Repere &repere, QSize taille, QWidget *parent = nullptr, qreal ratio = 0);

    const Repere &repere() const { return m_repere; }

    /// Fills with the palette's Base colour (white unless the parent says otherwise); pen to (0, 0).
    void Efface();
    /// A line of no length only moves the pen.
    void Ligne(double x1, double y1, double x2, double y2, const QColor &couleur);
    void LigneVers(double x, double y, const QColor &couleur);
    /// Consecutive line-tos from the pen through `points`, drawn in one pass; the pen ends on the last.
    void Polyligne(const QList<QPointF> &points, const QColor &couleur);
    void Point(double x, double y, const QColor &couleur);
    void FixeXPlume(double x);
    /// " 880 ": a leading blank for the sign, the digits, a trailing blank; top-left at the pen.
    /// In font() and the palette's Text colour, over the drawing (no background box); the pen stays.
    void ImprimeNombre(int valeur);
    void FixeLargeur(int pixels);
    int largeur() const { return m_largeur; }
    QPointF plume() const { return m_plume; }

    /// The retained drawing, at device resolution (its devicePixelRatio is set).
    const QImage &image() const { return m_image; }
    /// Drawn over the image, never into it, so the retained drawing stays the plot alone: a dotted
    /// ring in `couleur` while the surface holds the keyboard focus after keyboard use in its
    /// window (an invalid colour: no ring), and a caption at a user point (an empty text: none).
    void FixeAnneauFocus(const QColor &couleur);
    void FixeEtiquette(const QString &texte, QPointF point = {});
    QString etiquette() const { return m_etiquette; }

    /// Widget position (logical pixels) to user coordinates.
    QPointF versUtilisateur(QPointF position) const { return m_repere.versUtilisateur(position / m_zoom); }

    /// Shown `zoom` times larger: the drawing keeps its logical pixels and pixel rule, and the retained
    /// image is made `zoom` times denser, as a higher device pixel ratio would make it. The image is
    /// cleared: the owner redraws.
    void FixeZoom(double zoom);
    double zoom() const { return m_zoom; }

signals:
    /// `boutons`: mask of the buttons held (1 left, 2 right, 4 middle).
    void sourisBouge(int boutons, QPointF point);
    /// `bouton`: the one button pressed or released.
    void sourisEnfoncee(int bouton, QPointF point);
    void sourisRelachee(int bouton, QPointF point);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void adapteRatio();

    Repere m_repere;
    QSize m_taille;
    bool m_ratioAuto = false;
    qreal m_ratio = 1.0; ///< device pixel ratio of the screen (or the one given), before the zoom
    double m_zoom = 1.0;
    QImage m_image;
    QPointF m_plume;
    int m_largeur = 1;
    QColor m_anneau;
    QString m_etiquette;
    QPointF m_pointEtiquette;
};
