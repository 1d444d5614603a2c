// The main window: full screen and back, search, language switching with its settings keys,
// the first connection's toolbar rules and the status-bar messages.
#include "ConnectionManager.h"
#include "DataRecorder.h"
#include "MainWindow.h"
#include "PropertiesDockWidget.h"
#include "PropertyItem.h"
#include "RecorderManager.h"
#include "ScanManager.h"
#include "SearchFieldWidget.h"
#include "SensorSimulator.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

namespace {
QSettings appSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Taviro"),
                     QStringLiteral("Taviro3D Viewer"));
}
} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        TestSupport::isolateSettings();
        Taviro::setApplicationIdentity();
    }
    void init() { appSettings().clear(); }

    void fullScreenEscapeSearch()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_F7);
        QTRY_VERIFY(window.isFullScreen());
        QVERIFY(!window.menuBar()->isVisible());
        QVERIFY(!window.statusBar()->isVisible());
        QTest::keyClick(&window, Qt::Key_Escape);
        QTRY_VERIFY(!window.isFullScreen());
        QVERIFY(window.menuBar()->isVisible());
        QVERIFY(window.statusBar()->isVisible());
        QVERIFY(window.connectionToolbar()->isVisible());
        QVERIFY(!window.propertiesDock()->isVisible());
        window.propertiesDock()->searchField()->setText(QStringLiteral("rang"));
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(window.propertiesDock()->isVisible());
        QVERIFY(window.propertiesDock()->searchField()->text().isEmpty());
    }

    void japaneseIsRememberedTwice()
    {
        {
            MainWindow window;
            auto *japanese = window.findChild<QAction *>(QStringLiteral("actionJapanese"));
            japanese->trigger();
            QCOMPARE(appSettings().value(QStringLiteral("currentLanguage")).toString(),
                     QStringLiteral("ja_JP"));
            // The whole window speaks Japanese at once (the language change is posted).
            QTRY_COMPARE(window.findChild<QAction *>(QStringLiteral("action_Quit"))->text(),
                         QStringLiteral("終了(&Q)"));
            QCOMPARE(window.windowTitle(), QStringLiteral("Taviro3D Viewer 2.1.0"));
            window.close();
        }
        QCOMPARE(appSettings().value(QStringLiteral("CurrentLanguage")).toString(), QStringLiteral("ja"));
        {
            MainWindow window; // the next start comes up in Japanese, then back to English
            QVERIFY(window.findChild<QAction *>(QStringLiteral("actionJapanese"))->isChecked());
            QTRY_COMPARE(window.findChild<QAction *>(QStringLiteral("action_Quit"))->text(),
                         QStringLiteral("終了(&Q)"));
            window.findChild<QAction *>(QStringLiteral("actionEnglish"))->trigger();
            QTRY_COMPARE(window.findChild<QAction *>(QStringLiteral("action_Quit"))->text(),
                         QStringLiteral("&Quit"));
        }
        QCOMPARE(appSettings().value(QStringLiteral("CurrentLanguage")).toString(), QStringLiteral("en"));
    }

    void firstConnectionLocksItsFieldWhileConnected()
    {
        Vexa3dSim::SensorSimulator sim;
        QVERIFY(sim.start(0));
        MainWindow window;
        ScanManager *first = window.connectionManager()->scanManager(0);
        QVERIFY(first);
        window.connectToSensor(QStringLiteral("127.0.0.1"), sim.port());
        QTRY_VERIFY_WITH_TIMEOUT(first->isConnected(), 10000);
        QCOMPARE(window.connectionNameEdit()->text(), QStringLiteral("127.0.0.1"));
        QTRY_VERIFY(window.connectionNameEdit()->isReadOnly());
        QVERIFY(!window.propertiesDock()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(
            window.statusBar()->currentMessage().startsWith(QStringLiteral("Information: Connection 1: ")),
            10000);
        first->disconnectRequested();
        QTRY_VERIFY_WITH_TIMEOUT(!first->isConnected(), 10000);
        QTRY_VERIFY(!window.connectionNameEdit()->isReadOnly());
        QVERIFY(window.propertiesDock()->isEnabled());
        QTRY_COMPARE(window.statusBar()->currentMessage(),
                     QStringLiteral("Information: Connection 1: Diconnected from 127.0.0.1"));
    }

    void statusBarMessages_data()
    {
        QTest::addColumn<bool>("recorders");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("information") << false << 0 << "Information: hello";
        QTest::newRow("warning") << false << 1 << "Warning: hello";
        QTest::newRow("error") << false << 2 << "Error: hello";
        QTest::newRow("recorder information") << true << 0 << "Information: hello";
        QTest::newRow("recorder warning") << true << 1 << "Warning: hello";
        QTest::newRow("recorder error") << true << 2 << "Error: hello";
    }
    void statusBarMessages()
    {
        QFETCH(bool, recorders);
        QFETCH(int, kind);
        QFETCH(QString, expected);
        MainWindow window;
        ConnectionManager *manager = window.connectionManager();
        RecorderManager *recorderManager = window.recorderManager();
        const QString message = QStringLiteral("hello");
        if (recorders && kind == 0)
            emit recorderManager->informationBroadCast(message);
        else if (recorders && kind == 1)
            emit recorderManager->warningBroadCast(message);
        else if (recorders)
            emit recorderManager->errorBroadCast(message);
        else if (kind == 0)
            emit manager->informationBroadCast(message);
        else if (kind == 1)
            emit manager->warningBroadCast(message);
        else
            emit manager->errorBroadCast(message);
        QCOMPARE(window.statusBar()->currentMessage(), expected);
    }

    // The recorders sit between the connections and the view in the dock, and a recording started from
    // its node with a wrong file name tells the user so in the status bar.
    void recordersInTheDock()
    {
        MainWindow window;
        QStringList keys;
        for (const PropertyItem *root : window.propertiesDock()->root()->children())
            keys << root->key();
        QCOMPARE(keys.indexOf("recorders"), keys.indexOf("connections") + 1);
        const QList<DataRecorder *> recorders = window.recorderManager()->recorders();
        QCOMPARE(recorders.size(), 2);
        recorders[0]->startRecording();
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Error: File is incorrect"));
    }

    void converterFromTheToolsMenu()
    {
        MainWindow window;
        auto *dialog = window.findChild<QDialog *>(QStringLiteral("Taviro3DFile To CSV Converter"));
        QVERIFY(dialog);
        QVERIFY(!dialog->isVisible());
        QVERIFY(window.converterAction()->isEnabled());
        window.converterAction()->trigger();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Taviro3DFile To CSV Converter"));
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
