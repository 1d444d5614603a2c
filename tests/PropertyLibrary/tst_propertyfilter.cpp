#include "PropertyItem.h"
#include "PropertyItemFilterModel.h"
#include "PropertyItemModel.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QtTest>

class tst_PropertyFilter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void init()
    {
        // Connections > Sensor > {Range Filter > {Minimum [m], Maximum [m]}, Address, Auxiliary [g]};
        // View > {Point Size, yaw [deg]}
        m_root = new PropertyItem;
        m_nodes.clear();
        const auto make = [this](const QString &name, PropertyItem *parent) {
            auto *n = new PropertyItem(m_root);
            n->setName(name);
            parent->addChild(n);
            m_nodes.insert(name, n);
            return n;
        };
        PropertyItem *connections = make("Connections", m_root);
        PropertyItem *sensor = make("Sensor", connections);
        PropertyItem *range = make("Range Filter", sensor);
        make("Minimum [m]", range);
        make("Maximum [m]", range);
        make("Address", sensor);
        make("Auxiliary [g]", sensor);
        PropertyItem *view = make("View", m_root);
        make("Point Size", view);
        make("yaw [deg]", view);
        m_model = new PropertyItemModel(m_root);
        m_filter = new PropertyItemFilterModel;
        m_filter->setSourceModel(m_model);
        m_filter->setFilterKeyColumn(0);
        m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
        m_tester =
            new QAbstractItemModelTester(m_filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanup()
    {
        delete m_tester;
        delete m_filter;
        delete m_model;
        delete m_root;
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");
        const QStringList all{"Connections", "Sensor",        "Range Filter", "Minimum [m]", "Maximum [m]",
                              "Address",     "Auxiliary [g]", "View",         "Point Size",  "yaw [deg]"};
        QStringList allMarked;
        for (const QString &name : all)
            allMarked << name + "*";
        const QStringList rangeFilter{"Connections", "Sensor", "Range Filter*", "Minimum [m]", "Maximum [m]"};
        QTest::newRow("rang") << "rang" << rangeFilter;
        QTest::newRow("upper case") << "RANGE" << rangeFilter;
        QTest::newRow("leaf") << "imum"
                              << QStringList{"Connections", "Sensor", "Range Filter", "Minimum [m]*",
                                             "Maximum [m]*"};
        QTest::newRow("group keeps subtree")
            << "sensor" << QStringList{"Connections", "Sensor*", "Range Filter", "Minimum [m]",
                                       "Maximum [m]", "Address", "Auxiliary [g]"};
        // Brackets match themselves, so a name the completion offers finds its node.
        QTest::newRow("yaw [deg]") << "yaw [deg]" << QStringList{"View", "yaw [deg]*"};
        QTest::newRow("ma") << "ma" << QStringList{"Connections", "Sensor", "Range Filter", "Maximum [m]*"};
        QTest::newRow("aux") << "aux" << QStringList{"Connections", "Sensor", "Auxiliary [g]*"};
        QTest::newRow("*") << "*" << allMarked;
        QTest::newRow("?") << "?" << allMarked;
        QTest::newRow("wildcard") << "p*size" << QStringList{"View", "Point Size*"};
        QTest::newRow("nothing") << "zzz" << QStringList();
        QTest::newRow("empty") << "" << all;
    }
    void search()
    {
        // A match shows its ancestors and its whole subtree; only the matches are highlighted.
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        m_filter->filterWith(text);
        QCOMPARE(m_filter->searchText(), text);
        QCOMPARE(shownTree(), shown);
    }
    void hiddenNodeIsFilteredOut()
    {
        // A hidden node's row disappears from the filtered view and comes back when shown.
        m_nodes.value("Address")->setHidden(true);
        QVERIFY(!shownTree().contains("Address"));
        m_nodes.value("Address")->setHidden(false);
        QVERIFY(shownTree().contains("Address"));
    }

private:
    // Shown names, depth first, with "*" after highlighted ones.
    QStringList shownTree(const QModelIndex &parent = QModelIndex()) const
    {
        QStringList names;
        for (int row = 0; row < m_filter->rowCount(parent); ++row) {
            const QModelIndex index = m_filter->index(row, 0, parent);
            PropertyItem *node = m_filter->itemFromIndex(index);
            names << node->name() + (node->highlighted() ? QStringLiteral("*") : QString());
            names += shownTree(index);
        }
        return names;
    }

    PropertyItem *m_root = nullptr;
    PropertyItemModel *m_model = nullptr;
    PropertyItemFilterModel *m_filter = nullptr;
    QAbstractItemModelTester *m_tester = nullptr;
    QHash<QString, PropertyItem *> m_nodes;
};

QTEST_MAIN(tst_PropertyFilter)
#include "tst_propertyfilter.moc"
