#pragma once

#include "analyse/analyse.h"
#include "model/timbre.h"
#include "synth/sonfichier.h"
#include "synth/timbrefichier.h"

#include <QString>

#include <optional>

// A sound file analysed into a timbre: the stretch read (SonFichier), measured (Analyse) and
// turned into a table (EnTimbre). What the command line and the window both use.
namespace AnalyseSon {

struct Resultat
{
    Timbre timbre;                  ///< what the table gets
    TimbreFichier::Origine origine; ///< what a saved file records of it
    Mesure mesure;                  ///< the fundamental, the harmonics and the spectrum, for drawing
    SonFichier::Son son;            ///< the stretch itself, to be heard beside the model
};

/// The stretch as SonFichier::Charge picks it, analysed. On refusal (an unreadable file, no pitch,
/// too short for the pitch found...) returns nothing and `pourquoi` receives one French line
/// naming the file and the reason.
std::optional<Resultat> Analyse(const QString &chemin, std::optional<double> debut = {},
                                std::optional<double> duree = {}, QString *pourquoi = nullptr);

/// The analysis of samples already read, with the same refusals (`chemin` names them).
std::optional<Resultat> Analyse(SonFichier::Son son, const QString &chemin, QString *pourquoi = nullptr);

} // namespace AnalyseSon
