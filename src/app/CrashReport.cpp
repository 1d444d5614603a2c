#include "CrashReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace Taviro {
QString crashReportPath()
{
    // A settings object only to learn where the per-user settings live.
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Taviro"),
                             QStringLiteral("Taviro3D"));
    return QFileInfo(settings.fileName()).absolutePath() + QStringLiteral("/taviro3d_crash.txt");
}

void writeCrashReport(const char *message)
{
    const QString path = crashReportPath();
    // On a first run the settings folder may not exist yet; the report must not be lost for that.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return;
    file.write(message ? message : "");
    file.write("\n");
}

void writeCrashReport(const QString &message)
{
    writeCrashReport(message.toUtf8().constData());
}
} // namespace Taviro
