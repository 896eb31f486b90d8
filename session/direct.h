#pragma once

#include "analyse/analyse.h"
#include "synth/analyseson.h"

#include <QList>
#include <QObject>
#include <QPointF>

#include <vector>

// What the microphone's samples become, away from the sound: the live frames (the magnitude
// spectrum as a spectrum layer and the pitch found) and the 3 s recording, analysed as a file
// would be. It never touches the session's sound: live listening changes neither the table nor
// test.wav. Blocks arrive by value (from Micro::bloc), and each makes a live frame once the
// blocks already waiting are taken in: when the window was busy, the blocks that piled up make
// one frame, not one each to be drawn over at once. The analysis keeps its working memory, so a
// live frame allocates nothing but the points it hands on.
class Direct : public QObject
{
    Q_OBJECT

public:
    /// Samples analysed per live frame (about 93 ms at 44100 Hz: three periods down to 32 Hz).
    static constexpr int Fenetre = 4096;
    /// What a recording lasts.
    static constexpr double DureeEnregistrement = 3.0;
    /// Below this peak (−40 dB of full scale) a frame is not scaled up: silence stays low.
    static constexpr double Plancher = 0.01;

    explicit Direct(QObject *parent = nullptr);

    /// Live frames on or off (recording is independent of it).
    void fixeDirect(bool oui);
    bool direct() const { return m_direct; }
    /// Starts a recording of DureeEnregistrement from the next samples; false when one runs.
    bool enregistre();
    bool enregistrement() const { return m_enregistre; }
    /// The input was lost: a recording in progress is refused, nothing else changes.
    void perdue();
    /// Forgets a recording in progress without a word (the user stopped it, the window closes).
    void abandonne();

    /// The layer for a live frame: the magnitude spectrum 0..5000 Hz, scaled so that the
    /// strongest harmonic peak (the strongest bin when no pitch is found) reaches 10, the top
    /// grid line, unless it is under Plancher; then the scale is that of a peak at Plancher.
    static QList<QPointF> Points(const Mesure &mesure);

    /// The last recording, 16-bit mono at 44100 Hz, empty when none was made.
    const QByteArray &derniere() const { return m_derniere; }
    /// The recording as a 16-bit mono 44100 Hz WAV file's samples (resampled when captured at
    /// another rate).
    static QByteArray En44100(const std::vector<float> &echantillons, double frequence);

public slots:
    /// New samples from the microphone. The live frame they make follows by a queued call, after
    /// the events already waiting (other blocks among them).
    void recoit(const QList<float> &echantillons, int frequence);

signals:
    /// A live frame: its layer and its pitch in hertz (0: none found).
    void trame(QList<QPointF> points, double hauteur);
    /// The whole seconds a recording still lasts (3, 2, 1), at each change.
    void compte(int secondes);
    /// A recording ended and was analysed.
    void analyse(AnalyseSon::Resultat resultat);
    /// A recording was refused (cut short, or the analysis refused it): `pourquoi` in French.
    void refuse(QString pourquoi);

private:
    void trameDue();
    void trameDirecte(int frequence);
    void finit(int frequence);

    bool m_direct = false;
    bool m_enregistre = false;
    std::vector<float> m_anneau; ///< the last Fenetre samples, oldest first from m_tete
    std::size_t m_tete = 0;
    std::vector<float> m_fenetre; ///< the frame, in order
    bool m_trameDue = false;      ///< a frame is to be made of samples taken in since the last
    bool m_trameEnvoyee = false;  ///< the queued call that makes it is on its way
    int m_frequenceDirecte = 0;
    std::vector<float> m_prise; ///< the recording in progress
    int m_frequencePrise = 0;
    int m_dernierCompte = 0;
    Analyseur m_analyseur;
    Mesure m_mesure;
    QByteArray m_derniere;
};
