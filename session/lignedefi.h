#pragma once

#include "model/defi.h"

#include <QCoreApplication>
#include <QString>

class QCommandLineParser;

// The listening challenges on the command line, for the teacher, without any window:
//   --defi NUMERO --niveau N --sortie CIBLE.timbre   writes the hidden timbre (440 Hz)
//   --compare CIBLE.timbre ESSAI.timbre              prints the score, then one verdict a harmonic
// The parser only collects the options into a Demande; Execute does the work.
class LigneDefi
{
    Q_DECLARE_TR_FUNCTIONS(LigneDefi)

public:
    /// What the command line asks of the challenges.
    struct Demande
    {
        enum class Commande { Aucune, Ecrit, Compare };
        Commande commande = Commande::Aucune;
        int numero = 0;
        int niveau = 0;
        QString sortie; ///< --sortie: the challenge's file
        QString cible;  ///< --compare: the challenge's file
        QString essai;  ///< the pupil's file (the positional argument after --compare)
    };

    /// How a headless command ends: exit status and the texts for standard output and error.
    struct Issue
    {
        int code = 0;
        QString sortie;
        QString erreur;
    };

    /// Fundamental of a challenge written from the command line, in hertz.
    static constexpr int Fondamental = 440;
    static constexpr int CodeErreur = 2;

    /// Reads the challenge options of a parsed command line into `demande`. Returns the refusal
    /// (one French line, without its newline) or an empty string. `essayez` is the hint to the
    /// help that the parser's own refusals end with.
    static QString Lit(const QCommandLineParser &analyseur, const QString &programme, const QString &essayez,
                       Demande &demande);

    /// A challenge number or level as written: ASCII digits only; nothing when it is not one.
    static std::optional<int> Entier(const QString &texte);

    /// Writes the challenge's timbre on 440 Hz to `sortie`, atomically.
    static Issue Ecrit(int numero, int niveau, const QString &sortie);
    /// Scores the pupil's file `essai` against the challenge's file `cible`, without hints.
    static Issue Compare(const QString &cible, const QString &essai);
    /// What `demande` asks (an Issue with code 0 and no text when it asks nothing).
    static Issue Execute(const Demande &demande);

    /// The French word of a verdict ("juste", "trop fort", ...).
    static QString Mot(Defis::Verdict verdict);
    /// One line of a comparison: « harmonique 3 : trop fort », « hors harmoniques : en trop ».
    static QString Texte(const Defis::Ligne &ligne);
};
