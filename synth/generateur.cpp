#include "synth/generateur.h"

#include "model/regles.h"

#include <QSaveFile>
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

template<typename T>
char *Pose(char *p, T v)
{
    const T le = qToLittleEndian(v);
    std::memcpy(p, &le, sizeof le);
    return p + sizeof le;
}

} // namespace

bool Prepare(Composantes &table, Plan &plan, QString *pourquoi)
{
    auto refuse = [pourquoi](const QString &raison) {
        if (pourquoi)
            *pourquoi = raison;
        return false;
    };

    const std::int16_t f1 = table.Frequence[1];
    if (f1 < 1)
        return refuse(QStringLiteral("fundamental of %1 Hz (at least 1 Hz is needed)").arg(f1));
    plan.N = static_cast<std::int32_t>(Regles::Arrondi((1.0 / f1) * 10 * 44100));

    const float somme = Regles::RecalculeSomme(table);
    const double a1 = table.Amplitude[1];
    double k = 0.0;
    if (a1 != 0.0) {
        k = std::floor(a1 * 0.01 * 32767 / somme);
        if (!TientSur16Bits(k))
            return refuse(QStringLiteral("scale %1 outside 16 bits (sum of amplitudes %2)").arg(k).arg(double(somme)));
    }
    plan.k = static_cast<std::int16_t>(k);

    plan.c = {};
    plan.f = table.Frequence;
    for (int j = 1; j <= Composantes::Max; ++j) {
        const double cj = Regles::Arrondi(plan.k * double(table.Amplitude[j]));
        if (!TientSur16Bits(cj))
            return refuse(QStringLiteral("coefficient of component %1 outside 16 bits").arg(j));
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
    for (int i = 1; i <= Composantes::Max; ++i) {
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

// Samples per slice when two threads share a long sound.
constexpr std::int32_t TailleTranche = 16 * Synthese::TailleBloc;

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

Generateur::Generateur(Composantes &table, QString cheminWav)
    : m_table(table), m_chemin(std::move(cheminWav))
{
}

bool Generateur::GenereSon()
{
    m_erreur.clear();
    Synthese::Plan plan;
    QString pourquoi;
    if (!Synthese::Prepare(m_table, plan, &pourquoi)) {
        m_erreur = pourquoi;
        qWarning("sonavirelle: %s not written: %s", qUtf8Printable(m_chemin), qUtf8Printable(pourquoi));
        return false;
    }
    if (!Ecrit(plan)) {
        qWarning("sonavirelle: %s not written: %s", qUtf8Printable(m_chemin), qUtf8Printable(m_erreur));
        return false;
    }
    return true;
}

bool Generateur::Ecrit(const Synthese::Plan &plan)
{
    // QSaveFile writes beside the target and renames on commit: a failed or interrupted
    // write leaves the previous test.wav whole, and no reader ever sees half a file.
    // Unbuffered, so that a short write (disk full, file-size limit) shows at the write that
    // fails: a buffered QSaveFile can commit a truncated file without reporting it.
    QSaveFile fichier(m_chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_erreur = fichier.errorString();
        return false;
    }
    const auto h = Synthese::EnTete(plan.N);
    if (fichier.write(h.data(), h.size()) != qint64(h.size())) {
        m_erreur = fichier.errorString();
        fichier.cancelWriting();
        return false;
    }

    // A long sound (a low fundamental) is computed by two threads, each on its own slice; the
    // samples still leave in 512-sample blocks and memory stays bounded whatever N is.
    const bool deuxFils = plan.N >= 2 * TailleTranche;
    const std::int32_t pas = deuxFils ? 2 * TailleTranche : Synthese::TailleBloc;
    std::vector<std::int16_t> tampon(pas);
    for (std::int32_t debut = 0; debut < plan.N; debut += pas) {
        const std::int32_t compte = std::min(pas, plan.N - debut);
        std::int32_t mauvais = -1;
        if (deuxFils && compte > TailleTranche) {
            std::future<std::int32_t> second;
            try {
                second = std::async(std::launch::async, Calcule, std::cref(plan), debut + TailleTranche,
                                    compte - TailleTranche, tampon.data() + TailleTranche);
            } catch (const std::system_error &) {
                // No thread to be had: the second slice is computed here too.
            }
            mauvais = Calcule(plan, debut, TailleTranche, tampon.data());
            const std::int32_t mauvais2 = second.valid()
                                              ? second.get()
                                              : Calcule(plan, debut + TailleTranche, compte - TailleTranche,
                                                        tampon.data() + TailleTranche);
            if (mauvais < 0)
                mauvais = mauvais2;
        } else {
            mauvais = Calcule(plan, debut, compte, tampon.data());
        }
        if (mauvais >= 0) {
            m_erreur = QStringLiteral("sample %1 outside 16 bits").arg(mauvais);
            fichier.cancelWriting();
            return false;
        }
        for (std::int32_t i = 0; i < compte; i += Synthese::TailleBloc) {
            const qint64 octets = qint64(std::min<std::int32_t>(Synthese::TailleBloc, compte - i)) * 2;
            if (fichier.write(reinterpret_cast<const char *>(tampon.data() + i), octets) != octets) {
                m_erreur = fichier.errorString();
                fichier.cancelWriting();
                return false;
            }
        }
    }
    if (fichier.size() != Synthese::TailleEnTete + 2 * qint64(plan.N)) {
        m_erreur = QStringLiteral("short write (%1 bytes)").arg(fichier.size());
        fichier.cancelWriting();
        return false;
    }
    if (!fichier.commit()) {
        m_erreur = fichier.errorString();
        return false;
    }
    return true;
}
