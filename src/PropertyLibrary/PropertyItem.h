#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QVector>

class QAction;
class QPainter;
class QStyleOptionViewItem;
class QWidget;

// One node of the settings tree. The QObject parent owns the node; the tree links below never delete.
class PropertyItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QString key READ key WRITE setKey NOTIFY keyChanged)
    Q_PROPERTY(QVariant keyValue READ keyValue WRITE setKeyValue NOTIFY keyValueChanged)
    Q_PROPERTY(QVariant defaultValue READ defaultValue WRITE setDefaultValue NOTIFY defaultValueChanged)
    Q_PROPERTY(QString description READ description WRITE setDescription NOTIFY descriptionChanged)
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(QIcon icon READ icon WRITE setIcon NOTIFY iconChanged)
    Q_PROPERTY(bool readOnly READ readOnly WRITE setReadOnly NOTIFY readOnlyChanged)
    Q_PROPERTY(bool hidden READ hidden WRITE setHidden NOTIFY hiddenChanged)
    Q_PROPERTY(bool highlighted READ highlighted WRITE setHighlighted NOTIFY highlightedChanged)
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(bool settable READ settable WRITE setSettable NOTIFY settableChanged)

public:
    explicit PropertyItem(QObject *parent = nullptr);
    ~PropertyItem() override;

    virtual QVariant keyValue() const;
    virtual QString valueText() const;
    virtual QVariant data(int column, int role) const;
    virtual Qt::ItemFlags flags(int column) const;
    virtual bool paint(QPainter *painter, const QStyleOptionViewItem &option);
    virtual QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option);
    virtual void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option);
    virtual void retranslate();
    virtual bool isEditable() const;
    virtual QList<QAction *> actions() const;
    // Whether a value read from a properties file fits this node; loading skips a value that does not.
    virtual bool acceptsKeyValue(const QVariant &keyValue) const;

    PropertyItem *parentItem() const { return m_parent.data(); }
    const QVector<PropertyItem *> &children() const { return m_children; }
    int row() const;
    int indexOf(const PropertyItem *child) const;
    bool isAncestorOf(const PropertyItem *other) const;

    // The item background (selection included) under a custom-painted value cell.
    static void paintCellBackground(QPainter *painter, const QStyleOptionViewItem &option);

    QString name() const { return m_name; }
    QString key() const { return m_key; }
    int id() const { return m_id; }
    QVariant defaultValue() const { return m_defaultValue; }
    QString description() const { return m_description; }
    QVariant value() const { return m_value; }
    QIcon icon() const { return m_icon; }
    bool readOnly() const { return m_readOnly; }
    bool hidden() const { return m_hidden; }
    QIcon valueIcon() const { return m_valueIcon; }
    bool highlighted() const { return m_highlighted; }
    bool enabled() const { return m_enabled; }
    bool settable() const { return m_settable; }
    QList<QAction *> ownActions() const { return m_actions; }
    QAction *resetAction() const { return m_resetAction; }
    QAction *separator() const { return m_separator; }

public slots:
    virtual void setKeyValue(const QVariant &keyValue);
    virtual void setValue(const QVariant &value);

    void addChild(PropertyItem *child);
    void addChild(PropertyItem *child, int index);
    void removeChild(PropertyItem *child);
    void clearChildren();
    void setName(const QString &name);
    void setKey(const QString &key);
    void setId(int id);
    void setDefaultValue(const QVariant &defaultValue);
    void setDescription(const QString &description);
    void setIcon(const QIcon &icon);
    void setReadOnly(bool readOnly);
    void setChildrenReadOnly(bool readOnly);
    void setValueIcon(const QIcon &icon);
    void setHidden(bool hidden);
    void setHighlighted(bool highlighted);
    void collapse();
    void expend();
    void setEnabled(bool enabled);
    void addAction(QAction *action);
    void removeAction(QAction *action);
    void clearActions();
    void reset();
    void setSettable(bool settable);

signals:
    void aboutToChange(PropertyItem *item);
    void changed(PropertyItem *item);
    void aboutToAddChild(PropertyItem *item, int index);
    void childAdded(PropertyItem *item);
    void aboutToRemoveChild(PropertyItem *item, int index);
    void childRemoved(PropertyItem *item);
    void collapseProperty(PropertyItem *item);
    void expendProperty(PropertyItem *item);
    void editionFinished(PropertyItem *item);
    // Travels up to the root like the structural signals, so views can hide or show the row.
    void hiddenStateChanged(PropertyItem *item);

    void nameChanged(const QString &name);
    void keyChanged(const QString &key);
    void keyValueChanged(const QVariant &keyValue);
    void idChanged(int id);
    void defaultValueChanged(const QVariant &defaultValue);
    void descriptionChanged(const QString &description);
    void valueChanged(const QVariant &value);
    void iconChanged(const QIcon &icon);
    void readOnlyChanged(bool readOnly);
    void hiddenChanged(bool hidden);
    void highlightedChanged(bool highlighted);
    void enabledChanged(bool enabled);
    void settableChanged(bool settable);

protected:
    // Type-aware equality: QVariant's own operator== converts, so "1" would equal 1.
    static bool sameVariant(const QVariant &a, const QVariant &b);

private:
    // Guarded: removeChild leaves the link in place, and the old parent may be gone by now.
    QPointer<PropertyItem> m_parent;
    QVector<PropertyItem *> m_children;
    QString m_name;
    QString m_key;
    QVariant m_keyValue;
    int m_id = -1;
    QVariant m_defaultValue;
    QString m_description;
    QVariant m_value;
    QIcon m_icon;
    bool m_readOnly = true;
    bool m_hidden = false;
    QIcon m_valueIcon;
    bool m_highlighted = false;
    bool m_enabled = true;
    QList<QAction *> m_actions;
    QAction *m_resetAction = nullptr;
    QAction *m_separator = nullptr;
    bool m_settable = true;
};

Q_DECLARE_METATYPE(PropertyItem *)
