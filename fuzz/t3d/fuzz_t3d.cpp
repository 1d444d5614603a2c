// Feeds arbitrary bytes to the legacy ".t3d" reader.
//
// Input: one mode byte, then the bytes.
//   mode & 1 == 0: the bytes are a whole file: open, index walk, read every indexed record
//   mode & 1 == 1: the bytes are one payload read by its parser; bit 1 picks the auxiliary parser,
//                  bit 2 compression

#include "T3DFileDevice.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <unistd.h>

namespace {
void touch(const QSharedPointer<SensorData> &frame)
{
    if (auto *line = dynamic_cast<MeasurementData *>(frame.data()))
        (void)line->points();
}

void wholeFile(const QByteArray &bytes)
{
    static const QString name =
        QStringLiteral("%1/fuzz_t3d_%2.t3d")
            .arg(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
            .arg(::getpid());
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write(bytes);
    }
    T3DFileDevice device;
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

void payload(const QByteArray &bytes, int mode)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    T3D_SCAN_HEADER header;
    header.type = (mode & 2) ? T3DFile::AuxiliaryType : T3DFile::MeasurementType;
    header.length = quint32(bytes.size());
    QSharedPointer<SensorData> frame;
    if (T3DFile::readScanData(buffer, frame, header, mode & 4))
        touch(frame);
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
    if (data[0] & 1)
        payload(bytes, data[0]);
    else
        wholeFile(bytes);
    return 0;
}
