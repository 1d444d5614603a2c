#pragma once

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QTranslator>

class AboutDialog;
class Canvas;
class ConnectionManager;
class DataTableDockWidget;
class FilePlayDockWidget;
class FileScanManager;
class PropertiesDockWidget;
class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QSettings;
class QStatusBar;
class QTimer;
class QToolBar;
class QVBoxLayout;
class RecorderManager;
class SceneComposer;
class T3dToCsvConverter;

// The hub of the application: creates the subsystems, places the canvas and the docks, builds menus and
// toolbars, wires the subsystems together, switches the language and keeps the window state.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Sets connection 1's address and port and connects it (the --sensor option).
    void connectToSensor(const QString &address, int port);
    // Opens fileName in the log player (connection 2) and plays it once it is indexed (the --log option).
    void playLog(const QString &fileName);

    // The whole window as the user sees it, with the 3D view and its overlays.
    QImage screenshot();

    SceneComposer *sceneComposer() const { return m_composer; }
    ConnectionManager *connectionManager() const { return m_connectionManager; }
    PropertiesDockWidget *propertiesDock() const { return m_propertiesDock; }
    Canvas *canvas() const { return m_canvas; }
    AboutDialog *aboutDialog() const { return m_aboutDialog; }
    QToolBar *connectionToolbar() const { return m_connectionToolbar; }
    QLineEdit *connectionNameEdit() const { return m_connectionEdit; }
    RecorderManager *recorderManager() const { return m_recorders; }
    T3dToCsvConverter *converter() const { return m_converter; }
    QAction *converterAction() const { return m_actionConverter; }
    FilePlayDockWidget *filePlayDock() const { return m_filePlayDock; }
    DataTableDockWidget *dataTableDock() const { return m_dataTableDock; }
    QAction *dataTableAction() const { return m_actionDataTable; }
    // The log player among the connections, null when there is none.
    FileScanManager *logPlayer() const;

public slots:
    void loadSettings();
    void saveSettings();
    void searchProperties();
    void hideAllDocks();
    void goFullScreen();
    void actionEnglishToggled(bool state);
    void actionJapaneseToggled(bool state);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The construction steps, in order.
    void createSubsystems();
    void setupUi();
    void applyIdentity();
    void wireMenus();
    void initLanguages();
    void composeScene();
    void createToolbars();
    void wireFirstConnections();
    void createDocks();
    void wireStatusBar();
    void createShortcuts();
    // The recorders: made after the connections (their source), wired with the status bar.
    void createRecorders();
    void wireRecorders();
    // The log-to-CSV converter behind its Tools menu action.
    void createConverter();
    // The log player dock and the data table dock, and their wires.
    void createPlayerDocks();
    void wirePlayerDock();
    void wireDataTable();

    void retranslateUi();
    void retranslate();
    bool loadTranslation(const QString &code);
    // The layout and the dock's history are written soon after they change, not only at a clean exit.
    void scheduleSettingsSave();
    QString lockReason() const;

    SceneComposer *m_composer = nullptr;
    ConnectionManager *m_connectionManager = nullptr;
    PropertiesDockWidget *m_propertiesDock = nullptr;
    QAction *m_propertiesAction = nullptr;
    QSettings *m_settings = nullptr;
    AboutDialog *m_aboutDialog = nullptr;
    QLabel *m_connectionLabel = nullptr;
    QLineEdit *m_connectionEdit = nullptr;
    QTranslator m_translator;
    QToolBar *m_connectionToolbar = nullptr;
    QAction *m_zoomOutAction = nullptr;
    QAction *m_zoomInAction = nullptr;
    RecorderManager *m_recorders = nullptr;
    T3dToCsvConverter *m_converter = nullptr;

    // The form.
    QAction *m_actionQuit = nullptr;
    QAction *m_actionAbout = nullptr;
    QAction *m_actionEnglish = nullptr;
    QAction *m_actionJapanese = nullptr;
    QAction *m_actionDataTable = nullptr;
    QAction *m_actionConverter = nullptr;
    QWidget *m_centralWidget = nullptr;
    QVBoxLayout *m_verticalLayout = nullptr;
    Canvas *m_canvas = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QMenu *m_menuFile = nullptr;
    QMenu *m_menuView = nullptr;
    QMenu *m_menuTools = nullptr;
    QMenu *m_menuLanguages = nullptr;
    QMenu *m_menuHelp = nullptr;
    QToolBar *m_mainToolBar = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QToolBar *m_canvasToolBar = nullptr;
    QActionGroup *m_languageGroup = nullptr;
    QTimer *m_saveTimer = nullptr;
    // What Escape returns to after F7.
    Qt::WindowStates m_stateBeforeFullScreen = Qt::WindowNoState;

    // The log player's and the data table's docks.
    FilePlayDockWidget *m_filePlayDock = nullptr;
    DataTableDockWidget *m_dataTableDock = nullptr;
};
