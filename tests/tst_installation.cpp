// Where the files are for the build folder, an installed program and a relocated install: the data
// files are found from the executable's folder, and an installed program writes test.wav only in
// the per-user folder, even when it could write beside itself.
#include "synth/emplacements.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestInstallation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choisis_data();
    void choisis();
    void installDeplacee();
};

void TestInstallation::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Sonavirelle"));
    QCoreApplication::setOrganizationName(QStringLiteral("Sonavirelle"));
}

void TestInstallation::choisis_data()
{
    QTest::addColumn<QStringList>("dossiers"); // created under a scratch root
    QTest::addColumn<QString>("application");  // the executable's folder
    QTest::addColumn<QString>("donnees");      // where silence.wav is looked for
    QTest::addColumn<bool>("perso");           // test.wav in the per-user folder

    QTest::newRow("build folder") << QStringList{"build/default"} << "build/default"
                                  << "build/default" << false;
    QTest::newRow("installed under /usr") << QStringList{"usr/bin", "usr/share/sonavirelle"} << "usr/bin"
                                          << "usr/share/sonavirelle" << true;
    QTest::newRow("installed under /opt") << QStringList{"opt/sv/bin", "opt/sv/share/sonavirelle"} << "opt/sv/bin"
                                          << "opt/sv/share/sonavirelle" << true;
    // A copy in a personal bin folder has no installed data: it behaves as the build folder.
    QTest::newRow("bin without share") << QStringList{"home/bin"} << "home/bin"
                                       << "home/bin" << false;
    QTest::newRow("share of other programs only") << QStringList{"usr/bin", "usr/share/autre"} << "usr/bin"
                                                  << "usr/bin" << false;
    QTest::newRow("data beside a folder not named bin")
        << QStringList{"opt/sv/lib", "opt/sv/share/sonavirelle"} << "opt/sv/lib"
        << "opt/sv/lib" << false;
}

void TestInstallation::choisis()
{
    QFETCH(QStringList, dossiers);
    QFETCH(QString, application);
    QFETCH(QString, donnees);
    QFETCH(bool, perso);

    QTemporaryDir racine;
    QVERIFY(racine.isValid());
    for (const QString &d : dossiers)
        QVERIFY(QDir(racine.path()).mkpath(d));
    QTemporaryDir dossierPerso;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dossierPerso.path()));
    const QString dossierUtilisateur = dossierPerso.filePath(QStringLiteral("Sonavirelle/Sonavirelle"));

    // The scratch root is writable: only the layout decides.
    const Emplacements e = Emplacements::Choisis(racine.filePath(application));
    qunsetenv("XDG_DATA_HOME");

    QCOMPARE(e.dossierApplication, racine.filePath(application));
    QCOMPARE(e.silence(), racine.filePath(donnees + QStringLiteral("/silence.wav")));
    QCOMPARE(e.test(), (perso ? dossierUtilisateur : racine.filePath(application)) + QStringLiteral("/test.wav"));
    QCOMPARE(QFileInfo(dossierUtilisateur).isDir(), perso);
}

void TestInstallation::installDeplacee()
{
    // The same install, moved: the data follow the executable, nothing is remembered from before.
    QTemporaryDir racine;
    QVERIFY(QDir(racine.path()).mkpath(QStringLiteral("a/bin")));
    QVERIFY(QDir(racine.path()).mkpath(QStringLiteral("a/share/sonavirelle")));
    QTemporaryDir dossierPerso;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dossierPerso.path()));
    const Emplacements avant = Emplacements::Choisis(racine.filePath(QStringLiteral("a/bin")));
    QVERIFY(QDir(racine.path()).rename(QStringLiteral("a"), QStringLiteral("b")));
    const Emplacements apres = Emplacements::Choisis(racine.filePath(QStringLiteral("b/bin")));
    qunsetenv("XDG_DATA_HOME");

    QCOMPARE(avant.silence(), racine.filePath(QStringLiteral("a/share/sonavirelle/silence.wav")));
    QCOMPARE(apres.silence(), racine.filePath(QStringLiteral("b/share/sonavirelle/silence.wav")));
    QCOMPARE(apres.test(), avant.test());
    QVERIFY(apres.test().startsWith(dossierPerso.path() + QLatin1Char('/')));
}

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
