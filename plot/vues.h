#pragma once

#include "model/son.h"

#include <QColor>
#include <QList>
#include <QPointF>

#include <array>
#include <optional>

class Surface;

// The two plots as views: each keeps the state it shows and composes its whole picture in one
// place, in one order, on its retained Surface. Callers set state, then ask for dessine(); they
// never draw on the surface themselves.
//
// Overlays (fixeCouche) are curves in the plot's user coordinates; a spectrum overlay is a list of
// (frequency in hertz, amplitude 0..10) points, a time overlay a list of (divisions, signal) points.
// A point that is not finite (NaN) lifts the pen: the next point starts a new stroke, so one layer
// can hold separate marks. An empty list removes the layer. None is set unless a caller sets it.
enum class Couche {
    Mesure, ///< the measured spectrum of a recording: behind the component lines, in a light colour
    Direct, ///< the live spectrum of the microphone: over the whole plot
    Cache,  ///< a spectrum to find, or marks that hint at it: over everything else
};

class VueSpectre
{
public:
    /// Colours of the overlays, in the order of Couche.
    static inline const std::array<QColor, 3> CouleursCouches{QColor(200, 230, 200), QColor(0, 130, 0),
                                                              QColor(150, 0, 150)};

    explicit VueSpectre(Surface &surface) : m_surface(surface) {}

    void fixeSon(const Son &son) { m_son = son; }
    /// The mouse's (or the keyboard cursor's) preview line at (X, Y); none: no preview.
    void fixeApercu(std::optional<QPointF> point) { m_apercu = point; }
    void fixeAfficheFreq(bool affiche) { m_afficheFreq = affiche; }
    void fixeCouche(Couche couche, QList<QPointF> points) { m_couches[int(couche)] = std::move(points); }
    bool afficheFreq() const { return m_afficheFreq; }

    /// The one drawing order: clear; the measured layer; the grid (QuadrilleSpectre, which leaves the
    /// pen on the base line for the labels); the preview line; the component lines and labels
    /// (TraceSpectre, so the lines lie over the preview); the live layer; the hidden layer.
    void dessine();

private:
    Surface &m_surface;
    Son m_son;
    std::optional<QPointF> m_apercu;
    bool m_afficheFreq = false;
    std::array<QList<QPointF>, 3> m_couches;
};

class VueTemps
{
public:
    explicit VueTemps(Surface &surface) : m_surface(surface) {}

    void fixeSon(const Son &son) { m_son = son; }
    /// 1 coarse (a point every 1/20 of a division), 2 fine (every 1/1000).
    void fixeQualite(int qualite) { m_qualite = qualite; }
    void fixeCouche(Couche couche, QList<QPointF> points) { m_couches[int(couche)] = std::move(points); }

    /// The one drawing order: clear; grid (QuadrilleTemporel); the origin's point; the curve
    /// (TraceTemporel); then the layers in the order of Couche.
    void dessine();

private:
    Surface &m_surface;
    Son m_son;
    int m_qualite = 2;
    std::array<QList<QPointF>, 3> m_couches;
};
