#include "TestSupport.h"

#include "TaviroResources.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
QTemporaryDir &tempDir()
{
    static QTemporaryDir dir;
    return dir;
}
} // namespace

namespace TestSupport {
void isolateSettings()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, tempDir().path());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, tempDir().path() + "/system");
    Taviro::initResources();
}

QString settingsFolder()
{
    return tempDir().path();
}
} // namespace TestSupport
