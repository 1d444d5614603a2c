#include "Startup.h"

#include "CrashReport.h"
#include "MainWindow.h"
#include "TaviroResources.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSettings>
#include <QTranslator>

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
