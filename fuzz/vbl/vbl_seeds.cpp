// Writes the seed corpus of fuzz_vbl into the folder given: logs made by the project's writer, whole
// (mode 0), their first blocks alone (modes 1 and 2) and their text sections (mode 3).

#include "LogTestSupport.h"

#include <QDir>

using namespace LogTest;

namespace {
bool seed(const QDir &folder, const QString &name, char mode, const QByteArray &bytes)
{
    return writeAll(folder.filePath(name), QByteArray(1, mode) + bytes);
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        fprintf(stderr, "usage: fuzz_vbl_seeds FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));
    const QString scratch = folder.filePath(QStringLiteral("scratch.vbl"));
    struct Case
    {
        const char *name;
        bool compressed;
        int regions;
        int spots;
        QVector<int> times;
    };
    const Case cases[] = {
        {"plain", false, 2, 6, {100, -110, 120}}, {"compressed", true, 2, 6, {100, -110, 120}},
        {"no_regions", false, 0, 3, {5, 6}},      {"empty", false, 2, 74, {}},
        {"aux_only", true, 1, 2, {-1, -2, -3}},
    };
    bool ok = true;
    for (const Case &c : cases) {
        VEXA3D_SENSOR_INFO_T info = sensorInfo(c.regions);
        info.spec.spotCount = quint16(c.spots);
        info.spec.echoCount = 2;
        ok = ok && writeVbl(scratch, c.compressed, c.times, {0, 1, 0}, info);
        const QByteArray file = readAll(scratch);
        ok = ok && seed(folder, QStringLiteral("%1_file").arg(c.name), 0, file);
        const qint64 scan = get<quint32>(file, 48 + 12 * 5 + 8);
        if (file.size() > scan)
            ok = ok && seed(folder, QStringLiteral("%1_block").arg(c.name), c.compressed ? 2 : 1,
                            file.mid(int(scan)));
        ok = ok && seed(folder, QStringLiteral("%1_section").arg(c.name), 3, file.mid(124, int(scan) - 124));
    }
    QFile::remove(scratch);
    return ok ? 0 : 1;
}
