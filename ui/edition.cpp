#include "ui/edition.h"

#include "audio/lecture.h"
#include "model/composantes.h"
#include "model/regles.h"
#include "plot/repere.h"
#include "plot/temporel.h"
#include "synth/generateur.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Start position of the marker: 1152 twips from the spectrum's left edge.
constexpr double TwipsFondamental = 1152.0;

// One committed change of the table: the states before and after it. The change has already
// happened when the step is pushed, so the first redo (QUndoStack::push calls it) does nothing.
class Etape : public QUndoCommand
{
public:
    Etape(Edition &edition, const Edition::Etat &avant, const Edition::Etat &apres)
        : m_edition(edition), m_avant(avant), m_apres(apres)
    {
    }
    void undo() override { m_edition.Restaure(m_avant); }
    void redo() override
    {
        if (m_fait)
            m_edition.Restaure(m_apres);
        m_fait = true;
    }

private:
    Edition &m_edition;
    Edition::Etat m_avant, m_apres;
    bool m_fait = false;
};

} // namespace

Edition::Edition(Contexte contexte, QObject *parent)
    : QObject(parent), m_ctx(contexte), m_fondamental(TwipsFondamental / RepereSpectre.twipsX),
      m_historique(new QUndoStack(this))
{
    // A bounded history: the oldest steps go, so a long session does not grow forever.
    m_historique->setUndoLimit(LimiteAnnulations);
    m_ctx.lecture.SuitSortie(this, [this](bool disponible) {
        m_sortieDisponible = disponible;
        emit sortieChange(disponible);
    });
}

Edition::Etat Edition::etat() const
{
    return {m_ctx.table.Frequence, m_ctx.table.Amplitude, m_ctx.table.ProchaineComposante, m_fondamental};
}

void Edition::Restaure(const Etat &e)
{
    Composantes &t = m_ctx.table;
    t.Frequence = e.frequence;
    t.Amplitude = e.amplitude;
    t.ProchaineComposante = e.prochaine;
    m_fondamental = e.fondamental;
    emit fondamentalPlace(m_fondamental);
    m_restaure = true;
    valide(Spectre | TempsFin | Synthese);
    m_restaure = false;
}

void Edition::Annule()
{
    m_historique->undo();
}

void Edition::Retablit()
{
    m_historique->redo();
}

bool Edition::ChargeTimbre(const Timbre &timbre)
{
    if (!Timbres::Applique(timbre, m_ctx.table))
        return false;
    m_musical = timbre.multiples;
    emit musicalChange(m_musical);
    // The marker stays whole on the plot, as a drag keeps it: a fundamental beyond the plot's
    // right edge puts it at that edge.
    m_fondamental = std::min<double>(m_ctx.table.Frequence[1], Regles::XMaxFondamental);
    emit fondamentalPlace(m_fondamental);
    valide(Spectre | TempsFin | Synthese);
    return true;
}

void Edition::ChoisitTimbreType(Timbres::Type type)
{
    // After a clear without multiples the table is empty: the marker is the fundamental then.
    const int f1 = m_ctx.table.Frequence[1] >= 1 ? m_ctx.table.Frequence[1] : int(std::lround(m_fondamental));
    ChargeTimbre(Timbres::Classique(type, f1));
}

Timbre Edition::TimbreCourant() const
{
    return Timbres::DepuisTable(m_ctx.table, m_musical);
}

void Edition::Demarre()
{
    m_ctx.table.ProchaineComposante = 1;
    m_musical = true;
    m_ctx.lecture.CoupeSon();
    m_ctx.table.Sensibilite = 1.0f;
    emit tempsChange(Fin);
    Efface();
    // The start-up is where history begins, not a step of it.
    m_historique->clear();
}

void Edition::Efface()
{
    Regles::Efface(m_ctx.table, m_musical, m_fondamental);
    valide(Spectre | TempsFin | Synthese);
}

bool Edition::Survole(float X, float Y, bool gauche)
{
    Composantes &t = m_ctx.table;
    if (!Regles::DansZoneEdition(t, X, Y)) {
        valide(Spectre);
        return false;
    }
    if (m_musical)
        X = Regles::Accroche(t, X, Regles::AccrocheApercu);
    if (gauche)
        Regles::EcritCandidat(t, X, Y);
    emit apercuChange(X, Y);
    valide(gauche ? TempsGrossier : 0);
    return true;
}

bool Edition::Ajoute(float X, float Y)
{
    if (m_musical)
        X = Regles::Accroche(m_ctx.table, X, Regles::AccrocheValide);
    if (!Regles::Ajoute(m_ctx.table, X, Y))
        return false;
    // The preview line stays; the new line shows at the next pointer move.
    valide(TempsFin | Synthese);
    return true;
}

bool Edition::RetireDerniere()
{
    if (!Regles::RetireDerniere(m_ctx.table))
        return false;
    valide(Spectre | TempsFin | Synthese);
    return true;
}

void Edition::GlisseFondamental(float X)
{
    m_fondamental = Regles::DeplaceFondamental(m_ctx.table, X);
    emit fondamentalPlace(m_fondamental);
    valide(Spectre | TempsGrossier);
}

void Edition::LacheFondamental()
{
    valide(TempsFin | Synthese);
}

bool Edition::ChoisitNote(int index)
{
    if (index < 0 || index >= NombreNotes)
        return false;
    const std::int16_t F = Regles::FrequenceNote(index);
    Regles::Transpose(m_ctx.table, F);
    m_fondamental = F;
    emit fondamentalPlace(F);
    // A key press is drawn coarse, like a drag step, yet written at once.
    valide(Spectre | TempsGrossier | Synthese);
    return true;
}

bool Edition::ChoisitSensibilite(int index)
{
    if (index < 0 || index >= int(std::size(Temporel::Sensibilites)))
        return false;
    m_ctx.table.Sensibilite = Temporel::Sensibilites[index];
    valide(TempsFin);
    return true;
}

void Edition::Ecoute()
{
    m_ctx.table.SonActif = true;
    m_ctx.lecture.JoueSon();
    emit sonChange(true);
}

void Edition::Coupe()
{
    m_ctx.table.SonActif = false;
    m_ctx.lecture.CoupeSon();
    emit sonChange(false);
}

void Edition::FixeVolume(double decibels)
{
    m_volume = decibels;
    m_ctx.lecture.FixeVolume(decibels);
}

void Edition::Ferme()
{
    m_ctx.lecture.CoupeSon();
}

void Edition::valide(int effets)
{
    if (effets & Spectre)
        emit spectreChange();
    if (effets & TempsGrossier)
        emit tempsChange(Grossier);
    if (effets & TempsFin)
        emit tempsChange(Fin);
    if (effets & Synthese) {
        // The player gets the new samples themselves, even when test.wav could not be written (a
        // full disk): what is heard is always the table on screen. A table that cannot be
        // synthesised leaves the sound as it was.
        const bool ecrit = m_ctx.generateur.GenereSon();
        if (m_ctx.generateur.sonNeuf()) {
            m_ctx.lecture.FixeSon(m_ctx.generateur.echantillons());
            if (m_ctx.table.SonActif)
                m_ctx.lecture.JoueSon();
        }
        emit sonGenere(ecrit);
        // Every committed change is one history step, from the last commit's table to this one:
        // a drag's steps are not commits, so a whole drag is one step.
        const Etat apres = etat();
        if (!m_restaure && !(apres == m_etatValide))
            m_historique->push(new Etape(*this, m_etatValide, apres));
        m_etatValide = apres;
    }
}
