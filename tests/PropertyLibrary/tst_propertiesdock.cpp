#include "BoolProperty.h"
#include "ColorProperty.h"
#include "IntegerProperty.h"
#include "PropertiesDockWidget.h"
#include "PropertyItemFilterModel.h"
#include "PropertyItemTree.h"
#include "SearchFieldCompleter.h"
#include "SearchFieldWidget.h"
#include "StringProperty.h"
#include "TestSupport.h"
#include "Vector3DProperty.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtMath>
#include <QtTest>

namespace {
// A node of the dock named and keyed `name`, under `parent` or else at the top.
template <typename Node = PropertyItem>
Node *node(PropertiesDockWidget &dock, const QString &name, PropertyItem *parent = nullptr)
{
    auto *n = new Node(&dock);
    n->setName(name);
    n->setKey(name);
    parent ? parent->addChild(n) : dock.addProperty(n);
    return n;
}
} // namespace

class tst_PropertiesDock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::isolateSettings();
        QVERIFY(m_dir.isValid());
    }

    void saveChosenFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("with the suffix") << "replace.inf" << QString("replace.inf");
        QTest::newRow("without a suffix") << "replace" << QString("replace.inf");
        QTest::newRow("another suffix") << "replace.ini" << QString("replace.ini");
    }
    void saveChosenFile()
    {
        // A name without a suffix gets ".inf"; saving over a file leaves no entry of nodes that are gone; the
        // next dialog starts in the folder used (the home folder before any).
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        const QString file = path(saved);
        {
            QSettings old(file, QSettings::IniFormat);
            old.setValue("properties/stale/entry", 1);
        }
        PropertiesDockWidget dock;
        QCOMPARE(dock.dialogFolder(), QDir::homePath());
        node<IntegerProperty>(dock, "count")->setIntValue(4);
        dock.saveChosenFile(path(chosen));
        QSettings written(file, QSettings::IniFormat);
        QCOMPARE(written.allKeys(), (QStringList{"properties", "properties/count"}));
        QCOMPARE(written.value("properties/count").toInt(), 4);
        QCOMPARE(dock.dialogFolder(), m_dir.path());
        // A file used twice appears once; the menu lists the files, a separator and "Clear".
        dock.loadChosenFile(file);
        QCOMPARE(dock.openHistory(), QStringList{file});
        QStringList texts;
        for (QAction *a : dock.loadMenu()->actions())
            texts << (a->isSeparator() ? QStringLiteral("|") : a->text());
        QCOMPARE(texts, (QStringList{file, "|", "Clear"}));
        dock.loadMenu()->actions().last()->trigger();
        QCOMPARE(dock.openHistory(), QStringList());
        QTRY_COMPARE(dock.loadMenu()->actions().size(), 2);
        QFile::remove(file);
    }
    void loadRoundTrip()
    {
        // Loading gives every node its saved value; nodes without an entry or not settable stay as they are.
        PropertiesDockWidget dock;
        auto *flag = node<BoolProperty>(dock, "flag");
        auto *colour = node<ColorProperty>(dock, "colour");
        auto *position = node<Vector3DProperty>(dock, "position");
        auto *fixed = node<StringProperty>(dock, "fixed");
        fixed->setSettable(false);
        flag->setBoolValue(true);
        colour->setColorValue(QColor(1, 2, 3));
        position->setVector3DValue(QVector3D(1, 2, 3));
        fixed->setString("saved");
        const QString file = path("roundtrip.inf");
        dock.saveToFile(file);
        // A node that must not be restored saves an empty text.
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("properties/fixed"), QVariant(QString()));

        flag->setBoolValue(false);
        colour->setColorValue(Qt::white);
        position->setVector3DValue(QVector3D());
        fixed->setString("kept");
        auto *missing = node<IntegerProperty>(dock, "missing");
        missing->setIntValue(9);
        dock.loadFromFile(file);
        QCOMPARE(flag->boolValue(), true);
        QCOMPARE(colour->colorValue(), QColor(1, 2, 3));
        QCOMPARE(position->vector3DValue(), QVector3D(1, 2, 3));
        QCOMPARE(fixed->value().toString(), QStringLiteral("kept"));
        QCOMPARE(missing->intValue(), 9);

        dock.loadFromFile(path("does-not-exist.inf"));
        QCOMPARE(missing->intValue(), 9);
    }
    void storedHistory_data()
    {
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QString>("olderForm");
        QTest::addColumn<QStringList>("expected");
        const QString a = path("a.inf");
        const QString b = path("b.inf");
        const QString comma = path("left,right.inf");
        const QString gone = path("gone.inf");
        QTest::newRow("paths with a comma") << QStringList{a, comma} << QString() << QStringList{a, comma};
        QTest::newRow("nothing used") << QStringList() << QString() << QStringList();
        QTest::newRow("older form with an empty part") << QStringList() << a + ",," + b << QStringList{a, b};
        QTest::newRow("older form, missing file dropped")
            << QStringList() << a + "," + gone << QStringList{a};
    }
    void storedHistory()
    {
        // The history, folder and column ratio survive a write and a read; the older comma-joined history is
        // still read, and files that are gone drop out.
        QFETCH(QStringList, written);
        QFETCH(QString, olderForm);
        QFETCH(QStringList, expected);
        for (const char *name : {"a.inf", "b.inf", "left,right.inf"})
            QVERIFY(QFile(path(QString::fromLatin1(name))).open(QIODevice::WriteOnly));
        QFile::remove(path("state.ini"));
        QSettings settings(path("state.ini"), QSettings::IniFormat);
        if (olderForm.isNull()) {
            PropertiesDockWidget dock;
            for (const QString &file : written)
                dock.loadChosenFile(file);
            dock.tree()->setColumnRatio(0.3f);
            dock.writeSettings(settings);
        } else {
            settings.setValue("openHistory", olderForm);
        }
        settings.sync();
        QSettings reread(path("state.ini"), QSettings::IniFormat);
        PropertiesDockWidget dock;
        dock.readSettings(reread);
        QCOMPARE(dock.openHistory(), expected);
        QCOMPARE(dock.loadMenu()->actions().size(), expected.size() + 2);
        if (olderForm.isNull()) {
            QCOMPARE(dock.tree()->columnRatio(), 0.3f);
            QCOMPARE(dock.lastOpenDir(), written.isEmpty() ? QDir::homePath() : m_dir.path());
        }
    }
    void actionsToolBar_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("read-only node without actions") << 0 << QStringList();
        QTest::newRow("recorder with Start and Stop") << 1 << QStringList{"Recorder:", "Start", "Stop"};
        QTest::newRow("editable node") << 2 << QStringList{"Count:", "Reset"};
    }
    void actionsToolBar()
    {
        // The bottom toolbar shows the current node's name and actions, and hides when it has none.
        QFETCH(int, row);
        QFETCH(QStringList, shown);
        PropertiesDockWidget dock;
        PropertyItem *info = node(dock, "Info");
        PropertyItem *recorder = node(dock, "Recorder");
        QAction start("Start");
        QAction stop("Stop");
        recorder->addAction(&start);
        recorder->addAction(&stop);
        PropertyItem *count = node<IntegerProperty>(dock, "Count");
        dock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dock));

        PropertyItemTree *tree = dock.tree();
        // Start from another node with actions, so that a switch must replace what is shown.
        tree->setCurrentIndex(tree->model()->index(row == 1 ? 2 : 1, 0));
        tree->setCurrentIndex(tree->model()->index(row, 0));
        QToolBar *bar = dock.actionsToolBar();
        QCOMPARE(bar->isVisible(), !shown.isEmpty());
        if (shown.isEmpty())
            return;
        QStringList texts;
        for (QAction *a : bar->actions()) {
            if (auto *label = qobject_cast<QLabel *>(bar->widgetForAction(a)))
                texts << label->text();
            else
                texts << a->text();
        }
        QCOMPARE(texts, shown);
        // A language switch renames the node after the dock retranslated: the label follows the shown node
        // only.
        PropertyItem *nodes[] = {info, recorder, count};
        nodes[row]->setName("Renamed");
        nodes[row == 1 ? 2 : 1]->setName("Before");
        QCOMPARE(qobject_cast<QLabel *>(bar->widgetForAction(bar->actions().first()))->text(),
                 QString("Renamed:"));
        // A click into empty space leaves no current node.
        dock.resize(dock.width(), 400);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(20, tree->viewport()->height() - 5));
        QVERIFY(!tree->currentIndex().isValid());
        QVERIFY(!bar->isVisible());
    }
    void searchFiltersAndExpands()
    {
        // Typing filters the tree and expands what is shown, also when the completion adds brackets to the
        // text; activateSearch empties the field again.
        PropertiesDockWidget dock;
        PropertyItem *view = node(dock, "View");
        PropertyItem *yaw = node(dock, "yaw [deg]", view);
        node(dock, "Other");
        dock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dock));
        PropertyItemFilterModel *filter = dock.filterModel();
        QCOMPARE(dock.searchField()->searchCompleter()->flatModel()->rowCount(), 3);

        // A node's collapse and expand requests reach the dock's filtered tree.
        QVERIFY(dock.tree()->isExpanded(filter->indexFromItem(view)));
        view->collapse();
        QVERIFY(!dock.tree()->isExpanded(filter->indexFromItem(view)));
        view->expend();
        QVERIFY(dock.tree()->isExpanded(filter->indexFromItem(view)));

        dock.tree()->collapseAll();
        dock.activateWindow();
        dock.activateSearch();
        QTRY_VERIFY(dock.searchField()->hasFocus());
        QTest::keyClicks(dock.searchField(), "yaw");
        QCOMPARE(dock.searchField()->text(), QStringLiteral("yaw [deg]"));
        QCOMPARE(filter->rowCount(), 1);
        QVERIFY(dock.tree()->isExpanded(filter->index(0, 0)));
        QVERIFY(yaw->highlighted());

        dock.activateSearch();
        QCOMPARE(dock.searchField()->text(), QString());
        QCOMPARE(filter->rowCount(), 2);
        QVERIFY(!yaw->highlighted());
        // Let the field's clear button finish fading: an animation still running when the dock goes is
        // leaked.
        QTest::qWait(300);
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_PropertiesDock)
#include "tst_propertiesdock.moc"
