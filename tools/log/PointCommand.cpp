#include "DRALMeasurementData.h"
#include "LogCommands.h"
#include "LogFileDevice.h"
#include "Progress.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryFile>
#include <QTextStream>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

namespace LogTool {

namespace {

enum class Format
{
    Ply,
    Pcd
};

// One point as stored: x y z range (float32), level (uint32), echo (uint8), line, spot (uint16),
// timestamp (uint32), little-endian and packed.
constexpr int PointBytes = 29;

void put(char *&out, const void *value, size_t size)
{
    std::memcpy(out, value, size);
    out += size;
}

// The pose as the viewer places the cloud: rotate about x, then y, then z (degrees), then translate.
struct Pose
{
    explicit Pose(const QVector3D &position, const QVector3D &rotation)
    {
        const double d = M_PI / 180.0;
        const double cx = std::cos(rotation.x() * d), sx = std::sin(rotation.x() * d);
        const double cy = std::cos(rotation.y() * d), sy = std::sin(rotation.y() * d);
        const double cz = std::cos(rotation.z() * d), sz = std::sin(rotation.z() * d);
        // Rz * Ry * Rx
        m[0][0] = cz * cy;
        m[0][1] = cz * sy * sx - sz * cx;
        m[0][2] = cz * sy * cx + sz * sx;
        m[1][0] = sz * cy;
        m[1][1] = sz * sy * sx + cz * cx;
        m[1][2] = sz * sy * cx - cz * sx;
        m[2][0] = -sy;
        m[2][1] = cy * sx;
        m[2][2] = cy * cx;
        t[0] = position.x();
        t[1] = position.y();
        t[2] = position.z();
    }
    void apply(const double in[3], float out[3]) const
    {
        for (int r = 0; r < 3; ++r)
            out[r] = float(m[r][0] * in[0] + m[r][1] * in[1] + m[r][2] * in[2] + t[r]);
    }
    double m[3][3];
    double t[3];
};

// The valid echoes (range above 0) of a line as packed points; returns the count.
qint64 appendPoints(QByteArray &out, const VEXA3D_MEASUREMENT_DATA_T &line, const Pose &pose)
{
    qint64 count = 0;
    const int spots = qMin(int(line.receivedSpotCount), int(line.spots.size()));
    for (int s = 0; s < spots; ++s) {
        const VEXA3D_SPOT_T &spot = line.spots[size_t(s)];
        const int echoes = qMin(int(spot.count), int(spot.echoes.size()));
        for (int e = 0; e < echoes; ++e) {
            const VEXA3D_ECHO_T &echo = spot.echoes[size_t(e)];
            if (!(echo.range > 0.0))
                continue;
            const VEXA3D_POINT_T &p = spot.points[size_t(e)];
            const double in[3] = {p.x, p.y, p.z};
            float xyz[3];
            pose.apply(in, xyz);
            const float range = float(echo.range);
            const quint32 level = echo.level;
            const quint8 echoIndex = quint8(e);
            const quint16 lineNumber = line.lineNumber;
            const quint16 spotIndex = quint16(s);
            const quint32 timestamp = line.timestamp;
            const int at = out.size();
            out.resize(at + PointBytes);
            char *w = out.data() + at;
            put(w, xyz, 12);
            put(w, &range, 4);
            put(w, &level, 4);
            put(w, &echoIndex, 1);
            put(w, &lineNumber, 2);
            put(w, &spotIndex, 2);
            put(w, &timestamp, 4);
            ++count;
        }
    }
    return count;
}

QByteArray header(Format format, qint64 points)
{
    QByteArray h;
    if (format == Format::Ply) {
        h = "ply\nformat binary_little_endian 1.0\ncomment taviro3d-log point export, metres\n"
            "element vertex " +
            QByteArray::number(points) +
            "\nproperty float x\nproperty float y\nproperty float z\nproperty float range\n"
            "property uint level\nproperty uchar echo\nproperty ushort line\nproperty ushort spot\n"
            "property uint timestamp\nend_header\n";
    } else {
        h = "# .PCD v0.7 - Point Cloud Data file format\nVERSION 0.7\n"
            "FIELDS x y z range level echo line spot timestamp\nSIZE 4 4 4 4 4 1 2 2 4\n"
            "TYPE F F F F U U U U U\nCOUNT 1 1 1 1 1 1 1 1 1\nWIDTH " +
            QByteArray::number(points) + "\nHEIGHT 1\nVIEWPOINT 0 0 0 1 0 0 0\nPOINTS " +
            QByteArray::number(points) + "\nDATA binary\n";
    }
    return h;
}

// Writes header and body into name; the body comes from memory or from a file.
bool writeCloud(const QString &name, Format format, qint64 points, const QByteArray &body,
                QIODevice *bodyFile, QString *error)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = name + QStringLiteral(": ") + file.errorString();
        return false;
    }
    bool ok = file.write(header(format, points)) >= 0;
    if (bodyFile) {
        ok = ok && bodyFile->seek(0);
        QByteArray chunk;
        while (ok && !(chunk = bodyFile->read(1 << 20)).isEmpty())
            ok = file.write(chunk) == chunk.size();
    } else {
        ok = ok && file.write(body) == body.size();
    }
    ok = ok && file.flush();
    if (!ok)
        *error = name + QStringLiteral(": ") + file.errorString();
    file.close();
    if (!ok)
        file.remove();
    return ok;
}

void printUsage(QTextStream &stream, const char *command)
{
    const bool ply = QByteArray(command) == "ply";
    stream << "Usage: taviro3d-log " << command << " LOG [--out DIR] [--frames all|N|N-M] [--merge]\n\n"
           << "Exports the valid echoes (range above 0) of a log as points, one "
           << (ply ? "binary little-endian PLY 1.0" : "binary PCD 0.7") << " file per frame\n"
           << "(the lines of one frame number of one connection), or one merged file. Each point has\n"
           << "x, y, z (float32, metres, with the sensor's pose applied as the viewer places the cloud),\n"
           << "range (float32), level (uint32), echo (uint8), line, spot (uint16) and timestamp (uint32).\n"
           << "Frames are counted from 1 per connection in the order of the log; the files are named\n"
           << "<log base name>_connection<C>_frame<N>." << command << ", or <log base name>_all." << command
           << " with --merge.\n\n"
           << "  --out DIR     where the files go (default: beside the log; made when missing)\n"
           << "  --frames SEL  all (default), N, or N-M (inclusive)\n"
           << "  --merge       one file with the points of every selected frame\n"
           << "  --help        this text\n\n"
           << "Prints the files written and their point counts on stdout. Exit status: 0 done,\n"
           << "1 when the log cannot be read, no frame was selected or a file not written, 2 on a usage "
              "error.\n";
    stream.flush();
}

ExitCode runPoints(const QStringList &arguments, Format format)
{
    const char *command = format == Format::Ply ? "ply" : "pcd";
    const QString suffix = QString::fromLatin1(command);
    QString log, outDir;
    qint64 first = 1, last = std::numeric_limits<qint64>::max();
    bool merge = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            printUsage(out(), command);
            return Success;
        }
        if (a == QLatin1String("--out") && i + 1 < arguments.size()) {
            outDir = arguments.at(++i);
        } else if (a == QLatin1String("--frames") && i + 1 < arguments.size()) {
            const QString sel = arguments.at(++i);
            if (sel != QLatin1String("all")) {
                const QStringList parts = sel.split(QLatin1Char('-'));
                bool ok1 = false, ok2 = false;
                first = parts.value(0).toLongLong(&ok1);
                last = parts.size() == 2 ? parts.value(1).toLongLong(&ok2) : first;
                if (parts.size() > 2 || !ok1 || (parts.size() == 2 && !ok2) || first < 1 || last < first) {
                    err() << "taviro3d-log " << command << ": bad --frames '" << sel << "'\n";
                    return UsageError;
                }
            }
        } else if (a == QLatin1String("--merge")) {
            merge = true;
        } else if ((a.startsWith(QLatin1Char('-')) && a.size() > 1) || !log.isEmpty()) {
            err() << "taviro3d-log " << command << ": unexpected '" << a << "'\n";
            printUsage(err(), command);
            return UsageError;
        } else {
            log = a;
        }
    }
    if (log.isEmpty()) {
        printUsage(err(), command);
        return UsageError;
    }
    std::unique_ptr<LogFileDevice> device(openLog(log));
    if (!device) {
        err() << "taviro3d-log " << command << ": " << log << ": not a readable log\n";
        return Failure;
    }
    if (!device->indexNow())
        err() << "taviro3d-log " << command << ": " << log << ": damaged; exporting the "
              << device->recordCount() << " records before the damage\n";
    const QString folder = outDir.isEmpty() ? QFileInfo(log).absolutePath() : outDir;
    if (!QDir().mkpath(folder)) {
        err() << "taviro3d-log " << command << ": the folder " << folder << " could not be created\n";
        return Failure;
    }
    const QString base = QDir(folder).filePath(QFileInfo(log).completeBaseName());

    struct Frame
    {
        qint64 ordinal = 0; // 0 before the first line
        int number = -1;    // the sensor's frame number
        QByteArray points;
        qint64 count = 0;
    };
    QMap<int, Frame> frames; // by connection
    QTemporaryFile merged(QDir(folder).filePath(QStringLiteral(".taviro3d-points-XXXXXX")));
    qint64 mergedCount = 0;
    if (merge && !merged.open()) {
        err() << "taviro3d-log " << command << ": no room for a temporary file in " << folder << "\n";
        return Failure;
    }
    int filesWritten = 0;
    QString error;
    const auto finish = [&](int connection, Frame &frame) {
        if (frame.ordinal < first || frame.ordinal > last || merge)
            return true;
        const QString name = QStringLiteral("%1_connection%2_frame%3.%4")
                                 .arg(base)
                                 .arg(connection + 1)
                                 .arg(frame.ordinal)
                                 .arg(suffix);
        if (!writeCloud(name, format, frame.count, frame.points, nullptr, &error))
            return false;
        out() << name << " " << frame.count << "\n";
        ++filesWritten;
        return true;
    };

    ProgressLine progress;
    const int total = device->recordCount();
    int done = 0;
    bool ok = true;
    while (ok && !device->atEnd()) {
        QSharedPointer<SensorData> record;
        QVector3D position, rotation;
        const int connection = device->readRecord(record, position, rotation, true);
        if (connection < 0 || !record)
            break;
        ++done;
        progress.show(QStringLiteral("%1/%2 records").arg(done).arg(total));
        const auto line = record.dynamicCast<DRALMeasurementData>();
        if (!line || !line->data())
            continue;
        Frame &frame = frames[connection];
        if (frame.number != line->data()->frameNumber) {
            ok = finish(connection, frame);
            frame.points.clear();
            frame.count = 0;
            frame.number = line->data()->frameNumber;
            ++frame.ordinal;
        }
        if (frame.ordinal < first || frame.ordinal > last)
            continue;
        const Pose pose(position, rotation);
        if (merge) {
            QByteArray points;
            mergedCount += appendPoints(points, *line->data(), pose);
            ok = ok && merged.write(points) == points.size();
            if (!ok)
                error = merged.errorString();
        } else {
            frame.count += appendPoints(frame.points, *line->data(), pose);
        }
    }
    for (auto it = frames.begin(); ok && it != frames.end(); ++it)
        ok = finish(it.key(), it.value());
    progress.clear();
    bool anySelected = false;
    for (const Frame &frame : qAsConst(frames))
        anySelected = anySelected || frame.ordinal >= first;
    if (ok && merge && anySelected) {
        const QString name = base + QStringLiteral("_all.") + suffix;
        ok = writeCloud(name, format, mergedCount, QByteArray(), &merged, &error);
        if (ok) {
            out() << name << " " << mergedCount << "\n";
            ++filesWritten;
        }
    }
    out().flush();
    if (!ok) {
        err() << "taviro3d-log " << command << ": " << error << "\n";
        return Failure;
    }
    if (filesWritten == 0) {
        err() << "taviro3d-log " << command << ": " << log << ": no frame selected\n";
        return Failure;
    }
    return Success;
}

} // namespace

ExitCode runPly(const QStringList &arguments)
{
    return runPoints(arguments, Format::Ply);
}

ExitCode runPcd(const QStringList &arguments)
{
    return runPoints(arguments, Format::Pcd);
}

} // namespace LogTool
