// The main window: full screen and back, search, language switching with its settings keys,
// the first connection's toolbar rules and the status-bar messages.
#include "../FileCommunication/LogTestSupport.h"
#include "ColorProperty.h"
#include "ConnectionManager.h"
#include "DataRecorder.h"
#include "DataTableDockWidget.h"
#include "FilePlayDockWidget.h"
#include "FileScanManager.h"
#include "MainWindow.h"
#include "PropertiesDockWidget.h"
#include "PropertyItem.h"
#include "PropertyItemFilterModel.h"
#include "PropertyItemTree.h"
#include "RecorderManager.h"
#include "ScanManager.h"
#include "SceneComposer.h"
#include "SearchFieldWidget.h"
#include "SensorSimulator.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QAction>
#include <QDialog>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
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

    void escape_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("full screen from a normal window") << "normal";
        QTest::newRow("full screen from a maximised window") << "maximised";
        QTest::newRow("search field") << "search";
        QTest::newRow("property editor") << "editor";
    }
    void escape()
    {
        // Escape leaves full screen for the state before F7, clears a search, cancels an edit; only the
        // first hides the docks.
        QFETCH(QString, where);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (where == "normal" || where == "maximised") {
            if (where == "maximised")
                window.showMaximized();
            QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
            QTRY_VERIFY(window.dataTableDock()->isVisible());
            QVERIFY(window.dataTableAction()->isChecked());
            QTest::keyClick(&window, Qt::Key_F7);
            QTRY_VERIFY(window.isFullScreen());
            QVERIFY(!window.menuBar()->isVisible());
            QTest::keyClick(&window, Qt::Key_Escape);
            QTRY_VERIFY(!window.isFullScreen());
            QCOMPARE(window.isMaximized(), where == "maximised");
            QVERIFY(window.menuBar()->isVisible());
            QVERIFY(window.connectionToolbar()->isVisible());
            for (QDockWidget *dock : window.findChildren<QDockWidget *>())
                QVERIFY(!dock->isVisible());
            QVERIFY(!window.dataTableAction()->isChecked());
            return;
        }
        PropertiesDockWidget *dock = window.propertiesDock();
        dock->searchField()->setText(QStringLiteral("rang"));
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(dock->isVisible());
        QVERIFY(dock->searchField()->text().isEmpty());
        QTest::keyClicks(dock->searchField(), QStringLiteral("backg"));
        ColorProperty *colour = window.sceneComposer()->backgroundColorProperty();
        const QColor before = colour->colorValue();
        if (where == "search") {
            QTest::keyClick(dock->searchField(), Qt::Key_Escape);
            QVERIFY(dock->searchField()->text().isEmpty());
        } else {
            const QModelIndex value = dock->filterModel()->indexFromItem(colour).siblingAtColumn(1);
            dock->tree()->edit(value);
            auto *editor = qobject_cast<QLineEdit *>(dock->tree()->indexWidget(value));
            QVERIFY(editor);
            editor->setText(QStringLiteral("1; 2; 3"));
            QCOMPARE(colour->colorValue(), QColor(1, 2, 3));
            QTest::keyClick(editor, Qt::Key_Escape);
            QTRY_VERIFY(!dock->tree()->indexWidget(value));
        }
        QCOMPARE(colour->colorValue(), before);
        QVERIFY(dock->isVisible());
    }

    // The window starts in the stored language, and its menu marks it: something is drawn left of its
    // text, nothing left of the other. Switching to the other is stored at once and again on closing.
    void languages_data()
    {
        QTest::addColumn<QStringList>("stored");  // at start, after the switch, on closing
        QTest::addColumn<QStringList>("actions"); // checked, the other
        QTest::addColumn<QStringList>("quit");    // at start, after the switch
        QTest::newRow("English") << QStringList{"en_US", "ja_JP", "ja"}
                                 << QStringList{"actionEnglish", "actionJapanese"}
                                 << QStringList{"&Quit", "終了(&Q)"};
        QTest::newRow("Japanese") << QStringList{"ja_JP", "en_US", "en"}
                                  << QStringList{"actionJapanese", "actionEnglish"}
                                  << QStringList{"終了(&Q)", "&Quit"};
    }
    void languages()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, quit);
        appSettings().setValue(QStringLiteral("currentLanguage"), stored[0]);
        {
            MainWindow window;
            auto *quitAction = window.findChild<QAction *>(QStringLiteral("action_Quit"));
            QTRY_COMPARE(quitAction->text(), quit[0]);
            auto *menu = window.findChild<QMenu *>(QStringLiteral("menuLanguages"));
            menu->popup(QPoint(0, 0));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            const QImage shot = menu->grab().toImage();
            for (QAction *action : menu->actions()) {
                const QRect item = menu->actionGeometry(action);
                const QRect mark(item.left() + 2, item.top() + 2, item.height() - 4, item.height() - 4);
                int drawn = 0;
                for (int y = mark.top(); y <= mark.bottom(); ++y)
                    for (int x = mark.left(); x <= mark.right(); ++x)
                        drawn += shot.pixel(x, y) != shot.pixel(mark.topLeft());
                QCOMPARE(action->isChecked(), action->objectName() == actions[0]);
                QVERIFY2((drawn > 0) == action->isChecked(), qPrintable(action->objectName()));
            }
            menu->hide();
            window.findChild<QAction *>(actions[1])->trigger();
            QCOMPARE(appSettings().value(QStringLiteral("currentLanguage")).toString(), stored[1]);
            // The whole window changes at once (the language change is posted).
            QTRY_COMPARE(quitAction->text(), quit[1]);
            QCOMPARE(window.windowTitle(), QStringLiteral("Taviro3D Viewer 2.1.0"));
            window.close();
        }
        QCOMPARE(appSettings().value(QStringLiteral("CurrentLanguage")).toString(), stored[2]);
    }

    void settingsAreWrittenWithoutClosing()
    {
        // A crash loses nothing: the file history and the layout reach the settings soon after they change.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("used.inf"));
        QFile(file).open(QIODevice::WriteOnly);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.propertiesDock()->loadChosenFile(file);
        window.addDockWidget(Qt::RightDockWidgetArea, window.propertiesDock());
        QTRY_COMPARE(appSettings().value(QStringLiteral("properties/openHistory/1/path")).toString(), file);
        QTRY_COMPARE(appSettings().value(QStringLiteral("windowState")).toByteArray(), window.saveState(0));
    }

    void firstConnectionLocksItsFieldWhileConnected_data()
    {
        QTest::addColumn<bool>("playerRemoved");
        QTest::newRow("with the log player") << false;
        QTest::newRow("log player removed first") << true;
    }
    void firstConnectionLocksItsFieldWhileConnected()
    {
        QFETCH(bool, playerRemoved);
        Vexa3dSim::SensorSimulator sim;
        QVERIFY(sim.start(0));
        MainWindow window;
        if (playerRemoved) {
            window.connectionManager()->removeAction()->trigger();
            QCOMPARE(window.connectionManager()->connectionCount(), 1);
            QVERIFY(!window.logPlayer());
        }
        ScanManager *first = window.connectionManager()->scanManager(0);
        QVERIFY(first);
        window.connectToSensor(QStringLiteral("127.0.0.1"), sim.port());
        QTRY_VERIFY_WITH_TIMEOUT(first->isConnected(), 10000);
        QCOMPARE(window.connectionNameEdit()->text(), QStringLiteral("127.0.0.1"));
        QTRY_VERIFY(window.connectionNameEdit()->isReadOnly());
        QTRY_VERIFY(window.propertiesDock()->isLocked());
        QCOMPARE(window.propertiesDock()->lockNotice()->text(),
                 QStringLiteral("Settings are locked while Connection 1 is connected"));
        QTRY_VERIFY_WITH_TIMEOUT(
            window.statusBar()->currentMessage().startsWith(QStringLiteral("Information: Connection 1: ")),
            10000);
        first->disconnectRequested();
        QTRY_VERIFY_WITH_TIMEOUT(!first->isConnected(), 10000);
        QTRY_VERIFY(!window.connectionNameEdit()->isReadOnly());
        QTRY_VERIFY(!window.propertiesDock()->isLocked());
        QVERIFY(window.propertiesDock()->lockNotice()->isHidden());
        QTRY_COMPARE(window.statusBar()->currentMessage(),
                     QStringLiteral("Information: Connection 1: Diconnected from 127.0.0.1"));
    }

    void aPlayingLogLocksTheSensorConnection()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("locked.vbl"));
        QVector<int> times;
        for (int i = 0; i < 20; ++i)
            times << 50 * i;
        QVERIFY(LogTest::writeVbl(fileName, false, times));
        MainWindow window;
        ScanManager *first = window.connectionManager()->scanManager(0);
        FileScanManager *player = window.logPlayer();
        QVERIFY(player);
        QSignalSpy started(player, &ScanManager::fileStarted);
        window.playLog(fileName);
        QTRY_VERIFY(!first->connectAction()->isEnabled());
        QTRY_COMPARE(started.count(), 1);
        QTRY_VERIFY(window.filePlayDock()->pauseButton()->isEnabled());
        QCOMPARE(window.filePlayDock()->totalMilliseconds(), 950);
        player->disconnectRequested();
        QTRY_VERIFY(first->connectAction()->isEnabled());
        QTRY_VERIFY(!window.filePlayDock()->pauseButton()->isEnabled());
    }

    // With the log standing still, a click picks among the shown frame's lines at once.
    void aPickInAStillLogMovesTheTable()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("picked.vbl"));
        QVERIFY(LogTest::writeVbl(fileName, false, {0, 10, 20}));
        MainWindow window;
        FileScanManager *player = window.logPlayer();
        QSignalSpy stopped(player, &ScanManager::fileStopped);
        window.playLog(fileName);
        QTRY_COMPARE(stopped.count(), 1);
        QTRY_VERIFY(player->startAction()->isEnabled());
        // The last line (line 2 of motor field 3) has reached the table.
        QTRY_COMPARE(window.dataTableDock()->findChild<QLabel *>(QStringLiteral("lineValue"))->text(),
                     QStringLiteral("2"));
        QSignalSpy spots(window.connectionManager(), &ConnectionManager::setRaySpot);
        // Straight through the first echo of spot 7, which lies at (7, 0, 2).
        emit window.connectionManager()->setMouseRay(Ray{QVector3D(7, -10, 2), QVector3D(0, 1, 0)});
        QCOMPARE(spots.count(), 1);
        QCOMPARE(spots.first(), (QList<QVariant>{3, 0, 2, 7}));
        QCOMPARE(window.dataTableDock()->motorField(), 3);
        QCOMPARE(window.dataTableDock()->line(), 2);
        QCOMPARE(window.dataTableDock()->spot(), 7);
    }

    void statusBarMessages_data()
    {
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<QString>("expected");
        QTest::newRow("information") << QByteArray("informationBroadCast") << "Information: hello";
        QTest::newRow("warning") << QByteArray("warningBroadCast") << "Warning: hello";
        QTest::newRow("error") << QByteArray("errorBroadCast") << "Error: hello";
    }
    void statusBarMessages()
    {
        // The connections' and the recorders' messages reach the status bar alike.
        QFETCH(QByteArray, signal);
        QFETCH(QString, expected);
        MainWindow window;
        for (QObject *sender : {static_cast<QObject *>(window.connectionManager()),
                                static_cast<QObject *>(window.recorderManager())}) {
            window.statusBar()->clearMessage();
            QVERIFY(QMetaObject::invokeMethod(sender, signal.constData(),
                                              Q_ARG(QString, QStringLiteral("hello"))));
            QCOMPARE(window.statusBar()->currentMessage(), expected);
        }
    }

    // The recorders sit between the connections and the view in the dock (their refusals reach the status
    // bar as every recorder message does, above).
    void recordersInTheDock()
    {
        MainWindow window;
        QStringList keys;
        for (const PropertyItem *root : window.propertiesDock()->root()->children())
            keys << root->key();
        QCOMPARE(keys.indexOf("recorders"), keys.indexOf("connections") + 1);
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
