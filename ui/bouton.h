#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A clickable element of the layout: a panel (filled, optionally framed, holding captions and
// pictures) or a picture on its own. It paints exactly what the layout draws, and nothing more
// while it is used with the mouse; as a real button it takes the keyboard focus with Tab (not
// with a click), answers Space and Enter, emits clicked, and offers assistive technologies a
// press action. A click is the left button pressed and released over the element; any other
// button does nothing, and a release of another button in between cancels the click.
class Bouton : public QAbstractButton
{
    Q_OBJECT

public:
    Bouton(QWidget *parent, const char *nom);

    /// A one-pixel black frame around the element; its contents sit inside it.
    void fixeCadre(bool cadre);
    /// Width of the frame: 1 when framed (times the window's zoom, in whole pixels), else 0.
    int bord() const;
    /// A picture stretched to the element, rendered at the parent's device pixel ratio.
    void fixeImage(const QString &chemin);

    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void rendImage();

    bool m_cadre = false;
    QString m_chemin;
    QPixmap m_image;
};
