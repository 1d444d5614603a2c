// Feeds arbitrary bytes to the ".vbl" reader.
//
// Input: one mode byte, then the bytes.
//   mode & 3 == 0: the bytes are a whole file: open (head, table, text sections), index walk, read every
//                  indexed block and turn lines into points
//   mode & 3 == 1: the bytes are one scan block (header and payload) read with a fixed layout, plain
//   mode & 3 == 2: the same, compressed
//   mode & 3 == 3: the bytes are read by each text section, then walked as a scan section

#include "FileDevice.h"
#include "VblSections.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <unistd.h>

namespace {
QString scratchFile()
{
    const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return QStringLiteral("%1/fuzz_vbl_%2.vbl").arg(folder).arg(::getpid());
}

void touch(const QSharedPointer<SensorData> &frame)
{
    if (auto *line = dynamic_cast<MeasurementData *>(frame.data()))
        (void)line->points();
}

void wholeFile(const QByteArray &bytes)
{
    static const QString name = scratchFile();
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write(bytes);
    }
    FileDevice device;
    if (!device.openFile(name))
        return;
    (void)device.indexNow();
    for (int i = 0; i < device.recordCount() && i < 64; ++i) {
        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        if (device.readRecord(frame, position, rotation, true) >= 0)
            touch(frame);
    }
    device.closeFile();
}

void oneBlock(const QByteArray &bytes, bool compressed)
{
    VEXA3D_SENSOR_INFO_T info;
    static const auto context =
        QSharedPointer<Vbl::VblSectionContext>::create(sensorParamsFromInfo(info), pointFieldsFromInfo(info),
                                                       echoFieldsFromInfo(info), lineFieldsFromInfo(info));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream stream(&buffer);
    ScanBlockSectionRW scan;
    scan.setCompressed(compressed);
    scan.setContext(context);
    scan.setReadConverter(
        [&info](const QSharedPointer<SensorData> &payload) { return Vbl::fromPayload(payload, info); });
    if (scan.readSection(stream))
        touch(scan.frame());
}

void sections(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream stream(&buffer);
    VersionSectionRW version;
    SensorParamSectionRW param;
    ScanPointParamSectionRW point;
    ScanEchoParamSectionRW echo;
    ScanLineParamSectionRW line;
    VEXA3D_SENSOR_INFO_T info;
    for (ISectionRead *section : QList<ISectionRead *>{&version, &param, &point, &echo, &line}) {
        buffer.seek(0);
        stream.resetStatus();
        (void)section->readSection(stream);
    }
    sensorInfoFromParams(param.list(), info);
    sensorInfoFromVersions(version.list(), info);
    for (const auto &definition : param.list())
        (void)definition->toString();
    buffer.seek(0);
    stream.resetStatus();
    ScanBlockCountR counter;
    (void)counter.readSection(stream);
}
} // namespace

// The readers log what they refuse; at fuzzing speed that is only noise.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, int(size - 1));
    switch (data[0] & 3) {
    case 0:
        wholeFile(bytes);
        break;
    case 1:
        oneBlock(bytes, false);
        break;
    case 2:
        oneBlock(bytes, true);
        break;
    default:
        sections(bytes);
        break;
    }
    return 0;
}
