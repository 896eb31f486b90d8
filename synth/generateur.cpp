#include "synth/generateur.h"

#include "audio/lecture.h"
#include "model/regles.h"

#include <QSaveFile>
#include <QtEndian>
#include <QtGlobal>

#include <cmath>
#include <cstring>
#include <limits>

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

Generateur::Generateur(Composantes &table, QString cheminWav, Lecture *lecture)
    : m_table(table), m_chemin(std::move(cheminWav)), m_lecture(lecture)
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
    if (m_table.SonActif && m_lecture)
        m_lecture->JoueSon();
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

    std::array<std::int16_t, Synthese::TailleBloc> bloc;
    int rempli = 0;
    for (std::int32_t n = 0; n < plan.N; ++n) {
        std::int16_t e = 0;
        if (!Synthese::Echantillon(plan, n, e)) {
            m_erreur = QStringLiteral("sample %1 outside 16 bits").arg(n);
            fichier.cancelWriting();
            return false;
        }
        bloc[rempli++] = qToLittleEndian(e);
        if (rempli == Synthese::TailleBloc || n == plan.N - 1) {
            const qint64 octets = qint64(rempli) * 2;
            if (fichier.write(reinterpret_cast<const char *>(bloc.data()), octets) != octets) {
                m_erreur = fichier.errorString();
                fichier.cancelWriting();
                return false;
            }
            rempli = 0;
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
