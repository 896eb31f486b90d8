// `sonavirelle --analyse` run as a command, without a display or a sound server: the timbre on
// standard output or in a file written whole, and every bad input refused with one French line,
// exit status 2 and no output file.
#include "model/timbre.h"
#include "synth/timbrefichier.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct Execution
{
    int code = -1;
    QByteArray sortie, erreur;
};

Execution Lance(const QStringList &arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "PULSE_SERVER"})
        env.remove(QString::fromLatin1(v));
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(SONAVIRELLE_PROGRAMME), arguments);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

bool Sox(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("sox"), arguments);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TestCommandeAnalyse : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void analyse_data();
    void analyse();
    void refuse_data();
    void refuse();

private:
    QTemporaryDir m_dossier;
    QString m_scie; // a 1.5 s sawtooth at 220 Hz, stereo FLAC
};

void TestCommandeAnalyse::initTestCase()
{
    QVERIFY(m_dossier.isValid());
    m_scie = m_dossier.filePath(QStringLiteral("scie.flac"));
    QVERIFY2(Sox({"-n", "-r", "44100", "-c", "2", m_scie, "synth", "1.5", "sawtooth", "220", "vol", "0.5"}),
             "sox is needed (scripts/setup.sh installs it)");
}

void TestCommandeAnalyse::analyse_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("fichier"); // --sortie
    QTest::addColumn<double>("debut");
    QTest::addColumn<double>("duree");

    QTest::newRow("the steady stretch, to standard output") << QStringList{} << false << 0.5 << 0.5;
    QTest::newRow("a stretch with decimal commas")
        << QStringList{"--debut", "0,25", "--duree", "0,3"} << false << 0.25 << 0.3;
    QTest::newRow("to a file") << QStringList{"--debut", "1", "--duree", "0.2"} << true << 1.0 << 0.2;
}

void TestCommandeAnalyse::analyse()
{
    QFETCH(QStringList, options);
    QFETCH(bool, fichier);
    QFETCH(double, debut);
    QFETCH(double, duree);
    const QString sortie = m_dossier.filePath(QStringLiteral("scie.timbre"));
    QFile::remove(sortie);
    QStringList arguments = QStringList{"--analyse", m_scie} + options;
    if (fichier)
        arguments << "--sortie" << sortie;
    const Execution e = Lance(arguments);
    QVERIFY2(e.code == 0, e.erreur.constData());
    QVERIFY(e.erreur.isEmpty());
    QByteArray texte = e.sortie;
    if (fichier) {
        QVERIFY(e.sortie.isEmpty());
        QFile f(sortie);
        QVERIFY(f.open(QIODevice::ReadOnly));
        texte = f.readAll();
    }
    QString pourquoi;
    const auto timbre = TimbreFichier::Decode(texte, &pourquoi);
    QVERIFY2(timbre, qPrintable(pourquoi));
    // A sawtooth's harmonics, 10 / k, on exactly k × 220 Hz.
    QCOMPARE(timbre->composantes.size(), std::size_t(10));
    QVERIFY(timbre->multiples);
    for (int k = 1; k <= 10; ++k) {
        QCOMPARE(timbre->composantes[std::size_t(k - 1)].frequence, 220.0 * k);
        QVERIFY(std::abs(timbre->composantes[std::size_t(k - 1)].amplitude - 10.0 / k) <= 0.2);
    }
    const auto origine = TimbreFichier::DecodeOrigine(texte);
    QVERIFY(origine);
    QCOMPARE(origine->source, QStringLiteral("scie.flac"));
    QCOMPARE(origine->debut, debut);
    QCOMPARE(origine->duree, duree);
    QVERIFY(std::abs(origine->fondamental - 220.0) < 0.05);
    // Nothing else is left in the folder (no temporary file beside the output).
    QCOMPARE(QDir(m_dossier.path()).entryList(QDir::Files | QDir::Hidden).size(), fichier ? 2 : 1);
}

void TestCommandeAnalyse::refuse_data()
{
    QTest::addColumn<QString>("son"); // in the temporary folder, made below; or an absolute path
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("raison");

    QTest::newRow("white noise") << "bruit.wav" << QStringList{} << "aucune hauteur";
    QTest::newRow("silence") << "silence.wav" << QStringList{} << "aucune hauteur";
    QTest::newRow("too short") << "scie.flac" << QStringList{"--duree", "0.04"} << "trop court";
    QTest::newRow("not a sound") << "texte.wav" << QStringList{} << "n'est pas un son";
    QTest::newRow("a folder") << "dossier.wav" << QStringList{} << "dossier";
    QTest::newRow("/dev/zero") << "/dev/zero" << QStringList{} << "n'est pas un fichier ordinaire";
    QTest::newRow("a FIFO, never waited on") << "tube.wav" << QStringList{} << "n'est pas un fichier ordinaire";
    QTest::newRow("a missing file") << "absent.wav" << QStringList{} << "n'existe pas";
    QTest::newRow("--duree 0") << "scie.flac" << QStringList{"--duree", "0"} << "plus grande que 0";
    QTest::newRow("a negative --debut") << "scie.flac" << QStringList{"--debut", "-1"} << "négatif";
    QTest::newRow("a stretch past the end")
        << "scie.flac" << QStringList{"--debut", "1,2", "--duree", "0.5"} << "dépasse la fin";
    QTest::newRow("a header claiming gigabytes") << "geant.wav" << QStringList{} << "l'en-tête annonce";
    QTest::newRow("the output is a folder") << "scie.flac" << QStringList{"--sortie", "@dossier"} << "dossier";
}

void TestCommandeAnalyse::refuse()
{
    QFETCH(QString, son);
    QFETCH(QStringList, options);
    QFETCH(QString, raison);
    const QString chemin = son.startsWith(QLatin1Char('/')) ? son : m_dossier.filePath(son);
    QTemporaryDir ailleurs; // the output's folder, to see that nothing is written there
    const QString sortie = ailleurs.filePath(QStringLiteral("sortie.timbre"));
    if (son == QLatin1String("bruit.wav"))
        QVERIFY(Sox({"-n", "-r", "22050", chemin, "synth", "1", "whitenoise"}));
    else if (son == QLatin1String("silence.wav"))
        QVERIFY(Sox({"-n", "-r", "22050", chemin, "trim", "0", "1"}));
    else if (son == QLatin1String("texte.wav")) {
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("RIFF, mais pas un son.\n");
    } else if (son == QLatin1String("dossier.wav"))
        QVERIFY(QDir().mkpath(chemin));
    else if (son == QLatin1String("tube.wav") && !QFile::exists(chemin))
        QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
    else if (son == QLatin1String("geant.wav")) {
        QByteArray octets("RIFF\xF0\xFF\xFF\xFFWAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xAC\0\0\x88\x58\x01\0\x02\0\x10\0data"
                          "\0\xFF\xFF\xFF",
                          44);
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(octets + QByteArray(4000, '\x10'));
    }
    QStringList arguments{"--analyse", chemin};
    bool sortieDonnee = false;
    for (const QString &o : options) {
        if (o == QLatin1String("@dossier")) {
            arguments << ailleurs.path();
            sortieDonnee = true;
        } else {
            arguments << o;
        }
    }
    if (!sortieDonnee)
        arguments << "--sortie" << sortie;
    const Execution e = Lance(arguments);
    QCOMPARE(e.code, 2);
    QVERIFY(e.sortie.isEmpty());
    const QString erreur = QString::fromUtf8(e.erreur);
    QCOMPARE(erreur.count(QLatin1Char('\n')), 1);
    QVERIFY2(erreur.contains(raison), qPrintable(erreur));
    QVERIFY2(erreur.contains(sortieDonnee ? ailleurs.path() : chemin), qPrintable(erreur));
    QVERIFY(QDir(ailleurs.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

QTEST_GUILESS_MAIN(TestCommandeAnalyse)
#include "tst_commandeanalyse.moc"
