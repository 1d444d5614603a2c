#include "ColorEditor.h"
#include "ColorProperty.h"
#include "ComboBoxEditor.h"
#include "ComboBoxProperty.h"
#include "FileProperty.h"
#include "FloatEditWidget.h"
#include "FloatProperty.h"
#include "IntegerProperty.h"
#include "LineEditWithButton.h"
#include "PropertyItem.h"
#include "PropertyItemDelegate.h"
#include "PropertyItemFilterModel.h"
#include "PropertyItemModel.h"
#include "PropertyItemTree.h"
#include "SplitterHandle.h"
#include "StringProperty.h"
#include "TestSupport.h"

#include <QColorDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QtTest>
#include <functional>

using NodeFactory = std::function<PropertyItem *(QObject *)>;
Q_DECLARE_METATYPE(NodeFactory)

namespace {
// A tree view over `root`, shown.
struct ShownTree
{
    ShownTree(PropertyItem *root, int width) : model(root)
    {
        tree.setModel(&model);
        tree.resize(width, 200);
        tree.show();
    }
    PropertyItemModel model;
    PropertyItemTree tree;
};
} // namespace

class tst_PropertyTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void splitterLimits_data()
    {
        QTest::addColumn<int>("treeWidth");
        QTest::addColumn<int>("dragTo");
        QTest::newRow("far left") << 400 << -100;
        QTest::newRow("just left of the limit") << 400 << 20;
        QTest::newRow("far right") << 400 << 900;
        QTest::newRow("middle") << 400 << 150;
        QTest::newRow("narrow tree") << 100 << 0;
    }
    void splitterLimits()
    {
        // Dragging the handle never leaves a column narrower than 55 pixels (the name column wins when too
        // narrow).
        QFETCH(int, treeWidth);
        QFETCH(int, dragTo);
        PropertyItem root;
        ShownTree shown(&root, treeWidth);
        PropertyItemTree &tree = shown.tree;
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        dragHandle(tree, dragTo);
        const int contents = tree.viewport()->width();
        QCOMPARE(tree.columnWidth(0), int(contents * tree.columnRatio()));
        QVERIFY2(tree.columnWidth(0) >= 55, qPrintable(QString::number(tree.columnWidth(0))));
        if (treeWidth > 2 * 55 + 7 + 10)
            QVERIFY2(tree.columnWidth(1) >= 55, qPrintable(QString::number(tree.columnWidth(1))));
        QCOMPARE(tree.splitterHandle()->width(), 7);
        QCOMPARE(tree.splitterHandle()->height(), tree.height());
    }
    void columnsFitViewport_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("no scroll bar") << 2;
        QTest::newRow("with a vertical scroll bar") << 60;
    }
    void columnsFitViewport()
    {
        // The two columns share the viewport by the ratio, through resizes, and the value column never
        // reaches under the vertical scroll bar.
        QFETCH(int, rows);
        PropertyItem root;
        for (int i = 0; i < rows; ++i)
            root.addChild(new PropertyItem(&root));
        ShownTree shown(&root, 400);
        PropertyItemTree &tree = shown.tree;
        tree.setColumnRatio(0.25f);
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        tree.resize(800, 300);
        QCOMPARE(tree.verticalScrollBar()->isVisible(), rows > 10);
        QTRY_COMPARE(tree.columnWidth(0), int(tree.viewport()->width() * 0.25f));
        QCOMPARE(tree.columnWidth(0) + tree.columnWidth(1), tree.viewport()->width());
    }
    void nameToolTip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("toolTip");
        const QString longName = QStringLiteral("A rather long name that the narrow column cuts short");
        QTest::newRow("cut name") << longName << QString() << 0 << longName;
        QTest::newRow("name that fits") << QStringLiteral("Size") << QString() << 0 << QString();
        QTest::newRow("description wins")
            << longName << QStringLiteral("Help") << 0 << QStringLiteral("Help");
        QTest::newRow("value column") << longName << QString() << 1 << QString();
    }
    void nameToolTip()
    {
        // A name cut short by its column shows whole as tool tip, unless the node has a description.
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(int, column);
        QFETCH(QString, toolTip);
        PropertyItem root;
        auto *node = new PropertyItem(&root);
        node->setName(name);
        node->setDescription(description);
        root.addChild(node);
        ShownTree shown(&root, 300);
        QVERIFY(QTest::qWaitForWindowExposed(&shown.tree));
        QCOMPARE(shown.tree.toolTipFor(shown.model.index(0, column)), toolTip);
    }
    void editorPerType_data()
    {
        QTest::addColumn<NodeFactory>("factory");
        QTest::addColumn<QString>("editorClass");
        QTest::newRow("read-only") << NodeFactory([](QObject *p) { return new PropertyItem(p); })
                                   << QString();
        QTest::newRow("plain int") << NodeFactory([](QObject *p) {
            auto *n = new PropertyItem(p);
            n->setReadOnly(false);
            n->setValue(3);
            return n;
        }) << "QSpinBox";
        QTest::newRow("plain double") << NodeFactory([](QObject *p) {
            auto *n = new PropertyItem(p);
            n->setReadOnly(false);
            n->setValue(3.5);
            return n;
        }) << "FloatEditWidget";
        QTest::newRow("string") << NodeFactory([](QObject *p) { return new StringProperty(p); })
                                << "QLineEdit";
        QTest::newRow("integer") << NodeFactory([](QObject *p) { return new IntegerProperty(p); })
                                 << "QSpinBox";
        QTest::newRow("float") << NodeFactory([](QObject *p) { return new FloatProperty(p); })
                               << "QDoubleSpinBox";
        QTest::newRow("combo") << NodeFactory([](QObject *p) {
            auto *n = new ComboBoxProperty(p);
            n->addOption("A", 0);
            n->addOption("B", 1);
            return n;
        }) << "ComboBoxEditor";
        QTest::newRow("file") << NodeFactory([](QObject *p) { return new FileProperty(p); })
                              << "LineEditWithButton";
        QTest::newRow("colour") << NodeFactory([](QObject *p) { return new ColorProperty(p); })
                                << "ColorEditor";
    }
    void editorPerType()
    {
        // The delegate asks the node for its editor; read-only nodes get none.
        QFETCH(NodeFactory, factory);
        QFETCH(QString, editorClass);
        PropertyItem root;
        PropertyItem *node = factory(&root);
        root.addChild(node);
        PropertyItemModel model(&root);
        PropertyItemFilterModel filter;
        filter.setSourceModel(&model);
        PropertyItemDelegate delegate;
        QWidget parent;
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 120, 20);
        QWidget *editor = delegate.createEditor(&parent, option, filter.index(0, 1));
        if (editorClass.isEmpty()) {
            QVERIFY(!editor);
            return;
        }
        QVERIFY(editor);
        QCOMPARE(QString::fromLatin1(editor->metaObject()->className()), editorClass);
        delegate.updateEditorGeometry(editor, option, filter.index(0, 1));
        QCOMPARE(editor->geometry(), option.rect);
    }
    void colourDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void colourDialog()
    {
        // The colour follows the dialog while it is open, stays on OK and goes back on Cancel, although the
        // editor that opened the dialog is gone by then; again and again.
        QFETCH(bool, accept);
        PropertyItem root;
        auto *colour = new ColorProperty(&root);
        root.addChild(colour);
        ShownTree shown(&root, 300);
        PropertyItemTree &tree = shown.tree;
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        const QModelIndex value = shown.model.index(0, 1);
        for (int round = 0; round < 3; ++round) {
            const QColor before(round, 0, 0);
            const QColor picked(0, round, 255);
            colour->setColorValue(before);
            tree.edit(value);
            QPointer<ColorEditor> editor = qobject_cast<ColorEditor *>(tree.indexWidget(value));
            QVERIFY(editor);
            QTest::mouseClick(editor->button(), Qt::LeftButton);
            QPointer<QColorDialog> dialog = colour->colorDialog();
            QVERIFY(dialog);
            QTRY_VERIFY(!editor);
            dialog->setCurrentColor(picked);
            QCOMPARE(colour->colorValue(), picked);
            accept ? dialog->accept() : dialog->reject();
            QCOMPARE(colour->colorValue(), accept ? picked : before);
            QTRY_VERIFY(!dialog);
        }
    }
    void editorsWriteBack()
    {
        // Each typed editor hands the user's choice back to its node.
        QWidget parent;
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 160, 22);

        ComboBoxProperty combo;
        combo.addOption("A", 0);
        combo.addOption("B", 1);
        combo.setKeyValue(1);
        auto *comboEditor = qobject_cast<ComboBoxEditor *>(combo.createEditor(&parent, option));
        QVERIFY(comboEditor);
        QCOMPARE(comboEditor->currentIndex(), 1);
        comboEditor->setCurrentIndex(0);
        QCOMPARE(combo.value().toString(), QStringLiteral("A"));
        QCOMPARE(combo.keyValue(), QVariant(0));
        // An unknown label falls back to value 0; a renamed option shows its new label.
        combo.setKeyValue(1);
        combo.setValue(QStringLiteral("C"));
        QCOMPARE(combo.keyValue(), QVariant(0));
        combo.updateOptionLabel("Bee", 1);
        combo.setOptionValue(1);
        combo.retranslate();
        QCOMPARE(combo.value().toString(), QStringLiteral("Bee"));

        IntegerProperty integer;
        integer.setMaxValue(20);
        auto *spin = qobject_cast<QSpinBox *>(integer.createEditor(&parent, option));
        QVERIFY(spin);
        QCOMPARE(spin->maximum(), 20);
        spin->setValue(12);
        emit spin->editingFinished();
        QCOMPARE(integer.intValue(), 12);

        FloatProperty real;
        auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(real.createEditor(&parent, option));
        QVERIFY(doubleSpin);
        QCOMPARE(doubleSpin->decimals(), 3);
        doubleSpin->setValue(2.5);
        emit doubleSpin->editingFinished();
        QCOMPARE(real.floatValue(), 2.5f);
    }

private:
    static void dragHandle(PropertyItemTree &tree, int toTreeX)
    {
        SplitterHandle *handle = tree.splitterHandle();
        const QPoint grab(3, 5);
        QMouseEvent press(QEvent::MouseButtonPress, grab, handle->mapToGlobal(grab), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &press);
        const QPoint target(toTreeX, 5);
        const QPoint global = tree.mapToGlobal(target);
        QMouseEvent move(QEvent::MouseMove, handle->mapFromGlobal(global), global, Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, handle->mapFromGlobal(global), global, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &release);
    }
};

QTEST_MAIN(tst_PropertyTree)
#include "tst_propertytree.moc"
