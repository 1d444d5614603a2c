#include "TestSupport.h"

#include <QtGui>
#include <QtTest>

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void iconRenders_data()
    {
        QTest::addColumn<QString>("path");
        // Every icon path the application asks for, by folder.
        const QList<QPair<QString, QString>> folders{
            {":/application/", "logo"},
            {":/icons/", "appIcon add-connection background britain camera canvas color connect connection "
                         "connections disconnect filter japan layout legend recorder remove-connection ruler "
                         "start stop zoom-in zoom-out"},
            {":/DRALCommunication/", "3d connect disconnect info reboot"},
            {":/DataRecorder/", "pause recorder start stop"},
            {":/DataSelector/", "x y z"},
            {":/FileCommunication/", "detail icon"},
            {":/PropertyLibrary/", "expand open reset save search settings"},
            {":/T3dToCsvConverter/", "csv open"},
            {":/datatable/", "clear copy"},
        };
        for (const auto &folder : folders)
            for (const QString &name : folder.second.split(' '))
                QTest::newRow(qPrintable(folder.first + name)) << folder.first + name;
    }
    void iconRenders()
    {
        // Each icon path is in the resources and draws a visible 32x32 image through the SVG plugin.
        QFETCH(QString, path);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const QPixmap pixmap = QIcon(path).pixmap(32, 32);
        QCOMPARE(pixmap.size(), QSize(32, 32));
        // An SVG the renderer could not parse gives a fully transparent image.
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        QVERIFY2(opaque > 32,
                 qPrintable(QStringLiteral("%1 has only %2 drawn pixels").arg(path).arg(opaque)));
    }

    // The compiled catalogues of both interface languages are in the resources.
    void translationsExist()
    {
        for (const char *path : {":/translations/en", ":/translations/ja"})
            QVERIFY2(QFile::exists(QLatin1String(path)), path);
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
