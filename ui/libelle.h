#pragma once

#include <QLabel>
#include <QStringList>

// A caption laid out the way the layout's texts were measured: lines break only at blanks
// (never inside a hyphenated word), wrapped lines are spaced by the font's height alone,
// without the extra leading Qt's own labels add, and blanks are kept as typed. A paragraph
// then fills exactly the rectangle the layout gives it.
class Libelle : public QLabel
{
public:
    Libelle(const QString &texte, QWidget *parent);

    /// Distance between two wrapped lines, in pixels.
    int interligne() const;
    /// The text cut into the lines shown at the current width.
    QStringList lignes() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
