// Every key and default value the properties dock holds at start (the connections and the composer), as
// the dock saves them, against the golden file default_properties.inf beside this test. After a
// deliberate change of a key or a default, regenerate the file and review its diff:
//     TAVIRO_UPDATE_GOLDEN=1 build/tests/tst_defaultproperties
#include "MainWindow.h"
#include "PropertiesDockWidget.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

class tst_DefaultProperties : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::isolateSettings();
        Taviro::setApplicationIdentity();
        QVERIFY(m_dir.isValid());
        m_saved = m_dir.filePath(QStringLiteral("defaults.inf"));
        MainWindow window;
        window.propertiesDock()->saveToFile(m_saved);
        QVERIFY(QFile::exists(m_saved));
        if (qEnvironmentVariableIsSet("TAVIRO_UPDATE_GOLDEN")) {
            QFile::remove(QStringLiteral(GOLDEN_FILE));
            QVERIFY(QFile::copy(m_saved, QStringLiteral(GOLDEN_FILE)));
            qInfo("wrote %s", GOLDEN_FILE);
        }
    }

    void keyAndDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("expected");
        QSettings golden(QStringLiteral(GOLDEN_FILE), QSettings::IniFormat);
        QVERIFY(golden.allKeys().size() > 0);
        for (const QString &key : golden.allKeys())
            QTest::newRow(qPrintable(key)) << key << golden.value(key);
    }

    void keyAndDefault()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, expected);
        QCOMPARE(QSettings(m_saved, QSettings::IniFormat).value(key), expected);
    }

    void sameKeys()
    {
        // No key gone, none beyond the golden file.
        QCOMPARE(QSettings(m_saved, QSettings::IniFormat).allKeys(),
                 QSettings(QStringLiteral(GOLDEN_FILE), QSettings::IniFormat).allKeys());
    }

    void refusedChoice_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<QString>("message");
        const QString cloud = QStringLiteral("properties/connections/connection_1/point_cloud/color/");
        QTest::newRow("scheme 7")
            << cloud + "scheme" << 7
            << "Warning: Scheme: 7 in choice.inf is not one of the choices; Hue is kept";
        QTest::newRow("source 99")
            << cloud + "source" << 99
            << "Warning: Source: 99 in choice.inf is not one of the choices; Axis is kept";
        QTest::newRow("viewport 1000000")
            << "properties/canvas/viewport" << 1000000
            << "Warning: Viewport: 1000000 in choice.inf is not one of the choices; No Viewport is kept";
        QTest::newRow("viewport 1 is a choice") << "properties/canvas/viewport" << 1 << QString();
    }

    void refusedChoice()
    {
        // A value that is none of a choice's entries is refused with a warning; the node keeps its value.
        QFETCH(QString, key);
        QFETCH(int, loaded);
        QFETCH(QString, message);
        const QString file = m_dir.filePath(QStringLiteral("choice.inf"));
        QFile::remove(file);
        QSettings(file, QSettings::IniFormat).setValue(key, loaded);
        MainWindow window;
        if (!message.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^kept ")));
        window.propertiesDock()->loadFromFile(file);
        const QString after = m_dir.filePath(QStringLiteral("after.inf"));
        window.propertiesDock()->saveToFile(after);
        const QSettings golden(QStringLiteral(GOLDEN_FILE), QSettings::IniFormat);
        QCOMPARE(QSettings(after, QSettings::IniFormat).value(key).toInt(),
                 message.isEmpty() ? loaded : golden.value(key).toInt());
        QCOMPARE(window.statusBar()->currentMessage(), message);
    }

private:
    QTemporaryDir m_dir;
    QString m_saved;
};

QTEST_MAIN(tst_DefaultProperties)
#include "tst_defaultproperties.moc"
