// The command line: what starts the program, what answers and ends the run, what is refused.
#include "session/lignecommande.h"

#include <QRegularExpression>
#include <QTest>

class TestLigneCommande : public QObject
{
    Q_OBJECT

private slots:
    void analyse_data();
    void analyse();
    void aideListeLesOptions();
    void timbreEtExport_data();
    void timbreEtExport();
};

void TestLigneCommande::analyse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("demarre");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("sortie"); // pattern for standard output, empty: nothing
    QTest::addColumn<QString>("erreur"); // pattern for standard error, empty: nothing

    const QString prog = QStringLiteral("/usr/bin/sonavirelle");
    QTest::newRow("no argument") << QStringList{prog} << true << 0 << QString() << QString();
    QTest::newRow("empty argv") << QStringList{} << true << 0 << QString() << QString();
    // QApplication takes these; they must not be refused before it sees them.
    QTest::newRow("Qt options") << QStringList{prog, "-platform", "offscreen", "--style=fusion", "-reverse"} << true
                                << 0 << QString() << QString();
    QTest::newRow("--help") << QStringList{prog, "--help"} << false << 0 << "^Usage : sonavirelle \\[OPTION\\]"
                            << QString();
    QTest::newRow("-h") << QStringList{prog, "-h"} << false << 0 << "^Usage : sonavirelle " << QString();
    QTest::newRow("help wins over Qt options")
        << QStringList{prog, "-platform", "xcb", "--help"} << false << 0 << "^Usage : " << QString();
    QTest::newRow("--version") << QStringList{prog, "--version"} << false << 0 << "^Sonavirelle 7\\.3\\.1\n$"
                               << QString();
    QTest::newRow("-v") << QStringList{prog, "-v"} << false << 0 << "^Sonavirelle 7\\.3\\.1\n$" << QString();
    QTest::newRow("unknown long option")
        << QStringList{prog, "--frobnique"} << false << 2 << QString()
        << "^sonavirelle : option inconnue « --frobnique » \\(« sonavirelle --help » donne la liste des options\\)\\.\n$";
    QTest::newRow("unknown short option")
        << QStringList{prog, "-x"} << false << 2 << QString() << "^sonavirelle : option inconnue « -x » ";
    QTest::newRow("unknown option beside --version")
        << QStringList{prog, "--version", "--verbeux"} << false << 2 << QString() << "option inconnue « --verbeux »";
    QTest::newRow("unexpected argument") << QStringList{prog, "a.timbre", "son.wav"} << false << 2 << QString()
                                         << "^sonavirelle : argument inattendu « son\\.wav » ";
    QTest::newRow("missing value") << QStringList{prog, "-platform"} << false << 2 << QString()
                                   << "^sonavirelle : valeur manquante après « -platform » ";
    QTest::newRow("program renamed") << QStringList{"./sv", "--oups"} << false << 2 << QString()
                                     << "^sv : option inconnue « --oups » \\(« sv --help » ";
}

void TestLigneCommande::analyse()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, demarre);
    QFETCH(int, code);
    QFETCH(QString, sortie);
    QFETCH(QString, erreur);

    const LigneCommande::Resultat r = LigneCommande::Analyse(arguments, QStringLiteral("7.3.1"));
    QCOMPARE(r.demarre, demarre);
    QCOMPARE(r.code, code);
    const auto correspond = [](const QString &texte, const QString &motif) {
        if (motif.isEmpty())
            return texte.isEmpty();
        return QRegularExpression(motif).match(texte).hasMatch();
    };
    QVERIFY2(correspond(r.sortie, sortie), qPrintable(r.sortie));
    QVERIFY2(correspond(r.erreur, erreur), qPrintable(r.erreur));
    // A refusal is one line on standard error, nothing on standard output.
    if (code != 0)
        QCOMPARE(r.erreur.count(QLatin1Char('\n')), 1);
}

void TestLigneCommande::aideListeLesOptions()
{
    const QString aide =
        LigneCommande::Analyse({QStringLiteral("sonavirelle"), QStringLiteral("--help")}, QStringLiteral("1.0")).sortie;
    // Every option the program answers to is in the help, with a French description, and every
    // option in the help is one the program answers to.
    const QRegularExpression ligneOption(QStringLiteral("^  (-\\w), (--[\\w-]+) +(\\S.*)$"),
                                         QRegularExpression::MultilineOption);
    QStringList listees;
    for (const auto &m : ligneOption.globalMatch(aide)) {
        listees << m.captured(2);
        QVERIFY2(m.captured(3).endsWith(QLatin1String(" et quitte.")), qPrintable(m.captured(0)));
        for (int i = 1; i <= 2; ++i) {
            const auto r =
                LigneCommande::Analyse({QStringLiteral("sonavirelle"), m.captured(i)}, QStringLiteral("1.0"));
            QVERIFY2(r.erreur.isEmpty(), qPrintable(m.captured(i)));
        }
    }
    QCOMPARE(listees, (QStringList{QStringLiteral("--help"), QStringLiteral("--version")}));
    QVERIFY(aide.contains(QStringLiteral("Options :\n")));
    QVERIFY(aide.contains(QStringLiteral("-platform")));
    QVERIFY(aide.contains(QStringLiteral("[FICHIER.timbre]")));
    QVERIFY(QRegularExpression(QStringLiteral("\n  --exporte SORTIE +Écrit le son")).match(aide).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("\n  --duree SECONDES +Durée ")).match(aide).hasMatch());
    QVERIFY(aide.endsWith(QLatin1Char('\n')));
}

void TestLigneCommande::timbreEtExport_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("timbre");
    QTest::addColumn<QString>("exporte");
    QTest::addColumn<double>("duree");
    QTest::addColumn<QString>("erreur"); // pattern; empty: accepted

    const QString p = QStringLiteral("sonavirelle");
    QTest::newRow("a timbre") << QStringList{p, "cours/son.timbre"} << "cours/son.timbre"
                              << "" << 3.0 << "";
    QTest::newRow("export, default sound") << QStringList{p, "--exporte", "s.wav"} << ""
                                           << "s.wav" << 3.0 << "";
    QTest::newRow("export of a file") << QStringList{p, "--exporte=s.wav", "--duree", "60", "a.timbre"} << "a.timbre"
                                      << "s.wav" << 60.0 << "";
    QTest::newRow("file first") << QStringList{p, "a.timbre", "--duree", "0.5", "--exporte", "s.wav"} << "a.timbre"
                                << "s.wav" << 0.5 << "";
    QTest::newRow("French decimal comma") << QStringList{p, "--exporte", "s.wav", "--duree", "1,5"} << ""
                                          << "s.wav" << 1.5 << "";
    QTest::newRow("duration not a number") << QStringList{p, "--exporte", "s.wav", "--duree", "abc"} << ""
                                           << "" << 3.0 << "^sonavirelle : durée « abc » : ";
    QTest::newRow("duration zero") << QStringList{p, "--exporte", "s.wav", "--duree", "0"} << ""
                                   << "" << 3.0 << "^sonavirelle : durée « 0 » : la durée doit";
    QTest::newRow("duration too long") << QStringList{p, "--exporte", "s.wav", "--duree", "601"} << ""
                                       << "" << 3.0 << "durée « 601 »";
    QTest::newRow("duration not finite") << QStringList{p, "--exporte", "s.wav", "--duree", "inf"} << ""
                                         << "" << 3.0 << "durée « inf »";
    QTest::newRow("duration without export") << QStringList{p, "--duree", "2"} << ""
                                             << "" << 3.0 << "« --duree » ne sert qu'avec « --exporte »";
    QTest::newRow("export without a name") << QStringList{p, "--exporte="} << ""
                                           << "" << 3.0 << "« --exporte » attend le nom";
    QTest::newRow("export to an .mp3 name") << QStringList{p, "--exporte", "x.mp3"} << ""
                                            << "" << 3.0 << "^sonavirelle : « --exporte x.mp3 » : .*« .wav »";
    QTest::newRow("export to a name without a suffix") << QStringList{p, "--exporte", "son"} << ""
                                                       << "" << 3.0 << "« --exporte son »";
    QTest::newRow("export to a .wav.mp3 name") << QStringList{p, "--exporte", "a.wav.mp3"} << ""
                                               << "" << 3.0 << "« .wav »";
    QTest::newRow("export, upper-case .WAV") << QStringList{p, "--exporte", "S.WAV"} << ""
                                             << "S.WAV" << 3.0 << "";
    QTest::newRow("export without a value") << QStringList{p, "--exporte"} << ""
                                            << "" << 3.0 << "valeur manquante après « --exporte »";
}

void TestLigneCommande::timbreEtExport()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, timbre);
    QFETCH(QString, exporte);
    QFETCH(double, duree);
    QFETCH(QString, erreur);

    const LigneCommande::Resultat r = LigneCommande::Analyse(arguments, QStringLiteral("1.0"));
    if (erreur.isEmpty()) {
        QVERIFY2(r.erreur.isEmpty(), qPrintable(r.erreur));
        QVERIFY(r.demarre);
        QCOMPARE(r.timbre, timbre);
        QCOMPARE(r.exporte, exporte);
        QCOMPARE(r.duree, duree);
    } else {
        QVERIFY(!r.demarre);
        QCOMPARE(r.code, int(LigneCommande::CodeErreur));
        QVERIFY2(QRegularExpression(erreur).match(r.erreur).hasMatch(), qPrintable(r.erreur));
        QCOMPARE(r.erreur.count(QLatin1Char('\n')), 1);
        QVERIFY(r.sortie.isEmpty());
    }
}

QTEST_APPLESS_MAIN(TestLigneCommande)
#include "tst_lignecommande.moc"
