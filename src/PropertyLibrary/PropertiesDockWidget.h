#pragma once

#include <QDockWidget>
#include <QStringList>

class PropertyItem;
class PropertyItemFilterModel;
class PropertyItemModel;
class PropertyItemTree;
class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QSettings;
class QToolBar;
class SearchFieldWidget;

// The dock that shows every settings tree under one root, searches it, and saves and loads ".inf" files.
class PropertiesDockWidget : public QDockWidget
{
    Q_OBJECT

public:
    explicit PropertiesDockWidget(QWidget *parent = nullptr);

    void addProperty(PropertyItem *node);
    void writeSettings(QSettings &settings) const;
    void readSettings(QSettings &settings);

    PropertyItem *root() const { return m_root; }
    PropertyItemTree *tree() const { return m_tree; }
    PropertyItemModel *model() const { return m_model; }
    PropertyItemFilterModel *filterModel() const { return m_filter; }
    SearchFieldWidget *searchField() const { return m_searchField; }
    QToolBar *mainToolBar() const { return m_mainToolBar; }
    QToolBar *actionsToolBar() const { return m_actionsToolBar; }
    QMenu *loadMenu() const { return m_loadMenu; }
    QAction *saveAction() const { return m_saveAction; }
    QAction *expandAction() const { return m_expandAction; }
    QString lastOpenDir() const { return m_lastOpenDir; }
    QStringList openHistory() const { return m_openHistory; }
    QLabel *lockNotice() const { return m_lockLabel; }
    // Where the file dialogs start: the last folder used while it exists, else the home folder.
    QString dialogFolder() const;

    // Disables the tree and its toolbars and says why on top of the dock; unlocking removes the notice.
    void setLocked(bool locked, const QString &reason = QString());
    bool isLocked() const;

public slots:
    void activateSearch();
    void saveToFile(const QString &filename);
    void loadFromFile(const QString &filename);
    // What the save and load dialogs do with the name the user chose.
    // A name without a suffix gets ".inf".
    void saveChosenFile(const QString &chosen);
    void loadChosenFile(const QString &filename);
    void retranslate();

signals:
    // The dock state that writeSettings stores may have changed (a file used, the history cleared).
    void settingsChanged();
    // A loaded file held something the tree refused; the text is for the user.
    void loadWarning(const QString &message);

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void saveProperties();
    void loadProperties();
    void updateActions(PropertyItem *propety);

private:
    QString fileFilter() const;
    void addToHistory(const QString &path);
    void rebuildHistoryMenu();

    PropertyItem *m_root = nullptr;
    QLabel *m_lockLabel = nullptr;
    QMainWindow *m_window = nullptr;
    QToolBar *m_mainToolBar = nullptr;
    QToolBar *m_actionsToolBar = nullptr;
    QLabel *m_actionsLabel = nullptr;
    QAction *m_actionsLabelAction = nullptr;
    QMetaObject::Connection m_actionsNameConnection;
    PropertyItemTree *m_tree = nullptr;
    PropertyItemModel *m_model = nullptr;
    PropertyItemFilterModel *m_filter = nullptr;
    QAction *m_saveAction = nullptr;
    QMenu *m_loadMenu = nullptr;
    QString m_lastOpenDir;
    QStringList m_openHistory;
    SearchFieldWidget *m_searchField = nullptr;
    QAction *m_expandAction = nullptr;
};
