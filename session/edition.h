#pragma once

#include "model/son.h"
#include "model/timbre.h"
#include "synth/generateur.h"

#include <QList>
#include <QObject>
#include <QPointF>

#include <array>
#include <cstdint>
#include <vector>

class Lecture;
class QUndoStack;
namespace AnalyseSon {
struct Resultat;
}

/// What the player plays: the table's own sound (through the mute/solo mask), an analysed
/// recording, or the hidden sound of a challenge. test.wav is always the table's sound.
enum class Ecoute { Modele, Original, Defi };

// The editing session: the owner of the program's one sound, and the one place that knows what
// each user intent does to it and what must follow. Every intent changes the sound through the
// rules, then goes through one commit path that says what to redraw (by signals) and, for a
// committed change, writes test.wav and hands the samples to the player. Windows read the sound
// through son() and connect the signals to their views; the keyboard window talks to this
// object, never to the main window. No widgets here.
class Edition : public QObject
{
    Q_OBJECT

public:
    /// Quality of a time-plot redraw: coarse while the pointer moves, fine once a change is committed.
    enum Qualite { Grossier = 1, Fin = 2 };
    /// Keys of the keyboard: four octaves from the lowest C.
    static constexpr int NombreNotes = 49;
    /// Undo steps kept: the last ones only.
    static constexpr int LimiteAnnulations = 1000;

    /// test.wav is written at `cheminWav`; the samples go to `lecture`.
    Edition(Lecture &lecture, QString cheminWav, QObject *parent = nullptr);

    /// The sound, read-only: it changes through the intents below and nowhere else.
    const Son &son() const { return m_son; }
    Generateur &generateur() { return m_generateur; }

    /// The multiples-only option (read by clear, preview and add).
    bool musical() const { return m_son.Musical; }
    /// Sets the option; musicalChange tells the windows when it changes.
    void fixeMusical(bool musical);
    /// The marker's left edge in hertz (fractional, as the layout puts it).
    double fondamental() const { return m_fondamental; }

    /// The start-up: the marker at its layout place, empty table, sound off, 1 ms per division, then a
    /// clear, or, given a valid `timbre`, that timbre instead of the clear's default sound (one
    /// synthesis either way). History starts after it.
    void Demarre(const Timbre *timbre = nullptr);
    /// Clear: the table emptied (the fundamental re-created at the marker with multiples only).
    void Efface();
    /// The pointer over the spectrum at (X, Y), `gauche` when the left button is held.
    /// Returns false outside the editing area, where nothing but a plain redraw happens.
    /// survolChange says which, for the pointer's shape.
    bool Survole(float X, float Y, bool gauche);
    /// Nothing points at the spectrum any more (the keyboard cursor left it): a plain redraw.
    void QuitteSpectre();
    /// A left release at (X, Y): one component added unless the table is full.
    bool Ajoute(float X, float Y);
    /// A right release: the last component removed, the fundamental kept.
    bool RetireDerniere();
    /// One step of the fundamental's drag to abscissa X.
    void GlisseFondamental(float X);
    /// The fundamental dropped where its last step put it.
    void LacheFondamental();
    /// The frequency field of component i (1 to the last one): on the fundamental, a move of it as a
    /// drop at `hertz` would make (the marker follows, kept whole on the plot); on another, the
    /// value through the multiples-only rule, as a release snaps it. One commit, one undo step.
    /// False, nothing changed, for a slot outside the table.
    bool FixeFrequence(int i, double hertz);
    /// The amplitude of component i, 0 to 10. With `fin` false, one step of a slider's drag: the
    /// table, the spectrum, the coarse time plot and the new samples to the player, nothing written;
    /// with `fin` true, the commit: the fine time plot and test.wav, one undo step from the last
    /// commit, so a whole drag is one step. False, nothing changed, for a slot outside the table.
    bool FixeAmplitude(int i, double amplitude, bool fin);
    /// A key of the keyboard: the fundamental moves to that note, the timbre stays.
    bool ChoisitNote(int index);
    /// One of the nine time bases of the time plot.
    bool ChoisitSensibilite(int index);
    /// Sound on: loops the newest test.wav, without a new synthesis.
    void Ecoute();
    /// Sound off.
    void Coupe();
    /// The listening volume in decibels over the file's level; below Volume::MinDecibels, silence.
    /// Changes what is heard only, never test.wav.
    void FixeVolume(double decibels);
    double volume() const { return m_volume; }
    /// False while sound cannot reach the user (no output, or the output lost).
    bool sortieDisponible() const { return m_sortieDisponible; }
    /// The main window closes: the loop stops, the option stays as it was.
    void Ferme();
    /// Replaces the whole table with a valid timbre (a file's or a built-in one): the option takes
    /// the timbre's state, the marker goes to the fundamental, then the commit of any edit.
    /// Returns false, with nothing changed, for a timbre that breaks a rule.
    bool ChargeTimbre(const Timbre &timbre);
    /// A built-in timbre on the current fundamental.
    void ChoisitTimbreType(Timbres::Type type);
    /// The table as a timbre, with the option's state, ready to be saved.
    Timbre TimbreCourant() const;

    /// The history of committed table changes; undo and redo go through the commit path.
    QUndoStack &historique() const { return *m_historique; }
    void Annule();
    void Retablit();

    // --- What is played (the source and the mask); test.wav never depends on it ---
    /// The source handed to the player; switching while sound is on cross-fades (BasculeSon).
    void fixeEcoute(::Ecoute source);
    ::Ecoute ecoute() const { return m_ecoute; }
    /// The samples played for Original (16-bit little-endian mono, 44100 Hz); empty: none, and
    /// Original then plays the table.
    void fixeOriginal(QByteArray echantillons44k);
    const QByteArray &original() const { return m_original; }
    /// The samples played for Defi, as fixeOriginal.
    void fixeDefi(QByteArray echantillons44k);
    /// Which components (1 to 10; slot 0 unused) are heard when the table plays: a muted one is
    /// left out of what the player gets, at the same scale, never out of test.wav.
    void fixeMasque(const std::array<bool, Son::Max + 1> &audibles);
    const std::array<bool, Son::Max + 1> &masque() const { return m_audibles; }
    /// The samples the player gets for the current source.
    QByteArray sonJoue() const;

    // --- An analysed recording (session/editionanalyse.cpp) ---
    /// What the spectrum plot shows of the last sound analysed.
    struct SpectreAnalyse
    {
        QString nom;            ///< the file's name
        double fondamental = 0; ///< hertz, as measured
        /// (hertz, 0..10) from 0 to 5000 Hz, scaled so that the strongest harmonic's peak reaches
        /// its component's line; empty before any analysis.
        QList<QPointF> points;
    };
    /// An analysed sound: its timbre committed like any edit (one undo step), its stretch kept as
    /// the original to compare with, its spectrum for the plot. False, with nothing changed, for a
    /// timbre that breaks a rule.
    bool ChargeAnalyse(const AnalyseSon::Resultat &resultat);
    /// The original and the spectrum only, the table untouched (a start-up on an analysed sound).
    void fixeAnalyse(const AnalyseSon::Resultat &resultat);
    const SpectreAnalyse &analyse() const { return m_analyse; }
    /// The stretch as the player wants it: 44100 Hz, 16-bit mono, whole periods of `fondamental`
    /// (so that the loop has no seam), its peak at `crete`.
    static QByteArray Original44k(const std::vector<float> &echantillons, double frequence, double fondamental,
                                  int crete);

    // --- The file the table belongs to ---
    /// The .timbre file the table was last opened from or saved to; empty: none (the start-up).
    const QString &fichier() const { return m_fichier; }
    /// The table as it stands now is the file at `chemin` (just opened or saved): the history's
    /// clean point moves here.
    void fixeFichier(const QString &chemin);
    /// True when the table or the multiples-only option changed since the start-up, the last
    /// opening or the last saving. Undoing back to that point is unchanged again; once that point
    /// has fallen out of the bounded history, it can never be reached again.
    bool modifie() const;

    /// What one history step restores: the table's components and the marker.
    struct Etat
    {
        std::array<std::int16_t, Son::Max + 1> frequence{};
        std::array<float, Son::Max + 1> amplitude{};
        std::int16_t prochaine = 0;
        double fondamental = 0.0;
        bool operator==(const Etat &) const = default;
    };
    /// Puts a recorded state back and commits it (no new history step).
    void Restaure(const Etat &etat);

signals:
    /// The spectrum must be drawn again from the table (grid and lines).
    void spectreChange();
    /// The spectrum with a preview line at (X, Y), under the table's lines.
    void apercuChange(float X, float Y);
    /// The spectrum without its preview line (the pointer left the editing area); the table is as it was.
    void apercuRetire();
    /// The time plot must be drawn again at this quality.
    void tempsChange(int qualite);
    /// The fundamental's marker moves: left edge at `hertz`.
    void fondamentalPlace(double hertz);
    /// Sound switched on or off.
    void sonChange(bool actif);
    /// test.wav was written for a committed change (`ecrit` false when the write failed).
    void sonGenere(bool ecrit);
    /// The multiples-only option changed (a check box, a loaded timbre, the start-up).
    void musicalChange(bool musical);
    /// The pointer over the spectrum is inside the editing area (true) or not.
    void survolChange(bool dedans);
    /// An output is there for the sound (true) or none is (false).
    void sortieChange(bool disponible);
    /// The source played changed.
    void ecouteChange(::Ecoute source);
    /// Another sound was analysed (analyse() has its spectrum).
    void analyseChange();
    /// fichier() or modifie() may have changed.
    void documentChange();

private:
    /// Echantillons: the table's samples to the player without test.wav (a slider's step).
    enum Effet { Spectre = 1, TempsGrossier = 2, TempsFin = 4, Synthese = 8, Echantillons = 16 };
    void valide(int effets);
    /// The timbre into the sound, the option and the marker, without the commit.
    bool applique(const Timbre &timbre);
    Etat etat() const;

    Son m_son;
    Lecture &m_lecture;
    Generateur m_generateur;
    double m_fondamental;
    QUndoStack *m_historique;
    Etat m_etatValide;       ///< the table as last committed: the "before" of the next step
    bool m_restaure = false; ///< a history step is being replayed: record nothing
    double m_volume = 0.0;
    bool m_sortieDisponible = true;
    SpectreAnalyse m_analyse;
    QString m_fichier;
    bool m_musicalPropre = true; ///< the option at the clean point
    ::Ecoute m_ecoute = ::Ecoute::Modele;
    QByteArray m_original, m_defi;
    std::array<bool, Son::Max + 1> m_audibles = Tous();
    static std::array<bool, Son::Max + 1> Tous()
    {
        std::array<bool, Son::Max + 1> t;
        t.fill(true);
        return t;
    }
};
