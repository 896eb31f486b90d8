#pragma once

#include <QSlider>

// The listening volume as a slider in whole decibels over the file's level: its lowest position
// is silence, the next ones go from Volume::MinDecibels (−40 dB) up to Volume::MaxDecibels (+20 dB). The arrows
// move it by one decibel, Ctrl+Haut and Ctrl+Bas by a larger step. The position chosen is kept
// between runs (Reglages, son/volume).
class CurseurVolume : public QSlider
{
    Q_OBJECT

public:
    /// The lowest position: nothing is heard.
    static constexpr int Silence = -41;
    static constexpr int Maximum = 20;
    /// The step of Ctrl+Haut / Ctrl+Bas (and of Page up / Page down), in decibels.
    static constexpr int GrandPas = 6;
    /// Where the position is kept.
    static inline const char *const Cle = "son/volume";

    explicit CurseurVolume(QWidget *parent = nullptr);

    /// The volume in decibels, as Volume::Gain takes it (silence below Volume::MinDecibels).
    double decibels() const { return value(); }
    /// The position as said to the user: "Silence", "0 dB", "+6 dB", "−12 dB".
    static QString Texte(int decibels);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void change(int decibels);
};
