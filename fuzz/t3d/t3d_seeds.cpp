// Writes the seed corpus of fuzz_t3d into the folder given, with the tests' legacy writer.

#include "LogTestSupport.h"
#include "T3dTestWriter.h"

#include <QDir>

using namespace LogTest;

int main(int argc, char *argv[])
{
    if (argc != 2) {
        fprintf(stderr, "usage: fuzz_t3d_seeds FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));
    const VEXA3D_SPEC_T spec = T3DFile::sensorInfo().spec;
    const QByteArray line = T3dTest::measurementPayload(*LogTest::line(spec, 1000, 3)->data());
    const QByteArray packet = T3dTest::auxiliaryPayload(*aux(1010)->data());
    bool ok = true;
    for (bool compressed : {false, true}) {
        QByteArray file = T3dTest::head(compressed);
        ok = ok &&
             writeAll(folder.filePath(QStringLiteral("head_%1").arg(compressed)), QByteArray(1, 0) + file);
        T3dTest::appendRecord(file, 0, T3DFile::MeasurementType, line, compressed, timeText(1000));
        T3dTest::appendRecord(file, 1, T3DFile::AuxiliaryType, packet, compressed, timeText(1010));
        ok = ok &&
             writeAll(folder.filePath(QStringLiteral("file_%1").arg(compressed)), QByteArray(1, 0) + file);
        const char lineMode = char(1 | (compressed ? 4 : 0));
        const char auxMode = char(3 | (compressed ? 4 : 0));
        ok = ok && writeAll(folder.filePath(QStringLiteral("line_%1").arg(compressed)),
                            QByteArray(1, lineMode) + (compressed ? qCompress(line, 5) : line));
        ok = ok && writeAll(folder.filePath(QStringLiteral("aux_%1").arg(compressed)),
                            QByteArray(1, auxMode) + (compressed ? qCompress(packet, 5) : packet));
    }
    return ok ? 0 : 1;
}
