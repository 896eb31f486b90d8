#pragma once

#include <QFrame>

class Surface;

// The fundamental's marker: a thin bar standing on the spectrum, dragged with the left button.
// It holds the pointer for the whole drag and shows the gripping hand until the release.
// Steps are reported in the spectrum's user coordinates, as the element under the pointer
// would see them: over the marker itself nothing moves; over the spectrum every move is a step
// (state 2); leaving the spectrum sends one last step (state 1) with the position where the
// pointer left. A left release over the marker is a drop.
class Marqueur : public QFrame
{
    Q_OBJECT

public:
    explicit Marqueur(Surface *spectre);
    ~Marqueur() override;

    bool enGlissement() const { return m_glisse; }
    /// The window system ended the drag without telling the marker: the pointer is given back.
    void abandonne();

signals:
    void pas(float X, float Y, int etat);
    void depose();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Surface *m_spectre;
    bool m_glisse = false;
    bool m_dansSpectre = false;
};
