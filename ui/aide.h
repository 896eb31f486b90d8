#pragma once

#include <QKeySequence>
#include <QLabel>
#include <QList>
#include <QWidget>

class Bouton;

// One line of the help's list of shortcuts: the keys in a first column, what they do in a second,
// drawn the way the captions are (scaled as a whole at a zoom). A screen reader reads it as one
// sentence, "Ctrl+O : ouvrir un timbre".
class LigneRaccourci : public QLabel
{
    Q_OBJECT

public:
    LigneRaccourci(QWidget *parent, const QList<QKeySequence> &touches, const QString &quoi, double colonne);

    /// The keys as shown, in the platform's own names ("Ctrl+Maj+Z, Ctrl+Y").
    QString touches() const { return m_touches; }
    QString quoi() const { return m_quoi; }
    /// Where the second column starts, in pixels at 100 %.
    double colonne() const { return m_colonne; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_touches;
    QString m_quoi;
    double m_colonne;
};

// The help window "Aide" ("Comment ça marche"): frameless, modeless, kept out of the task bar,
// centred when created and destroyed when its red cross is clicked. Its first page answers the
// layout's three questions; a second one, reached by the link in its title strip or Page Down,
// covers the menu, the files, undo, the components, the piano keys, the zoom, the microphone
// and the shortcuts.
class Aide : public QWidget
{
    Q_OBJECT

public:
    explicit Aide(QWidget *parent = nullptr);

    /// The page shown: 1 or 2.
    int page() const { return m_page; }
    /// Shows page 1 or 2; the link in the title strip leads to the other one.
    void montrePage(int page);

private:
    void construit();
    void construitSuite(const QColor &couleurFenetre);

    int m_page = 1;
    QWidget *m_textes = nullptr;
    QWidget *m_miniature = nullptr;
    QWidget *m_suite = nullptr;
    Bouton *m_lien = nullptr;
};
