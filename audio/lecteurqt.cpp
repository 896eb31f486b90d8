#include "audio/lecteurqt.h"

#include "audio/boucle.h"
#include "audio/volume.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QEvent>
#include <QMediaDevices>
#include <QMutex>
#include <QThread>
#include <QTimer>

#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <optional>

#include <dlfcn.h>

QT_BEGIN_NAMESPACE
// Qt's sound service. Qt 6.4's PulseAudio backend tries once to reconnect, 3 s after its server
// dies, and never again; this exported call lets the player drop the whole service, so that the
// next use makes a new one, with a new connection. Only the static member is declared here.
class QPlatformMediaDevices
{
public:
    static void setDevices(QPlatformMediaDevices *devices);
};
QT_END_NAMESPACE

namespace {

// Whether a PulseAudio server answers now, asked through a connection of our own that never
// spawns a server and gives up after `ms`: Qt's service says nothing of a server it lost, and
// making a new service at every look would log a failure each time. libpulse is the library Qt
// itself loaded; without it the answer is "maybe" (true).
bool ServeurRepond(int ms)
{
    struct Pulse
    {
        void *(*mainloopNew)() = nullptr;
        void *(*mainloopApi)(void *) = nullptr;
        int (*iterate)(void *, int, int *) = nullptr;
        void (*mainloopFree)(void *) = nullptr;
        void *(*contexteNew)(void *, const char *) = nullptr;
        int (*connecte)(void *, const char *, int, const void *) = nullptr;
        int (*etat)(void *) = nullptr;
        void (*deconnecte)(void *) = nullptr;
        void (*lache)(void *) = nullptr;
        bool ok = false;
        Pulse()
        {
            void *b = dlopen("libpulse.so.0", RTLD_NOW | RTLD_NOLOAD);
            if (!b)
                b = dlopen("libpulse.so.0", RTLD_NOW);
            if (!b)
                return;
            auto f = [b](auto &ptr, const char *nom) {
                ptr = reinterpret_cast<std::remove_reference_t<decltype(ptr)>>(dlsym(b, nom));
                return ptr != nullptr;
            };
            ok = f(mainloopNew, "pa_mainloop_new") && f(mainloopApi, "pa_mainloop_get_api")
                 && f(iterate, "pa_mainloop_iterate") && f(mainloopFree, "pa_mainloop_free")
                 && f(contexteNew, "pa_context_new") && f(connecte, "pa_context_connect")
                 && f(etat, "pa_context_get_state") && f(deconnecte, "pa_context_disconnect")
                 && f(lache, "pa_context_unref");
        }
    };
    static const Pulse pa;
    if (!pa.ok)
        return true;
    enum { Pret = 4, Echec = 5, Termine = 6, SansLancement = 1 };
    void *boucle = pa.mainloopNew();
    if (!boucle)
        return false;
    void *contexte = pa.contexteNew(pa.mainloopApi(boucle), "sonavirelle");
    bool repond = false;
    if (contexte && pa.connecte(contexte, nullptr, SansLancement, nullptr) >= 0) {
        QElapsedTimer chrono;
        chrono.start();
        while (chrono.elapsed() < ms) {
            pa.iterate(boucle, 0, nullptr);
            const int e = pa.etat(contexte);
            if (e == Pret)
                repond = true;
            if (e == Pret || e == Echec || e == Termine)
                break;
            QThread::msleep(2);
        }
        pa.deconnecte(contexte);
    }
    if (contexte)
        pa.lache(contexte);
    pa.mainloopFree(boucle);
    return repond;
}

// Qt 6.4 keeps two PulseAudio connections of its own (one lists the outputs, one carries every
// sink's stream), each in an object Qt keeps to itself and each reconnecting only once, 3 s after
// its server died. Each is met when it hears of that death (a queued call to itself): its address
// is kept then, so that it can be told to connect again once the server answers, after its own
// retry has passed and failed, when Qt has left it empty.
struct MoteurPulse
{
    QObject *objet = nullptr;
    qint64 panneMs = 0;    ///< when it last heard of its server's death
    qint64 relanceMs = -1; ///< when it was last told to connect again
};
QMutex VerrouMoteurs;
QList<MoteurPulse> Moteurs; // guarded by VerrouMoteurs
QElapsedTimer Horloge;

bool GuetteMoteur(void **donnees)
{
    auto *objet = static_cast<QObject *>(donnees[0]);
    const auto *evenement = static_cast<const QEvent *>(donnees[1]);
    if (evenement && evenement->type() == QEvent::MetaCall && objet
        && qstrcmp(objet->metaObject()->className(), "QPulseAudioEngine") == 0) {
        QMutexLocker verrou(&VerrouMoteurs);
        auto m =
            std::find_if(Moteurs.begin(), Moteurs.end(), [objet](const MoteurPulse &x) { return x.objet == objet; });
        if (m == Moteurs.end())
            Moteurs.append({objet, Horloge.elapsed()});
        else
            m->panneMs = Horloge.elapsed();
    }
    return false; // the event goes on as usual
}

/// Tells every connection of Qt's that died and gave up to connect again. True if one was told.
bool RelanceMoteurs()
{
    QList<QObject *> aRelancer;
    {
        QMutexLocker verrou(&VerrouMoteurs);
        const qint64 maintenant = Horloge.elapsed();
        for (MoteurPulse &m : Moteurs) {
            if (maintenant - m.panneMs < LecteurQt::RepriseQtMs)
                continue; // Qt's own retry is still to come
            if (m.relanceMs >= m.panneMs && maintenant - m.relanceMs < LecteurQt::RelanceMs)
                continue;
            m.relanceMs = maintenant;
            aRelancer << m.objet;
        }
    }
    for (QObject *objet : aRelancer)
        QMetaObject::invokeMethod(objet, "prepare", Qt::AutoConnection);
    return !aRelancer.isEmpty();
}

void GuetteMoteurUneFois()
{
    static const bool guette = [] {
        Horloge.start();
        return QInternal::registerCallback(QInternal::EventNotifyCallback, &GuetteMoteur);
    }();
    (void)guette;
}

} // namespace

// What the window's side and the player thread share. Held by both, so that a player thread
// left behind in a stalled server never reads freed memory.
struct LecteurQt::Commun
{
    QMutex verrou;
    quint64 numero = 0;                      ///< of the newest request (guarded)
    bool jouer = false;                      ///< the newest request is a loop (guarded)
    QByteArray son;                          ///< its samples (guarded)
    QAudioDevice peripherique;               ///< the output in use (guarded)
    double decibels = 0.0;                   ///< the listening volume (guarded)
    std::atomic<quint64> numeroEnLecture{0}; ///< request whose loop is being fed, 0 when none
};

// The player thread's side: owns the sink and the device watch, and acts on the newest request.
// Devices are compared by id throughout: Qt hands out a new QAudioDevice, unequal to the old
// one, each time it refreshes its list, even for the very same output.
class SortieSon : public QObject
{
    Q_OBJECT

public:
    using Etat = LecteurQt::Etat;

    explicit SortieSon(std::shared_ptr<LecteurQt::Commun> commun) : m_commun(std::move(commun))
    {
        m_format.setSampleRate(44100);
        m_format.setChannelCount(1);
        m_format.setSampleFormat(QAudioFormat::Int16);
    }

    ~SortieSon() override
    {
        passeA(Etat::Arrete);
        if (m_sortie) {
            disconnect(m_sortie, nullptr, this, nullptr);
            delete m_sortie;
        }
    }

    /// Runs first on the player thread: everything that lives there is made there.
    void prepare()
    {
        GuetteMoteurUneFois();
        m_alimentation = new QTimer(this);
        m_alimentation->setTimerType(Qt::PreciseTimer);
        m_alimentation->setInterval(LecteurQt::PeriodeMs);
        connect(m_alimentation, &QTimer::timeout, this, &SortieSon::alimente);
        m_veille = new QTimer(this);
        m_veille->setInterval(LecteurQt::VeilleMs);
        connect(m_veille, &QTimer::timeout, this, &SortieSon::suitDefaut);
        suitPeripheriques();
        // Said before any sound is asked for, so that a machine without sound shows it at once.
        if (QMediaDevices::audioOutputs().isEmpty()) {
            m_echecFatal = true; // no connection at all: worth making again once a server answers
            annonceSortie(false);
        }
        traite();
    }

    /// Acts on the newest request; older ones still queued are passed over.
    void traite()
    {
        if (!m_alimentation)
            return; // not prepared yet: prepare() ends with this call
        quint64 numero;
        bool jouer;
        QByteArray son;
        {
            QMutexLocker verrou(&m_commun->verrou);
            numero = m_commun->numero;
            jouer = m_commun->jouer;
            son = m_commun->son;
        }
        if (numero == m_traite)
            return;
        m_traite = numero;

        // Any sound in progress stops first.
        passeA(Etat::Arrete);
        if (!jouer)
            return;
        const qint64 trame = m_format.bytesPerFrame();
        if (son.isEmpty() || son.size() % trame != 0) {
            qWarning("sonavirelle: nothing to play (%lld bytes of samples)", static_cast<long long>(son.size()));
            return;
        }
        m_original = std::move(son);
        m_crete = Volume::Crete(m_original);
        m_gain = Volume::Gain(decibels(), m_crete);
        m_boucle = std::make_unique<Boucle>(Volume::Applique(m_original, m_gain));
        m_boucle->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        demarre();
    }

    /// The loop goes on with other samples (BasculeSon): cross-faded from where it is. Without a
    /// loop (sound off, or the request that starts it still queued) the newest request's samples
    /// are already the new ones.
    void bascule()
    {
        QByteArray son;
        {
            QMutexLocker verrou(&m_commun->verrou);
            if (m_commun->numero != m_traite || !m_commun->jouer)
                return; // a newer request is queued: it plays the samples it carries
            son = m_commun->son;
        }
        if (!m_boucle || son.isEmpty() || son.size() % m_format.bytesPerFrame() != 0 || son == m_original)
            return;
        m_original = std::move(son);
        m_crete = Volume::Crete(m_original);
        m_gain = Volume::Gain(decibels(), m_crete);
        m_boucle->bascule(Volume::Applique(m_original, m_gain),
                          m_format.framesForDuration(qint64(Lecture::FonduMs) * 1000));
    }

    /// The volume changed: the loop in progress goes on from where it is, at the new level.
    void changeVolume()
    {
        if (!m_boucle)
            return;
        const double gain = Volume::Gain(decibels(), m_crete);
        if (gain == m_gain)
            return;
        m_gain = gain;
        m_boucle->remplace(Volume::Applique(m_original, m_gain));
    }

signals:
    void joue();
    void etatChange(LecteurQt::Etat etat);
    void sortieChange(bool disponible);

private:
    // While no output is known, the watch keeps looking, sound on or off, so that the news of
    // an output coming back reaches the window.
    void annonceSortie(bool disponible)
    {
        if (!disponible)
            m_veille->start();
        if (disponible == m_disponible)
            return;
        m_disponible = disponible;
        emit sortieChange(disponible);
    }

    double decibels() const
    {
        QMutexLocker verrou(&m_commun->verrou);
        return m_commun->decibels;
    }

    // The one place the state changes, with what each state needs running.
    void passeA(Etat etat, const QString &raison = QString())
    {
        switch (etat) {
        case Etat::Arrete:
            arreteSortie();
            if (m_veille && m_disponible)
                m_veille->stop();
            m_boucle.reset();
            m_original.clear();
            break;
        case Etat::EnLecture:
            m_averti = false;
            annonceSortie(true);
            m_aAnnoncer = true;
            m_commun->numeroEnLecture = m_traite;
            m_alimentation->start();
            m_veille->start();
            break;
        case Etat::SansSortie:
            arreteSortie();
            // The watch stays on while a sound is wanted: the loop comes back when an output does.
            annonceSortie(false);
            if (!m_averti) {
                m_averti = true;
                qWarning("sonavirelle: no sound (%s); the program goes on without it", qUtf8Printable(raison));
            }
            break;
        }
        if (etat != m_etat) {
            m_etat = etat;
            emit etatChange(etat);
        }
    }

    void arreteSortie()
    {
        if (m_alimentation)
            m_alimentation->stop();
        m_commun->numeroEnLecture = 0;
        m_flux = nullptr;
        // Stopping disconnects the stream: the server drops what it still holds of the old sound.
        if (m_sortie)
            m_sortie->stop();
    }

    void jetteSortie()
    {
        if (!m_sortie)
            return;
        disconnect(m_sortie, nullptr, this, nullptr);
        m_sortie->stop();
        m_sortie->deleteLater();
        m_sortie = nullptr;
        QMutexLocker verrou(&m_commun->verrou);
        m_commun->peripherique = QAudioDevice();
    }

    void demarre(const QAudioDevice &choisi = QAudioDevice())
    {
        if (!essaie(choisi) && relanceService())
            essaie(QAudioDevice());
    }

    // Opens the output and starts the loop on it; false when it could not.
    bool essaie(const QAudioDevice &choisi)
    {
        if (!m_boucle)
            return true;
        const QAudioDevice cible = choisi.isNull() ? QMediaDevices::defaultAudioOutput() : choisi;
        if (cible.isNull()) {
            jetteSortie();
            m_echecFatal = true;
            passeA(Etat::SansSortie, QStringLiteral("no audio output device"));
            return false;
        }
        if (!m_sortie || m_peripherique.id() != cible.id()) {
            jetteSortie();
            m_sortie = new QAudioSink(cible, m_format, this);
            m_peripherique = cible;
            {
                QMutexLocker verrou(&m_commun->verrou);
                m_commun->peripherique = cible;
            }
            connect(m_sortie, &QAudioSink::stateChanged, this, &SortieSon::surEtat);
        }
        // Set before every start: the sink otherwise reuses the size the server granted last time,
        // which shrinks at each restart until nothing fits.
        m_sortie->setBufferSize(m_format.bytesForDuration(qint64(LecteurQt::TamponMs) * 1000));
        m_flux = m_sortie->start();
        m_echecFatal = m_sortie->error() == QAudio::FatalError;
        if (!m_flux || m_sortie->error() != QAudio::NoError) {
            // A sink that failed is not tried again: the next try makes a new one, so that an
            // output that comes back under the same id (a restarted server) is really reopened.
            jetteSortie();
            passeA(Etat::SansSortie, QStringLiteral("%1 cannot be opened").arg(cible.description()));
            return false;
        }
        passeA(Etat::EnLecture);
        alimente();
        return true;
    }

    // The loop is written to the stream in short slices from a timer of our own rather than
    // pulled by the sink: a pulling sink waits for its first 20 ms tick before it reads
    // anything, which would put every new sound that much late.
    void alimente()
    {
        if (!m_flux || !m_boucle)
            return;
        const qint64 trame = m_format.bytesPerFrame();
        qint64 libre = m_sortie->bytesFree();
        if (libre < 0) {
            // The server gave up the stream (its device went away) without the sink noticing.
            perdu();
            return;
        }
        libre -= libre % trame;
        if (libre == 0)
            return;
        if (m_tranche.size() < libre)
            m_tranche.resize(libre);
        m_boucle->read(m_tranche.data(), libre);
        if (m_flux->write(m_tranche.constData(), libre) <= 0)
            return;
        if (m_aAnnoncer) {
            m_aAnnoncer = false;
            emit joue();
        }
    }

    void surEtat()
    {
        // A stop of our own leaves no error; a stopped stream with an error means the output went away.
        if (m_etat == Etat::EnLecture && m_sortie && m_sortie->state() == QAudio::StoppedState
            && m_sortie->error() != QAudio::NoError)
            perdu();
    }

    void perdu()
    {
        // The sink belonged to a stream the server dropped; it is of no use when the output returns.
        jetteSortie();
        passeA(Etat::SansSortie, QStringLiteral("the output %1 was lost").arg(m_peripherique.description()));
    }

    void suitDefaut();

    void suitPeripheriques()
    {
        m_peripheriques = new QMediaDevices(this);
        connect(m_peripheriques, &QMediaDevices::audioOutputsChanged, this, &SortieSon::suitDefaut);
    }

    // Called when no output could be opened for want of a connection. Once the server answers
    // again, each of Qt's connections that gave up is told to connect again; when Qt never had
    // one (no server at start), its whole sound service is dropped and made again from nothing
    // here, on the player thread, where it then lives (the old one, with no sink of ours in it,
    // is Qt's to keep). Returns true when an output is worth trying at once.
    bool relanceService()
    {
        if (!m_echecFatal || (m_relance.isValid() && m_relance.elapsed() < LecteurQt::RelanceMs))
            return false;
        if (!ServeurRepond(LecteurQt::SondeMs))
            return false;
        m_relance.start();
        jetteSortie();
        bool relance = RelanceMoteurs();
        if (QMediaDevices::audioOutputs().isEmpty()) {
            delete m_peripheriques;
            m_peripheriques = nullptr;
            QPlatformMediaDevices::setDevices(nullptr);
            suitPeripheriques();
            relance = true;
        }
        if (relance)
            qInfo("sonavirelle: the sound server answers again; Qt's connection to it is made anew");
        return relance;
    }

    // Whether the default output can be opened now. The list of outputs alone cannot tell: after
    // the sound server dies, Qt may keep listing its devices while nothing can be opened.
    bool sortieOuvrable() { return essaieOuverture() || (relanceService() && essaieOuverture()); }

    bool essaieOuverture()
    {
        const QAudioDevice defaut = QMediaDevices::defaultAudioOutput();
        if (defaut.isNull()) {
            m_echecFatal = true;
            return false;
        }
        auto *essai = new QAudioSink(defaut, m_format, this);
        const QIODevice *flux = essai->start();
        const bool ouvert = flux && essai->error() == QAudio::NoError;
        m_echecFatal = essai->error() == QAudio::FatalError;
        essai->stop();
        // Deleted later, as every sink here: its destructor runs the event loop.
        essai->deleteLater();
        return ouvert;
    }

    std::shared_ptr<LecteurQt::Commun> m_commun;
    QAudioFormat m_format;
    QMediaDevices *m_peripheriques = nullptr;
    QTimer *m_alimentation = nullptr;
    QTimer *m_veille = nullptr;
    Etat m_etat = Etat::Arrete;
    quint64 m_traite = 0;             ///< the request acted on last
    std::unique_ptr<Boucle> m_boucle; ///< the sound asked for, at the volume; null when sound is off
    QByteArray m_original;            ///< the sound asked for, as synthesised
    int m_crete = 0;                  ///< its peak
    double m_gain = 1.0;              ///< the gain applied to it
    QAudioSink *m_sortie = nullptr;   ///< kept from one sound to the next on the same output
    QAudioDevice m_peripherique;      ///< the device m_sortie was made for
    QIODevice *m_flux = nullptr;      ///< where samples are written while a loop runs
    QByteArray m_tranche;             ///< reused slice buffer
    bool m_aAnnoncer = false;         ///< joue() still owed for the current start
    bool m_averti = false;            ///< the missing output was already reported
    bool m_disponible = true;         ///< as last told to the window's side
    QElapsedTimer m_relance;          ///< since Qt's sound service was last made anew
    bool m_echecFatal = false;        ///< the last open failed for want of a connection
};

namespace {

/// The system's default output when it is known for sure: a null device when there is no output
/// at all, nothing when unsure. Qt 6.4 can leave the default mark on no device, or on two, after
/// a change (it marks each device when its details arrive, not when the default moves).
std::optional<QAudioDevice> DefautSur()
{
    const QList<QAudioDevice> sorties = QMediaDevices::audioOutputs();
    if (sorties.isEmpty())
        return QAudioDevice();
    std::optional<QAudioDevice> defaut;
    for (const QAudioDevice &s : sorties) {
        if (!s.isDefault())
            continue;
        if (defaut)
            return std::nullopt;
        defaut = s;
    }
    return defaut;
}

} // namespace

// With PulseAudio, Qt 6.4 never emits QMediaDevices::audioOutputsChanged, so the default output
// is also compared on a slow timer while sound is wanted; its default mark is trusted only when
// it sits on exactly one device (the server itself moves our stream to a new default meanwhile).
void SortieSon::suitDefaut()
{
    if (!m_boucle) {
        // Sound off: the next JoueSon opens whatever is the default then. Only an output coming
        // back after none was found is worth telling.
        if (!m_disponible && sortieOuvrable()) {
            annonceSortie(true);
            m_veille->stop();
        }
        return;
    }
    if (m_etat == Etat::SansSortie) {
        // No output at the last try: look again (this warns only once while none is found).
        demarre();
        return;
    }
    const std::optional<QAudioDevice> defaut = DefautSur();
    if (!defaut || defaut->id() == m_peripherique.id())
        return;
    if (defaut->isNull()) {
        perdu();
        return;
    }
    // Restart from the beginning of the sound on the new default output.
    arreteSortie();
    m_boucle->rembobine();
    demarre(*defaut);
}

namespace {
std::atomic<bool> Abandon{false};
}

bool LecteurQt::Abandonne()
{
    return Abandon;
}

LecteurQt::LecteurQt(QObject *parent) : QObject(parent), m_commun(std::make_shared<Commun>())
{
    // No parent for the thread: when closing finds it stuck in the sound server, it is left behind.
    m_fil = new QThread;
    m_fil->setObjectName(QStringLiteral("sonavirelle-lecture"));
    m_sortie = new SortieSon(m_commun);
    m_sortie->moveToThread(m_fil);
    connect(m_fil, &QThread::started, m_sortie, &SortieSon::prepare);
    connect(m_fil, &QThread::finished, m_sortie, &QObject::deleteLater);
    connect(m_sortie, &SortieSon::joue, this, &LecteurQt::joue);
    connect(m_sortie, &SortieSon::etatChange, this, &LecteurQt::etatChange);
    connect(m_sortie, &SortieSon::sortieChange, this, [this](bool disponible) {
        m_disponible = disponible;
        emit sortieChange(disponible);
    });
    m_fil->start();
}

LecteurQt::~LecteurQt()
{
    disconnect(m_sortie, nullptr, this, nullptr);
    demande(false);
    m_fil->quit();
    if (m_fil->wait(FinMs)) {
        delete m_fil;
    } else {
        // The thread is inside a call to a server that does not answer: waiting would freeze the
        // closing window. It ends with the process; what it shares is kept alive by Commun.
        qWarning("sonavirelle: the sound server does not answer; the player is left behind");
        Abandon = true;
    }
}

void LecteurQt::FixeSon(const QByteArray &echantillons)
{
    m_son = echantillons;
}

void LecteurQt::JoueSon()
{
    demande(true);
}

void LecteurQt::CoupeSon()
{
    demande(false);
}

void LecteurQt::BasculeSon(const QByteArray &echantillons)
{
    m_son = echantillons;
    if (!m_jouer)
        return;
    {
        QMutexLocker verrou(&m_commun->verrou);
        m_commun->son = m_son;
    }
    QMetaObject::invokeMethod(m_sortie, &SortieSon::bascule, Qt::QueuedConnection);
}

void LecteurQt::demande(bool jouer)
{
    {
        QMutexLocker verrou(&m_commun->verrou);
        m_numero = ++m_commun->numero;
        m_commun->jouer = jouer;
        m_commun->son = jouer ? m_son : QByteArray();
    }
    m_jouer = jouer;
    QMetaObject::invokeMethod(m_sortie, &SortieSon::traite, Qt::QueuedConnection);
}

void LecteurQt::FixeVolume(double decibels)
{
    m_decibels = decibels;
    {
        QMutexLocker verrou(&m_commun->verrou);
        m_commun->decibels = decibels;
    }
    QMetaObject::invokeMethod(m_sortie, &SortieSon::changeVolume, Qt::QueuedConnection);
}

void LecteurQt::SuitSortie(QObject *contexte, std::function<void(bool disponible)> quoi)
{
    quoi(m_disponible);
    connect(this, &LecteurQt::sortieChange, contexte, std::move(quoi));
}

bool LecteurQt::enLecture() const
{
    // The player thread tells of the output before it feeds it: a loop seen playing here is one
    // whose output the window has already heard of.
    return m_jouer && m_disponible && m_commun->numeroEnLecture.load() == m_numero;
}

QAudioDevice LecteurQt::peripherique() const
{
    if (!enLecture())
        return {};
    QMutexLocker verrou(&m_commun->verrou);
    return m_commun->peripherique;
}

#include "lecteurqt.moc"
