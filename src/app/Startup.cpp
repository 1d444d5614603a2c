#include "Startup.h"

#include "CrashReport.h"
#include "FileDevice.h"
#include "MainWindow.h"
#include "SensorAddress.h"
#include "T3DFileDevice.h"
#include "TaviroResources.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTranslator>

#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

namespace Taviro {
void setApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Taviro"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("taviro.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Taviro3D Viewer"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.1.0") + QString());
}

bool wantsSoftwareOpenGL(int argc, const char *const *argv)
{
    bool found = false;
    for (int i = 1; i < argc; ++i)
        if (argv[i] && std::strcmp(argv[i], "-d") == 0)
            found = true;
    return found;
}

StartupOptions parseArguments(const QStringList &arguments)
{
    StartupOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--sensor")) {
            if (!hasValue) {
                options.error = QStringLiteral("--sensor needs ADDRESS[:PORT]");
                break;
            }
            const QString value = arguments.at(++i);
            switch (SensorAddress::parse(value, options.sensorAddress, options.sensorPort)) {
            case SensorAddress::ParseResult::Ok:
                break;
            case SensorAddress::ParseResult::Empty:
                options.error = QStringLiteral("--sensor needs an address");
                break;
            case SensorAddress::ParseResult::BadAddress:
                options.error =
                    QStringLiteral("invalid address in --sensor %1 (a numeric IPv4 address or localhost)")
                        .arg(value);
                break;
            case SensorAddress::ParseResult::BadPort:
                options.error = QStringLiteral("invalid port in --sensor %1 (allowed: %2 to %3)")
                                    .arg(value)
                                    .arg(SensorAddress::MinPort)
                                    .arg(SensorAddress::MaxPort);
                break;
            }
            if (!options.error.isEmpty())
                break;
        } else if (arg == QLatin1String("--log")) {
            if (!hasValue) {
                options.error = QStringLiteral("--log needs a file name");
                break;
            }
            options.logPath = arguments.at(++i);
        } else if (arg == QLatin1String("--screenshot")) {
            if (!hasValue) {
                options.error = QStringLiteral("--screenshot needs a file name");
                break;
            }
            options.screenshotPath = arguments.at(++i);
        } else if (arg == QLatin1String("--screenshot-delay")) {
            bool ok = false;
            options.screenshotDelayMs = hasValue ? arguments.at(++i).toInt(&ok) : 0;
            if (!ok || options.screenshotDelayMs < 0) {
                options.error = QStringLiteral("--screenshot-delay needs milliseconds");
                break;
            }
        }
        // Anything else (including "-d") is left alone, as it always was.
    }
    return options;
}

QString logOpenError(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    std::unique_ptr<LogFileDevice> device;
    if (suffix == QLatin1String("vbl"))
        device = std::make_unique<FileDevice>();
    else if (suffix == QLatin1String("t3d"))
        device = std::make_unique<T3DFileDevice>();
    else
        return QStringLiteral("%1 is not a .vbl or .t3d log").arg(fileName);
    if (!QFileInfo(fileName).isFile())
        return QStringLiteral("%1 does not exist").arg(fileName);
    if (!device->openFile(fileName))
        return QStringLiteral("%1 cannot be opened as a log").arg(fileName);
    device->closeFile();
    return QString();
}

QString usageText()
{
    return QStringLiteral(
        "Usage: taviro3d-viewer [-d] [--sensor ADDRESS[:PORT]] [--log FILE] [--screenshot FILE "
        "[--screenshot-delay MS]]\n"
        "  -d                        use software OpenGL rendering\n"
        "  --sensor ADDRESS[:PORT]   set connection 1's address and port and connect at start\n"
        "  --log FILE                open a .vbl or .t3d log in the log player at start and play it\n"
        "  --screenshot FILE         save a picture of the window after a delay and quit\n"
        "  --screenshot-delay MS     the delay before the picture (default 5000)\n"
        "  -h, --help                show this help\n");
}

void installMessagePattern()
{
    qSetMessagePattern(QString::fromLatin1(messagePattern));
}

int runApplication(int argc, char **argv)
{
    // Declared outside the guard so they are destroyed in reverse order whatever happens.
    std::unique_ptr<QApplication> app;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<QTranslator> translator;
    std::unique_ptr<MainWindow> window;
    auto tearDown = [&] {
        window.reset();
        translator.reset();
        settings.reset();
        app.reset();
    };
    try {
        setApplicationIdentity();
        if (wantsSoftwareOpenGL(argc, argv))
            QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);
        // Before the application object, so --help works without a display.
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        const StartupOptions options = parseArguments(arguments);
        if (options.help || !options.error.isEmpty()) {
            if (!options.error.isEmpty())
                std::fprintf(stderr, "taviro3d-viewer: %s\n", qPrintable(options.error));
            std::fputs(qPrintable(usageText()), options.help ? stdout : stderr);
            return options.help ? 0 : 2;
        }
        if (!options.logPath.isEmpty()) {
            const QString why = logOpenError(options.logPath);
            if (!why.isEmpty()) {
                std::fprintf(stderr, "taviro3d-viewer: cannot play the log: %s\n", qPrintable(why));
                return 2;
            }
        }
        app = std::make_unique<QApplication>(argc, argv);
        installMessagePattern();
        initResources();
        settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                               QCoreApplication::organizationName(),
                                               QCoreApplication::applicationName());
        const QString language = settings->value(QStringLiteral("CurrentLanguage"), QString()).toString();
        translator = std::make_unique<QTranslator>();
        if (!language.isEmpty() &&
            translator->load(QStringLiteral("taviro3d_%1.qm").arg(language),
                             QCoreApplication::applicationDirPath(), QString(), QString()))
            QCoreApplication::installTranslator(translator.get());
        window = std::make_unique<MainWindow>();
        window->show();
        if (!options.sensorAddress.isEmpty())
            window->connectToSensor(options.sensorAddress, options.sensorPort);
        if (!options.logPath.isEmpty())
            window->playLog(options.logPath);
        if (!options.screenshotPath.isEmpty()) {
            QTimer::singleShot(
                options.screenshotDelayMs, window.get(), [&window, path = options.screenshotPath] {
                    const bool saved = window->screenshot().save(path);
                    if (!saved)
                        std::fprintf(stderr, "taviro3d-viewer: cannot save the screenshot to %s\n",
                                     qPrintable(path));
                    QCoreApplication::exit(saved ? 0 : 1);
                });
        }
        const int result = QApplication::exec();
        tearDown();
        return result;
    } catch (const char *message) {
        writeCrashReport(message);
        tearDown();
        return 0;
    } catch (...) {
        tearDown();
        return -1;
    }
}
} // namespace Taviro
