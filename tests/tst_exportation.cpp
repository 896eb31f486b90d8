// The program run from a shell, without a display or a sound server: the export writes the same
// bytes as the export routine; refused input ends the run with one French line and no file.
#include "model/timbre.h"
#include "synth/export.h"
#include "synth/generateur.h"
#include "synth/timbrefichier.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>

#include <sys/stat.h>

namespace {

struct Execution
{
    int code = -1;
    QByteArray sortie, erreur;
};

Execution Lance(const QStringList &arguments, const QStringList &langue = {})
{
    QProcess p;
    // No display, no platform, no sound server: the export must need none of them.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "PULSE_SERVER"})
        env.remove(QString::fromLatin1(v));
    // The language's variables, NAME=value, over a machine that sets none of them.
    if (!langue.isEmpty())
        for (const char *v : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            env.remove(QString::fromLatin1(v));
    for (const QString &v : langue)
        env.insert(v.section(u'=', 0, 0), v.section(u'=', 1));
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

QByteArray Lit(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestExportation : public QObject
{
    Q_OBJECT

private slots:
    void exporte_data();
    void exporte();
    void refuse_data();
    void refuse();
    void demarreSurLeTimbre();
    void timbreRefuseOuvreLaFenetre_data();
    void timbreRefuseOuvreLaFenetre();
    void langue_data();
    void langue();
    void coquille_data();
    void coquille();
};

void TestExportation::exporte_data()
{
    QTest::addColumn<QString>("timbre"); // file content; empty: no file, the default sound
    QTest::addColumn<QString>("duree");  // empty: the default
    QTest::addColumn<double>("secondes");

    QTest::newRow("default sound, 3 s") << ""
                                        << "" << 3.0;
    QTest::newRow("a file, 0.25 s")
        << R"({"format":"sonavirelle-timbre","version":1,"multiples":false,)"
           R"("composantes":[{"frequence":220,"amplitude":10},{"frequence":661,"amplitude":3.5}]})"
        << "0.25" << 0.25;
    QTest::newRow("1 Hz, ten components, 2.5 s")
        << R"({"format":"sonavirelle-timbre","version":1,"composantes":[{"frequence":1,"amplitude":10},)"
           R"({"frequence":2,"amplitude":9},{"frequence":3,"amplitude":8},{"frequence":4,"amplitude":7},)"
           R"({"frequence":5,"amplitude":6},{"frequence":6,"amplitude":5},{"frequence":7,"amplitude":4},)"
           R"({"frequence":8,"amplitude":3},{"frequence":9,"amplitude":2},{"frequence":10,"amplitude":1}]})"
        << "2.5" << 2.5;
}

void TestExportation::exporte()
{
    QFETCH(QString, timbre);
    QFETCH(QString, duree);
    QFETCH(double, secondes);

    QTemporaryDir dossier;
    const QString sortie = dossier.filePath(QStringLiteral("sortie.wav"));
    QStringList arguments{QStringLiteral("--exporte"), sortie};
    if (!duree.isEmpty())
        arguments << QStringLiteral("--duree") << duree;
    Timbre t{true, {{440, 10}}};
    if (!timbre.isEmpty()) {
        const QString fichier = dossier.filePath(QStringLiteral("son.timbre"));
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(timbre.toUtf8());
        f.close();
        arguments << fichier;
        const auto lu = TimbreFichier::Charge(fichier);
        QVERIFY(lu);
        t = *lu;
    }
    const Execution e = Lance(arguments);
    QVERIFY2(e.code == 0, e.erreur.constData());
    QVERIFY(e.erreur.isEmpty());

    Son table;
    QVERIFY(Timbres::Applique(t, table));
    const QString attendu = dossier.filePath(QStringLiteral("attendu.wav"));
    QVERIFY(Export::Ecrit(table, secondes, attendu));
    const QByteArray octets = Lit(sortie);
    QVERIFY(octets.size() > 44);
    QVERIFY(octets == Lit(attendu));
}

void TestExportation::refuse_data()
{
    QTest::addColumn<QString>("contenu"); // of the input file; "@fifo": a FIFO; "@absent": no file
    QTest::addColumn<QString>("duree");
    QTest::addColumn<QString>("raison"); // expected in the one stderr line

    QTest::newRow("not JSON") << "bonjour"
                              << ""
                              << "son.timbre";
    QTest::newRow("version 2")
        << R"({"format":"sonavirelle-timbre","version":2,"composantes":[{"frequence":440,"amplitude":10}]})"
        << ""
        << "son.timbre";
    QTest::newRow("a FIFO") << "@fifo"
                            << ""
                            << "son.timbre";
    QTest::newRow("a missing file") << "@absent"
                                    << ""
                                    << "son.timbre";
    QTest::newRow("a bad duration") << ""
                                    << "-1"
                                    << "durée « -1 »";
}

void TestExportation::refuse()
{
    QFETCH(QString, contenu);
    QFETCH(QString, duree);
    QFETCH(QString, raison);

    QTemporaryDir dossier;
    const QString sortie = dossier.filePath(QStringLiteral("sortie.wav"));
    const QString fichier = dossier.filePath(QStringLiteral("son.timbre"));
    QStringList arguments{QStringLiteral("--exporte"), sortie};
    if (!duree.isEmpty())
        arguments << QStringLiteral("--duree") << duree;
    if (contenu == QLatin1String("@fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(fichier).constData(), 0600), 0);
    else if (contenu != QLatin1String("@absent") && !contenu.isEmpty()) {
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu.toUtf8());
    }
    if (!contenu.isEmpty())
        arguments << fichier;

    const Execution e = Lance(arguments);
    QVERIFY(e.code > 0);
    QVERIFY(e.sortie.isEmpty());
    const QString erreur = QString::fromUtf8(e.erreur);
    QCOMPARE(erreur.count(QLatin1Char('\n')), 1);
    QVERIFY2(erreur.endsWith(QLatin1Char('\n')), qPrintable(erreur));
    QVERIFY2(erreur.contains(raison), qPrintable(erreur));
    QVERIFY(!QFile::exists(sortie));
    // Nothing but the input is left in the folder: no partial or temporary output.
    QVERIFY(QDir(dossier.path()).entryList(QDir::Files | QDir::System).size() <= 1);
}

void TestExportation::demarreSurLeTimbre()
{
    // A copy of the program in a folder of its own, so that its test.wav is written there.
    QTemporaryDir dossier;
    const QString programme = dossier.filePath(QStringLiteral("sonavirelle"));
    QVERIFY(QFile::copy(QStringLiteral(SONAVIRELLE_PROGRAMME), programme));
    const QString fichier = dossier.filePath(QStringLiteral("cours.timbre"));
    const Timbre t{false, {{330, 8}, {990, 4}, {1650, 2}}};
    QVERIFY(TimbreFichier::Enregistre(fichier, t));

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    p.setProcessEnvironment(env);
    p.start(programme, {fichier});
    QVERIFY(p.waitForStarted());
    // test.wav is written by the main window's start-up only: here, with the file's sound.
    Son table;
    QVERIFY(Timbres::Applique(t, table));
    Synthese::Plan plan;
    QVERIFY(Synthese::Prepare(table, plan));
    const QByteArray attendu = Synthese::FichierComplet(plan);
    const QString wav = dossier.filePath(QStringLiteral("test.wav"));
    QElapsedTimer chrono;
    chrono.start();
    while (Lit(wav) != attendu && chrono.elapsed() < 20000 && p.state() == QProcess::Running)
        QTest::qWait(50);
    const QByteArray lu = Lit(wav);
    p.kill();
    p.waitForFinished();
    QVERIFY2(lu == attendu, p.readAllStandardError().constData());
}

void TestExportation::timbreRefuseOuvreLaFenetre_data()
{
    QTest::addColumn<QString>("contenu"); // of the file named; empty: no file
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("ligne"); // on standard error; %1: the file
    QTest::newRow("refused timbre")
        << R"({"format":"sonavirelle-timbre","version":1,"composantes":[{"frequence":0,"amplitude":10}]})"
        << "LANG=fr_FR.UTF-8"
        << "« %1 » : ";
    QTest::newRow("en missing timbre") << ""
                                       << "LANG=en_US.UTF-8"
                                       << "“%1”: the file or folder does not exist\n";
}

void TestExportation::timbreRefuseOuvreLaFenetre()
{
    // Without --exporte, a refused file (a double-click on a damaged one) no longer ends the run:
    // the main window starts on the default sound (test.wav) and the reason still goes to stderr.
    // That the window and its message box show is checked on a real screen (fichier_refuse.test.sh).
    QFETCH(QString, contenu);
    QFETCH(QString, langue);
    QFETCH(QString, ligne);
    QTemporaryDir dossier;
    const QString programme = dossier.filePath(QStringLiteral("sonavirelle"));
    QVERIFY(QFile::copy(QStringLiteral(SONAVIRELLE_PROGRAMME), programme));
    const QString fichier = dossier.filePath(QStringLiteral("faux.timbre"));
    if (!contenu.isEmpty()) {
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu.toUtf8());
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *v : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        env.remove(QString::fromLatin1(v));
    env.insert(langue.section(u'=', 0, 0), langue.section(u'=', 1));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dossier.filePath(QStringLiteral("config")));
    p.setProcessEnvironment(env);
    p.start(programme, {fichier});
    QVERIFY(p.waitForStarted());
    Son table;
    QVERIFY(Timbres::Applique(Timbre{true, {{440, 10}}}, table));
    Synthese::Plan plan;
    QVERIFY(Synthese::Prepare(table, plan));
    const QByteArray attendu = Synthese::FichierComplet(plan);
    const QString wav = dossier.filePath(QStringLiteral("test.wav"));
    QElapsedTimer chrono;
    chrono.start();
    while (Lit(wav) != attendu && chrono.elapsed() < 20000 && p.state() == QProcess::Running)
        QTest::qWait(50);
    const QByteArray lu = Lit(wav);
    const bool enMarche = p.state() == QProcess::Running;
    p.kill();
    p.waitForFinished();
    const QString erreur = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(enMarche, qPrintable(erreur));
    QVERIFY2(lu == attendu, qPrintable(erreur));
    const QString premiere = erreur.section(u'\n', 0, 0) + QLatin1Char('\n');
    QVERIFY2(premiere.startsWith(ligne.arg(fichier)), qPrintable(erreur));
}

void TestExportation::langue_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("cas");
    QTest::addColumn<QString>("attendu"); // the whole output, or its first line; %1: the file, %2: the program

    const QStringList anglais{"LANG=en_US.UTF-8"};
    QTest::newRow("en help") << anglais << "aide"
                             << "Usage: %2 [OPTION]... [FILE.timbre]";
    QTest::newRow("fr help") << QStringList{"LANG=fr_FR.UTF-8"} << "aide"
                             << "Usage : %2 [OPTION]... [FICHIER.timbre]";
    QTest::newRow("another language: French") << QStringList{"LANG=de_DE.UTF-8"} << "aide"
                                              << "Usage : %2 [OPTION]... [FICHIER.timbre]";
    QTest::newRow("LANGUAGE first") << QStringList{"LANG=fr_FR.UTF-8", "LANGUAGE=en"} << "aide"
                                    << "Usage: %2 [OPTION]... [FILE.timbre]";
    QTest::newRow("en missing timbre") << anglais << "absent"
                                       << "“%1”: the file or folder does not exist\n";
    QTest::newRow("en refused timbre") << anglais << "faux"
                                       << "“%1”: the fundamental's frequency must be at least 1 Hz\n";
    QTest::newRow("en bad duration") << anglais << "duree"
                                     << "%2: duration “-1”: the duration must be a number of seconds above 0 and at "
                                        "most 600\n";
    QTest::newRow("en export into a folder") << anglais << "dossier"
                                             << "“%1”: it is a folder\n";
    QTest::newRow("en unknown option") << anglais << "option"
                                       << "%2: unknown option “--bogus” (“%2 --help” lists the options).\n";
}

void TestExportation::langue()
{
    QFETCH(QStringList, variables);
    QFETCH(QString, cas);
    QFETCH(QString, attendu);
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("faux.timbre"));
    const QString sortie = dossier.filePath(QStringLiteral("sortie.wav"));
    QStringList arguments;
    QString nomme = fichier;
    if (cas == QLatin1String("aide")) {
        arguments << QStringLiteral("--help");
    } else if (cas.startsWith(QLatin1String("absent"))) {
        arguments << fichier;
        arguments << QStringLiteral("--exporte") << sortie;
    } else if (cas == QLatin1String("faux")) {
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(R"({"format":"sonavirelle-timbre","version":1,"composantes":[{"frequence":0,"amplitude":10}]})");
        f.close();
        arguments << QStringLiteral("--exporte") << sortie << fichier;
    } else if (cas == QLatin1String("duree")) {
        arguments << QStringLiteral("--exporte") << sortie << QStringLiteral("--duree") << QStringLiteral("-1");
    } else if (cas == QLatin1String("dossier")) {
        // A folder with a WAV's name: refused for being a folder.
        nomme = dossier.filePath(QStringLiteral("dossier.wav"));
        QVERIFY(QDir().mkdir(nomme));
        arguments << QStringLiteral("--exporte") << nomme;
    } else {
        arguments << QStringLiteral("--bogus");
    }
    const Execution e = Lance(arguments, variables);
    attendu.replace(QStringLiteral("%1"), nomme)
        .replace(QStringLiteral("%2"), QFileInfo(QStringLiteral(SONAVIRELLE_PROGRAMME)).fileName());
    if (cas == QLatin1String("aide")) {
        QCOMPARE(e.code, 0);
        const QString aide = QString::fromUtf8(e.sortie);
        QCOMPARE(aide.section(u'\n', 0, 0), attendu);
        // The whole help in the one language: the other's words never show.
        const bool anglais = attendu.contains(QLatin1String("FILE"));
        for (const char *mot : {"Options", "--exporte", "--duree"})
            QVERIFY(aide.contains(QLatin1String(mot)));
        QCOMPARE(aide.contains(QStringLiteral("Shows this help and exits.")), anglais);
        QCOMPARE(aide.contains(QStringLiteral("--exporte OUTPUT")), anglais);
        QCOMPARE(aide.contains(QStringLiteral("--duree SECONDS")), anglais);
        QCOMPARE(aide.contains(QStringLiteral("Affiche")) || aide.contains(QStringLiteral("«")), !anglais);
    } else {
        QCOMPARE(e.code, 2);
        QVERIFY(e.sortie.isEmpty());
        QCOMPARE(QString::fromUtf8(e.erreur), attendu);
        QVERIFY(!QFile::exists(sortie));
    }
}

// Runs from bash, for raw bytes in names, limits, signals and redirections: $P the program, $D an
// empty folder. The exit status, a piece of standard error, and what the folder holds afterwards
// (number of entries; -1: not checked).
void TestExportation::coquille_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("code"); // -1: any
    QTest::addColumn<QString>("erreur");
    QTest::addColumn<int>("entrees");
    const QString timbre = QStringLiteral(
        R"(printf '%s' '{"format":"sonavirelle-timbre","version":1,"composantes":[{"frequence":440,"amplitude":10}]}')");
    QTest::newRow("timbre name not UTF-8")
        << timbre + QStringLiteral(R"( > "$D"/lat$'\xe9'.timbre; "$P" --exporte "$D/o.wav" "$D"/lat$'\xe9'.timbre)")
        << 2 << "UTF-8" << 1;
    QTest::newRow("output name not UTF-8")
        << QStringLiteral(R"("$P" --exporte "$D"/x$'\xe9'.wav)") << 2 << "UTF-8" << 0;
    QTest::newRow("output name that is an option")
        << QStringLiteral(R"(cd "$D" && "$P" --exporte --duree 3)") << 2 << "--duree" << 0;
    QTest::newRow("--version to a full disk") << QStringLiteral(R"("$P" --version > /dev/full)") << 1 << "sortie" << 0;
    QTest::newRow("--help to a full disk") << QStringLiteral(R"("$P" --help > /dev/full)") << 1 << "sortie" << 0;
    QTest::newRow("file-size limit") << QStringLiteral(R"(ulimit -f 1000; "$P" --exporte "$D/k.wav" --duree 60)") << 2
                                     << "dépasse la taille permise" << 0;
    // Caught in the middle of its write: watched until it holds a file in the folder (however slowly
    // a loaded machine starts it), stopped a moment later, then signalled and let go on.
    for (const char *signal : {"INT", "TERM", "KILL"})
        QTest::newRow(qPrintable(QStringLiteral("export interrupted by SIG%1").arg(QLatin1String(signal))))
            << QStringLiteral(R"(tient() { ls -l /proc/$pid/fd 2>/dev/null | grep -q -- "$D/"; }
                                 for essai in $(seq 20); do
                                     "$P" --exporte "$D/k.wav" --duree 600 & pid=$!
                                     for attente in $(seq 2000); do tient && break; sleep 0.005; done
                                     sleep 0.0$((essai % 5)); kill -STOP $pid 2>/dev/null
                                     if tient; then
                                         echo "interrompu en cours" >&2
                                         kill -%1 $pid; kill -CONT $pid; wait $pid; exit 0
                                     fi
                                     kill -KILL $pid 2>/dev/null; wait $pid; rm -f "$D/k.wav"
                                 done; exit 1)")
                   .arg(QLatin1String(signal))
            << 0 << "interrompu en cours" << 0;
    QTest::newRow("window program under a 1 kB file-size limit") << QStringLiteral(
        R"(cp "$P" "$D/sonavirelle"; ulimit -f 1; HOME="$D" XDG_DATA_HOME="$D/d" XDG_CONFIG_HOME="$D/c" \
                             QT_QPA_PLATFORM=offscreen "$D/sonavirelle" & pid=$!; sleep 2;
                             kill -0 $pid && echo "toujours en marche" >&2; kill $pid; wait $pid; exit 0)")
                                                                 << 0 << "toujours en marche" << -1;
}

void TestExportation::coquille()
{
    QFETCH(QString, script);
    QFETCH(int, code);
    QFETCH(QString, erreur);
    QFETCH(int, entrees);
    QTemporaryDir dossier;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("P"), QStringLiteral(SONAVIRELLE_PROGRAMME));
    env.insert(QStringLiteral("D"), dossier.path());
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    env.remove(QStringLiteral("DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("bash"), {QStringLiteral("-c"), script});
    QVERIFY(p.waitForFinished(60000));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (code >= 0)
        QCOMPARE(p.exitCode(), code);
    QVERIFY2(err.contains(erreur), qPrintable(err));
    // Never a name other than the one given, never a temporary file left behind.
    if (entrees >= 0) {
        // Read as raw bytes: a name that is not UTF-8 counts too.
        QStringList dedans;
        if (DIR *d = ::opendir(QFile::encodeName(dossier.path()).constData())) {
            while (const dirent *e = ::readdir(d))
                if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                    dedans << QString::fromLatin1(QByteArray(e->d_name).toPercentEncoding());
            ::closedir(d);
        }
        QVERIFY2(dedans.size() == entrees, qPrintable(dedans.join(QStringLiteral(", "))));
    }
}

QTEST_GUILESS_MAIN(TestExportation)
#include "tst_exportation.moc"
