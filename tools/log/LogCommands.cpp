#include "LogCommands.h"

#include "FileDevice.h"
#include "T3DFileDevice.h"

#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace LogTool {

const QVector<Command> &commands()
{
    static const QVector<Command> list{
        {"info", "describe log files: format, sensor, geometry, records, times, damage", &runInfo},
        {"csv", "convert logs into the converter's CSV files", &runCsv},
        {"record", "record a live sensor into a .vbl log without a display", &runRecord},
        {"ply", "export the points of a log as binary PLY files", &runPly},
        {"pcd", "export the points of a log as binary PCD files", &runPcd},
    };
    return list;
}

LogFileDevice *openLog(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    QVector<LogFileDevice *> candidates;
    if (suffix != QLatin1String("t3d"))
        candidates << new FileDevice;
    if (suffix != QLatin1String("vbl"))
        candidates << new T3DFileDevice;
    LogFileDevice *found = nullptr;
    for (LogFileDevice *device : candidates) {
        if (!found && device->openFile(fileName))
            found = device;
        else
            delete device;
    }
    return found;
}

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

} // namespace LogTool
