#include "DRALCommunicationDevice.h"
#include "LogCommands.h"
#include "Progress.h"
#include "RecorderWorker.h"
#include "VblRecordSink.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>

#include <atomic>
#include <csignal>
#include <functional>

namespace LogTool {

namespace {
std::atomic<int> g_stopSignal{0};

extern "C" void onStopSignal(int signal)
{
    g_stopSignal.store(signal);
}

void printUsage(QTextStream &stream)
{
    stream
        << "Usage: taviro3d-log record ADDRESS[:PORT] --out FILE.vbl [--seconds N] [--data ro|ri]\n"
        << "                           [--aux] [--no-compression]\n\n"
        << "Records a live sensor into a .vbl log without a display, with the viewer's device and\n"
        << "writer. Ctrl-C or SIGTERM ends the recording with a complete file.\n\n"
        << "  --out FILE.vbl     the log to write (required)\n"
        << "  --seconds N        stop after N seconds (default: until interrupted)\n"
        << "  --data ro|ri       range only, or range and level (default ri)\n"
        << "  --aux              record the auxiliary (inertial) packets too\n"
        << "  --no-compression   store the blocks uncompressed\n"
        << "  --help             this text\n\n"
        << "The port defaults to 10940. The progress line on stderr shows lines, auxiliary packets, bytes\n"
        << "and rate; the summary on stdout gives what was received and written.\n"
        << "Exit status: 0 when every received record was written, 1 when the sensor or the file\n"
        << "failed, 2 on a usage error.\n";
    stream.flush();
}

// Runs the event loop until pred holds or timeoutMs passed (a negative timeout waits without limit).
bool waitFor(const std::function<bool()> &pred, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred() && (timeoutMs < 0 || timer.elapsed() < timeoutMs)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return pred();
}

QString megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MiB");
}

struct Options
{
    QByteArray address;
    int port = 10940;
    QString out;
    double seconds = -1;
    int mode = DistanceIntensityMode;
    bool aux = false;
    bool compression = true;
};

// Empty on success, otherwise what is wrong.
QString parse(const QStringList &arguments, Options &o, bool &help)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        const auto value = [&](QString &v) {
            if (i + 1 >= arguments.size())
                return false;
            v = arguments.at(++i);
            return true;
        };
        QString v;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            help = true;
            return QString();
        } else if (a == QLatin1String("--out")) {
            if (!value(o.out))
                return QStringLiteral("--out needs a file name");
        } else if (a == QLatin1String("--seconds")) {
            bool ok = false;
            if (!value(v) || (o.seconds = v.toDouble(&ok), !ok) || o.seconds <= 0)
                return QStringLiteral("--seconds needs a positive number");
        } else if (a == QLatin1String("--data")) {
            if (!value(v))
                return QStringLiteral("--data needs ro or ri");
            if (v == QLatin1String("ro"))
                o.mode = DistanceOnlyMode;
            else if (v == QLatin1String("ri"))
                o.mode = DistanceIntensityMode;
            else if (v == QLatin1String("ra"))
                return QStringLiteral("--data ra: the live device does not stream extended range");
            else
                return QStringLiteral("--data takes ro or ri");
        } else if (a == QLatin1String("--aux")) {
            o.aux = true;
        } else if (a == QLatin1String("--no-compression")) {
            o.compression = false;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return QStringLiteral("unknown option '%1'").arg(a);
        } else if (o.address.isEmpty()) {
            const int colon = a.lastIndexOf(QLatin1Char(':'));
            o.address = (colon < 0 ? a : a.left(colon)).toLatin1();
            if (colon >= 0) {
                bool ok = false;
                o.port = a.mid(colon + 1).toInt(&ok);
                if (!ok || o.port < 1 || o.port > 65535)
                    return QStringLiteral("bad port in '%1'").arg(a);
            }
        } else {
            return QStringLiteral("one address only");
        }
    }
    if (o.address.isEmpty())
        return QStringLiteral("no sensor address");
    if (o.out.isEmpty())
        return QStringLiteral("--out FILE.vbl is required");
    if (QFileInfo(o.out).suffix().toLower() != QLatin1String("vbl"))
        return QStringLiteral("the output file must end in .vbl");
    return QString();
}

FileRecord::file_record_t recordOf(const QSharedPointer<SensorData> &frame)
{
    FileRecord::file_record_t r;
    r.index = 0;
    r.data = frame;
    r.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    return r;
}
} // namespace

ExitCode runRecord(const QStringList &arguments)
{
    Options o;
    bool help = false;
    const QString problem = parse(arguments, o, help);
    if (help) {
        printUsage(out());
        return Success;
    }
    if (!problem.isEmpty()) {
        err() << "taviro3d-log record: " << problem << "\n";
        printUsage(err());
        return UsageError;
    }

    g_stopSignal.store(0);
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);

    DRALCommunicationDevice device;
    bool initialized = false, initFailed = false;
    VEXA3D_SENSOR_INFO_T info{};
    QObject::connect(&device, &DRALCommunicationDevice::deviceInitialized, qApp, [&](VEXA3D_SENSOR_INFO_T i) {
        info = i;
        initialized = true;
    });
    QObject::connect(&device, &DRALCommunicationDevice::initializationError, qApp,
                     [&] { initFailed = true; });
    err() << "taviro3d-log record: connecting to " << o.address << ":" << o.port << "\n" << Qt::flush;
    if (!device.connectDevice(o.address, o.port)) {
        err() << "taviro3d-log record: cannot connect to " << o.address << ":" << o.port << " (error "
              << device.errorCode() << ")\n";
        return Failure;
    }
    device.initialize();
    if (!waitFor([&] { return initialized || initFailed || g_stopSignal.load(); }, 15000) || !initialized) {
        err() << "taviro3d-log record: the sensor did not initialise (error " << device.errorCode() << ")\n";
        (void)device.disconnectDevice();
        return Failure;
    }

    RecorderWorker worker;
    std::atomic<qint64> linesIn{0}, auxIn{0}, written{0};
    std::atomic<bool> failed{false};
    QString error;
    // Direct: counted on the worker's thread as each block is in the file.
    QObject::connect(&worker, &RecorderWorker::recordWritten, [&] { ++written; });
    QObject::connect(&worker, &RecorderWorker::errorFound, qApp, [&](const QString &e) {
        error = e;
        failed = true;
    });
    if (!worker.startWorker(std::make_unique<VblRecordSink>(o.out, o.compression, info))) {
        err() << "taviro3d-log record: the recorder did not start\n";
        return Failure;
    }
    // Direct: queued on the streaming thread the moment the device emits, as the viewer's recorders do.
    QObject::connect(&device, &DRALCommunicationDevice::measurementDataReady,
                     [&](const QSharedPointer<DRALMeasurementData> &line) {
                         ++linesIn;
                         worker.enqueue(recordOf(line));
                     });
    if (o.aux)
        QObject::connect(&device, &DRALCommunicationDevice::auxiliaryDataReady,
                         [&](const QSharedPointer<DRALAuxiliaryData> &packet) {
                             ++auxIn;
                             worker.enqueue(recordOf(packet));
                         });
    std::atomic<bool> streamEnded{false};
    QObject::connect(&device, &DRALCommunicationDevice::measurementStopped, [&] { streamEnded = true; });
    device.startMeasurement(o.mode | (o.aux ? AuxiliaryMode : 0));

    QElapsedTimer clock;
    clock.start();
    const qint64 limitMs = o.seconds > 0 ? qint64(o.seconds * 1000) : -1;
    ProgressLine progress;
    while (!g_stopSignal.load() && !failed && !streamEnded && (limitMs < 0 || clock.elapsed() < limitMs)) {
        waitFor([] { return false; }, 100);
        const double s = qMax(clock.elapsed(), qint64(1)) / 1000.0;
        progress.show(QStringLiteral("%1 s  lines %2  aux %3  %4  %5 lines/s")
                          .arg(s, 0, 'f', 1)
                          .arg(linesIn.load())
                          .arg(auxIn.load())
                          .arg(megabytes(QFileInfo(o.out).size()))
                          .arg(double(linesIn.load()) / s, 0, 'f', 0));
    }
    progress.clear();
    const bool byDevice = streamEnded.load();
    // The stream ends first, then the recorder writes everything it queued and closes the file.
    device.stopMeasurement();
    worker.stopWorker();
    QCoreApplication::processEvents();
    (void)device.disconnectDevice();

    const qint64 received = linesIn.load() + auxIn.load();
    out() << "file: " << o.out << "\n"
          << "lines received: " << linesIn.load() << "\n"
          << "auxiliary packets received: " << auxIn.load() << "\n"
          << "blocks written: " << written.load() << " of " << received << "\n"
          << "bytes: " << QFileInfo(o.out).size() << "\n"
          << "seconds: " << QString::number(clock.elapsed() / 1000.0, 'f', 1) << "\n";
    out().flush();
    if (failed) {
        err() << "taviro3d-log record: " << error << "\n";
        return Failure;
    }
    if (byDevice && !g_stopSignal.load()) {
        err() << "taviro3d-log record: the sensor ended the stream (error " << device.errorCode() << ")\n";
        return Failure;
    }
    if (written.load() != received) {
        err() << "taviro3d-log record: " << received - written.load() << " records were not written\n";
        return Failure;
    }
    return Success;
}

} // namespace LogTool
