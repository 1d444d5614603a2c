// Every key and default value the properties dock holds at start (the connections and the composer), as
// the dock saves them, against the golden file default_properties.inf beside this test. After a
// deliberate change of a key or a default, regenerate the file and review its diff:
//     TAVIRO_UPDATE_GOLDEN=1 build/tests/tst_defaultproperties
#include "MainWindow.h"
#include "PropertiesDockWidget.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class tst_DefaultProperties : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keyAndDefault_data();
    void keyAndDefault();
    void noKeyBeyondTheGoldenFile();

private:
    QTemporaryDir m_dir;
    QString m_saved;
};

void tst_DefaultProperties::initTestCase()
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

void tst_DefaultProperties::keyAndDefault_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");
    QSettings golden(QStringLiteral(GOLDEN_FILE), QSettings::IniFormat);
    QVERIFY(golden.allKeys().size() > 0);
    for (const QString &key : golden.allKeys())
        QTest::newRow(qPrintable(key)) << key << golden.value(key);
}

void tst_DefaultProperties::keyAndDefault()
{
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    QSettings saved(m_saved, QSettings::IniFormat);
    QVERIFY2(saved.contains(key), "the key is gone");
    QCOMPARE(saved.value(key), expected);
}

void tst_DefaultProperties::noKeyBeyondTheGoldenFile()
{
    QSettings golden(QStringLiteral(GOLDEN_FILE), QSettings::IniFormat);
    QSettings saved(m_saved, QSettings::IniFormat);
    QStringList extra;
    for (const QString &key : saved.allKeys())
        if (!golden.contains(key))
            extra << key;
    QVERIFY2(extra.isEmpty(), qPrintable(QStringLiteral("keys missing from the golden file: ") + extra.join(", ")));
}

QTEST_MAIN(tst_DefaultProperties)
#include "tst_defaultproperties.moc"
