// Random event streams thrown at the real widgets of the main window, with the program's
// invariants checked after every event.
//
// The events are plain mouse events sent to the widget under the pointer, routed the way the
// window system routes them (the widget that took the first press keeps the pointer until every
// button is up; a press outside our windows takes it away from them), so every handler runs as
// it does for a user. A run is cut into sessions, each on a fresh program state; a failing
// session is replayed from scratch and shrunk to the shortest event list that still fails,
// which is printed with the seed.
//
// Checked after every event: the table's ranges (ProchaineComposante 1..11, frequencies >= 0,
// the fundamental >= 1 Hz, amplitudes finite in 0..10, free slots silent but for the live
// candidate); the sound switch and the time-base options agree with the model; the marker is
// shown; test.wav is only ever replaced whole, and each new one is byte for byte the sound of
// the table, computed here by an independent reference; the events that must synthesise do so
// exactly once and no other does; playback restarts after each synthesis while sound is on
// only; the program logs no warning. The Timbres menu's undo, redo and classic timbres are in the
// streams too: each synthesises once when it has something to do (a classic timbre always does,
// on the fundamental the table had), never otherwise.
//
// Environment:
//   SONAVIRELLE_FUZZ_EVENTS   number of events in all (default 200000; 20000 under AddressSanitizer)
//   SONAVIRELLE_FUZZ_SEED     seed of the run (default 20130611; printed at the start)
//   SONAVIRELLE_FUZZ_SESSION  events per session (default 2000)
//   SONAVIRELLE_FUZZ_SHRINK   seconds allowed for shrinking a failure (default 90)

#include "banc.h"

#include "plot/repere.h"
#include "plot/surface.h"
#include "session/edition.h"
#include "ui/aide.h"
#include "ui/clavier.h"
#include "ui/marqueur.h"
#include "ui/synthetiseur.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QHash>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define SOUS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOUS_ASAN 1
#endif
#endif
#ifdef SOUS_ASAN
constexpr qint64 EvenementsParDefaut = 20000; // each event costs several times more under the sanitizers
#else
constexpr qint64 EvenementsParDefaut = 200000;
#endif

// ---------------------------------------------------------------------------------------------
// Independent reference of test.wav: the sample formula written out again, sharing nothing
// with the program's synthesis.

// Nearest integer, exact halves to the even neighbour. Adding and taking away 1.5 × 2^52 leaves
// no fraction and rounds as the hardware does by default, ties to even; beyond 2^51 every
// double is whole already.
double PlusProcheEntier(double v)
{
    if (!(std::fabs(v) < 0x1p51))
        return v;
    return (v + 0x1.8p52) - 0x1.8p52;
}

bool Sur16Bits(double v)
{
    return v >= -32768.0 && v <= 32767.0;
}

void Pose32(QByteArray &o, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        o.append(char((v >> (8 * i)) & 0xff));
}

void Pose16(QByteArray &o, std::uint16_t v)
{
    o.append(char(v & 0xff));
    o.append(char(v >> 8));
}

struct Reference
{
    bool possible = false; ///< false: no file can be made from this table, a synthesis must refuse
    QString pourquoi;
    float somme = 0.0f;
    QByteArray octets;
};

Reference Attendu(const Son &t)
{
    Reference r;
    const int f1 = t.Frequence[1];
    if (f1 < 1) {
        r.pourquoi = QStringLiteral("fundamental %1 Hz").arg(f1);
        return r;
    }
    const auto N = static_cast<std::int32_t>(PlusProcheEntier((1.0 / f1) * 10 * 44100));
    float somme = 0.0f;
    for (int i = 1; i <= 10; ++i)
        somme = somme + t.Amplitude[i];
    r.somme = somme;
    double k = 0.0;
    if (t.Amplitude[1] != 0.0f)
        k = std::floor(double(t.Amplitude[1]) * 0.01 * 32767 / double(somme));
    if (!Sur16Bits(k)) {
        r.pourquoi = QStringLiteral("scale %1").arg(k);
        return r;
    }
    int c[11] = {};
    int f[11] = {};
    int actives[10];
    int nombre = 0;
    for (int j = 1; j <= 10; ++j) {
        const double cj = PlusProcheEntier(k * double(t.Amplitude[j]));
        if (!Sur16Bits(cj)) {
            r.pourquoi = QStringLiteral("coefficient %1").arg(j);
            return r;
        }
        c[j] = int(cj);
        f[j] = t.Frequence[j];
        // A zero coefficient adds nothing: round(0 + s) is s.
        if (c[j] != 0)
            actives[nombre++] = j;
    }

    QByteArray &o = r.octets;
    o.reserve(44 + 2 * qsizetype(N));
    o.append("RIFF", 4);
    Pose32(o, std::uint32_t(2 * N + 36));
    o.append("WAVEfmt ", 8);
    Pose32(o, 16);
    Pose16(o, 1);
    Pose16(o, 1);
    Pose32(o, 44100);
    Pose32(o, 16 / 8 * 44100);
    Pose16(o, 2);
    Pose16(o, 16);
    o.append("data", 4);
    Pose32(o, std::uint32_t(2 * N));
    o.resize(44 + 2 * qsizetype(N));
    auto *echantillons = reinterpret_cast<unsigned char *>(o.data() + 44);
    for (std::int32_t n = 0; n < N; ++n) {
        double s = 0.0;
        for (int a = 0; a < nombre; ++a) {
            const int i = actives[a];
            s = PlusProcheEntier(double(c[i]) * std::sin(((double(n) * 6.2832) * double(f[i])) / 44100.0) + s);
        }
        if (!Sur16Bits(s)) {
            r.pourquoi = QStringLiteral("sample %1 = %2").arg(n).arg(s);
            r.octets.clear();
            return r;
        }
        const auto e = std::uint16_t(std::int16_t(s));
        echantillons[2 * n] = std::uint8_t(e & 0xff);
        echantillons[2 * n + 1] = std::uint8_t(e >> 8);
    }
    r.possible = true;
    return r;
}

std::uint32_t Lit32(const QByteArray &o, int i)
{
    std::uint32_t v = 0;
    for (int b = 3; b >= 0; --b)
        v = (v << 8) | std::uint8_t(o[i + b]);
    return v;
}

std::uint16_t Lit16(const QByteArray &o, int i)
{
    return std::uint16_t(std::uint8_t(o[i]) | (std::uint8_t(o[i + 1]) << 8));
}

// Whether the bytes are a whole PCM WAVE file of the program's format; empty when they are.
QString DefautRiff(const QByteArray &o)
{
    if (o.size() < 44)
        return QStringLiteral("%1 bytes, shorter than the header").arg(o.size());
    if (o.left(4) != "RIFF" || o.mid(8, 8) != "WAVEfmt " || o.mid(36, 4) != "data")
        return QStringLiteral("chunk names wrong: %1").arg(QString::fromLatin1(o.left(44).toHex()));
    if (Lit32(o, 4) != std::uint32_t(o.size() - 8))
        return QStringLiteral("RIFF size %1 for a file of %2 bytes").arg(Lit32(o, 4)).arg(o.size());
    if (Lit32(o, 40) != std::uint32_t(o.size() - 44) || o.size() % 2 != 0)
        return QStringLiteral("data size %1 for a file of %2 bytes").arg(Lit32(o, 40)).arg(o.size());
    if (Lit32(o, 16) != 16 || Lit16(o, 20) != 1 || Lit16(o, 22) != 1 || Lit32(o, 24) != 44100 || Lit32(o, 28) != 88200
        || Lit16(o, 32) != 2 || Lit16(o, 34) != 16)
        return QStringLiteral("format chunk wrong: %1").arg(QString::fromLatin1(o.mid(16, 20).toHex()));
    return {};
}

QByteArray Lis(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString DecritTable(const Son &t)
{
    QStringList s;
    for (int i = 1; i <= 10; ++i)
        if (t.Frequence[i] != 0 || t.Amplitude[i] != 0.0f)
            s << QStringLiteral("%1:%2Hz/%3").arg(i).arg(t.Frequence[i]).arg(double(t.Amplitude[i]), 0, 'g', 9);
    return QStringLiteral("P=%1 [%2]").arg(t.ProchaineComposante).arg(s.join(QLatin1Char(' ')));
}

// ---------------------------------------------------------------------------------------------
// Renames into the folder of test.wav, seen through inotify: every synthesis that lands shows,
// however fast they follow one another, without reading the file after every event.

class Guetteur
{
public:
    explicit Guetteur(const QString &dossier)
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd >= 0)
            inotify_add_watch(m_fd, QFile::encodeName(dossier).constData(), IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE);
    }
    ~Guetteur()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Guetteur(const Guetteur &) = delete;
    Guetteur &operator=(const Guetteur &) = delete;

    bool valide() const { return m_fd >= 0; }

    /// Writes that replaced test.wav since the last call; `surPlace` counts writes into the file itself.
    int remplacements(int &surPlace, int &effacements)
    {
        int n = 0;
        surPlace = 0;
        effacements = 0;
        alignas(inotify_event) char tampon[4096];
        for (;;) {
            const ssize_t lu = ::read(m_fd, tampon, sizeof tampon);
            if (lu <= 0)
                break;
            for (ssize_t i = 0; i < lu;) {
                const auto *e = reinterpret_cast<const inotify_event *>(tampon + i);
                if (e->len > 0 && std::strcmp(e->name, "test.wav") == 0) {
                    if (e->mask & IN_MOVED_TO)
                        ++n;
                    if (e->mask & IN_CLOSE_WRITE)
                        ++surPlace;
                    if (e->mask & IN_DELETE)
                        ++effacements;
                }
                i += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
        return n;
    }

private:
    int m_fd = -1;
};

// ---------------------------------------------------------------------------------------------
// Events.

// The buttons an event carries are not stored: they follow from the presses and releases played
// before it, so that any list of events (a shrunk one too) is one a hand can make. A press of a
// button already down, or a release of one that is up, is skipped.
enum class Genre : std::uint8_t {
    Bouge,          ///< pointer moved to (x, y)
    Appuie,         ///< `bouton` pressed at (x, y)
    Relache,        ///< `bouton` released at (x, y)
    DoubleClic,     ///< press, release, double-click, release of `bouton` at (x, y), nothing else held
    SaisitMarqueur, ///< `bouton` pressed on the marker, (x, y) the point inside it as fractions
    Clic,           ///< left click on control `cible`, (x, y) the point inside it as fractions
    Touche,         ///< `bouton` pressed and released on key `cible`, (x, y) inside it as fractions
    FermeClavier,   ///< the keyboard window's close button
    FermeAide,      ///< the help window's red cross
    Menu,           ///< command `cible` of the Timbres menu: 0 undo, 1 redo, 2.. the classic timbres
    ToucheSpectre,  ///< key `cible` of ToucheSpectre pressed on the spectrum, `bouton` 1 with Shift
};

// The keys that edit the spectrum, by `cible`.
struct CleSpectre
{
    int cle;
    Qt::KeyboardModifiers mods;
    const char *nom;
};
const CleSpectre ClesSpectre[] = {
    {Qt::Key_Left, {}, "Left"},
    {Qt::Key_Right, {}, "Right"},
    {Qt::Key_Up, {}, "Up"},
    {Qt::Key_Down, {}, "Down"},
    {Qt::Key_Enter, {}, "Enter"},
    {Qt::Key_Return, {}, "Return"},
    {Qt::Key_Delete, {}, "Delete"},
    {Qt::Key_Backspace, {}, "Backspace"},
    {Qt::Key_Left, Qt::ControlModifier, "Ctrl+Left"},
    {Qt::Key_Right, Qt::ControlModifier, "Ctrl+Right"},
};

struct Evenement
{
    Genre genre = Genre::Bouge;
    std::uint8_t bouton = 0; ///< 1 left, 2 right, 4 middle
    std::int16_t cible = 0;
    double x = 0.0; ///< spectrum user coordinates (hertz, amplitude units), or a fraction inside an element
    double y = 0.0;
};

// Controls of the main window a click may aim at, with how often.
struct Commande
{
    const char *nom;
    int poids;
};
const Commande Commandes[] = {
    {"Effacer", 6},
    {"Musical", 4},
    {"AfficheFreq", 3},
    {"Label6", 2},
    {"Label11", 4},
    {"CacheSpectre", 2},
    {"SpectreCache", 2},
    {"Label7", 2},
    {"CacheTemp", 2},
    {"Picture3", 1},
    {"Label8", 1},
    {"Play", 2},
    {"Image1", 1},
    {"Label3", 1},
    {"TaGueule", 2},
    {"Image4", 1},
    {"Label13", 1},
    {"Picture6", 5},
    {"Image6", 2},
    {"Label14", 2},
    {"Image3", 1},
    {"Label10", 1},
    {"Picture5", 1},
    {"SensibiliteTemp(0)", 1},
    {"SensibiliteTemp(1)", 1},
    {"SensibiliteTemp(2)", 1},
    {"SensibiliteTemp(3)", 1},
    {"SensibiliteTemp(4)", 1},
    {"SensibiliteTemp(5)", 1},
    {"SensibiliteTemp(6)", 1},
    {"SensibiliteTemp(7)", 1},
    {"SensibiliteTemp(8)", 1},
};
constexpr int NombreCommandes = int(sizeof Commandes / sizeof Commandes[0]);

QString NomBoutons(int masque)
{
    if (masque == 0)
        return QStringLiteral("nothing");
    QStringList s;
    if (masque & 1)
        s << QStringLiteral("left");
    if (masque & 2)
        s << QStringLiteral("right");
    if (masque & 4)
        s << QStringLiteral("middle");
    return s.join(QLatin1Char('+'));
}

QString Action(const Evenement &e);

// `tenus`: the buttons held once the event is played, -1 when it was skipped; `recu`: the
// widget that got the press or release, when there was one.
QString Decrit(const Evenement &e, int tenus, const QString &recu)
{
    QString suite;
    if (!recu.isEmpty())
        suite += QStringLiteral(" [reached %1]").arg(recu);
    if (tenus < 0)
        suite += QStringLiteral(" [skipped: the buttons do not allow it]");
    else if (tenus > 0)
        suite += QStringLiteral(" [then holding %1]").arg(NomBoutons(tenus));
    return Action(e) + suite;
}

QString Action(const Evenement &e)
{
    const QString ici = QStringLiteral("(%1 Hz, %2)").arg(e.x, 0, 'g', 9).arg(e.y, 0, 'g', 9);
    const QString dedans = QStringLiteral("(%1, %2 of its size)").arg(e.x, 0, 'f', 3).arg(e.y, 0, 'f', 3);
    switch (e.genre) {
    case Genre::Bouge: return QStringLiteral("move to %1").arg(ici);
    case Genre::Appuie: return QStringLiteral("press %1 at %2").arg(NomBoutons(e.bouton), ici);
    case Genre::Relache: return QStringLiteral("release %1 at %2").arg(NomBoutons(e.bouton), ici);
    case Genre::DoubleClic: return QStringLiteral("double-click %1 at %2").arg(NomBoutons(e.bouton), ici);
    case Genre::SaisitMarqueur:
        return QStringLiteral("press %1 on the marker Fondamental at %2").arg(NomBoutons(e.bouton), dedans);
    case Genre::Clic:
        return QStringLiteral("left click where %1 lies, at %2")
            .arg(QString::fromLatin1(Commandes[e.cible].nom), dedans);
    case Genre::Touche:
        return QStringLiteral("press and release %1 on key note(%2) at %3")
            .arg(NomBoutons(e.bouton))
            .arg(e.cible)
            .arg(dedans);
    case Genre::FermeClavier: return QStringLiteral("close the keyboard window");
    case Genre::FermeAide: return QStringLiteral("click the help window's cross");
    case Genre::ToucheSpectre:
        return QStringLiteral("key %1%2 on the spectrum")
            .arg(e.bouton ? QStringLiteral("Shift+") : QString(), QString::fromLatin1(ClesSpectre[e.cible].nom));
    case Genre::Menu:
        return e.cible == 0   ? QStringLiteral("menu Timbres: undo")
               : e.cible == 1 ? QStringLiteral("menu Timbres: redo")
                              : QStringLiteral("menu Timbres: classic timbre %1").arg(e.cible - 2);
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// The event generator: random, but shaped like a user's hand (moves far outnumber clicks, a
// press is followed by moves and a release, a marker drag by a run of moves).

class Tirage
{
public:
    explicit Tirage(std::uint64_t graine) : m_alea(graine) {}

    Evenement suivant()
    {
        Evenement e;
        if (m_glisse)
            return pendantGlissement();
        if (m_tenus != 0)
            return boutonTenu();
        // An undo is often followed at once by a redo or a further undo, as a hand does.
        if (m_annule && uniforme() < 0.6) {
            e.genre = Genre::Menu;
            e.cible = std::int16_t(uniforme() < 0.6 ? 1 : 0);
            m_annule = e.cible == 0;
            return e;
        }
        m_annule = false;
        const double r = uniforme();
        if (r < 0.66) {
            e.genre = Genre::Bouge;
            place(e);
        } else if (r < 0.74) {
            e.genre = Genre::Appuie;
            e.bouton = unBouton();
            if (uniforme() < 0.3)
                place(e);
            else
                e.x = m_x, e.y = m_y;
            m_tenus = e.bouton;
        } else if (r < 0.755) {
            e.genre = Genre::DoubleClic;
            e.bouton = unBouton();
            place(e);
        } else if (r < 0.78) {
            e.genre = Genre::SaisitMarqueur;
            e.bouton = uniforme() < 0.85 ? 1 : unBouton();
            e.x = uniforme();
            e.y = uniforme();
            m_tenus = e.bouton;
            m_glisse = e.bouton == 1;
        } else if (r < 0.90) {
            e.genre = Genre::Clic;
            e.cible = std::int16_t(uneCommande());
            const bool caseACocher = std::strncmp(Commandes[e.cible].nom, "Sensibilite", 11) == 0
                                     || std::strcmp(Commandes[e.cible].nom, "Musical") == 0
                                     || std::strcmp(Commandes[e.cible].nom, "AfficheFreq") == 0;
            // Option buttons and check boxes answer on their indicator and caption only.
            e.x = caseACocher ? uniforme() * 0.4 : 0.05 + 0.9 * uniforme();
            e.y = 0.1 + 0.8 * uniforme();
        } else if (r < 0.985 && uniforme() < 0.15) {
            // Undo and redo twice as often as each classic timbre, so that long undo runs happen.
            e.genre = Genre::Menu;
            e.cible = std::int16_t(entier(0, 7));
            if (e.cible >= 4)
                e.cible = std::int16_t(e.cible % 2);
            else
                e.cible = std::int16_t(e.cible + 2);
            m_annule = e.cible == 0;
        } else if (r < 0.985 && uniforme() < 0.35) {
            e.genre = Genre::ToucheSpectre;
            e.cible = std::int16_t(entier(0, int(std::size(ClesSpectre)) - 1));
            e.bouton = uniforme() < 0.3 ? 1 : 0;
        } else if (r < 0.985) {
            e.genre = Genre::Touche;
            e.cible = std::int16_t(entier(0, 48));
            e.bouton = uniforme() < 0.7 ? 1 : unBouton();
            e.x = uniforme();
            e.y = uniforme();
        } else if (r < 0.993) {
            e.genre = Genre::FermeClavier;
        } else {
            e.genre = Genre::FermeAide;
        }
        return e;
    }

private:
    Evenement pendantGlissement()
    {
        Evenement e;
        const double r = uniforme();
        if (r < 0.86) {
            e.genre = Genre::Bouge;
            if (uniforme() < 0.7) {
                // Mostly steady steps across the plot, now and then a jump anywhere.
                m_x = std::clamp(m_x + normale() * 150.0, -300.0, 5600.0);
                m_y = std::clamp(m_y + normale() * 0.8, -3.0, 13.0);
                e.x = m_x;
                e.y = m_y;
            } else {
                place(e);
            }
        } else if (r < 0.97) {
            e.genre = Genre::Relache;
            e.bouton = 1;
            m_tenus &= ~1;
            m_glisse = false;
            if (uniforme() < 0.8)
                e.x = m_x, e.y = m_y; // where the last move left the pointer: normally on the marker
            else
                place(e);
        } else {
            autreBouton(e);
        }
        return e;
    }

    Evenement boutonTenu()
    {
        Evenement e;
        const double r = uniforme();
        if (r < 0.75) {
            e.genre = Genre::Bouge;
            if (uniforme() < 0.5) {
                m_x += normale() * 200.0;
                m_y += normale() * 1.0;
                e.x = m_x;
                e.y = m_y;
            } else {
                place(e);
            }
        } else {
            autreBouton(e);
        }
        return e;
    }

    // A release of a held button, or a press of one more.
    void autreBouton(Evenement &e)
    {
        const int b = unBouton();
        e.bouton = std::uint8_t(b);
        if ((m_tenus & b) || uniforme() < 0.6) {
            if (!(m_tenus & b)) {
                // release one that is held
                for (int c : {1, 2, 4})
                    if (m_tenus & c)
                        e.bouton = std::uint8_t(c);
            }
            e.genre = Genre::Relache;
            m_tenus &= ~e.bouton;
            if (e.bouton == 1)
                m_glisse = false;
        } else {
            e.genre = Genre::Appuie;
            m_tenus |= e.bouton;
        }
        if (uniforme() < 0.7)
            e.x = m_x, e.y = m_y;
        else
            place(e);
    }

    // A pointer position, in the spectrum's user coordinates, from a mix of telling places.
    void place(Evenement &e)
    {
        const double r = uniforme();
        double x, y;
        if (r < 0.30) { // the editing area
            x = 5000 * uniforme();
            y = 10 * (1 - uniforme()); // 0 < y <= 10
        } else if (r < 0.40) {         // halves of a hertz, near whole multiples of common fundamentals
            static const double bases[] = {132, 264, 440, 443, 528, 1056};
            const double f = bases[entier(0, 5)];
            x = f * entier(0, 11) + f * (0.4 + 0.2 * uniforme());
            x = std::round(x * 2) / 2;
            y = 10 * (1 - uniforme());
        } else if (r < 0.45) { // the edges themselves
            static const double xs[] = {0, 0.25, 0.5, 4999.5, 5000};
            static const double ys[] = {0, 1e-4, 10, 9.9999, 5};
            x = xs[entier(0, 4)];
            y = ys[entier(0, 4)];
        } else if (r < 0.53) { // above the top grid line
            x = 5000 * uniforme();
            y = -uniforme();
        } else if (r < 0.61) { // the label strip under the base line
            x = 5000 * uniforme();
            y = 10 + 1.3 * uniforme() + 1e-6;
        } else if (r < 0.66) { // left of the plot
            x = -60 * uniforme() - 1e-3;
            y = 11 * uniforme();
        } else if (r < 0.71) { // right of the plot
            x = 5000 + 800 * uniforme() + 1e-3;
            y = 11 * uniforme();
        } else if (r < 0.88) { // anywhere over the main window
            x = -70 + 5970 * uniforme();
            y = -19.5 + 31.4 * uniforme();
        } else if (r < 0.93) { // far away: only a grab delivers these
            x = (uniforme() < 0.5 ? -1 : 1) * std::pow(10.0, 4 + 2.7 * uniforme());
            y = (uniforme() < 0.5 ? -1 : 1) * std::pow(10.0, 1 + 4 * uniforme());
        } else { // a small step from where the pointer is
            x = m_x + normale() * 40;
            y = m_y + normale() * 0.3;
        }
        e.x = m_x = x;
        e.y = m_y = y;
    }

    int unBouton()
    {
        const double r = uniforme();
        return r < 0.6 ? 1 : r < 0.85 ? 2 : 4;
    }

    int uneCommande()
    {
        int total = 0;
        for (const Commande &c : Commandes)
            total += c.poids;
        int t = entier(0, total - 1);
        for (int i = 0; i < NombreCommandes; ++i) {
            t -= Commandes[i].poids;
            if (t < 0)
                return i;
        }
        return 0;
    }

    // Built on the raw 64-bit stream, whose values the standard fixes: the same seed gives
    // the same events with any library.
    double uniforme() { return double(m_alea() >> 11) * 0x1.0p-53; }
    int entier(int bas, int haut) { return bas + int(m_alea() % std::uint64_t(haut - bas + 1)); }
    double normale()
    {
        const double u = std::max(uniforme(), 1e-300);
        return std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * uniforme());
    }

    std::mt19937_64 m_alea;
    std::uint8_t m_tenus = 0;
    bool m_glisse = false;
    bool m_annule = false; ///< the last event was an undo
    double m_x = 440;
    double m_y = 5;
};

std::uint64_t GraineSession(std::uint64_t graine, int session)
{
    // splitmix64 of the pair: neighbouring sessions get unrelated streams.
    std::uint64_t z = graine + 0x9e3779b97f4a7c15ULL * std::uint64_t(session + 1);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// ---------------------------------------------------------------------------------------------
// Warnings: the program says what fails in one warning line; during a fuzz run nothing may fail.

QStringList *g_avertissements = nullptr;
QtMessageHandler g_precedent = nullptr;

void Recueille(QtMsgType type, const QMessageLogContext &contexte, const QString &message)
{
    // The offscreen platform lacks a few window operations (grabbing, raising) and says so.
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (g_avertissements && type != QtDebugMsg && type != QtInfoMsg)
        g_avertissements->append(message);
    else if (g_precedent)
        g_precedent(type, contexte, message);
}

// ---------------------------------------------------------------------------------------------
// One session: a fresh program state, the real main window, the event router and the checks.

struct Echec
{
    int index = -1;    ///< event after which the check failed (-1: at start-up)
    QString invariant; ///< which check, to tell one failure from another while shrinking
    QString message;
};

struct Couverture
{
    qint64 evenements = 0, syntheses = 0, ajouts = 0, retraits = 0, pleine = 0, vide = 0, glissements = 0, notes = 0,
           sonActif = 0, spectreCache = 0, clavierOuvert = 0, aideOuverte = 0, candidats = 0, fondamentalBas = 0,
           annulations = 0, retablissements = 0, classiques = 0;
};

class Session
{
public:
    explicit Session(Couverture *couverture = nullptr) : m_couverture(couverture), m_guetteur(m_banc.dossier.path())
    {
        g_avertissements = &m_avertissements; // the start-up must not warn either
        m_fenetre.reset(new Synthetiseur(m_banc.contexte));
        m_fenetre->show();
        m_expose = QTest::qWaitForWindowExposed(m_fenetre.get());
        for (int i = 0; i < NombreCommandes; ++i)
            m_commandes[i] = m_fenetre->findChild<QWidget *>(QString::fromLatin1(Commandes[i].nom));
        m_play = m_fenetre->findChild<QWidget *>(QStringLiteral("Play"));
        m_taGueule = m_fenetre->findChild<QWidget *>(QStringLiteral("TaGueule"));
        for (int i = 0; i < 9; ++i)
            m_options[i] = m_fenetre->findChild<QRadioButton *>(QStringLiteral("SensibiliteTemp(%1)").arg(i));
        m_tourSpectre = m_fenetre->findChild<QWidget *>(QStringLiteral("TourSpectre"));
    }

    ~Session()
    {
        // The keyboard and help windows are top-level: they would outlive the main window.
        delete m_fenetre->clavier();
        delete m_fenetre->aide();
        m_fenetre.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        g_avertissements = nullptr;
    }

    /// Plays the events in order, checking after each; stops at the first failure.
    std::optional<Echec> joue(const std::vector<Evenement> &evenements)
    {
        QStringList &avertissements = m_avertissements;
        std::optional<Echec> echec = demarrage(avertissements);
        for (int i = 0; !echec && i < int(evenements.size()); ++i) {
            m_journalAvant = m_banc.lecture.journal.size();
            m_sonAvant = m_banc.table.SonActif;
            m_recu.clear();
            m_livraisons.clear();
            m_tenusAvant = m_tenus;
            m_pAvantEvenement = m_banc.table.ProchaineComposante;
            m_tenusApres.push_back(execute(evenements[i]));
            m_recus.push_back(m_recu);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (i % 64 == 63)
                QCoreApplication::processEvents(); // paint now and then, as a real event loop would
            echec = verifie(evenements[i], avertissements);
            if (echec)
                echec->index = i;
            if (m_couverture)
                ++m_couverture->evenements;
        }
        return echec;
    }

    const Son &table() const { return m_banc.table; }
    /// For each event played: the buttons held after it, -1 when it was skipped.
    const std::vector<int> &tenusApres() const { return m_tenusApres; }
    /// For each event played: the widget its first press or release reached.
    const std::vector<QString> &recus() const { return m_recus; }

private:
    std::optional<Echec> demarrage(QStringList &avertissements)
    {
        int surPlace = 0, effacements = 0;
        m_guetteur.remplacements(surPlace, effacements); // the start-up's own write
        if (!m_expose)
            return Echec{-1, QStringLiteral("start-up"), QStringLiteral("the main window was never exposed")};
        // The start-up wrote test.wav before the watch began: check it as it is.
        const QByteArray wav = Lis(m_banc.generateur.chemin());
        const Reference ref = Attendu(m_banc.table);
        if (!ref.possible || wav != ref.octets)
            return Echec{-1, QStringLiteral("start-up"), QStringLiteral("the first test.wav is not the default sound")};
        if (!avertissements.isEmpty())
            return Echec{-1, QStringLiteral("warning"), avertissements.join(QLatin1Char('\n'))};
        return verifieTable();
    }

    // --- routing -----------------------------------------------------------------------------

    // Sends one mouse event where the window system would: to the explicit grabber, else to the
    // widget that took the first press until every button is up, else to the widget under the pointer.
    void envoie(QWidget *fenetre, QEvent::Type type, QPointF dansFenetre, int bouton, int boutons)
    {
        const bool dedans = fenetre->rect().contains(dansFenetre.toPoint());
        QWidget *sous = dedans ? fenetre->childAt(dansFenetre.toPoint()) : nullptr;
        if (!sous && dedans)
            sous = fenetre;
        const bool appui = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
        if (appui && boutons == bouton) {
            // The first press decides who holds the pointer until every button is up: a widget
            // of ours, or some other program when it fell outside our windows.
            m_appui = sous;
            m_ailleurs = sous == nullptr;
        }
        QWidget *cible = QWidget::mouseGrabber();
        if (!cible && !m_ailleurs)
            cible = m_appui ? m_appui.data() : sous;
        if (!QWidget::mouseGrabber() && !m_appui
            && ((type == QEvent::MouseMove && boutons != 0) || type == QEvent::MouseButtonRelease))
            cible = nullptr; // nothing was pressed here: the event belongs to another window
        if (cible) {
            if (type != QEvent::MouseMove && m_recu.isEmpty())
                m_recu = cible->objectName().isEmpty() ? QString::fromLatin1(cible->metaObject()->className())
                                                       : cible->objectName();
            const QPointF global = fenetre->mapToGlobal(dansFenetre);
            const QPointF local = cible->mapFromGlobal(global);
            if (type != QEvent::MouseMove)
                m_livraisons.push_back({type, cible, bouton, cible->rect().contains(local.toPoint())});
            QMouseEvent e(type, local, dansFenetre, global, Qt::MouseButton(bouton), Qt::MouseButtons(boutons),
                          Qt::NoModifier);
            QApplication::sendEvent(cible, &e);
        }
        if (type == QEvent::MouseButtonRelease && boutons == 0) {
            m_appui = nullptr;
            m_ailleurs = false;
        }
        m_tenus = boutons;
    }

    QPointF pointSpectre(double x, double y) const
    {
        const Surface &s = m_fenetre->spectre();
        return s.mapTo(m_fenetre.get(), s.repere().versPixels(x, y));
    }

    static QPointF dans(QWidget *element, double fx, double fy)
    {
        return {fx * (element->width() - 1), fy * (element->height() - 1)};
    }

    void clicGauche(QWidget *fenetre, QPointF p)
    {
        envoie(fenetre, QEvent::MouseButtonPress, p, 1, 1);
        envoie(fenetre, QEvent::MouseButtonRelease, p, 1, 0);
    }

    // Plays one event; returns the buttons held after it, or -1 when the held buttons rule it out.
    int execute(const Evenement &e)
    {
        QWidget *w = m_fenetre.get();
        const int b = e.bouton;
        switch (e.genre) {
        case Genre::Bouge: envoie(w, QEvent::MouseMove, pointSpectre(e.x, e.y), 0, m_tenus); break;
        case Genre::Appuie:
            if (m_tenus & b)
                return -1;
            envoie(w, QEvent::MouseButtonPress, pointSpectre(e.x, e.y), b, m_tenus | b);
            break;
        case Genre::Relache:
            if (!(m_tenus & b))
                return -1;
            envoie(w, QEvent::MouseButtonRelease, pointSpectre(e.x, e.y), b, m_tenus & ~b);
            break;
        case Genre::DoubleClic: {
            if (m_tenus != 0)
                return -1;
            const QPointF p = pointSpectre(e.x, e.y);
            envoie(w, QEvent::MouseButtonPress, p, b, b);
            envoie(w, QEvent::MouseButtonRelease, p, b, 0);
            envoie(w, QEvent::MouseButtonDblClick, p, b, b);
            envoie(w, QEvent::MouseButtonRelease, p, b, 0);
            break;
        }
        case Genre::SaisitMarqueur: {
            if (m_tenus & b)
                return -1;
            QFrame &m = m_fenetre->fondamental();
            envoie(w, QEvent::MouseButtonPress, m.mapTo(w, dans(&m, e.x, e.y)), b, m_tenus | b);
            break;
        }
        case Genre::Clic:
            if (m_tenus & 1)
                return -1;
            if (QWidget *c = m_commandes[e.cible]) {
                const QPointF p = c->mapTo(w, dans(c, e.x, e.y));
                envoie(w, QEvent::MouseButtonPress, p, 1, m_tenus | 1);
                envoie(w, QEvent::MouseButtonRelease, p, 1, m_tenus & ~1);
            }
            break;
        case Genre::Touche:
            if (m_tenus & b)
                return -1;
            if (Clavier *k = m_fenetre->clavier(); k && k->isVisible()) {
                QWidget *t = k->touche(e.cible);
                const QPointF p = t->mapTo(k, dans(t, e.x, e.y));
                envoie(k, QEvent::MouseButtonPress, p, b, m_tenus | b);
                envoie(k, QEvent::MouseButtonRelease, p, b, m_tenus & ~b);
            }
            break;
        case Genre::ToucheSpectre: {
            // As the keyboard reaches it: Tab onto the plot, then the key.
            Surface &s = m_fenetre->spectre();
            m_toucheEnvoyee = s.isVisible();
            if (!m_toucheEnvoyee)
                break;
            if (!s.hasFocus())
                s.setFocus(Qt::TabFocusReason);
            const CleSpectre &c = ClesSpectre[e.cible];
            QTest::keyClick(&s, Qt::Key(c.cle), c.mods | (e.bouton ? Qt::ShiftModifier : Qt::NoModifier));
            break;
        }
        case Genre::FermeClavier:
            if (Clavier *k = m_fenetre->clavier())
                k->close();
            break;
        case Genre::Menu: {
            // Through the menu's own actions, as a click in it or a shortcut would.
            const QUndoStack &h = m_fenetre->edition().historique();
            m_menuAttendu = e.cible == 0 ? h.canUndo() : e.cible == 1 ? h.canRedo() : true;
            m_f1Menu = m_banc.table.Frequence[1] >= 1 ? m_banc.table.Frequence[1]
                                                      : int(std::lround(m_fenetre->edition().fondamental()));
            // Found by their texts: the menu grows, its order is not this test's business.
            QHash<QString, QAction *> actions;
            for (QAction *a : m_fenetre->menuTimbres()->actions())
                if (!a->isSeparator())
                    actions.insert(a->text(), a);
            if (e.cible <= 1)
                actions.value(e.cible == 0 ? QStringLiteral("Annuler") : QStringLiteral("Rétablir"))->trigger();
            else
                actions.value(QStringLiteral("Timbres types"))->menu()->actions().at(e.cible - 2)->trigger();
            break;
        }
        case Genre::FermeAide:
            if (Aide *a = m_fenetre->aide(); a && a->isVisible()) {
                if (auto *croix = a->findChild<QWidget *>(QStringLiteral("Image2"))) {
                    if (m_tenus & 1)
                        return -1;
                    const QPointF p = croix->mapTo(a, dans(croix, 0.5, 0.5));
                    envoie(a, QEvent::MouseButtonPress, p, 1, m_tenus | 1);
                    envoie(a, QEvent::MouseButtonRelease, p, 1, m_tenus & ~1);
                }
            }
            break;
        }
        return m_tenus;
    }

    // --- checks ------------------------------------------------------------------------------

    std::optional<Echec> rate(const QString &invariant, const QString &message) const
    {
        return Echec{-1, invariant, message + QStringLiteral("\n    table: ") + DecritTable(m_banc.table)};
    }

    std::optional<Echec> verifieTable() const
    {
        const Son &t = m_banc.table;
        if (t.ProchaineComposante < 1 || t.ProchaineComposante > 11)
            return rate(QStringLiteral("ProchaineComposante"),
                        QStringLiteral("ProchaineComposante = %1, outside 1..11").arg(t.ProchaineComposante));
        // Free slots are silent, except the candidate in slot ProchaineComposante while the left
        // button is held in the spectrum.
        const bool candidat = m_appui == &m_fenetre->spectre() && (m_tenus & 1);
        for (int i = t.ProchaineComposante; i <= 10; ++i) {
            if (t.Amplitude[i] != 0.0f && !(candidat && i == t.ProchaineComposante))
                return rate(QStringLiteral("free slot"),
                            QStringLiteral("free slot %1 sounds with amplitude %2%3")
                                .arg(i)
                                .arg(double(t.Amplitude[i]))
                                .arg(candidat
                                         ? QStringLiteral(" (the candidate is in slot %1)").arg(t.ProchaineComposante)
                                         : QString()));
        }
        if (t.Frequence[1] < 1)
            return rate(QStringLiteral("fundamental"), QStringLiteral("Frequence(1) = %1 Hz").arg(t.Frequence[1]));
        for (int i = 1; i <= 10; ++i) {
            if (t.Frequence[i] < 0)
                return rate(QStringLiteral("frequency"),
                            QStringLiteral("Frequence(%1) = %2").arg(i).arg(t.Frequence[i]));
            // The candidate written while the left button is held is no exception here: it is
            // only written inside the editing area, where 10 − Y lies in 0..10.
            const float a = t.Amplitude[i];
            if (!std::isfinite(a) || a < 0.0f || a > 10.0f)
                return rate(QStringLiteral("amplitude"), QStringLiteral("Amplitude(%1) = %2").arg(i).arg(double(a)));
        }
        return std::nullopt;
    }

    std::optional<Echec> verifie(const Evenement &e, QStringList &avertissements)
    {
        const Son &t = m_banc.table;
        if (!avertissements.isEmpty()) {
            const QString m = avertissements.join(QLatin1Char('\n'));
            avertissements.clear();
            return rate(QStringLiteral("warning"), QStringLiteral("the program warned: %1").arg(m));
        }
        if (auto echec = verifieTable())
            return echec;

        // Exactly one of the two sound controls, the one that matches SonActif.
        if (m_play->isHidden() != t.SonActif || m_taGueule->isHidden() == t.SonActif)
            return rate(QStringLiteral("sound controls"), QStringLiteral("SonActif %1 but Play %2 and TaGueule %3")
                                                              .arg(t.SonActif)
                                                              .arg(m_play->isHidden() ? "hidden" : "shown")
                                                              .arg(m_taGueule->isHidden() ? "hidden" : "shown"));
        // The time base and its option agree.
        static const float Bases[9] = {0.1f, 0.2f, 0.5f, 1.0f, 2.0f, 5.0f, 10.0f, 20.0f, 50.0f};
        int cochees = 0;
        for (int i = 0; i < 9; ++i) {
            if (m_options[i]->isChecked()) {
                ++cochees;
                if (t.Sensibilite != Bases[i])
                    return rate(QStringLiteral("time base"),
                                QStringLiteral("option %1 checked, Sensibilite %2").arg(i).arg(double(t.Sensibilite)));
            }
        }
        if (cochees != 1)
            return rate(QStringLiteral("time base"), QStringLiteral("%1 time-base options checked").arg(cochees));
        if (m_fenetre->fondamental().isHidden())
            return rate(QStringLiteral("marker"), QStringLiteral("the marker Fondamental stayed hidden"));
        // Wherever the pointer went, the marker stays whole on the plot, where it can be grabbed.
        if (const QRect m = m_fenetre->fondamental().geometry(); !m_fenetre->spectre().rect().contains(m))
            return rate(QStringLiteral("marker"),
                        QStringLiteral("the marker Fondamental lies off the plot at x = %1").arg(m.left()));

        // test.wav: replaced whole, and exactly the sound of the table as it stands now.
        int surPlace = 0, effacements = 0;
        const int syntheses = m_guetteur.remplacements(surPlace, effacements);
        if (surPlace != 0 || effacements != 0)
            return rate(QStringLiteral("wav"),
                        QStringLiteral("test.wav was written in place or removed, not replaced"));
        if (syntheses > 0) {
            const QByteArray wav = Lis(m_banc.generateur.chemin());
            if (const QString d = DefautRiff(wav); !d.isEmpty())
                return rate(QStringLiteral("wav"), QStringLiteral("test.wav is no WAVE file: %1").arg(d));
            const Reference &ref = reference(t);
            if (!ref.possible)
                return rate(QStringLiteral("wav"),
                            QStringLiteral("a file was written for a table that has none (%1)").arg(ref.pourquoi));
            if (wav != ref.octets) {
                int n = 0;
                while (n < wav.size() && n < ref.octets.size() && wav[n] == ref.octets[n])
                    ++n;
                return rate(QStringLiteral("wav"), QStringLiteral("test.wav (%1 bytes) differs from the table's sound "
                                                                  "(%2 bytes) from byte %3")
                                                       .arg(wav.size())
                                                       .arg(ref.octets.size())
                                                       .arg(n));
            }
            if (SommeAmplitudes(t) != ref.somme)
                return rate(QStringLiteral("sum"), QStringLiteral("SommeAmplitudes %1 after a synthesis, expected %2")
                                                       .arg(double(SommeAmplitudes(t)), 0, 'g', 9)
                                                       .arg(double(ref.somme), 0, 'g', 9));
        }

        if (auto echec = verifieSyntheses(e, syntheses))
            return echec;

        // Playback follows SonActif: every synthesis with sound on restarts the loop, none without.
        const QStringList &journal = m_banc.lecture.journal;
        const QStringList nouveaux = journal.mid(m_journalAvant);
        const auto joue = nouveaux.count(QStringLiteral("joue"));
        const bool son = t.SonActif;
        if (m_sonAvant && son && (joue != syntheses || nouveaux.size() != joue))
            return rate(QStringLiteral("playback"), QStringLiteral("sound on, %1 syntheses, player asked: %2")
                                                        .arg(syntheses)
                                                        .arg(nouveaux.join(QLatin1Char(','))));
        if (!m_sonAvant && !son && !nouveaux.isEmpty())
            return rate(QStringLiteral("playback"),
                        QStringLiteral("sound off, player asked: %1").arg(nouveaux.join(QLatin1Char(','))));
        if (!m_sonAvant && son && (nouveaux.isEmpty() || nouveaux.first() != QLatin1String("joue")))
            return rate(QStringLiteral("playback"),
                        QStringLiteral("sound turned on, player asked: %1").arg(nouveaux.join(QLatin1Char(','))));
        if (m_sonAvant && !son && (nouveaux.isEmpty() || nouveaux.last() != QLatin1String("coupe")))
            return rate(QStringLiteral("playback"),
                        QStringLiteral("sound turned off, player asked: %1").arg(nouveaux.join(QLatin1Char(','))));

        if (m_couverture)
            compte(e, syntheses);
        return std::nullopt;
    }

    // Which presses and releases must synthesise, from where they went: a release in the spectrum
    // that adds (left, table not full) or removes (right, two components or more), a press on a
    // key, a click on Effacer; nothing else (moves, drags, other controls) may. A left release on
    // the marker synthesises only when it lands on it: such events are not counted.
    std::optional<Echec> verifieSyntheses(const Evenement &e, int syntheses)
    {
        const Son &t = m_banc.table;
        if (e.genre == Genre::Menu) {
            if (syntheses != int(m_menuAttendu))
                return rate(QStringLiteral("synthesis count"),
                            QStringLiteral("%1 syntheses where %2 were due").arg(syntheses).arg(int(m_menuAttendu)));
            if (e.cible >= 2) {
                const Timbres::Type type = Timbres::Types[e.cible - 2];
                if (m_fenetre->edition().TimbreCourant() != Timbres::Classique(type, m_f1Menu))
                    return rate(QStringLiteral("classic timbre"),
                                QStringLiteral("classic timbre %1 not on the fundamental of %2 Hz")
                                    .arg(e.cible - 2)
                                    .arg(m_f1Menu));
                if (!m_fenetre->musical())
                    return rate(QStringLiteral("classic timbre"), QStringLiteral("multiples-only box not checked"));
            }
            return std::nullopt;
        }
        int attendues = 0;
        int p = m_pAvantEvenement;
        if (e.genre == Genre::ToucheSpectre) {
            // Enter adds and Delete removes as the mouse's releases do; Ctrl+arrows are one drag
            // step and its drop; the cursor's own moves synthesise nothing.
            const int cle = m_toucheEnvoyee ? ClesSpectre[e.cible].cle : 0;
            if ((cle == Qt::Key_Enter || cle == Qt::Key_Return) && p <= 10)
                ++attendues, ++p;
            else if ((cle == Qt::Key_Delete || cle == Qt::Key_Backspace) && p > 2)
                ++attendues, --p;
            else if (ClesSpectre[e.cible].mods && m_toucheEnvoyee)
                ++attendues;
        }
        int note = -1;
        bool efface = false;
        for (const Livraison &l : m_livraisons) {
            if (!l.recepteur)
                return std::nullopt;
            const QString nom = l.recepteur->objectName();
            if (l.recepteur == &m_fenetre->spectre() && l.type == QEvent::MouseButtonRelease) {
                if (l.bouton == 1 && p <= 10) {
                    ++attendues;
                    ++p;
                } else if (l.bouton == 2 && p > 2) {
                    ++attendues;
                    --p;
                }
            } else if (nom.startsWith(QLatin1String("note("))
                       && (l.type == QEvent::MouseButtonPress || l.type == QEvent::MouseButtonDblClick)) {
                ++attendues;
                note = nom.mid(5, nom.size() - 6).toInt();
            } else if (l.recepteur == &m_fenetre->fondamental() && l.type == QEvent::MouseButtonRelease
                       && l.bouton == 1) {
                return std::nullopt;
            } else if (nom == QLatin1String("Effacer")) {
                if (e.genre != Genre::Clic || m_tenusAvant != 0)
                    return std::nullopt; // a press and release spread over events: not followed here
                if (l.type == QEvent::MouseButtonRelease && l.dedans) {
                    ++attendues;
                    efface = true;
                }
            }
        }
        if (syntheses != attendues)
            return rate(QStringLiteral("synthesis count"),
                        QStringLiteral("%1 syntheses where %2 were due").arg(syntheses).arg(attendues));
        if (!efface && t.ProchaineComposante != p)
            return rate(QStringLiteral("component count"),
                        QStringLiteral("ProchaineComposante %1 where %2 was due").arg(t.ProchaineComposante).arg(p));
        if (efface && t.ProchaineComposante != (m_fenetre->musical() ? 2 : 1))
            return rate(QStringLiteral("component count"),
                        QStringLiteral("ProchaineComposante %1 after a clear").arg(t.ProchaineComposante));
        if (note >= 0) {
            const int f = int(std::floor(132.0 * std::pow(2.0, note / 12.0)));
            if (t.Frequence[1] != f)
                return rate(QStringLiteral("note"),
                            QStringLiteral("key note(%1) left a fundamental of %2 Hz, not %3 Hz")
                                .arg(note)
                                .arg(t.Frequence[1])
                                .arg(f));
        }
        return std::nullopt;
    }

    // The same table comes back often (a key pressed twice, a clear): its file is computed once.
    const Reference &reference(const Son &t)
    {
        if (!m_reference || m_frequencesReference != t.Frequence || m_amplitudesReference != t.Amplitude) {
            m_reference = Attendu(t);
            m_frequencesReference = t.Frequence;
            m_amplitudesReference = t.Amplitude;
        }
        return *m_reference;
    }

    void compte(const Evenement &e, int syntheses)
    {
        Couverture &c = *m_couverture;
        const Son &t = m_banc.table;
        c.syntheses += syntheses;
        if (t.ProchaineComposante > m_pAvant)
            ++c.ajouts;
        if (t.ProchaineComposante < m_pAvant && t.ProchaineComposante > 1)
            ++c.retraits;
        c.pleine += t.ProchaineComposante == 11;
        c.vide += t.ProchaineComposante == 1;
        if (e.genre == Genre::Bouge && t.Frequence[1] != m_f1Avant && t.ProchaineComposante == m_pAvant
            && m_appui == &m_fenetre->fondamental())
            ++c.glissements;
        if (e.genre == Genre::Bouge && m_tenus == 1 && t.Amplitude != m_amplitudesAvant)
            ++c.candidats;
        if (e.genre == Genre::Touche && syntheses > 0)
            ++c.notes;
        c.sonActif += t.SonActif;
        c.spectreCache += m_tourSpectre->isHidden();
        c.clavierOuvert += m_fenetre->clavier() != nullptr;
        c.aideOuverte += m_fenetre->aide() != nullptr;
        c.fondamentalBas += syntheses > 0 && t.Frequence[1] < 20;
        if (e.genre == Genre::Menu && syntheses > 0)
            ++(e.cible == 0 ? c.annulations : e.cible == 1 ? c.retablissements : c.classiques);
        m_pAvant = t.ProchaineComposante;
        m_f1Avant = t.Frequence[1];
        m_amplitudesAvant = t.Amplitude;
    }

    Couverture *m_couverture;
    QStringList m_avertissements;
    bool m_expose = false;
    Banc m_banc;
    Guetteur m_guetteur;
    std::unique_ptr<Synthetiseur> m_fenetre;
    QPointer<QWidget> m_appui; ///< the widget that took the first press, until every button is up
    int m_tenus = 0;           ///< buttons held (1 left, 2 right, 4 middle)
    bool m_ailleurs = false;   ///< the buttons were pressed outside our windows
    QWidget *m_commandes[NombreCommandes] = {};
    QWidget *m_play = nullptr;
    QWidget *m_taGueule = nullptr;
    QWidget *m_tourSpectre = nullptr;
    QRadioButton *m_options[9] = {};
    qsizetype m_journalAvant = 0;
    bool m_sonAvant = false;
    int m_pAvant = 2;
    int m_f1Avant = 440;
    std::array<float, 11> m_amplitudesAvant{};
    std::vector<int> m_tenusApres;
    std::vector<QString> m_recus;
    QString m_recu;
    struct Livraison
    {
        QEvent::Type type;
        QPointer<QWidget> recepteur;
        int bouton;
        bool dedans;
    };
    std::vector<Livraison> m_livraisons; ///< presses and releases of the current event, where they went
    int m_tenusAvant = 0;
    int m_pAvantEvenement = 0;
    bool m_menuAttendu = false;   ///< the menu command played must synthesise
    bool m_toucheEnvoyee = false; ///< the spectrum key played reached the plot (it was shown)
    int m_f1Menu = 0;             ///< the fundamental a classic timbre is built on
    std::optional<Reference> m_reference;
    std::array<std::int16_t, 11> m_frequencesReference{};
    std::array<float, 11> m_amplitudesReference{};
};

std::vector<Evenement> Evenements(std::uint64_t graine, int session, int nombre)
{
    Tirage g(GraineSession(graine, session));
    std::vector<Evenement> v;
    v.reserve(nombre);
    for (int i = 0; i < nombre; ++i)
        v.push_back(g.suivant());
    return v;
}

// Delta debugging: drops ever smaller slices of the list as long as the same check still
// fails, then trims what follows the failing event. Stops when the time is up.
std::vector<Evenement> Reduit(std::vector<Evenement> liste, const QString &invariant, qint64 limiteMs, int &essais)
{
    QElapsedTimer chrono;
    chrono.start();
    auto echoue = [&](std::vector<Evenement> &candidat) {
        ++essais;
        Session s;
        const auto echec = s.joue(candidat);
        if (!echec || echec->invariant != invariant)
            return false;
        candidat.resize(echec->index + 1);
        return true;
    };
    int morceaux = 2;
    while (liste.size() >= 2 && chrono.elapsed() < limiteMs) {
        const int taille = int(liste.size());
        morceaux = std::min(morceaux, taille);
        bool reduit = false;
        for (int m = 0; m < morceaux && chrono.elapsed() < limiteMs; ++m) {
            const int debut = taille * m / morceaux;
            const int fin = taille * (m + 1) / morceaux;
            std::vector<Evenement> candidat;
            candidat.reserve(taille - (fin - debut));
            candidat.insert(candidat.end(), liste.begin(), liste.begin() + debut);
            candidat.insert(candidat.end(), liste.begin() + fin, liste.end());
            if (echoue(candidat)) {
                liste = std::move(candidat);
                morceaux = std::max(morceaux - 1, 2);
                reduit = true;
                break;
            }
        }
        if (!reduit) {
            if (morceaux >= taille)
                break;
            morceaux = std::min(taille, morceaux * 2);
        }
    }
    return liste;
}

qint64 Entier(const char *variable, qint64 defaut)
{
    bool ok = false;
    const qint64 v = qEnvironmentVariable(variable).toLongLong(&ok);
    return ok ? v : defaut;
}

// Qt Test's watchdog aborts any test function after five minutes. A long run asked for on purpose
// gets time in proportion to its events (a generous 10 ms each), plus its shrinking budget; set
// before main(), since the watchdog reads the variable once, when the first test starts.
const bool g_delaiDuGuetteur = [] {
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT")) {
        const qint64 ms = Entier("SONAVIRELLE_FUZZ_EVENTS", EvenementsParDefaut) * 10
                          + Entier("SONAVIRELLE_FUZZ_SHRINK", 90) * 1000 + 60'000;
        qputenv("QTEST_FUNCTION_TIMEOUT",
                QByteArray::number(std::clamp<qint64>(ms, 300'000, std::numeric_limits<int>::max())));
    }
    return true;
}();

} // namespace

class TestFuzz : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void referenceIndependante_data();
    void referenceIndependante();
    void evenementsAleatoires();
};

void TestFuzz::initTestCase()
{
    // The keyboard and help windows close many times; the run must not end with them.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every synthesis syncs test.wav to the disk, some milliseconds each on a real one; in
    // memory the run spends its time on the program, not waiting for the disk.
    if (qEnvironmentVariableIsEmpty("TMPDIR") && QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
}

// The reference the fuzzer trusts must itself be right: checked on values worked out by hand.
void TestFuzz::referenceIndependante_data()
{
    QTest::addColumn<QList<int>>("frequences");
    QTest::addColumn<QList<float>>("amplitudes");
    QTest::addColumn<int>("taille");
    QTest::addColumn<QByteArray>("entete"); // hexadecimal, empty when not checked
    QTest::addColumn<QList<int>>("debut");
    QTest::addColumn<QList<int>>("fin");
    QTest::addColumn<int>("crete"); // -1 when not checked
    QTest::newRow("440 Hz alone") << QList<int>{440} << QList<float>{10} << 2048
                                  << QByteArray("52494646F807000057415645666D74201000000001000100"
                                                "44AC0000885801000200100064617461D4070000")
                                  << QList<int>{0, 205, 409, 611, 811, 1008} << QList<int>{-666, -464, -260} << 3270;
    QTest::newRow("440 Hz and 880 Hz at half") << QList<int>{440, 880} << QList<float>{10, 5} << 2048 << QByteArray()
                                               << QList<int>{0, 273, 543, 808, 1065, 1311} << QList<int>{} << 2832;
    QTest::newRow("400 Hz: 1102.5 samples, to even")
        << QList<int>{400} << QList<float>{10} << 44 + 2 * 1102 << QByteArray() << QList<int>{0} << QList<int>{} << -1;
    QTest::newRow("861 Hz: one full block")
        << QList<int>{861} << QList<float>{10} << 44 + 2 * 512 << QByteArray() << QList<int>{0} << QList<int>{} << -1;
    QTest::newRow("silent fundamental") << QList<int>{440, 880} << QList<float>{0, 7} << 2048 << QByteArray()
                                        << QList<int>{0, 0, 0} << QList<int>{0} << 0;
}

void TestFuzz::referenceIndependante()
{
    QFETCH(QList<int>, frequences);
    QFETCH(QList<float>, amplitudes);
    QFETCH(int, taille);
    QFETCH(QByteArray, entete);
    QFETCH(QList<int>, debut);
    QFETCH(QList<int>, fin);
    QFETCH(int, crete);
    Son t;
    for (int i = 0; i < frequences.size(); ++i) {
        t.Frequence[i + 1] = std::int16_t(frequences[i]);
        t.Amplitude[i + 1] = amplitudes[i];
    }
    const Reference r = Attendu(t);
    QVERIFY(r.possible);
    QCOMPARE(r.octets.size(), taille);
    QCOMPARE(DefautRiff(r.octets), QString());
    if (!entete.isEmpty())
        QCOMPARE(r.octets.left(44).toHex(), QByteArray::fromHex(entete).toHex());
    auto echantillon = [&r](int n) { return int(std::int16_t(Lit16(r.octets, 44 + 2 * n))); };
    const int N = (r.octets.size() - 44) / 2;
    for (int n = 0; n < debut.size(); ++n)
        QCOMPARE(echantillon(n), debut[n]);
    for (int n = 0; n < fin.size(); ++n)
        QCOMPARE(echantillon(N - fin.size() + n), fin[n]);
    if (crete >= 0) {
        int max = 0;
        for (int n = 0; n < N; ++n)
            max = std::max(max, std::abs(echantillon(n)));
        QCOMPARE(max, crete);
    }
}

void TestFuzz::evenementsAleatoires()
{
    const qint64 total = Entier("SONAVIRELLE_FUZZ_EVENTS", EvenementsParDefaut);
    const auto graine = std::uint64_t(Entier("SONAVIRELLE_FUZZ_SEED", 20130611));
    const int parSession = int(std::max<qint64>(1, Entier("SONAVIRELLE_FUZZ_SESSION", 2000)));
    const qint64 limiteReduction = Entier("SONAVIRELLE_FUZZ_SHRINK", 90) * 1000;
    qInfo("fuzz: seed %llu, %lld events, sessions of %d", static_cast<unsigned long long>(graine),
          static_cast<long long>(total), parSession);
    {
        Banc essai;
        QVERIFY2(Guetteur(essai.dossier.path()).valide(), "inotify is needed to see every write of test.wav");
    }

    g_precedent = qInstallMessageHandler(Recueille);
    QElapsedTimer chrono;
    chrono.start();
    Couverture couverture;
    std::optional<Echec> echec;
    int session = 0;
    std::vector<Evenement> evenements;
    for (qint64 fait = 0; fait < total && !echec; fait += parSession, ++session) {
        evenements = Evenements(graine, session, int(std::min<qint64>(parSession, total - fait)));
        Session s(&couverture);
        echec = s.joue(evenements);
    }
    qInstallMessageHandler(g_precedent);
    qInfo("fuzz: %lld events in %lld ms: %lld syntheses, %lld adds, %lld removals, %lld drag steps, %lld notes, "
          "%lld candidates; table full %lld, empty %lld, sound on %lld, spectrum hidden %lld, keyboard open %lld, "
          "help open %lld, syntheses under 20 Hz %lld; undone %lld, redone %lld, classic timbres %lld",
          couverture.evenements, chrono.elapsed(), couverture.syntheses, couverture.ajouts, couverture.retraits,
          couverture.glissements, couverture.notes, couverture.candidats, couverture.pleine, couverture.vide,
          couverture.sonActif, couverture.spectreCache, couverture.clavierOuvert, couverture.aideOuverte,
          couverture.fondamentalBas, couverture.annulations, couverture.retablissements, couverture.classiques);

    if (echec) {
        --session;
        const int index = echec->index;
        QString rapport = QStringLiteral("\nFUZZ FAILURE, seed %1, session %2, event %3: %4\n")
                              .arg(graine)
                              .arg(session)
                              .arg(index + 1)
                              .arg(echec->message);
        if (index >= 0) {
            g_precedent = qInstallMessageHandler(Recueille);
            std::vector<Evenement> liste(evenements.begin(), evenements.begin() + index + 1);
            int essais = 0;
            QElapsedTimer reduction;
            reduction.start();
            liste = Reduit(std::move(liste), echec->invariant, limiteReduction, essais);
            std::optional<Echec> court;
            std::vector<int> tenus;
            std::vector<QString> recus;
            {
                Session s;
                court = s.joue(liste);
                tenus = s.tenusApres();
                recus = s.recus();
            }
            qInstallMessageHandler(g_precedent);
            rapport += QStringLiteral("Shortest sequence found (%1 events, %2 replays, %3 ms); "
                                      "from a fresh main window:\n")
                           .arg(liste.size())
                           .arg(essais)
                           .arg(reduction.elapsed());
            for (size_t i = 0; i < liste.size(); ++i)
                rapport += QStringLiteral("  %1. %2\n")
                               .arg(i + 1)
                               .arg(Decrit(liste[i], i < tenus.size() ? tenus[i] : 0,
                                           i < recus.size() ? recus[i] : QString()));
            if (court)
                rapport += QStringLiteral("which fails with: %1\n").arg(court->message);
        }
        rapport += QStringLiteral("Replay the run: SONAVIRELLE_FUZZ_SEED=%1 SONAVIRELLE_FUZZ_EVENTS=%2 "
                                  "SONAVIRELLE_FUZZ_SESSION=%3 tst_fuzz evenementsAleatoires\n")
                       .arg(graine)
                       .arg(total)
                       .arg(parSession);
        QFAIL(qPrintable(rapport));
    }

    // A run that never reaches these did not drive the program: the routing or the generator broke.
    if (total >= 20000 && !echec) {
        QVERIFY2(couverture.syntheses > total / 100, "few syntheses: clicks no longer reach the spectrum");
        QVERIFY2(couverture.ajouts > 0 && couverture.retraits > 0, "no component was added or removed");
        QVERIFY2(couverture.pleine > 0, "the table was never full");
        QVERIFY2(couverture.glissements > 0, "the marker was never dragged");
        QVERIFY2(couverture.notes > 0, "no key of the keyboard changed the sound");
        QVERIFY2(couverture.candidats > 0, "no candidate was ever written");
        QVERIFY2(couverture.sonActif > 0 && couverture.spectreCache > 0 && couverture.aideOuverte > 0,
                 "the sound switch, the panel toggles or the help icon were never reached");
        QVERIFY2(couverture.annulations > 0 && couverture.retablissements > 0 && couverture.classiques > 0,
                 "the Timbres menu's undo, redo or classic timbres never changed the sound");
    }
}

QTEST_MAIN(TestFuzz)
#include "tst_fuzz.moc"
