#pragma once

// A player that records what it is asked to do, for the suites of every room from the session up.

#include "audio/lecture.h"

#include <QByteArrayList>
#include <QFile>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

struct LectureEspion : Lecture
{
    QString cheminTest;
    QStringList journal; ///< "joue" / "coupe", and "coupe:sans-fichier" when test.wav did not exist yet
    QByteArray son;      ///< the samples handed last
    QByteArray sonJoue;  ///< the samples of the last JoueSon
    void FixeSon(const QByteArray &echantillons) override { son = echantillons; }
    void JoueSon() override
    {
        journal << QStringLiteral("joue");
        sonJoue = son;
    }
    /// Every BasculeSon, in order; the journal says "bascule" too.
    QByteArrayList bascules;
    void BasculeSon(const QByteArray &echantillons) override
    {
        journal << QStringLiteral("bascule");
        bascules << echantillons;
        son = echantillons;
    }
    void CoupeSon() override
    {
        journal << (QFile::exists(cheminTest) ? QStringLiteral("coupe") : QStringLiteral("coupe:sans-fichier"));
    }
    QList<double> volumes; ///< every volume handed, in decibels
    void FixeVolume(double decibels) override { volumes << decibels; }
    // The output as a test sets it: FixeSortie(false) is a lost output, (true) one back.
    bool disponible = true;
    QPointer<QObject> suiveur;
    std::function<void(bool)> prevenir;
    void SuitSortie(QObject *contexte, std::function<void(bool)> quoi) override
    {
        suiveur = contexte;
        prevenir = std::move(quoi);
        prevenir(disponible);
    }
    void FixeSortie(bool d)
    {
        disponible = d;
        if (suiveur && prevenir)
            prevenir(d);
    }
};
