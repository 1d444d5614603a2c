#include "TestSupport.h"

#include <QtGui>
#include <QtTest>

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void iconRenders_data();
    void iconRenders();
    void translationExists_data();
    void translationExists();
};

void TestResources::initTestCase()
{
    TestSupport::isolateSettings();
}

void TestResources::iconRenders_data()
{
    QTest::addColumn<QString>("path");
    // Every icon path the application asks for.
    const char *const paths[] = {
        ":/application/logo",
        ":/icons/appIcon",
        ":/icons/add-connection",
        ":/icons/background",
        ":/icons/britain",
        ":/icons/camera",
        ":/icons/canvas",
        ":/icons/color",
        ":/icons/connect",
        ":/icons/connection",
        ":/icons/connections",
        ":/icons/disconnect",
        ":/icons/filter",
        ":/icons/japan",
        ":/icons/layout",
        ":/icons/legend",
        ":/icons/recorder",
        ":/icons/remove-connection",
        ":/icons/ruler",
        ":/icons/start",
        ":/icons/stop",
        ":/icons/zoom-in",
        ":/icons/zoom-out",
        ":/DRALCommunication/3d",
        ":/DRALCommunication/connect",
        ":/DRALCommunication/disconnect",
        ":/DRALCommunication/info",
        ":/DRALCommunication/reboot",
        ":/DataRecorder/pause",
        ":/DataRecorder/recorder",
        ":/DataRecorder/start",
        ":/DataRecorder/stop",
        ":/DataSelector/x",
        ":/DataSelector/y",
        ":/DataSelector/z",
        ":/FileCommunication/detail",
        ":/FileCommunication/icon",
        ":/PropertyLibrary/expand",
        ":/PropertyLibrary/open",
        ":/PropertyLibrary/reset",
        ":/PropertyLibrary/save",
        ":/PropertyLibrary/search",
        ":/PropertyLibrary/settings",
        ":/T3dToCsvConverter/csv",
        ":/T3dToCsvConverter/open",
        ":/datatable/clear",
        ":/datatable/copy",
    };
    for (const char *path : paths)
        QTest::newRow(path) << QString::fromLatin1(path);
}

void TestResources::iconRenders()
{
    // Each icon path is in the resources and draws a visible 32x32 image through the SVG plugin.
    QFETCH(QString, path);
    QVERIFY2(QFile::exists(path), qPrintable(path));

    const QIcon icon(path);
    QVERIFY(!icon.isNull());
    const QPixmap pixmap = icon.pixmap(32, 32);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), QSize(32, 32));

    // An SVG the renderer could not parse gives a fully transparent image.
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    QVERIFY2(opaque > 32, qPrintable(QStringLiteral("%1 has only %2 drawn pixels").arg(path).arg(opaque)));
}

void TestResources::translationExists_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("english") << QStringLiteral(":/translations/en");
    QTest::newRow("japanese") << QStringLiteral(":/translations/ja");
}

void TestResources::translationExists()
{
    // The compiled catalogues of both interface languages are in the resources.
    QFETCH(QString, path);
    QVERIFY2(QFile::exists(path), qPrintable(path));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
