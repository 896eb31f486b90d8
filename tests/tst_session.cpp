#include "espion.h"

#include "model/regles.h"
#include "session/direct.h"
#include "session/edition.h"
#include "synth/generateur.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <cmath>

// The session on its own, without any widget: what each intent does to the sound it owns, which
// redraws it announces and in what order, and when test.wav is written and replayed.

namespace {

// A session writing into a temporary folder, over a recording player.
struct Banc
{
    QTemporaryDir dossier;
    LectureEspion lecture;
    Edition edition{lecture, dossier.filePath(QStringLiteral("test.wav"))};
    const Son &table = edition.son();

    Banc() { lecture.cheminTest = edition.generateur().chemin(); }

    QByteArray wav() const
    {
        QFile f(dossier.filePath(QStringLiteral("test.wav")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// The file a sound should give, from the synthesis's own plan.
QByteArray FichierAttendu(const Son &son)
{
    Synthese::Plan p;
    return Synthese::Prepare(son, p) ? Synthese::FichierComplet(p) : QByteArray();
}

// Records every signal of the session, in order, as short words.
struct Ecouteur
{
    QStringList recu;

    explicit Ecouteur(Edition &e)
    {
        QObject::connect(&e, &Edition::spectreChange, [this] { recu << QStringLiteral("spectre"); });
        QObject::connect(&e, &Edition::apercuRetire, [this] { recu << QStringLiteral("sans apercu"); });
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
    else if (quoi == QLatin1String("annule"))
        e.Annule();
    else if (quoi == QLatin1String("retablit"))
        e.Retablit();
    else if (quoi == QLatin1String("type"))
        e.ChoisitTimbreType(Timbres::Types[m.at(1).toInt()]);
    else if (quoi == QLatin1String("charge")) {
        // "charge 0|1 f a f a ...": multiples, then the components.
        Timbre t;
        t.multiples = m.at(1) == QLatin1String("1");
        for (int i = 2; i + 1 < m.size(); i += 2)
            t.composantes.push_back({m.at(i).toDouble(), m.at(i + 1).toDouble()});
        e.ChargeTimbre(t);
    } else
        QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void demarrage();
    void trameParBloc();
    void intention_data();
    void intention();
    void ecritureRateeJoueQuandMemeLaTable();
    void effaceSansMultiples();
    void chargeTimbre();
    void timbreRefuseNeChangeRien();
    void timbreTypeSurLeFondamental();
    void historiqueBorne();
    void historique_data();
    void historique();
    void optionMultiplesUneSeuleVerite();
    void demarreSurUnTimbre_data();
    void demarreSurUnTimbre();
    void survolDitLaZone_data();
    void survolDitLaZone();
    void nouvelleFenetreMarqueurAuDepart();
    void ecouteBasculeLeLecteur();
    void masqueSurLeSonJoueSeulement();
};

void TestSession::optionMultiplesUneSeuleVerite()
{
    Banc b;
    Edition &e = b.edition;
    e.Demarre();
    QSignalSpy option(&e, &Edition::musicalChange);
    // The option is part of the sound: the same value reads back from the session and its sound.
    e.fixeMusical(false);
    QCOMPARE(option.count(), 1);
    QCOMPARE(option.at(0).at(0).toBool(), false);
    QVERIFY(!e.musical());
    QVERIFY(!b.table.Musical);
    // Setting it to what it is already tells nobody.
    e.fixeMusical(false);
    QCOMPARE(option.count(), 1);
    // It decides the next add: 905 Hz stays 905 Hz without it, snaps to 880 Hz with it.
    QVERIFY(e.Ajoute(905, 5));
    QCOMPARE(b.table.Frequence[2], std::int16_t(905));
    e.fixeMusical(true);
    QCOMPARE(option.count(), 2);
    QVERIFY(e.Ajoute(905, 5));
    QCOMPARE(b.table.Frequence[3], std::int16_t(880));
    // A saved timbre carries it.
    QVERIFY(e.TimbreCourant().multiples);
}

void TestSession::demarreSurUnTimbre_data()
{
    QTest::addColumn<bool>("multiples");
    QTest::newRow("multiples") << true;
    QTest::newRow("free") << false;
}

void TestSession::demarreSurUnTimbre()
{
    QFETCH(bool, multiples);
    Banc b;
    Edition &e = b.edition;
    const Timbre t{multiples, {{220, 8}, {660, 2.5}}};
    QSignalSpy genere(&e, &Edition::sonGenere);
    QSignalSpy option(&e, &Edition::musicalChange);
    e.Demarre(&t);
    // One synthesis, of the timbre: the default sound is never written.
    QCOMPARE(genere.count(), 1);
    QCOMPARE(b.table.Frequence[1], std::int16_t(220));
    QCOMPARE(b.table.Frequence[2], std::int16_t(660));
    QCOMPARE(b.table.Amplitude[2], 2.5f);
    QCOMPARE(int(b.table.ProchaineComposante), 3);
    QCOMPARE(b.table.Sensibilite, 1.0f);
    QCOMPARE(e.musical(), multiples);
    QCOMPARE(option.isEmpty() ? true : option.last().at(0).toBool(), multiples);
    QCOMPARE(e.fondamental(), 220.0);
    QCOMPARE(b.wav(), FichierAttendu(b.table));
    // The timbre is where history begins: nothing to undo back to 440 Hz.
    QVERIFY(!e.historique().canUndo());
    e.Annule();
    QCOMPARE(b.table.Frequence[1], std::int16_t(220));
    // The first edit after it is the first step.
    QVERIFY(e.Ajoute(1100, 5));
    QVERIFY(e.historique().canUndo());
    e.Annule();
    QCOMPARE(int(b.table.ProchaineComposante), 3);
    QCOMPARE(b.wav(), FichierAttendu(b.table));
}

void TestSession::survolDitLaZone_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<bool>("dedans");
    QTest::newRow("inside") << 880.0f << 5.0f << true;
    QTest::newRow("on the base line") << 880.0f << 10.0f << true;
    QTest::newRow("on the top grid line") << 880.0f << 0.0f << false;
    QTest::newRow("right of the plot") << 5001.0f << 5.0f << false;
}

void TestSession::survolDitLaZone()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(bool, dedans);
    Banc b;
    Edition &e = b.edition;
    e.Demarre();
    QSignalSpy zone(&e, &Edition::survolChange);
    QSignalSpy apercu(&e, &Edition::apercuChange);
    QSignalSpy retire(&e, &Edition::apercuRetire);
    QSignalSpy spectre(&e, &Edition::spectreChange);
    QCOMPARE(e.Survole(x, y, false), dedans);
    QCOMPARE(zone.count(), 1);
    QCOMPARE(zone.at(0).at(0).toBool(), dedans);
    QCOMPARE(apercu.count(), dedans ? 1 : 0);
    QCOMPARE(retire.count(), dedans ? 0 : 1);
    // A hover never changes the table, so it never asks for the table's redraw.
    QCOMPARE(spectre.count(), 0);
    e.QuitteSpectre();
    QCOMPARE(retire.count(), dedans ? 1 : 2);
    QCOMPARE(zone.count(), 1);
}

void TestSession::nouvelleFenetreMarqueurAuDepart()
{
    // A second start-up in the same run (a new main window) puts the marker back where the layout
    // has it, so its clear gives 440 Hz again whatever the last window did.
    Banc b;
    Edition &e = b.edition;
    e.Demarre();
    e.GlisseFondamental(1000);
    e.LacheFondamental();
    QCOMPARE(b.table.Frequence[1], std::int16_t(1000));
    QSignalSpy marqueur(&e, &Edition::fondamentalPlace);
    e.Demarre();
    QCOMPARE(marqueur.count(), 1);
    QCOMPARE(b.table.Frequence[1], std::int16_t(440));
    QCOMPARE(int(b.table.ProchaineComposante), 2);
    QVERIFY(!e.historique().canUndo());
}

void TestSession::demarrage()
{
    Banc b;
    Edition &e = b.edition;
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

void TestSession::intention_data()
{
    QTest::addColumn<QString>("avant"); // actions before the one observed, separated by ';'
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("signaux");
    QTest::addColumn<QStringList>("journal"); // what the player was asked
    QTest::addColumn<int>("composantes");     // ProchaineComposante after the action

    const QStringList rien;
    const QStringList joue{"joue"};
    QTest::newRow("clear, sound off") << "ajoute 880 5"
                                      << "efface" << QStringList{"spectre", "temps 2", "genere 1"} << rien << 2;
    QTest::newRow("clear, sound on") << "ecoute"
                                     << "efface" << QStringList{"spectre", "temps 2", "genere 1"} << joue << 2;
    QTest::newRow("add") << ""
                         << "ajoute 880 5" << QStringList{"temps 2", "genere 1"} << rien << 3;
    QTest::newRow("add, sound on") << "ecoute"
                                   << "ajoute 1320 3" << QStringList{"temps 2", "genere 1"} << joue << 3;
    QTest::newRow("add, table full")
        << "ajoute 880 1;ajoute 1320 1;ajoute 1760 1;ajoute 2200 1;ajoute 2640 1;ajoute 3080 1;ajoute 3520 1;"
           "ajoute 3960 1;ajoute 4400 1;ecoute"
        << "ajoute 4840 1" << rien << rien << 11;
    QTest::newRow("remove the last") << "ajoute 880 5;ecoute"
                                     << "retire" << QStringList{"spectre", "temps 2", "genere 1"} << joue << 2;
    QTest::newRow("remove, fundamental alone") << "ecoute"
                                               << "retire" << rien << rien << 2;
    QTest::newRow("hover, no button") << ""
                                      << "survole 905 4" << QStringList{"apercu 880 4"} << rien << 2;
    QTest::newRow("hover, no button, any frequency") << "libre"
                                                     << "survole 905 4" << QStringList{"apercu 905 4"} << rien << 2;
    QTest::newRow("hover, left held: coarse time plot")
        << "ecoute"
        << "survole-gauche 880 4" << QStringList{"apercu 880 4", "temps 1"} << rien << 2;
    QTest::newRow("hover outside the editing area") << ""
                                                    << "survole 880 -0.9" << QStringList{"sans apercu"} << rien << 2;
    QTest::newRow("drag step") << "ecoute"
                               << "glisse 500" << QStringList{"fondamental 500", "spectre", "temps 1"} << rien << 2;
    QTest::newRow("drop") << "ecoute;glisse 500"
                          << "lache" << QStringList{"temps 2", "genere 1"} << joue << 2;
    QTest::newRow("key A") << "ecoute"
                           << "note 9" << QStringList{"fondamental 221", "spectre", "temps 1", "genere 1"} << joue << 2;
    QTest::newRow("key past the keyboard") << "ecoute"
                                           << "note 49" << rien << rien << 2;
    QTest::newRow("key before the keyboard") << ""
                                             << "note -1" << rien << rien << 2;
    QTest::newRow("time base 50 ms") << "ecoute"
                                     << "base 8" << QStringList{"temps 2"} << rien << 2;
    QTest::newRow("time base out of range") << ""
                                            << "base 9" << rien << rien << 2;
    QTest::newRow("sound on: no new synthesis") << ""
                                                << "ecoute" << QStringList{"son 1"} << joue << 2;
    // The fixture removed test.wav before the action, which the recording player notes.
    QTest::newRow("sound off") << "ecoute"
                               << "coupe" << QStringList{"son 0"} << QStringList{"coupe:sans-fichier"} << 2;
}

void TestSession::intention()
{
    QFETCH(QString, avant);
    QFETCH(QString, action);
    QFETCH(QStringList, signaux);
    QFETCH(QStringList, journal);
    QFETCH(int, composantes);

    Banc b;
    Edition &e = b.edition;
    e.Demarre();
    for (const QString &a : avant.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        Execute(e, a);
    b.lecture.journal.clear();
    QFile::remove(b.edition.generateur().chemin());
    const Son table = b.table;

    Ecouteur ecouteur(e);
    Execute(e, action);
    QCOMPARE(ecouteur.recu, signaux);
    QCOMPARE(b.lecture.journal, journal);
    QCOMPARE(int(b.table.ProchaineComposante), composantes);
    // test.wav is written exactly when a synthesis is announced, and then it is the table's sound.
    if (signaux.contains(QStringLiteral("genere 1")))
        QCOMPARE(b.wav(), FichierAttendu(b.table));
    else
        QVERIFY(!QFile::exists(b.edition.generateur().chemin()));
    // Intents that only draw or switch the sound leave the table as it was.
    if (action.startsWith(QLatin1String("survole ")) || action.startsWith(QLatin1String("base"))
        || action == QLatin1String("ecoute") || action == QLatin1String("coupe")) {
        QCOMPARE(b.table.Frequence, table.Frequence);
        QCOMPARE(b.table.Amplitude, table.Amplitude);
    }
}

void TestSession::ecritureRateeJoueQuandMemeLaTable()
{
    // The session writes into a folder that does not exist: every write fails. What is heard is
    // still the table on screen, handed to the player in memory.
    QTemporaryDir dossier;
    LectureEspion lecture;
    Edition e(lecture, dossier.filePath(QStringLiteral("absent/test.wav")));
    const Son &table = e.son();
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
    Son copie = table;
    QVERIFY(Synthese::Prepare(copie, plan));
    QCOMPARE(lecture.sonJoue, Synthese::FichierComplet(plan).mid(Synthese::TailleEnTete));
    QCOMPARE(table.ProchaineComposante, std::int16_t(3));
    QVERIFY(!QFile::exists(e.generateur().chemin()));
}

void TestSession::effaceSansMultiples()
{
    Banc b;
    Edition &e = b.edition;
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

void TestSession::chargeTimbre()
{
    Banc b;
    Edition &e = b.edition;
    e.Demarre();
    e.Ecoute();
    e.Ajoute(880, 5);
    e.Ajoute(1320, 5);
    b.lecture.journal.clear();
    QSignalSpy musical(&e, &Edition::musicalChange);

    Ecouteur ecouteur(e);
    const Timbre t{false, {{300, 7}, {450, 2.5}}};
    QVERIFY(e.ChargeTimbre(t));
    // The marker goes first, then the commit of any edit; the sound restarts since it is on.
    QCOMPARE(ecouteur.recu, (QStringList{"fondamental 300", "spectre", "temps 2", "genere 1"}));
    QCOMPARE(b.lecture.journal, QStringList{"joue"});
    QCOMPARE(musical.size(), 1);
    QCOMPARE(musical.at(0).at(0).toBool(), false);
    QVERIFY(!e.musical());
    QCOMPARE(b.table.ProchaineComposante, std::int16_t(3));
    QCOMPARE(b.table.Frequence[2], std::int16_t(450));
    // The slot the earlier table used past the new count is emptied.
    QCOMPARE(b.table.Frequence[3], std::int16_t(0));
    QCOMPARE(b.table.Amplitude[3], 0.0f);
    QCOMPARE(e.TimbreCourant(), t);
    QCOMPARE(b.wav(), FichierAttendu(b.table));

    // A fundamental beyond the plot: the marker stays whole at the plot's right edge.
    QVERIFY(e.ChargeTimbre(Timbre{true, {{12000, 10}}}));
    QCOMPARE(e.fondamental(), Regles::XMaxFondamental);
    QCOMPARE(b.table.Frequence[1], std::int16_t(12000));
}

void TestSession::timbreRefuseNeChangeRien()
{
    Banc b;
    Edition &e = b.edition;
    e.Demarre();
    e.Ajoute(880, 5);
    const Son avant = b.table;
    const QByteArray wav = b.wav();
    Ecouteur ecouteur(e);
    QVERIFY(!e.ChargeTimbre(Timbre{true, {{0, 10}}}));
    QVERIFY(!e.ChargeTimbre(Timbre{true, {}}));
    QVERIFY(ecouteur.recu.isEmpty());
    QCOMPARE(b.table.Frequence, avant.Frequence);
    QCOMPARE(b.table.Amplitude, avant.Amplitude);
    QCOMPARE(b.table.ProchaineComposante, avant.ProchaineComposante);
    QCOMPARE(b.wav(), wav);
    QCOMPARE(e.historique().count(), 1);
}

void TestSession::timbreTypeSurLeFondamental()
{
    Banc b;
    Edition &e = b.edition;
    e.Demarre();
    e.ChoisitNote(9); // 221 Hz
    for (Timbres::Type type : Timbres::Types) {
        e.ChoisitTimbreType(type);
        const Timbre attendu = Timbres::Classique(type, 221);
        QCOMPARE(e.TimbreCourant(), attendu);
        QCOMPARE(e.fondamental(), 221.0);
        QCOMPARE(b.wav(), FichierAttendu(b.table));
    }
    // After a clear without multiples the table is empty; the marker is the fundamental.
    e.GlisseFondamental(500);
    e.LacheFondamental();
    e.fixeMusical(false);
    e.Efface();
    e.ChoisitTimbreType(Timbres::Type::SonPur);
    QCOMPARE(b.table.Frequence[1], std::int16_t(std::lround(e.fondamental())));
    QCOMPARE(b.table.ProchaineComposante, std::int16_t(2));
}

// A long session keeps only the newest steps: 5 000 edits leave the last LimiteAnnulations of
// them, and undoing all of those brings back the table of edit 4 000, no further.
void TestSession::historiqueBorne()
{
    Banc b;
    Edition &e = b.edition;
    e.Demarre();
    e.fixeMusical(false); // free frequencies, so that the steps differ
    constexpr int Edits = 5000;
    std::vector<std::int16_t> deuxieme(Edits + 1, 0); // the second component's frequency after each edit
    for (int i = 1; i <= Edits; ++i) {
        // Adding and removing one component in turn: each edit is a real change of the table.
        if (b.table.ProchaineComposante > 2)
            e.RetireDerniere();
        else
            e.Ajoute(float(600 + (i % 500)), 5);
        deuxieme[size_t(i)] = b.table.Frequence[2];
    }
    QCOMPARE(e.historique().count(), Edition::LimiteAnnulations);
    for (int i = 1; i < Edition::LimiteAnnulations; ++i)
        e.Annule();
    QVERIFY(deuxieme[size_t(Edits - Edition::LimiteAnnulations + 1)] != 0);
    QCOMPARE(b.table.Frequence[2], deuxieme[size_t(Edits - Edition::LimiteAnnulations + 1)]);
    e.Annule();
    QVERIFY(!e.historique().canUndo());
    QCOMPARE(b.table.Frequence[2], deuxieme[size_t(Edits - Edition::LimiteAnnulations)]);
    e.Annule();
    QCOMPARE(b.table.Frequence[2], deuxieme[size_t(Edits - Edition::LimiteAnnulations)]);
}

void TestSession::historique_data()
{
    // After each action, either a new state ("n") or the state reached after an earlier action
    // (its index; 0 is the start-up's).
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("etats");

    QTest::newRow("add, undo, redo") << "ajoute 880 5;ajoute 1320 3;annule;annule;retablit;retablit"
                                     << "n n 1 0 1 2";
    QTest::newRow("undo at the start does nothing") << "annule;ajoute 880 5;annule;annule"
                                                    << "0 n 0 0";
    QTest::newRow("a new change drops the redo") << "ajoute 880 5;ajoute 1320 3;annule;ajoute 1760 2;retablit;annule"
                                                 << "n n 1 n 4 1";
    QTest::newRow("remove and clear") << "ajoute 880 5;ajoute 1320 3;retire;efface;annule;annule;retablit"
                                      << "n n 1 n 3 2 3";
    QTest::newRow("a drag is one step") << "ajoute 880 5;glisse 300;glisse 350;glisse 500;lache;annule;retablit"
                                        << "n n n n 4 1 4";
    QTest::newRow("key") << "ajoute 880 5;note 9;note 20;annule;annule;retablit"
                         << "n n n 2 1 2";
    QTest::newRow("built-in timbres") << "type 1;type 3;annule;annule;retablit;retablit"
                                      << "n n 1 0 1 2";
    QTest::newRow("open a timbre") << "ajoute 880 5;charge 0 300 7 450 2.5 1000 1;annule;retablit"
                                   << "n n 1 2";
    QTest::newRow("a clear that changes nothing is no step") << "ajoute 880 5;retire;efface;annule"
                                                             << "n 0 0 1";
}

void TestSession::historique()
{
    QFETCH(QString, actions);
    QFETCH(QString, etats);

    struct Vu
    {
        Edition::Etat etat;
        QByteArray wav;
        double marqueur;
    };
    Banc b;
    Edition &e = b.edition;
    double marqueur = 0;
    QObject::connect(&e, &Edition::fondamentalPlace, [&marqueur](double h) { marqueur = h; });
    e.Demarre();
    marqueur = e.fondamental();
    auto observe = [&] {
        Edition::Etat s{b.table.Frequence, b.table.Amplitude, b.table.ProchaineComposante, e.fondamental()};
        return Vu{s, b.wav(), marqueur};
    };
    QList<Vu> vus{observe()};
    const QStringList a = actions.split(QLatin1Char(';'));
    const QStringList attendus = etats.split(QLatin1Char(' '));
    QCOMPARE(a.size(), attendus.size());
    for (int i = 0; i < a.size(); ++i) {
        Execute(e, a[i]);
        const Vu vu = observe();
        // Outside a drag, the file on disk is always the table's sound; the marker is where the
        // session says.
        if (!a[i].startsWith(QLatin1String("glisse")))
            QCOMPARE(vu.wav, FichierAttendu(b.table));
        QCOMPARE(vu.marqueur, e.fondamental());
        if (attendus[i] == QLatin1String("n")) {
            QVERIFY2(!(vu.etat == vus.last().etat), qPrintable(a[i]));
        } else {
            const Vu &avant = vus.at(attendus[i].toInt());
            QVERIFY2(vu.etat == avant.etat, qPrintable(QStringLiteral("after %1 (step %2)").arg(a[i]).arg(i + 1)));
            // A drag step writes no file: the one on disk then is the earlier commit's.
            const int k = attendus[i].toInt();
            if (k == 0 || !a[k - 1].startsWith(QLatin1String("glisse")))
                QCOMPARE(vu.wav, avant.wav);
        }
        vus << vu;
    }
}

void TestSession::ecouteBasculeLeLecteur()
{
    Banc b;
    b.edition.Demarre();
    Execute(b.edition, QStringLiteral("charge 1 220 10 440 5"));
    const QByteArray modele = b.lecture.son;
    const QByteArray wav = b.wav();
    const QByteArray original(8820, '\x11');
    QSignalSpy change(&b.edition, &Edition::ecouteChange);

    // Sound off: the switch only says what the next JoueSon plays.
    b.edition.fixeOriginal(original);
    QVERIFY(b.lecture.bascules.isEmpty()); // the table is still the source
    b.edition.fixeEcoute(Ecoute::Original);
    QCOMPARE(b.lecture.bascules, QByteArrayList{original});
    QCOMPARE(change.size(), 1);
    QCOMPARE(change.at(0).at(0).value<Ecoute>(), Ecoute::Original);
    b.edition.Ecoute();
    QCOMPARE(b.lecture.sonJoue, original);

    // An edit while the original plays: test.wav follows the table, the player keeps the original.
    b.lecture.journal.clear();
    Execute(b.edition, QStringLiteral("ajoute 660 4"));
    QVERIFY(b.wav() != wav);
    QCOMPARE(b.wav(), FichierAttendu(b.table));
    QCOMPARE(b.lecture.journal, QStringList{});
    QCOMPARE(b.lecture.son, original);

    // Back to the table: its newest sound, by a switch, not a restart.
    b.edition.fixeEcoute(Ecoute::Modele);
    QCOMPARE(b.lecture.journal, QStringList{"bascule"});
    QCOMPARE(b.lecture.bascules.last(), b.edition.generateur().echantillons());
    QVERIFY(b.lecture.bascules.last() != modele);
    QCOMPARE(change.size(), 2);
    b.edition.fixeEcoute(Ecoute::Modele); // no change, no switch
    QCOMPARE(b.lecture.bascules.size(), 2);

    // A new original while it is the source is switched to at once; the challenge likewise.
    b.edition.fixeEcoute(Ecoute::Original);
    const QByteArray autre(4410, '\x22');
    b.edition.fixeOriginal(autre);
    QCOMPARE(b.lecture.bascules.last(), autre);
    const QByteArray defi(4410, '\x33');
    b.edition.fixeDefi(defi);
    QCOMPARE(b.lecture.bascules.last(), autre);
    b.edition.fixeEcoute(Ecoute::Defi);
    QCOMPARE(b.lecture.bascules.last(), defi);
    // Without an original, Original plays the table.
    b.edition.fixeOriginal(QByteArray());
    b.edition.fixeEcoute(Ecoute::Original);
    QCOMPARE(b.lecture.bascules.last(), b.edition.generateur().echantillons());
}

void TestSession::masqueSurLeSonJoueSeulement()
{
    Banc b;
    b.edition.Demarre();
    Execute(b.edition, QStringLiteral("charge 1 220 10 440 5 660 3"));
    const QByteArray wav = b.wav();
    std::array<bool, Son::Max + 1> audibles;
    audibles.fill(true);
    audibles[2] = false;
    b.edition.fixeMasque(audibles);
    // What is played is the table without component 2, at the table's own scale.
    Son sans = b.table;
    Synthese::Plan p;
    QVERIFY(Synthese::Prepare(b.table, p));
    p.c[2] = 0;
    QByteArray attendu;
    QCOMPARE(Synthese::Echantillons(p, attendu), -1);
    QCOMPARE(b.lecture.bascules.last(), attendu);
    QCOMPARE(b.wav(), wav);
    // An edit hands the masked sound of the new table; test.wav is the whole table.
    b.edition.Ecoute();
    Execute(b.edition, QStringLiteral("ajoute 880 2"));
    QCOMPARE(b.wav(), FichierAttendu(b.table));
    QVERIFY(Synthese::Prepare(b.table, p));
    p.c[2] = 0;
    QCOMPARE(Synthese::Echantillons(p, attendu), -1);
    QCOMPARE(b.lecture.sonJoue, attendu);
    // Never applied to another source.
    b.edition.fixeOriginal(QByteArray(100, 'o'));
    b.edition.fixeEcoute(Ecoute::Original);
    audibles.fill(true);
    const auto n = b.lecture.bascules.size();
    b.edition.fixeMasque(audibles);
    QCOMPARE(b.lecture.bascules.size(), n);
    b.edition.fixeEcoute(Ecoute::Modele);
    QCOMPARE(b.lecture.bascules.last(), b.edition.generateur().echantillons());
}

void TestSession::trameParBloc()
{
    // Live listening makes a frame of each block once it is taken in, and one frame of blocks
    // that came together, from the newest samples.
    Direct direct;
    QList<double> hauteurs;
    connect(&direct, &Direct::trame, this, [&](const QList<QPointF> &, double h) { hauteurs.append(h); });
    qint64 n = 0;
    const auto bloc = [&](double f0) {
        QList<float> b(882); // 20 ms at 44100 Hz
        for (float &v : b)
            v = float(0.5 * (2.0 * std::fmod(double(n++) * f0 / 44100.0, 1.0) - 1.0));
        return b;
    };
    direct.recoit(bloc(220.0), 44100);
    QCoreApplication::processEvents();
    QVERIFY(hauteurs.isEmpty()); // not listening live
    direct.fixeDirect(true);
    for (int i = 0; i < 5; ++i) {
        direct.recoit(bloc(220.0), 44100);
        QVERIFY(hauteurs.size() == i); // the frame follows, never inside the block's call
        QCoreApplication::processEvents();
        QCOMPARE(hauteurs.size(), i + 1);
    }
    QVERIFY2(std::abs(hauteurs.last() - 220.0) < 1.0, qPrintable(QString::number(hauteurs.last())));
    // Six blocks at once (the window was busy): one frame, of the last 4096 samples, all at 330 Hz.
    for (int i = 0; i < 6; ++i)
        direct.recoit(bloc(330.0), 44100);
    QCoreApplication::processEvents();
    QCOMPARE(hauteurs.size(), 6);
    QVERIFY2(std::abs(hauteurs.last() - 330.0) < 1.0, qPrintable(QString::number(hauteurs.last())));
    // Off before the frame came: none comes.
    direct.recoit(bloc(330.0), 44100);
    direct.fixeDirect(false);
    QCoreApplication::processEvents();
    QCOMPARE(hauteurs.size(), 6);
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
