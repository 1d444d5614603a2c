#include "PropertiesDockWidget.h"

#include "PropertyItem.h"
#include "PropertyItemFilterModel.h"
#include "PropertyItemModel.h"
#include "PropertyItemTree.h"
#include "SearchFieldCompleter.h"
#include "SearchFieldWidget.h"

#include <QAction>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QSet>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// A loaded value a node refused, in words: a later sibling may rebuild the node before the user is told.
struct Refusal
{
    QString name;
    QString value;
    QString kept;
};

void saveNode(QSettings &settings, const PropertyItem *node)
{
    if (!node)
        return;
    settings.setValue(node->key(), node->keyValue());
    if (node->children().isEmpty())
        return;
    settings.beginGroup(node->key());
    for (const PropertyItem *child : node->children())
        saveNode(settings, child);
    settings.endGroup();
}

void loadNode(QSettings &settings, PropertyItem *node, QVector<Refusal> &refused)
{
    if (!node)
        return;
    const QVariant value = settings.value(node->key(), node->keyValue());
    if (node->acceptsKeyValue(value)) {
        node->setKeyValue(value);
    } else {
        qWarning() << "kept" << node->keyValue() << "of" << settings.group() + QLatin1Char('/') + node->key()
                   << "instead of" << value;
        refused.append({node->name(), value.toString(), node->valueText()});
    }
    if (node->children().isEmpty())
        return;
    settings.beginGroup(node->key());
    // A child's value may replace its siblings (a colour scheme or a data source rebuilds the nodes after
    // it), so look at the live list after every child and load each node that is there once.
    QSet<const PropertyItem *> loaded;
    for (;;) {
        PropertyItem *next = nullptr;
        for (PropertyItem *child : node->children()) {
            if (!loaded.contains(child)) {
                next = child;
                break;
            }
        }
        if (!next)
            break;
        loaded.insert(next);
        loadNode(settings, next, refused);
    }
    settings.endGroup();
}
} // namespace

PropertiesDockWidget::PropertiesDockWidget(QWidget *parent) : QDockWidget(parent)
{
    m_root = new PropertyItem(this);
    m_root->setName(tr("Properties"));
    m_root->setKey(QStringLiteral("properties"));

    // The lock notice sits above the inner window, outside it, so it stays readable while the rest is
    // disabled.
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_lockLabel = new QLabel(body);
    m_lockLabel->setObjectName(QStringLiteral("lockNotice"));
    m_lockLabel->setWordWrap(true);
    m_lockLabel->setMargin(6);
    m_lockLabel->setAutoFillBackground(true);
    QPalette notice = m_lockLabel->palette();
    notice.setColor(QPalette::Window, QColor(255, 244, 200));
    notice.setColor(QPalette::WindowText, Qt::black);
    m_lockLabel->setPalette(notice);
    m_lockLabel->hide();
    layout->addWidget(m_lockLabel);
    m_window = new QMainWindow(nullptr);
    m_window->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(m_window);
    setWidget(body);

    m_mainToolBar = new QToolBar(m_window);
    m_mainToolBar->setObjectName(QStringLiteral("propertiesMainToolBar"));
    m_mainToolBar->setMovable(false);
    m_window->addToolBar(Qt::TopToolBarArea, m_mainToolBar);
    m_actionsToolBar = new QToolBar(m_window);
    m_actionsToolBar->setObjectName(QStringLiteral("propertiesActionsToolBar"));
    m_actionsToolBar->setMovable(false);
    m_window->addToolBar(Qt::BottomToolBarArea, m_actionsToolBar);
    m_actionsLabel = new QLabel(m_actionsToolBar);
    m_actionsLabelAction = m_actionsToolBar->addWidget(m_actionsLabel);
    m_actionsToolBar->hide();

    m_tree = new PropertyItemTree(m_window);
    m_window->setCentralWidget(m_tree);
    m_model = new PropertyItemModel(m_root, this);
    m_filter = new PropertyItemFilterModel(this);
    m_filter->setSourceModel(m_model);
    m_filter->setFilterKeyColumn(0);
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_tree->setModel(m_filter);

    m_saveAction = new QAction(QIcon(QStringLiteral(":/PropertyLibrary/save")), tr("Save Properties"), this);
    m_loadMenu = new QMenu(this);
    m_loadMenu->setIcon(QIcon(QStringLiteral(":/PropertyLibrary/open")));
    m_lastOpenDir = QDir::homePath();
    m_searchField = new SearchFieldWidget(m_mainToolBar);
    m_searchField->searchCompleter()->setSourceModel(m_model);
    m_expandAction =
        new QAction(QIcon(QStringLiteral(":/PropertyLibrary/expand")), tr("Expand Properties"), this);

    setObjectName(QStringLiteral("Properties"));
    setWindowIcon(QIcon(QStringLiteral(":/PropertyLibrary/settings")));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    m_mainToolBar->addAction(m_loadMenu->menuAction());
    if (auto *button = qobject_cast<QToolButton *>(m_mainToolBar->widgetForAction(m_loadMenu->menuAction())))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    m_mainToolBar->addAction(m_saveAction);
    m_mainToolBar->addWidget(m_searchField);
    m_mainToolBar->addAction(m_expandAction);

    connect(m_saveAction, &QAction::triggered, this, &PropertiesDockWidget::saveProperties);
    connect(m_loadMenu->menuAction(), &QAction::triggered, this, &PropertiesDockWidget::loadProperties);
    connect(m_expandAction, &QAction::triggered, m_tree, &QTreeView::expandAll);
    connect(m_loadMenu, &QMenu::triggered, this, [this](QAction *action) {
        const QString path = action->data().toString();
        if (!path.isEmpty())
            loadFromFile(path);
    });
    connect(m_searchField, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_filter->filterWith(text);
        m_tree->expandAll();
    });
    connect(m_tree, &PropertyItemTree::currentPropertyChanged, this, &PropertiesDockWidget::updateActions);

    retranslate();
}

void PropertiesDockWidget::addProperty(PropertyItem *node)
{
    m_root->addChild(node);
    m_tree->expandAll();
}

void PropertiesDockWidget::setLocked(bool locked, const QString &reason)
{
    m_window->setEnabled(!locked);
    m_lockLabel->setText(locked ? reason : QString());
    m_lockLabel->setVisible(locked);
}

bool PropertiesDockWidget::isLocked() const
{
    return !m_window->isEnabled();
}

void PropertiesDockWidget::activateSearch()
{
    m_searchField->clear();
    m_searchField->setFocus(Qt::OtherFocusReason);
}

QString PropertiesDockWidget::fileFilter() const
{
    return tr("Ini file") + QStringLiteral(" (*.inf)");
}

void PropertiesDockWidget::saveProperties()
{
    QFileDialog dialog(this, tr("Save Properties"), dialogFolder(), fileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Added before the dialog asks about replacing a file, so it asks about the file really written.
    dialog.setDefaultSuffix(QStringLiteral("inf"));
    if (dialog.exec() == QDialog::Accepted)
        saveChosenFile(dialog.selectedFiles().value(0));
}

QString PropertiesDockWidget::dialogFolder() const
{
    return QFileInfo(m_lastOpenDir).isDir() ? m_lastOpenDir : QDir::homePath();
}

void PropertiesDockWidget::saveChosenFile(const QString &chosen)
{
    if (chosen.isEmpty())
        return;
    const QString filename = QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".inf") : chosen;
    // Start from an empty file so that no entry of an older tree survives.
    if (QFile::exists(filename))
        QFile::remove(filename);
    m_lastOpenDir = QFileInfo(filename).absolutePath();
    saveToFile(filename);
    addToHistory(filename);
    emit settingsChanged();
}

void PropertiesDockWidget::loadProperties()
{
    const QString name =
        QFileDialog::getOpenFileName(this, tr("Load Properties"), dialogFolder(), fileFilter());
    loadChosenFile(name);
}

void PropertiesDockWidget::loadChosenFile(const QString &filename)
{
    if (filename.isEmpty())
        return;
    m_lastOpenDir = QFileInfo(filename).absolutePath();
    addToHistory(filename);
    emit settingsChanged();
    loadFromFile(filename);
}

void PropertiesDockWidget::saveToFile(const QString &filename)
{
    QSettings settings(filename, QSettings::IniFormat);
    saveNode(settings, m_root);
    settings.sync();
}

void PropertiesDockWidget::loadFromFile(const QString &filename)
{
    QSettings settings(filename, QSettings::IniFormat);
    QVector<Refusal> refused;
    loadNode(settings, m_root, refused);
    for (const Refusal &entry : qAsConst(refused))
        emit loadWarning(tr("%1: %2 in %3 is not one of the choices; %4 is kept")
                             .arg(entry.name, entry.value, QFileInfo(filename).fileName(), entry.kept));
}

void PropertiesDockWidget::addToHistory(const QString &path)
{
    if (m_openHistory.contains(path))
        return;
    m_openHistory.append(path);
    rebuildHistoryMenu();
}

void PropertiesDockWidget::rebuildHistoryMenu()
{
    m_loadMenu->clear();
    QStringList kept;
    for (const QString &path : qAsConst(m_openHistory)) {
        if (QFile::exists(path))
            kept.append(path);
    }
    m_openHistory = kept;
    for (const QString &path : qAsConst(m_openHistory)) {
        QAction *entry = m_loadMenu->addAction(path);
        entry->setData(path);
    }
    m_loadMenu->addSeparator();
    QAction *clear = m_loadMenu->addAction(tr("Clear"));
    connect(clear, &QAction::triggered, this, [this] {
        m_openHistory.clear();
        emit settingsChanged();
        // The menu is still delivering this action's signal, so rebuild it afterwards.
        QMetaObject::invokeMethod(this, &PropertiesDockWidget::rebuildHistoryMenu, Qt::QueuedConnection);
    });
}

void PropertiesDockWidget::updateActions(PropertyItem *propety)
{
    // One label is kept and reused: widgets added to a toolbar are not freed when it is cleared.
    for (QAction *action : m_actionsToolBar->actions()) {
        if (action != m_actionsLabelAction)
            m_actionsToolBar->removeAction(action);
    }
    disconnect(m_actionsNameConnection);
    const QList<QAction *> actions = propety ? propety->actions() : QList<QAction *>();
    if (actions.isEmpty()) {
        m_actionsToolBar->hide();
        return;
    }
    m_actionsLabel->setText(propety->name() + QStringLiteral(":"));
    // The node is renamed when the language changes, after this dock has retranslated itself.
    m_actionsNameConnection =
        connect(propety, &PropertyItem::nameChanged, m_actionsLabel,
                [this](const QString &name) { m_actionsLabel->setText(name + QStringLiteral(":")); });
    m_actionsToolBar->addActions(actions);
    m_actionsToolBar->show();
}

void PropertiesDockWidget::writeSettings(QSettings &settings) const
{
    settings.setValue(QStringLiteral("lastOpenDir"), m_lastOpenDir);
    // One entry per path, so that a path with a comma survives; this replaces the older joined text.
    settings.remove(QStringLiteral("openHistory"));
    settings.beginWriteArray(QStringLiteral("openHistory"), m_openHistory.size());
    for (int i = 0; i < m_openHistory.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("path"), m_openHistory.at(i));
    }
    settings.endArray();
    settings.setValue(QStringLiteral("column_ratio"), m_tree->columnRatio());
}

void PropertiesDockWidget::readSettings(QSettings &settings)
{
    m_lastOpenDir = settings.value(QStringLiteral("lastOpenDir"), m_lastOpenDir).toString();
    if (settings.contains(QStringLiteral("openHistory/size"))) {
        const int count = settings.beginReadArray(QStringLiteral("openHistory"));
        m_openHistory.clear();
        for (int i = 0; i < count; ++i) {
            settings.setArrayIndex(i);
            const QString path = settings.value(QStringLiteral("path")).toString();
            if (!path.isEmpty() && !m_openHistory.contains(path))
                m_openHistory.append(path);
        }
        settings.endArray();
    } else if (settings.contains(QStringLiteral("openHistory"))) {
        // The older form: the paths joined with commas.
        const QVariant joined = settings.value(QStringLiteral("openHistory"));
        const QString text = joined.userType() == QMetaType::QStringList
                                 ? joined.toStringList().join(QLatin1Char(','))
                                 : joined.toString();
        m_openHistory = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    }
    rebuildHistoryMenu();
    m_tree->setColumnRatio(settings.value(QStringLiteral("column_ratio"), m_tree->columnRatio()).toFloat());
}

void PropertiesDockWidget::retranslate()
{
    m_saveAction->setText(tr("Save Properties"));
    m_saveAction->setToolTip(tr("Save Properties"));
    m_loadMenu->setTitle(tr("Load Properties"));
    m_loadMenu->setToolTip(tr("Load Properties"));
    m_loadMenu->menuAction()->setToolTip(tr("Load Properties"));
    m_expandAction->setText(tr("Expand Properties"));
    m_expandAction->setToolTip(tr("Expand Properties"));
    setWindowTitle(tr("Properties"));
    m_root->setName(tr("Properties"));
    m_root->setKey(QStringLiteral("properties"));
    rebuildHistoryMenu();
}

void PropertiesDockWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDockWidget::changeEvent(event);
}
