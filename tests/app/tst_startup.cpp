// Start-up: the "-d" switch, the log pattern, crash reports and a window that comes up.
#include "../FileCommunication/LogTestSupport.h"
#include "CrashReport.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        TestSupport::isolateSettings();
        Taviro::setApplicationIdentity();
    }

    void softwareOpenGLSwitch_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("expected");
        QTest::newRow("no arguments") << QStringList{} << false;
        QTest::newRow("-d") << QStringList{"-d"} << true;
        QTest::newRow("-d later, twice") << QStringList{"file.vbl", "-d", "x", "-d"} << true;
        QTest::newRow("upper case") << QStringList{"-D"} << false;
        QTest::newRow("double dash") << QStringList{"--d"} << false;
        QTest::newRow("prefix") << QStringList{"-dd"} << false;
    }
    void softwareOpenGLSwitch()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, expected);
        QList<QByteArray> storage{"-d"}; // the program name is never looked at
        for (const QString &a : args)
            storage << a.toUtf8();
        std::vector<const char *> argv;
        for (const QByteArray &a : storage)
            argv.push_back(a.constData());
        QCOMPARE(Taviro::wantsSoftwareOpenGL(int(argv.size()), argv.data()), expected);
    }

    // What is parsed, as "address:port", then " shot=PATH", " help" and " error" where they apply.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("parsed");
        QTest::newRow("nothing") << QStringList{} << ":10940";
        QTest::newRow("-d is not ours") << QStringList{"-d"} << ":10940";
        QTest::newRow("sensor with port") << QStringList{"--sensor", "127.0.0.1:20000"} << "127.0.0.1:20000";
        QTest::newRow("sensor without port")
            << QStringList{"-d", "--sensor", "localhost"} << "localhost:10940";
        QTest::newRow("bad port") << QStringList{"--sensor", "1.2.3.4:x"} << ":10940 error";
        QTest::newRow("port out of range") << QStringList{"--sensor", "1.2.3.4:70000"} << ":10940 error";
        QTest::newRow("port below the setting's range")
            << QStringList{"--sensor", "1.2.3.4:80"} << ":10940 error";
        QTest::newRow("port above the setting's range")
            << QStringList{"--sensor", "1.2.3.4:49152"} << ":10940 error";
        QTest::newRow("host name") << QStringList{"--sensor", "sensor.lan:20000"} << ":10940 error";
        QTest::newRow("short address") << QStringList{"--sensor", "10.0.1"} << ":10940 error";
        QTest::newRow("missing value") << QStringList{"--sensor"} << ":10940 error";
        QTest::newRow("screenshot") << QStringList{"--screenshot", "/tmp/a.png"} << ":10940 shot=/tmp/a.png";
        QTest::newRow("help") << QStringList{"--help"} << ":10940 help";
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, parsed);
        args.prepend(QStringLiteral("taviro3d-viewer"));
        const Taviro::StartupOptions o = Taviro::parseArguments(args);
        QString got = o.sensorAddress + ':' + QString::number(o.sensorPort);
        if (!o.screenshotPath.isEmpty())
            got += " shot=" + o.screenshotPath;
        if (o.help)
            got += " help";
        if (!o.error.isEmpty())
            got += " error";
        QCOMPARE(got, parsed);
    }

    void logPattern()
    {
        QProcess child;
        child.start(QStringLiteral(LOGCHILD), QStringList{});
        QVERIFY(child.waitForFinished(10000));
        const QString line = QString::fromUtf8(child.readAllStandardError()).trimmed();
        const QRegularExpression expected(QStringLiteral(
            "^\\[warning\\]\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]\\[[^\\]]*logchild\\.cpp:9\\]f\\(\\) t$"));
        QVERIFY2(expected.match(line).hasMatch(), qPrintable(line));
    }

    void crashReportsAppend()
    {
        const QString path = Taviro::crashReportPath();
        QVERIFY(path.endsWith(QStringLiteral("/taviro3d_crash.txt")));
        QVERIFY(path.startsWith(TestSupport::settingsFolder()));
        QDir(TestSupport::settingsFolder()).removeRecursively(); // first run: no settings folder yet
        Taviro::writeCrashReport("first failure");
        Taviro::writeCrashReport(QStringLiteral("zweiter Fehler: ü"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("first failure\nzweiter Fehler: \xc3\xbc\n"));
    }

    void logGivenOnTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message");
        // Names with a dot are files of the settings folder.
        QTest::newRow("plays while the picture is taken")
            << QStringList{"--log", "played.vbl", "--screenshot", "playing.png", "--screenshot-delay", "800"}
            << 0 << QByteArray();
        QTest::newRow("missing file")
            << QStringList{"--log", "missing.vbl"} << 2 << QByteArray("does not exist");
        QTest::newRow("not a log") << QStringList{"--log", "text.vbl"} << 2
                                   << QByteArray("cannot be opened as a log");
        QTest::newRow("other suffix")
            << QStringList{"--log", "played.csv"} << 2 << QByteArray("is not a .vbl or .t3d log");
        QTest::newRow("no file name") << QStringList{"--log"} << 2 << QByteArray("--log needs a file name");
    }
    void logGivenOnTheCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        const QString folder = TestSupport::settingsFolder();
        for (QString &argument : args)
            if (argument.contains('.'))
                argument = folder + '/' + argument;
        QVERIFY(LogTest::writeVbl(folder + QStringLiteral("/played.vbl"), false, {0, 40, -50, 80, 120}));
        QVERIFY(LogTest::writeAll(folder + QStringLiteral("/text.vbl"), "just some text, not a log"));
        QVERIFY(LogTest::writeAll(folder + QStringLiteral("/played.csv"), "a,b\n"));
        QProcess viewer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // A refused log must end the start before the application object: no platform is needed then.
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   exitCode == 0 ? QStringLiteral("offscreen") : QStringLiteral("no-such-platform"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder);
        viewer.setProcessEnvironment(env);
        viewer.start(QStringLiteral(VIEWER), args);
        QVERIFY(viewer.waitForFinished(30000));
        QCOMPARE(viewer.exitCode(), exitCode);
        QCOMPARE(viewer.readAllStandardError().contains(message), true);
        if (exitCode == 0)
            QVERIFY(!QImage(folder + QStringLiteral("/playing.png")).isNull());
    }

    void helpListsTheOptions()
    {
        QProcess viewer;
        viewer.start(QStringLiteral(VIEWER), {"--help"});
        QVERIFY(viewer.waitForFinished(10000));
        QCOMPARE(viewer.exitCode(), 0);
        const QByteArray out = viewer.readAllStandardOutput();
        QVERIFY(out.contains("--sensor ADDRESS[:PORT]"));
        QVERIFY(out.contains("-d "));
        QVERIFY(out.contains("--log FILE"));
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
