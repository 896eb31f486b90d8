#include "session/direct.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

Direct::Direct(QObject *parent) : QObject(parent), m_anneau(Fenetre, 0.0f), m_fenetre(Fenetre, 0.0f)
{
}

void Direct::fixeDirect(bool oui)
{
    m_direct = oui;
    m_trameDue = false;
    if (!oui)
        std::fill(m_anneau.begin(), m_anneau.end(), 0.0f);
}

bool Direct::enregistre()
{
    if (m_enregistre)
        return false;
    m_enregistre = true;
    m_prise.clear();
    m_frequencePrise = 0;
    m_dernierCompte = 0;
    emit compte(int(DureeEnregistrement));
    return true;
}

void Direct::perdue()
{
    if (!m_enregistre)
        return;
    abandonne();
    emit refuse(tr("Enregistrement interrompu : le micro a été perdu. Rien n'est changé."));
}

void Direct::abandonne()
{
    m_enregistre = false;
    m_prise.clear();
    m_prise.shrink_to_fit();
}

void Direct::recoit(const QList<float> &echantillons, int frequence)
{
    if (frequence <= 0)
        return;
    if (m_direct) {
        for (float v : echantillons) {
            m_anneau[m_tete] = v;
            m_tete = (m_tete + 1) % m_anneau.size();
        }
        m_frequenceDirecte = frequence;
        m_trameDue = true;
        if (!m_trameEnvoyee) {
            m_trameEnvoyee = true;
            QMetaObject::invokeMethod(this, &Direct::trameDue, Qt::QueuedConnection);
        }
    }
    if (m_enregistre) {
        if (m_frequencePrise != 0 && m_frequencePrise != frequence) {
            // The input changed under the recording: what was captured is not one sound.
            perdue();
            return;
        }
        m_frequencePrise = frequence;
        const std::size_t total = std::size_t(std::lround(DureeEnregistrement * frequence));
        if (m_prise.capacity() < total)
            m_prise.reserve(total);
        const std::size_t place = total - m_prise.size();
        m_prise.insert(m_prise.end(), echantillons.begin(),
                       echantillons.begin()
                           + qsizetype(std::min<std::size_t>(place, std::size_t(echantillons.size()))));
        const int reste = int(std::ceil(double(total - m_prise.size()) / frequence));
        if (reste != m_dernierCompte && reste > 0) {
            m_dernierCompte = reste;
            emit compte(reste);
        }
        if (m_prise.size() >= total)
            finit(frequence);
    }
}

void Direct::trameDue()
{
    m_trameEnvoyee = false;
    if (!m_direct || !m_trameDue)
        return;
    m_trameDue = false;
    trameDirecte(m_frequenceDirecte);
}

void Direct::trameDirecte(int frequence)
{
    const std::size_t n = m_anneau.size();
    std::copy(m_anneau.begin() + qsizetype(m_tete), m_anneau.end(), m_fenetre.begin());
    std::copy(m_anneau.begin(), m_anneau.begin() + qsizetype(m_tete), m_fenetre.begin() + qsizetype(n - m_tete));
    m_analyseur.analyse(m_fenetre.data(), n, frequence, m_mesure);
    emit trame(Points(m_mesure), m_mesure.valide() ? m_mesure.fondamental : 0.0);
}

QList<QPointF> Direct::Points(const Mesure &mesure)
{
    const std::vector<float> &a = mesure.spectre.amplitudes;
    QList<QPointF> points;
    if (a.empty() || mesure.spectre.pas <= 0.0)
        return points;
    double reference = 0.0;
    if (mesure.valide())
        for (double h : mesure.amplitudes)
            reference = std::max(reference, h);
    if (reference <= 0.0)
        reference = *std::max_element(a.begin(), a.end());
    reference = std::max(reference, Plancher);
    points.reserve(qsizetype(a.size()));
    for (std::size_t i = 0; i < a.size(); ++i)
        points.append(QPointF(double(i) * mesure.spectre.pas, std::min(10.0 * a[i] / reference, 11.0)));
    return points;
}

QByteArray Direct::En44100(const std::vector<float> &echantillons, double frequence)
{
    QByteArray octets;
    if (echantillons.empty() || frequence <= 0.0)
        return octets;
    const double pas = frequence / 44100.0;
    const std::size_t n = std::size_t(std::floor(double(echantillons.size() - 1) / pas)) + 1;
    octets.resize(qsizetype(n * 2));
    for (std::size_t i = 0; i < n; ++i) {
        // Linear interpolation: the same samples when the capture ran at 44100 Hz.
        const double t = double(i) * pas;
        const std::size_t j = std::size_t(t);
        const double f = t - double(j);
        const double v =
            j + 1 < echantillons.size() ? echantillons[j] * (1.0 - f) + echantillons[j + 1] * f : echantillons[j];
        const auto e = static_cast<qint16>(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
        octets[qsizetype(2 * i)] = char(e & 0xff);
        octets[qsizetype(2 * i + 1)] = char((e >> 8) & 0xff);
    }
    return octets;
}

void Direct::finit(int frequence)
{
    std::vector<float> prise = std::move(m_prise);
    abandonne();
    SonFichier::Son son;
    son.frequence = frequence;
    son.troncon = {0.0, double(prise.size()) / frequence};
    son.dureeTotale = son.troncon.duree;
    son.canaux = 1;
    son.nom = tr("enregistrement du micro");
    const QByteArray en44100 = En44100(prise, frequence);
    son.echantillons = std::move(prise);
    QString pourquoi;
    auto resultat = AnalyseSon::Analyse(std::move(son), tr("enregistrement du micro"), &pourquoi);
    if (!resultat) {
        emit refuse(pourquoi);
        return;
    }
    m_derniere = en44100;
    emit analyse(std::move(*resultat));
}
