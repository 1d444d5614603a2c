#include "LogCommands.h"

#include "LogFileDevice.h"
#include "T3DFileDevice.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstring>
#include <memory>

namespace LogTool {

namespace {
void printUsage(QTextStream &stream)
{
    stream
        << "Usage: taviro3d-log info [--json] FILE...\n\n"
        << "Describes each log: format, compression, sensor identity, scan geometry, record counts,\n"
        << "connections, first and last record time, and whether indexing met damage.\n\n"
        << "  --json    one JSON object per file and line\n"
        << "  --help    this text\n\n"
        << "Exit status: 0 when every file was read, 1 when a file is no readable log, 2 on a usage error.\n";
    stream.flush();
}

QString text(const char *field)
{
    return QString::fromLatin1(field, int(strnlen(field, 64)));
}

// Milliseconds between two "yyyy-MM-dd hh:mm:ss.zzz" texts, -1 when either does not parse.
qint64 durationMs(const QString &first, const QString &last)
{
    const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz");
    const QDateTime a = QDateTime::fromString(first, format);
    const QDateTime b = QDateTime::fromString(last, format);
    return a.isValid() && b.isValid() ? a.msecsTo(b) : -1;
}

QString durationText(qint64 ms)
{
    if (ms < 0)
        return QStringLiteral("-");
    const QChar zero(QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3600000)
        .arg(ms / 60000 % 60, 2, 10, zero)
        .arg(ms / 1000 % 60, 2, 10, zero)
        .arg(ms % 1000, 3, 10, zero);
}

QJsonObject describe(const QString &fileName, LogFileDevice &device)
{
    const VEXA3D_SENSOR_INFO_T info = device.sensorInfo();
    const VEXA3D_SPEC_T &spec = info.spec;
    const LogIndex index = device.logIndex();
    QJsonObject geometry{{"motorInterlaceCount", spec.motorInterlaceCount},
                         {"remInterlaceCount", spec.remInterlaceCount},
                         {"firstLineNumber", spec.firstLineNumber},
                         {"lastLineNumber", spec.lastLineNumber},
                         {"lineCount", spec.lineCount},
                         {"spotCount", spec.spotCount},
                         {"echoCount", spec.echoCount},
                         {"regionCount", spec.regionCount},
                         {"isLsbResult", spec.isLsbResult},
                         {"accelScale", spec.accelScale},
                         {"gyroScale", spec.gyroScale},
                         {"swingDir", spec.swdr}};
    QJsonObject object{{"file", fileName},
                       {"format", device.fileSuffix()},
                       {"compressed", device.isCompressed()},
                       {"product", text(info.product)},
                       {"serial", text(info.serial)},
                       {"firmware", text(info.firmware)},
                       {"protocol", text(info.protocol)},
                       {"geometry", geometry},
                       {"records", index.offsets.size()},
                       {"measurementLines", index.measurementCount},
                       {"auxiliaryPackets", index.auxiliaryCount},
                       {"connections", std::max(0, index.maxConnection + 1)},
                       {"corrupted", index.isCorrupted()}};
    if (index.hasFirst) {
        object.insert("firstRecordTime", index.first.dateTime);
        object.insert("lastRecordTime", index.last.dateTime);
        object.insert("durationMs", durationMs(index.first.dateTime, index.last.dateTime));
    }
    if (index.isCorrupted()) {
        object.insert("corruptionOffset", index.errorOffset);
        object.insert("corruption", statusText(index.status));
    }
    return object;
}

void printText(QTextStream &stream, const QJsonObject &o)
{
    const QJsonObject g = o.value("geometry").toObject();
    const auto n = [&g](const char *key) { return g.value(QLatin1String(key)).toInt(); };
    stream << o.value("file").toString() << "\n"
           << "  format:        " << o.value("format").toString() << "\n"
           << "  compression:   " << (o.value("compressed").toBool() ? "on" : "off") << "\n"
           << "  product:       " << o.value("product").toString() << "\n"
           << "  serial:        " << o.value("serial").toString() << "\n"
           << "  firmware:      " << o.value("firmware").toString() << "\n"
           << "  protocol:      " << o.value("protocol").toString() << "\n"
           << "  geometry:      " << n("spotCount") << " spots, " << n("echoCount") << " echoes, "
           << n("regionCount") << " regions, lines " << n("firstLineNumber") << "-" << n("lastLineNumber")
           << " (" << n("lineCount") << "), interlace " << n("motorInterlaceCount") << "x"
           << n("remInterlaceCount") << ", accel scale " << n("accelScale") << ", gyro scale "
           << n("gyroScale") << ", swing dir " << n("swingDir") << ", lsb result " << n("isLsbResult") << "\n"
           << "  records:       " << o.value("records").toInt() << " (" << o.value("measurementLines").toInt()
           << " measurement lines, " << o.value("auxiliaryPackets").toInt() << " auxiliary packets)\n"
           << "  connections:   " << o.value("connections").toInt() << "\n";
    if (o.contains("firstRecordTime")) {
        stream << "  first record:  " << o.value("firstRecordTime").toString() << "\n"
               << "  last record:   " << o.value("lastRecordTime").toString() << "\n"
               << "  duration:      " << durationText(qint64(o.value("durationMs").toDouble())) << "\n";
    }
    if (o.value("corrupted").toBool())
        stream << "  index:         damaged at offset " << qint64(o.value("corruptionOffset").toDouble())
               << " (" << o.value("corruption").toString() << "); records before it are readable\n";
    else
        stream << "  index:         complete\n";
}
} // namespace

ExitCode runInfo(const QStringList &arguments)
{
    bool json = false;
    QStringList files;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            printUsage(out());
            return Success;
        }
        if (argument == QLatin1String("--json")) {
            json = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            err() << "taviro3d-log info: unknown option '" << argument << "'\n";
            printUsage(err());
            return UsageError;
        } else {
            files << argument;
        }
    }
    if (files.isEmpty()) {
        printUsage(err());
        return UsageError;
    }
    ExitCode result = Success;
    for (const QString &fileName : qAsConst(files)) {
        err() << "reading " << fileName << "\n";
        err().flush();
        std::unique_ptr<LogFileDevice> device(openLog(fileName));
        if (!device) {
            err() << "taviro3d-log info: " << fileName << ": not a readable log\n";
            result = Failure;
            continue;
        }
        (void)device->indexNow();
        const QJsonObject object = describe(fileName, *device);
        if (json)
            out() << QJsonDocument(object).toJson(QJsonDocument::Compact) << "\n";
        else
            printText(out(), object);
        out().flush();
    }
    err().flush();
    return result;
}

} // namespace LogTool
