// The listening challenges from a shell, without a display: the program writes a challenge's
// timbre and scores a pupil's file; refused input ends the run with one French line and leaves
// every file as it was.
#include "model/timbre.h"
#include "synth/timbrefichier.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Timbre)

namespace {

struct Execution
{
    int code = -1;
    QString sortie, erreur;
};

Execution Lance(const QStringList &arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(v));
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(SONAVIRELLE_PROGRAMME), arguments);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray Lit(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestLigneDefi : public QObject
{
    Q_OBJECT

private slots:
    void ecrit_data();
    void ecrit();
    void compare_data();
    void compare();
    void refuse_data();
    void refuse();
    void aide();
};

void TestLigneDefi::ecrit_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Timbre>("attendu");
    // The challenges of tests/defi_reference.py, on 440 Hz.
    QTest::newRow("4821, level 3") << QStringList{"--defi", "4821", "--niveau", "3"}
                                   << Timbre{true, {{440, 10}, {880, 4}, {2200, 10}, {3080, 5}}};
    QTest::newRow("0, level 5, options in another order")
        << QStringList{"--niveau=5", "--defi=0"}
        << Timbre{true, {{440, 10}, {880, 5}, {1760, 10}, {2200, 6}, {2640, 5}, {3080, 7}}};
    QTest::newRow("leading zeros") << QStringList{"--defi", "0001", "--niveau", "1"}
                                   << Timbre{true, {{440, 10}, {880, 3}}};
}

void TestLigneDefi::ecrit()
{
    QFETCH(QStringList, arguments);
    QFETCH(Timbre, attendu);
    QTemporaryDir dossier;
    const QString cible = dossier.filePath(QStringLiteral("cible.timbre"));
    // An older file under the name is replaced.
    QVERIFY(TimbreFichier::Enregistre(cible, Timbre{false, {{100, 1}}}));
    const Execution e = Lance(arguments + QStringList{QStringLiteral("--sortie"), cible});
    QVERIFY2(e.code == 0, qPrintable(e.erreur));
    QVERIFY(e.sortie.isEmpty());
    QVERIFY(e.erreur.isEmpty());
    QString pourquoi;
    const auto lu = TimbreFichier::Charge(cible, &pourquoi);
    QVERIFY2(lu, qPrintable(pourquoi));
    QCOMPARE(*lu, attendu);
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden).size(), qsizetype(1));
}

void TestLigneDefi::compare_data()
{
    QTest::addColumn<Timbre>("essai");
    QTest::addColumn<QString>("attendu");

    // Against challenge 4821 at level 3: 440 Hz 10, 880 Hz 4, 2200 Hz 10, 3080 Hz 5 (total 29).
    QTest::newRow("the answer") << Timbre{true, {{440, 10}, {880, 4}, {2200, 10}, {3080, 5}}}
                                << "100\nharmonique 1 : juste\nharmonique 2 : juste\nharmonique 5 : juste\n"
                                   "harmonique 7 : juste\n";
    QTest::newRow("the answer an octave down, halved")
        << Timbre{false, {{220, 5}, {440, 2}, {1100, 5}, {1540, 2.5}}}
        << "100\nharmonique 1 : juste\nharmonique 2 : juste\nharmonique 5 : juste\nharmonique 7 : juste\n";
    // 1000 Hz is 2.27 × 440, 120 Hz from harmonic 2: off the harmonics. p = (0, 10, 4, 0, 10, 5) / 29
    // over ranks 0, 1, 2, 3, 5, 7, q = (2, 10, 4, 3, 0, 5) / 24: D = 10/29, 65.5 → 66.
    QTest::newRow("one missing, two extra")
        << Timbre{true, {{440, 10}, {880, 4}, {1320, 3}, {3080, 5}, {1000, 2}}}
        << "66\nhors harmoniques : en trop\nharmonique 1 : juste\nharmonique 2 : juste\nharmonique 3 : en trop\n"
           "harmonique 5 : manquant\nharmonique 7 : juste\n";
    // Fundamentals level: 2 is 6 for 4, 7 is 2 for 5. p = (10, 4, 10, 5) / 29, q = (10, 6, 10, 2) / 28:
    // Σ |P_k × 28 − Q_k × 29| = 10 + 62 + 10 + 82 = 164, D = 164 / (2 × 29 × 28) = 0.101, 89.9 → 90.
    QTest::newRow("too strong, too weak")
        << Timbre{true, {{440, 10}, {880, 6}, {2200, 10}, {3080, 2}}}
        << "90\nharmonique 1 : juste\nharmonique 2 : trop fort\nharmonique 5 : juste\nharmonique 7 : trop faible\n";
}

void TestLigneDefi::compare()
{
    QFETCH(Timbre, essai);
    QFETCH(QString, attendu);
    QTemporaryDir dossier;
    const QString cible = dossier.filePath(QStringLiteral("cible.timbre"));
    const QString fichier = dossier.filePath(QStringLiteral("essai.timbre"));
    QVERIFY(TimbreFichier::Enregistre(fichier, essai));
    QCOMPARE(Lance({QStringLiteral("--defi"), QStringLiteral("4821"), QStringLiteral("--niveau"), QStringLiteral("3"),
                    QStringLiteral("--sortie"), cible})
                 .code,
             0);
    const QByteArray avant = Lit(cible) + Lit(fichier);
    const Execution e = Lance({QStringLiteral("--compare"), cible, fichier});
    QVERIFY2(e.code == 0, qPrintable(e.erreur));
    QVERIFY(e.erreur.isEmpty());
    QCOMPARE(e.sortie, attendu);
    QCOMPARE(Lit(cible) + Lit(fichier), avant);
}

void TestLigneDefi::refuse_data()
{
    QTest::addColumn<QStringList>("arguments"); // @S: the output, @C: a good challenge, @X: a bad file
    QTest::addColumn<QString>("raison");        // in the one line on standard error

    const QString s = QStringLiteral("@S");
    QTest::newRow("number not a number") << QStringList{"--defi", "48a1", "--niveau", "3", "--sortie", s}
                                         << "sonavirelle : numéro de défi « 48a1 » : un nombre entier de 0 à 9999";
    QTest::newRow("number too large") << QStringList{"--defi", "10000", "--niveau", "3", "--sortie", s}
                                      << "numéro de défi « 10000 »";
    QTest::newRow("negative number") << QStringList{"--defi", "-1", "--niveau", "3", "--sortie", s}
                                     << "numéro de défi « -1 »";
    QTest::newRow("number with a sign") << QStringList{"--defi", "+12", "--niveau", "3", "--sortie", s}
                                        << "numéro de défi « +12 »";
    QTest::newRow("empty number") << QStringList{"--defi=", "--niveau", "3", "--sortie", s} << "numéro de défi «  »";
    QTest::newRow("level 0") << QStringList{"--defi", "12", "--niveau", "0", "--sortie", s}
                             << "sonavirelle : niveau « 0 » : un niveau de 1 à 5 est attendu.";
    QTest::newRow("level 6") << QStringList{"--defi", "12", "--niveau", "6", "--sortie", s} << "niveau « 6 »";
    QTest::newRow("level 2.5") << QStringList{"--defi", "12", "--niveau", "2.5", "--sortie", s} << "niveau « 2.5 »";
    QTest::newRow("no level") << QStringList{"--defi", "12", "--sortie", s} << "« --defi » attend « --niveau N »";
    QTest::newRow("no output") << QStringList{"--defi", "12", "--niveau", "2"} << "attend « --sortie CIBLE.timbre »";
    QTest::newRow("level without a challenge") << QStringList{"--niveau", "2"} << "« --niveau » ne sert qu'avec";
    QTest::newRow("output without a challenge") << QStringList{"--sortie", s} << "« --sortie » ne sert qu'avec";
    QTest::newRow("challenge and export")
        << QStringList{"--defi", "1", "--niveau", "2", "--sortie", s, "--exporte", "a.wav"} << "s'emploient seuls";
    QTest::newRow("challenge and a file")
        << QStringList{"--defi", "1", "--niveau", "2", "--sortie", s, "x.timbre"} << "argument inattendu « x.timbre »";
    QTest::newRow("output in a missing folder")
        << QStringList{"--defi", "1", "--niveau", "2", "--sortie", "@D/absent/cible.timbre"} << "cible.timbre » : ";
    QTest::newRow("compare one file") << QStringList{"--compare", "@C"} << "« --compare » attend deux fichiers";
    QTest::newRow("compare a bad challenge") << QStringList{"--compare", "@X", "@C"} << "faux.timbre » : ";
    QTest::newRow("compare a bad attempt") << QStringList{"--compare", "@C", "@X"} << "faux.timbre » : ";
    QTest::newRow("compare a missing attempt")
        << QStringList{"--compare", "@C", "@D/absent.timbre"} << "absent.timbre » : ";
    QTest::newRow("compare with a challenge")
        << QStringList{"--compare", "@C", "@C", "--defi", "1"} << "s'emploient seuls";
}

void TestLigneDefi::refuse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, raison);
    QTemporaryDir dossier;
    const QString sortie = dossier.filePath(QStringLiteral("cible.timbre"));
    const QString bon = dossier.filePath(QStringLiteral("bon.timbre"));
    const QString faux = dossier.filePath(QStringLiteral("faux.timbre"));
    QVERIFY(TimbreFichier::Enregistre(sortie, Timbre{false, {{100, 1}}}));
    QVERIFY(TimbreFichier::Enregistre(bon, Timbre{true, {{440, 10}}}));
    {
        QFile f(faux);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(R"({"format":"sonavirelle-timbre","version":1,"composantes":[{"frequence":0,"amplitude":10}]})");
    }
    const QByteArray avant = Lit(sortie);
    for (QString &a : arguments)
        a.replace(QLatin1String("@S"), sortie)
            .replace(QLatin1String("@C"), bon)
            .replace(QLatin1String("@X"), faux)
            .replace(QLatin1String("@D"), dossier.path());

    const Execution e = Lance(arguments);
    QCOMPARE(e.code, 2);
    QVERIFY(e.sortie.isEmpty());
    QCOMPARE(e.erreur.count(QLatin1Char('\n')), 1);
    QVERIFY(e.erreur.endsWith(QLatin1Char('\n')));
    QVERIFY2(e.erreur.contains(raison), qPrintable(e.erreur));
    // The output is untouched and nothing else is left in the folder.
    QCOMPARE(Lit(sortie), avant);
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden).size(), qsizetype(3));
}

void TestLigneDefi::aide()
{
    const Execution e = Lance({QStringLiteral("--help")});
    QCOMPARE(e.code, 0);
    for (const char *motif :
         {"\n  --defi NUMERO +Écrit le défi d'écoute", "\n  --niveau N +Niveau du défi, de 1 à 5",
          "\n  --sortie FICHIER\\.timbre +Fichier", "\n  --compare CIBLE\\.timbre ESSAI\\.timbre +Affiche le score"})
        QVERIFY2(QRegularExpression(QString::fromUtf8(motif)).match(e.sortie).hasMatch(), motif);
}

QTEST_GUILESS_MAIN(TestLigneDefi)
#include "tst_lignedefi.moc"
