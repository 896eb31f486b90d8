#include "synth/generateur.h"

#include "model/regles.h"

#include "synth/emplacements.h"
#include "synth/langue.h"
#include "synth/raisons.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <future>
#include <limits>
#include <system_error>
#include <vector>

namespace Synthese {

namespace {

bool TientSur16Bits(double v)
{
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

template <typename T>
char *Pose(char *p, T v)
{
    const T le = qToLittleEndian(v);
    std::memcpy(p, &le, sizeof le);
    return p + sizeof le;
}

} // namespace

bool Prepare(const Son &table, Plan &plan, QString *pourquoi)
{
    auto refuse = [pourquoi](const QString &raison) {
        if (pourquoi)
            *pourquoi = raison;
        return false;
    };

    const std::int16_t f1 = table.Frequence[1];
    if (f1 < 1)
        return refuse(Raisons::tr("fondamental de %1 Hz (il faut au moins 1 Hz)").arg(f1));
    plan.N = static_cast<std::int32_t>(Regles::Arrondi((1.0 / f1) * 10 * 44100));

    const float somme = SommeAmplitudes(table);
    const double a1 = table.Amplitude[1];
    double k = 0.0;
    if (a1 != 0.0) {
        k = std::floor(a1 * 0.01 * 32767 / somme);
        if (!TientSur16Bits(k))
            return refuse(Raisons::tr("échelle %1 hors de 16 bits (somme des amplitudes %2)")
                              .arg(k)
                              .arg(Langue::Nombres().toString(double(somme))));
    }
    plan.k = static_cast<std::int16_t>(k);

    plan.c = {};
    plan.f = table.Frequence;
    for (int j = 1; j <= Son::Max; ++j) {
        const double cj = Regles::Arrondi(plan.k * double(table.Amplitude[j]));
        if (!TientSur16Bits(cj))
            return refuse(Raisons::tr("coefficient de la composante %1 hors de 16 bits").arg(j));
        plan.c[j] = static_cast<std::int16_t>(cj);
    }
    return true;
}

std::array<char, TailleEnTete> EnTete(std::int32_t N)
{
    std::array<char, TailleEnTete> h{};
    char *p = h.data();
    std::memcpy(p, "RIFF", 4);
    p = Pose<std::int32_t>(p + 4, 2 * N + 36);
    std::memcpy(p, "WAVEfmt ", 8);
    p = Pose<std::int32_t>(p + 8, 16);
    p = Pose<std::int16_t>(p, 1);
    p = Pose<std::int16_t>(p, 1);
    p = Pose<std::int32_t>(p, Frequence_Echantillonnage);
    p = Pose<std::int32_t>(p, 16 / 8 * Frequence_Echantillonnage);
    p = Pose<std::int16_t>(p, 2);
    p = Pose<std::int16_t>(p, 16);
    std::memcpy(p, "data", 4);
    Pose<std::int32_t>(p + 4, 2 * N);
    return h;
}

bool Echantillon(const Plan &plan, std::int32_t n, std::int16_t &sortie)
{
    double s = 0.0;
    for (int i = 1; i <= Son::Max; ++i) {
        // A zero coefficient adds exactly nothing: round(0 × sin + s) = s.
        if (plan.c[i] == 0)
            continue;
        s = std::nearbyint(plan.c[i] * std::sin(((n * 6.2832) * plan.f[i]) / 44100) + s);
    }
    if (!TientSur16Bits(s))
        return false;
    sortie = static_cast<std::int16_t>(s);
    return true;
}

QByteArray FichierComplet(const Plan &plan)
{
    QByteArray octets;
    octets.reserve(TailleEnTete + 2 * plan.N);
    const auto h = EnTete(plan.N);
    octets.append(h.data(), TailleEnTete);
    for (std::int32_t n = 0; n < plan.N; ++n) {
        std::int16_t e = 0;
        Echantillon(plan, n, e);
        const std::int16_t le = qToLittleEndian(e);
        octets.append(reinterpret_cast<const char *>(&le), 2);
    }
    return octets;
}

} // namespace Synthese

namespace {

// Below this many samples a second thread costs more than it saves.
constexpr std::int32_t SeuilDeuxFils = 32 * Synthese::TailleBloc;

// Samples debut .. debut + compte − 1, little-endian, into `sortie`. Returns the index of the
// first sample outside 16 bits, or −1.
std::int32_t Calcule(const Synthese::Plan &plan, std::int32_t debut, std::int32_t compte, std::int16_t *sortie)
{
    for (std::int32_t i = 0; i < compte; ++i) {
        std::int16_t e = 0;
        if (!Synthese::Echantillon(plan, debut + i, e))
            return debut + i;
        sortie[i] = qToLittleEndian(e);
    }
    return -1;
}

} // namespace

namespace Synthese {

std::int32_t Echantillons(const Plan &plan, QByteArray &octets)
{
    octets.resize(2 * qsizetype(plan.N));
    auto *sortie = reinterpret_cast<std::int16_t *>(octets.data());
    if (plan.N < SeuilDeuxFils)
        return Calcule(plan, 0, plan.N, sortie);
    // A long sound (a low fundamental) is computed by two threads, each on its own half.
    const std::int32_t moitie = plan.N / 2;
    std::future<std::int32_t> second;
    try {
        second = std::async(std::launch::async, Calcule, std::cref(plan), moitie, plan.N - moitie, sortie + moitie);
    } catch (const std::system_error &) {
        // No thread to be had: the second half is computed here too.
    }
    const std::int32_t mauvais = Calcule(plan, 0, moitie, sortie);
    const std::int32_t mauvais2 =
        second.valid() ? second.get() : Calcule(plan, moitie, plan.N - moitie, sortie + moitie);
    return mauvais >= 0 ? mauvais : mauvais2;
}

} // namespace Synthese

Generateur::Generateur(const Son &table, QString cheminWav) : m_table(table), m_chemin(std::move(cheminWav))
{
}

bool Generateur::GenereSon()
{
    m_erreur.clear();
    m_sonNeuf = false;
    Synthese::Plan plan;
    QString pourquoi;
    if (!Synthese::Prepare(m_table, plan, &pourquoi)) {
        m_erreur = pourquoi;
        qWarning("sonavirelle: %s not written: %s", qUtf8Printable(m_chemin), qUtf8Printable(pourquoi));
        return false;
    }
    QByteArray echantillons;
    const std::int32_t mauvais = Synthese::Echantillons(plan, echantillons);
    if (mauvais >= 0) {
        m_erreur = Raisons::tr("échantillon %1 hors de 16 bits").arg(mauvais);
        qWarning("sonavirelle: %s not written: %s", qUtf8Printable(m_chemin), qUtf8Printable(m_erreur));
        return false;
    }
    m_echantillons = echantillons;
    m_sonNeuf = true;
    const bool ecrit = Ecrit(plan);
    if (!ecrit)
        qWarning("sonavirelle: %s not written: %s", qUtf8Printable(m_chemin), qUtf8Printable(m_erreur));
    return ecrit;
}

bool Generateur::Ecrit(const Synthese::Plan &plan)
{
    QString pourquoi;
    if (Fichier::Examine(m_chemin, &pourquoi) == Fichier::Etat::Refuse && !Bascule(pourquoi))
        return false;
    const auto h = Synthese::EnTete(plan.N);
    return Fichier::Remplace(m_chemin, QByteArray(h.data(), h.size()), m_echantillons, &m_erreur);
}

bool Generateur::Bascule(const QString &pourquoi)
{
    // Whatever sits under the name now (a link planted after the start, another user's file)
    // is left alone; the program's own sound goes to the per-user folder from now on.
    QString raison = pourquoi;
    if (!m_secours.isEmpty() && m_secours != m_chemin && QDir().mkpath(QFileInfo(m_secours).path())
        && Fichier::Examine(m_secours, &raison) != Fichier::Etat::Refuse) {
        qInfo("sonavirelle: %s is left alone (%s), test.wav goes to %s", qUtf8Printable(m_chemin),
              qUtf8Printable(pourquoi), qUtf8Printable(m_secours));
        m_chemin = m_secours;
        return true;
    }
    m_erreur = Raisons::tr("%1 est laissé tel quel (%2)").arg(m_chemin, raison);
    return false;
}
