#include "audio/lecteurqt.h"

#include "audio/boucle.h"
#include "audio/wav.h"

#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>

#include <optional>

// Devices are compared by id throughout: Qt hands out a new QAudioDevice, unequal to the old
// one, each time it refreshes its list, even for the very same output.

LecteurQt::LecteurQt(QString cheminTest, QString cheminSilence, QObject *parent)
    : QObject(parent),
      m_cheminTest(std::move(cheminTest)),
      m_cheminSilence(std::move(cheminSilence)),
      m_peripheriques(new QMediaDevices(this))
{
    m_demarrage.setSingleShot(true);
    m_demarrage.setInterval(0);
    connect(&m_demarrage, &QTimer::timeout, this, [this] { demarre(); });

    m_alimentation.setTimerType(Qt::PreciseTimer);
    m_alimentation.setInterval(PeriodeMs);
    connect(&m_alimentation, &QTimer::timeout, this, &LecteurQt::alimente);

    m_veille.setInterval(VeilleMs);
    connect(&m_veille, &QTimer::timeout, this, &LecteurQt::suitDefaut);
    connect(m_peripheriques, &QMediaDevices::audioOutputsChanged, this, &LecteurQt::suitDefaut);
}

LecteurQt::~LecteurQt()
{
    // The sink's destructor runs the event loop: nothing queued for this half-destroyed
    // object may be delivered then.
    disconnect(m_peripheriques, nullptr, this, nullptr);
    m_demarrage.stop();
    m_alimentation.stop();
    m_veille.stop();
    QCoreApplication::removePostedEvents(this);
    if (m_sortie) {
        disconnect(m_sortie, nullptr, this, nullptr);
        m_sortie->stop();
        delete m_sortie;
    }
}

void LecteurQt::JoueSon()
{
    // Any sound in progress stops first, even when the new file turns out to be unusable.
    CoupeSon();

    QString pourquoi;
    auto son = Wav::Lis(m_cheminTest, &pourquoi);
    if (!son) {
        qWarning("sonavirelle: %s not played: %s", qUtf8Printable(m_cheminTest), qUtf8Printable(pourquoi));
        return;
    }
    m_format = son->format;
    m_boucle = std::make_unique<Boucle>(std::move(son->echantillons));
    m_boucle->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    // Opening the output waits for the sound server; that happens once the caller's handler is done.
    m_demarrage.start();
    m_veille.start();
}

void LecteurQt::CoupeSon()
{
    arrete();
    m_veille.stop();
    m_boucle.reset();
}

void LecteurQt::arrete()
{
    m_demarrage.stop();
    m_alimentation.stop();
    m_enLecture = false;
    m_aAnnoncer = false;
    m_flux = nullptr;
    // Stopping disconnects the stream: the server drops what it still holds of the old sound.
    if (m_sortie)
        m_sortie->stop();
}

void LecteurQt::jetteSortie()
{
    if (!m_sortie)
        return;
    disconnect(m_sortie, nullptr, this, nullptr);
    m_sortie->stop();
    // Its destructor spins the event loop; never run that from inside a caller's handler.
    m_sortie->deleteLater();
    m_sortie = nullptr;
    m_peripherique = QAudioDevice();
}

void LecteurQt::demarre(const QAudioDevice &choisi)
{
    if (!m_boucle)
        return;
    const QAudioDevice cible = choisi.isNull() ? QMediaDevices::defaultAudioOutput() : choisi;
    if (cible.isNull()) {
        jetteSortie();
        signaleSansSortie(QStringLiteral("no audio output device"));
        return;
    }
    if (!m_sortie || m_peripherique.id() != cible.id() || m_sortie->format() != m_format) {
        jetteSortie();
        m_sortie = new QAudioSink(cible, m_format);
        m_peripherique = cible;
        connect(m_sortie, &QAudioSink::stateChanged, this, &LecteurQt::surEtat);
    }
    // Set before every start: the sink otherwise reuses the size the server granted last time,
    // which shrinks at each restart until nothing fits.
    m_sortie->setBufferSize(m_format.bytesForDuration(qint64(TamponMs) * 1000));
    m_flux = m_sortie->start();
    if (!m_flux || m_sortie->error() != QAudio::NoError) {
        m_flux = nullptr;
        signaleSansSortie(QStringLiteral("%1 cannot be opened").arg(cible.description()));
        return;
    }
    m_averti = false;
    m_enLecture = true;
    m_aAnnoncer = true;
    alimente();
    m_alimentation.start();
}

void LecteurQt::alimente()
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

void LecteurQt::surEtat()
{
    // A stop of our own leaves no error; a stopped stream with an error means the output went away.
    if (m_enLecture && m_sortie && m_sortie->state() == QAudio::StoppedState && m_sortie->error() != QAudio::NoError)
        perdu();
}

void LecteurQt::perdu()
{
    const QString nom = m_peripherique.description();
    arrete();
    // The watch stays on while a sound is wanted: the loop comes back when an output does.
    signaleSansSortie(QStringLiteral("the output %1 was lost").arg(nom));
}

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

void LecteurQt::suitDefaut()
{
    if (!m_boucle || m_demarrage.isActive())
        return; // sound off: the next JoueSon opens whatever is the default then
    if (!m_enLecture) {
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
    arrete();
    m_boucle->rembobine();
    demarre(*defaut);
}

void LecteurQt::signaleSansSortie(const QString &raison)
{
    if (m_averti)
        return;
    m_averti = true;
    qWarning("sonavirelle: no sound (%s); the program goes on without it", qUtf8Printable(raison));
}
