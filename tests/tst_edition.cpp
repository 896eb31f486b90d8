#include "banc.h"

#include "synth/generateur.h"
#include "ui/edition.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>

// The editing session on its own, without any window: what each intent does to the table,
// which redraws it announces and in what order, and when test.wav is written and replayed.

namespace {

QByteArray FichierAttendu(Composantes table)
{
    Synthese::Plan p;
    if (!Synthese::Prepare(table, p))
        return {};
    return Synthese::FichierComplet(p);
}

// Records every signal of the session, in order, as short words.
struct Ecouteur
{
    QStringList recu;

    explicit Ecouteur(Edition &e)
    {
        QObject::connect(&e, &Edition::spectreChange, [this] { recu << QStringLiteral("spectre"); });
        QObject::connect(&e, &Edition::apercuChange,
                         [this](float x, float y) { recu << QStringLiteral("apercu %1 %2").arg(x).arg(y); });
        QObject::connect(&e, &Edition::tempsChange, [this](int q) { recu << QStringLiteral("temps %1").arg(q); });
        QObject::connect(&e, &Edition::fondamentalPlace,
                         [this](double h) { recu << QStringLiteral("fondamental %1").arg(h); });
        QObject::connect(&e, &Edition::sonChange, [this](bool a) { recu << QStringLiteral("son %1").arg(a); });
        QObject::connect(&e, &Edition::sonGenere, [this](bool ok) { recu << QStringLiteral("genere %1").arg(ok); });
    }
};

// One intent written as words: "ajoute 880 5", "note 9", ...
void Execute(Edition &e, const QString &action)
{
    const QStringList m = action.split(QLatin1Char(' '));
    const QString &quoi = m.at(0);
    auto nombre = [&m](int i) { return m.at(i).toFloat(); };
    if (quoi == QLatin1String("efface"))
        e.Efface();
    else if (quoi == QLatin1String("ajoute"))
        e.Ajoute(nombre(1), nombre(2));
    else if (quoi == QLatin1String("retire"))
        e.RetireDerniere();
    else if (quoi == QLatin1String("survole"))
        e.Survole(nombre(1), nombre(2), false);
    else if (quoi == QLatin1String("survole-gauche"))
        e.Survole(nombre(1), nombre(2), true);
    else if (quoi == QLatin1String("glisse"))
        e.GlisseFondamental(nombre(1));
    else if (quoi == QLatin1String("lache"))
        e.LacheFondamental();
    else if (quoi == QLatin1String("note"))
        e.ChoisitNote(m.at(1).toInt());
    else if (quoi == QLatin1String("base"))
        e.ChoisitSensibilite(m.at(1).toInt());
    else if (quoi == QLatin1String("ecoute"))
        e.Ecoute();
    else if (quoi == QLatin1String("coupe"))
        e.Coupe();
    else if (quoi == QLatin1String("libre"))
        e.fixeMusical(false);
    else
        QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
}

} // namespace

class TestEdition : public QObject
{
    Q_OBJECT

private slots:
    void demarrage();
    void intention_data();
    void intention();
    void ecritureRateeJoueQuandMemeLaTable();
    void effaceSansMultiples();
};

void TestEdition::demarrage()
{
    Banc b;
    Edition e(b.contexte);
    Ecouteur ecouteur(e);
    e.Demarre();
    // The loop is stopped before anything is written; then the default sound, drawn fine.
    QCOMPARE(b.lecture.journal, QStringList{"coupe:sans-fichier"});
    QCOMPARE(ecouteur.recu, (QStringList{"temps 2", "spectre", "temps 2", "genere 1"}));
    QCOMPARE(b.table.ProchaineComposante, std::int16_t(2));
    QCOMPARE(b.table.Frequence[1], std::int16_t(440));
    QCOMPARE(b.table.Sensibilite, 1.0f);
    QVERIFY(e.musical());
    QCOMPARE(b.wav(), FichierAttendu(b.table));
}

void TestEdition::intention_data()
{
    QTest::addColumn<QString>("avant");     // actions before the one observed, separated by ';'
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("signaux");
    QTest::addColumn<QStringList>("journal"); // what the player was asked
    QTest::addColumn<int>("composantes");     // ProchaineComposante after the action

    const QStringList rien;
    const QStringList joue{"joue"};
    QTest::newRow("clear, sound off") << "ajoute 880 5" << "efface" << QStringList{"spectre", "temps 2", "genere 1"}
                                      << rien << 2;
    QTest::newRow("clear, sound on") << "ecoute" << "efface" << QStringList{"spectre", "temps 2", "genere 1"} << joue
                                     << 2;
    QTest::newRow("add") << "" << "ajoute 880 5" << QStringList{"temps 2", "genere 1"} << rien << 3;
    QTest::newRow("add, sound on") << "ecoute" << "ajoute 1320 3" << QStringList{"temps 2", "genere 1"} << joue << 3;
    QTest::newRow("add, table full")
        << "ajoute 880 1;ajoute 1320 1;ajoute 1760 1;ajoute 2200 1;ajoute 2640 1;ajoute 3080 1;ajoute 3520 1;"
           "ajoute 3960 1;ajoute 4400 1;ecoute"
        << "ajoute 4840 1" << rien << rien << 11;
    QTest::newRow("remove the last") << "ajoute 880 5;ecoute" << "retire"
                                     << QStringList{"spectre", "temps 2", "genere 1"} << joue << 2;
    QTest::newRow("remove, fundamental alone") << "ecoute" << "retire" << rien << rien << 2;
    QTest::newRow("hover, no button") << "" << "survole 905 4" << QStringList{"apercu 880 4"} << rien << 2;
    QTest::newRow("hover, no button, any frequency") << "libre" << "survole 905 4" << QStringList{"apercu 905 4"}
                                                     << rien << 2;
    QTest::newRow("hover, left held: coarse time plot") << "ecoute" << "survole-gauche 880 4"
                                                        << QStringList{"apercu 880 4", "temps 1"} << rien << 2;
    QTest::newRow("hover outside the editing area") << "" << "survole 880 -0.9" << QStringList{"spectre"} << rien << 2;
    QTest::newRow("drag step") << "ecoute" << "glisse 500"
                               << QStringList{"fondamental 500", "spectre", "temps 1"} << rien << 2;
    QTest::newRow("drop") << "ecoute;glisse 500" << "lache" << QStringList{"temps 2", "genere 1"} << joue << 2;
    QTest::newRow("key A") << "ecoute" << "note 9" << QStringList{"fondamental 221", "spectre", "temps 1", "genere 1"}
                           << joue << 2;
    QTest::newRow("key past the keyboard") << "ecoute" << "note 49" << rien << rien << 2;
    QTest::newRow("key before the keyboard") << "" << "note -1" << rien << rien << 2;
    QTest::newRow("time base 50 ms") << "ecoute" << "base 8" << QStringList{"temps 2"} << rien << 2;
    QTest::newRow("time base out of range") << "" << "base 9" << rien << rien << 2;
    QTest::newRow("sound on: no new synthesis") << "" << "ecoute" << QStringList{"son 1"} << joue << 2;
    // The fixture removed test.wav before the action, which the recording player notes.
    QTest::newRow("sound off") << "ecoute" << "coupe" << QStringList{"son 0"} << QStringList{"coupe:sans-fichier"}
                               << 2;
}

void TestEdition::intention()
{
    QFETCH(QString, avant);
    QFETCH(QString, action);
    QFETCH(QStringList, signaux);
    QFETCH(QStringList, journal);
    QFETCH(int, composantes);

    Banc b;
    Edition e(b.contexte);
    e.Demarre();
    for (const QString &a : avant.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        Execute(e, a);
    b.lecture.journal.clear();
    QFile::remove(b.generateur.chemin());
    const Composantes table = b.table;

    Ecouteur ecouteur(e);
    Execute(e, action);
    QCOMPARE(ecouteur.recu, signaux);
    QCOMPARE(b.lecture.journal, journal);
    QCOMPARE(int(b.table.ProchaineComposante), composantes);
    // test.wav is written exactly when a synthesis is announced, and then it is the table's sound.
    if (signaux.contains(QStringLiteral("genere 1")))
        QCOMPARE(b.wav(), FichierAttendu(b.table));
    else
        QVERIFY(!QFile::exists(b.generateur.chemin()));
    // Intents that only draw or switch the sound leave the table as it was.
    if (action.startsWith(QLatin1String("survole ")) || action.startsWith(QLatin1String("base"))
        || action == QLatin1String("ecoute") || action == QLatin1String("coupe")) {
        QCOMPARE(b.table.Frequence, table.Frequence);
        QCOMPARE(b.table.Amplitude, table.Amplitude);
    }
}

void TestEdition::ecritureRateeJoueQuandMemeLaTable()
{
    // The session writes into a folder that does not exist: every write fails. What is heard is
    // still the table on screen, handed to the player in memory.
    QTemporaryDir dossier;
    Composantes table;
    LectureEspion lecture;
    Generateur generateur(table, dossier.filePath(QStringLiteral("absent/test.wav")));
    Edition e(Contexte{table, generateur, lecture});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("test.wav not written"));
    e.Demarre();
    e.Ecoute();
    lecture.journal.clear();

    Ecouteur ecouteur(e);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("test.wav not written"));
    QVERIFY(e.Ajoute(880, 5));
    QCOMPARE(ecouteur.recu, (QStringList{"temps 2", "genere 0"}));
    QCOMPARE(lecture.journal, QStringList{"joue"});
    Synthese::Plan plan;
    Composantes copie = table;
    QVERIFY(Synthese::Prepare(copie, plan));
    QCOMPARE(lecture.sonJoue, Synthese::FichierComplet(plan).mid(Synthese::TailleEnTete));
    QCOMPARE(table.ProchaineComposante, std::int16_t(3));
    QVERIFY(!QFile::exists(generateur.chemin()));
}

void TestEdition::effaceSansMultiples()
{
    Banc b;
    Edition e(b.contexte);
    e.Demarre();
    e.Ajoute(880, 5);
    e.GlisseFondamental(300);
    e.fixeMusical(false);
    e.Efface();
    QCOMPARE(b.table.ProchaineComposante, std::int16_t(1));
    QCOMPARE(b.table.Amplitude[1], 0.0f);

    // With multiples only, the fundamental comes back where the marker stands.
    e.fixeMusical(true);
    e.Efface();
    QCOMPARE(b.table.ProchaineComposante, std::int16_t(2));
    QCOMPARE(b.table.Frequence[1], std::int16_t(std::lround(e.fondamental())));
    QCOMPARE(b.table.Amplitude[1], 10.0f);
}

QTEST_GUILESS_MAIN(TestEdition)
#include "tst_edition.moc"
