#include "session/edition.h"

#include "audio/lecture.h"
#include "model/regles.h"
#include "plot/repere.h"
#include "plot/temporel.h"
#include "synth/generateur.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

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

// The table's samples with the muted components' peaks at zero, at the whole table's scale (the
// same plan), so that a muted component leaves the others as loud as they were. Empty when the
// table cannot be synthesised.
QByteArray Masque(const Son &son, const std::array<bool, Son::Max + 1> &audibles)
{
    Synthese::Plan plan;
    if (!Synthese::Prepare(son, plan))
        return {};
    for (int i = 1; i <= Son::Max; ++i)
        if (!audibles[i])
            plan.c[i] = 0;
    QByteArray octets;
    if (Synthese::Echantillons(plan, octets) >= 0)
        return {};
    return octets;
}

} // namespace

Edition::Edition(Lecture &lecture, QString cheminWav, QObject *parent)
    : QObject(parent),
      m_lecture(lecture),
      m_generateur(m_son, std::move(cheminWav)),
      m_fondamental(TwipsFondamental / RepereSpectre.twipsX),
      m_historique(new QUndoStack(this))
{
    // A bounded history: the oldest steps go, so a long session does not grow forever.
    m_historique->setUndoLimit(LimiteAnnulations);
    connect(m_historique, &QUndoStack::cleanChanged, this, &Edition::documentChange);
    connect(this, &Edition::musicalChange, this, &Edition::documentChange);
    m_lecture.SuitSortie(this, [this](bool disponible) {
        m_sortieDisponible = disponible;
        emit sortieChange(disponible);
    });
}

Edition::Etat Edition::etat() const
{
    return {m_son.Frequence, m_son.Amplitude, m_son.ProchaineComposante, m_fondamental};
}

void Edition::Restaure(const Etat &e)
{
    Son &t = m_son;
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
    if (!applique(timbre))
        return false;
    valide(Spectre | TempsFin | Synthese);
    return true;
}

bool Edition::applique(const Timbre &timbre)
{
    if (!Timbres::Applique(timbre, m_son))
        return false;
    m_son.Musical = timbre.multiples;
    emit musicalChange(m_son.Musical);
    // The marker stays whole on the plot, as a drag keeps it: a fundamental beyond the plot's
    // right edge puts it at that edge.
    m_fondamental = std::min<double>(m_son.Frequence[1], Regles::XMaxFondamental);
    emit fondamentalPlace(m_fondamental);
    return true;
}

void Edition::fixeMusical(bool musical)
{
    if (m_son.Musical == musical)
        return;
    m_son.Musical = musical;
    emit musicalChange(musical);
}

void Edition::ChoisitTimbreType(Timbres::Type type)
{
    // After a clear without multiples the table is empty: the marker is the fundamental then.
    const int f1 = m_son.Frequence[1] >= 1 ? m_son.Frequence[1] : int(std::lround(m_fondamental));
    ChargeTimbre(Timbres::Classique(type, f1));
}

Timbre Edition::TimbreCourant() const
{
    return Timbres::DepuisTable(m_son, m_son.Musical);
}

void Edition::Demarre(const Timbre *timbre)
{
    // A new main window: its marker stands where the layout puts it.
    if (const double depart = TwipsFondamental / RepereSpectre.twipsX; m_fondamental != depart) {
        m_fondamental = depart;
        emit fondamentalPlace(m_fondamental);
    }
    m_son.ProchaineComposante = 1;
    fixeMusical(true);
    m_lecture.CoupeSon();
    m_son.Sensibilite = 1.0f;
    emit tempsChange(Fin);
    // A timbre to start on replaces the clear's default sound: one synthesis, of the timbre.
    if (!timbre || !applique(*timbre))
        Regles::Efface(m_son, m_son.Musical, m_fondamental);
    // The start-up is where history begins, not a step of it.
    m_historique->clear();
    m_restaure = true;
    valide(Spectre | TempsFin | Synthese);
    m_restaure = false;
    m_etatValide = etat();
    m_fichier.clear();
    m_musicalPropre = m_son.Musical;
    emit documentChange();
}

void Edition::fixeFichier(const QString &chemin)
{
    m_fichier = chemin;
    m_musicalPropre = m_son.Musical;
    m_historique->setClean();
    emit documentChange();
}

bool Edition::modifie() const
{
    return !m_historique->isClean() || m_son.Musical != m_musicalPropre;
}

void Edition::Efface()
{
    Regles::Efface(m_son, m_son.Musical, m_fondamental);
    valide(Spectre | TempsFin | Synthese);
}

bool Edition::Survole(float X, float Y, bool gauche)
{
    Son &t = m_son;
    if (!Regles::DansZoneEdition(t, X, Y)) {
        emit survolChange(false);
        emit apercuRetire();
        return false;
    }
    emit survolChange(true);
    if (m_son.Musical)
        X = Regles::Accroche(t, X, Regles::AccrocheApercu);
    if (gauche)
        Regles::EcritCandidat(t, X, Y);
    emit apercuChange(X, Y);
    valide(gauche ? TempsGrossier : 0);
    return true;
}

void Edition::QuitteSpectre()
{
    emit apercuRetire();
}

bool Edition::Ajoute(float X, float Y)
{
    if (m_son.Musical)
        X = Regles::Accroche(m_son, X, Regles::AccrocheValide);
    if (!Regles::Ajoute(m_son, X, Y))
        return false;
    // The preview line stays; the new line shows at the next pointer move.
    valide(TempsFin | Synthese);
    return true;
}

bool Edition::RetireDerniere()
{
    if (!Regles::RetireDerniere(m_son))
        return false;
    valide(Spectre | TempsFin | Synthese);
    return true;
}

void Edition::GlisseFondamental(float X)
{
    m_fondamental = Regles::DeplaceFondamental(m_son, X);
    emit fondamentalPlace(m_fondamental);
    valide(Spectre | TempsGrossier);
}

void Edition::LacheFondamental()
{
    valide(TempsFin | Synthese);
}

bool Edition::FixeFrequence(int i, double hertz)
{
    if (!Regles::FixeFrequence(m_son, i, hertz))
        return false;
    if (i == 1) {
        // The marker stays whole on the plot, as after a loaded timbre.
        m_fondamental = std::min<double>(m_son.Frequence[1], Regles::XMaxFondamental);
        emit fondamentalPlace(m_fondamental);
    }
    valide(Spectre | TempsFin | Synthese);
    return true;
}

bool Edition::FixeAmplitude(int i, double amplitude, bool fin)
{
    if (!Regles::FixeAmplitude(m_son, i, amplitude))
        return false;
    // A step is drawn coarse and heard at once, like a drag step of the fundamental drawn; the
    // release writes test.wav and records the whole drag as one step.
    valide(fin ? Spectre | TempsFin | Synthese : Spectre | TempsGrossier | Echantillons);
    return true;
}

bool Edition::ChoisitNote(int index)
{
    if (index < 0 || index >= NombreNotes)
        return false;
    const std::int16_t F = Regles::FrequenceNote(index);
    Regles::Transpose(m_son, F);
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
    m_son.Sensibilite = Temporel::Sensibilites[index];
    valide(TempsFin);
    return true;
}

void Edition::Ecoute()
{
    m_son.SonActif = true;
    m_lecture.JoueSon();
    emit sonChange(true);
}

void Edition::Coupe()
{
    m_son.SonActif = false;
    m_lecture.CoupeSon();
    emit sonChange(false);
}

void Edition::FixeVolume(double decibels)
{
    m_volume = decibels;
    m_lecture.FixeVolume(decibels);
}

void Edition::Ferme()
{
    m_lecture.CoupeSon();
}

void Edition::valide(int effets)
{
    if (effets & Spectre)
        emit spectreChange();
    if (effets & TempsGrossier)
        emit tempsChange(Grossier);
    if (effets & TempsFin)
        emit tempsChange(Fin);
    if ((effets & Echantillons) && m_ecoute == ::Ecoute::Modele) {
        // Synthesised in memory only, switched to without a gap while the loop plays.
        const QByteArray echantillons = Masque(m_son, m_audibles);
        if (!echantillons.isEmpty())
            m_lecture.BasculeSon(echantillons);
    }
    if (effets & Synthese) {
        // The player gets the new samples themselves, even when test.wav could not be written (a
        // full disk): what is heard is always the table on screen. A table that cannot be
        // synthesised leaves the sound as it was.
        const bool ecrit = m_generateur.GenereSon();
        // Another source playing (an original, a challenge) goes on; the table's new sound is
        // heard when the table's source is chosen again.
        if (m_generateur.sonNeuf() && m_ecoute == ::Ecoute::Modele) {
            m_lecture.FixeSon(sonJoue());
            if (m_son.SonActif)
                m_lecture.JoueSon();
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

// --- What is played ---

QByteArray Edition::sonJoue() const
{
    if (m_ecoute == ::Ecoute::Original && !m_original.isEmpty())
        return m_original;
    if (m_ecoute == ::Ecoute::Defi && !m_defi.isEmpty())
        return m_defi;
    if (m_audibles == Tous())
        return m_generateur.echantillons();
    const QByteArray octets = Masque(m_son, m_audibles);
    return octets.isEmpty() ? m_generateur.echantillons() : octets;
}

void Edition::fixeEcoute(::Ecoute source)
{
    if (source == m_ecoute)
        return;
    m_ecoute = source;
    m_lecture.BasculeSon(sonJoue());
    emit ecouteChange(source);
}

void Edition::fixeOriginal(QByteArray echantillons44k)
{
    m_original = std::move(echantillons44k);
    if (m_ecoute == ::Ecoute::Original)
        m_lecture.BasculeSon(sonJoue());
}

void Edition::fixeDefi(QByteArray echantillons44k)
{
    m_defi = std::move(echantillons44k);
    if (m_ecoute == ::Ecoute::Defi)
        m_lecture.BasculeSon(sonJoue());
}

void Edition::fixeMasque(const std::array<bool, Son::Max + 1> &audibles)
{
    if (audibles == m_audibles)
        return;
    m_audibles = audibles;
    if (m_ecoute == ::Ecoute::Modele)
        m_lecture.BasculeSon(sonJoue());
}
