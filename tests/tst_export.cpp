// Export of the sound: whole loops of test.wav's samples, the smallest count covering the length,
// and no file at all (or the previous one whole) when it cannot be written.

#include "model/son.h"
#include "synth/export.h"
#include "synth/generateur.h"
#include "tables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <csignal>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Son)

namespace {

QByteArray Lis(const QString &chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

std::int32_t Entier32(const QByteArray &octets, int position)
{
    return qFromLittleEndian<std::int32_t>(octets.constData() + position);
}

QStringList Contenu(const QString &dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void bouclesEntieres_data();
    void bouclesEntieres();
    void dureesRefusees_data();
    void dureesRefusees();
    void nomsRefuses_data();
    void nomsRefuses();
    void disquePleinNeLaisseRien();
    void dossierNonInscriptible();
};

void TestExport::bouclesEntieres_data()
{
    QTest::addColumn<Son>("table");
    QTest::addColumn<double>("secondes");
    QTest::addColumn<int>("N");           // samples of one loop (test.wav)
    QTest::addColumn<int>("repetitions"); // loops expected in the file

    const Son la = Table({{440, 10.0f}});
    // 440 Hz: a loop of 1002 samples; 3 s = 132300 samples = 132.04 loops.
    QTest::newRow("440 Hz, 3 s") << la << 3.0 << 1002 << 133;
    QTest::newRow("440 Hz, un échantillon") << la << 1.0 / 44100 << 1002 << 1;
    QTest::newRow("440 Hz, une boucle tout juste") << la << 1002.0 / 44100 << 1002 << 1;
    QTest::newRow("440 Hz, une boucle et un échantillon") << la << 1003.0 / 44100 << 1002 << 2;
    // 441 Hz: exactly 1000 samples a loop, so 2 s is 88.2 loops → 89.
    QTest::newRow("441 Hz, 2 s") << Table({{441, 10.0f}, {882, 5.0f}}) << 2.0 << 1000 << 89;
    QTest::newRow("4410 Hz, 1 s pile") << Table({{4410, 3.0f}}) << 1.0 << 100 << 441;
    // The worst case: a 1 Hz fundamental, ten components, a 10 s loop.
    Son pire;
    for (int i = 1; i <= 10; ++i) {
        pire.Frequence[i] = static_cast<std::int16_t>(i);
        pire.Amplitude[i] = 10.0f;
    }
    pire.ProchaineComposante = 11;
    QTest::newRow("1 Hz ×10, 12 s") << pire << 12.0 << 441000 << 2;
    QTest::newRow("1 Hz ×10, 10 s pile") << pire << 10.0 << 441000 << 1;
    QTest::newRow("fondamental muet") << Table({{220, 0.0f}, {440, 5.0f}}) << 0.5 << 2005 << 11;
}

void TestExport::bouclesEntieres()
{
    QFETCH(Son, table);
    QFETCH(double, secondes);
    QFETCH(int, N);
    QFETCH(int, repetitions);

    QTemporaryDir dossier;
    // The loop as the program plays it: test.wav from the same table.
    Son pourTest = table;
    Generateur g(pourTest, dossier.filePath(QStringLiteral("test.wav")));
    QVERIFY(g.GenereSon());
    const QByteArray test = Lis(g.chemin());
    QCOMPARE(test.size(), 44 + 2 * N);

    const QString sortie = dossier.filePath(QStringLiteral("cours.wav"));
    const Son avant = table;
    QString pourquoi;
    QVERIFY2(Export::Ecrit(table, secondes, sortie, &pourquoi), qPrintable(pourquoi));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&table), sizeof table),
             QByteArray(reinterpret_cast<const char *>(&avant), sizeof avant));

    const QByteArray wav = Lis(sortie);
    const qint64 total = qint64(N) * repetitions;
    QCOMPARE(qint64(wav.size()), 44 + 2 * total);
    QVERIFY(double(total) >= secondes * 44100 - 1e-6);
    QVERIFY(double(total - N) < secondes * 44100);
    // Same header layout as test.wav, with the longer sizes.
    QCOMPARE(wav.left(4), QByteArray("RIFF"));
    QCOMPARE(Entier32(wav, 4), std::int32_t(36 + 2 * total));
    QCOMPARE(wav.mid(8, 32), test.mid(8, 32));
    QCOMPARE(Entier32(wav, 40), std::int32_t(2 * total));
    // Sample by sample: sample n is the loop's sample n mod N.
    const auto *loop = reinterpret_cast<const std::int16_t *>(test.constData() + 44);
    const auto *exporte = reinterpret_cast<const std::int16_t *>(wav.constData() + 44);
    for (qint64 n = 0; n < total; ++n) {
        if (exporte[n] != loop[n % N])
            QFAIL(qPrintable(
                QStringLiteral("sample %1 differs: %2 instead of %3").arg(n).arg(exporte[n]).arg(loop[n % N])));
    }
    QCOMPARE(Contenu(dossier.path()), (QStringList{QStringLiteral("cours.wav"), QStringLiteral("test.wav")}));
}

void TestExport::dureesRefusees_data()
{
    QTest::addColumn<double>("secondes");
    QTest::newRow("0 s") << 0.0;
    QTest::newRow("−1 s") << -1.0;
    QTest::newRow("NaN") << double(NAN);
    QTest::newRow("infinie") << double(INFINITY);
    QTest::newRow("au-delà du maximum") << std::nextafter(Export::DureeMaximale, 1e9);
}

void TestExport::dureesRefusees()
{
    QFETCH(double, secondes);
    QTemporaryDir dossier;
    const QString sortie = dossier.filePath(QStringLiteral("cours.wav"));
    QString pourquoi;
    QVERIFY(!Export::Ecrit(Table({{440, 10.0f}}), secondes, sortie, &pourquoi));
    QVERIFY2(pourquoi.startsWith(QStringLiteral("« %1 » : la durée").arg(sortie)), qPrintable(pourquoi));
    QVERIFY(Contenu(dossier.path()).isEmpty());
    // The longest allowed length is accepted (a 1 s loop, so exactly 600 loops).
    if (std::isinf(secondes)) {
        QVERIFY(Export::Ecrit(Table({{1, 10.0f}}), Export::DureeMaximale, sortie, &pourquoi));
        QCOMPARE(QFileInfo(sortie).size(), 44 + 2 * qint64(Export::DureeMaximale * 44100));
    }
}

void TestExport::nomsRefuses_data()
{
    QTest::addColumn<QString>("genre");
    QTest::addColumn<QString>("raison");
    QTest::newRow("lien") << "lien"
                          << "lien symbolique";
    QTest::newRow("dossier") << "dossier"
                             << "dossier";
    QTest::newRow("FIFO") << "FIFO"
                          << "pas un fichier ordinaire";
    QTest::newRow("dossier absent") << "absent"
                                    << "n'existe pas";
    QTest::newRow("sous un fichier") << "sous un fichier"
                                     << "pas un dossier";
}

void TestExport::nomsRefuses()
{
    QFETCH(QString, genre);
    QFETCH(QString, raison);
    QTemporaryDir dossier;
    const QString cible = dossier.filePath(QStringLiteral("cible.wav"));
    QFile(cible).open(QIODevice::WriteOnly);
    QString sortie = dossier.filePath(QStringLiteral("cours.wav"));
    const QByteArray nom = QFile::encodeName(sortie);
    if (genre == QLatin1String("lien"))
        QCOMPARE(::symlink(QFile::encodeName(cible).constData(), nom.constData()), 0);
    else if (genre == QLatin1String("dossier"))
        QVERIFY(QDir().mkpath(sortie));
    else if (genre == QLatin1String("FIFO"))
        QCOMPARE(::mkfifo(nom.constData(), 0644), 0);
    else if (genre == QLatin1String("absent"))
        sortie = dossier.filePath(QStringLiteral("nulle-part/cours.wav"));
    else
        sortie = cible + QStringLiteral("/cours.wav");
    const QStringList avant = Contenu(dossier.path());

    QString pourquoi;
    QVERIFY(!Export::Ecrit(Table({{440, 10.0f}}), 1.0, sortie, &pourquoi));
    QVERIFY2(pourquoi.startsWith(QStringLiteral("« %1 » : ").arg(sortie)), qPrintable(pourquoi));
    QVERIFY2(pourquoi.contains(raison), qPrintable(pourquoi));
    QCOMPARE(Contenu(dossier.path()), avant);
    QCOMPARE(QFileInfo(cible).size(), 0); // never written through the link
}

void TestExport::disquePleinNeLaisseRien()
{
    // A file-size limit makes the disk "full" at 100 kB, whoever runs the test.
    QTemporaryDir dossier;
    const QString sortie = dossier.filePath(QStringLiteral("cours.wav"));
    const Son la = Table({{440, 10.0f}});
    QVERIFY(Export::Ecrit(la, 0.5, sortie));
    const QByteArray avant = Lis(sortie);

    rlimit ancienne{};
    getrlimit(RLIMIT_FSIZE, &ancienne);
    auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit petite = ancienne;
    petite.rlim_cur = 100'000;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &petite), 0);
    QString pourquoi;
    const bool ecrit = Export::Ecrit(la, 3.0, sortie, &pourquoi);
    const bool ecritNeuf = Export::Ecrit(la, 3.0, dossier.filePath(QStringLiteral("neuf.wav")));
    setrlimit(RLIMIT_FSIZE, &ancienne);
    std::signal(SIGXFSZ, ancienSignal);

    QVERIFY(!ecrit);
    QVERIFY(!ecritNeuf);
    QVERIFY2(pourquoi.contains(QStringLiteral("taille permise")), qPrintable(pourquoi));
    QCOMPARE(Lis(sortie), avant);
    QCOMPARE(Contenu(dossier.path()), QStringList{QStringLiteral("cours.wav")}); // no partial file
}

void TestExport::dossierNonInscriptible()
{
    QTemporaryDir dossier;
    QCOMPARE(::chmod(QFile::encodeName(dossier.path()).constData(), 0555), 0);
    const QString sortie = dossier.filePath(QStringLiteral("cours.wav"));
    bool refuse = false;
    if (::geteuid() == 0) {
        // Root writes anywhere: the refusal is checked as an ordinary user in a child process.
        const pid_t enfant = ::fork();
        QVERIFY(enfant >= 0);
        if (enfant == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(3);
            QString pourquoi;
            const bool ok = !Export::Ecrit(Table({{440, 10.0f}}), 1.0, sortie, &pourquoi)
                            && pourquoi.contains(QStringLiteral("accès refusé"));
            ::_exit(ok ? 0 : 1);
        }
        int etat = 0;
        ::waitpid(enfant, &etat, 0);
        refuse = WIFEXITED(etat) && WEXITSTATUS(etat) == 0;
    } else {
        QString pourquoi;
        refuse = !Export::Ecrit(Table({{440, 10.0f}}), 1.0, sortie, &pourquoi)
                 && pourquoi.contains(QStringLiteral("accès refusé"));
    }
    QVERIFY(refuse);
    QVERIFY(Contenu(dossier.path()).isEmpty());
    QCOMPARE(::chmod(QFile::encodeName(dossier.path()).constData(), 0755), 0);
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
