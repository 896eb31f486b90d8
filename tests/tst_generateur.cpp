#include "model/son.h"
#include "synth/generateur.h"
#include "tables.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <QDir>

#include <cmath>
#include <csignal>

#include <sys/resource.h>

namespace {

QByteArray Lis(const QString &chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

std::int16_t EchantillonDe(const QByteArray &fichier, int n)
{
    return qFromLittleEndian<std::int16_t>(fichier.constData() + 44 + 2 * n);
}

} // namespace

class TestGenerateur : public QObject
{
    Q_OBJECT

private slots:
    void sonParDefautOctetParOctet();
    void deuxComposantes();
    void nombreEchantillons_data();
    void nombreEchantillons();
    void echelleEtCoefficients_data();
    void echelleEtCoefficients();
    void fondamentalMuetDonneDuSilence();
    void unHertzPasseParLeTampon();
    void cibleNonInscriptibleGardeLAncienFichier();
    void disquePleinGardeLAncienFichier();
    void preconditionsRefuseesNEcriventRien_data();
    void preconditionsRefuseesNEcriventRien();
};

void TestGenerateur::sonParDefautOctetParOctet()
{
    QTemporaryDir dossier;
    Son t = Table({{440, 10.0f}});
    Generateur g(t, dossier.filePath("test.wav"));
    QVERIFY(g.GenereSon());

    const QByteArray f = Lis(g.chemin());
    QCOMPARE(f.size(), 2048);
    const QByteArray attendu = QByteArray::fromHex("52494646F807000057415645666D74201000000001000100"
                                                   "44AC0000885801000200100064617461D4070000");
    QCOMPARE(f.left(44).toHex(), attendu.toHex());
    QCOMPARE(SommeAmplitudes(t), 10.0f);

    const int debut[] = {0, 205, 409, 611, 811, 1008};
    for (int n = 0; n < 6; ++n)
        QCOMPARE(EchantillonDe(f, n), std::int16_t(debut[n]));
    const int fin[] = {-666, -464, -260};
    for (int n = 0; n < 3; ++n)
        QCOMPARE(EchantillonDe(f, 999 + n), std::int16_t(fin[n]));
    int haut = 0, bas = 0;
    for (int n = 0; n < 1002; ++n) {
        haut = std::max<int>(haut, EchantillonDe(f, n));
        bas = std::min<int>(bas, EchantillonDe(f, n));
    }
    QCOMPARE(haut, 3270);
    QCOMPARE(bas, -3270);
}

void TestGenerateur::deuxComposantes()
{
    QTemporaryDir dossier;
    Son t = Table({{440, 10.0f}, {880, 5.0f}});
    Synthese::Plan p;
    QVERIFY(Synthese::Prepare(t, p));
    QCOMPARE(SommeAmplitudes(t), 15.0f);
    QCOMPARE(p.k, std::int16_t(218));
    QCOMPARE(p.c[1], std::int16_t(2180));
    QCOMPARE(p.c[2], std::int16_t(1090));

    Generateur g(t, dossier.filePath("test.wav"));
    QVERIFY(g.GenereSon());
    const QByteArray f = Lis(g.chemin());
    const int debut[] = {0, 273, 543, 808, 1065, 1311};
    for (int n = 0; n < 6; ++n)
        QCOMPARE(EchantillonDe(f, n), std::int16_t(debut[n]));
    int crete = 0;
    for (int n = 0; n < p.N; ++n)
        crete = std::max(crete, std::abs(int(EchantillonDe(f, n))));
    QCOMPARE(crete, 2832);
}

void TestGenerateur::nombreEchantillons_data()
{
    QTest::addColumn<int>("f1");
    QTest::addColumn<int>("n");
    QTest::newRow("440 Hz") << 440 << 1002;
    QTest::newRow("400 Hz, half to even") << 400 << 1102;
    QTest::newRow("861 Hz, one full block") << 861 << 512;
    QTest::newRow("5000 Hz") << 5000 << 88;
    QTest::newRow("1 Hz") << 1 << 441000;
}

void TestGenerateur::nombreEchantillons()
{
    QFETCH(int, f1);
    QFETCH(int, n);
    QTemporaryDir dossier;
    Son t = Table({{f1, 10.0f}});
    Generateur g(t, dossier.filePath("test.wav"));
    QVERIFY(g.GenereSon());
    const QByteArray f = Lis(g.chemin());
    QCOMPARE(f.size(), 44 + 2 * n);
    QCOMPARE(qFromLittleEndian<std::int32_t>(f.constData() + 40), 2 * n);
    QCOMPARE(qFromLittleEndian<std::int32_t>(f.constData() + 4), 2 * n + 36);
    QCOMPARE(EchantillonDe(f, 0), std::int16_t(0));
}

void TestGenerateur::echelleEtCoefficients_data()
{
    QTest::addColumn<int>("composantes");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("c");
    QTest::newRow("one at 10") << 1 << 327 << 3270;
    QTest::newRow("ten at 10") << 10 << 32 << 320;
}

void TestGenerateur::echelleEtCoefficients()
{
    QFETCH(int, composantes);
    QFETCH(int, k);
    QFETCH(int, c);
    Son t;
    for (int i = 1; i <= composantes; ++i) {
        t.Frequence[i] = static_cast<std::int16_t>(220 * i);
        t.Amplitude[i] = 10.0f;
    }
    Synthese::Plan p;
    QVERIFY(Synthese::Prepare(t, p));
    QCOMPARE(p.k, std::int16_t(k));
    for (int i = 1; i <= composantes; ++i)
        QCOMPARE(p.c[i], std::int16_t(c));
}

void TestGenerateur::fondamentalMuetDonneDuSilence()
{
    QTemporaryDir dossier;
    Son t = Table({{440, 0.0f}, {880, 7.0f}, {1320, 3.0f}});
    Generateur g(t, dossier.filePath("test.wav"));
    QVERIFY(g.GenereSon());
    const QByteArray f = Lis(g.chemin());
    QCOMPARE(f.size(), 44 + 2 * 1002);
    QCOMPARE(f.mid(44), QByteArray(2 * 1002, '\0'));
}

void TestGenerateur::unHertzPasseParLeTampon()
{
    // 441 000 samples cross 862 blocks: every one must match the sample computed on its own.
    QTemporaryDir dossier;
    Son t = Table({{1, 10.0f}, {2, 5.0f}, {3, 2.5f}});
    Generateur g(t, dossier.filePath("test.wav"));
    QVERIFY(g.GenereSon());
    const QByteArray f = Lis(g.chemin());
    QCOMPARE(f.size(), 44 + 2 * 441000);
    Synthese::Plan p;
    QVERIFY(Synthese::Prepare(t, p));
    for (int n : {0, 1, 511, 512, 513, 220500, 440487, 440999}) {
        std::int16_t e = 0;
        QVERIFY(Synthese::Echantillon(p, n, e));
        QCOMPARE(EchantillonDe(f, n), e);
    }
    QCOMPARE(f, Synthese::FichierComplet(p));
}

void TestGenerateur::cibleNonInscriptibleGardeLAncienFichier()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("test.wav");
    Son t = Table({{440, 10.0f}});
    Generateur g(t, chemin);
    QVERIFY(g.GenereSon());
    const QByteArray avant = Lis(chemin);

    // A folder that refuses new files: QSaveFile cannot create its temporary file there.
    QFile::setPermissions(dossier.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFile probe(dossier.filePath("probe")); probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(dossier.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QSKIP("running with privileges that ignore folder permissions");
    }
    t.Frequence[1] = 220;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("test.wav not written"));
    QVERIFY(!g.GenereSon());
    QVERIFY(!g.derniereErreur().isEmpty());
    QFile::setPermissions(dossier.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(Lis(chemin), avant);
}

void TestGenerateur::disquePleinGardeLAncienFichier()
{
    // A file-size limit makes the disk "full" at 1000 bytes, whoever runs the test.
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("test.wav");
    Son t = Table({{440, 10.0f}});
    Generateur g(t, chemin);
    QVERIFY(g.GenereSon());
    const QByteArray avant = Lis(chemin);

    rlimit ancienne{};
    getrlimit(RLIMIT_FSIZE, &ancienne);
    auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit petite = ancienne;
    petite.rlim_cur = 1000;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &petite), 0);
    t.Frequence[1] = 220; // 4052 bytes
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("test.wav not written"));
    const bool ecrit = g.GenereSon();
    setrlimit(RLIMIT_FSIZE, &ancienne);
    std::signal(SIGXFSZ, ancienSignal);

    QVERIFY(!ecrit);
    QCOMPARE(Lis(chemin), avant);
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{"test.wav"}); // no leftover
}

void TestGenerateur::preconditionsRefuseesNEcriventRien_data()
{
    QTest::addColumn<int>("f1");
    QTest::addColumn<float>("a1");
    QTest::addColumn<float>("a2");
    QTest::newRow("0 Hz fundamental") << 0 << 10.0f << 0.0f;
    QTest::newRow("negative fundamental") << -5 << 10.0f << 0.0f;
    QTest::newRow("sum of amplitudes 0") << 440 << 5.0f << -5.0f;
    QTest::newRow("scale beyond 16 bits") << 440 << 1.0f << -0.99999f;
    QTest::newRow("coefficient beyond 16 bits") << 440 << 1000.0f << 0.0f;
}

void TestGenerateur::preconditionsRefuseesNEcriventRien()
{
    QFETCH(int, f1);
    QFETCH(float, a1);
    QFETCH(float, a2);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("test.wav");
    Son bonne = Table({{440, 10.0f}});
    Generateur(bonne, chemin).GenereSon();
    const QByteArray avant = Lis(chemin);

    Son t = Table({{f1, a1}, {880, a2}});
    t.SonActif = true;
    Generateur g(t, chemin);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("test.wav not written"));
    QVERIFY(!g.GenereSon());
    QCOMPARE(Lis(chemin), avant);
}

QTEST_GUILESS_MAIN(TestGenerateur)
#include "tst_generateur.moc"
