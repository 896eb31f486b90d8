#include "audio/micro.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QMediaDevices>
#include <QScopedValueRollback>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

// The capture thread's side: owns the source and the watch of the inputs. Everything it says
// goes out by queued signals carrying values.
class CaptureSon : public QObject
{
    Q_OBJECT

public:
    CaptureSon()
    {
        m_voulu.setSampleRate(44100);
        m_voulu.setChannelCount(1);
        m_voulu.setSampleFormat(QAudioFormat::Int16);
    }

    ~CaptureSon() override
    {
        // As the thread ends Qt 6.4's sound service may be gone already, and deleting a source
        // then crashes: it is stopped and left to the end of the process.
        if (m_source) {
            disconnect(m_source, nullptr, this, nullptr);
            m_source->stop();
            m_source->setParent(nullptr);
        }
    }

    void prepare()
    {
        m_veille = new QTimer(this);
        m_veille->setInterval(Micro::VeilleMs);
        connect(m_veille, &QTimer::timeout, this, &CaptureSon::regarde);
        m_veille->start();
        regarde();
    }

    void choisit(const QByteArray &id)
    {
        m_choix = id;
        if (m_capte && cible().id() != m_device.id()) {
            ferme();
            ouvre();
        }
    }

    void capte(bool oui)
    {
        m_capte = oui;
        if (!oui)
            ferme();
        else if (!m_source)
            ouvre();
        annonce();
    }

signals:
    void entreesChange(QList<Micro::Entree> entrees);
    void disponibleChange(bool disponible);
    void entreeOuverte(QByteArray id);
    void perdue();
    void bloc(QList<float> echantillons, int frequence);

private:
    // The chosen input when Qt lists it, else Qt's default, else the first listed.
    QAudioDevice cible() const
    {
        const QList<QAudioDevice> liste = QMediaDevices::audioInputs();
        for (const QAudioDevice &d : liste)
            if (!m_choix.isEmpty() && d.id() == m_choix)
                return d;
        const QAudioDevice defaut = QMediaDevices::defaultAudioInput();
        if (!defaut.isNull())
            return defaut;
        return liste.isEmpty() ? QAudioDevice() : liste.first();
    }

    void regarde()
    {
        if (m_jette)
            return; // called from within the deletion of a source: the next look will do
        const QList<QAudioDevice> liste = QMediaDevices::audioInputs();
        QList<Micro::Entree> entrees;
        for (const QAudioDevice &d : liste)
            entrees.append({d.id(), d.description()});
        if (entrees != m_entrees || !m_listeDite) {
            m_listeDite = true;
            m_entrees = entrees;
            emit entreesChange(entrees);
        }
        if (m_source) {
            const bool encore = std::any_of(liste.begin(), liste.end(),
                                            [this](const QAudioDevice &d) { return d.id() == m_device.id(); });
            if (!encore || m_source->state() == QAudio::StoppedState) {
                perdu();
            } else if (cible().id() != m_device.id()) {
                // The chosen input came back: it takes over from the one used meanwhile.
                ferme();
                ouvre();
            }
        } else if (m_capte) {
            ouvre();
        }
        annonce();
    }

    void ouvre()
    {
        const QAudioDevice d = cible();
        if (d.isNull())
            return;
        m_format = d.isFormatSupported(m_voulu) ? m_voulu : d.preferredFormat();
        if (m_format.sampleRate() <= 0 || m_format.channelCount() <= 0)
            return;
        m_source = new QAudioSource(d, m_format, this);
        // The server's fragment: Qt reads the stream, and says so by readyRead, once a fragment.
        m_source->setBufferSize(m_format.bytesForDuration(qint64(Micro::FragmentMs) * 1000));
        m_flux = m_source->start();
        if (!m_flux || m_source->error() != QAudio::NoError) {
            qWarning("sonavirelle: the microphone %s cannot be opened", qUtf8Printable(d.description()));
            jette();
            return;
        }
        m_device = d;
        connect(m_source, &QAudioSource::stateChanged, this, [this](QAudio::State etat) {
            if (etat == QAudio::StoppedState && m_source && m_source->error() != QAudio::NoError)
                perdu();
        });
        m_mono.clear();
        m_parBloc = qsizetype(qint64(m_format.sampleRate()) * Micro::BlocMs / 1000);
        // Up to ten blocks at a time: more than the server keeps for a stream.
        m_octets.resize(m_format.bytesForDuration(qint64(Micro::BlocMs) * 10 * 1000));
        connect(m_flux, &QIODevice::readyRead, this, &CaptureSon::lit);
        emit entreeOuverte(d.id());
    }

    void perdu()
    {
        qWarning("sonavirelle: the microphone %s was lost", qUtf8Printable(m_device.description()));
        if (m_source) {
            // Qt 6.4 crashes when a source whose device went away is deleted (its stream is freed
            // already): that one is left as it is, a few bytes per loss, rather than stopped or deleted.
            if (m_flux)
                disconnect(m_flux, nullptr, this, nullptr);
            disconnect(m_source, nullptr, this, nullptr);
            m_source->setParent(nullptr);
            m_source = nullptr;
            m_flux = nullptr;
        }
        ferme();
        emit perdue();
        // Another input may be there already.
        if (m_capte)
            ouvre();
    }

    void jette()
    {
        if (!m_source)
            return;
        // Taken out first: Qt 6.4's source runs the thread's events as it is deleted, and the watch
        // of the inputs must not find it there, half gone, and take it for lost.
        QAudioSource *source = std::exchange(m_source, nullptr);
        m_flux = nullptr;
        disconnect(source, nullptr, this, nullptr);
        const QScopedValueRollback<bool> dedans(m_jette, true);
        source->stop();
        // Now, while the thread runs: a deferred delete could come only as the thread ends.
        delete source;
    }

    void ferme()
    {
        m_mono.clear();
        const bool ouverte = !m_device.isNull();
        jette();
        m_device = QAudioDevice();
        if (ouverte)
            emit entreeOuverte(QByteArray());
    }

    void annonce()
    {
        const bool disponible = m_capte ? m_source != nullptr : !m_entrees.isEmpty();
        if (disponible == m_disponible && m_disponibleDit)
            return;
        m_disponibleDit = true;
        m_disponible = disponible;
        emit disponibleChange(disponible);
    }

    // Everything the source holds, as mono floats, handed on once a block's worth has come: a
    // frame a block, so what is heard is drawn as soon as its block is whole.
    void lit()
    {
        if (!m_flux)
            return;
        const int trame = m_format.bytesPerFrame();
        const int canaux = m_format.channelCount();
        const int parEchantillon = m_format.bytesPerSample();
        const qsizetype place = m_octets.size() - m_octets.size() % trame;
        for (;;) {
            // Qt 6.4's push device says nothing of what is available (and the source says it a
            // tick late): a read takes what the stream holds.
            const qint64 lus = m_flux->read(m_octets.data(), place);
            if (lus < trame)
                break;
            const qint64 trames = lus / trame;
            const char *p = m_octets.constData();
            m_mono.reserve(m_mono.size() + trames);
            for (qint64 i = 0; i < trames; ++i) {
                float somme = 0.0f;
                for (int c = 0; c < canaux; ++c, p += parEchantillon)
                    somme += m_format.normalizedSampleValue(p);
                m_mono.append(somme / float(canaux));
            }
            if (lus < place)
                break;
        }
        if (m_mono.size() >= m_parBloc && m_parBloc > 0) {
            emit bloc(std::move(m_mono), m_format.sampleRate());
            m_mono = QList<float>();
        }
    }

    QAudioFormat m_voulu;
    QAudioFormat m_format;
    QTimer *m_veille = nullptr;
    QAudioSource *m_source = nullptr;
    QIODevice *m_flux = nullptr;
    QAudioDevice m_device;
    QByteArray m_choix;
    QByteArray m_octets;
    QList<float> m_mono; ///< the block being gathered
    qsizetype m_parBloc = 0;
    QList<Micro::Entree> m_entrees;
    bool m_listeDite = false;
    bool m_jette = false; ///< a source is being stopped and deleted
    bool m_capte = false;
    bool m_disponible = false;
    bool m_disponibleDit = false;
};

namespace {
std::atomic<bool> Abandon{false};
}

bool Micro::Abandonne()
{
    return Abandon;
}

Micro::Micro(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<Micro::Entree>();
    qRegisterMetaType<QList<Micro::Entree>>();
}

Micro::~Micro()
{
    if (!m_fil)
        return;
    disconnect(m_capture, nullptr, this, nullptr);
    // The capture's own end stops its source.
    m_fil->quit();
    if (m_fil->wait(FinMs)) {
        delete m_fil;
    } else {
        qWarning("sonavirelle: the sound server does not answer; the microphone is left behind");
        Abandon = true;
    }
}

void Micro::lance()
{
    if (m_fil)
        return;
    // No parent for the thread: when closing finds it stuck in the sound server, it is left behind.
    m_fil = new QThread;
    m_fil->setObjectName(QStringLiteral("sonavirelle-micro"));
    m_capture = new CaptureSon;
    m_capture->moveToThread(m_fil);
    connect(m_fil, &QThread::started, m_capture, &CaptureSon::prepare);
    connect(m_fil, &QThread::finished, m_capture, &QObject::deleteLater);
    connect(m_capture, &CaptureSon::entreesChange, this, [this](QList<Micro::Entree> e) {
        m_entrees = e;
        emit entreesChange(e);
    });
    connect(m_capture, &CaptureSon::disponibleChange, this, [this](bool d) {
        m_disponible = d;
        emit disponibleChange(d);
    });
    connect(m_capture, &CaptureSon::entreeOuverte, this, [this](QByteArray id) {
        m_enCours = id;
        emit entreeOuverte(id);
    });
    connect(m_capture, &CaptureSon::perdue, this, &Micro::perdue);
    connect(m_capture, &CaptureSon::bloc, this, &Micro::bloc);
    m_fil->start();
}

void Micro::suit()
{
    lance();
}

void Micro::choisit(const QByteArray &id)
{
    lance();
    QMetaObject::invokeMethod(
        m_capture, [c = m_capture, id] { c->choisit(id); }, Qt::QueuedConnection);
}

void Micro::capte(bool oui)
{
    if (!oui && !m_fil)
        return;
    lance();
    m_capte = oui;
    QMetaObject::invokeMethod(
        m_capture, [c = m_capture, oui] { c->capte(oui); }, Qt::QueuedConnection);
}

#include "micro.moc"
