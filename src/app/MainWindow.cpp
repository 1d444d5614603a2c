#include "MainWindow.h"

#include "AboutDialog.h"
#include "Canvas.h"
#include "ConnectionManager.h"
#include "DataTableDockWidget.h"
#include "FileCommunicationDevice.h"
#include "FilePlayDockWidget.h"
#include "FileProperty.h"
#include "FileScanManager.h"
#include "LayerItem.h"
#include "PropertiesDockWidget.h"
#include "PropertyItem.h"
#include "PropertyItemTree.h"
#include "RecorderManager.h"
#include "RenderableItem.h"
#include "ScanManager.h"
#include "SceneComposer.h"
#include "T3dToCsvConverter.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
constexpr int statusTimeoutMs = 10000;
} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    createSubsystems();
    createRecorders();
    setupUi();
    applyIdentity();
    wireMenus();
    createConverter();
    initLanguages();
    composeScene();
    createToolbars();
    wireFirstConnections();
    createDocks();
    createPlayerDocks();
    wirePlayerDock();
    wireDataTable();
    wireStatusBar();
    createShortcuts();
    loadSettings();
    retranslate();
    // Armed only now, so that restoring the saved state does not write it straight back.
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(1000);
    connect(m_saveTimer, &QTimer::timeout, this, [this] {
        // A full-screen layout has every bar hidden; the one before F7 stays stored.
        if (!isFullScreen())
            saveSettings();
    });
    // Through the timer, which goes first in the destructor: docks and bars still signal while they die.
    QTimer *timer = m_saveTimer;
    const auto later = [timer] { timer->start(); };
    connect(m_propertiesDock, &PropertiesDockWidget::settingsChanged, timer, later);
    for (QDockWidget *dock : findChildren<QDockWidget *>()) {
        connect(dock, &QDockWidget::dockLocationChanged, timer, later);
        connect(dock, &QDockWidget::topLevelChanged, timer, later);
        connect(dock, &QDockWidget::visibilityChanged, timer, later);
    }
    for (QToolBar *bar : findChildren<QToolBar *>(QString(), Qt::FindDirectChildrenOnly)) {
        connect(bar, &QToolBar::topLevelChanged, timer, later);
        connect(bar, &QToolBar::orientationChanged, timer, later);
        connect(bar, &QToolBar::visibilityChanged, timer, later);
    }
    connect(m_languageGroup, &QActionGroup::triggered, timer, later);
}

void MainWindow::scheduleSettingsSave()
{
    if (m_saveTimer)
        m_saveTimer->start();
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    scheduleSettingsSave();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    scheduleSettingsSave();
}

QString MainWindow::lockReason() const
{
    return tr("Settings are locked while Connection %1 is connected")
        .arg(m_connectionManager->connectionId(0));
}

void MainWindow::createSubsystems()
{
    m_composer = new SceneComposer(this);
    m_connectionManager = new ConnectionManager(this);
    m_propertiesDock = new PropertiesDockWidget(this);
    m_propertiesAction =
        new QAction(QIcon(QStringLiteral(":/PropertyLibrary/settings")), tr("Properties"), this);
    m_propertiesDock->setWindowIcon(m_propertiesAction->icon());
    connect(m_propertiesAction, &QAction::triggered, m_propertiesDock, &QWidget::show);
    m_settings =
        new QSettings(QSettings::IniFormat, QSettings::UserScope, QCoreApplication::organizationName(),
                      QCoreApplication::applicationName(), this);
    m_aboutDialog = new AboutDialog(this);
    m_connectionLabel = new QLabel(this);
    m_connectionEdit = new QLineEdit(this);
    m_connectionEdit->setMaxLength(15);
    m_connectionEdit->setMaximumWidth(150);
    m_connectionToolbar = new QToolBar(this);
    m_connectionToolbar->setObjectName(QStringLiteral("connectionToolbar"));
    m_zoomOutAction = new QAction(QIcon(QStringLiteral(":/icons/zoom-out")), tr("Zoom out"), this);
    m_zoomInAction = new QAction(QIcon(QStringLiteral(":/icons/zoom-in")), tr("Zoon in"), this);
}

void MainWindow::applyIdentity()
{
    setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ') +
                   QCoreApplication::applicationVersion());
    const QIcon logo(QStringLiteral(":/application/logo"));
    setWindowIcon(logo);
    m_aboutDialog->setLogo(logo);
    m_aboutDialog->setRevision(QStringLiteral("572"));
    m_aboutDialog->setDate(QStringLiteral("2025-11-19"));
    m_aboutDialog->setModal(true);
    m_actionAbout->setIcon(logo);
    m_actionConverter->setIcon(logo);
}

void MainWindow::wireMenus()
{
    connect(m_actionAbout, &QAction::triggered, m_aboutDialog, &QDialog::show);
    connect(m_actionQuit, &QAction::triggered, this, &QWidget::close);
    // The data table and the converter arrive with their own modules.
    m_actionDataTable->setEnabled(false);
    m_actionConverter->setEnabled(false);
}

void MainWindow::composeScene()
{
    // The composer draws the connections' items and layers on the canvas.
    m_composer->addItem(m_connectionManager->groupItem());
    m_composer->addLayer(m_connectionManager->overlayLayer());
    m_composer->setCanvas(m_canvas);
    connect(m_composer, &SceneComposer::setMouseRay, m_connectionManager, &ConnectionManager::setMouseRay);
}

void MainWindow::createToolbars()
{
    m_mainToolBar->addAction(m_propertiesAction);
    m_canvasToolBar->setWindowTitle(QStringLiteral("Canvas toolbar"));
    m_canvasToolBar->addAction(m_zoomOutAction);
    m_canvasToolBar->addAction(m_zoomInAction);
    connect(m_zoomOutAction, &QAction::triggered, m_composer, &SceneComposer::zoomOut);
    connect(m_zoomInAction, &QAction::triggered, m_composer, &SceneComposer::zoomIn);
}

void MainWindow::createDocks()
{
    addDockWidget(Qt::LeftDockWidgetArea, m_propertiesDock);
    // The connection manager's own actions go with its node in the properties dock.
    PropertyItem *connections = m_connectionManager->rootProperty();
    connections->addAction(m_connectionManager->addMenu()->menuAction());
    connections->addAction(m_connectionManager->removeAction());
    connections->addAction(m_connectionManager->connectAllAction());
    connections->addAction(m_connectionManager->disconnectAllAction());
    for (PropertyItem *root : {connections, m_recorders->rootProperty(), m_composer->property()}) {
        m_propertiesDock->addProperty(root);
        m_propertiesDock->tree()->expandAll();
    }
}

void MainWindow::wireStatusBar()
{
    connect(m_connectionManager, &ConnectionManager::informationBroadCast, this,
            [this](const QString &message) {
                m_statusBar->showMessage(tr("Information: %1").arg(message), statusTimeoutMs);
            });
    connect(m_connectionManager, &ConnectionManager::warningBroadCast, this, [this](const QString &message) {
        m_statusBar->showMessage(tr("Warning: %1").arg(message), statusTimeoutMs);
    });
    connect(m_connectionManager, &ConnectionManager::errorBroadCast, this, [this](const QString &message) {
        m_statusBar->showMessage(tr("Error: %1").arg(message), statusTimeoutMs);
    });
    wireRecorders();
    connect(m_propertiesDock, &PropertiesDockWidget::loadWarning, this, [this](const QString &message) {
        m_statusBar->showMessage(tr("Warning: %1").arg(message), statusTimeoutMs);
    });
}

void MainWindow::createConverter()
{
    m_converter = new T3dToCsvConverter(this);
    m_actionConverter->setEnabled(true);
    connect(m_actionConverter, &QAction::triggered, m_converter, &QWidget::show);
}

void MainWindow::createRecorders()
{
    m_recorders = new RecorderManager(this);
    m_recorders->setSource(m_connectionManager);
}

void MainWindow::wireRecorders()
{
    connect(m_recorders, &RecorderManager::informationBroadCast, this, [this](const QString &message) {
        m_statusBar->showMessage(tr("Information: %1").arg(message), statusTimeoutMs);
    });
    connect(m_recorders, &RecorderManager::warningBroadCast, this, [this](const QString &message) {
        m_statusBar->showMessage(tr("Warning: %1").arg(message), statusTimeoutMs);
    });
    connect(m_recorders, &RecorderManager::errorBroadCast, this, [this](const QString &message) {
        m_statusBar->showMessage(tr("Error: %1").arg(message), statusTimeoutMs);
    });
    // The sensor information of the first connection goes into every recording's head.
    if (ScanManager *first = m_connectionManager->scanManager(0))
        connect(first, &ScanManager::initialized, m_recorders, &RecorderManager::setSensorInfo);
    // A recording of a played log ends with the log.
    if (ScanManager *second = m_connectionManager->scanManager(1))
        connect(second, &ScanManager::fileDisconnected, m_recorders, &RecorderManager::stopAllRecorders);
}

void MainWindow::createShortcuts()
{
    connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+F")), this), &QShortcut::activated, this,
            &MainWindow::searchProperties);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &MainWindow::searchProperties);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &MainWindow::hideAllDocks);
    connect(new QShortcut(QKeySequence(Qt::Key_F7), this), &QShortcut::activated, this,
            &MainWindow::goFullScreen);
}

MainWindow::~MainWindow()
{
    delete m_saveTimer;
    m_saveTimer = nullptr;
    saveSettings();
}

void MainWindow::setupUi()
{
    setObjectName(QStringLiteral("MainWindow"));
    resize(820, 640);
    m_actionQuit = new QAction(this);
    m_actionQuit->setObjectName(QStringLiteral("action_Quit"));
    m_actionQuit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    m_actionAbout = new QAction(this);
    m_actionAbout->setObjectName(QStringLiteral("action_About"));
    m_actionEnglish = new QAction(this);
    m_actionEnglish->setObjectName(QStringLiteral("actionEnglish"));
    m_actionEnglish->setCheckable(true);
    m_actionEnglish->setIcon(QIcon(QStringLiteral(":/icons/britain")));
    m_actionJapanese = new QAction(this);
    m_actionJapanese->setObjectName(QStringLiteral("actionJapanese"));
    m_actionJapanese->setCheckable(true);
    m_actionJapanese->setIcon(QIcon(QStringLiteral(":/icons/japan")));
    // In the menu a flag would be drawn over the check mark of the exclusive group.
    m_actionEnglish->setIconVisibleInMenu(false);
    m_actionJapanese->setIconVisibleInMenu(false);
    m_actionDataTable = new QAction(this);
    m_actionDataTable->setObjectName(QStringLiteral("actionData_table"));
    m_actionDataTable->setCheckable(true);
    m_actionDataTable->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    m_actionConverter = new QAction(this);
    m_actionConverter->setObjectName(QStringLiteral("actionT3d_to_Csv_Converter"));

    m_centralWidget = new QWidget(this);
    m_centralWidget->setObjectName(QStringLiteral("centralWidget"));
    m_verticalLayout = new QVBoxLayout(m_centralWidget);
    m_verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    m_verticalLayout->setSpacing(0);
    m_verticalLayout->setContentsMargins(0, 0, 0, 0);
    m_canvas = new Canvas(m_centralWidget);
    m_canvas->setObjectName(QStringLiteral("canvas"));
    m_verticalLayout->addWidget(m_canvas);
    setCentralWidget(m_centralWidget);

    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    m_menuFile = new QMenu(m_menuBar);
    m_menuFile->setObjectName(QStringLiteral("menu_File"));
    m_menuView = new QMenu(m_menuBar);
    m_menuView->setObjectName(QStringLiteral("menuView"));
    m_menuTools = new QMenu(m_menuBar);
    m_menuTools->setObjectName(QStringLiteral("menuTools"));
    m_menuLanguages = new QMenu(m_menuBar);
    m_menuLanguages->setObjectName(QStringLiteral("menuLanguages"));
    m_menuHelp = new QMenu(m_menuBar);
    m_menuHelp->setObjectName(QStringLiteral("menu_Help"));
    setMenuBar(m_menuBar);
    m_menuBar->addAction(m_menuFile->menuAction());
    m_menuBar->addAction(m_menuView->menuAction());
    m_menuBar->addAction(m_menuTools->menuAction());
    m_menuBar->addAction(m_menuLanguages->menuAction());
    m_menuBar->addAction(m_menuHelp->menuAction());
    m_menuFile->addSeparator();
    m_menuFile->addAction(m_actionQuit);
    m_menuView->addAction(m_actionDataTable);
    m_menuTools->addAction(m_actionConverter);
    m_menuLanguages->addAction(m_actionEnglish);
    m_menuLanguages->addAction(m_actionJapanese);
    m_menuHelp->addAction(m_actionAbout);

    m_mainToolBar = new QToolBar(this);
    m_mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    addToolBar(Qt::TopToolBarArea, m_mainToolBar);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    setStatusBar(m_statusBar);
    m_canvasToolBar = new QToolBar(this);
    m_canvasToolBar->setObjectName(QStringLiteral("canvasToolBar"));
    addToolBar(Qt::TopToolBarArea, m_canvasToolBar);
    retranslateUi();
}

void MainWindow::retranslateUi()
{
    m_actionQuit->setText(tr("&Quit"));
    m_actionAbout->setText(tr("&About"));
    m_actionEnglish->setText(QStringLiteral("English"));
    m_actionJapanese->setText(QStringLiteral("日本語"));
    m_actionDataTable->setText(tr("Data Table"));
    m_actionConverter->setText(tr("Taviro3DFile to Csv Converter"));
    m_menuFile->setTitle(tr("&File"));
    m_menuView->setTitle(tr("&View"));
    m_menuTools->setTitle(tr("&Tools"));
    m_menuLanguages->setTitle(tr("&Languages"));
    m_menuHelp->setTitle(tr("&Help"));
}

// The first connection's toolbar and the rules between the first two connections.
void MainWindow::wireFirstConnections()
{
    // Guarded: either connection can be removed while the window lives.
    const QPointer<ScanManager> first = m_connectionManager->scanManager(0);
    const QPointer<ScanManager> second = m_connectionManager->scanManager(1);
    m_connectionToolbar->addWidget(m_connectionLabel);
    m_connectionToolbar->addWidget(m_connectionEdit);
    if (first) {
        m_connectionEdit->setText(first->deviceName());
        m_connectionToolbar->addAction(first->connectAction());
        m_connectionToolbar->addAction(first->disconnectAction());
        m_connectionManager->equipToolBar(0, m_connectionToolbar, m_connectionEdit);
    }
    addToolBar(Qt::TopToolBarArea, m_connectionToolbar);
    if (!first)
        return;

    connect(first, &ScanManager::deviceNameChanged, m_connectionEdit, &QLineEdit::setText);
    connect(m_connectionEdit, &QLineEdit::textChanged, this, [this, first](const QString &text) {
        if (!first || first->isConnected())
            return;
        const QSignalBlocker blocker(m_connectionEdit);
        first->setDeviceName(text);
    });
    connect(first, &ScanManager::connected, this, [this, second] {
        m_propertiesDock->setLocked(true, lockReason());
        m_connectionEdit->setReadOnly(true);
        if (second)
            second->connectAction()->setEnabled(false);
    });
    connect(first, &ScanManager::disconnected, this, [this, second] {
        m_propertiesDock->setLocked(false);
        m_connectionEdit->setReadOnly(false);
        if (second)
            second->connectAction()->setEnabled(true);
    });
    if (second) {
        connect(second, &ScanManager::connected, this, [first] {
            if (first)
                first->connectAction()->setEnabled(false);
        });
        connect(second, &ScanManager::fileDisconnected, this, [first] {
            if (first)
                first->connectAction()->setEnabled(true);
        });
    }
}

void MainWindow::connectToSensor(const QString &address, int port)
{
    ScanManager *first = m_connectionManager->scanManager(0);
    if (!first)
        return;
    first->setDeviceName(address);
    first->setDevicePort(port);
    first->connectRequested();
}

FileScanManager *MainWindow::logPlayer() const
{
    for (int i = 0; i < m_connectionManager->connectionCount(); ++i)
        if (auto *player = qobject_cast<FileScanManager *>(m_connectionManager->scanManager(i)))
            return player;
    return nullptr;
}

void MainWindow::playLog(const QString &fileName)
{
    FileScanManager *player = logPlayer();
    if (!player)
        return;
    player->fileNameProperty()->setFilename(fileName);
    // Once: a log opened later by hand waits for its Start.
    auto *once = new QObject(this);
    connect(player, &ScanManager::fileInitialized, once, [player, once] {
        player->startPlaying();
        once->deleteLater();
    });
    connect(player, &ScanManager::disconnected, once, &QObject::deleteLater);
    player->connectRequested();
}

void MainWindow::createPlayerDocks()
{
    m_filePlayDock = new FilePlayDockWidget(this);
    addDockWidget(Qt::LeftDockWidgetArea, m_filePlayDock);
    m_dataTableDock = new DataTableDockWidget(this);
    m_dataTableDock->setObjectName(QStringLiteral("DataTableDockWidget"));
    addDockWidget(Qt::RightDockWidgetArea, m_dataTableDock);
    m_dataTableDock->hide();
    m_actionDataTable->setEnabled(true);
    m_actionDataTable->setChecked(false);
    connect(m_actionDataTable, &QAction::toggled, m_dataTableDock, &QWidget::setVisible);
    connect(m_dataTableDock, &QDockWidget::visibilityChanged, m_actionDataTable, &QAction::setChecked);
}

void MainWindow::wirePlayerDock()
{
    using CM = ConnectionManager;
    using D = FilePlayDockWidget;
    ConnectionManager *cm = m_connectionManager;
    D *dock = m_filePlayDock;
    connect(cm, &CM::filePlayerTriggered, dock, &QWidget::show);
    connect(cm, &CM::startEnabledChanged, dock, &D::setStartEnabled);
    connect(cm, &CM::pauseEnabledChanged, dock, &D::setPauseEnabled);
    connect(cm, &CM::stopEnabledChanged, dock, &D::setStopEnabled);
    connect(cm, &CM::playerEnabledChanged, dock, &D::setPlayerEnabled);
    connect(cm, &CM::playerEnabledChanged, dock, &D::setProgressEnabled);
    // Positions run from the first record to the last.
    connect(cm, &CM::recordCountReady, dock,
            [dock](int count) { dock->setProgressMaximum(qMax(0, count - 1)); });
    connect(cm, &CM::readingUpdate, dock, &D::updateReadingProcess);
    connect(cm, &CM::logtimeSettingsReady, dock, &D::setLogtimeSettings);
    connect(dock, &D::startClicked, cm, &CM::startClicked);
    connect(dock, &D::pauseClicked, cm, &CM::pauseClicked);
    connect(dock, &D::stopClicked, cm, &CM::stopClicked);
    connect(dock, &D::progressChanged, cm, &CM::logPlayerPosChanged);
    connect(dock, &D::loopChanged, cm, &CM::logLoopChanged);
    connect(dock, &D::playSpeedChanged, cm, &CM::playSpeedChanged);
    // A damaged log plays up to the damage; the user is told once per opened file.
    if (FileScanManager *player = logPlayer())
        connect(player->device(), &FileCommunicationDevice::corruptionFound, this,
                [this](const QString &title, const QString &text) {
                    auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
                    box->setAttribute(Qt::WA_DeleteOnClose);
                    box->open();
                });
}

void MainWindow::wireDataTable()
{
    using CM = ConnectionManager;
    using T = DataTableDockWidget;
    ConnectionManager *cm = m_connectionManager;
    T *table = m_dataTableDock;
    connect(cm, &CM::dralMeasurementDataReady, table, &T::addMeasurementData, Qt::QueuedConnection);
    connect(cm, &CM::setRaySpot, table, &T::setRaySpot);
    connect(cm, &CM::fileStarted, table, &T::logStarted);
    connect(cm, &CM::filePaused, table, &T::logPaused);
    // A pick in a log that stands still looks at the frame shown, which the table keeps.
    connect(cm, &CM::mouseClickedInPaused, table, &T::redraw);
    connect(table, &T::setEmphasisedSpot, cm, &CM::setEmphasisedSpot);
    // Senders and receivers below are the connections themselves: removing one drops its wires.
    if (ScanManager *first = cm->scanManager(0))
        connect(first, &ScanManager::initialized, table, &T::setSensorInfo);
    if (ScanManager *second = cm->scanManager(1))
        connect(second, &ScanManager::connected, table, &T::clear);
    if (FileScanManager *player = logPlayer()) {
        connect(player, &ScanManager::fileInitialized, table, &T::setSensorInfo);
        connect(player, &ScanManager::fileDisconnected, table, &T::clear);
        connect(table, &T::redrawMeasurementData, player, &FileScanManager::redrawMeasurementData);
    }
}

QImage MainWindow::screenshot()
{
    QImage image = grab().toImage();
    // A widget grab misses what the canvas paints over its GL picture; its own snapshot has both.
    if (m_canvas && m_canvas->isVisible()) {
        QPainter painter(&image);
        const QRect target(m_canvas->mapTo(this, QPoint(0, 0)), m_canvas->size());
        painter.drawImage(target, m_canvas->snapshot());
    }
    return image;
}

void MainWindow::initLanguages()
{
    m_languageGroup = new QActionGroup(this);
    m_languageGroup->setExclusive(true);
    m_languageGroup->addAction(m_actionEnglish);
    m_languageGroup->addAction(m_actionJapanese);
    m_actionEnglish->setChecked(true);
    connect(m_actionEnglish, &QAction::toggled, this, &MainWindow::actionEnglishToggled);
    connect(m_actionJapanese, &QAction::toggled, this, &MainWindow::actionJapaneseToggled);
    QString code = m_settings->value(QStringLiteral("currentLanguage"), QLocale::system().name()).toString();
    const int cut = code.lastIndexOf(QLatin1Char('_'));
    if (cut >= 0)
        code = code.left(cut);
    if (code != QLatin1String("en") && code != QLatin1String("ja"))
        code = QStringLiteral("en");
    if (loadTranslation(code)) {
        QCoreApplication::installTranslator(&m_translator);
        // Not with blocked signals: the exclusive group learns of the check through them.
        (code == QLatin1String("ja") ? m_actionJapanese : m_actionEnglish)->setChecked(true);
    }
}

bool MainWindow::loadTranslation(const QString &code)
{
    bool loaded = m_translator.load(code, QCoreApplication::applicationDirPath() + QStringLiteral("/i18n"));
    if (!loaded)
        loaded = m_translator.load(code, QStringLiteral(":/translations"));
    QLocale::setDefault(QLocale(code));
    return loaded;
}

void MainWindow::actionEnglishToggled(bool state)
{
    if (!state)
        return;
    QCoreApplication::removeTranslator(&m_translator);
    if (loadTranslation(QStringLiteral("en")))
        QCoreApplication::installTranslator(&m_translator);
    m_settings->setValue(QStringLiteral("currentLanguage"), QStringLiteral("en_US"));
}

void MainWindow::actionJapaneseToggled(bool state)
{
    if (!state)
        return;
    QCoreApplication::removeTranslator(&m_translator);
    if (loadTranslation(QStringLiteral("ja")))
        QCoreApplication::installTranslator(&m_translator);
    m_settings->setValue(QStringLiteral("currentLanguage"), QStringLiteral("ja_JP"));
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        retranslate();
    }
}

void MainWindow::retranslate()
{
    setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ') +
                   QCoreApplication::applicationVersion());
    m_composer->retranslate();
    m_connectionManager->retranslate();
    m_recorders->retranslate();
    m_propertiesAction->setText(tr("Properties"));
    m_zoomOutAction->setText(tr("Zoom out"));
    m_zoomInAction->setText(tr("Zoon in"));
    const int id = m_connectionManager->connectionId(0);
    m_mainToolBar->setWindowTitle(tr("Properties") + QLatin1Char(' ') + tr("toolbar"));
    m_canvasToolBar->setWindowTitle(tr("Canvas") + QLatin1Char(' ') + tr("toolbar"));
    m_connectionToolbar->setWindowTitle(tr("Connection %1").arg(id) + QLatin1Char(' ') + tr("toolbar"));
    m_connectionLabel->setText(tr("Connection %1").arg(id) + QStringLiteral(" : "));
    if (m_propertiesDock->isLocked())
        m_propertiesDock->setLocked(true, lockReason());
    if (ScanManager *first = m_connectionManager->scanManager(0)) {
        const QSignalBlocker blocker(m_connectionEdit);
        m_connectionEdit->setText(first->deviceName());
    }
}

void MainWindow::loadSettings()
{
    restoreGeometry(m_settings->value(QStringLiteral("geometry")).toByteArray());
    restoreState(m_settings->value(QStringLiteral("windowState")).toByteArray(), 0);
    QDir::setCurrent(m_settings->value(QStringLiteral("CurrentPath"), QDir::currentPath()).toString());
    const QString language = m_settings->value(QStringLiteral("CurrentLanguage")).toString();
    if (language == QLatin1String("en"))
        m_actionEnglish->setChecked(true);
    else if (language == QLatin1String("ja"))
        m_actionJapanese->setChecked(true);
    m_settings->beginGroup(QStringLiteral("properties"));
    m_propertiesDock->readSettings(*m_settings);
    m_settings->endGroup();
}

void MainWindow::saveSettings()
{
    m_settings->setValue(QStringLiteral("geometry"), saveGeometry());
    m_settings->setValue(QStringLiteral("windowState"), saveState(0));
    m_settings->setValue(QStringLiteral("CurrentPath"), QDir::currentPath());
    if (m_actionEnglish->isChecked())
        m_settings->setValue(QStringLiteral("CurrentLanguage"), QStringLiteral("en"));
    if (m_actionJapanese->isChecked())
        m_settings->setValue(QStringLiteral("CurrentLanguage"), QStringLiteral("ja"));
    m_settings->beginGroup(QStringLiteral("properties"));
    m_propertiesDock->writeSettings(*m_settings);
    m_settings->endGroup();
    m_settings->sync();
}

void MainWindow::searchProperties()
{
    m_menuBar->show();
    m_mainToolBar->show();
    m_statusBar->show();
    m_propertiesDock->show();
    m_propertiesDock->activateSearch();
}

void MainWindow::hideAllDocks()
{
    // Back to how the window was before F7 (a maximised window stays maximised).
    if (isFullScreen())
        setWindowState(m_stateBeforeFullScreen);
    m_menuBar->show();
    m_mainToolBar->show();
    m_statusBar->show();
    m_canvasToolBar->show();
    m_connectionToolbar->show();
    m_propertiesDock->hide();
    m_filePlayDock->hide();
    m_dataTableDock->hide();
}

void MainWindow::goFullScreen()
{
    m_menuBar->hide();
    m_mainToolBar->hide();
    m_canvasToolBar->hide();
    m_statusBar->hide();
    m_connectionToolbar->hide();
    m_propertiesDock->hide();
    m_filePlayDock->hide();
    m_dataTableDock->hide();
    if (!isFullScreen())
        m_stateBeforeFullScreen = windowState() & ~(Qt::WindowFullScreen | Qt::WindowMinimized);
    showFullScreen();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_connectionManager->stopAll();
    m_recorders->stopAllRecorders();
    m_converter->stop();
    QMainWindow::closeEvent(event);
}
