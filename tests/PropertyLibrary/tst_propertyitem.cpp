#include "PropertyItem.h"
#include "PropertyItemModel.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QColor>
#include <QMimeData>
#include <QtTest>

namespace {
QByteArray payloadOf(const QList<quintptr> &values, qint64 tag = QCoreApplication::applicationPid())
{
    QByteArray bytes(reinterpret_cast<const char *>(&tag), sizeof(tag));
    for (quintptr v : values)
        bytes.append(reinterpret_cast<const char *>(&v), sizeof(v));
    return bytes;
}

QStringList namesOf(const PropertyItem *parent)
{
    QStringList names;
    for (const PropertyItem *child : parent->children())
        names << child->name();
    return names;
}

// Root > {a, b, c, g > g1}, and "loose", a node of no tree.
struct DropTree
{
    DropTree()
    {
        for (const QString name : {"a", "b", "c", "g", "g1", "loose"}) {
            auto *n = new PropertyItem(&root);
            n->setName(name);
            nodes.insert(name, n);
        }
        for (const QString name : {"a", "b", "c", "g"})
            root.addChild(nodes.value(name));
        nodes.value("g")->addChild(nodes.value("g1"));
    }
    PropertyItem root;
    QHash<QString, PropertyItem *> nodes;
    PropertyItemModel model{&root};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
};
} // namespace

class tst_PropertyItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void childSignalsTravelToRoot()
    {
        // Structural and change signals of a grandchild reach the root with the grandchild as argument.
        PropertyItem root;
        PropertyItem child;
        PropertyItem grandChild;
        root.addChild(&child);
        child.addChild(&grandChild);
        QSignalSpy changedSpy(&root, &PropertyItem::changed);
        QSignalSpy expandSpy(&root, &PropertyItem::expendProperty);
        grandChild.setName(QStringLiteral("g"));
        grandChild.expend();
        QCOMPARE(changedSpy.count(), 1);
        QCOMPARE(changedSpy.at(0).at(0).value<PropertyItem *>(), &grandChild);
        QCOMPARE(expandSpy.at(0).at(0).value<PropertyItem *>(), &grandChild);

        child.removeChild(&grandChild);
        grandChild.setName(QStringLiteral("h"));
        QCOMPARE(changedSpy.count(), 1);
        QCOMPARE(child.indexOf(&grandChild), -1);
    }
    void backgroundColour_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("withChild");
        QTest::addColumn<bool>("highlighted");
        QTest::addColumn<QVariant>("expected");
        const QVariant grey = QColor(Qt::gray).lighter(150);
        const QVariant blue = QColor(Qt::blue).lighter(190);
        QTest::newRow("read-only leaf") << true << false << false << grey;
        QTest::newRow("read-only leaf, highlighted") << true << false << true << blue;
        QTest::newRow("read-only group") << true << true << false << QVariant();
        QTest::newRow("editable leaf") << false << false << false << QVariant();
        QTest::newRow("editable leaf, highlighted") << false << false << true << blue;
    }
    void backgroundColour()
    {
        // Read-only leaves are light grey, search matches light blue, everything else has no background.
        QFETCH(bool, readOnly);
        QFETCH(bool, withChild);
        QFETCH(bool, highlighted);
        QFETCH(QVariant, expected);
        PropertyItem node;
        PropertyItem child;
        node.setReadOnly(readOnly);
        if (withChild)
            node.addChild(&child);
        node.setHighlighted(highlighted);
        QCOMPARE(node.data(0, Qt::BackgroundRole), expected);
    }
    void boolToggleThroughModel()
    {
        // An editable bool node shows a check box and no text; checking it sets a bool value.
        PropertyItem root;
        PropertyItem node;
        node.setReadOnly(false);
        node.setValue(false);
        root.addChild(&node);
        PropertyItemModel model(&root);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QModelIndex value = model.index(0, 1);
        QVERIFY(!model.data(value, Qt::DisplayRole).isValid());
        QCOMPARE(model.data(value, Qt::CheckStateRole), QVariant(0));
        QVERIFY(model.flags(value) & Qt::ItemIsUserCheckable);
        QVERIFY(!(model.flags(value) & Qt::ItemIsEditable));

        QSignalSpy valueChanged(&node, &PropertyItem::valueChanged);
        QSignalSpy dataChanged(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy configChanged(&model, &PropertyItemModel::configChanged);
        QVERIFY(model.setData(value, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(node.value(), QVariant(true));
        QCOMPARE(valueChanged.count(), 1);
        QCOMPARE(model.data(value, Qt::CheckStateRole), QVariant(2));
        QCOMPARE(dataChanged.count(), 1);
        QCOMPARE(configChanged.count(), 1);

        // Read-only, it still shows its value, but cannot be toggled.
        node.setReadOnly(true);
        QCOMPARE(model.data(value, Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(!(model.flags(value) & Qt::ItemIsUserCheckable));
    }
    void resetIsDepthFirst()
    {
        // reset restores the node and then each child's subtree in order.
        PropertyItem root;
        PropertyItem a;
        PropertyItem a1;
        PropertyItem b;
        a.setObjectName("a");
        a1.setObjectName("a1");
        b.setObjectName("b");
        root.addChild(&a);
        a.addChild(&a1);
        root.addChild(&b);
        QStringList order;
        for (PropertyItem *n : {&a, &a1, &b}) {
            n->setDefaultValue(n->objectName());
            n->setValue(QStringLiteral("changed"));
            connect(n, &PropertyItem::valueChanged, &root, [&order, n] { order << n->objectName(); });
        }
        root.reset();
        QCOMPARE(order, (QStringList{"a", "a1", "b"}));
        QCOMPARE(a1.value(), QVariant(QStringLiteral("a1")));
    }
    void modelStructureFollowsTree()
    {
        // Rows inserted, removed and deleted in the tree show up in the model at once, leaving no stale link.
        PropertyItem root;
        PropertyItemModel model(&root);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto *a = new PropertyItem(&root);
        auto *b = new PropertyItem(&root);
        auto *c = new PropertyItem;
        a->setName("a");
        c->setName("c");
        root.addChild(a);
        root.addChild(b);
        b->addChild(c);
        QCOMPARE(model.rowCount(), 2);
        const QModelIndex bIndex = model.indexFromItem(b);
        QCOMPARE(model.index(0, 0, bIndex).data().toString(), QStringLiteral("c"));
        QCOMPARE(model.parent(model.index(0, 1, bIndex)), bIndex);
        b->removeChild(c);
        QCOMPARE(model.rowCount(bIndex), 0);
        delete b;
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(c->parentItem(), nullptr);
        delete c;
        root.clearChildren();
        QCOMPARE(model.rowCount(), 0);
    }
    void dropMovesNodes_data()
    {
        QTest::addColumn<QStringList>("dragged");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("rootAfter");
        QTest::addColumn<QStringList>("groupAfter");
        QTest::newRow("last to front")
            << QStringList{"c"} << QString() << 0 << QStringList{"c", "a", "b", "g"} << QStringList{"g1"};
        QTest::newRow("first to end")
            << QStringList{"a"} << QString() << -1 << QStringList{"b", "c", "g", "a"} << QStringList{"g1"};
        QTest::newRow("first after second")
            << QStringList{"a"} << QString() << 2 << QStringList{"b", "a", "c", "g"} << QStringList{"g1"};
        QTest::newRow("two into group") << QStringList{"a", "c"} << QStringLiteral("g") << 0
                                        << QStringList{"b", "g"} << QStringList{"a", "c", "g1"};
    }
    void dropMovesNodes()
    {
        // A move drop of this tree's own nodes re-parents them at the dropped row.
        QFETCH(QStringList, dragged);
        QFETCH(QString, target);
        QFETCH(int, row);
        QFETCH(QStringList, rootAfter);
        QFETCH(QStringList, groupAfter);
        DropTree t;
        PropertyItemModel &model = t.model;
        const auto &nodes = t.nodes;
        QModelIndexList indexes;
        for (const QString &name : dragged) {
            indexes << model.indexFromItem(nodes.value(name));
            indexes << model.indexFromItem(nodes.value(name)).sibling(indexes.last().row(), 1);
        }
        std::unique_ptr<QMimeData> mime(model.mimeData(indexes));
        QVERIFY(mime);
        QCOMPARE(mime->formats(), QStringList{"application/x-velmara-"});
        const QModelIndex parent =
            target.isEmpty() ? QModelIndex() : model.indexFromItem(nodes.value(target));
        QVERIFY(model.dropMimeData(mime.get(), Qt::MoveAction, row, 0, parent));
        QCOMPARE(namesOf(&t.root), rootAfter);
        QCOMPARE(namesOf(nodes.value("g")), groupAfter);
    }
    void badDropIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("copy action") << "copy";
        QTest::newRow("foreign format") << "format";
        QTest::newRow("empty payload") << "empty";
        QTest::newRow("short payload") << "short";
        QTest::newRow("old 4-byte pointer") << "four";
        QTest::newRow("other process") << "process";
        QTest::newRow("unknown address") << "unknown";
        QTest::newRow("node outside the tree") << "outside";
        QTest::newRow("the root") << "root";
        QTest::newRow("onto itself") << "self";
        QTest::newRow("into its own subtree") << "subtree";
    }
    void badDropIsRefused()
    {
        // A drop that is malformed, foreign or names no node of this tree is refused and moves nothing.
        QFETCH(QString, kind);
        DropTree t;
        PropertyItemModel &model = t.model;
        PropertyItem *a = t.nodes.value("a"), *g = t.nodes.value("g"), *g1 = t.nodes.value("g1");
        PropertyItem *loose = t.nodes.value("loose"), &root = t.root;
        const QString type = QStringLiteral("application/x-velmara-");
        QMimeData mime;
        Qt::DropAction action = Qt::MoveAction;
        QModelIndex parent;
        const auto address = [](const void *p) { return reinterpret_cast<quintptr>(p); };
        if (kind == "copy") {
            mime.setData(type, payloadOf({address(a)}));
            action = Qt::CopyAction;
        } else if (kind == "format") {
            mime.setData("text/plain", payloadOf({address(a)}));
        } else if (kind == "empty") {
            mime.setData(type, QByteArray());
        } else if (kind == "short") {
            mime.setData(type, payloadOf({address(a)}).chopped(3));
        } else if (kind == "four") {
            const quint32 truncated = quint32(address(a));
            mime.setData(type, QByteArray(reinterpret_cast<const char *>(&truncated), 4));
        } else if (kind == "process") {
            mime.setData(type, payloadOf({address(a)}, QCoreApplication::applicationPid() + 1));
        } else if (kind == "unknown") {
            mime.setData(type, payloadOf({quintptr(0xdeadbeef0ull)}));
        } else if (kind == "outside") {
            mime.setData(type, payloadOf({address(a), address(loose)}));
        } else if (kind == "root") {
            mime.setData(type, payloadOf({address(&root)}));
            parent = model.indexFromItem(g);
        } else if (kind == "self") {
            mime.setData(type, payloadOf({address(g)}));
            parent = model.indexFromItem(g);
        } else if (kind == "subtree") {
            mime.setData(type, payloadOf({address(g)}));
            parent = model.indexFromItem(g1);
        }
        QVERIFY(!model.dropMimeData(&mime, action, 0, 0, parent));
        QCOMPARE(namesOf(&root), (QStringList{"a", "b", "c", "g"}));
        QCOMPARE(namesOf(g), QStringList{"g1"});
    }
};

QTEST_MAIN(tst_PropertyItem)
#include "tst_propertyitem.moc"
